// CByteReader: reads little-endian values from a block of bytes it does not own. Every read
// checks what is left first; a read that does not fit fails and reads (and moves) nothing.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/String.h"

class CByteReader {
public:
  CByteReader() : m_data(nullptr), m_size(0), m_pos(0) {}
  CByteReader(const void* data, size_t size);

  size_t Size() const { return m_size; }
  size_t Position() const { return m_pos; }
  size_t Remaining() const { return m_size - m_pos; }
  bool AtEnd() const { return m_pos == m_size; }
  // The bytes not yet read (null when none are left).
  const BYTE* Current() const { return m_pos < m_size ? m_data + m_pos : nullptr; }

  bool Seek(size_t position);
  bool Skip(size_t count);

  bool ReadByte(BYTE& value);
  bool PeekByte(BYTE& value) const;
  bool ReadInt8(signed char& value);
  bool ReadWord(WORD& value);
  bool ReadInt16(short& value);
  bool ReadDWord(DWORD& value);
  bool ReadInt32(int& value);
  bool ReadInt32(LONG& value);
  bool ReadFloat(float& value);
  bool ReadDouble(double& value);
  bool ReadBytes(void* out, size_t count);
  // Reads a field of exactly fieldSize bytes holding text that ends at its first zero byte.
  bool ReadFixedString(CString& text, size_t fieldSize);
  // Hands the next count bytes to a reader of their own and moves past them.
  bool ReadSubReader(CByteReader& sub, size_t count);

private:
  bool Fits(size_t count) const { return count <= m_size - m_pos; }
  UINT64 TakeLittleEndian(size_t count);

  const BYTE* m_data;
  size_t m_size;
  size_t m_pos;
};
