// CUndoNodeMoveRecord: the selected nodes were dragged (drag state 768); undo puts the points back
// where the drag found them.
#pragma once

#include "model/undo/UndoNodeDragRecord.h"

class CUndoNodeMoveRecord : public CUndoNodeDragRecord {
public:
  using CUndoNodeDragRecord::CUndoNodeDragRecord;
};
