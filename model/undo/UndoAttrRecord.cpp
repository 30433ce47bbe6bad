#include "model/undo/UndoAttrRecord.h"

#include "model/blocks/Block.h"

BOOL CUndoAttrRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  m_block->m_attributes = m_attributes;
  if (view) m_block->Invalidate(view, TRUE);
  return TRUE;
}
