#include "model/undo/UndoUngroupRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/GroupBlock.h"

CUndoUngroupRecord::~CUndoUngroupRecord() {
  if (m_done || m_index < 0 || !m_block || m_block->m_type != kGroupBlock) return;
  CGroupBlock* group = static_cast<CGroupBlock*>(m_block);
  ReleaseBlock();
  group->GetChildren().RemoveAll();
  delete group;
}

BOOL CUndoUngroupRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  CSegArray* list = BlockListOf(view);
  if (m_index < 0) {
    if (RemoveFromList(list, m_block) < 0) return FALSE;
    m_done = 1;
    m_block->m_selected = 0;
    return TRUE;
  }
  if (!InsertIntoList(list, m_index, m_block)) return FALSE;
  // The document holds the group again.
  m_done = 1;
  m_block->m_selected = 1;
  return TRUE;
}
