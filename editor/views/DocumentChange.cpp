#include "editor/views/DocumentChange.h"

#include "framework/Document.h"
#include "model/undo/UndoManager.h"

CDocumentChange::CDocumentChange(CUndoManager& undo, CDocument* document, int repaint)
    : m_undo(undo),
      m_document(document),
      m_recordsBefore(undo.GetRecordsKept()),
      m_changesBefore(undo.GetChangesKept()),
      m_scope(undo, repaint) {}

CDocumentChange::~CDocumentChange() {
  if (Changed()) {
    if (m_document) m_document->SetModifiedFlag(TRUE);
    return;
  }
  // Only the selection moved (or nothing at all): there is no step worth undoing. An enclosing
  // action keeps its records; cancelling drops only a step this action made.
  if (m_undo.GetRecordsKept() != m_recordsBefore) m_scope.Cancel();
}

bool CDocumentChange::Changed() const { return m_undo.GetChangesKept() != m_changesBefore; }
