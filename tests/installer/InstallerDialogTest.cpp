// The installer's dialog (102) with its built-in resources under Xvfb, in the installer tests'
// own Wine prefix: what it shows of the catalogue and the spooler, and the user's path through it
// (a model and a port chosen, the OK button clicked), in both of the catalogue's languages.
#include <gtest/gtest.h>

#include <string>

#include "InstallerTestSystem.h"
#include "installer/InstallerDlg.h"
#include "installer/SystemSpooler.h"
#include "resources/installer/InstallerResource.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"

namespace {

// The text of a control, or of the dialog itself for id 0.
std::string ItemText(CDialog* dialog, int id) {
  char text[256] = {};
  ::GetWindowTextA(id ? ::GetDlgItem(dialog->m_hWnd, id) : dialog->m_hWnd, text, sizeof text);
  return text;
}

std::string Entry(CDialog* dialog, int id, UINT message, int index) {
  char text[256] = {};
  dialog->SendDlgItemMessage(id, message, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text));
  return text;
}

class InstallerDialogTest : public ::testing::TestWithParam<int> {
protected:
  void SetUp() override {
    if (!InInstallerPrefix()) GTEST_SKIP() << "runs only in the installer tests' own Wine prefix";
  }
  void TearDown() override { RemovePrinterAndDriver("Test DM/PL Cutter"); }

  // Runs the dialog on a catalogue of the test's language; the action plays the user.
  INT_PTR Run(const std::string& catalogueText, ModalDialogDriver::Action action) {
    CCutterCatalogue catalogue;
    CInstallProblem problem;
    if (!m_folder.Write("test.inf", catalogueText) ||
        !catalogue.Load(m_folder.File("test.inf").c_str(), &problem) ||
        !catalogue.ReadManufacturer(&problem))
      return -2;
    ModalDialogDriver driver;
    driver.Then(std::move(action));
    CSystemSpooler spooler;
    CInstallerDlg dialog(catalogue, spooler, m_folder.Path().c_str());
    INT_PTR result = dialog.DoModal();
    EXPECT_EQ(0, driver.Stuck());
    return result;
  }
  bool English() const { return GetParam() == 1; }

  InstallerFolder m_folder;
};

void Click(CDialog* dialog, int id) {
  ::SendMessageA(::GetDlgItem(dialog->m_hWnd, id), BM_CLICK, 0, 0);
}

TEST_P(InstallerDialogTest, ShowsTheCataloguesTextsModelsAndThePortsWithCom2Chosen) {
  auto look = [&](CDialog* dialog) {
    EXPECT_EQ("Cutter setup", ItemText(dialog, 0));
    EXPECT_EQ("Talvex Soft", ItemText(dialog, IDC_COMPANY_TEXT));
    EXPECT_EQ("www", ItemText(dialog, IDC_WEBSITE_TEXT));
    EXPECT_EQ(English() ? "OK" : "确定", ItemText(dialog, IDOK));
    EXPECT_EQ(English() ? "Cancel" : "取消", ItemText(dialog, IDCANCEL));
    EXPECT_EQ(2, static_cast<int>(dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_GETCOUNT)));
    EXPECT_EQ("Test HP-GL Cutter", Entry(dialog, IDC_MODEL_LIST, LB_GETTEXT, 0));
    EXPECT_EQ("Test DM/PL Cutter", Entry(dialog, IDC_MODEL_LIST, LB_GETTEXT, 1));
    int port = static_cast<int>(dialog->SendDlgItemMessage(IDC_PORT_COMBO, CB_GETCURSEL));
    EXPECT_EQ("COM2:", Entry(dialog, IDC_PORT_COMBO, CB_GETLBTEXT, port));
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  };
  EXPECT_EQ(IDCANCEL, Run(TestCatalogue(GetParam(),
                                        "Title=Cutter setup\r\nCompany=Talvex Soft\r\n"
                                        "WebSite=www\r\n"),
                          look));
}

TEST_P(InstallerDialogTest, OkWithoutAModelAsksForOneAndAFailingStepKeepsTheDialogOpen) {
  std::string text = TestCatalogue(GetParam());
  text.erase(text.find("DataSection=Scripts\r\n[Help]"), 21);  // the second model's
  MessageBoxCapture boxes;
  const char* caption = English() ? "Install Failed" : "安装错误";
  auto use = [&](CDialog* dialog) {
    Click(dialog, IDOK);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(English() ? "Please Select Cutter/Plotter" : "请选择一个刻字机", boxes.Last().text);
    EXPECT_EQ(caption, boxes.Last().caption);
    dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_SETCURSEL, 1);
    Click(dialog, IDOK);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Can't find DataSection in [DMPL]", boxes.Last().text);
    EXPECT_EQ(caption, boxes.Last().caption);
    EXPECT_EQ("FillCutterInfo", ItemText(dialog, IDC_STEP_TEXT));
    EXPECT_TRUE(dialog->IsWindowVisible()) << "the dialog stays open";
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  };
  EXPECT_EQ(IDCANCEL, Run(text, use));
  EXPECT_EQ(0u, Printers().count("Test DM/PL Cutter"));
}

TEST_P(InstallerDialogTest, TheChosenModelIsInstalledOnTheChosenPortSaidSoAndTheDialogCloses) {
  MessageBoxCapture boxes;
  auto use = [](CDialog* dialog) {
    dialog->SendDlgItemMessage(IDC_MODEL_LIST, LB_SETCURSEL, 1);
    dialog->SendDlgItemMessage(IDC_PORT_COMBO, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>("LPT1:"));
    Click(dialog, IDOK);
  };
  EXPECT_EQ(IDOK, Run(TestCatalogue(GetParam()), use));
  EXPECT_EQ("LPT1:|Test DM/PL Cutter|Test DM/PL Cutter", Printers()["Test DM/PL Cutter"]);
  ASSERT_EQ(1u, boxes.Count());
  const std::string& said = boxes.Last().text;
  EXPECT_NE(std::string::npos, said.find("\"Test DM/PL Cutter\"")) << said;
  EXPECT_NE(std::string::npos, said.find("LPT1:")) << said;
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Last().type & MB_ICONMASK);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, InstallerDialogTest, ::testing::Values(0, 1));

}  // namespace
