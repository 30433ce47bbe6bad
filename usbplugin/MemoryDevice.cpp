#include "usbplugin/MemoryDevice.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

namespace {

void CheckCondition(ScsiReply& reply, DWORD code) {
  reply.status = 2;
  CByteWriter sense(reply.sense + 3, 4);
  sense.WriteDWord(code);
}

}  // namespace

CMemoryDevice::CMemoryDevice(int deviceNumber)
    : m_deviceNumber(deviceNumber),
      m_plugged(true),
      m_open(false),
      m_ready(true),
      m_capacity(100000),
      m_pace(-1),
      m_pending(0),
      m_hasScales(false),
      m_failWrites(0),
      m_unplugAfter(-1),
      m_opens(0) {
  InitializeCriticalSection(&m_lock);
}

CMemoryDevice::~CMemoryDevice() { DeleteCriticalSection(&m_lock); }

bool CMemoryDevice::Open(int deviceNumber) {
  Lock();
  m_open = m_plugged && deviceNumber == m_deviceNumber;
  if (m_open) ++m_opens;
  bool open = m_open;
  Unlock();
  return open;
}

void CMemoryDevice::Close() {
  Lock();
  m_open = false;
  Unlock();
}

bool CMemoryDevice::IsOpen() const {
  Lock();
  bool open = m_open;
  Unlock();
  return open;
}

const char* CMemoryDevice::LastProblem() const {
  return m_plugged ? "" : "the cutter in memory is unplugged";
}

bool CMemoryDevice::Execute(const ScsiCommand& command, BYTE* data, ScsiReply& reply) {
  Lock();
  memset(&reply, 0, sizeof reply);
  ScsiCommand parsed;
  bool done = m_open && m_plugged &&
              ScsiCommand::Parse(command.block, sizeof command.block, parsed);
  if (done) {
    m_commands.push_back(parsed.number);
    if (parsed.write) {
      int code = parsed.number == ScsiCommand::kWriteRecords
                     ? HandleWrite(command, data)
                     : static_cast<int>(kUnknownCommandCode);
      if (code < 0) done = false;
      if (code > 0) CheckCondition(reply, static_cast<DWORD>(code));
    } else if (command.length != ScsiCommand::AnswerLength(parsed.number)) {
      CheckCondition(reply, kUnknownCommandCode);
    } else {
      memset(data, 0, command.length);
      if (parsed.number == ScsiCommand::kStatusRecord) FillStatus(data);
      if (parsed.number == ScsiCommand::kReset) m_pending = 0;
      if (parsed.number == ScsiCommand::kBaseInformation) memset(data, 0x42, command.length);
    }
  }
  Unlock();
  return done;
}

// A negative result is a request that failed; a positive one a sense code.
int CMemoryDevice::HandleWrite(const ScsiCommand& command, const BYTE* data) {
  if (m_failWrites > 0) {
    --m_failWrites;
    return -1;
  }
  if (command.length % WireRecord::kSize != 0) return static_cast<int>(kUnknownCommandCode);
  int count = static_cast<int>(command.length / WireRecord::kSize);
  if (m_unplugAfter >= 0 && static_cast<int>(m_received.size()) + count > m_unplugAfter) {
    m_plugged = false;
    m_open = false;
    return -1;
  }
  if (count > m_capacity - m_pending) return static_cast<int>(kNoRoomCode);
  CByteReader reader(data, command.length);
  WireRecord record;
  while (record.Read(reader)) m_received.push_back(record);
  m_pending += count;
  return 0;
}

void CMemoryDevice::FillStatus(BYTE* data) {
  int carried = m_pace < 0 || m_pace > m_pending ? m_pending : m_pace;
  m_pending -= carried;
  DeviceStatus status;
  status.ready = m_ready ? 1 : 0;
  status.pending = m_pending;
  status.room = m_ready ? m_capacity - m_pending : 0;
  if (m_hasScales) {
    status.magic = DeviceStatus::kScalesValid;
    status.scale = m_scale;
  }
  BYTE bytes[DeviceStatus::kSize];
  status.Write(bytes);
  memcpy(data, bytes, sizeof bytes);
}

void CMemoryDevice::SetPlugged(bool plugged) {
  Lock();
  m_plugged = plugged;
  if (!plugged) m_open = false;
  if (plugged) m_unplugAfter = -1;
  Unlock();
}

void CMemoryDevice::SetReady(bool ready) {
  Lock();
  m_ready = ready;
  Unlock();
}

void CMemoryDevice::SetCapacity(int records) {
  Lock();
  m_capacity = records;
  Unlock();
}

void CMemoryDevice::SetPace(int recordsPerStatusRead) {
  Lock();
  m_pace = recordsPerStatusRead;
  Unlock();
}

void CMemoryDevice::SetScales(const CDeviceScale& scale) {
  Lock();
  m_hasScales = true;
  m_scale = scale;
  Unlock();
}

void CMemoryDevice::FailWrites(int count) {
  Lock();
  m_failWrites = count;
  Unlock();
}

void CMemoryDevice::UnplugAfter(int records) {
  Lock();
  m_unplugAfter = records;
  Unlock();
}

std::vector<WireRecord> CMemoryDevice::Received() const {
  Lock();
  std::vector<WireRecord> received = m_received;
  Unlock();
  return received;
}

std::vector<int> CMemoryDevice::Commands() const {
  Lock();
  std::vector<int> commands = m_commands;
  Unlock();
  return commands;
}

int CMemoryDevice::Pending() const {
  Lock();
  int pending = m_pending;
  Unlock();
  return pending;
}

int CMemoryDevice::Opens() const {
  Lock();
  int opens = m_opens;
  Unlock();
  return opens;
}
