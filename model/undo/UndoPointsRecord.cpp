#include "model/undo/UndoPointsRecord.h"

#include "model/blocks/BlockView.h"

CUndoPointsRecord::CUndoPointsRecord(CCurveBlock* curve)
    : CUndoBlockRecord(curve), m_snapshot(curve->TakeSnapshot()) {}

BOOL CUndoPointsRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  static_cast<CCurveBlock*>(m_block)->RestoreSnapshot(m_snapshot);
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, TRUE);
  return TRUE;
}
