// CUndoCurveStateRecord: a curve's node-edit fields (selection count, current node, the segment
// last hit) before its node selection ended; undo restores them.
#pragma once

#include "model/blocks/CurveBlock.h"
#include "model/undo/UndoBlockRecord.h"

class CUndoCurveStateRecord : public CUndoBlockRecord {
public:
  explicit CUndoCurveStateRecord(CCurveBlock* curve)
      : CUndoBlockRecord(curve), m_fields(curve->GetNodeEditFields()) {}
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }

  CCurveBlock::NodeEditFields m_fields;
};
