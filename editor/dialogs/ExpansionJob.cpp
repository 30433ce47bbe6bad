#include "editor/dialogs/ExpansionJob.h"

CExpansionJob::CExpansionJob(HGLOBAL record, const ExpandParams& params, bool outline, HWND notify,
                             UINT message)
    : m_record(record),
      m_params(params),
      m_outline(outline),
      m_notify(notify),
      m_message(message) {}

CExpansionJob::~CExpansionJob() {
  if (m_record) ::GlobalFree(m_record);
  if (m_result) ::GlobalFree(m_result);
}

CExpansionJob* CExpansionJob::Start(HGLOBAL record, const ExpandParams& params, bool outline,
                                    HWND notify, UINT message) {
  CExpansionJob* job = new CExpansionJob(record, params, outline, notify, message);
  if (!job->m_library.Bind()) {
    delete job;
    return nullptr;
  }
  HANDLE thread = ::CreateThread(nullptr, 0, Run, job, 0, nullptr);
  if (!thread) {
    delete job;
    return nullptr;
  }
  ::CloseHandle(thread);
  return job;
}

DWORD WINAPI CExpansionJob::Run(LPVOID parameter) {
  auto* job = static_cast<CExpansionJob*>(parameter);
  job->m_result = job->m_library.ExpandWatched(job->m_record, job->m_params, job->m_outline,
                                               &job->m_watch);
  ::GlobalFree(job->m_record);
  job->m_record = nullptr;
  const HWND notify = job->m_notify;
  const UINT message = job->m_message;
  // An abandoned job is the worker's to free; an answered one the window's, once told.
  if (::InterlockedCompareExchange(&job->m_state, kAnswered, kRunning) != kRunning) {
    delete job;
  } else if (!::PostMessageA(notify, message, 0, reinterpret_cast<LPARAM>(job))) {
    delete job;  // the window is gone: nobody will take the answer
  }
  return 0;
}

HGLOBAL CExpansionJob::TakeResult() {
  HGLOBAL result = m_result;
  m_result = nullptr;
  return result;
}

void CExpansionJob::Abandon() {
  ::InterlockedExchange(&m_watch.stop, 1);
  ::InterlockedCompareExchange(&m_state, kAbandoned, kRunning);
}
