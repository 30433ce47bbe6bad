// CUndoTextRecord: a text block was edited; undo gives it back the relayout start it had and lays
// the whole text out again once the other records of the step have put the boxes back (records
// play from the last to the first, so this one, recorded first, runs last). A straight layout's
// frame comes back too: fitted to a shorter text since, it would wrap the restored characters.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"
#include "model/undo/UndoBlockRecord.h"

class CUndoTextRecord : public CUndoBlockRecord {
public:
  CUndoTextRecord(CBlock* textBlock, INT_PTR relayoutStart);
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_relayoutStart;

private:
  bool m_hasFrame = false;
  CFRect m_frame;
};
