// CUndoControlPointRecord: a control point of a shape was dragged in the node tool; undo drags it
// back to the press point.
#pragma once

#include "model/geometry/FRect.h"
#include "model/undo/UndoBlockRecord.h"

class CUndoControlPointRecord : public CUndoBlockRecord {
public:
  CUndoControlPointRecord(CBlock* block, UINT keyFlags, int index, FPOINT press, FPOINT last);
  BOOL Undo(CBlockView* view) override;

  UINT m_keyFlags;
  int m_index;
  FPOINT m_press;
  FPOINT m_last;
};
