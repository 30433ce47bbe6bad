#include "usbplugin/DeviceSlot.h"

#include <cstdio>
#include <cstring>

#include "framework/ByteWriter.h"
#include "usbplugin/SectionLock.h"

namespace {

INT64 Absolute(INT64 value) { return value < 0 ? -value : value; }

}  // namespace

CDeviceSlot::CDeviceSlot(int number, std::unique_ptr<CDeviceLink> link)
    : m_number(number),
      m_link(std::move(link)),
      m_lastX(0),
      m_lastY(0),
      m_pathLength(0),
      m_jobCounter(0),
      m_savedState(CPlotParser::StartState()),
      m_savedPosition(0),
      m_currentJob(0),
      m_totalSent(0),
      m_jobsStarted(0),
      m_backOff(0),
      m_cancelWait(kCancelWaitMilliseconds) {
  InitializeCriticalSection(&m_deviceLock);
  InitializeCriticalSection(&m_jobLock);
}

CDeviceSlot::~CDeviceSlot() {
  CloseDevice();
  DeleteCriticalSection(&m_jobLock);
  DeleteCriticalSection(&m_deviceLock);
}

// ---- Device access

bool CDeviceSlot::OpenDevice() {
  bool open = m_link->Open(m_number);
  if (!open) {
    char line[200];
    snprintf(line, sizeof line, "USB plotter %d: no cutter found (%s)\n", m_number,
             m_link->LastProblem());
    OutputDebugStringA(line);
  }
  return open;
}

void CDeviceSlot::CloseDevice() { m_link->Close(); }

int CDeviceSlot::Request(const ScsiCommand& command, BYTE* data) {
  if (!m_link->IsOpen() && !OpenDevice()) return ScsiCommand::kNoAnswer;
  ScsiReply reply;
  memset(&reply, 0, sizeof reply);
  bool done = m_link->Execute(command, data, reply);
  int result = ScsiCommand::Result(done, reply);
  // A request without answer leaves the handle useless: the next use opens the cutter again.
  if (result == ScsiCommand::kNoAnswer) m_link->Close();
  return result;
}

int CDeviceSlot::ReadCommand(int command, BYTE* answer) {
  ScsiCommand read = ScsiCommand::Read(command);
  int result = Request(read, answer);
  if (result == ScsiCommand::kNoAnswer) result = Request(read, answer);
  return result;
}

int CDeviceSlot::SendCommand(int command) {
  BYTE scratch[64];
  return ReadCommand(command, scratch);
}

int CDeviceSlot::ReadStatus() {
  BYTE answer[DeviceStatus::kSize];
  int result = ReadCommand(ScsiCommand::kStatusRecord, answer);
  if (result != 0) return result;
  m_status.Read(answer, sizeof answer);
  m_scale = m_status.PlotScale();
  if (m_status.magic == DeviceStatus::kScalesValid)
    m_status.acknowledged = DeviceStatus::kScalesTaken;
  return 0;
}

int CDeviceSlot::WriteWire(const std::vector<BYTE>& bytes) {
  std::vector<BYTE> data(bytes);
  ScsiCommand write = ScsiCommand::Write(ScsiCommand::kWriteRecords,
                                         static_cast<DWORD>(data.size()));
  return Request(write, data.data());
}

int CDeviceSlot::SendRecords(const PlotRecord* records, int count) {
  // The last point and the path length move only once the cutter has the records, so a batch
  // that fails can be sent again from the same point.
  INT32 lastX = m_lastX;
  INT32 lastY = m_lastY;
  INT64 path = m_pathLength;
  for (int start = 0; start < count; start += kRecordsPerWrite) {
    int end = count - start > kRecordsPerWrite ? start + kRecordsPerWrite : count;
    CByteWriter writer;
    for (int i = start; i < end; ++i) {
      WireRecord wire;
      wire.kind = records[i].pen == 'D' ? WireRecord::kLine : WireRecord::kMove;
      INT32 x = m_scale.DeviceX(records[i].x);
      INT32 y = m_scale.DeviceY(records[i].y);
      wire.xStep = x - lastX;
      wire.yStep = y - lastY;
      path += Absolute(wire.xStep) + Absolute(wire.yStep);
      lastX = x;
      lastY = y;
      wire.Write(writer);
    }
    int result = WriteWire(writer.Bytes());
    if (result != 0) return result;
    m_lastX = lastX;
    m_lastY = lastY;
    m_pathLength = path;
  }
  return 0;
}

