#include "model/undo/UndoCancelArtTransformRecord.h"

#include "model/blocks/TransformBlock.h"

CUndoCancelArtTransformRecord::CUndoCancelArtTransformRecord(CTransformBlock* block, INT_PTR index)
    : CUndoBlockRecord(block), m_index(index), m_source(block ? block->GetSource() : nullptr) {
  Watch(m_source);
}

void CUndoCancelArtTransformRecord::OnBlockDestroyed(CBlock* block) {
  if (block == m_source) {
    m_source = nullptr;
    if (m_block) static_cast<CTransformBlock*>(m_block)->ReleaseSource();
  }
  CUndoBlockRecord::OnBlockDestroyed(block);
}

CUndoCancelArtTransformRecord::~CUndoCancelArtTransformRecord() {
  auto* block = static_cast<CTransformBlock*>(m_block);
  if (!block) return;
  ReleaseBlock();
  Unwatch(m_source);
  // The source lives on in the document.
  block->ReleaseSource();
  delete block;
}

BOOL CUndoCancelArtTransformRecord::Undo(CBlockView* view) {
  auto* block = static_cast<CTransformBlock*>(m_block);
  if (!block || !block->GetSource()) return FALSE;
  CSegArray* list = BlockListOf(view);
  block->Invalidate(view, TRUE);
  block->GetSource()->Invalidate(view, TRUE);
  RemoveFromList(list, block->GetSource());
  block->m_selected = 1;
  if (!InsertIntoList(list, m_index, block)) return FALSE;
  ReleaseBlock();
  Unwatch(m_source);
  m_source = nullptr;
  return TRUE;
}
