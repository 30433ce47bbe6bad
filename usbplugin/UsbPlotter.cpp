#include "usbplugin/UsbPlotter.h"

#include "usbplugin/SectionLock.h"

CUsbPlotter::CUsbPlotter(const LinkFactory& makeLink, bool holdLibrary)
    : m_holdLibrary(holdLibrary), m_thread(nullptr), m_threadId(0), m_endEvent(nullptr) {
  InitializeCriticalSection(&m_writerLock);
  for (int slot = 0; slot < kSlotCount; ++slot)
    m_slots[slot].reset(new CDeviceSlot(slot, makeLink(slot)));
}

CUsbPlotter::~CUsbPlotter() {
  StopWriter();
  for (auto& slot : m_slots) slot.reset();
  DeleteCriticalSection(&m_writerLock);
}

int CUsbPlotter::PlotFile(int slot, LPCSTR path, bool deleteFile, INT32& jobId,
                          INT32& recordCount) {
  jobId = 0;
  recordCount = 0;
  if (!IsSlot(slot)) return kNoSuchSlot;
  if (!path) return kNoSuchFile;
  std::unique_ptr<CPlotJob> job(new CPlotJob(path, deleteFile));
  switch (job->file.Open(path)) {
    case CPlotFile::kMissing:
      return kNoSuchFile;
    case CPlotFile::kUnreadable:
      return kUnreadableFile;
    case CPlotFile::kTooShort:
      return kShortFile;
    case CPlotFile::kOpened:
      break;
  }
  if (!job->file.CountRecords(job->recordCount, job->dropped)) return kUnreadableFile;
  if (job->recordCount == 0) return kNoPlotRecords;
  recordCount = job->recordCount;
  CSectionLock lock(m_writerLock);
  jobId = m_slots[slot]->Queue(std::move(job));
  StartWriter();
  return kDone;
}

int CUsbPlotter::Progress(int slot, INT32 jobId, int& permille) {
  permille = 0;
  if (!IsSlot(slot)) return kNoSuchSlot;
  if (!m_slots[slot]->HasStarted()) return kDone;
  // The cutter is asked at most every 50 ms, however fast a caller polls.
  Sleep(50);
  return m_slots[slot]->Progress(jobId, permille);
}

int CUsbPlotter::BaseInformation(int slot, BYTE* answer) {
  if (!IsSlot(slot)) return kNoSuchSlot;
  CSectionLock device(m_slots[slot]->DeviceLock());
  return m_slots[slot]->ReadCommand(ScsiCommand::kBaseInformation, answer);
}

int CUsbPlotter::Test(int slot) {
  if (!IsSlot(slot)) return kNoSuchSlot;
  CSectionLock device(m_slots[slot]->DeviceLock());
  return m_slots[slot]->SendCommand(ScsiCommand::kTest);
}

bool CUsbPlotter::OpenDevice(int slot) {
  if (!IsSlot(slot)) return false;
  CSectionLock device(m_slots[slot]->DeviceLock());
  return m_slots[slot]->OpenDevice();
}

bool CUsbPlotter::Cancel(int slot) {
  if (!IsSlot(slot)) return false;
  bool reset = m_slots[slot]->Cancel();
  EndSlot(slot);
  return reset;
}

void CUsbPlotter::EndSlot(int slot) {
  if (!IsSlot(slot)) return;
  {
    CSectionLock device(m_slots[slot]->DeviceLock());
    m_slots[slot]->CloseDevice();
  }
  // Deciding and stopping under the writer lock: no job can be queued in between.
  CSectionLock lock(m_writerLock);
  if (!AnySlotHasWork()) StopWriter();
}

bool CUsbPlotter::AnySlotHasWork() {
  for (auto& slot : m_slots)
    if (slot->HasQueuedJob()) return true;
  return false;
}

bool CUsbPlotter::IsWriterRunning() {
  if (!m_thread) return false;
  DWORD code = 0;
  return GetExitCodeThread(m_thread, &code) && code == STILL_ACTIVE;
}

void CUsbPlotter::RunWriterPass() {
  for (auto& slot : m_slots) {
    CSectionLock device(slot->DeviceLock());
    slot->ServeWriterPass();
  }
}

DWORD WINAPI CUsbPlotter::WriterMain(void* engine) {
  CUsbPlotter* plotter = static_cast<CUsbPlotter*>(engine);
  HANDLE endEvent = plotter->m_endEvent;
  bool holdLibrary = plotter->m_holdLibrary;
  while (WaitForSingleObject(endEvent, 1) == WAIT_TIMEOUT) plotter->RunWriterPass();
  if (holdLibrary) {
    HMODULE library = nullptr;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&CUsbPlotter::WriterMain), &library))
      FreeLibraryAndExitThread(library, 0);
  }
  return 0;
}

void CUsbPlotter::StartWriter() {
  if (IsWriterRunning()) return;
  CloseWriterHandles();
  m_endEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!m_endEvent) return;
  HMODULE library = nullptr;
  if (m_holdLibrary &&
      !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&CUsbPlotter::WriterMain), &library))
    return;
  m_thread = CreateThread(nullptr, 0, &CUsbPlotter::WriterMain, this, 0, &m_threadId);
  if (!m_thread && library) FreeLibrary(library);
}

void CUsbPlotter::StopWriter() {
  if (m_thread) {
    SetEvent(m_endEvent);
    WaitForSingleObject(m_thread, INFINITE);
  }
  CloseWriterHandles();
}

void CUsbPlotter::CloseWriterHandles() {
  if (m_thread) CloseHandle(m_thread);
  if (m_endEvent) CloseHandle(m_endEvent);
  m_thread = nullptr;
  m_threadId = 0;
  m_endEvent = nullptr;
}
