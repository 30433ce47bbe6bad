#include "model/undo/UndoNodeSelectRecord.h"

#include "model/blocks/CurveBlock.h"

CUndoNodeSelectRecord::CUndoNodeSelectRecord(CCurveBlock* curve, int index)
    : CUndoBlockRecord(curve), m_index(index) {}

BOOL CUndoNodeSelectRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  static_cast<CCurveBlock*>(m_block)->DeselectNode(view, m_index);
  return TRUE;
}
