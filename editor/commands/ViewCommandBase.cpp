#include "editor/commands/ViewCommandBase.h"

#include "editor/TALVEX42View.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoManager.h"

CTALVEX42Doc* CViewCommandBase::Document() const { return m_view->GetDocument(); }

CSegArray* CViewCommandBase::Blocks() const {
  CTALVEX42Doc* document = Document();
  return document ? &document->GetBlockList() : nullptr;
}

CSelectTracker& CViewCommandBase::Tracker() const { return m_view->GetSelectTracker(); }

CUndoManager& CViewCommandBase::Undo() const { return *m_view->GetUndoManager(); }

bool CViewCommandBase::Recording() const { return m_view->GetUndoDepth() != 0; }

void CViewCommandBase::Record(CUndoRecord* record) const {
  if (Recording())
    Undo().AppendRecord(record);
  else
    delete record;
}

void CViewCommandBase::RecordRemoval(CBlock* block, INT_PTR index) const {
  if (Recording())
    Undo().AppendRecord(new CUndoDeleteRecord(block, index));
  else
    delete block;
}

int CViewCommandBase::CountSelected(BYTE type) const {
  CSegArray* blocks = Blocks();
  int count = 0;
  for (INT_PTR i = 0; blocks && i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (block && block->m_selected == 1 && (type == 0 || block->m_type == type)) ++count;
  }
  return count;
}

void CViewCommandBase::Repaint() const {
  if (m_view->m_hWnd) m_view->Invalidate(FALSE);
}
