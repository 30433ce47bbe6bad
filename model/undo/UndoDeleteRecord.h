// CUndoDeleteRecord: a block was deleted from the document at an index. The record owns the block
// until undo puts it back, and deletes it when destroyed still holding it.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoDeleteRecord : public CUndoBlockRecord {
public:
  CUndoDeleteRecord(CBlock* block, INT_PTR index) : CUndoBlockRecord(block), m_index(index) {}
  ~CUndoDeleteRecord() override;
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_index;
};
