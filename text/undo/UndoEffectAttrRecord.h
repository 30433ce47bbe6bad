// CUndoEffectAttrRecord: the attribute word of a text block's layout changed (spreading the lines
// over the frame, for one); undo gives the layout the old word back and lays the text out again.
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CUndoEffectAttrRecord : public CUndoBlockRecord {
public:
  CUndoEffectAttrRecord(CBlock* textBlock, WORD attributes)
      : CUndoBlockRecord(textBlock), m_attributes(attributes) {}
  BOOL Undo(CBlockView* view) override;

  WORD m_attributes;
};
