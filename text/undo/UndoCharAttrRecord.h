// CUndoCharAttrRecord: the style word of one character box of a text block changed; undo restores
// it. The record watches the text block, so a box of a block deleted since is never touched.
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CCharBox;

class CUndoCharAttrRecord : public CUndoBlockRecord {
public:
  CUndoCharAttrRecord(CBlock* textBlock, CCharBox* box, WORD style)
      : CUndoBlockRecord(textBlock), m_box(box), m_style(style) {}
  BOOL Undo(CBlockView* view) override;

  CCharBox* m_box;
  WORD m_style;
};
