// The real fennik.exe, started in the installer tests' own Wine prefix with a catalogue named on
// its command line: a user chooses a model in its dialog and clicks OK, and the printer is there
// on the preselected port when the program has ended; a catalogue that cannot be read is
// reported in a box and ends the program.
#include <gtest/gtest.h>

#include <string>

#include "InstallerFolder.h"
#include "SpoolerState.h"
#include "installer/InstallerApp.h"
#include "resources/installer/InstallerResource.h"

namespace {

const DWORD kWindowWaitMs = 60000;
const DWORD kExitWaitMs = 30000;

class InstallerProcess {
public:
  InstallerProcess(const InstallerFolder& folder, const std::string& arguments) {
    std::string command = "\"" + folder.File("fennik.exe") + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                       folder.Path().c_str(), &startup, &m_process))
      CloseHandle(m_process.hThread);
    else
      m_process.hProcess = nullptr;
  }
  ~InstallerProcess() {
    if (!m_process.hProcess) return;
    if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
      TerminateProcess(m_process.hProcess, 99);
    CloseHandle(m_process.hProcess);
  }
  bool Started() const { return m_process.hProcess != nullptr; }

  // The process's visible top-level window of this title (a class name narrows the search).
  HWND WaitForWindow(const std::string& title) const {
    for (DWORD waited = 0; waited < kWindowWaitMs; waited += 100) {
      HWND window = FindWindowA(nullptr, title.c_str());
      if (window && ::IsWindowVisible(window)) return window;
      if (WaitForSingleObject(m_process.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }
  // The exit code, or -1 when the program did not end in time.
  int WaitForExit() const {
    if (WaitForSingleObject(m_process.hProcess, kExitWaitMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
  }

private:
  PROCESS_INFORMATION m_process = {};
};

class InstallerProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!InInstallerPrefix()) GTEST_SKIP() << "runs only in the installer tests' own Wine prefix";
    for (const char* name : {"fennik.exe", "fennikEng.DLL"}) ASSERT_TRUE(m_folder.CopyBuilt(name));
  }
  void TearDown() override { RemovePrinterAndDriver("Test HP-GL Cutter"); }

  InstallerFolder m_folder;
};

TEST_F(InstallerProgramTest, AModelChosenInTheDialogIsInstalledOnThePreselectedPort) {
  ASSERT_TRUE(m_folder.Write("cutters.inf", TestCatalogue(1, "Title=Installer test\r\n")));
  InstallerProcess installer(m_folder, "cutters.inf");
  ASSERT_TRUE(installer.Started());
  HWND dialog = installer.WaitForWindow("Installer test");
  ASSERT_NE(nullptr, dialog) << "the dialog did not come up";
  HWND list = ::GetDlgItem(dialog, IDC_MODEL_LIST);
  ::SendMessageA(list, LB_SETCURSEL, 0, 0);
  char ok[32] = {};
  ::GetWindowTextA(::GetDlgItem(dialog, IDOK), ok, sizeof ok);
  EXPECT_STREQ("OK", ok) << "the English resource library is in use";
  ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(CInstallerApp::kInstalled, installer.WaitForExit());
  const auto printers = Printers();
  ASSERT_EQ(1u, printers.count("Test HP-GL Cutter"));
  EXPECT_EQ("COM2:", printers.at("Test HP-GL Cutter").port);
}

TEST_F(InstallerProgramTest, ACatalogueThatCannotBeReadIsReportedAndEndsTheProgram) {
  InstallerProcess installer(m_folder, "missing.inf");
  ASSERT_TRUE(installer.Started());
  HWND box = installer.WaitForWindow("安装错误");
  ASSERT_NE(nullptr, box) << "no box reported the catalogue";
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(CInstallerApp::kCatalogueFailed, installer.WaitForExit());
}

}  // namespace
