// The whole hand-over with the real ORV.EXE under Xvfb: the editor's hand-over code (CJobFile,
// run in this process) starts a manager that is not running and waits for it, then hands a
// second job to the running one, which must not start a second manager; the manager queues each
// job and cuts it to a file. Run with the manager in Chinese and the editor's English resources,
// and the other way round: the editor finds the manager whatever the two programs' languages
// are, and so on an English system too (jobmanager_english), where the manager's Chinese title
// must still read exactly.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <string>
#include <vector>

#include "JobFiles.h"
#include "framework/ResourceModule.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

const DWORD kStartWaitMs = 60000;
const DWORD kCutWaitMs = 30000;
const DWORD kExitWaitMs = 20000;

std::string BuiltProgramFolder() {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + "program\\";
}

// The manager's program folder: ORV.EXE, its English library and a Cutters.INI with a language.
class ManagerFolder {
public:
  explicit ManagerFolder(const char* language) : m_folder("orv") {
    for (const char* name : {"ORV.EXE", "orvResEng.DLL"})
      CopyFileA((BuiltProgramFolder() + name).c_str(), m_folder.File(name).c_str(), FALSE);
    WritePrivateProfileStringA("SystemParam", "Language", language,
                               m_folder.File("Cutters.INI").c_str());
  }
  std::string Program() const { return m_folder.File("ORV.EXE"); }

private:
  TempFolder m_folder;
};

// The editor's resources while in scope: its English library, or the built-in ones.
class EditorResources {
public:
  explicit EditorResources(bool english) : m_saved(AfxGetResourceHandle()), m_library(nullptr) {
    if (!english) return;
    m_library = LoadLibraryA((BuiltProgramFolder() + "RCT42Eng.DLL").c_str());
    if (m_library) AfxSetResourceHandle(m_library);
  }
  ~EditorResources() {
    AfxSetResourceHandle(m_saved);
    if (m_library) FreeLibrary(m_library);
  }
  bool Ready(bool english) const { return !english || m_library != nullptr; }

private:
  HINSTANCE m_saved;
  HINSTANCE m_library;
};

HWND ManagerWindow() { return FindWindowW(nullptr, CJobFile::ManagerTitle().c_str()); }

// The processes running the program at path (compared without letter case).
std::vector<DWORD> ProcessesOf(const std::string& path) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    // A process's first module is its program.
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry.th32ProcessID);
    if (modules == INVALID_HANDLE_VALUE) continue;
    MODULEENTRY32 program = {};
    program.dwSize = sizeof program;
    if (Module32First(modules, &program) && lstrcmpiA(program.szExePath, path.c_str()) == 0)
      found.push_back(entry.th32ProcessID);
    CloseHandle(modules);
  }
  CloseHandle(snapshot);
  return found;
}

// Ends what is left of the managers started from path: one whose window was never found would
// outlive the test.
void EndProcessesOf(const std::string& path) {
  for (DWORD id : ProcessesOf(path)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, kExitWaitMs);
    CloseHandle(process);
  }
}

bool WaitForBytes(const std::string& path, size_t count) {
  for (DWORD waited = 0; waited < kCutWaitMs; waited += 100) {
    if (ReadFileBytes(path).size() >= count) return true;
    Sleep(100);
  }
  return false;
}

// Closes the manager and waits for its process to end.
bool CloseManager() {
  HWND window = ManagerWindow();
  if (!window) return true;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  PostMessageA(window, WM_CLOSE, 0, 0);
  bool ended = !process || WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0;
  if (process && !ended) TerminateProcess(process, 1);
  if (process) CloseHandle(process);
  return ended;
}

struct Languages {
  const char* manager;
  bool englishEditor;
};

class HandOverTest : public ::testing::TestWithParam<Languages> {
protected:
  HandOverTest() : m_manager(GetParam().manager) {}
  void TearDown() override {
    EXPECT_TRUE(CloseManager()) << "the manager did not end";
    EndProcessesOf(m_manager.Program());
  }

  // Hands a job over as the editor does and waits for the manager to cut it to a file.
  void HandOverAndCut(const std::string& name, size_t length) {
    // The manager takes only data files where the editor writes them: in the temporary folder.
    char temp[MAX_PATH] = {}, data[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    ASSERT_NE(0u, GetTempFileNameA(temp, "OSD", 0, data));
    const std::vector<BYTE> bytes = PlotData(length);
    ASSERT_TRUE(WriteFileBytes(data, bytes));
    const std::string out = m_folder.File(name + ".plt");
    CJobFile job;
    job.SetOutputMethod(2);
    job.SetPortName(out.c_str());
    job.SetDocumentName(name.c_str());
    job.SetDataPath(data);
    job.SetManagerProgram(m_manager.Program().c_str());
    job.SetStartWait(kStartWaitMs);
    MessageBoxCapture boxes;
    ASSERT_TRUE(job.SendToManager()) << name;
    EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? boxes.Last().text : "");
    EXPECT_TRUE(WaitForBytes(out, bytes.size())) << name << " was not cut";
    EXPECT_EQ(bytes, ReadFileBytes(out)) << name;
    m_jobFiles.push_back(job.GetPath().GetString());
    m_dataFiles.push_back(data);
  }

  ManagerFolder m_manager;
  TempFolder m_folder;
  std::vector<std::string> m_jobFiles;
  std::vector<std::string> m_dataFiles;
};

TEST_P(HandOverTest, TheEditorStartsTheManagerAndThenHandsJobsToTheRunningOne) {
  const Languages languages = GetParam();
  EditorResources editor(languages.englishEditor);
  ASSERT_TRUE(editor.Ready(languages.englishEditor));
  ASSERT_TRUE(CloseManager());
  ASSERT_EQ(nullptr, ManagerWindow());

  HandOverAndCut("first", 2500);
  HWND started = ManagerWindow();
  ASSERT_NE(nullptr, started);
  HandOverAndCut("second", 40000);
  EXPECT_EQ(started, ManagerWindow()) << "the running manager took the second job";
  EXPECT_EQ(1u, ProcessesOf(m_manager.Program()).size()) << "one manager, started once";

  // The manager keeps the files of its listed jobs when it closes.
  ASSERT_TRUE(CloseManager());
  for (const std::string& job : m_jobFiles) {
    EXPECT_TRUE(FileExists(job));
    DeleteFileA(job.c_str());
  }
  for (const std::string& data : m_dataFiles) {
    EXPECT_TRUE(FileExists(data));
    DeleteFileA(data.c_str());
  }
}

INSTANTIATE_TEST_SUITE_P(EnglishSystemLanguages, HandOverTest,
                         ::testing::Values(Languages{"2052", true}, Languages{"1033", false}));

}  // namespace
