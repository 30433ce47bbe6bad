// CJobQueueHost: what the run modes (CJobRunner) ask of the queue they run. The job list view
// implements it over its rows and the program's output; tests implement it with plain rows and
// a record of what was cut, beeped and posted. Rows are addressed by index; an index is only used
// until the next call that may remove rows (RemoveRow, or anything that pumps messages:
// CutJobOnce).
#pragma once

#include <windows.h>

#include "framework/String.h"

class CJobQueueHost {
public:
  // How one copy of a job ended.
  enum CutResult { kCut, kFailed, kStopped };

  virtual ~CJobQueueHost() = default;

  // The rows.
  virtual int GetRowCount() const = 0;
  // The selected row, -1 when none is.
  virtual int GetSelectedRow() const = 0;
  virtual DWORD GetRowData(int row) const = 0;
  virtual void SetRowData(int row, DWORD data) = 0;
  virtual int GetCopiesDone(int row) const = 0;
  virtual void SetCopiesDone(int row, int copies) = 0;
  virtual CString GetJobPath(int row) const = 0;
  // The row of a job file, -1 when it is not listed.
  virtual int FindRow(LPCSTR jobPath) const = 0;
  // Removes the row; its job file and data file go with it when the job file reads.
  virtual void RemoveRow(int row) = 0;
  // Selects and focuses the row that is being cut.
  virtual void ShowCurrentRow(int row) = 0;
  virtual void RedrawRow(int row) = 0;

  // What a run does.
  // Cuts one copy of the row's job; messages are pumped meanwhile, so commands may arrive.
  virtual CutResult CutJobOnce(int row) = 0;
  // Posts the run command, which comes back to CJobRunner::Run.
  virtual void PostRunCommand() = 0;
  virtual void Beep(UINT type) = 0;
  virtual void RaiseMainWindow() = 0;
  // Cancels the output port, which stops a port write in progress.
  virtual void CancelOutput() = 0;
  // Tells the user why the copy just cut failed; the run has ended and the job stays queued.
  virtual void ReportCutFailure() = 0;
};