int CDeviceSlot::SendMarker(INT32 y, INT32 x) {
  CByteWriter writer;
  WireRecord marker = {WireRecord::kMarker, y, x};
  marker.Write(writer);
  return WriteWire(writer.Bytes());
}

// ---- Jobs

INT32 CDeviceSlot::Queue(std::unique_ptr<CPlotJob> job) {
  CSectionLock lock(m_jobLock);
  job->id = ++m_jobCounter;
  INT32 id = job->id;
  const DroppedCommands& dropped = job->dropped;
  if (dropped.relative || dropped.decimal || dropped.lowerCase) {
    char line[300];
    snprintf(line, sizeof line,
             "USB plotter %d: job %d (%s) drops %d relative, %d decimal and %d lower-case "
             "pen commands\n",
             m_number, id, job->path, dropped.relative, dropped.decimal, dropped.lowerCase);
    OutputDebugStringA(line);
  }
  m_queue.push_back(std::move(job));
  return id;
}

bool CDeviceSlot::HasQueuedJob() {
  CSectionLock lock(m_jobLock);
  return !m_queue.empty();
}

INT32 CDeviceSlot::LastJobId() {
  CSectionLock lock(m_jobLock);
  return m_jobCounter;
}

CPlotJob* CDeviceSlot::HeadJob() {
  CSectionLock lock(m_jobLock);
  return m_queue.empty() ? nullptr : m_queue.front().get();
}

const CPlotJob* CDeviceSlot::FindJob(INT32 jobId, bool& finished) {
  CSectionLock lock(m_jobLock);
  for (const auto& job : m_finished) {
    finished = true;
    if (job->id == jobId) return job.get();
  }
  for (const auto& job : m_queue) {
    finished = false;
    if (job->id == jobId) return job.get();
  }
  return nullptr;
}

int CDeviceSlot::Progress(INT32 jobId, int& permille) {
  permille = 0;
  CSectionLock device(m_deviceLock);
  bool finished = false;
  const CPlotJob* job = FindJob(jobId, finished);
  if (!job) return 0x20000;
  if (!job->started || job->recordCount <= 0) return 0;
  if (ReadStatus() != 0) return 0;
  // Where the cutter stands in the slot's stream of records, measured from the job's start.
  INT64 carried = m_totalSent - m_status.pending - job->sentBefore;
  if (carried <= 0) return 0;
  INT64 value = carried * 1000 / job->recordCount;
  if (value > 1000) value = 1000;
  // All carried out is said only once the writer has done its end-of-job work.
  if (!finished && value > 999) value = 999;
  permille = static_cast<int>(value);
  return 0;
}

bool CDeviceSlot::Dropped(INT32 jobId, DroppedCommands& dropped) {
  bool finished = false;
  const CPlotJob* job = FindJob(jobId, finished);
  if (!job) return false;
  dropped = job->dropped;
  return true;
}

void CDeviceSlot::StartJob(CPlotJob& job) {
  job.file.Start();
  job.started = true;
  job.sentBefore = m_totalSent;
  m_lastX = 0;
  m_lastY = 0;
  m_parser.SetState(CPlotParser::StartState());
  ++m_jobsStarted;
  m_currentJob = job.id;
}

