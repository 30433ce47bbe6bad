#include "model/undo/UndoTransformRecord.h"

#include "model/blocks/Block.h"
#include "model/geometry/Matrix2D.h"

CUndoTransformRecord::CUndoTransformRecord(CBlock* block, const CMatrix2D& applied)
    : CUndoBlockRecord(block), m_inverse(applied.Inverse()) {
  if (block) m_oldBox = block->m_box;
}

CUndoTransformRecord::~CUndoTransformRecord() { delete m_inverse; }

BOOL CUndoTransformRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  if (view) m_block->Invalidate(view, TRUE);
  m_block->Transform(*m_inverse);
  m_block->m_box = m_oldBox;
  if (view) m_block->Invalidate(view, TRUE);
  return TRUE;
}
