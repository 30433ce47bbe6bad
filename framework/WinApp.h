// CWinApp: the application object (one per program). It runs the message loop with idle-time
// updates of menus and bars, keeps the program's profile (the registry under
// HKCU\Software\<registry key>\<application name> after SetRegistryKey, otherwise an INI file),
// and is the last stop of command routing.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "framework/AfxRes.h"
#include "framework/CmdTarget.h"
#include "framework/PtrList.h"
#include "framework/String.h"

class CCommandLineInfo;
class CDC;
class CDocManager;
class CDocTemplate;
class CDocument;
class CPrintDialog;
class CRecentFileList;
class CWnd;

class CWinApp : public CCmdTarget {
  DECLARE_DYNAMIC(CWinApp)
public:
  // The name defaults to string resource AFX_IDS_APP_TITLE, else to the executable's name.
  explicit CWinApp(LPCSTR appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszExeName = nullptr;
  LPCSTR m_pszProfileName = nullptr;  // INI file name, or the registry profile name
  LPCSTR m_pszRegistryKey = nullptr;  // null while the profile is an INI file
  LPCSTR m_pszHelpFilePath = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  CWnd* m_pMainWnd = nullptr;
  CDocManager* m_pDocManager = nullptr;
  CRecentFileList* m_pRecentFileList = nullptr;
  HGLOBAL m_hDevMode = nullptr;  // the printer chosen in print setup
  HGLOBAL m_hDevNames = nullptr;

  virtual BOOL InitApplication();
  virtual BOOL InitInstance();
  // Returns the program's exit code.
  virtual int ExitInstance();
  // The message loop; returns ExitInstance's code after WM_QUIT.
  virtual int Run();
  // count 0: update menus and bars of every top-level window; count 1: free temporary wrappers.
  // Returns TRUE while it wants more idle calls.
  virtual BOOL OnIdle(LONG count);
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Gets and dispatches one message; FALSE on WM_QUIT.
  virtual BOOL PumpMessage();
  virtual BOOL IsIdleMessage(MSG* msg);
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }
  // 1 shows the wait cursor, -1 takes one back, 0 shows it again while any is pending.
  virtual void DoWaitCursor(int code);
  // The exit code passed to PostQuitMessage.
  int GetExitCode() const { return m_exitCode; }

  // Profile
  void SetRegistryKey(LPCSTR key);
  void SetRegistryKey(UINT stringId);
  HKEY GetAppRegistryKey();  // the caller closes the key
  HKEY GetSectionKey(LPCSTR section);
  UINT GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue);
  CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue = nullptr);
  // *data is allocated with new[]; the caller deletes it.
  BOOL GetProfileBinary(LPCSTR section, LPCSTR entry, LPBYTE* data, UINT* bytes);
  BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int value);
  // A null entry deletes the section; a null value deletes the entry.
  BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);
  BOOL WriteProfileBinary(LPCSTR section, LPCSTR entry, LPBYTE data, UINT bytes);
  // A text of the profile in its wide form, so that a file name the system's code page cannot
  // spell keeps its characters; empty when the entry is missing.
  std::wstring GetProfileWideString(LPCSTR section, LPCSTR entry);
  BOOL WriteProfileWideString(LPCSTR section, LPCSTR entry, const std::wstring& value);

  // Documents
  void AddDocTemplate(CDocTemplate* docTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& position) const;
  virtual CDocument* OpenDocumentFile(LPCSTR path);
  virtual void AddToRecentFileList(LPCSTR path);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);
  int GetOpenDocumentCount() const;
  virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openDialog,
                                CDocTemplate* docTemplate);
  // Reads the recent-file list (maxFiles entries) from the profile; ExitInstance writes it back.
  void LoadStdProfileSettings(UINT maxFiles = 4);
  void SaveStdProfileSettings();
  void ParseCommandLine(CCommandLineInfo& info);
  // Carries out the command line: a new document, or opening (printing) its file.
  BOOL ProcessShellCommand(CCommandLineInfo& info);
  void RegisterShellFileTypes(BOOL compatibility = FALSE);
  // Shell open goes through the command line; no dynamic data exchange server is started.
  void EnableShellOpen() {}

  // Printing
  BOOL GetPrinterDeviceDefaults(PRINTDLGA* printDialog);
  BOOL CreatePrinterDC(CDC& dc);
  virtual INT_PTR DoPrintDialog(CPrintDialog* dialog);

  // Standard command handlers (route them in the derived application's map).
  void OnFileNew();
  void OnFileOpen();
  void OnFilePrintSetup();
  void OnAppExit();
  BOOL OnOpenRecentFile(UINT id);
  void OnUpdateRecentFileMenu(CCmdUI* ui);

  // Resources
  HCURSOR LoadCursor(UINT id) const;
  HCURSOR LoadStandardCursor(LPCSTR name) const { return ::LoadCursorA(nullptr, name); }
  HICON LoadIcon(UINT id) const;
  HICON LoadStandardIcon(LPCSTR name) const { return ::LoadIconA(nullptr, name); }

  // Fills the names (application, executable, profile) that are still missing.
  void EnsureNames();

protected:
  friend BOOL AfxWinInit(HINSTANCE, HINSTANCE, LPSTR, int);
  void IdleUpdateWindows();

  DECLARE_MESSAGE_MAP()

private:
  CString m_appName, m_exeName, m_profileName, m_registryKey;
  int m_waitCursorCount = 0;
  HCURSOR m_cursorBeforeWait = nullptr;
  int m_exitCode = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCSTR AfxGetAppName();
// Program start: sets up the application object's handles and runs InitInstance, then Run.
BOOL AfxWinInit(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
void AfxPostQuitMessage(int exitCode);
// One waiting message of the thread for a loop nested in a long job, taken wide as every loop
// takes them (CWinApp::PumpMessage says why): a key of the dialog, if one is given, goes to its
// dialog keys, WM_QUIT is posted again for the main loop. FALSE when none waited or it was
// WM_QUIT.
BOOL AfxPumpWaitingMessage(HWND dialog = nullptr);
// Every waiting message the same way, up to WM_QUIT.
void AfxPumpWaitingMessages(HWND dialog = nullptr);
