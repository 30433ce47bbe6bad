// CMemoryDevice: a cutter in memory behind the device link, for the tests and the plug-in's test
// build. It answers the command table as the cutter does: the status record (ready, pending, room,
// the magic value and scales when set), plotting records taken up to its room and decoded, the
// status, reset, test, base-information and the two spare read commands. It keeps what it received
// and can be made to stall (never ready), to refuse writes, or to be unplugged once it has taken a
// given number of records. Safe to drive from the writer thread while a test reads it.
#pragma once

#include <windows.h>

#include <vector>

#include "usbplugin/DeviceLink.h"
#include "usbplugin/DeviceStatus.h"
#include "usbplugin/WireRecord.h"

class CMemoryDevice : public CDeviceLink {
public:
  // The sense code a write beyond the room gets.
  static constexpr DWORD kNoRoomCode = 0x0300;
  static constexpr DWORD kUnknownCommandCode = 0x0500;

  explicit CMemoryDevice(int deviceNumber = 1);
  ~CMemoryDevice() override;

  bool Open(int deviceNumber) override;
  void Close() override;
  bool IsOpen() const override;
  bool Execute(const ScsiCommand& command, BYTE* data, ScsiReply& reply) override;
  const char* LastProblem() const override;

  // Setting it up.
  void SetPlugged(bool plugged);
  void SetReady(bool ready);
  void SetCapacity(int records);
  // Records carried out at each status read (negative: all pending ones).
  void SetPace(int recordsPerStatusRead);
  void SetScales(const CDeviceScale& scale);
  void FailWrites(int count);
  // The write that would take the total received past records fails and unplugs the cutter.
  void UnplugAfter(int records);

  // What it received.
  std::vector<WireRecord> Received() const;
  std::vector<int> Commands() const;
  int Pending() const;
  int Opens() const;

private:
  int HandleWrite(const ScsiCommand& command, const BYTE* data);
  void FillStatus(BYTE* data);
  void Lock() const { EnterCriticalSection(&m_lock); }
  void Unlock() const { LeaveCriticalSection(&m_lock); }

  mutable CRITICAL_SECTION m_lock;
  int m_deviceNumber;
  bool m_plugged;
  bool m_open;
  bool m_ready;
  int m_capacity;
  int m_pace;
  int m_pending;
  bool m_hasScales;
  CDeviceScale m_scale;
  int m_failWrites;
  int m_unplugAfter;
  int m_opens;
  std::vector<WireRecord> m_received;
  std::vector<int> m_commands;
};
