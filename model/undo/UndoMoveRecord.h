// CUndoMoveRecord: a block was moved by (dx, dy); undo moves it back.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoMoveRecord : public CUndoBlockRecord {
public:
  CUndoMoveRecord(CBlock* block, float dx, float dy)
      : CUndoBlockRecord(block), m_dx(dx), m_dy(dy) {}
  BOOL Undo(CBlockView* view) override;

  float m_dx;
  float m_dy;
};
