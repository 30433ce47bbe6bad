// CObArray: an array of object pointers (the array does not own them).
#pragma once

#include "framework/Array.h"

class CObArray : public CArray<CObject*, CObject*> {};
