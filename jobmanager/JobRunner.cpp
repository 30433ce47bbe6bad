#include "jobmanager/JobRunner.h"

#include "jobmanager/JobItemData.h"

CJobRunner::CJobRunner(CJobQueueHost& host)
    : m_host(host),
      m_mode(kStopped),
      m_currentRow(-1),
      m_aborted(false),
      m_cutting(false),
      m_running(false),
      m_copyFailed(false),
      m_runPosted(false),
      m_runWaiting(false),
      m_runEnds(0),
      m_deleteAllWaiting(false) {}

int CJobRunner::RequestedCopies(int row) const {
  return CJobItemData(m_host.GetRowData(row)).GetCopiesRequested();
}

bool CJobRunner::CanRemoveCopy(int row) const {
  return row >= 0 && row < m_host.GetRowCount() && m_host.GetCopiesDone(row) < RequestedCopies(row);
}

void CJobRunner::SetMode(RunMode mode) {
  m_mode = mode;
  if (m_currentRow >= 0) m_host.RedrawRow(m_currentRow);
}

void CJobRunner::PostRun() {
  if (m_runPosted) return;
  m_runPosted = true;
  m_host.PostRunCommand();
}

void CJobRunner::Start(RunMode mode) {
  if (m_mode != kStopped) {
    // A paused queue whose run has ended goes on with the current row in the new mode.
    const bool resume = m_mode == kPaused && !m_running;
    SetMode(mode);
    if (resume) PostRun();
    return;
  }
  const int row = m_host.GetSelectedRow();
  if (row < 0) return;
  CJobItemData item(m_host.GetRowData(row));
  item.SetFlags(CJobItemData::kMarked | CJobItemData::kQueued);
  const int done = m_host.GetCopiesDone(row);
  if (item.GetCopiesRequested() <= done) item.SetCopiesRequested(done + 1);
  m_host.SetRowData(row, item.Get());
  m_currentRow = row;
  if (mode == kPauseEachCopy || mode == kPauseEachJob) m_host.Beep(0);
  SetMode(mode);
  PostRun();
}

void CJobRunner::Pause() {
  if (m_mode >= kPauseEachCopy) SetMode(kPaused);
}

void CJobRunner::Stop() {
  if (m_mode != kStopped) EndRun(true);
}

void CJobRunner::EndRun(bool abort) {
  const int row = m_currentRow;
  m_mode = kStopped;
  m_currentRow = -1;
  ++m_runEnds;
  if (abort) {
    m_aborted = true;
    m_host.CancelOutput();
  }
  if (row >= 0 && row < m_host.GetRowCount()) m_host.RedrawRow(row);
}

void CJobRunner::JobHandedOver(int row) {
  if (m_currentRow >= 0) return;
  m_currentRow = row;
  SetMode(kPauseEachCopy);
  PostRun();
}

void CJobRunner::Run() {
  m_runPosted = false;
  if (m_running) {
    // A run command pumped while a copy is cut: the run in progress goes first.
    m_runWaiting = true;
    return;
  }
  if (m_currentRow < 0 || m_currentRow >= m_host.GetRowCount()) return;
  m_running = true;
  const bool goOn = CutCopies();
  m_running = false;
  if (goOn) FinishRun();
  if (m_runWaiting) {
    m_runWaiting = false;
    if (m_currentRow >= 0) PostRun();
  }
}

bool CJobRunner::CutCopies() {
  const unsigned runEnds = m_runEnds;
  const CString job = m_host.GetJobPath(m_currentRow);
  int done = m_host.GetCopiesDone(m_currentRow);
  m_host.ShowCurrentRow(m_currentRow);
  m_aborted = false;
  m_copyFailed = false;
  while (done < RequestedCopies(m_currentRow)) {
    m_host.SetCopiesDone(m_currentRow, done + 1);
    m_cutting = true;
    const CJobQueueHost::CutResult result = m_host.CutJobOnce(m_currentRow);
    m_cutting = false;
    // A copy that did not go out completely is not counted.
    if (result != CJobQueueHost::kCut) {
      const int row = m_host.FindRow(job);
      if (row >= 0) m_host.SetCopiesDone(row, done);
    }
    ApplyWaitingDeletes();
    if (runEnds != m_runEnds) return false;
    m_copyFailed = result == CJobQueueHost::kFailed;
    if (result != CJobQueueHost::kCut || m_mode == kPauseEachCopy) break;
    ++done;
  }
  return true;
}

