#include "output/UndoStampRecord.h"

#include "output/StampBlock.h"

CUndoStampRecord::CUndoStampRecord(CStampBlock* stamp)
    : CUndoBlockRecord(stamp), m_before(stamp ? stamp->Copy() : nullptr) {}

CUndoStampRecord::~CUndoStampRecord() = default;

BOOL CUndoStampRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* stamp = static_cast<CStampBlock*>(m_block);
  if (!stamp || !m_before) return FALSE;
  stamp->Invalidate(view, TRUE);
  // The newer state goes with this record.
  stamp->SwapState(*m_before);
  stamp->Invalidate(view, TRUE);
  return TRUE;
}
