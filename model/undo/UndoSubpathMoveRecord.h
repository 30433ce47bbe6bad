// CUndoSubpathMoveRecord: whole sub-paths were moved (Ctrl drag or Ctrl nudge); undo puts the
// points back where the drag found them.
#pragma once

#include "model/undo/UndoNodeDragRecord.h"

class CUndoSubpathMoveRecord : public CUndoNodeDragRecord {
public:
  using CUndoNodeDragRecord::CUndoNodeDragRecord;
};
