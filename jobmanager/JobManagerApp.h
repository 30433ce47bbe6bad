// CJobManagerApp: the job manager's application. Start-up chooses the user-interface language
// ("Language" in "SystemParam" of Cutters.INI: the built-in Chinese resources, or the English
// resource library orvResEng.DLL for any other language) and shows the main frame. The frame's
// title does not depend on the language: the editor finds the manager by it.
#pragma once

#include "framework/WinApp.h"
#include "model/settings/IniFile.h"

class CJobManagerApp : public CWinApp {
  DECLARE_DYNAMIC(CJobManagerApp)
public:
  static constexpr WORD kBuiltInLanguage = 2052;
  // Language values below this mean that none was chosen yet.
  static constexpr WORD kFirstLanguageId = 16;

  CJobManagerApp();

  BOOL InitInstance() override;
  int ExitInstance() override;

  // Reads the language (a value below 16 becomes the system's and is written back) and puts
  // the matching resources in place; returns the language. A missing English library leaves
  // the built-in resources in use.
  WORD SelectLanguage();
  // Creates and shows the main frame; FALSE when it cannot be made.
  BOOL CreateMainFrame();

  WORD GetLanguage() const { return m_language; }
  HINSTANCE GetResourceLibrary() const { return m_resourceLibrary; }
  // Where the settings and the English library are read from (default: the program folder).
  void SetSettingsFile(LPCSTR path) { m_settings.SetPath(path); }
  void SetLibraryFolder(LPCSTR folder) { m_libraryFolder = folder; }

private:
  void FreeResourceLibrary();

  CIniFile m_settings;
  CString m_libraryFolder;
  HINSTANCE m_resourceLibrary;
  HINSTANCE m_savedResources;
  WORD m_language;
};
