// Text through the system's wide calls. The programs' 8-bit text is GBK (code page 936) on every
// system, whatever the system's own code page is; shown or handed to the system in its wide form
// it reads the same on a Chinese and on an English system, where the system's 8-bit calls would
// turn every Chinese character into "?". A wide character that GBK lacks becomes "?".
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

// The string resource id of the current resource module in its wide form; empty when missing.
std::wstring AfxLoadWideString(UINT id);

// Sets the title of one of our own windows in its wide form, and keeps it so. Our windows take
// their messages in their 8-bit form, so their text would pass through the system's code page each
// time it is set or read (the system reads it to draw the caption); from here on the window keeps
// and gives its text in its wide form.
void AfxSetOwnWindowTitle(HWND window, LPCWSTR title);

// A control's text, and the entries of a combo box (a control of the system, which keeps its
// texts in their wide form).
std::wstring AfxGetControlText(HWND control);
int AfxAddComboEntry(HWND combo, const std::wstring& text);
std::wstring AfxGetComboEntry(HWND combo, int index);
// GBK text (CGbkText converts it) into and out of a control through its wide messages: a new entry
// of a combo box (CB_ADDSTRING) or list box (LB_ADDSTRING), with the control's answer (the entry's
// index, or a negative error); a window's text.
LRESULT AfxAddGbkEntry(HWND control, UINT addMessage, LPCSTR text);
void AfxSetGbkText(HWND window, LPCSTR text);
CString AfxGetGbkText(HWND window);
// The first entry after startAfter (-1: from the start) that begins with prefix, case ignored;
// CB_ERR when none does.
int AfxFindComboEntry(HWND combo, int startAfter, const std::wstring& prefix);
