// CStringArray: an array of strings.
#pragma once

#include "framework/Array.h"
#include "framework/String.h"

class CStringArray : public CArray<CString, LPCSTR> {};
