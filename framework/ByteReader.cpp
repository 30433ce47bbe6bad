#include "framework/ByteReader.h"

#include <cstring>

CByteReader::CByteReader(const void* data, size_t size)
    : m_data(static_cast<const BYTE*>(data)), m_size(data ? size : 0), m_pos(0) {}

bool CByteReader::Seek(size_t position) {
  if (position > m_size) return false;
  m_pos = position;
  return true;
}

bool CByteReader::Skip(size_t count) {
  if (!Fits(count)) return false;
  m_pos += count;
  return true;
}

UINT64 CByteReader::TakeLittleEndian(size_t count) {
  UINT64 value = 0;
  for (size_t i = 0; i < count; ++i) value |= static_cast<UINT64>(m_data[m_pos + i]) << (8 * i);
  m_pos += count;
  return value;
}

bool CByteReader::ReadByte(BYTE& value) {
  if (!Fits(1)) return false;
  value = static_cast<BYTE>(TakeLittleEndian(1));
  return true;
}

bool CByteReader::PeekByte(BYTE& value) const {
  if (!Fits(1)) return false;
  value = m_data[m_pos];
  return true;
}

bool CByteReader::ReadInt8(signed char& value) {
  BYTE raw;
  if (!ReadByte(raw)) return false;
  value = static_cast<signed char>(raw);
  return true;
}

bool CByteReader::ReadWord(WORD& value) {
  if (!Fits(2)) return false;
  value = static_cast<WORD>(TakeLittleEndian(2));
  return true;
}

bool CByteReader::ReadInt16(short& value) {
  WORD raw;
  if (!ReadWord(raw)) return false;
  value = static_cast<short>(raw);
  return true;
}

bool CByteReader::ReadDWord(DWORD& value) {
  if (!Fits(4)) return false;
  value = static_cast<DWORD>(TakeLittleEndian(4));
  return true;
}

bool CByteReader::ReadInt32(int& value) {
  DWORD raw;
  if (!ReadDWord(raw)) return false;
  value = static_cast<int>(raw);
  return true;
}

bool CByteReader::ReadInt32(LONG& value) {
  DWORD raw;
  if (!ReadDWord(raw)) return false;
  value = static_cast<LONG>(raw);
  return true;
}

bool CByteReader::ReadFloat(float& value) {
  DWORD raw;
  if (!ReadDWord(raw)) return false;
  memcpy(&value, &raw, sizeof value);
  return true;
}

bool CByteReader::ReadDouble(double& value) {
  if (!Fits(8)) return false;
  UINT64 raw = TakeLittleEndian(8);
  memcpy(&value, &raw, sizeof value);
  return true;
}

bool CByteReader::ReadBytes(void* out, size_t count) {
  if (!Fits(count)) return false;
  if (count) memcpy(out, m_data + m_pos, count);
  m_pos += count;
  return true;
}

bool CByteReader::ReadFixedString(CString& text, size_t fieldSize) {
  if (!Fits(fieldSize)) return false;
  const char* field = reinterpret_cast<const char*>(m_data + m_pos);
  text = CString(field, static_cast<int>(strnlen(field, fieldSize)));
  m_pos += fieldSize;
  return true;
}

bool CByteReader::ReadSubReader(CByteReader& sub, size_t count) {
  if (!Fits(count)) return false;
  sub = CByteReader(m_data + m_pos, count);
  m_pos += count;
  return true;
}
