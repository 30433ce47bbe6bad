#include "media/DllModule.h"

#include "framework/MessageBox.h"
#include "framework/SystemCodePage.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/settings/ProgramPaths.h"

CDllModule::CDllModule(LPCSTR path) : m_module(nullptr), m_entriesBound(false), m_path(path) {}

CDllModule::~CDllModule() { Unload(); }

HMODULE CDllModule::Load(LPCSTR path) {
  m_entriesBound = false;
  if (m_module) {
    FreeLibrary(m_module);
    m_module = nullptr;
  }
  if (path) m_path = path;
  CString fullPath = ResolveLibraryPath(m_path);
  m_module = LoadLibraryA(fullPath);
  if (!m_module) {
    CString text;
    text.Format(" [%s] 打开失败!\n%s", fullPath.GetString(),
                SystemErrorText(GetLastError()).GetString());
    CWnd* mainWindow = AfxGetMainWnd();
    AfxShowMessageBox(mainWindow ? mainWindow->GetSafeHwnd() : nullptr, text, nullptr, MB_OK);
  }
  return m_module;
}

void CDllModule::Unload() {
  m_entriesBound = false;
  if (!m_module) return;
  if (!FreeLibrary(m_module)) MessageBeep(0);
  m_module = nullptr;
}

FARPROC CDllModule::GetProc(LPCSTR name) const {
  return m_module ? GetProcAddress(m_module, name) : nullptr;
}

CString CDllModule::ResolveLibraryPath(LPCSTR name) {
  CString path(name);
  if (path.IsEmpty()) return path;
  bool hasDrive = path.GetLength() > 1 && path[1] == ':';
  bool isUnc = path.GetLength() > 1 && path[0] == '\\' && path[1] == '\\';
  if (hasDrive || isUnc) return path;
  if (path[0] == '\\') return path;
  return ProgramFolder() + path;
}

CString CDllModule::ProgramFolder() {
  char folder[1024];
  return GetProgramDir(folder, sizeof folder) ? CString(folder) : CString();
}

CString CDllModule::SystemErrorText(DWORD error, int maxChars) {
  LPSTR text = nullptr;
  DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  CString result;
  if (length && text) result = CString(text, static_cast<int>(length));
  if (text) LocalFree(text);
  return maxChars < 0 ? result : ClipText(result, maxChars);
}

CString CDllModule::ClipText(LPCSTR text, int maxBytes) {
  CString result(text);
  if (result.GetLength() <= maxBytes) return result;
  // Cut at a character boundary so that no lone lead byte is left.
  int end = 0;
  while (end < result.GetLength()) {
    int step = AfxIsSystemLeadByte(static_cast<unsigned char>(result[end])) ? 2 : 1;
    if (end + step > maxBytes) break;
    end += step;
  }
  return result.Left(end);
}
