#include "model/UndoEndEditRecord.h"

#include "model/Block.h"
#include "model/BlockView.h"

BOOL CUndoEndEditRecord::Undo(CBlockView* view) {
  if (!m_block || !view) return FALSE;
  m_block->BeginEdit(m_tool, view);
  view->SetEditBlock(m_block);
  return TRUE;
}
