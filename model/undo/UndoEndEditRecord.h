// CUndoEndEditRecord: interactive editing of a block ended; undo begins it again with the same
// tool and makes the block the view's block under edit.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoEndEditRecord : public CUndoBlockRecord {
public:
  CUndoEndEditRecord(CBlock* block, int tool) : CUndoBlockRecord(block), m_tool(tool) {}
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }

  int m_tool;
};
