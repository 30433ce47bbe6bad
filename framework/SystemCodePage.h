// Conversions between the system's code page, through which the program's 8-bit calls reach
// files, and the wide form the system keeps names in. A name the code page cannot spell comes out
// narrow with a '?' for each such character.
#pragma once

#include <string>

#include "framework/String.h"

std::wstring AfxWideFromSystem(LPCSTR text);
CString AfxSystemFromWide(LPCWSTR text);
// Whether the byte starts a double-byte character of the system's code page: file names and the
// command line are in that code page, not in GBK (on an English system an accented letter is one
// byte, and the separator after it is a separator).
bool AfxIsSystemLeadByte(unsigned char byte);
