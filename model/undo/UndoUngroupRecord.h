// CUndoUngroupRecord: ungrouping. With index -1 the block is a former child now in the document,
// which undo takes out again (the group still holds it); otherwise it is the group taken out at
// the index, which undo puts back selected. Until then the record owns that group, but not its
// children, which the document holds.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoUngroupRecord : public CUndoBlockRecord {
public:
  CUndoUngroupRecord(CBlock* block, INT_PTR index) : CUndoBlockRecord(block), m_index(index) {}
  ~CUndoUngroupRecord() override;
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_index;
};
