#include "model/undo/UndoCurveStateRecord.h"

BOOL CUndoCurveStateRecord::Undo(CBlockView*) {
  if (!m_block) return FALSE;
  static_cast<CCurveBlock*>(m_block)->SetNodeEditFields(m_fields);
  return TRUE;
}
