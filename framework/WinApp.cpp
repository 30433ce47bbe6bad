#include "framework/WinApp.h"

#include <commctrl.h>

#include <new>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/CommandLineInfo.h"
#include "framework/DC.h"
#include "framework/DocManager.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/Exception.h"
#include "framework/MemoryException.h"
#include "framework/MessageBox.h"
#include "framework/PrintDialog.h"
#include "framework/RecentFileList.h"
#include "framework/ResourceModule.h"
#include "framework/SystemCodePage.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

namespace {

CWinApp* g_app = nullptr;

CString ExecutableBaseName() {
  char path[MAX_PATH * 4] = {};
  DWORD length = ::GetModuleFileNameA(AfxGetInstanceHandle(), path, sizeof path);
  if (length == 0 || length >= sizeof path) return "Program";
  CString name(path);
  int slash = name.ReverseFind('\\');
  if (slash >= 0) name = name.Mid(slash + 1);
  int dot = name.ReverseFind('.');
  if (dot > 0) name = name.Left(dot);
  return name;
}

}  // namespace

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->GetMainWnd() : nullptr; }

LPCSTR AfxGetAppName() {
  if (!g_app) return "";
  g_app->EnsureNames();
  return g_app->m_pszAppName;
}

void AfxPostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

CWinApp::CWinApp(LPCSTR appName) {
  if (appName) {
    m_appName = appName;
    m_pszAppName = m_appName;
  }
  g_app = this;
}

CWinApp::~CWinApp() {
  delete m_pDocManager;
  delete m_pRecentFileList;
  if (m_hDevMode) ::GlobalFree(m_hDevMode);
  if (m_hDevNames) ::GlobalFree(m_hDevNames);
  if (g_app == this) g_app = nullptr;
}

void CWinApp::EnsureNames() {
  if (!m_pszExeName) {
    m_exeName = ExecutableBaseName();
    m_pszExeName = m_exeName;
  }
  if (!m_pszAppName) {
    if (!m_appName.LoadString(AFX_IDS_APP_TITLE)) m_appName = m_pszExeName;
    m_pszAppName = m_appName;
  }
  if (!m_pszProfileName) {
    m_profileName = CString(m_pszExeName) + ".INI";
    m_pszProfileName = m_profileName;
  }
  if (*AfxGetMessageBoxCaption() == '\0') AfxSetMessageBoxCaption(m_pszAppName);
}

BOOL AfxWinInit(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  AfxSetInstanceHandle(instance);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  app->m_hInstance = instance;
  app->m_lpCmdLine = commandLine;
  app->m_nCmdShow = showCommand;
  app->EnsureNames();
  return TRUE;
}

// The C runtime's start-up skips every byte after the program name that compares, signed, as
// not above a blank: the GBK bytes that begin a Chinese file name went with the blanks. So the
// arguments are taken from the process's command line here.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand) {
  CWinApp* app = AfxGetApp();
  LPSTR commandLine = AfxCommandLineArguments(::GetCommandLineA());
  if (!app || !AfxWinInit(instance, previous, commandLine, showCommand)) return -1;
  try {
    if (app->InitApplication() && app->InitInstance()) return app->Run();
    if (app->m_pMainWnd) app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  } catch (CException* e) {
    AfxReportHandlerException(e);
    return -1;
  }
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return m_exitCode;
}

BOOL CWinApp::IsIdleMessage(MSG* msg) {
  // Mouse moves that do not move and the caret's blinking do not restart idle processing.
  static POINT lastPoint = {-1, -1};
  static UINT lastMessage = 0;
  if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE) {
    if (msg->message == lastMessage && msg->pt.x == lastPoint.x && msg->pt.y == lastPoint.y)
      return FALSE;
    lastPoint = msg->pt;
    lastMessage = msg->message;
    return TRUE;
  }
  return msg->message != WM_PAINT && msg->message != 0x0118;  // 0x0118: the system's caret timer
}

