#include "framework/FileException.h"

#include <cstring>

#include "framework/AfxRes.h"

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

namespace {

struct CauseText {
  int cause;
  UINT id;
  const char* builtIn;
};

// clang-format off
const CauseText kCauseTexts[] = {
    {CFileException::fileNotFound, AFX_IDP_FILE_NOT_FOUND, "找不到文件。"},
    {CFileException::badPath, AFX_IDP_FILE_BAD_PATH, "路径无效。"},
    {CFileException::tooManyOpenFiles, AFX_IDP_FILE_TOO_MANY_OPEN, "打开的文件太多。"},
    {CFileException::accessDenied, AFX_IDP_FILE_ACCESS_DENIED, "拒绝访问。"},
    {CFileException::invalidFile, AFX_IDP_FILE_INVALID_FILE, "无效的文件句柄。"},
    {CFileException::badSeek, AFX_IDP_FILE_BAD_SEEK, "文件定位出错。"},
    {CFileException::hardIO, AFX_IDP_FILE_HARD_IO, "硬件读写错误。"},
    {CFileException::sharingViolation, AFX_IDP_FILE_SHARING, "文件正被其他程序使用。"},
    {CFileException::lockViolation, AFX_IDP_FILE_LOCKING, "文件被锁定。"},
    {CFileException::diskFull, AFX_IDP_FILE_DISK_FULL, "磁盘已满。"},
    {CFileException::endOfFile, AFX_IDP_FILE_END_OF_FILE, "意外到达文件末尾。"},
};
const char kGenericText[] = "文件操作失败。";
const char kNameOutsideCodePageText[] =
    "文件名中有本系统的代码页不能表示的字符, 程序无法使用这个文件。请用本系统语言的字符给文件改名。";
// clang-format on

}  // namespace

bool CFileException::IsNameOutsideCodePage(LPCSTR fileName) {
  return fileName && std::strchr(fileName, '?') != nullptr;
}

CString CFileException::NameOutsideCodePageText() {
  return AfxLoadString(AFX_IDP_FILE_NAME_OUTSIDE_CODE_PAGE, kNameOutsideCodePageText);
}

BOOL CFileException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  CString text = AfxLoadString(AFX_IDP_FILE_GENERIC, kGenericText);
  for (const CauseText& entry : kCauseTexts)
    if (entry.cause == m_cause) text = AfxLoadString(entry.id, entry.builtIn);
  // Whatever the system answered, such a name is the reason the file could not be used.
  if (IsNameOutsideCodePage(m_strFileName)) text = NameOutsideCodePageText();
  if (!m_strFileName.IsEmpty()) text += "\n" + m_strFileName;
  return CopyMessage(text, buffer, bufferSize);
}

void AfxThrowFileException(int cause, LONG osError, LPCSTR fileName) {
  throw new CFileException(cause, osError, fileName);
}
