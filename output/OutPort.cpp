#include "output/OutPort.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/GbkText.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/settings/ProgramPaths.h"
#include "output/PortLists.h"
#include "output/PortNames.h"

namespace {

const char kSection[] = "PortInfo";

bool IsFilePathName(const CString& name) { return name.GetLength() > 1 && name[1] == ':'; }

// Enough for a few thousand plotter commands per system write.
const size_t kFileBufferBytes = 64 * 1024;

}  // namespace

COutPort::COutPort()
    : TranSpeed(9600),
      OECheck(0),
      DataWidth(8),
      StopBits(0),
      RTSCTS(1),
      DTRDSR(0),
      XONXOFF(0),
      OutMethod(kMethodChunked),
      m_state(kIdle),
      m_settings(CIniFile::ReturnSelf),
      m_retryLimit(kDefaultRetryLimit),
      m_pumpWindow(nullptr),
      m_kind(kPortNotAPort),
      m_handle(nullptr),
      m_openError(ERROR_SUCCESS),
      m_printerHandle(false),
      m_bufferFiles(false),
      m_buffering(false) {
  m_settings.MakeProgramFilePath("UPort.Ini");
  LoadSettings();
}

COutPort::~COutPort() {
  Close();
  m_plugIn.Unload();
}

void COutPort::SetPortName(LPCSTR name) {
  m_portName = name;
  LoadSettings();
}

int COutPort::GetPortKind() const { return ParsePortName(m_portName); }

void COutPort::LoadSettings() {
  FilePath = m_settings.GetString(kSection, "FilePath", "");
  OECheck = m_settings.GetInt(kSection, "OECheck", 0);
  TranSpeed = static_cast<DWORD>(m_settings.GetInt(kSection, "TranSpeed", 9600));
  StopBits = m_settings.GetInt(kSection, "StopBits", 0);
  DataWidth = m_settings.GetInt(kSection, "DataWidth", 8);
  RTSCTS = m_settings.GetInt(kSection, "RTSCTS", 1);
  DTRDSR = m_settings.GetInt(kSection, "DTRDSR", 0);
  XONXOFF = m_settings.GetInt(kSection, "XONXOFF", 0);
  OutMethod = m_settings.GetInt(kSection, "OutMethod", kMethodChunked);
}

void COutPort::SaveSettings() {
  m_settings.WriteStringOrDelete(kSection, "FilePath", FilePath);
  m_settings.WriteInt(kSection, "OECheck", OECheck);
  m_settings.WriteInt(kSection, "TranSpeed", static_cast<int>(TranSpeed));
  m_settings.WriteInt(kSection, "StopBits", StopBits);
  m_settings.WriteInt(kSection, "DataWidth", DataWidth);
  m_settings.WriteInt(kSection, "RTSCTS", RTSCTS);
  m_settings.WriteInt(kSection, "DTRDSR", DTRDSR);
  m_settings.WriteInt(kSection, "XONXOFF", XONXOFF);
}

void COutPort::SetRetryLimit(int limit) { m_retryLimit = limit < 0 ? kDefaultRetryLimit : limit; }

bool COutPort::Open(HWND pumpWindow) {
  m_pumpWindow = pumpWindow;
  m_kind = ParsePortName(m_portName);
  m_state = kOpened;
  if (m_kind <= 0) OutMethod = kMethodBytewise;
  SetLastError(ERROR_SUCCESS);
  bool opened;
  if (m_kind == kPortUsbPlotter)
    opened = m_plugIn.OpenForPort(m_portName) && m_plugIn.Load() != nullptr;
  else
    opened = OpenDevice() != nullptr;
  // Whatever failed may have left no code of its own: the open failed all the same.
  m_openError = opened ? ERROR_SUCCESS : GetLastError();
  if (!opened && m_openError == ERROR_SUCCESS) m_openError = ERROR_OPEN_FAILED;
  return opened;
}

