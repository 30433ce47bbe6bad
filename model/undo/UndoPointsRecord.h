// CUndoPointsRecord: a curve's whole point list with its box and node-edit fields, saved before a
// node-edit command rebuilt it; undo puts all of it back exactly.
#pragma once

#include "model/blocks/CurveBlock.h"
#include "model/undo/UndoBlockRecord.h"

class CUndoPointsRecord : public CUndoBlockRecord {
public:
  explicit CUndoPointsRecord(CCurveBlock* curve);
  BOOL Undo(CBlockView* view) override;

  CCurveBlock::PointsSnapshot m_snapshot;
};
