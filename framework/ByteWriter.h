// CByteWriter: writes little-endian values, either into a buffer of its own that grows (up to an
// optional limit) or into a caller's buffer of fixed size. A write that does not fit fails and
// writes nothing. Its own buffer grows by doubling and keeps its room when truncated, so that a
// writer used for many records (a file written in pieces) allocates only while it grows; the
// small writes are inline, since a record is written field by field.
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
  const std::vector<BYTE>& Bytes() const;

  bool WriteByte(BYTE value) { return WriteLittleEndian(value, 1); }
  bool WriteWord(WORD value) { return WriteLittleEndian(value, 2); }
  bool WriteInt16(short value) { return WriteWord(static_cast<WORD>(value)); }
  bool WriteDWord(DWORD value) { return WriteLittleEndian(value, 4); }
  bool WriteInt32(int value) { return WriteDWord(static_cast<DWORD>(value)); }
  bool WriteFloat(float value);
  bool WriteDouble(double value);
  bool WriteBytes(const void* data, size_t count);
  bool WriteZeros(size_t count);
  // Writes text into a field of exactly fieldSize bytes, cut to fit and padded with zeros.
  bool WriteFixedString(LPCSTR text, size_t fieldSize);
  // Overwrites four bytes already written (a length field filled in once the length is known).
  bool PatchDWord(size_t position, DWORD value);
  // Drops everything written after the first size bytes (nothing when fewer were written); an
  // owned buffer keeps its room for what is written next.
  void Truncate(size_t size);

private:
  // Room for count more bytes; false when the limit or the caller's buffer does not allow it.
  bool Reserve(size_t count) { return count <= m_room - m_size || Grow(count); }
  bool Grow(size_t count);
  BYTE* End() { return (m_external ? m_external : m_owned.data()) + m_size; }
  bool WriteLittleEndian(UINT64 value, size_t count) {
    if (!Reserve(count)) return false;
    BYTE* out = End();
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<BYTE>(value >> (8 * i));
    m_size += count;
    return true;
  }

  // Owned: its size is the room, of which the first m_size bytes are written.
  mutable std::vector<BYTE> m_owned;
  BYTE* m_external;
  size_t m_capacity;  // 0 with an owned buffer means unlimited
  size_t m_size;
  // Bytes that can be written before the buffer must grow.
  mutable size_t m_room;
};
