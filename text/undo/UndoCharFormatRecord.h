// CUndoCharFormatRecord: the format of one character box of a text block changed (font, size,
// angle, skews); undo gives the box the values it had. The record watches the text block and
// touches the box only while the block still holds it.
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CCharBox;

class CUndoCharFormatRecord : public CUndoBlockRecord {
public:
  CUndoCharFormatRecord(CBlock* textBlock, CCharBox* box);
  BOOL Undo(CBlockView* view) override;

  CCharBox* m_box;
  WORD m_kind;
  WORD m_fontNumber;
  float m_width;
  float m_height;
  float m_angle;
  float m_skewX;
  float m_skewY;
};
