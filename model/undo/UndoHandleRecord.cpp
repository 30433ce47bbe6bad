#include "model/undo/UndoHandleRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"
#include "model/editing/DragState.h"

CUndoHandleRecord::CUndoHandleRecord(CBlock* block, UINT keyFlags, int handle, FPOINT press,
                                     FPOINT last)
    : CUndoBlockRecord(block),
      m_keyFlags(keyFlags),
      m_handle(handle),
      m_press(press),
      m_last(last) {}

BOOL CUndoHandleRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  // The drag runs backwards: from where it ended to where it began.
  CDragState& drag = GetDragState();
  drag.press = m_last;
  drag.current = m_press;
  m_block->MoveHandle(m_keyFlags, m_handle, m_press.x, m_press.y);
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
