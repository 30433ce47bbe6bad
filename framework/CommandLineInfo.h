// CCommandLineInfo: what the command line asks for (a new document, a file to open or print).
#pragma once

#include "framework/String.h"

class CCommandLineInfo {
public:
  CCommandLineInfo() = default;
  virtual ~CCommandLineInfo() = default;

  enum ShellCommand {
    FileNew,
    FileOpen,
    FilePrint,
    FilePrintTo,
    FileDDE,
    AppUnregister,
    FileNothing = -1
  };

  // Called for each argument; flag: it began with '/' or '-' (which is not part of param).
  virtual void ParseParam(LPCSTR param, BOOL flag, BOOL last);

  ShellCommand m_nShellCommand = FileNew;
  CString m_strFileName;
  CString m_strPrinterName;
  CString m_strDriverName;
  CString m_strPortName;
  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;

private:
  void ParseFlag(LPCSTR flag);
  void ParseFileName(LPCSTR param);
};

// The arguments of a whole command line: what follows the program name (quoted or not) and the
// blanks after it.
LPSTR AfxCommandLineArguments(LPSTR commandLine);

// Splits a command line into arguments: blanks separate them, double quotes group them.
void AfxSplitCommandLine(LPCSTR commandLine, CString* arguments, int* count, int maxCount);
