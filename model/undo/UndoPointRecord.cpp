#include "model/undo/UndoPointRecord.h"

#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"

CUndoPointRecord::CUndoPointRecord(CCurveBlock* curve, int index, const POINTREC& record)
    : CUndoBlockRecord(curve), m_index(index), m_record(record) {}

BOOL CUndoPointRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  static_cast<CCurveBlock*>(m_block)->SetPointRecord(m_index, m_record);
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
