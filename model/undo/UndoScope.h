// CUndoScope: one level of an undo step held for the length of a command. The constructor opens
// the level and the destructor closes it, so no early return or exception leaves a step open and
// recording for whatever comes next. Levels nest as the manager's do; only the outermost makes a
// step. A command that finds nothing to change calls Cancel(), which closes the level at once and,
// for the outermost level, leaves no step behind.
#pragma once

class CUndoManager;

class CUndoScope {
public:
  // A non-zero repaint puts a repaint record at the front of the step, as for BeginStep.
  explicit CUndoScope(CUndoManager& manager, int repaint = 0);
  ~CUndoScope();
  CUndoScope(const CUndoScope&) = delete;
  CUndoScope& operator=(const CUndoScope&) = delete;

  // Closes the level now; whatever the outermost level recorded is dropped without being played.
  // The destructor then does nothing.
  void Cancel();

private:
  CUndoManager& m_manager;
  bool m_open;
};
