// CUndoDeselectRecord: a block lost its selection; undo selects it again.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoDeselectRecord : public CUndoBlockRecord {
public:
  explicit CUndoDeselectRecord(CBlock* block) : CUndoBlockRecord(block) {}
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }
};
