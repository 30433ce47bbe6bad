// Copies of movable global-memory blocks (records, clipboard data).
#pragma once

#include <windows.h>

// A new movable zero-filled block of the same size holding a copy of the contents; null when the
// block is empty or cannot be read or allocated.
HGLOBAL DuplicateGlobal(HGLOBAL block);
