#include "framework/File.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

DWORD AccessOf(UINT flags) {
  switch (flags & 3) {
    case CFile::modeWrite: return GENERIC_WRITE;
    case CFile::modeReadWrite: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

DWORD ShareOf(UINT flags) {
  switch (flags & 0x70) {
    case CFile::shareExclusive: return 0;
    case CFile::shareDenyWrite: return FILE_SHARE_READ;
    case CFile::shareDenyRead: return FILE_SHARE_WRITE;
    default: return FILE_SHARE_READ | FILE_SHARE_WRITE;
  }
}

DWORD CreationOf(UINT flags) {
  if (flags & CFile::modeCreate) return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  return OPEN_EXISTING;
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull) {}

CFile::CFile(LPCSTR fileName, UINT openFlags) : m_hFile(hFileNull) {
  CFileException error;
  if (!Open(fileName, openFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error) {
  Abort();
  m_strFileName = fileName;
  SECURITY_ATTRIBUTES security = {sizeof security, nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};
  HANDLE handle = CreateFileA(fileName ? fileName : "", AccessOf(openFlags), ShareOf(openFlags), &security,
                              CreationOf(openFlags), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    LONG osError = static_cast<LONG>(GetLastError());
    if (error) {
      error->m_cause = CFileException::OsErrorToException(osError);
      error->m_lOsError = osError;
      error->m_strFileName = fileName;
    }
    return FALSE;
  }
  m_hFile = handle;
  return TRUE;
}

void CFile::Close() {
  if (m_hFile == hFileNull) return;
  BOOL closed = CloseHandle(m_hFile);
  m_hFile = hFileNull;
  if (!closed) ThrowLastError();
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
}

void CFile::ThrowLastError() const {
  LONG osError = static_cast<LONG>(GetLastError());
  AfxThrowFileException(CFileException::OsErrorToException(osError), osError, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
  if (count == 0) return 0;
  DWORD read = 0;
  if (!ReadFile(m_hFile, buffer, count, &read, nullptr)) ThrowLastError();
  return read;
}

void CFile::Write(const void* buffer, UINT count) {
  if (count == 0) return;
  DWORD written = 0;
  if (!WriteFile(m_hFile, buffer, count, &written, nullptr)) ThrowLastError();
  if (written != count) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
  LARGE_INTEGER distance, position;
  distance.QuadPart = offset;
  DWORD method = from == end ? FILE_END : from == current ? FILE_CURRENT : FILE_BEGIN;
  if (!SetFilePointerEx(m_hFile, distance, &position, method)) ThrowLastError();
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, position;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT)) ThrowLastError();
  return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_hFile, &size)) ThrowLastError();
  return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength) {
  Seek(static_cast<LONGLONG>(newLength), begin);
  if (!SetEndOfFile(m_hFile)) ThrowLastError();
}

void CFile::Flush() {
  if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile)) ThrowLastError();
}

CString CFile::GetFileName() const {
  int slash = m_strFileName.ReverseFind('\\');
  int forward = m_strFileName.ReverseFind('/');
  int cut = slash > forward ? slash : forward;
  return m_strFileName.Mid(cut + 1);
}

void CFile::Remove(LPCSTR fileName) {
  if (!DeleteFileA(fileName)) {
    LONG osError = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(osError), osError, fileName);
  }
}

void CFile::Rename(LPCSTR oldName, LPCSTR newName) {
  if (!MoveFileA(oldName, newName)) {
    LONG osError = static_cast<LONG>(GetLastError());
    AfxThrowFileException(CFileException::OsErrorToException(osError), osError, oldName);
  }
}
