// CVectorParameters: the twenty curve-fitting values of the tracing and vectorising libraries as
// the settings keep them (sections "VECTOR" and "TRACE"), with the one default of each: what the
// libraries get for a missing key, what both settings dialogs show for it and what their restore
// buttons write. Listed in the order of the list dialog, which is also the order of the fields of
// the libraries' parameter block.
#pragma once

#include <windows.h>

#include <cstddef>

struct VectorParameter {
  LPCSTR key;
  float defaultValue;
  // Kept as a whole number (the libraries truncate it).
  bool whole;
};

class CVectorParameters {
public:
  static constexpr std::size_t kCount = 20;

  static const VectorParameter* Table() { return kTable; }
  // The entry of a key (compared without case), null for another key.
  static const VectorParameter* Find(LPCSTR key);
  // The default of a key; 0 for another key.
  static float DefaultOf(LPCSTR key);

private:
  static const VectorParameter kTable[kCount];
};
