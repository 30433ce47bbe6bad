#include "model/UndoBlockRecord.h"

CUndoBlockRecord::CUndoBlockRecord(CBlock* block) : m_block(block) { Watch(block); }

void CUndoBlockRecord::OnBlockDestroyed(CBlock* block) {
  if (block == m_block) m_block = nullptr;
}
