#include "model/undo/UndoRepaintRecord.h"

#include "model/blocks/BlockView.h"

BOOL CUndoRepaintRecord::Undo(CBlockView* view) {
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
