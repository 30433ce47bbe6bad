// CRecordTransfer: block records crossing the library's entries in movable global memory, read
// and written with the model's own record code. Reading checks the handle, the size of its
// memory and the record's own length before a block is built, and copies the record out while
// the memory is locked: no entry keeps a pointer into a caller's memory after it returns.
// Writing always makes new memory, which the caller owns, so a result never aliases an input.
#pragma once

#include <windows.h>

class CBlock;

class CRecordTransfer {
public:
  // The block of the record in memory; null for a null or unlockable handle, a record that does
  // not fit in its memory, a declared length (when not negative) other than the record's own,
  // or a record the model refuses. The caller owns the block.
  static CBlock* ReadBlock(HGLOBAL record, int declaredLength = -1);
  // New memory holding the block's record, or null when the block writes none.
  static HGLOBAL WriteBlock(CBlock* block);
};
