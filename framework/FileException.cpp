#include "framework/FileException.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

CFileException::CFileException(int cause, LONG osError, LPCSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

int CFileException::OsErrorToException(LONG osError) {
  // clang-format off
  switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
  }
  // clang-format on
}

BOOL CFileException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  LPCSTR what;
  // clang-format off
  switch (m_cause) {
    case fileNotFound: what = "找不到文件"; break;
    case badPath: what = "路径无效"; break;
    case tooManyOpenFiles: what = "打开的文件太多"; break;
    case accessDenied: what = "拒绝访问"; break;
    case invalidFile: what = "无效的文件句柄"; break;
    case badSeek: what = "文件定位出错"; break;
    case hardIO: what = "硬件读写错误"; break;
    case sharingViolation: what = "文件正被其他程序使用"; break;
    case lockViolation: what = "文件被锁定"; break;
    case diskFull: what = "磁盘已满"; break;
    case endOfFile: what = "意外到达文件末尾"; break;
    default: what = "文件操作失败"; break;
  }
  // clang-format on
  CString text;
  if (m_strFileName.IsEmpty()) {
    text.Format("%s。", what);
  } else {
    text.Format("%s: %s", what, static_cast<LPCSTR>(m_strFileName));
  }
  return CopyMessage(text, buffer, bufferSize);
}

void AfxThrowFileException(int cause, LONG osError, LPCSTR fileName) {
  throw new CFileException(cause, osError, fileName);
}
