#include "model/undo/UndoEndEditRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"

BOOL CUndoEndEditRecord::Undo(CBlockView* view) {
  if (!m_block || !view) return FALSE;
  m_block->BeginEdit(m_tool, view);
  view->SetEditBlock(m_block);
  return TRUE;
}
