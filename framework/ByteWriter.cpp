#include "framework/ByteWriter.h"

#include <cstring>

CByteWriter::CByteWriter(size_t maxSize) : m_external(nullptr), m_capacity(maxSize), m_size(0) {}

CByteWriter::CByteWriter(void* buffer, size_t capacity)
    : m_external(static_cast<BYTE*>(buffer)), m_capacity(buffer ? capacity : 0), m_size(0) {}

bool CByteWriter::Reserve(size_t count) {
  bool limited = m_external || m_capacity != 0;
  if (limited && count > m_capacity - m_size) return false;
  if (!m_external) m_owned.resize(m_size + count);
  return true;
}

bool CByteWriter::WriteLittleEndian(UINT64 value, size_t count) {
  if (!Reserve(count)) return false;
  BYTE* out = (m_external ? m_external : m_owned.data()) + m_size;
  for (size_t i = 0; i < count; ++i) out[i] = static_cast<BYTE>(value >> (8 * i));
  m_size += count;
  return true;
}

bool CByteWriter::WriteByte(BYTE value) { return WriteLittleEndian(value, 1); }
bool CByteWriter::WriteWord(WORD value) { return WriteLittleEndian(value, 2); }
bool CByteWriter::WriteDWord(DWORD value) { return WriteLittleEndian(value, 4); }

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
  BYTE* out = (m_external ? m_external : m_owned.data()) + m_size;
  if (count) memcpy(out, data, count);
  m_size += count;
  return true;
}

bool CByteWriter::WriteZeros(size_t count) {
  if (!Reserve(count)) return false;
  BYTE* out = (m_external ? m_external : m_owned.data()) + m_size;
  if (count) memset(out, 0, count);
  m_size += count;
  return true;
}

bool CByteWriter::WriteFixedString(LPCSTR text, size_t fieldSize) {
  if (!Reserve(fieldSize)) return false;
  BYTE* out = (m_external ? m_external : m_owned.data()) + m_size;
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
