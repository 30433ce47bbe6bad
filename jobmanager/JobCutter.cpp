#include "jobmanager/JobCutter.h"

#include "framework/WinApp.h"
#include "output/JobFile.h"
#include "output/OutPort.h"
#include "output/PortNames.h"

namespace {

// Closes a file handle when the scope ends.
class FileHandle {
public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(m_handle);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }

private:
  HANDLE m_handle;
};

}  // namespace

CJobCutter::CJobCutter(COutPort& port)
    : m_port(port),
      m_cancelWaitMs(kDefaultCancelWaitMs),
      m_problem(kNoProblem),
      m_problemError(ERROR_SUCCESS) {}

CJobCutter::Result CJobCutter::Fail(Problem problem, LPCSTR subject, DWORD error) {
  m_problem = problem;
  m_problemSubject = subject;
  m_problemError = error;
  return kFailed;
}

DWORD CJobCutter::PieceSize(ULONGLONG fileLength) {
  const ULONGLONG piece = fileLength / 100;
  if (piece < kMinPiece) return kMinPiece;
  if (piece >= kMaxPiece) return kMaxPiece;
  return static_cast<DWORD>(piece);
}

int CJobCutter::Percent(ULONGLONG sent, ULONGLONG total) {
  if (total == 0) return 0;
  if (sent >= total) return 100;
  // Halving both keeps the ratio and keeps sent * 100 within 64 bits.
  while (total > ~0ull / 100) {
    sent >>= 1;
    total >>= 1;
  }
  return static_cast<int>(sent * 100 / total);
}

CJobCutter::Result CJobCutter::CutJob(LPCSTR jobFilePath, HWND pumpWindow, Progress& progress) {
  m_problem = kNoProblem;
  m_problemSubject.Empty();
  m_problemError = ERROR_SUCCESS;
  // A job file that reads but is no job leaves no system error of its own.
  SetLastError(ERROR_SUCCESS);
  CJobFile job;
  if (!job.Read(jobFilePath)) return Fail(kJobUnreadable, jobFilePath, GetLastError());
  m_port.SetPortName(job.GetPortName());
  if (m_port.GetPortKind() == kPortUsbPlotter)
    return SendToPlugIn(job.GetPortName(), job.GetDataPath(), progress);
  return SendToPort(job.GetDataPath(), pumpWindow, progress);
}

CJobCutter::Result CJobCutter::SendToPort(LPCSTR dataPath, HWND pumpWindow, Progress& progress) {
  FileHandle data(CreateFileA(dataPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!data.IsOpen() || !GetFileSizeEx(data.Get(), &size))
    return Fail(kDataUnreadable, dataPath, GetLastError());
  const ULONGLONG length = static_cast<ULONGLONG>(size.QuadPart);
  const DWORD piece = PieceSize(length);
  if (!m_port.Open(pumpWindow)) {
    m_port.Close();
    return Fail(kPortNotOpened, m_port.GetPortName(), m_port.GetOpenError());
  }
  Result result = kCut;
  ULONGLONG sent = 0;
  while (sent < length) {
    if (progress.IsAborted()) {
      result = kStopped;
      break;
    }
    char buffer[kPieceBuffer] = {};
    DWORD got = 0;
    if (!ReadFile(data.Get(), buffer, piece, &got, nullptr) || got == 0) {
      result = Fail(kDataUnreadable, dataPath, GetLastError());
      break;
    }
    progress.ShowPercent(Percent(sent, length));
    // By length: plot data may hold NUL bytes. A device that stops taking bytes gives no error.
    SetLastError(ERROR_SUCCESS);
    if (!m_port.WriteData(buffer, got)) {
      const DWORD error = GetLastError();
      result = progress.IsAborted() || m_port.GetState() == COutPort::kCancelled
                   ? kStopped
                   : Fail(kPortRefused, m_port.GetPortName(), error);
      break;
    }
    sent += got;
  }
  m_port.Close();
  if (result == kCut) progress.ShowDone();
  return result;
}

CJobCutter::Result CJobCutter::SendToPlugIn(LPCSTR portName, LPCSTR dataPath, Progress& progress) {
  PlotInfo info = {};
  info.size = static_cast<INT32>(sizeof info);
  info.deleteFile = 0;
  // A plug-in that refuses the file gives no system error; one that does not load gives its own.
  SetLastError(ERROR_SUCCESS);
  if (!StartPlot(portName, dataPath, &info)) {
    const DWORD error = GetLastError();
    m_port.SetState(COutPort::kIdle);
    EndPlot(true);
    return Fail(kPortNotOpened, portName, error);
  }
  int shown = -1;
  bool ended = false;
  bool lost = false;
  bool cancelling = false;
  bool cancelAnswered = false;
  DWORD cancelStart = 0;
  for (;;) {
    // A job the plug-in can no longer tell about is not a copy done: its writer may still run.
    if (!QueryPlot(&info)) {
      lost = true;
      break;
    }
    if (info.threadHandle == 0) {
      ended = true;
      break;
    }
    if (info.percent != shown) {
      shown = info.percent;
      progress.ShowPercent(shown);
    }
    if (progress.IsAborted() && !cancelling) {
      cancelling = true;
      cancelStart = GetTickCount();
    }
    // A refused cancel is asked again at each poll until the wait runs out.
    if (cancelling && !cancelAnswered) cancelAnswered = CancelPlot(&info) != FALSE;
    if (cancelling && GetTickCount() - cancelStart >= m_cancelWaitMs) break;
    PumpWhileWaiting(kPollMs);
  }
  m_port.SetState(COutPort::kIdle);
  EndPlot(ended);
  if (cancelling) return kStopped;
  if (lost) return Fail(kPortRefused, portName, ERROR_SUCCESS);
  progress.ShowDone();
  return kCut;
}

// A plug-in queues a file for a cutter that is not attached and then reports no progress without
// end: such a job is not started, and the system's reason says why.
bool CJobCutter::StartPlot(LPCSTR portName, LPCSTR dataPath, PlotInfo* info) {
  CPlotterPlugIn& plugIn = m_port.GetPlugIn();
  if (!plugIn.OpenForPort(portName) || !plugIn.Load()) return false;
  if (!plugIn.IsPlotterAttached()) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return false;
  }
  return plugIn.PlotFile(dataPath, info) != FALSE;
}

bool CJobCutter::QueryPlot(PlotInfo* info) {
  return m_port.GetPlugIn().QueryPlotInfo(info) != FALSE;
}

bool CJobCutter::CancelPlot(PlotInfo* info) { return m_port.GetPlugIn().CancelJob(info) != FALSE; }

void CJobCutter::EndPlot(bool threadEnded) {
  CPlotterPlugIn& plugIn = m_port.GetPlugIn();
  if (!threadEnded && plugIn.GetModule()) {
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(plugIn.GetModule()), &pinned);
  }
  plugIn.Unload();
}

void CJobCutter::PumpWhileWaiting(DWORD milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
  AfxPumpWaitingMessages();
}
