#include "model/undo/UndoInsertRecord.h"

#include "model/blocks/Block.h"

BOOL CUndoInsertRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  // A block the list does not hold belongs to someone else and is not ours to delete.
  if (RemoveFromList(BlockListOf(view), m_block) < 0) return FALSE;
  CBlock* block = m_block;
  ReleaseBlock();
  block->Invalidate(view, TRUE);
  delete block;
  return TRUE;
}
