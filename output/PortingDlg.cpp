#include "output/PortingDlg.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "framework/DialogTemplate.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "media/DllModule.h"
#include "media/PlotterRecords.h"
#include "output/OutputTexts.h"
#include "output/PortNames.h"

BEGIN_MESSAGE_MAP(CPortingDlg, CDialog)
  ON_BN_CLICKED(CPortingDlg::kStopButtonId, OnStopButton)
END_MESSAGE_MAP()

namespace {

// Template units of the window; pixels of its inside.
const int kWindowWidth = 200;
const int kWindowHeight = 50;
const int kBarMargin = 10;
const int kBarTop = 20;
const int kBarHeight = 20;
const int kButtonWidth = 100;
const int kButtonHeight = 22;
const int kButtonBottomGap = 10;
const UINT kProgressId = 1000;

// Polls of a plug-in's job between two progress queries.
const int kPlugInPolls = 100;
const DWORD kPlugInPollMilliseconds = 5;
// Attempts a stopped device is given for its finishing commands: a device that takes nothing
// must not keep the stopped send alive.
const int kFinishRetries = 1;

}  // namespace

CPortingDlg::CPortingDlg() : CPortingDlg(std::unique_ptr<COutPort>(new COutPort)) {}

CPortingDlg::CPortingDlg(std::unique_ptr<COutPort> port)
    : m_port(std::move(port)),
      m_caption(),
      m_cancelWaitMilliseconds(kDefaultCancelWait),
      m_outcome(kSent),
      m_plotterMissing(false),
      m_bytesSent(0),
      m_bytesTotal(0) {}

CPortingDlg::~CPortingDlg() { DestroyProgressWindow(); }

void CPortingDlg::SetTexts(int language) {
  const bool chinese = language == kChineseLanguage;
  std::strncpy(m_caption,
               chinese ? OutputText::kPlottingCaption : OutputText::kPlottingCaptionEnglish,
               sizeof m_caption - 1);
  m_buttonText = chinese ? OutputText::kStopButton : OutputText::kStopButtonEnglish;
}

bool CPortingDlg::CreateProgressWindow(CWnd* parent) {
  CDialogTemplate dialogTemplate(m_caption, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, kWindowWidth,
                                 kWindowHeight);
  if (!CreateIndirect(dialogTemplate.Get(), parent)) {
    ReportError(nullptr);
    return false;
  }
  UpdateWindow();
  return true;
}

BOOL CPortingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowPos(nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - 100,
               GetSystemMetrics(SM_CYSCREEN) / 2 - 25, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(&client);
  RECT bar = {kBarMargin, kBarTop, client.right - kBarMargin, kBarTop + kBarHeight};
  m_progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, bar, this, kProgressId);
  int left = (client.right - kButtonWidth) / 2;
  RECT button = {left, client.bottom - kButtonBottomGap - kButtonHeight, left + kButtonWidth,
                 client.bottom - kButtonBottomGap};
  m_stopButton.Create(m_buttonText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, button,
                      this, kStopButtonId);
  return TRUE;
}

void CPortingDlg::OnStopButton() { Stop(); }

// Escape and the close box stop as well; the window goes when the send has ended.
void CPortingDlg::OnCancel() { Stop(); }

void CPortingDlg::DestroyProgressWindow() {
  if (m_hWnd) DestroyWindow();
}

void CPortingDlg::PumpPending() const { AfxPumpWaitingMessages(m_hWnd); }

// Without this a send through a port that takes every piece at once would never look at the
// stop button: the writers pump only while they wait.
void CPortingDlg::ShowProgress(DWORD position) {
  if (m_progress.m_hWnd) {
    m_progress.SetPos(static_cast<int>(position));
    UpdateWindow();
  }
  PumpPending();
}

