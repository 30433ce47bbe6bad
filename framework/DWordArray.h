// CDWordArray: an array of 32-bit values.
#pragma once

#include "framework/Array.h"

class CDWordArray : public CArray<DWORD, DWORD> {};
