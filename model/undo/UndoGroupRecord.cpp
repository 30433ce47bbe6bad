#include "model/undo/UndoGroupRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/GroupBlock.h"

BOOL CUndoGroupRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  if (m_index < 0) return DissolveGroup(view);
  m_block->m_selected = 1;
  return InsertIntoList(BlockListOf(view), m_index, m_block);
}

BOOL CUndoGroupRecord::DissolveGroup(CBlockView* view) {
  // Only a group the document gave up is ours to delete.
  if (m_block->m_type != kGroupBlock) return FALSE;
  if (RemoveFromList(BlockListOf(view), m_block) < 0) return FALSE;
  CGroupBlock* group = static_cast<CGroupBlock*>(m_block);
  ReleaseBlock();
  // The children live on in the document.
  group->GetChildren().RemoveAll();
  delete group;
  return TRUE;
}
