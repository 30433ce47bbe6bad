#include "model/undo/UndoTransformDataRecord.h"

#include <utility>

#include "model/blocks/TransformBlock.h"

CUndoTransformDataRecord::CUndoTransformDataRecord(CTransformBlock* block, std::vector<BYTE> data)
    : CUndoBlockRecord(block), m_data(std::move(data)) {}

BOOL CUndoTransformDataRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  static_cast<CTransformBlock*>(m_block)->RestoreTransformData(view, m_data);
  return TRUE;
}
