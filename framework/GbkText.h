// CGbkText: the programs' 8-bit text is GBK (code page 936) on every system. Text that comes from
// the system in wide form (typed characters, edit fields) is converted here explicitly, never
// through the system's code page, so that a Chinese character typed on an English system is kept
// and a character that GBK cannot hold is reported instead of turning into a question mark.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

class CGbkText {
public:
  static constexpr UINT kCodePage = 936;

  // The GBK code of one typed character: the byte below 0x100, else lead byte << 8 | trail
  // byte. False for a character GBK cannot hold (a surrogate half among them).
  static bool CodeOf(wchar_t character, WORD* code);
  // The second half of a character beyond the 16-bit range, which goes with its refused first.
  static bool IsSecondHalf(wchar_t character) { return character >= 0xDC00 && character <= 0xDFFF; }
  // The wide text in GBK; false, with the characters GBK holds, when some cannot be held.
  static bool FromWide(const std::wstring& text, CString* gbk);
  // The wide text in GBK where a character GBK lacks may become '?' (texts of the program's own
  // that came back from a control, never text the user typed).
  static CString Lossy(LPCWSTR text);
  // Text in the system's code page (what an 8-bit window message carries) as GBK.
  static CString FromSystem(LPCSTR text);
  static std::wstring ToWide(LPCSTR gbk);
  // What the user is told when a character GBK cannot hold is refused.
  static CString RefusalText();
  // Tells it over the window's top-level window.
  static void ShowRefusal(HWND window);
};
