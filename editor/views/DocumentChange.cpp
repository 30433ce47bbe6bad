#include "editor/views/DocumentChange.h"

#include "framework/Document.h"
#include "model/undo/UndoManager.h"

CDocumentChange::CDocumentChange(CUndoManager& undo, CDocument* document, int repaint)
    : m_undo(undo),
      m_document(document),
      m_recordsBefore(undo.GetRecordsKept()),
      m_scope(undo, repaint) {}

CDocumentChange::~CDocumentChange() {
  if (m_document && Changed()) m_document->SetModifiedFlag(TRUE);
}

bool CDocumentChange::Changed() const { return m_undo.GetRecordsKept() != m_recordsBefore; }
