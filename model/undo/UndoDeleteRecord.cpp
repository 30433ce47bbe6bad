#include "model/undo/UndoDeleteRecord.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"

CUndoDeleteRecord::~CUndoDeleteRecord() {
  CBlock* block = m_block;
  ReleaseBlock();
  delete block;
}

BOOL CUndoDeleteRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  m_block->m_selected = 1;
  if (!InsertIntoList(BlockListOf(view), m_index, m_block)) return FALSE;
  ReleaseBlock();
  HWND window = view->GetViewWindow();
  if (window) ::InvalidateRect(window, nullptr, FALSE);
  return TRUE;
}
