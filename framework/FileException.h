// CFileException: a file operation failed; says what, on which file, with the system error code.
// Its messages come from the string resources (AFX_IDP_FILE_*), built-in Chinese without them.
#pragma once

#include "framework/Exception.h"
#include "framework/String.h"

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG osError = -1, LPCSTR fileName = nullptr);
  BOOL GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext = nullptr) const override;
  static int OsErrorToException(LONG osError);
  // A program of 8-bit text reaches files through the system's code page, which puts a '?' (a
  // character no file name can hold) for each character of a name it cannot represent: such a
  // name, a Chinese one on an English system for example, cannot be opened or made.
  static bool IsNameOutsideCodePage(LPCSTR fileName);
  // Says so, in the resources' language.
  static CString NameOutsideCodePageText();

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCSTR fileName = nullptr);
