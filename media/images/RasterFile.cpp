#include "media/images/RasterFile.h"

CRasterFile::CRasterFile(LPCSTR path) : m_handle(INVALID_HANDLE_VALUE), m_size(0) {
  if (!path || !path[0]) return;
  m_handle = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size;
  if (IsOpen() && ::GetFileSizeEx(m_handle, &size)) m_size = static_cast<ULONGLONG>(size.QuadPart);
}

CRasterFile::~CRasterFile() {
  if (IsOpen()) ::CloseHandle(m_handle);
}

bool CRasterFile::ReadAt(ULONGLONG offset, void* buffer, size_t count) {
  if (!IsOpen() || !Holds(offset, count)) return false;
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN)) return false;
  BYTE* out = static_cast<BYTE*>(buffer);
  while (count > 0) {
    DWORD chunk = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
    DWORD read = 0;
    if (!::ReadFile(m_handle, out, chunk, &read, nullptr) || read == 0) return false;
    out += read;
    count -= read;
  }
  return true;
}
