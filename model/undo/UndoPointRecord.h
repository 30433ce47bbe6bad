// CUndoPointRecord: one point record of a curve before the node tool changed it (a control point
// about to be dragged); undo writes the record back.
#pragma once

#include "model/geometry/PointRecord.h"
#include "model/undo/UndoBlockRecord.h"

class CCurveBlock;

class CUndoPointRecord : public CUndoBlockRecord {
public:
  CUndoPointRecord(CCurveBlock* curve, int index, const POINTREC& record);
  BOOL Undo(CBlockView* view) override;

  int m_index;
  POINTREC m_record;
};
