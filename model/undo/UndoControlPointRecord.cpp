#include "model/undo/UndoControlPointRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"
#include "model/editing/DragState.h"

CUndoControlPointRecord::CUndoControlPointRecord(CBlock* block, UINT keyFlags, int index,
                                                 FPOINT press, FPOINT last)
    : CUndoBlockRecord(block), m_keyFlags(keyFlags), m_index(index), m_press(press), m_last(last) {}

BOOL CUndoControlPointRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  CDragState& drag = GetDragState();
  drag.press = m_last;
  drag.current = m_press;
  m_block->MoveControlPoint(view, m_keyFlags, m_index, m_press.x, m_press.y);
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
