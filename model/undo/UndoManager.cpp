#include "model/undo/UndoManager.h"

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "model/editing/MainWindowNotice.h"
#include "model/settings/IniFile.h"
#include "model/undo/UndoRepaintRecord.h"
#include "model/undo/UndoStep.h"

namespace {

const WORD kDefaultStepLimit = 10;
// From this nesting depth on, opening a level shows the depth in the status pane.
const int kDeepNesting = 6;
// Status command that puts a text into the first pane of the status bar.
const UINT kStatusTextCommand = 32850;

WORD ReadStepLimit() {
  int limit = CIniFile().GetInt("SystemParam", "UndoStep", kDefaultStepLimit);
  return static_cast<WORD>(limit);
}

}  // namespace

CUndoManager::CUndoManager() : CUndoManager(ReadStepLimit()) {}

CUndoManager::CUndoManager(WORD stepLimit)
    : m_stepLimit(stepLimit),
      m_repaintRequested(0),
      m_suspended(0),
      m_depth(0),
      m_stepPending(0),
      m_openStep(nullptr) {}

CUndoManager::~CUndoManager() { DeleteAll(m_steps); }

int CUndoManager::BeginStep(int repaint) {
  if (m_suspended) return m_suspended;
  if (m_depth == 0) {
    m_repaintRequested = 0;
    m_stepPending = 1;
  }
  if (repaint) m_repaintRequested = 1;
  CString status;
  if (m_depth >= kDeepNesting) status.Format("iStartRecord=%d,iStartRecord", m_depth);
  ShowStatusText(status);
  ++m_depth;
  return m_suspended;
}

int CUndoManager::EndStep() {
  if (!m_suspended && m_depth > 0) {
    --m_depth;
    // A step closed without records leaves nothing behind.
    if (m_depth == 0) {
      m_stepPending = 0;
      m_openStep = nullptr;
      DropOldestSteps();
    }
  }
  return m_suspended;
}

void CUndoManager::DropOldestSteps() {
  // Only a step that was kept counts: a step still open may yet be dropped whole (CancelStep),
  // and must not have cost the oldest one its place.
  while (m_stepLimit > 0 && m_steps.GetSize() > m_stepLimit + 1) DeleteStepAt(0);
}

int CUndoManager::CancelStep() {
  // Only the outermost level owns its step: records of an inner level belong to the enclosing
  // command, which decides for them when it closes.
  if (!m_suspended && m_depth == 1) {
    for (INT_PTR i = m_steps.GetUpperBound(); i >= 0; --i) {
      if (m_steps.GetAt(i) == m_openStep) {
        DeleteStepAt(i);
        break;
      }
    }
  }
  return EndStep();
}

INT_PTR CUndoManager::AppendRecord(CUndoRecord* record) {
  if (!record) return -1;
  if (GetDepth() == 0) {
    delete record;
    return -1;
  }
  if (m_stepPending) {
    NewStep();
    m_stepPending = 0;
    m_openStep = GetStep(-1);
  }
  CUndoStep* step = GetStep(-1);
  if (!step) {
    AfxShowMessageBox(nullptr, "Cant't AppendUndoItem,Because can't find UndoStep!", "Error",
                      MB_OK);
    delete record;
    return -1;
  }
  if (m_repaintRequested) {
    if (!step->BeginsWithRepaint()) InsertRepaintRecord(step);
    m_repaintRequested = 0;
  }
  ++m_recordsKept;
  if (record->ChangesDocument()) ++m_changesKept;
  return step->Add(record);
}

void CUndoManager::AppendRepaintRecord() {
  // Nothing is recorded while no step is open; closed steps are never changed.
  if (GetDepth() == 0) return;
  m_repaintRequested = 1;
  if (m_stepPending) return;
  CUndoStep* step = GetStep(-1);
  if (!step) {
    AfxShowMessageBox(nullptr, "Cant't AppendUndo Repaint Item,Because can't find UndoStep!",
                      "Error", MB_OK);
    return;
  }
  if (step->IsEmpty()) return;
  if (!step->BeginsWithRepaint()) InsertRepaintRecord(step);
  m_repaintRequested = 0;
}

void CUndoManager::NewStep() { m_steps.Add(new CUndoStep); }

CUndoStep* CUndoManager::GetStep(INT_PTR index) const {
  if (m_steps.IsEmpty()) return nullptr;
  if (index < 0) index = m_steps.GetUpperBound();
  if (index >= m_steps.GetSize()) return nullptr;
  return static_cast<CUndoStep*>(m_steps.GetAt(index));
}

void CUndoManager::RemoveLastStep() {
  if (!m_steps.IsEmpty()) DeleteStepAt(m_steps.GetUpperBound());
}

void CUndoManager::DeleteStepAt(INT_PTR index) {
  CObject* step = m_steps.GetAt(index);
  m_steps.RemoveAt(index);
  if (step == m_openStep) m_openStep = nullptr;
  delete step;
}

BOOL CUndoManager::PlayLastStep(CBlockView* view) {
  CUndoStep* step = GetStep(-1);
  if (!step) return FALSE;
  Suspend();
  for (INT_PTR i = step->GetUpperBound(); i >= 0; --i) step->GetRecord(i)->Undo(view);
  RemoveLastStep();
  Resume();
  return TRUE;
}

void CUndoManager::DeleteAll(CObArray& items) {
  while (!items.IsEmpty()) {
    CObject* last = items.GetAt(items.GetUpperBound());
    items.RemoveAt(items.GetUpperBound());
    delete last;
  }
}

void CUndoManager::InsertRepaintRecord(CUndoStep* step) {
  step->InsertAt(0, new CUndoRepaintRecord);
}

void CUndoManager::ShowStatusText(LPCSTR text) {
  SendToMainWindow(kStatusTextCommand, reinterpret_cast<LPARAM>(text));
}
