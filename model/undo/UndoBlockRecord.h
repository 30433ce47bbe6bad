// CUndoBlockRecord: base of the undo records that refer to one block. The block pointer becomes
// null when the block is destroyed elsewhere; undo then does nothing.
#pragma once

#include "model/undo/UndoRecord.h"

class CSegArray;

class CUndoBlockRecord : public CUndoRecord {
public:
  explicit CUndoBlockRecord(CBlock* block);
  CBlock* GetBlock() const { return m_block; }

  // The view's block list, changed directly. Removing gives the index the block had, -1 when the
  // list does not hold it; inserting clamps the index into the list. Both refuse a missing list.
  static CSegArray* BlockListOf(CBlockView* view);
  static INT_PTR RemoveFromList(CSegArray* list, CBlock* block);
  static BOOL InsertIntoList(CSegArray* list, INT_PTR index, CBlock* block);

protected:
  void OnBlockDestroyed(CBlock* block) override;
  // Stops watching the block and lets go of it.
  void ReleaseBlock();

  CBlock* m_block;
};
