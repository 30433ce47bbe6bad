#include "model/undo/UndoDeselectRecord.h"

#include "model/blocks/Block.h"

BOOL CUndoDeselectRecord::Undo(CBlockView* /*view*/) {
  if (!m_block) return FALSE;
  m_block->m_selected = 1;
  return TRUE;
}