// Every loop of the program takes its messages as wide characters: a Chinese character typed
// arrives whole, and the system hands it to our (8-bit) windows as its two GBK bytes. Taken as
// 8-bit text the character comes out split, and the dialog keys (IsDialogMessage) turn each
// half into a question mark before the edit field sees it. Nested loops do the same (through
// AfxPumpWaitingMessage), so that no half character is left waiting between an 8-bit and a wide
// loop.
BOOL CWinApp::PumpMessage() {
  MSG msg;
  if (!::GetMessageW(&msg, nullptr, 0, 0)) {
    m_exitCode = static_cast<int>(msg.wParam);
    return FALSE;
  }
  if (!PreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return TRUE;
}

BOOL AfxPumpWaitingMessage(HWND dialog) {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return FALSE;
  if (msg.message == WM_QUIT) {
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return FALSE;
  }
  if (dialog && ::IsDialogMessageW(dialog, &msg)) return TRUE;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return TRUE;
}

void AfxPumpWaitingMessages(HWND dialog) {
  while (AfxPumpWaitingMessage(dialog)) {
  }
}

int CWinApp::Run() {
  MSG msg;
  for (;;) {
    LONG idleCount = 0;
    bool idle = true;
    while (idle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      try {
        idle = OnIdle(idleCount++) != FALSE;
      } catch (CException* e) {
        AfxReportHandlerException(e);
        idle = false;
      }
    }
    do {
      try {
        if (!PumpMessage()) return ExitInstance();
      } catch (CException* e) {
        AfxReportHandlerException(e);
      } catch (const std::bad_alloc&) {
        CMemoryException().ReportError();
      }
      if (IsIdleMessage(&msg)) idleCount = 0;
    } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

namespace {

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void CWinApp::IdleUpdateWindows() {
  // Every visible top-level window of the framework (the main frame, floating and other frames)
  // and its descendants update their menus and bars.
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd : windows) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (!wnd || !::IsWindowVisible(hwnd)) continue;
    AfxCallWndProc(wnd, hwnd, WM_IDLEUPDATECMDUI, TRUE, 0);
    if (::IsWindow(hwnd)) wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  }
}

BOOL CWinApp::OnIdle(LONG count) {
  if (count <= 0) {
    IdleUpdateWindows();
  } else if (count == 1) {
    AfxDeleteTempObjects();
  }
  return count < 1;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
  HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hwnd == main) return FALSE;
  }
  // Messages of other top-level windows (modeless tool windows) still get the main frame's
  // accelerators.
  if (main && msg->hwnd && m_pMainWnd->PreTranslateMessage(msg)) return TRUE;
  return FALSE;
}