void CPortingDlg::ReportError(LPCSTR subject) {
  m_outcome = kReported;
  CString text = CDllModule::SystemErrorText(GetLastError());
  if (subject) text += CString("\n") + subject;
  AfxShowMessageBox(nullptr, text, OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
}

bool CPortingDlg::SendData(LPCSTR dataFile, LPCSTR portName, CWnd* parent, int language) {
  SetTexts(language);
  m_outcome = kSent;
  m_bytesSent = m_bytesTotal = 0;
  if (parent && !CreateProgressWindow(parent)) return false;
  m_port->SetPortName(portName);
  bool sent = ParsePortName(portName) == kPortUsbPlotter ? SendThroughPlugIn(dataFile)
                                                         : SendThroughPort(dataFile);
  DestroyProgressWindow();
  if (m_port->GetState() == COutPort::kCancelled && m_outcome != kReported) m_outcome = kStopped;
  if (!sent || m_port->GetState() == COutPort::kCancelled) return false;
  m_port->SetState(COutPort::kIdle);
  return true;
}

bool CPortingDlg::SendThroughPort(LPCSTR dataFile) {
  HANDLE file = CreateFileA(dataFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ReportError(dataFile);
    return false;
  }
  if (!m_port->Open(m_hWnd)) {
    const DWORD error = m_port->GetOpenError();
    CloseHandle(file);
    m_outcome = kReported;
    if (m_hWnd) {
      // The user chose the port, not the temporary file that holds the job.
      CString port;
      port.Format(OutputText::Load(OutputText::kPortNotOpened), m_port->GetPortName());
      SetLastError(error);
      ReportError(port);
    }
    SetLastError(error);
    return false;
  }
  bool sent = SendPieces(file);
  if (!sent) m_outcome = kPortRefused;
  if (m_port->GetState() == COutPort::kCancelled) SendFinishingCommands();
  m_port->Close();
  CloseHandle(file);
  return sent;
}

// Pieces go by length: plot data may hold NUL bytes, which a string writer would stop at.
bool CPortingDlg::SendPieces(HANDLE file) {
  LARGE_INTEGER size = {};
  GetFileSizeEx(file, &size);
  m_bytesTotal = static_cast<DWORD>(size.QuadPart);
  if (m_progress.m_hWnd) m_progress.SetRange32(0, static_cast<int>(size.QuadPart));
  std::vector<char> block(kBlockBytes + 10);
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, block.data(), kBlockBytes, &got, nullptr)) return false;
    if (got == 0) return true;
    for (DWORD at = 0; at < got; at += kPieceBytes) {
      DWORD piece = got - at < kPieceBytes ? got - at : kPieceBytes;
      if (!m_port->WriteData(block.data() + at, piece)) return false;
      m_bytesSent += piece;
      ShowProgress(m_bytesSent);
      if (m_port->GetState() == COutPort::kCancelled) return false;
    }
  }
}

// A stop can fall inside a cut: the device gets the commands that end the run, lift the blade
// and take it home, with little patience for a device that takes nothing any more.
void CPortingDlg::SendFinishingCommands() {
  int kind = m_port->GetOpenedKind();
  if (m_finishingCommands.IsEmpty() || kind <= 0 || kind == kPortUsbPlotter) return;
  int retries = m_port->GetRetryLimit();
  m_port->SetState(COutPort::kWriting);
  m_port->SetRetryLimit(kFinishRetries);
  m_port->WriteData(m_finishingCommands, static_cast<DWORD>(m_finishingCommands.GetLength()));
  m_port->SetRetryLimit(retries);
  m_port->SetState(COutPort::kCancelled);
}

