// The programs' 8-bit text is GBK (code page 936) on every system, whatever the system's own code
// page is; the system takes and gives text in its wide form. These convert between the two and
// show GBK text through wide calls, so that it reads the same on a Chinese and on an English
// system. A wide character that GBK lacks becomes "?".
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

std::wstring AfxWideFromGbk(LPCSTR text);
CString AfxGbkFromWide(LPCWSTR text);

// The string resource id of the current resource module in its wide form; empty when missing.
std::wstring AfxLoadWideString(UINT id);

// A window's or control's text in GBK, read in its wide form.
CString AfxGetWindowTextGbk(HWND window);
// Sets the title of one of our own windows in its wide form. Our windows take their messages in
// their 8-bit form, so SetWindowTextW would pass the title through the system's code page, which
// on an English system turns every Chinese character into "?"; the default procedure stores the
// wide title as it is.
void AfxSetOwnWindowTitle(HWND window, LPCWSTR title);

// Combo box entries in GBK, kept by the control in their wide form.
int AfxAddComboEntry(HWND combo, LPCSTR text);
CString AfxGetComboEntry(HWND combo, int index);
// The first entry after startAfter (-1: from the start) that begins with the text, case
// ignored; CB_ERR when none does.
int AfxFindComboEntry(HWND combo, int startAfter, LPCSTR prefix);
