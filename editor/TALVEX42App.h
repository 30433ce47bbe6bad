// CTALVEX42App: the editor's application. Start-up chooses the user-interface language (the
// English resource library replaces the built-in Chinese resources), loads the program's data
// behind the logo window, registers the document template, creates the main frame and carries
// out the command line. The language menu stores a new language and ends the program.
#pragma once

#include "framework/WinApp.h"

class CIniFile;
class CMultiDocTemplate;
class CWnd;

class CTALVEX42App : public CWinApp {
  DECLARE_DYNAMIC(CTALVEX42App)
public:
  // The language whose resources are built in; any other loads the English resource library.
  static const WORD kBuiltInLanguage = 2052;
  static const char kEnglishLibraryName[];
  static const int kClipboardFormatCount = 7;

  // Steps of InitializeApplicationData.
  enum DataFlags : UINT {
    kLoadTextDefaults = 1,
    kLoadFonts = 2,
    kLoadSettings = 4,
    kRegisterClipboard = 8,
    kScanLibraries = 16,
    kLoadAll = 31,
  };

  CTALVEX42App();

  BOOL InitInstance() override;
  int ExitInstance() override;

  // Runs the loading steps chosen by flags, showing each in control 1184 of progress (if given).
  void InitializeApplicationData(UINT flags, CWnd* progress = nullptr);

  // Stores language as the language of the next start and ends the program, saying so. Modified
  // documents are offered for saving first; when the user cancels, nothing changes and it returns
  // FALSE.
  BOOL SetLanguageAndExit(WORD language);

  // Reads the start-up language from the settings; a value below 16 (none chosen) becomes the
  // system's default language, which is written back.
  static WORD ReadStartupLanguage(const CIniFile& settings);
  // Whether a command line carries the maintenance switch "/Talvex" (anywhere in it).
  static BOOL HasTalvexSwitch(LPCSTR commandLine);
  // Names of the private clipboard formats, in registration order.
  static CString ClipboardFormatName(int index);

  WORD GetLanguage() const { return m_language; }
  BOOL IsTalvexSwitchSet() const { return m_talvexSwitch; }
  BOOL IsAutoFill() const { return m_autoFill; }
  // The straight text layout spreads wrapped lines by the same setting.
  void SetAutoFill(BOOL autoFill);
  UINT GetClipboardFormat(int index) const;
  HINSTANCE GetResourceLibrary() const { return m_resourceLibrary; }
  CMultiDocTemplate* GetDocTemplate() const { return m_docTemplate; }

  // Creates, shows and keeps the main frame; when it cannot be made, says so in a message box
  // and returns FALSE (the program then ends).
  BOOL CreateMainFrame();

  // How the program ends after a language change; tests replace it.
  using EndProcessFunction = void (*)(UINT exitCode);
  static EndProcessFunction SetEndProcessFunction(EndProcessFunction function);

protected:
  void OnAppAbout();
  // Print setup; without a printer a message says so.
  void OnPrintSetup();
  void OnLanguageGb() { SetLanguageAndExit(2052); }
  void OnLanguageBig5() { SetLanguageAndExit(1028); }
  void OnLanguageEnglish() { SetLanguageAndExit(1033); }
  void OnLanguageDefault() { SetLanguageAndExit(0); }
  void OnUpdateLanguage(CCmdUI* ui);

  DECLARE_MESSAGE_MAP()

private:
  void ChooseResources();
  void FreeResourceLibrary();
  void RegisterClipboardFormats();
  static void ShowProgress(CWnd* progress, LPCSTR text);
  void ReportMainFrameFailure();
  BOOL ProcessCommandLine();
  void MaximizeActiveChild();

  HINSTANCE m_savedResources;
  HINSTANCE m_resourceLibrary;
  CMultiDocTemplate* m_docTemplate;
  WORD m_language;
  BOOL m_talvexSwitch;
  BOOL m_autoFill;
  UINT m_clipboardFormats[kClipboardFormatCount];
};
