// CUndoRepaintRecord: stands first in a step and repaints the whole view once, after the
// step's other records have been undone.
#pragma once

#include "model/undo/UndoRecord.h"

class CUndoRepaintRecord : public CUndoRecord {
public:
  CUndoRepaintRecord() { m_kind = kRepaint; }
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }
};
