// CUndoBeginEditRecord: interactive editing of a block began; undo ends it and leaves the view
// with no block under edit.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoBeginEditRecord : public CUndoBlockRecord {
public:
  explicit CUndoBeginEditRecord(CBlock* block) : CUndoBlockRecord(block) {}
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }
};
