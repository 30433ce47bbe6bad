#include "media/library/LibraryFileAccess.h"

#include <algorithm>

#include "framework/FileException.h"

namespace {

const ULONGLONG kLargestLibrary = 0xFFFFFFFFull;

}  // namespace

CLibraryFileAccess::~CLibraryFileAccess() { Close(); }

bool CLibraryFileAccess::Open(LPCSTR path, Mode mode) {
  Close();
  if (!path || !*path) return false;
  UINT flags = CFile::typeBinary;
  if (mode == kCreateNew) {
    // Made first on its own, so that no existing file is ever emptied.
    HANDLE made = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (made == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(made);
    mode = kReadWrite;
  }
  if (mode == kRead)
    flags |= CFile::modeRead | CFile::shareDenyWrite;
  else if (mode == kReadWrite)
    flags |= CFile::modeReadWrite | CFile::shareDenyWrite;
  else
    flags |= CFile::modeCreate | CFile::modeReadWrite | CFile::shareDenyWrite;
  if (!m_file.Open(path, flags)) return false;
  try {
    ULONGLONG length = m_file.GetLength();
    m_length = length > kLargestLibrary ? 0 : static_cast<DWORD>(length);
  } catch (CFileException* e) {
    e->Delete();
    Close();
    return false;
  }
  return true;
}

void CLibraryFileAccess::Close() {
  if (m_file.IsOpen()) m_file.Abort();
  m_length = 0;
}

size_t CLibraryFileAccess::ReadUpTo(DWORD offset, void* data, size_t count) {
  if (!IsOpen() || offset >= m_length) return 0;
  size_t wanted = std::min<size_t>(count, m_length - offset);
  size_t done = 0;
  try {
    m_file.Seek(offset, CFile::begin);
    while (done < wanted) {
      UINT read = m_file.Read(static_cast<BYTE*>(data) + done, static_cast<UINT>(wanted - done));
      if (read == 0) break;
      done += read;
    }
  } catch (CFileException* e) {
    e->Delete();
  }
  return done;
}

bool CLibraryFileAccess::ReadAt(DWORD offset, void* data, size_t count) {
  if (count > m_length || offset > m_length - count) return false;
  return ReadUpTo(offset, data, count) == count;
}

bool CLibraryFileAccess::WriteAt(DWORD offset, const void* data, size_t count) {
  if (!IsOpen() || count > kLargestLibrary - offset) return false;
  try {
    m_file.Seek(offset, CFile::begin);
    m_file.Write(data, static_cast<UINT>(count));
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
  m_length = std::max<DWORD>(m_length, static_cast<DWORD>(offset + count));
  return true;
}

bool CLibraryFileAccess::Append(const void* data, size_t count, DWORD* offset) {
  DWORD at = m_length;
  if (!WriteAt(at, data, count)) return false;
  if (offset) *offset = at;
  return true;
}
