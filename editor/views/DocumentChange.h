// CDocumentChange: one user action on a drawing document, held for the length of the action. It
// opens an undo step and closes it when it goes out of scope; the document is marked modified
// exactly when the action recorded a change of the document, so that a click, a colour chosen
// with nothing selected or a command that finds nothing to do leaves an unchanged document
// unmodified. An action that only changed the selection leaves no undo step either.
#pragma once

#include <windows.h>

#include "model/undo/UndoScope.h"

class CDocument;
class CUndoManager;

class CDocumentChange {
public:
  // document may be null (a view without one): the step is still kept.
  CDocumentChange(CUndoManager& undo, CDocument* document, int repaint = 0);
  ~CDocumentChange();
  CDocumentChange(const CDocumentChange&) = delete;
  CDocumentChange& operator=(const CDocumentChange&) = delete;

  // Whether the action has recorded a change of the document so far.
  bool Changed() const;

private:
  CUndoManager& m_undo;
  CDocument* m_document;
  DWORD m_recordsBefore;
  DWORD m_changesBefore;
  CUndoScope m_scope;
};
