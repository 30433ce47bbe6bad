// CUndoManager: the undo steps of one drawing view. A command opens a step (levels may nest; only
// the outermost creates one, and only when its first record arrives), appends records while the
// depth is non-zero and closes the step. Undo plays the newest step backwards and discards it;
// there is no redo. At most limit + 1 steps are kept: the oldest goes when a newer one is closed.
// Commands open their level through a CUndoScope, which cannot be left open.
#pragma once

#include <windows.h>

#include "framework/ObArray.h"

class CBlockView;
class CUndoRecord;
class CUndoStep;

class CUndoManager {
public:
  // The step limit comes from "UndoStep" in "SystemParam" of TALVEX42.INI (default 10).
  CUndoManager();
  explicit CUndoManager(WORD stepLimit);
  ~CUndoManager();
  CUndoManager(const CUndoManager&) = delete;
  CUndoManager& operator=(const CUndoManager&) = delete;

  // Opens a level; a non-zero repaint puts a repaint record at the front of the step. Returns the
  // suspended flag.
  int BeginStep(int repaint = 0);
  int EndStep();
  // Closes a level for a command that changed nothing: closing the outermost level also drops the
  // step it created, records and all, without playing them. Returns the suspended flag.
  int CancelStep();
  // 0 while suspended, else the nesting depth: records are appended only while this is non-zero.
  int GetDepth() const { return m_suspended ? 0 : m_depth; }
  void Suspend() { m_suspended = 1; }
  void Resume() { m_suspended = 0; }

  // Takes the record: returns its index in the newest step, or -1 after deleting it.
  INT_PTR AppendRecord(CUndoRecord* record);
  void AppendRepaintRecord();
  void NewStep();
  // A negative index gives the newest step; null when there is none.
  CUndoStep* GetStep(INT_PTR index) const;
  INT_PTR GetStepCount() const { return m_steps.GetSize(); }
  void RemoveLastStep();
  // Plays the newest step's records from the last to the first with recording suspended, then
  // discards the step. False when there is no step.
  BOOL PlayLastStep(CBlockView* view);

  WORD GetStepLimit() const { return m_stepLimit; }
  // How many records the manager has kept since it was made, and how many of them changed the
  // document (not only the selection); a command compares the counts before and after to learn
  // whether it changed anything.
  DWORD GetRecordsKept() const { return m_recordsKept; }
  DWORD GetChangesKept() const { return m_changesKept; }

  // Deletes every element of an undo array from the last to the first, removing each first.
  static void DeleteAll(CObArray& items);

private:
  void InsertRepaintRecord(CUndoStep* step);
  // Keeps at most limit + 1 steps once a step is closed.
  void DropOldestSteps();
  // Removes the step at the index and deletes it with its records.
  void DeleteStepAt(INT_PTR index);
  static void ShowStatusText(LPCSTR text);

  CObArray m_steps;
  WORD m_stepLimit;
  int m_repaintRequested;
  int m_suspended;
  int m_depth;
  int m_stepPending;
  // The step created since the outermost level was opened, null when none (or already gone).
  CUndoStep* m_openStep;
  DWORD m_recordsKept = 0;
  DWORD m_changesKept = 0;
};
