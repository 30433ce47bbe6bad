// CPtrArray: an array of pointers (the array does not own them).
#pragma once

#include "framework/Array.h"

class CPtrArray : public CArray<void*, void*> {};
