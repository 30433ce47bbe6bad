#include "framework/ByteWriter.h"

#include <algorithm>
#include <cstring>

namespace {

const size_t kFirstRoom = 64;

}  // namespace

CByteWriter::CByteWriter(size_t maxSize)
    : m_external(nullptr), m_capacity(maxSize), m_size(0), m_room(0) {}

CByteWriter::CByteWriter(void* buffer, size_t capacity)
    : m_external(static_cast<BYTE*>(buffer)),
      m_capacity(buffer ? capacity : 0),
      m_size(0),
      m_room(m_capacity) {}

const std::vector<BYTE>& CByteWriter::Bytes() const {
  if (!m_external && m_owned.size() != m_size) {
    m_owned.resize(m_size);
    m_room = m_size;
  }
  return m_owned;
}

bool CByteWriter::Grow(size_t count) {
  bool limited = m_external || m_capacity != 0;
  if (limited && count > m_capacity - m_size) return false;
  if (m_external) return true;
  size_t room = std::max({m_size + count, 2 * m_owned.size(), kFirstRoom});
  if (limited) room = std::min(room, m_capacity);
  m_owned.resize(room);
  m_room = room;
  return true;
}

bool CByteWriter::WriteFloat(float value) {
  DWORD raw;
  memcpy(&raw, &value, sizeof raw);
  return WriteDWord(raw);
}

bool CByteWriter::WriteDouble(double value) {
  UINT64 raw;
  memcpy(&raw, &value, sizeof raw);
  return WriteLittleEndian(raw, 8);
}

bool CByteWriter::WriteBytes(const void* data, size_t count) {
  if (!Reserve(count)) return false;
  if (count) memcpy(End(), data, count);
  m_size += count;
  return true;
}

bool CByteWriter::WriteZeros(size_t count) {
  if (!Reserve(count)) return false;
  if (count) memset(End(), 0, count);
  m_size += count;
  return true;
}

bool CByteWriter::WriteFixedString(LPCSTR text, size_t fieldSize) {
  if (!Reserve(fieldSize)) return false;
  BYTE* out = End();
  memset(out, 0, fieldSize);
  if (text) memcpy(out, text, strnlen(text, fieldSize));
  m_size += fieldSize;
  return true;
}

bool CByteWriter::PatchDWord(size_t position, DWORD value) {
  if (position > m_size || m_size - position < 4) return false;
  BYTE* out = (m_external ? m_external : m_owned.data()) + position;
  for (int i = 0; i < 4; ++i) out[i] = static_cast<BYTE>(value >> (8 * i));
  return true;
}

void CByteWriter::Truncate(size_t size) {
  if (size < m_size) m_size = size;
}
