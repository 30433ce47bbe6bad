// CExpansionJob: one outline expansion running on a worker thread. It holds its own reference to
// the transform library, the group record it expands (taken over) and the library's watch. When
// the library answers, the job posts the message (with itself as lParam) to the window that
// started it; that window then takes the result and deletes the job. A window that no longer
// wants the answer (the user cancelled, or the dialog closes) abandons the job instead: the
// library is asked to stop and the job frees itself when the worker ends, so nobody waits.
#pragma once

#include <windows.h>

#include "media/ExpandDll.h"

class CExpansionJob {
public:
  // Null when the library cannot be bound or no thread started; the record is freed then.
  static CExpansionJob* Start(HGLOBAL record, const ExpandParams& params, bool outline, HWND notify,
                              UINT message);
  ~CExpansionJob();
  CExpansionJob(const CExpansionJob&) = delete;
  CExpansionJob& operator=(const CExpansionJob&) = delete;

  // The share done so far, in thousandths.
  LONG Permille() const { return m_watch.permille; }
  // How the library ended (ExpandWatch::Status); valid once the message came.
  LONG Status() const { return m_watch.status; }
  // The library's result, now the caller's; valid once the message came.
  HGLOBAL TakeResult();
  // Asks the library to stop and lets the job free itself when the worker ends; the window must
  // not use the job afterwards. When its message is already on its way, the window deletes the
  // job when the message comes (it is no longer the window's job then).
  void Abandon();

private:
  enum State : LONG { kRunning, kAnswered, kAbandoned };

  CExpansionJob(HGLOBAL record, const ExpandParams& params, bool outline, HWND notify,
                UINT message);
  static DWORD WINAPI Run(LPVOID job);

  CExpandDll m_library;
  HGLOBAL m_record;
  HGLOBAL m_result = nullptr;
  ExpandParams m_params;
  bool m_outline;
  HWND m_notify;
  UINT m_message;
  ExpandWatch m_watch = {};
  volatile LONG m_state = kRunning;
};
