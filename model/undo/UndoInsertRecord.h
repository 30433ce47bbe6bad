// CUndoInsertRecord: a block was added to the document; undo takes it out and deletes it.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoInsertRecord : public CUndoBlockRecord {
public:
  explicit CUndoInsertRecord(CBlock* block) : CUndoBlockRecord(block) {}
  BOOL Undo(CBlockView* view) override;
};
