// CUndoNodeDragRecord: base of the records of the node tool's drags (nodes, segments, sub-paths).
// Besides what the drag was (key flags, current node, press and last point) it keeps the curve's
// points as they were when the button went down, and undo puts exactly those back: replaying the
// drag backwards would not find the old places of nodes that a Shift snap moved.
#pragma once

#include <vector>

#include "model/geometry/FRect.h"
#include "model/geometry/PointRecord.h"
#include "model/undo/UndoBlockRecord.h"

class CCurveBlock;

class CUndoNodeDragRecord : public CUndoBlockRecord {
public:
  CUndoNodeDragRecord(CCurveBlock* curve, UINT keyFlags, int current, FPOINT press, FPOINT last,
                      const std::vector<POINTREC>& before);
  BOOL Undo(CBlockView* view) override;

  UINT m_keyFlags;
  int m_current;
  FPOINT m_press;
  FPOINT m_last;
  std::vector<POINTREC> m_before;
};
