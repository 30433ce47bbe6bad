// CJobRunner: the run modes of the job queue, a state machine kept apart from the window. The
// mode says what happens after a copy: stopped, paused (the current job's copies are finished,
// then the queue waits), pause after each copy, pause after each job, or no pause (every marked
// row in turn). Commands and the run command drive it; it reaches rows and output only through
// CJobQueueHost.
//
// A copy that fails (its port does not open, say) ends the run in every mode, the user is told
// why, and the job stays queued with the copies it had, so that a start tries it again.
//
// Invariants: the mode is stopped exactly when there is no current row. Rows are never removed
// while a copy is being cut (the cut pumps messages, and the run holds the current row's index):
// deletes that arrive meanwhile wait and are carried out, by job path, once the copy ends. A run
// command that arrives during a run waits for that run to end.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "jobmanager/JobQueueHost.h"

class CJobRunner {
public:
  enum RunMode {
    kStopped = 0,
    kPaused = 1,
    kPauseEachCopy = 2,
    kPauseEachJob = 3,
    kNoPause = 4,
  };
  // The alert at the end of a run beeps this often.
  static constexpr int kAlertBeeps = 5;

  explicit CJobRunner(CJobQueueHost& host);
  CJobRunner(const CJobRunner&) = delete;
  CJobRunner& operator=(const CJobRunner&) = delete;

  RunMode GetMode() const { return m_mode; }
  // The row being cut or next to cut, -1 when none.
  int GetCurrentRow() const { return m_currentRow; }
  bool IsAborted() const { return m_aborted; }
  // True while a copy is being cut (messages are being pumped).
  bool IsCutting() const { return m_cutting; }

  // ---- Commands ----
  // Starts the selected row in a mode, or changes the mode of a run; a paused queue resumes.
  void Start(RunMode mode);
  void Pause();
  void Stop();
  // The run command: cuts the current row's copies, then goes on by the mode.
  void Run();
  // A job has just been queued in row; with no job current it is cut at once.
  void JobHandedOver(int row);
  void AddCopy(int row);
  void RemoveCopy(int row);
  void Delete(int row);
  void DeleteAll();
  // Marks or unmarks a row for runs without pause; the current row keeps its mark.
  void ToggleMark(int row);

  // ---- When the commands are enabled ----
  bool CanStart(RunMode mode) const { return m_mode != mode; }
  bool CanPause() const { return m_mode >= kPauseEachCopy; }
  bool CanStop() const { return m_mode != kStopped; }
  bool CanRemoveCopy(int row) const;

private:
  int RequestedCopies(int row) const;
  void SetMode(RunMode mode);
  void PostRun();
  // Cuts copies until the mode or the count says no more; false when the run ended meanwhile
  // (stopped, or its job deleted), so that nothing more follows.
  bool CutCopies();
  void FinishRun();
  // Stops the run: mode stopped, no current row, and, with abort, the output cancelled.
  void EndRun(bool abort);
  void Alert();
  int NextMarkedRow(int after) const;
  void DeleteNow(int row);
  void DeleteAllNow();
  void ApplyWaitingDeletes();

  CJobQueueHost& m_host;
  RunMode m_mode;
  int m_currentRow;
  bool m_aborted;
  bool m_cutting;
  bool m_running;
  bool m_copyFailed;  // the last copy of the run failed
  bool m_runPosted;
  bool m_runWaiting;
  // Counts the ends of runs, so that a run can tell that it was ended while it cut.
  unsigned m_runEnds;
  std::vector<CString> m_waitingDeletes;
  bool m_deleteAllWaiting;
};
