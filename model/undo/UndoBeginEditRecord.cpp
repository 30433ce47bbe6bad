#include "model/undo/UndoBeginEditRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"

BOOL CUndoBeginEditRecord::Undo(CBlockView* view) {
  if (!m_block || !view) return FALSE;
  m_block->EndEdit(view);
  view->SetEditBlock(nullptr);
  return TRUE;
}
