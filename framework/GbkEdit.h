// CGbkEdit: an edit field whose text is the programs' GBK text on every system. An attached field
// takes typed characters as the system gives them (wide, never through the system's code page,
// which on an English system turns a Chinese character into a question mark) and refuses, with a
// message, a character typed or pasted that GBK cannot hold (a paste keeps the rest of its text).
// The program reads and writes the field's text as GBK through the functions below; the field
// goes back to its own window procedure when it is destroyed.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

class CGbkEdit {
public:
  // False when the field cannot be subclassed (it then stays as it was).
  static bool Attach(HWND edit);
  // The field's text in GBK; false, with the characters GBK holds, when some cannot be held (an
  // input method that writes into the field directly is not filtered).
  static bool GetText(HWND edit, CString* gbk);
  static void SetText(HWND edit, LPCSTR gbk);
  static void ReplaceSelection(HWND edit, LPCSTR gbk);
  // The selection's GBK text on the clipboard (CGbkClipboard); false without a selection or when
  // the clipboard cannot be opened.
  static bool CopySelection(HWND edit);

private:
  static LRESULT CALLBACK Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  static bool Holds(wchar_t character);
  // A pasted text that holds characters GBK cannot hold goes in without them (true), with the
  // message; false when the field's own paste can take it as it is.
  static bool PastedWithoutSome(HWND edit);
  static std::wstring WideText(HWND edit);
  static std::wstring ClipboardText(HWND edit);
};
