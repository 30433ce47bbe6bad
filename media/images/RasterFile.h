// CRasterFile: an image file opened for reading raw bytes, for as long as the object lives. Every
// read names its offset and size and fails, reading nothing, when the bytes are not all in the
// file; nothing is read past its end.
#pragma once

#include <windows.h>

#include <cstddef>

class CRasterFile {
public:
  explicit CRasterFile(LPCSTR path);
  ~CRasterFile();
  CRasterFile(const CRasterFile&) = delete;
  CRasterFile& operator=(const CRasterFile&) = delete;

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  ULONGLONG Size() const { return m_size; }
  // Whether count bytes from offset lie within the file.
  bool Holds(ULONGLONG offset, ULONGLONG count) const {
    return offset <= m_size && count <= m_size - offset;
  }
  // Exactly count bytes at offset into buffer; false when they are not all there.
  bool ReadAt(ULONGLONG offset, void* buffer, size_t count);

private:
  HANDLE m_handle;
  ULONGLONG m_size;
};
