#include "installer/InstallProblem.h"

#include "installer/InstallerTexts.h"
#include "resources/installer/InstallerResource.h"

namespace {

const DWORD kSystemTextLength = 500;

CString FromResource(UINT id, LPCSTR subject) {
  CString format;
  format.LoadString(id);
  CString text;
  text.Format(format, subject);
  return text;
}

}  // namespace

CInstallProblem::CInstallProblem(Kind kind, int number, LPCSTR subject, DWORD error)
    : m_kind(kind), m_number(number), m_subject(subject ? subject : ""), m_error(error) {}

CInstallProblem CInstallProblem::SystemError(DWORD error, LPCSTR subject) {
  return CInstallProblem(kSystemError, 0, subject, error);
}

CString CInstallProblem::Describe() const {
  CString text;
  switch (m_kind) {
    case kNone:
      break;
    case kCatalogueUnreadable:
      return FromResource(IDS_CATALOGUE_UNREADABLE, m_subject);
    case kSectionTooLong:
      return FromResource(IDS_SECTION_TOO_LONG, m_subject);
    case kNoManufacturer:
      text.Format(InstallerText::kNoManufacturer, m_number);
      break;
    case kBadManufacturer:
      return InstallerText::kBadManufacturer;
    case kNoCutter:
      text.Format(InstallerText::kNoCutter, m_number);
      break;
    case kBadCutterLine:
      return InstallerText::kBadCutterLine;
    case kNameTooLong:
      return FromResource(IDS_NAME_TOO_LONG, m_subject);
    case kNameNotPrinterName:
      return FromResource(IDS_NAME_NOT_PRINTER_NAME, m_subject);
    case kNoFileSection:
      return FromResource(IDS_NO_FILE_SECTION, m_subject);
    case kFileNameNotPlain:
      return FromResource(IDS_FILE_NAME_NOT_PLAIN, m_subject);
    case kFileListTooLong:
      return FromResource(IDS_FILE_LIST_TOO_LONG, m_subject);
    case kNoDataFile:
      return FromResource(IDS_NO_DATA_FILE, m_subject);
    case kNoDataSection:
      text.Format(InstallerText::kNoDataSection, m_subject.GetString());
      break;
    case kNoDriverFile:
      return InstallerText::kNoDriverFile;
    case kNoConfigFile:
      return InstallerText::kNoConfigFile;
    case kNoHelpFile:
      return InstallerText::kNoHelpFile;
    case kPathTooLong:
      return FromResource(IDS_PATH_TOO_LONG, m_subject);
    case kCopyFileFail:
      return InstallerText::kCopyFileFail;
    case kNoPort:
      return FromResource(IDS_NO_PORT, m_subject);
    case kSystemError:
      if (m_subject.IsEmpty()) return SystemText(m_error);
      CString format;
      format.LoadString(IDS_SYSTEM_ERROR_FILE);
      text.Format(format, SystemText(m_error).GetString(), m_subject.GetString());
      break;
  }
  return text;
}

CString CInstallProblem::SystemText(DWORD error) {
  char buffer[kSystemTextLength + 1] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer, kSystemTextLength, nullptr);
  CString text(buffer, static_cast<int>(length));
  text.TrimRight("\r\n ");
  if (text.IsEmpty()) text.Format("Error %lu", static_cast<unsigned long>(error));
  return text;
}
