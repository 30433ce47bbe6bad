// CExpandDll: the transform library's outline expansion, bound by the outline thickness dialog
// on confirmation. A missing library or entry gives a null result.
#pragma once

#include "media/DllModule.h"

struct ExpandParams {
  double thickness;
  double threshold;
  double angleLimit;
  double accuracy;  // 10 to the power of the typed integer
  int mode;         // 0 keep as is, 1 keep corners, 2 round corners
};

class CExpandDll : public CDllModule {
public:
  typedef HGLOBAL(__cdecl* ExpandEntry)(HGLOBAL group, double thickness, double threshold,
                                        double angleLimit, double accuracy, int mode);

  CExpandDll();

  HMODULE Bind(LPCSTR path = nullptr);

  // The expanded outlines of a group record in global memory, as a block record block that the
  // caller reads; the input stays the caller's.
  HGLOBAL Expand(HGLOBAL group, const ExpandParams& params) const;
  HGLOBAL ExpandOutLine(HGLOBAL group, const ExpandParams& params) const;

private:
  static HGLOBAL Call(ExpandEntry entry, HGLOBAL group, const ExpandParams& params);

  ExpandEntry m_expand;
  ExpandEntry m_expandOutLine;
};