HANDLE COutPort::OpenDevice() {
  Close();
  m_kind = ParsePortName(m_portName);
  if (m_kind <= 0) {
    m_handle = OpenFileTarget();
    m_buffering = m_bufferFiles && m_handle && GetFileType(m_handle) == FILE_TYPE_DISK;
    return m_handle;
  }
  if (m_kind == kPortUsbPlotter) return nullptr;  // plug-in ports take whole files, not writes
  if (m_kind == kPortPrinterQueue) {
    m_handle = OpenPrinterJob(nullptr);
    m_printerHandle = m_handle != nullptr;
    return m_handle;
  }
  return m_handle = OpenCommDevice();
}

HANDLE COutPort::OpenFileTarget() {
  CString path = m_portName;
  if (ParsePortName(m_portName) == kPortFileDialog) {
    if (!AskForPlotFile(path)) {
      SetLastError(ERROR_CANCELLED);
      return nullptr;
    }
    FilePath = path.Left(FolderPartLength(path));
    SaveSettings();
  }
  if (path.IsEmpty()) {
    SetLastError(ERROR_INVALID_NAME);
    return nullptr;
  }
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE,
                            nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

bool COutPort::AskForPlotFile(CString& path) {
  std::vector<char> fileName(32768, '\0');
  strcpy(fileName.data(), "*.PLT");
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  CWnd* mainWindow = AfxGetMainWnd();
  dialog.hwndOwner = mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
  dialog.lpstrFilter = "*.PLT\0*.PLT\0\0";
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.lpstrInitialDir = FilePath.IsEmpty() ? nullptr : FilePath.GetString();
  dialog.lpstrDefExt = "PLT";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameA(&dialog)) return false;
  path = fileName.data();
  return true;
}

HANDLE COutPort::OpenPrinterJob(LPCSTR documentName) {
  if (ParsePortName(m_portName) != kPortPrinterQueue) return nullptr;
  // Through the wide calls: the system's 8-bit form of a Chinese printer name on an English system
  // is "?" for each character, which names no printer.
  std::wstring printer = SystemPrinterName(PrinterNameOfPort(m_portName));
  HANDLE handle = nullptr;
  if (!OpenPrinterW(&printer[0], &handle, nullptr) || !handle) return nullptr;
  std::wstring document = CGbkText::ToWide(documentName ? documentName : "PrinterDoc");
  DOC_INFO_1W doc = {};
  doc.pDocName = &document[0];
  doc.pOutputFile = nullptr;
  doc.pDatatype = const_cast<LPWSTR>(L"RAW");
  // A job that cannot start would swallow every write: the open fails instead.
  if (!StartDocPrinterW(handle, 1, reinterpret_cast<LPBYTE>(&doc))) {
    const DWORD error = GetLastError();
    ClosePrinter(handle);
    SetLastError(error);
    return nullptr;
  }
  if (!StartPagePrinter(handle)) {
    const DWORD error = GetLastError();
    EndDocPrinter(handle);
    ClosePrinter(handle);
    SetLastError(error);
    return nullptr;
  }
  return handle;
}

HANDLE COutPort::OpenCommDevice() {
  // The line settings can be read and set only through a handle with read access as well; a
  // device that refuses reading is still written.
  CString path = PortDevicePath(m_portName);
  HANDLE device = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  if (device == INVALID_HANDLE_VALUE)
    device = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (device == INVALID_HANDLE_VALUE) return nullptr;
  ConfigureCommDevice(device);
  return device;
}

