// The real fennik.exe, started in the installer tests' own Wine prefix with a catalogue named on
// its command line: a model chosen in its dialog and OK clicked leave the printer on the
// preselected port, said in a box, when the program has ended; a catalogue that cannot be read is
// reported in a box and ends the program.
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
  // Another visible window of the title than the one given (half a minute at most), or null.
  static HWND WaitForAnother(const char* title, HWND besides) {
    for (int wait = 0; wait < 300; ++wait) {
      for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
           window = FindWindowExA(nullptr, window, nullptr, title))
        if (window != besides && IsWindowVisible(window)) return window;
      Sleep(100);
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
  // The box that says what was installed bears the dialog's title.
  HWND box = WaitForAnother("Installer test", dialog);
  ASSERT_NE(nullptr, box) << "no box said what was installed";
  char said[256] = {};
  GetDlgItemTextA(box, 0xFFFF, said, sizeof said);
  EXPECT_STREQ("The cutter \"Test HP-GL Cutter\" is installed on port COM2:.", said);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
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
