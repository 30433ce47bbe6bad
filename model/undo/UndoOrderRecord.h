// CUndoOrderRecord: a block changed its place in the drawing order; undo puts it back at its old
// index.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoOrderRecord : public CUndoBlockRecord {
public:
  CUndoOrderRecord(CBlock* block, INT_PTR oldIndex)
      : CUndoBlockRecord(block), m_oldIndex(oldIndex) {}
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_oldIndex;
};
