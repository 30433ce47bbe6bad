#include "model/undo/UndoColourRecord.h"

#include "model/blocks/Block.h"

BOOL CUndoColourRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  m_block->SetColour(view, m_colour, TRUE);
  return TRUE;
}
