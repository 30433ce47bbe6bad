#include "model/undo/UndoOrderRecord.h"

#include "model/blocks/BlockView.h"

BOOL CUndoOrderRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  CSegArray* list = BlockListOf(view);
  // A block the list does not hold is not put into it.
  if (RemoveFromList(list, m_block) < 0) return FALSE;
  InsertIntoList(list, m_oldIndex, m_block);
  HWND window = view->GetViewWindow();
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
