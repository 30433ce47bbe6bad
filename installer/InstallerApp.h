// CInstallerApp: the installer's application. It finds the catalogue (the command line's name in
// the program folder, else the one of the system's language), takes the English resources from
// fennikEng.DLL when the catalogue's LanguageID is 1 (without the library the built-in Chinese
// ones stay), reads the first manufacturer and runs the dialog; it ends with the dialog. A
// catalogue that cannot be read or names no manufacturer is reported and ends the program. The
// exit code says how it ended (ExitCode).
#pragma once

#include <windows.h>

#include "framework/WinApp.h"
#include "installer/CutterCatalogue.h"

class CInstallerApp : public CWinApp {
  DECLARE_DYNAMIC(CInstallerApp)
public:
  enum ExitCode { kInstalled = 0, kCancelled = 1, kCatalogueFailed = 2 };

  CInstallerApp();

  BOOL InitInstance() override;
  int ExitInstance() override;

  // The folder of the program's files, ending with a backslash.
  static CString ProgramFolder();

private:
  void LoadResourceLibrary(LPCSTR folder);
  void FreeResourceLibrary();
  void ShowStartError(LPCSTR text) const;

  CCutterCatalogue m_catalogue;
  HINSTANCE m_resourceLibrary = nullptr;
  HINSTANCE m_savedResources = nullptr;
  int m_exitCode = kCancelled;
};
