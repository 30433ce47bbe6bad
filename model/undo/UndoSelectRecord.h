// CUndoSelectRecord: a block was selected; undo erases its XOR outline and deselects it.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoSelectRecord : public CUndoBlockRecord {
public:
  explicit CUndoSelectRecord(CBlock* block) : CUndoBlockRecord(block) {}
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }
};
