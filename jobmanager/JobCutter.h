// CJobCutter: cuts one copy of a queued job. It reads the job file, names the output port after
// the job's port and sends the job's data file: to a port, file or printer queue in pieces of a
// hundredth of the file (20 to 200 bytes) through COutPort, or to a USB cutter by handing the
// whole file to the port's plotter plug-in and polling its progress. Messages are pumped while
// it works, so the queue's commands (stop above all) keep working; the queue says through
// Progress whether the copy was stopped.
//
// A stopped USB job always ends: the plug-in is asked to cancel, then waited for within a bound
// while messages are pumped. A plug-in whose writer thread did not end in time stays loaded for
// the rest of the program, since unloading it would pull the code from under that thread.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "media/PlotterRecords.h"

class CJobFile;
class COutPort;

class CJobCutter {
public:
  // What the cutter tells the queue while it cuts.
  class Progress {
  public:
    virtual ~Progress() = default;
    virtual void ShowPercent(int percent) = 0;
    // The copy went out completely.
    virtual void ShowDone() = 0;
    virtual bool IsAborted() const = 0;
  };
  enum Result { kCut, kFailed, kStopped };
  // Why a copy failed, for the queue to tell the user.
  enum Problem {
    kNoProblem,
    kJobUnreadable,   // the job file
    kDataUnreadable,  // the job's data file
    kPortNotOpened,   // the job's port (a USB plug-in that did not load or take the file too)
    kPortRefused,     // the port stopped taking the data part way
  };

  static constexpr DWORD kMinPiece = 20;
  static constexpr DWORD kMaxPiece = 200;
  // Each piece is read into a zeroed buffer of this size.
  static constexpr DWORD kPieceBuffer = 208;
  static constexpr DWORD kDefaultCancelWaitMs = 10000;
  // How often a USB job's progress is asked for.
  static constexpr DWORD kPollMs = 20;

  explicit CJobCutter(COutPort& port);
  virtual ~CJobCutter() = default;
  CJobCutter(const CJobCutter&) = delete;
  CJobCutter& operator=(const CJobCutter&) = delete;

  // Cuts the job of a job file once; pumpWindow's messages are pumped while a port is written.
  Result CutJob(LPCSTR jobFilePath, HWND pumpWindow, Progress& progress);

  // What made the last CutJob fail, the name of the file or port it concerns, and the system's
  // error code (ERROR_SUCCESS where the system gave none).
  Problem GetProblem() const { return m_problem; }
  const CString& GetProblemSubject() const { return m_problemSubject; }
  DWORD GetProblemError() const { return m_problemError; }

  // A hundredth of the file, within 20..200 bytes.
  static DWORD PieceSize(ULONGLONG fileLength);
  // sent * 100 / total without overflow; 0 for an empty file.
  static int Percent(ULONGLONG sent, ULONGLONG total);

  // How long a cancelled USB job is waited for.
  void SetCancelWait(DWORD milliseconds) { m_cancelWaitMs = milliseconds; }

protected:
  // The USB plug-in's calls. StartPlot picks the plug-in of the port name, loads it and hands it
  // the data file; tests put a plug-in of their own behind these.
  virtual bool StartPlot(LPCSTR portName, LPCSTR dataPath, PlotInfo* info);
  virtual bool QueryPlot(PlotInfo* info);
  virtual bool CancelPlot(PlotInfo* info);
  // Unloads the plug-in, or keeps it for good when its writer thread may still run.
  virtual void EndPlot(bool threadEnded);
  // Waits at most the given time for a message and dispatches every waiting one.
  virtual void PumpWhileWaiting(DWORD milliseconds);

private:
  Result SendToPort(LPCSTR dataPath, HWND pumpWindow, Progress& progress);
  Result SendToPlugIn(LPCSTR portName, LPCSTR dataPath, Progress& progress);
  Result Fail(Problem problem, LPCSTR subject, DWORD error);

  COutPort& m_port;
  DWORD m_cancelWaitMs;
  Problem m_problem;
  CString m_problemSubject;
  DWORD m_problemError;
};
