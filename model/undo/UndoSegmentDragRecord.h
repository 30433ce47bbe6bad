// CUndoSegmentDragRecord: a straight or Bezier segment was dragged; undo puts the points back where
// the drag found them.
#pragma once

#include "model/undo/UndoNodeDragRecord.h"

class CUndoSegmentDragRecord : public CUndoNodeDragRecord {
public:
  using CUndoNodeDragRecord::CUndoNodeDragRecord;
};
