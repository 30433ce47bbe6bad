// CPortingDlg: sends a finished plot file to a port, in pieces through an output port (serial,
// parallel, printer queue) or as a whole through a USB plotter plug-in, in a small progress window
// with a stop button. The window exists only when a parent is given; it is built from a template
// in memory. The stop button cancels the embedded port, which every writer tests; a device that was
// stopped part way still gets the finishing commands it was given, so that no blade stays down.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/String.h"
#include "media/PlotterRecords.h"
#include "output/OutPort.h"
#include "output/OutputTexts.h"

class CPortingDlg : public CDialog {
public:
  // How the last send ended. What was sent, a stop and a port that stopped taking data are for
  // the caller to tell; the dialog itself reports a file, port or window that did not open and a
  // plug-in that failed (kReported).
  enum Outcome {
    kSent,
    kStopped,
    kPortRefused,  // the port took part of the file, then nothing more
    kReported,
  };

  // Blocks of the file, and the pieces each is written in.
  static const DWORD kBlockBytes = 10000;
  static const DWORD kPieceBytes = 99;
  static const UINT kStopButtonId = 1;
  static const LANGID kChineseLanguage = 2052;
  // How long a stopped USB job is waited for after its cancel.
  static const DWORD kDefaultCancelWait = 10000;

  CPortingDlg();
  // With a port of the caller's (a test's stand-in for a device).
  explicit CPortingDlg(std::unique_ptr<COutPort> port);
  ~CPortingDlg() override;

  // True when the whole file was sent; false when the file or the port could not be opened, the
  // plug-in did not take the file, or the user stopped the send.
  bool SendData(LPCSTR dataFile, LPCSTR portName, CWnd* parent, int language);
  // Sent after a stop to a device port (not to a file or a plug-in).
  void SetFinishingCommands(LPCSTR commands) { m_finishingCommands = commands ? commands : ""; }
  // The stop button: cancels the port at its next step.
  void Stop() { m_port->Cancel(); }
  Outcome GetOutcome() const { return m_outcome; }
  // Bytes of the file that the port took (for a plug-in, as far as it reported), and the file's.
  DWORD GetBytesSent() const { return m_bytesSent; }
  DWORD GetBytesTotal() const { return m_bytesTotal; }
  COutPort& GetPort() { return *m_port; }
  void SetCancelWait(DWORD milliseconds) { m_cancelWaitMilliseconds = milliseconds; }

protected:
  // Shows how far the send has come and lets the window (its stop button) run.
  virtual void ShowProgress(DWORD position);
  // The USB plug-in of the port: start the job (refused, setting m_plotterMissing, when the
  // plug-in finds no cutter attached), ask its progress, pass a stop on, and let the plug-in go
  // (kept loaded when its writer thread may still run). Tests replace them.
  virtual bool StartPlot(LPCSTR dataFile, PlotInfo* record);
  virtual bool QueryPlot(PlotInfo* record);
  virtual void CancelPlot(PlotInfo* record);
  virtual void EndPlot(bool threadEnded);
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void OnStopButton();
  DECLARE_MESSAGE_MAP()

private:
  void SetTexts(int language);
  bool CreateProgressWindow(CWnd* parent);
  bool SendThroughPort(LPCSTR dataFile);
  bool SendThroughPlugIn(LPCSTR dataFile);
  bool SendPieces(HANDLE file);
  void SendFinishingCommands();
  // The system's text of the last error and, on a line of its own, what it concerns.
  // Both tell the user at once and leave kReported for the caller.
  void ReportError(LPCSTR subject);
  void ReportPlugInFailure(const OutputText::Text& message);
  void ReportPlotterMissing();
  bool StopPressed() const;
  void PumpPending() const;
  void DestroyProgressWindow();

  CButton m_stopButton;
  CProgressCtrl m_progress;
  std::unique_ptr<COutPort> m_port;
  char m_caption[100];
  CString m_buttonText;
  CString m_finishingCommands;
  DWORD m_cancelWaitMilliseconds;
  Outcome m_outcome;
  bool m_plotterMissing;
  DWORD m_bytesSent;
  DWORD m_bytesTotal;
};
