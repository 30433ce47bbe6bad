#include "model/UndoBeginEditRecord.h"

#include "model/Block.h"
#include "model/BlockView.h"

BOOL CUndoBeginEditRecord::Undo(CBlockView* view) {
  if (!m_block || !view) return FALSE;
  m_block->EndEdit(view);
  view->SetEditBlock(nullptr);
  return TRUE;
}