void COutPort::ConfigureCommDevice(HANDLE device) const {
  // Settings the device refuses leave it with its own: the open still succeeds. The write time-outs
  // are set even when the device's cannot be read: without them a write to a device that holds
  // its handshake line would block for good and no stop button could end it.
  COMMTIMEOUTS timeouts;
  if (!GetCommTimeouts(device, &timeouts)) memset(&timeouts, 0, sizeof timeouts);
  timeouts.ReadIntervalTimeout = 5;
  timeouts.WriteTotalTimeoutMultiplier = 5;
  timeouts.WriteTotalTimeoutConstant = 5;
  SetCommTimeouts(device, &timeouts);
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(device, &dcb)) return;
  dcb.BaudRate = TranSpeed;
  dcb.ByteSize = static_cast<BYTE>(DataWidth);
  dcb.Parity = (OECheck >= 1 && OECheck <= 4) ? static_cast<BYTE>(OECheck) : NOPARITY;
  if (StopBits >= 0 && StopBits <= 2) dcb.StopBits = static_cast<BYTE>(StopBits);
  dcb.fBinary = TRUE;
  dcb.fParity = TRUE;
  dcb.fOutxCtsFlow = RTSCTS & 1;
  dcb.fOutxDsrFlow = DTRDSR & 1;
  dcb.fDsrSensitivity = DTRDSR & 1;
  dcb.fInX = XONXOFF & 1;
  dcb.fOutX = XONXOFF & 1;
  dcb.fDtrControl = DTR_CONTROL_HANDSHAKE;
  dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
  dcb.fTXContinueOnXoff = FALSE;
  dcb.fErrorChar = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  for (int attempt = 0; attempt < 10 && !SetCommState(device, &dcb); ++attempt) {
  }
}

bool COutPort::Flush() {
  if (m_buffer.empty()) return true;
  const bool stoppable = false;
  bool written = m_handle && WriteInAttempts(m_buffer.data(), static_cast<DWORD>(m_buffer.size()),
                                             kChunkedPlan, stoppable);
  m_buffer.clear();
  return written;
}

void COutPort::Close() {
  Flush();
  m_buffering = false;
  if (m_handle) {
    if (m_printerHandle) {
      EndPagePrinter(m_handle);
      EndDocPrinter(m_handle);
      ClosePrinter(m_handle);
    } else {
      CloseHandle(m_handle);
    }
  }
  m_handle = nullptr;
  m_printerHandle = false;
  m_pumpWindow = nullptr;
}

bool COutPort::WriteString(LPCSTR text) {
  return text && WriteData(text, static_cast<DWORD>(strlen(text)));
}

bool COutPort::WriteData(const char* data, DWORD length) {
  if (IsStopped() || !m_handle || !data) return false;
  m_state = kWriting;
  if (m_buffering) return WriteBuffered(data, length);
  return WriteByMethod(data, length);
}

bool COutPort::WriteBuffered(const char* data, DWORD length) {
  m_buffer.insert(m_buffer.end(), data, data + length);
  return m_buffer.size() < kFileBufferBytes || Flush();
}

const COutPort::AttemptPlan COutPort::kBytewisePlan = {kPlainTransfer, true, true, false, 1, 5};
const COutPort::AttemptPlan COutPort::kChunkedPlan = {kPlainTransfer, false, false, false, 100, 5};
const COutPort::AttemptPlan COutPort::kOverlappedPlan = {
    kOverlappedTransfer, false, false, false, 50, 10};
const COutPort::AttemptPlan COutPort::kPrinterPlan = {kPrinterTransfer, false, true, true, 1, 5};

bool COutPort::WriteByMethod(const char* data, DWORD length) {
  if (m_printerHandle) return WriteInAttempts(data, length, kPrinterPlan);
  if (!IsFilePathName(m_portName)) {
    if (OutMethod == kMethodBytewise) return WriteInAttempts(data, length, kBytewisePlan);
    if (OutMethod == kMethodOverlapped) return WriteInAttempts(data, length, kOverlappedPlan);
  }
  return WriteInAttempts(data, length, kChunkedPlan);
}

bool COutPort::IsStopped() {
  if (m_state == kCancelled) return true;
  if (m_stopRequested && m_stopRequested()) {
    m_state = kCancelled;
    return true;
  }
  return false;
}

void COutPort::PumpOneMessage() const {
  AfxPumpWaitingMessage(m_pumpWindow && IsWindow(m_pumpWindow) ? m_pumpWindow : nullptr);
}

