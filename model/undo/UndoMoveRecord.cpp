#include "model/undo/UndoMoveRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"

BOOL CUndoMoveRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  m_block->Offset(-m_dx, -m_dy);
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
