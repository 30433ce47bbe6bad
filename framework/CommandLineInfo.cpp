#include "framework/CommandLineInfo.h"

#include "framework/SystemCodePage.h"

void CCommandLineInfo::ParseParam(LPCSTR param, BOOL flag, BOOL) {
  if (flag)
    ParseFlag(param);
  else
    ParseFileName(param);
}

void CCommandLineInfo::ParseFlag(LPCSTR flag) {
  CString text(flag);
  if (text.CompareNoCase("pt") == 0)
    m_nShellCommand = FilePrintTo;
  else if (text.CompareNoCase("p") == 0)
    m_nShellCommand = FilePrint;
  else if (text.CompareNoCase("dde") == 0)
    m_nShellCommand = FileDDE;
  else if (text.CompareNoCase("Unregister") == 0 || text.CompareNoCase("Unregserver") == 0)
    m_nShellCommand = AppUnregister;
  else if (text.CompareNoCase("Embedding") == 0)
    m_bRunEmbedded = TRUE, m_bShowSplash = FALSE;
  else if (text.CompareNoCase("Automation") == 0)
    m_bRunAutomated = TRUE, m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseFileName(LPCSTR param) {
  if (m_strFileName.IsEmpty()) {
    m_strFileName = param;
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
  } else if (m_nShellCommand == FilePrintTo) {
    if (m_strPrinterName.IsEmpty())
      m_strPrinterName = param;
    else if (m_strDriverName.IsEmpty())
      m_strDriverName = param;
    else if (m_strPortName.IsEmpty())
      m_strPortName = param;
  }
}

LPSTR AfxCommandLineArguments(LPSTR commandLine) {
  static char empty[] = "";
  if (!commandLine) return empty;
  LPSTR p = commandLine;
  if (*p == '"') {
    for (++p; *p && *p != '"'; ++p) {
    }
    if (*p) ++p;
  } else {
    while (*p && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

void AfxSplitCommandLine(LPCSTR commandLine, CString* arguments, int* count, int maxCount) {
  *count = 0;
  LPCSTR p = commandLine ? commandLine : "";
  while (*p && *count < maxCount) {
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) break;
    CString argument;
    bool quoted = false;
    while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
      if (*p == '"') {
        quoted = !quoted;
        ++p;
      } else if (AfxIsSystemLeadByte(static_cast<unsigned char>(*p)) && p[1]) {
        argument += *p++;
        argument += *p++;
      } else {
        argument += *p++;
      }
    }
    arguments[(*count)++] = argument;
  }
}