void CPortingDlg::ReportPlugInFailure(const OutputText::Text& message) {
  m_outcome = kReported;
  CString text;
  text.Format(OutputText::Load(message), m_port->GetPortName());
  AfxShowMessageBox(nullptr, text, OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
}

void CPortingDlg::ReportPlotterMissing() {
  m_outcome = kReported;
  CString text;
  text.Format(OutputText::Load(OutputText::kPlotterNotAttached), m_port->GetPortName(),
              m_port->GetPlugIn().GetFileName().GetString());
  AfxShowMessageBox(nullptr, text, OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
}

bool CPortingDlg::StopPressed() const { return m_port->GetState() == COutPort::kCancelled; }

// The plug-in's own thread does the transfer; this only starts it and polls it. A stop is passed
// on once; then the plug-in is given a bounded time to end its job, so that a cutter that does
// not answer cannot hold the window. Only a job the plug-in reports finished counts as sent.
bool CPortingDlg::SendThroughPlugIn(LPCSTR dataFile) {
  PlotInfo record;
  std::memset(&record, 0, sizeof record);
  record.deleteFile = 1;
  // The plug-in deletes the file once it is sent: its size is taken first.
  WIN32_FILE_ATTRIBUTE_DATA attributes;
  if (GetFileAttributesExA(dataFile, GetFileExInfoStandard, &attributes))
    m_bytesTotal = attributes.nFileSizeLow;
  m_plotterMissing = false;
  if (!StartPlot(dataFile, &record)) {
    if (m_plotterMissing)
      ReportPlotterMissing();
    else
      ReportPlugInFailure(OutputText::kPlugInFailed);
    EndPlot(true);
    return false;
  }
  if (m_progress.m_hWnd) m_progress.SetRange32(0, 100);
  bool ended = false, cancelled = false;
  DWORD cancelStart = 0;
  int lastPercent = 0;
  for (;;) {
    if (!QueryPlot(&record)) break;
    if (record.threadHandle == 0) {
      ended = true;
      break;
    }
    if (record.percent >= 0 && record.percent <= 100) lastPercent = record.percent;
    ShowProgress(static_cast<DWORD>(record.percent));
    if (!cancelled && StopPressed()) {
      CancelPlot(&record);
      cancelled = true;
      cancelStart = GetTickCount();
      // A plug-in that ended its writer in the cancel says so in the record.
      if (record.threadHandle == 0) {
        ended = true;
        break;
      }
    }
    if (cancelled && GetTickCount() - cancelStart >= m_cancelWaitMilliseconds) break;
    for (int i = 0; i < kPlugInPolls && (cancelled || !StopPressed()); ++i) {
      PumpPending();
      Sleep(kPlugInPollMilliseconds);
    }
  }
  EndPlot(ended);
  m_bytesSent = ended && !cancelled
                    ? m_bytesTotal
                    : static_cast<DWORD>(static_cast<ULONGLONG>(m_bytesTotal) * lastPercent / 100);
  if (!ended && !cancelled) ReportPlugInFailure(OutputText::kPlugInLost);
  return ended && !cancelled;
}

// A plug-in queues a file for a cutter that is not attached and then waits for it without end:
// such a job is not started.
bool CPortingDlg::StartPlot(LPCSTR dataFile, PlotInfo* record) {
  CPlotterPlugIn& plugIn = m_port->GetPlugIn();
  if (!plugIn.OpenForPort(m_port->GetPortName()) || !plugIn.Load()) return false;
  m_plotterMissing = !plugIn.IsPlotterAttached();
  return !m_plotterMissing && plugIn.PlotFile(dataFile, record);
}

bool CPortingDlg::QueryPlot(PlotInfo* record) {
  return m_port->GetPlugIn().QueryPlotInfo(record) != FALSE;
}

void CPortingDlg::CancelPlot(PlotInfo* record) { m_port->GetPlugIn().CancelJob(record); }

// A plug-in whose writer thread may still run stays loaded for good: unloading it would pull the
// code from under that thread.
void CPortingDlg::EndPlot(bool threadEnded) {
  CPlotterPlugIn& plugIn = m_port->GetPlugIn();
  if (!threadEnded && plugIn.GetModule()) {
    HMODULE pinned = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(plugIn.GetModule()), &pinned);
  }
  plugIn.Unload();
}
