// CGbkClipboard: the programs' GBK text on the clipboard. A copy puts the text there twice: as it
// is (CF_TEXT) and converted from GBK explicitly (CF_UNICODETEXT), which other programs read;
// the system would make the wide form from the 8-bit one through its own code page, which on an
// English system garbles Chinese. A paste reads the wide form first and converts it explicitly,
// since the 8-bit form another program leaves is made through that same code page ("??"), and
// tells whether it had to leave characters out.
//
// An object holds both forms of one text, made before the clipboard is opened so that running
// out of memory (CMemoryException) leaves the clipboard as it was; what the clipboard does not
// take is freed with the object.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

class CGbkClipboard {
public:
  // Nothing is made for an empty text.
  explicit CGbkClipboard(LPCSTR gbk);
  ~CGbkClipboard();
  CGbkClipboard(const CGbkClipboard&) = delete;
  CGbkClipboard& operator=(const CGbkClipboard&) = delete;

  bool IsEmpty() const { return m_text == nullptr; }
  // Hands both forms to the open clipboard, which then owns them; false when it did not take
  // them (true for an empty text, which puts nothing there).
  bool Hand();

  // The text on the open clipboard as GBK (empty when there is none); false, with the characters
  // GBK holds, when its wide form holds some that GBK cannot hold.
  static bool Read(CString* gbk);
  // The wide form of the text on the open clipboard; empty when there is none.
  static std::wstring ReadWide();

private:
  HGLOBAL m_text = nullptr;
  HGLOBAL m_wide = nullptr;
};
