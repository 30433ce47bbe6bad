// CUndoTextInsertRecord: a box was inserted into a text block. Undo takes it out again, puts the
// caret before its former place, clears the selection and lays the text out after the usual
// delay (timer 1 of the view), so that undoing a burst of typing costs one layout.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CTextBox;

class CUndoTextInsertRecord : public CUndoBlockRecord {
public:
  CUndoTextInsertRecord(CBlock* textBlock, CTextBox* box)
      : CUndoBlockRecord(textBlock), m_box(box) {}
  BOOL Undo(CBlockView* view) override;

  CTextBox* m_box;
};
