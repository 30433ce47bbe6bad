// CUsbPlotter: the plug-in's engine: ten device slots (0-9, every one served alike) and the one
// writer thread that streams the queued jobs of all of them, throttled by the room each cutter
// reports. The exported entries are thin wrappers around it; tests drive it directly with cutters
// in memory.
//
// Results are the entries' codes: 0 done, 0x10000 no such slot, 0x20000 file missing or no such
// job, 0x30000 file unreadable, 0x40000 file too short, 0x50000 file without plotting records, or
// a device result.
//
// The writer thread ends on an unnamed event (so no other process or build can end it), and is
// stopped and joined before anything it uses is closed. When the engine lives in a library, the
// thread holds a reference to that library while it runs, so the library cannot be unloaded under
// it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "usbplugin/DeviceSlot.h"

class CUsbPlotter {
public:
  typedef std::function<std::unique_ptr<CDeviceLink>(int slot)> LinkFactory;

  static constexpr int kSlotCount = 10;
  enum Result {
    kDone = 0,
    kNoSuchSlot = 0x10000,
    kNoSuchFile = 0x20000,
    kUnreadableFile = 0x30000,
    kShortFile = 0x40000,
    kNoPlotRecords = 0x50000,
  };

  // holdLibrary: the engine lives in a library that the writer thread must keep loaded.
  CUsbPlotter(const LinkFactory& makeLink, bool holdLibrary = false);
  ~CUsbPlotter();
  CUsbPlotter(const CUsbPlotter&) = delete;
  CUsbPlotter& operator=(const CUsbPlotter&) = delete;

  static bool IsSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
  CDeviceSlot& Slot(int slot) { return *m_slots[slot]; }

  int PlotFile(int slot, LPCSTR path, bool deleteFile, INT32& jobId, INT32& recordCount);
  int Progress(int slot, INT32 jobId, int& permille);
  int BaseInformation(int slot, BYTE* answer);
  int Test(int slot);
  bool OpenDevice(int slot);
  bool Cancel(int slot);
  // Closes the slot's cutter; the writer is stopped when no slot has work left.
  void EndSlot(int slot);

  bool IsWriterRunning();
  HANDLE WriterHandle() const { return m_thread; }
  DWORD WriterId() const { return m_threadId; }
  // One pass of the writer over every slot.
  void RunWriterPass();

private:
  static DWORD WINAPI WriterMain(void* engine);
  void StartWriter();
  void StopWriter();
  void CloseWriterHandles();
  bool AnySlotHasWork();

  std::unique_ptr<CDeviceSlot> m_slots[kSlotCount];
  bool m_holdLibrary;
  CRITICAL_SECTION m_writerLock;  // starting and stopping the writer, and queuing
  HANDLE m_thread;
  DWORD m_threadId;
  HANDLE m_endEvent;
};
