// The program's 8-bit text is GBK (code page 936) on every system: these turn it into the wide form
// that windows show and back, and put it into controls through their wide messages, so that a
// Chinese title reads the same on an English system (whose code page is 1252) as on a Chinese one.
#pragma once

#include <windows.h>

#include <string>

#include "framework/String.h"

std::wstring GbkToWide(LPCSTR text);
// Characters GBK lacks become '?'.
CString WideToGbk(LPCWSTR text);
// Text in the system's code page (what an 8-bit window message carries) as GBK.
CString SystemTextToGbk(LPCSTR text);

// Adds the text as a new entry of a combo box (CB_ADDSTRING) or list box (LB_ADDSTRING); the
// control's answer (the entry's index, or a negative error).
LRESULT AddGbkItem(HWND control, UINT addMessage, LPCSTR text);
void SetGbkWindowText(HWND window, LPCSTR text);
CString GetGbkWindowText(HWND window);