void CWinApp::DoWaitCursor(int code) {
  HCURSOR wait = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
  if (code > 0) {
    if (m_waitCursorCount++ == 0)
      m_cursorBeforeWait = ::SetCursor(wait);
    else
      ::SetCursor(wait);
  } else if (code < 0) {
    if (m_waitCursorCount > 0 && --m_waitCursorCount == 0) {
      ::SetCursor(m_cursorBeforeWait ? m_cursorBeforeWait
                                     : ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    }
  } else if (m_waitCursorCount > 0) {
    ::SetCursor(wait);
  }
}

HCURSOR CWinApp::LoadCursor(UINT id) const {
  return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

HICON CWinApp::LoadIcon(UINT id) const {
  return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

// Profile

void CWinApp::SetRegistryKey(LPCSTR key) {
  EnsureNames();
  m_registryKey = key ? key : "";
  m_pszRegistryKey = m_registryKey;
  m_profileName = m_pszAppName;
  m_pszProfileName = m_profileName;
}

void CWinApp::SetRegistryKey(UINT stringId) {
  CString key;
  key.LoadString(stringId);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() {
  EnsureNames();
  if (!m_pszRegistryKey) return nullptr;
  CString path;
  path.Format("Software\\%s\\%s", m_pszRegistryKey, m_pszProfileName);
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

HKEY CWinApp::GetSectionKey(LPCSTR section) {
  HKEY appKey = GetAppRegistryKey();
  if (!appKey) return nullptr;
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG status = ::RegCreateKeyExA(appKey, section, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_READ | KEY_WRITE, nullptr, &key, &disposition);
  ::RegCloseKey(appKey);
  return status == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCSTR section, LPCSTR entry, int defaultValue) {
  EnsureNames();
  if (!m_pszRegistryKey)
    return ::GetPrivateProfileIntA(section, entry, defaultValue, m_pszProfileName);
  HKEY key = GetSectionKey(section);
  if (!key) return static_cast<UINT>(defaultValue);
  DWORD value = 0, type = 0, size = sizeof value;
  LONG status = ::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(&value),
                                   &size);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
    return static_cast<UINT>(defaultValue);
  return value;
}

CString CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) {
  EnsureNames();
  if (!defaultValue) defaultValue = "";
  if (!m_pszRegistryKey) {
    // Grow the buffer until the whole value fits.
    for (DWORD size = 256;; size *= 2) {
      CString text;
      DWORD length = ::GetPrivateProfileStringA(section, entry, defaultValue,
                                                text.GetBufferSetLength(static_cast<int>(size)),
                                                size, m_pszProfileName);
      if (length + 2 < size || size >= 1u << 20) {
        text.ReleaseBuffer(static_cast<int>(length));
        return text;
      }
    }
  }
  HKEY key = GetSectionKey(section);
  if (!key) return defaultValue;
  DWORD type = 0, size = 0;
  CString text = defaultValue;
  if (::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    CString value;
    LPSTR buffer = value.GetBufferSetLength(static_cast<int>(size));
    if (::RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) ==
        ERROR_SUCCESS) {
      buffer[size] = '\0';  // the stored value need not end in a zero
      value.ReleaseBuffer();
      text = value;
    }
  }
  ::RegCloseKey(key);
  return text;
}

BOOL CWinApp::GetProfileBinary(LPCSTR section, LPCSTR entry, LPBYTE* data, UINT* bytes) {
  *data = nullptr;
  *bytes = 0;
  EnsureNames();
  if (!m_pszRegistryKey) return FALSE;
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  DWORD type = 0, size = 0;
  BOOL found = FALSE;
  if (::RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_BINARY) {
    auto* buffer = new BYTE[size ? size : 1];
    if (::RegQueryValueExA(key, entry, nullptr, &type, buffer, &size) == ERROR_SUCCESS) {
      *data = buffer;
      *bytes = size;
      found = TRUE;
    } else {
      delete[] buffer;
    }
  }
  ::RegCloseKey(key);
  return found;
}

BOOL CWinApp::WriteProfileInt(LPCSTR section, LPCSTR entry, int value) {
  EnsureNames();
  if (!m_pszRegistryKey) {
    char text[16];
    wsprintfA(text, "%d", value);
    return ::WritePrivateProfileStringA(section, entry, text, m_pszProfileName);
  }
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  DWORD stored = static_cast<DWORD>(value);
  LONG status = ::RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                                 sizeof stored);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
  EnsureNames();
  if (!m_pszRegistryKey)
    return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
  if (!entry) {
    HKEY appKey = GetAppRegistryKey();
    if (!appKey) return FALSE;
    LONG status = ::RegDeleteKeyA(appKey, section);
    ::RegCloseKey(appKey);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  LONG status;
  if (!value) {
    status = ::RegDeleteValueA(key, entry);
    if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
  } else {
    status = ::RegSetValueExA(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                              static_cast<DWORD>(lstrlenA(value) + 1));
  }
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR section, LPCSTR entry, LPBYTE data, UINT bytes) {
  EnsureNames();
  if (!m_pszRegistryKey) return FALSE;
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  LONG status = ::RegSetValueExA(key, entry, 0, REG_BINARY, data, bytes);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

std::wstring CWinApp::GetProfileWideString(LPCSTR section, LPCSTR entry) {
  EnsureNames();
  if (!m_pszRegistryKey) {
    std::wstring text(4096, L'\0');
    DWORD length = ::GetPrivateProfileStringW(AfxWideFromSystem(section).c_str(),
                                              AfxWideFromSystem(entry).c_str(), L"", &text[0],
                                              static_cast<DWORD>(text.size()),
                                              AfxWideFromSystem(m_pszProfileName).c_str());
    text.resize(length);
    return text;
  }
  HKEY key = GetSectionKey(section);
  if (!key) return std::wstring();
  std::wstring name = AfxWideFromSystem(entry), text;
  DWORD type = 0, size = 0;
  if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(&value[0]),
                           &size) == ERROR_SUCCESS)
      text = value.c_str();  // the stored value need not end in a zero
  }
  ::RegCloseKey(key);
  return text;
}