bool COutPort::PumpAndWait(int waits, DWORD milliseconds) {
  for (int i = 0; i < waits; ++i) {
    PumpOneMessage();
    if (IsStopped()) return false;
    Sleep(milliseconds);
  }
  return !IsStopped();
}

bool COutPort::MayRetry(int* stalls) const {
  ++*stalls;
  return *stalls <= m_retryLimit;
}

// The limit counts stalls in a row: a slow device that keeps taking bytes between stalls is
// alive, and its write goes on however many stalls it has in all.
bool COutPort::WriteInAttempts(const char* data, DWORD length, const AttemptPlan& plan,
                               bool stoppable) {
  if (!m_handle || !data) return false;
  const char* next = data;
  DWORD left = length;
  int stalls = 0;
  while (left > 0) {
    if (plan.pumpBefore) PumpOneMessage();
    if (stoppable && IsStopped()) return false;
    DWORD asked = plan.oneByte ? 1 : left;
    DWORD taken = TransferOnce(plan.transfer, next, asked);
    if (taken == kRefused) return false;
    if (taken > asked) taken = asked;
    next += taken;
    left -= taken;
    if (plan.pumpAfter) PumpOneMessage();
    if (left == 0) break;
    if (taken > 0)
      stalls = 0;
    else if (!MayRetry(&stalls))
      return false;
    if (taken < asked && !PumpAndWait(plan.waits, plan.waitMilliseconds) && stoppable) return false;
  }
  return true;
}

DWORD COutPort::TransferOnce(Transfer how, const char* data, DWORD length) {
  DWORD written = 0;
  switch (how) {
    case kOverlappedTransfer:
      return TransferOverlapped(data, length);
    case kPrinterTransfer:
      if (!m_printerHandle) return kRefused;
      if (!WritePrinter(m_handle, const_cast<char*>(data), length, &written)) written = 0;
      return written;
    default:
      if (!WriteFile(m_handle, data, length, &written, nullptr)) written = 0;
      return written;
  }
}

DWORD COutPort::TransferOverlapped(const char* data, DWORD length) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!event) return kRefused;
  OVERLAPPED overlapped = {};
  overlapped.hEvent = event;
  // On a handle without overlapped mode the offset is where a file is written: keep appending.
  LARGE_INTEGER position = {};
  LARGE_INTEGER zero = {};
  if (SetFilePointerEx(m_handle, zero, &position, FILE_CURRENT)) {
    overlapped.Offset = position.LowPart;
    overlapped.OffsetHigh = static_cast<DWORD>(position.HighPart);
  }
  DWORD written = 0;
  if (WriteFile(m_handle, data, length, nullptr, &overlapped)) {
    if (!GetOverlappedResult(m_handle, &overlapped, &written, FALSE)) written = 0;
  } else if (GetLastError() == ERROR_IO_PENDING) {
    // Wait in slices so that a stop pressed meanwhile cancels the pending write.
    while (WaitForSingleObject(event, 10) == WAIT_TIMEOUT) {
      PumpOneMessage();
      if (IsStopped()) CancelIo(m_handle);
    }
    if (!GetOverlappedResult(m_handle, &overlapped, &written, TRUE)) written = 0;
  }
  CloseHandle(event);
  return written;
}

bool COutPort::WriteBytewise(LPCSTR text) {
  return text && WriteInAttempts(text, static_cast<DWORD>(strlen(text)), kBytewisePlan);
}

bool COutPort::WriteChunked(LPCSTR text) {
  return text && WriteInAttempts(text, static_cast<DWORD>(strlen(text)), kChunkedPlan);
}

bool COutPort::WriteOverlapped(LPCSTR text) {
  return text && WriteInAttempts(text, static_cast<DWORD>(strlen(text)), kOverlappedPlan);
}

bool COutPort::WritePrinterData(LPCSTR text) {
  return text && WriteInAttempts(text, static_cast<DWORD>(strlen(text)), kPrinterPlan);
}

bool COutPort::WriteBios(LPCSTR text) { return WriteChunked(text); }
