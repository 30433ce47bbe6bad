#include "model/undo/UndoScope.h"

#include "model/undo/UndoManager.h"

// While an undo is played the manager opens no level, so there is none to close later either.
CUndoScope::CUndoScope(CUndoManager& manager, int repaint)
    : m_manager(manager), m_open(manager.BeginStep(repaint) == 0) {}

CUndoScope::~CUndoScope() {
  if (m_open) m_manager.EndStep();
}

void CUndoScope::Cancel() {
  if (!m_open) return;
  m_open = false;
  m_manager.CancelStep();
}
