// CPlotTemplate: one plotter command template of a device profile. A template that the program
// formats must hold exactly the integer conversions its command passes; anything else is refused
// before it could ever reach a formatting function, since the profile files are edited by hand.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/String.h"

class CPlotTemplate {
public:
  // Bytes of a stored template, its terminating zero included.
  enum { kSize = 20 };
  // Largest expansion of one command (the template plus its numbers), terminating zero included.
  enum { kMaxExpansion = 256 };

  CPlotTemplate() { Clear(); }

  void Clear();
  bool IsEmpty() const { return m_text[0] == '\0'; }
  LPCSTR GetText() const { return m_text; }

  // Keeps text for sending as it is (never formatted). Text longer than the template's room is
  // refused, as a cut-off command would be sent wrong. On refusal the template stays empty.
  bool SetRaw(LPCSTR text, CString* problem);
  // Keeps text as a format for a command that passes minArgs..maxArgs integers: it must hold at
  // least minArgs and at most maxArgs integer conversions and nothing else. An empty text is
  // accepted (the command is not sent).
  bool SetFormat(LPCSTR text, int minArgs, int maxArgs, CString* problem);

  // Expands the template with the integers given into out (size bytes). False, with out empty,
  // when the template takes more arguments than given or the result does not fit.
  bool Expand(const int* args, int argCount, char* out, size_t size) const;
  CString Expand(int argCount = 0, int first = 0, int second = 0) const;

  // Counts the conversions of text; false with a reason when one is not an integer conversion
  // this program supports (flags, width and precision of at most two digits, d i u o x X).
  static bool CountConversions(LPCSTR text, int* count, CString* problem);

private:
  char m_text[kSize];
};
