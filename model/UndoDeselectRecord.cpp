#include "model/UndoDeselectRecord.h"

#include "model/Block.h"

BOOL CUndoDeselectRecord::Undo(CBlockView* /*view*/) {
  if (!m_block) return FALSE;
  m_block->m_selected = 1;
  return TRUE;
}
