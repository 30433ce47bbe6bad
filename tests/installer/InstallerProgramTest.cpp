// The real fennik.exe, started in the installer tests' own Wine prefix with a catalogue named on
// its command line: a model chosen in its dialog and OK clicked leave the printer on the
// preselected port when the program has ended; a catalogue that cannot be read is reported in a
// box and ends the program.
#include <gtest/gtest.h>

#include <string>

#include "InstallerTestSystem.h"
#include "installer/InstallerApp.h"
#include "resources/installer/InstallerResource.h"

namespace {

class InstallerProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!InInstallerPrefix()) GTEST_SKIP() << "runs only in the installer tests' own Wine prefix";
    for (const char* name : {"fennik.exe", "fennikEng.DLL"}) ASSERT_TRUE(m_folder.CopyBuilt(name));
  }
  void TearDown() override {
    if (m_process.hProcess) {
      TerminateProcess(m_process.hProcess, 99);  // when it did not end by itself
      CloseHandle(m_process.hProcess);
    }
    RemovePrinterAndDriver("Test HP-GL Cutter");
  }

  // Starts the installer and waits (a minute at most) for its window of this title.
  HWND Start(const std::string& arguments, const char* title) {
    std::string command = "\"" + m_folder.File("fennik.exe") + "\" " + arguments;
    STARTUPINFOA startup = {sizeof startup};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        m_folder.Path().c_str(), &startup, &m_process))
      return nullptr;
    CloseHandle(m_process.hThread);
    for (int wait = 0; wait < 600; ++wait) {
      HWND window = FindWindowA(nullptr, title);
      if (window && IsWindowVisible(window)) return window;
      if (WaitForSingleObject(m_process.hProcess, 100) == WAIT_OBJECT_0) break;
    }
    return nullptr;
  }
  // The program's exit code once it ended (half a minute at most), else -1.
  int ExitCode() const {
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(m_process.hProcess, 30000) == WAIT_OBJECT_0)
      GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<int>(code);
  }

  InstallerFolder m_folder;
  PROCESS_INFORMATION m_process = {};
};

TEST_F(InstallerProgramTest, AModelChosenInTheDialogIsInstalledOnThePreselectedPort) {
  ASSERT_TRUE(m_folder.Write("cutters.inf", TestCatalogue(1, "Title=Installer test\r\n")));
  HWND dialog = Start("cutters.inf", "Installer test");
  ASSERT_NE(nullptr, dialog) << "the dialog did not come up";
  char label[64] = {};
  GetDlgItemTextA(dialog, IDC_MODEL_LABEL, label, sizeof label);
  EXPECT_STREQ("Choose the cutter model:", label) << "the English resource library is in use";
  SendDlgItemMessageA(dialog, IDC_MODEL_LIST, LB_SETCURSEL, 0, 0);
  PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(CInstallerApp::kInstalled, ExitCode());
  EXPECT_EQ("COM2:|Test HP-GL Cutter|Test HP-GL Cutter", Printers()["Test HP-GL Cutter"]);
}

TEST_F(InstallerProgramTest, ACatalogueThatCannotBeReadIsReportedAndEndsTheProgram) {
  HWND box = Start("missing.inf", "安装错误");
  ASSERT_NE(nullptr, box) << "no box reported the catalogue";
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(CInstallerApp::kCatalogueFailed, ExitCode());
}

}  // namespace
