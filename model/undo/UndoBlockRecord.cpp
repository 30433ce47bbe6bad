#include "model/undo/UndoBlockRecord.h"

#include "model/blocks/BlockView.h"
#include "model/document/SegArray.h"

CUndoBlockRecord::CUndoBlockRecord(CBlock* block) : m_block(block) { Watch(block); }

void CUndoBlockRecord::OnBlockDestroyed(CBlock* block) {
  if (block == m_block) m_block = nullptr;
}

void CUndoBlockRecord::ReleaseBlock() {
  Unwatch(m_block);
  m_block = nullptr;
}

CSegArray* CUndoBlockRecord::BlockListOf(CBlockView* view) {
  return view ? view->GetBlockList() : nullptr;
}

INT_PTR CUndoBlockRecord::RemoveFromList(CSegArray* list, CBlock* block) {
  if (!list || !block) return -1;
  for (INT_PTR i = 0; i < list->GetSize(); ++i) {
    if (list->GetBlock(i) == block) {
      list->RemoveAt(i);
      return i;
    }
  }
  return -1;
}

BOOL CUndoBlockRecord::InsertIntoList(CSegArray* list, INT_PTR index, CBlock* block) {
  if (!list || !block) return FALSE;
  // Past the end would pad the list with null blocks.
  if (index < 0) index = 0;
  if (index > list->GetSize()) index = list->GetSize();
  list->InsertBlock(index, block);
  return TRUE;
}
