// CUndoTextRecord: a text block was edited; undo gives it back the relayout start it had and lays
// the whole text out again once the other records of the step have put the boxes back (records
// play from the last to the first, so this one, recorded first, runs last).
#pragma once

#include <windows.h>

#include "model/undo/UndoBlockRecord.h"

class CUndoTextRecord : public CUndoBlockRecord {
public:
  CUndoTextRecord(CBlock* textBlock, INT_PTR relayoutStart)
      : CUndoBlockRecord(textBlock), m_relayoutStart(relayoutStart) {}
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_relayoutStart;
};
