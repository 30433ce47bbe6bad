// CInstallProblem: why reading the catalogue or a step of the installation failed, as a fact: its
// kind, the number or name it concerns and the system's error code. The dialog and the
// application turn it into the text a user reads (Describe): the steps' own error texts, which
// are the same in both languages, or a string resource of the installer's language.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CInstallProblem {
public:
  // clang-format off
  enum Kind {
    kNone,
    kCatalogueUnreadable,  // subject: the catalogue's path
    kSectionTooLong,       // subject: the section
    kNoManufacturer,       // number: the manufacturer's number (1 for the first)
    kBadManufacturer,
    kNoCutter,             // number: the model's number (1 for the first)
    kBadCutterLine,
    kNameTooLong,          // subject: the model's name
    kNameNotPrinterName,   // subject: the model's name
    kNoFileSection,        // subject: the file list's section
    kFileNameNotPlain,     // subject: the file name
    kFileListTooLong,      // subject: the cutter's section
    kNoDataFile,           // subject: the cutter's section
    kNoDataSection,        // subject: the cutter's section
    kNoDriverFile,
    kNoConfigFile,
    kNoHelpFile,
    kPathTooLong,          // subject: the file name
    kCopyFileFail,
    kNoPort,
    kSystemError,          // error: the system's code; subject: the file it concerns, if any
  };
  // clang-format on

  CInstallProblem() = default;
  explicit CInstallProblem(Kind kind, int number = 0, LPCSTR subject = nullptr, DWORD error = 0);
  static CInstallProblem SystemError(DWORD error, LPCSTR subject = nullptr);

  bool IsSet() const { return m_kind != kNone; }
  Kind GetKind() const { return m_kind; }
  int GetNumber() const { return m_number; }
  const CString& GetSubject() const { return m_subject; }
  DWORD GetError() const { return m_error; }

  // The text a user reads, from the current resource module where the installer has its own.
  CString Describe() const;
  // The system's text for an error code (at most 500 characters, without the closing line
  // break), or its number when the system has none.
  static CString SystemText(DWORD error);

private:
  Kind m_kind = kNone;
  int m_number = 0;
  CString m_subject;
  DWORD m_error = 0;
};