BOOL CWinApp::WriteProfileWideString(LPCSTR section, LPCSTR entry, const std::wstring& value) {
  EnsureNames();
  if (!m_pszRegistryKey)
    return ::WritePrivateProfileStringW(AfxWideFromSystem(section).c_str(),
                                        AfxWideFromSystem(entry).c_str(), value.c_str(),
                                        AfxWideFromSystem(m_pszProfileName).c_str());
  HKEY key = GetSectionKey(section);
  if (!key) return FALSE;
  LONG status = ::RegSetValueExW(key, AfxWideFromSystem(entry).c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// Documents

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
  if (!m_pDocManager) m_pDocManager = new CDocManager;
  m_pDocManager->AddDocTemplate(docTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& position) const {
  return m_pDocManager->GetNextDocTemplate(position);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR path) {
  return m_pDocManager ? m_pDocManager->OpenDocumentFile(path) : nullptr;
}

void CWinApp::AddToRecentFileList(LPCSTR path) {
  if (m_pRecentFileList) m_pRecentFileList->Add(path);
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL endSession) {
  if (m_pDocManager) m_pDocManager->CloseAllDocuments(endSession);
}

int CWinApp::GetOpenDocumentCount() const {
  return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openDialog,
                               CDocTemplate* docTemplate) {
  if (!m_pDocManager) m_pDocManager = new CDocManager;
  return m_pDocManager->DoPromptFileName(fileName, titleId, flags, openDialog, docTemplate);
}

void CWinApp::LoadStdProfileSettings(UINT maxFiles) {
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (maxFiles == 0) return;
  if (maxFiles > ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1)
    maxFiles = ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1;
  m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FIRST, "Recent File List", "File%d",
                                          static_cast<int>(maxFiles));
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
  const int kMaxArguments = 64;
  CString arguments[kMaxArguments];
  int count = 0;
  AfxSplitCommandLine(m_lpCmdLine, arguments, &count, kMaxArguments);
  for (int i = 0; i < count; ++i) {
    LPCSTR argument = arguments[i];
    BOOL flag = argument[0] == '/' || argument[0] == '-';
    info.ParseParam(flag ? argument + 1 : argument, flag, i == count - 1);
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
      CDocument* document = OpenDocumentFile(info.m_strFileName);
      if (!document) return FALSE;
      if (m_pMainWnd) m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
      document->OnCloseDocument();
      return FALSE;  // printed: the program ends
    }
    default:
      return TRUE;
  }
}

void CWinApp::RegisterShellFileTypes(BOOL compatibility) {
  if (m_pDocManager) m_pDocManager->RegisterShellFileTypes(compatibility);
}

void CWinApp::OnFileNew() {
  if (m_pDocManager) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
  if (!m_pDocManager) m_pDocManager = new CDocManager;
  m_pDocManager->OnFileOpen();
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
  if (!m_pRecentFileList) return FALSE;
  int index = static_cast<int>(id - ID_FILE_MRU_FIRST);
  if (index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
  CString path = (*m_pRecentFileList)[index];
  if (path.IsEmpty()) return FALSE;
  // A file that does not open stays listed: the open has said why, and the file may come back.
  OpenDocumentFile(path);
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui) {
  if (!m_pRecentFileList) {
    ui->Enable(FALSE);
    return;
  }
  m_pRecentFileList->UpdateMenu(ui);
}

// Printing

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* dialog) {
  // The dialog starts from, and leaves behind, the application's printer choice.
  GetPrinterDeviceDefaults(&dialog->m_pd);
  INT_PTR result = dialog->DoModal();
  if (result == IDOK) {
    if (m_hDevMode != dialog->m_pd.hDevMode && m_hDevMode) ::GlobalFree(m_hDevMode);
    if (m_hDevNames != dialog->m_pd.hDevNames && m_hDevNames) ::GlobalFree(m_hDevNames);
    m_hDevMode = dialog->m_pd.hDevMode;
    m_hDevNames = dialog->m_pd.hDevNames;
  }
  // The application keeps the handles; the dialog must not free them.
  dialog->m_pd.hDevMode = nullptr;
  dialog->m_pd.hDevNames = nullptr;
  return result;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* printDialog) {
  if (!m_hDevNames) {
    CPrintDialog defaults(FALSE);
    if (!defaults.GetDefaults()) return FALSE;
    m_hDevMode = defaults.m_pd.hDevMode;
    m_hDevNames = defaults.m_pd.hDevNames;
    defaults.m_pd.hDevMode = nullptr;
    defaults.m_pd.hDevNames = nullptr;
    if (defaults.m_pd.hDC) ::DeleteDC(defaults.m_pd.hDC);
    defaults.m_pd.hDC = nullptr;
  }
  printDialog->hDevMode = m_hDevMode;
  printDialog->hDevNames = m_hDevNames;
  return m_hDevNames != nullptr;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc) {
  PRINTDLGA settings = {};
  settings.lStructSize = sizeof settings;
  if (!GetPrinterDeviceDefaults(&settings)) return FALSE;
  HDC hdc = CPrintDialog::CreatePrinterDC(m_hDevNames, m_hDevMode);
  return hdc && dc.Attach(hdc);
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog dialog(TRUE);
  DoPrintDialog(&dialog);
}
