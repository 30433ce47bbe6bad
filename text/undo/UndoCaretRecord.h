// CUndoCaretRecord: a text block's caret and selection anchor moved; undo restores both and
// moves the caret onto a character box that still exists.
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CUndoCaretRecord : public CUndoBlockRecord {
public:
  CUndoCaretRecord(CBlock* textBlock, INT_PTR caret, INT_PTR anchor)
      : CUndoBlockRecord(textBlock), m_caret(caret), m_anchor(anchor) {}
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_caret;
  INT_PTR m_anchor;
};
