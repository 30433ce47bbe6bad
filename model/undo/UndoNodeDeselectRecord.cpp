#include "model/undo/UndoNodeDeselectRecord.h"

#include "model/blocks/CurveBlock.h"

CUndoNodeDeselectRecord::CUndoNodeDeselectRecord(CCurveBlock* curve, int index)
    : CUndoBlockRecord(curve), m_index(index) {}

BOOL CUndoNodeDeselectRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  static_cast<CCurveBlock*>(m_block)->SelectNode(view, m_index);
  return TRUE;
}
