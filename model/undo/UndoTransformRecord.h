// CUndoTransformRecord: a matrix was applied to a block; undo applies its inverse and restores the
// box the block had before.
#pragma once

#include "model/geometry/FRect.h"
#include "model/undo/UndoBlockRecord.h"

class CMatrix2D;

class CUndoTransformRecord : public CUndoBlockRecord {
public:
  // Made before the block is changed: keeps its box and the inverse of the matrix.
  CUndoTransformRecord(CBlock* block, const CMatrix2D& applied);
  ~CUndoTransformRecord() override;
  BOOL Undo(CBlockView* view) override;

  CFRect m_oldBox;
  CMatrix2D* m_inverse;
};
