// CUndoGroupRecord: grouping. With index -1 the block is the new group, which undo takes out of the
// document and deletes without its children; otherwise it is a block that went into the group,
// which undo puts back selected at its index.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoGroupRecord : public CUndoBlockRecord {
public:
  CUndoGroupRecord(CBlock* block, INT_PTR index) : CUndoBlockRecord(block), m_index(index) {}
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_index;

private:
  BOOL DissolveGroup(CBlockView* view);
};
