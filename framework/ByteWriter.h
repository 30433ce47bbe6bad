// CByteWriter: writes little-endian values, either into a buffer of its own that grows (up to an
// optional limit) or into a caller's buffer of fixed size. A write that does not fit fails and
// writes nothing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class CByteWriter {
public:
  // Own, growing buffer; maxSize 0 means no limit beyond memory.
  explicit CByteWriter(size_t maxSize = 0);
  // The caller's buffer of capacity bytes.
  CByteWriter(void* buffer, size_t capacity);

  size_t Size() const { return m_size; }
  const BYTE* Data() const { return m_external ? m_external : m_owned.data(); }
  // The owned buffer's bytes (empty for a writer on a caller's buffer).
  const std::vector<BYTE>& Bytes() const { return m_owned; }

  bool WriteByte(BYTE value);
  bool WriteWord(WORD value);
  bool WriteInt16(short value) { return WriteWord(static_cast<WORD>(value)); }
  bool WriteDWord(DWORD value);
  bool WriteInt32(int value) { return WriteDWord(static_cast<DWORD>(value)); }
  bool WriteFloat(float value);
  bool WriteDouble(double value);
  bool WriteBytes(const void* data, size_t count);
  bool WriteZeros(size_t count);
  // Writes text into a field of exactly fieldSize bytes, cut to fit and padded with zeros.
  bool WriteFixedString(LPCSTR text, size_t fieldSize);
  // Overwrites four bytes already written (a length field filled in once the length is known).
  bool PatchDWord(size_t position, DWORD value);

private:
  bool Reserve(size_t count);
  bool WriteLittleEndian(UINT64 value, size_t count);

  std::vector<BYTE> m_owned;
  BYTE* m_external;
  size_t m_capacity;  // 0 with an owned buffer means unlimited
  size_t m_size;
};
