// CUndoCharColourRecord: the colour of one character box of a text block changed; undo gives the
// box its old colour back and repaints it. The record watches the text block and touches the box
// only while the block still holds it.
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CCharBox;

class CUndoCharColourRecord : public CUndoBlockRecord {
public:
  CUndoCharColourRecord(CBlock* textBlock, CCharBox* box, DWORD colour)
      : CUndoBlockRecord(textBlock), m_box(box), m_colour(colour) {}
  BOOL Undo(CBlockView* view) override;

  CCharBox* m_box;
  DWORD m_colour;
};
