// CUndoCharAttrRecord: the style word of one character box of a block's boxes (a text's or a
// stamp's) changed; undo restores it. The record watches the block, so a box of a block deleted
// since is never touched.
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CCharBox;

class CUndoCharAttrRecord : public CUndoBlockRecord {
public:
  CUndoCharAttrRecord(CBlock* owner, CCharBox* box, WORD style)
      : CUndoBlockRecord(owner), m_box(box), m_style(style) {}
  BOOL Undo(CBlockView* view) override;

  CCharBox* m_box;
  WORD m_style;
};
