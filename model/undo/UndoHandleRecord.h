// CUndoHandleRecord: a handle of a block was dragged from the press point to the last point; undo
// drags it back.
#pragma once

#include "model/geometry/FRect.h"
#include "model/undo/UndoBlockRecord.h"

class CUndoHandleRecord : public CUndoBlockRecord {
public:
  CUndoHandleRecord(CBlock* block, UINT keyFlags, int handle, FPOINT press, FPOINT last);
  BOOL Undo(CBlockView* view) override;

  UINT m_keyFlags;
  int m_handle;
  FPOINT m_press;
  FPOINT m_last;
};
