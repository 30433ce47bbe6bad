#include "model/undo/UndoArtTransformRecord.h"

#include "model/blocks/TransformBlock.h"

CUndoArtTransformRecord::CUndoArtTransformRecord(CTransformBlock* block, INT_PTR index)
    : CUndoBlockRecord(block), m_index(index) {}

BOOL CUndoArtTransformRecord::Undo(CBlockView* view) {
  auto* block = static_cast<CTransformBlock*>(m_block);
  if (!block || !block->GetSource()) return FALSE;
  CSegArray* list = BlockListOf(view);
  block->Invalidate(view, FALSE);
  // A transform block the list does not hold belongs to someone else.
  if (RemoveFromList(list, block) < 0) return FALSE;
  CBlock* source = block->ReleaseSource();
  source->m_selected = 1;
  InsertIntoList(list, m_index, source);
  source->Invalidate(view, FALSE);
  ReleaseBlock();
  delete block;
  return TRUE;
}