CDeviceSlot::BatchResult CDeviceSlot::ReadBatch(PlotRecord* out, int max, int& count) {
  count = 0;
  CPlotJob* job = HeadJob();
  if (!job) return kNoJob;
  if (!job->started) StartJob(*job);
  m_savedState = m_parser.State();
  m_savedPosition = job->file.Position();
  if (job->file.ReadRecords(m_parser, out, max, count)) return kBatchFull;
  return kEndOfJob;
}

void CDeviceSlot::RollBack() {
  CPlotJob* job = HeadJob();
  if (!job) return;
  m_parser.SetState(m_savedState);
  job->file.Seek(m_savedPosition);
}

void CDeviceSlot::FinishHeadJob() {
  std::unique_ptr<CPlotJob> job;
  {
    CSectionLock lock(m_jobLock);
    if (m_queue.empty()) return;
    job = std::move(m_queue.front());
    m_queue.pop_front();
  }
  job->file.Close();
  if (job->deleteFile) DeleteFileA(job->path);
  CSectionLock lock(m_jobLock);
  m_finished.push_back(std::move(job));
  if (m_finished.size() > kFinishedKept) m_finished.pop_front();
}

void CDeviceSlot::DropWaitingJobs() {
  CSectionLock lock(m_jobLock);
  m_queue.clear();
}

// ---- The writer

void CDeviceSlot::ServeWriterPass() {
  if (m_backOff > 0) {
    if (m_backOff > kBackOffPasses) m_backOff = kBackOffPasses - 1;
    if (--m_backOff == 0) ReadStatus();
    return;
  }
  if (!HasQueuedJob()) return;
  if (ReadStatus() != 0) {
    // A cutter that does not answer is looked for again after a while, not on every pass.
    m_backOff = kBackOffPasses;
    return;
  }
  if (m_status.ready && m_status.room > 1) {
    SendBatch(m_status.room < kRecordsPerPass ? m_status.room : kRecordsPerPass);
  } else {
    m_backOff = kBackOffPasses;
    SendCommand(ScsiCommand::kStatusCommand);
  }
}

// Batches go out one write at a time, each with its own copy of the parser state, so that a write
// that fails sends again exactly the records it carried and nothing the cutter already took.
void CDeviceSlot::SendBatch(int limit) {
  if (m_batch.empty()) m_batch.resize(kRecordsPerWrite);
  int done = 0;
  for (;;) {
    int want = limit - done < kRecordsPerWrite ? limit - done : kRecordsPerWrite;
    int count = 0;
    BatchResult result = ReadBatch(m_batch.data(), want, count);
    if (result == kNoJob) {
      m_backOff = 0;
      return;
    }
    if (count > 0 && SendRecords(m_batch.data(), count) != 0) {
      RollBack();
      m_backOff = kBackOffPasses;
      return;
    }
    m_totalSent += count;
    HeadJob()->sent += count;
    done += count;
    if (result == kEndOfJob) {
      FinishHeadJob();
      if (!HasQueuedJob()) SendCommand(ScsiCommand::kStatusCommand);
      m_backOff = 0;
      return;
    }
    if (done >= limit) {
      m_backOff = kBackOffPasses;
      return;
    }
  }
}

// ---- Cancelling

bool CDeviceSlot::Cancel() {
  CSectionLock device(m_deviceLock);
  CPlotJob* head = HeadJob();
  if (head && head->started) FinishHeadJob();
  DropWaitingJobs();
  m_lastX = 0;
  m_lastY = 0;
  m_pathLength = 0;
  int result = SendCommand(ScsiCommand::kReset);
  if (result == 0) {
    WaitUntilReady();
    SendMarker(WireRecord::kCancelMarkerY, 0);
    SendCommand(ScsiCommand::kStatusCommand);
  }
  CloseDevice();
  m_backOff = 0;
  return result == 0;
}

void CDeviceSlot::WaitUntilReady() {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < m_cancelWait) {
    if (ReadStatus() != 0) return;
    if (m_status.ready && m_status.room >= 1) return;
    Sleep(10);
  }
}
