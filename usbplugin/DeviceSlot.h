// CDeviceSlot: everything the plug-in keeps for one cutter: its device link, the status record last
// read, the scale and the last device point, the queue of waiting jobs and the list of finished
// ones, the parser state of the running job with the copy taken before each batch, and the counts
// of records sent.
//
// Two locks: the job lock guards the two job lists (callers queue while the writer reads); the
// device lock serialises everything that talks to the cutter or reads the counters, so a progress
// query or a cancel never runs in the middle of a writer's batch. Take the device lock first.
#pragma once

#include <windows.h>

#include <deque>
#include <memory>
#include <vector>

#include "usbplugin/DeviceLink.h"
#include "usbplugin/DeviceStatus.h"
#include "usbplugin/PlotJob.h"
#include "usbplugin/WireRecord.h"

class CDeviceSlot {
public:
  // What the parser's batch ended with.
  enum BatchResult { kNoJob = 1, kBatchFull = 3, kEndOfJob = 4 };
  static constexpr int kRecordsPerWrite = 8192;
  static constexpr int kRecordsPerPass = 60000;
  // Passes a slot waits after a full batch, a failed send or a cutter without room.
  static constexpr int kBackOffPasses = 200;
  // Finished jobs kept for progress queries.
  static constexpr size_t kFinishedKept = 64;
  // How long a cancel waits at most for the cutter to get ready again: a cutter that never does
  // must not hang the caller.
  static constexpr DWORD kCancelWaitMilliseconds = 5000;

  CDeviceSlot(int number, std::unique_ptr<CDeviceLink> link);
  ~CDeviceSlot();
  CDeviceSlot(const CDeviceSlot&) = delete;
  CDeviceSlot& operator=(const CDeviceSlot&) = delete;

  int Number() const { return m_number; }
  CDeviceLink& Link() { return *m_link; }
  CRITICAL_SECTION& DeviceLock() { return m_deviceLock; }

  // Device access (device lock held). Results are device results: 0, 8, 0xFFFF or the cutter's.
  bool OpenDevice();
  void CloseDevice();
  int ReadCommand(int command, BYTE* answer);
  int SendCommand(int command);
  int ReadStatus();
  int SendRecords(const PlotRecord* records, int count);
  int SendMarker(INT32 y, INT32 x);
  const DeviceStatus& Status() const { return m_status; }
  const CDeviceScale& Scale() const { return m_scale; }
  INT64 PathLength() const { return m_pathLength; }

  // Jobs. Queue takes an opened and counted job and gives it the next identifier.
  INT32 Queue(std::unique_ptr<CPlotJob> job);
  bool HasQueuedJob();
  bool HasStarted() const { return m_jobsStarted > 0; }
  INT32 LastJobId();
  // Progress of a job in per mille; 0x20000 when the slot never had such a job.
  int Progress(INT32 jobId, int& permille);
  bool Dropped(INT32 jobId, DroppedCommands& dropped);

  // One pass of the writer over this slot (device lock held by the caller).
  void ServeWriterPass();
  int BackOff() const { return m_backOff; }

  // Finishes the running job, drops the waiting ones, resets the cutter and waits for it; true
  // when the cutter took the reset. Leaves the device closed. Takes the device lock itself.
  bool Cancel();
  void SetCancelWait(DWORD milliseconds) { m_cancelWait = milliseconds; }

  // The parser's batch, as the writer runs it.
  BatchResult ReadBatch(PlotRecord* out, int max, int& count);
  void RollBack();

private:
  int Request(const ScsiCommand& command, BYTE* data);
  int WriteWire(const std::vector<BYTE>& bytes);
  void SendBatch(int limit);
  void StartJob(CPlotJob& job);
  void FinishHeadJob();
  void DropWaitingJobs();
  void WaitUntilReady();
  CPlotJob* HeadJob();
  const CPlotJob* FindJob(INT32 jobId, bool& finished);

  int m_number;
  std::unique_ptr<CDeviceLink> m_link;
  CRITICAL_SECTION m_deviceLock;
  CRITICAL_SECTION m_jobLock;
  DeviceStatus m_status;
  CDeviceScale m_scale;
  INT32 m_lastX;
  INT32 m_lastY;
  INT64 m_pathLength;
  INT32 m_jobCounter;
  std::deque<std::unique_ptr<CPlotJob>> m_queue;
  std::deque<std::unique_ptr<CPlotJob>> m_finished;
  CPlotParser m_parser;
  PlotParserState m_savedState;
  UINT64 m_savedPosition;
  INT32 m_currentJob;
  INT64 m_totalSent;
  INT32 m_jobsStarted;
  int m_backOff;
  DWORD m_cancelWait;
  std::vector<PlotRecord> m_batch;
};
