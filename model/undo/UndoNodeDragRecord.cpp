#include "model/undo/UndoNodeDragRecord.h"

#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/NodeEditState.h"

CUndoNodeDragRecord::CUndoNodeDragRecord(CCurveBlock* curve, UINT keyFlags, int current,
                                         FPOINT press, FPOINT last,
                                         const std::vector<POINTREC>& before)
    : CUndoBlockRecord(curve),
      m_keyFlags(keyFlags),
      m_current(current),
      m_press(press),
      m_last(last),
      m_before(before) {}

BOOL CUndoNodeDragRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  CCurveBlock* curve = static_cast<CCurveBlock*>(m_block);
  // The shared state sees the drag run the other way, as the tool would have left it.
  CNodeEditState& state = GetNodeEditState();
  state.press = m_last;
  state.last = m_press;
  curve->SetPathRecords(m_before);
  curve->RecountSelection();
  curve->m_currentIndex = m_current;
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