void CJobRunner::FinishRun() {
  if (m_copyFailed) {
    // The message is the alert: it says why, where five beeps would only say that the run ended.
    EndRun(false);
    m_host.RaiseMainWindow();
    m_host.ReportCutFailure();
    return;
  }
  switch (m_mode) {
    case kStopped:
    case kPaused:
      return;
    case kPauseEachCopy:
    case kPauseEachJob:
      Alert();
      return;
    case kNoPause: {
      const int next = NextMarkedRow(m_currentRow);
      if (next < 0) {
        Alert();
        return;
      }
      const int previous = m_currentRow;
      m_currentRow = next;
      m_host.RedrawRow(previous);
      m_host.RedrawRow(next);
      PostRun();
      return;
    }
  }
}

void CJobRunner::Alert() {
  Stop();
  m_host.RaiseMainWindow();
  for (int i = 0; i < kAlertBeeps; ++i) m_host.Beep(0);
}

int CJobRunner::NextMarkedRow(int after) const {
  const int count = m_host.GetRowCount();
  for (int row = after + 1; row < count; ++row) {
    if (CJobItemData(m_host.GetRowData(row)).IsMarked()) return row;
  }
  return -1;
}

void CJobRunner::AddCopy(int row) {
  if (row < 0 || row >= m_host.GetRowCount()) return;
  CJobItemData item(m_host.GetRowData(row));
  item.SetCopiesRequested(item.GetCopiesRequested() + 1);
  m_host.SetRowData(row, item.Get());
  m_host.SetCopiesDone(row, m_host.GetCopiesDone(row));
}

void CJobRunner::RemoveCopy(int row) {
  if (!CanRemoveCopy(row)) return;
  CJobItemData item(m_host.GetRowData(row));
  item.SetCopiesRequested(item.GetCopiesRequested() - 1);
  m_host.SetRowData(row, item.Get());
  m_host.SetCopiesDone(row, m_host.GetCopiesDone(row));
}

void CJobRunner::ToggleMark(int row) {
  if (row < 0 || row >= m_host.GetRowCount() || row == m_currentRow) return;
  CJobItemData item(m_host.GetRowData(row));
  item.SetMarked(!item.IsMarked());
  m_host.SetRowData(row, item.Get());
  m_host.RedrawRow(row);
}

void CJobRunner::Delete(int row) {
  if (row < 0 || row >= m_host.GetRowCount()) return;
  if (m_cutting) {
    m_waitingDeletes.push_back(m_host.GetJobPath(row));
    return;
  }
  DeleteNow(row);
}

void CJobRunner::DeleteAll() {
  if (m_cutting) {
    m_deleteAllWaiting = true;
    return;
  }
  DeleteAllNow();
}

// Deleting the current job ends the run; any other row leaves the run alone (its index moves up
// when a row before it goes).
void CJobRunner::DeleteNow(int row) {
  if (row == m_currentRow)
    EndRun(false);
  else if (row < m_currentRow)
    --m_currentRow;
  m_host.RemoveRow(row);
}

void CJobRunner::DeleteAllNow() {
  if (m_mode != kStopped) EndRun(false);
  while (m_host.GetRowCount() > 0) m_host.RemoveRow(0);
}

void CJobRunner::ApplyWaitingDeletes() {
  std::vector<CString> paths;
  paths.swap(m_waitingDeletes);
  if (m_deleteAllWaiting) {
    m_deleteAllWaiting = false;
    DeleteAllNow();
    return;
  }
  for (const CString& path : paths) {
    const int row = m_host.FindRow(path);
    if (row >= 0) DeleteNow(row);
  }
}
