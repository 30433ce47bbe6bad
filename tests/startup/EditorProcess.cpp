#include "EditorProcess.h"

#include <cstdio>

namespace {

const DWORD kPollMs = 100;
const DWORD kCloseTimeoutMs = 20000;

// Files of the program folder that a start needs; the rest of the build is left out.
const char* const kProgramFiles[] = {"TALVEX42.exe", "TALVEX42.INI", "Cutters.INI"};

bool CopyFolderFiles(const std::string& from, const std::string& to) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((from + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CreateDirectoryA((to + name).c_str(), nullptr);
      ok = CopyFolderFiles(from + name + "\\", to + name + "\\") && ok;
    } else {
      ok = CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE) && ok;
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return ok;
}

struct FindContext {
  DWORD processId;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
  FindContext* context = reinterpret_cast<FindContext*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == context->processId && IsWindowVisible(window)) context->windows->push_back(window);
  return TRUE;
}

struct ChildContext {
  const char* className;
  std::vector<HWND>* windows;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  ChildContext* context = reinterpret_cast<ChildContext*>(data);
  if (ClassName(window) == context->className) context->windows->push_back(window);
  return TRUE;
}

bool IsDialog(HWND window) { return ClassName(window) == "#32770"; }

}  // namespace

std::string TestProgramFolder() {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1);
}

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassName(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string MessageBoxText(HWND box) {
  // The text of a message box is its static control with id 0xFFFF.
  HWND text = GetDlgItem(box, 0xFFFF);
  if (text) return WindowText(text);
  std::vector<HWND> statics = ChildWindows(box, "Static");
  std::string all;
  for (HWND each : statics) all += WindowText(each);
  return all;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::vector<HWND> ChildWindows(HWND parent, const char* className) {
  std::vector<HWND> windows;
  ChildContext context = {className, &windows};
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&context));
  return windows;
}

EditorProcess::EditorProcess() : EditorProcess(Options()) {}

EditorProcess::EditorProcess(const Options& options) : m_folder("program"), m_process() {
  CopyProgramFolder(options);
}

EditorProcess::~EditorProcess() { Close(); }

void EditorProcess::CopyProgramFolder(const Options& options) {
  std::string built = TestProgramFolder() + "program\\";
  CopyFolderFiles(built, Folder());
  for (const char* name : kProgramFiles) {
    if (GetFileAttributesA((Folder() + name).c_str()) == INVALID_FILE_ATTRIBUTES)
      fprintf(stderr, "the program folder lacks %s\n", name);
  }
  if (!options.englishLibrary) DeleteFileA((Folder() + "RCT42Eng.DLL").c_str());
  if (!options.transformLibrary) DeleteFileA((Folder() + "TalvexTransform.dll").c_str());
}

std::string EditorProcess::ReadSetting(const char* section, const char* key) const {
  char value[256] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, SettingsFile().c_str());
  return value;
}

void EditorProcess::WriteSetting(const char* section, const char* key, const char* value) const {
  WritePrivateProfileStringA(section, key, value, SettingsFile().c_str());
}

bool EditorProcess::Start(const std::string& arguments) {
  Close();
  std::string exe = Folder() + "TALVEX42.exe";
  std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Folder().c_str(), &startup, &m_process)) {
    m_process = PROCESS_INFORMATION();
    return false;
  }
  return true;
}

bool EditorProcess::IsRunning() const {
  return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool EditorProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!m_process.hProcess) return true;
  if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(m_process.hProcess, exitCode);
  return true;
}

std::vector<HWND> EditorProcess::TopLevelWindows() const {
  std::vector<HWND> windows;
  if (!m_process.hProcess) return windows;
  FindContext context = {m_process.dwProcessId, &windows};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&context));
  return windows;
}

HWND EditorProcess::WaitForMainWindow(DWORD timeoutMs) {
  for (DWORD waited = 0; waited <= timeoutMs && IsRunning(); waited += kPollMs) {
    for (HWND window : TopLevelWindows()) {
      if (!IsDialog(window) && !GetWindow(window, GW_OWNER) && GetMenu(window)) return window;
    }
    Sleep(kPollMs);
  }
  return nullptr;
}

HWND EditorProcess::WaitForMessageBox(DWORD timeoutMs) {
  for (DWORD waited = 0; waited <= timeoutMs && IsRunning(); waited += kPollMs) {
    for (HWND window : TopLevelWindows()) {
      if (IsDialog(window) && GetDlgItem(window, IDOK)) return window;
    }
    Sleep(kPollMs);
  }
  return nullptr;
}

void EditorProcess::Close() {
  if (!m_process.hProcess) return;
  if (IsRunning()) {
    for (HWND window : TopLevelWindows()) {
      if (!IsDialog(window) && !GetWindow(window, GW_OWNER)) PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (!WaitForExit(kCloseTimeoutMs)) {
      fprintf(stderr, "the editor did not close; ending it\n");
      TerminateProcess(m_process.hProcess, 1);
      WaitForSingleObject(m_process.hProcess, kCloseTimeoutMs);
    }
  }
  CloseHandle(m_process.hThread);
  CloseHandle(m_process.hProcess);
  m_process = PROCESS_INFORMATION();
}
