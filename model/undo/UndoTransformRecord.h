// CUndoTransformRecord: a matrix was applied to a block; undo applies its inverse and restores the
// box the block had before. It also keeps the matrix and box of the block and of every block under
// it, and undo puts those back exactly: the inverse alone leaves rounding behind, and a singular
// matrix (a scale to nothing along an axis) has no inverse at all. Blocks under it that are
// destroyed meanwhile are forgotten.
#pragma once

#include <vector>

#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"
#include "model/undo/UndoBlockRecord.h"

class CUndoTransformRecord : public CUndoBlockRecord {
public:
  // Made before the block is changed: keeps its box and the inverse of the matrix.
  CUndoTransformRecord(CBlock* block, const CMatrix2D& applied);
  ~CUndoTransformRecord() override;
  BOOL Undo(CBlockView* view) override;

  CFRect m_oldBox;
  CMatrix2D* m_inverse;

protected:
  void OnBlockDestroyed(CBlock* block) override;

private:
  struct Placement {
    CBlock* block;
    CMatrix2D matrix;
    CFRect box;
  };
  // The block, then the blocks under it (a group hands a transform down to its children).
  void KeepPlacements(CBlock* block);
  void RestorePlacements();

  bool m_invertible = false;
  std::vector<Placement> m_placements;
};
