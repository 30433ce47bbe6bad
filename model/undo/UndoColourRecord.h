// CUndoColourRecord: a block's colour changed; undo gives the block its old colour back. Blocks
// that keep a colour of their own record it when they take a new one, so that colouring a selection
// from the palette is one undo step; a group records through its children.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoColourRecord : public CUndoBlockRecord {
public:
  CUndoColourRecord(CBlock* block, DWORD colour) : CUndoBlockRecord(block), m_colour(colour) {}
  BOOL Undo(CBlockView* view) override;

  DWORD m_colour;
};
