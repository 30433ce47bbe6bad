#include "model/undo/UndoMergeRecord.h"

#include "model/blocks/BlockView.h"
#include "model/document/SegArray.h"
#include "model/undo/UndoBlockRecord.h"

CUndoMergeRecord::CUndoMergeRecord(CSegArray* blocks) : m_blocks(blocks) {
  if (!m_blocks) return;
  for (INT_PTR i = 0; i < m_blocks->GetSize(); ++i) Watch(m_blocks->GetBlock(i));
}

CUndoMergeRecord::~CUndoMergeRecord() {
  if (!m_blocks) return;
  CSegArray* blocks = m_blocks;
  ReleaseBlocks();
  blocks->RemoveAll();
  delete blocks;
}

void CUndoMergeRecord::ReleaseBlocks() {
  for (INT_PTR i = 0; i < m_blocks->GetSize(); ++i) Unwatch(m_blocks->GetBlock(i));
  m_blocks = nullptr;
}

void CUndoMergeRecord::OnBlockDestroyed(CBlock* block) {
  if (!m_blocks) return;
  for (INT_PTR i = m_blocks->GetSize() - 1; i >= 0; --i)
    if (m_blocks->GetBlock(i) == block) m_blocks->RemoveAt(i);
}

BOOL CUndoMergeRecord::Undo(CBlockView* view) {
  CSegArray* list = view ? view->GetBlockList() : nullptr;
  if (!m_blocks || !list) return FALSE;
  CSegArray* blocks = m_blocks;
  ReleaseBlocks();
  // Only blocks the document gave up are deleted; any other one belongs elsewhere by now.
  for (INT_PTR i = blocks->GetSize() - 1; i >= 0; --i) {
    if (CUndoBlockRecord::RemoveFromList(list, blocks->GetBlock(i)) < 0) blocks->RemoveAt(i);
  }
  HWND window = view->GetViewWindow();
  if (window) ::InvalidateRect(window, nullptr, TRUE);
  blocks->DeleteAll();
  delete blocks;
  return TRUE;
}
