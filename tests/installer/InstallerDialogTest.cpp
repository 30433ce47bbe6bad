// The installer's dialog (102) with its built-in resources under Xvfb, in the installer tests'
// own Wine prefix: what it shows from the catalogue and the spooler, and the user's path through
// it (a model and a port chosen, the OK button clicked) in both of the catalogue's languages.
#include <gtest/gtest.h>

#include <string>

#include "InstallerFolder.h"
#include "SpoolerState.h"
#include "installer/InstallerDlg.h"
#include "installer/SystemSpooler.h"
#include "resources/installer/InstallerResource.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"

namespace {

std::string ItemText(CDialog* dialog, int id) {
  char text[256] = {};
  ::GetDlgItemTextA(dialog->m_hWnd, id, text, sizeof text);
  return text;
}

std::string WindowText(HWND window) {
  char text[256] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ListItem(CDialog* dialog, int id, UINT getText, int index) {
  char text[256] = {};
  dialog->SendDlgItemMessage(id, getText, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text));
  return text;
}

void Click(CDialog* dialog, int id) {
  ::SendMessageA(::GetDlgItem(dialog->m_hWnd, id), BM_CLICK, 0, 0);
}

class InstallerDialogTest : public ::testing::TestWithParam<int> {
protected:
  void SetUp() override {
    if (!InInstallerPrefix()) GTEST_SKIP() << "runs only in the installer tests' own Wine prefix";
  }
  void TearDown() override { RemovePrinterAndDriver("Test DM/PL Cutter"); }

  // Loads a catalogue of the test's language and reads its manufacturer.
  void Load(const std::string& text) {
    ASSERT_TRUE(m_folder.Write("test.inf", text));
    CInstallProblem problem;
    ASSERT_TRUE(m_catalogue.Load(m_folder.File("test.inf").c_str(), &problem));
    ASSERT_TRUE(m_catalogue.ReadManufacturer(&problem)) << problem.Describe();
  }
  bool English() const { return GetParam() == 1; }

  InstallerFolder m_folder;
  CCutterCatalogue m_catalogue;
  CSystemSpooler m_spooler;
};

TEST_P(InstallerDialogTest, ShowsTheCataloguesTextsModelsAndThePortsWithCom2Chosen) {
  Load(TestCatalogue(GetParam(), "Title=Cutter setup\r\nCompany=Talvex Soft\r\nWebSite=www\r\n"));
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    EXPECT_EQ("Cutter setup", WindowText(dialog->m_hWnd));
    EXPECT_EQ("Talvex Soft", ItemText(dialog, IDC_COMPANY_TEXT));
    EXPECT_EQ("www", ItemText(dialog, IDC_WEBSITE_TEXT));
    EXPECT_EQ(English() ? "OK" : "确定", ItemText(dialog, IDOK));
    EXPECT_EQ(English() ? "Cancel" : "取消", ItemText(dialog, IDCANCEL));
    ASSERT_EQ(2, static_cast<int>(dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_GETCOUNT)));
    EXPECT_EQ("Test HP-GL Cutter", ListItem(dialog, IDC_MODEL_LIST, LB_GETTEXT, 0));
    EXPECT_EQ("Test DM/PL Cutter", ListItem(dialog, IDC_MODEL_LIST, LB_GETTEXT, 1));
    EXPECT_EQ(-1, static_cast<int>(dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_GETCURSEL)));
    int port = static_cast<int>(dialog->SendDlgItemMessage(IDC_PORT_COMBO, CB_GETCURSEL));
    EXPECT_EQ("COM2:", ListItem(dialog, IDC_PORT_COMBO, CB_GETLBTEXT, port));
    EXPECT_EQ(-1, static_cast<int>(dialog->SendDlgItemMessage(IDC_PORT_COMBO, CB_FINDSTRINGEXACT,
                                                              static_cast<WPARAM>(-1),
                                                              reinterpret_cast<LPARAM>("NUL:"))));
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  CInstallerDlg dialog(m_catalogue, m_spooler, m_folder.Path().c_str());
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_EQ(0, driver.Stuck());
}

TEST_P(InstallerDialogTest, OkWithoutAModelAsksForOneAndAFailingStepKeepsTheDialogOpen) {
  // The second model's data section is missing.
  std::string text = TestCatalogue(GetParam());
  text.replace(text.find("DataSection=Scripts\r\n[Help]"), 21, "");
  Load(text);
  MessageBoxCapture boxes;
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    Click(dialog, IDOK);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(English() ? "Please Select Cutter/Plotter" : "请选择一个刻字机", boxes.Last().text);
    EXPECT_EQ(English() ? "Install Failed" : "安装错误", boxes.Last().caption);
    dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_SETCURSEL, 1);
    Click(dialog, IDOK);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Can't find DataSection in [DMPL]", boxes.Last().text);
    EXPECT_EQ(English() ? "Install Failed" : "安装错误", boxes.Last().caption);
    EXPECT_EQ("FillCutterInfo", ItemText(dialog, IDC_STEP_TEXT));
    EXPECT_TRUE(dialog->IsWindowVisible()) << "the dialog stays open";
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  CInstallerDlg dialog(m_catalogue, m_spooler, m_folder.Path().c_str());
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_EQ(0u, Printers().count("Test DM/PL Cutter"));
}

TEST_P(InstallerDialogTest, TheChosenModelIsInstalledOnTheChosenPortAndTheDialogCloses) {
  Load(TestCatalogue(GetParam()));
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_SETCURSEL, 1);
    dialog->SendDlgItemMessage(IDC_PORT_COMBO, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>("LPT1:"));
    Click(dialog, IDOK);
  });
  CInstallerDlg dialog(m_catalogue, m_spooler, m_folder.Path().c_str());
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(0, driver.Stuck());
  const auto printers = Printers();
  ASSERT_EQ(1u, printers.count("Test DM/PL Cutter"));
  EXPECT_EQ("LPT1:", printers.at("Test DM/PL Cutter").port);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, InstallerDialogTest, ::testing::Values(0, 1));

}  // namespace
