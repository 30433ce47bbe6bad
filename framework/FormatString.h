// Message texts with numbered inserts: "%1" and "%2" are replaced by the given strings.
#pragma once

#include "framework/String.h"

CString AfxFormatString1(LPCSTR format, LPCSTR insert1);
CString AfxFormatString2(LPCSTR format, LPCSTR insert1, LPCSTR insert2);
