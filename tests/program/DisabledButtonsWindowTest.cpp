// Push buttons that the editor greys show the same text, in grey, as they do enabled. Wine draws a
// disabled button's text through a bitmap as wide as the text measured, in which the glyphs of
// many fonts come out wider: the last letters were cut off ("Tes" for "Test"), however wide the
// button.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/commands/PrintCommands.h"
#include "editor/dialogs/2DCarveDlg.h"
#include "editor/dialogs/ExpandDlg.h"
#include "editor/dialogs/ImageBarsDlg.h"
#include "editor/dialogs/LibPrintDlg.h"
#include "editor/dialogs/OutlineImageDlg.h"
#include "editor/dialogs/ParallelCutDlg.h"
#include "editor/dialogs/RadialCutDlg.h"
#include "editor/dialogs/RingCutDlg.h"
#include "editor/dialogs/ScanDlg.h"
#include "output/PrintOutputDlg.h"
#include "support/ButtonInk.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"

namespace {

class DisabledButtons : public EditorWindowTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenEditorWindow()); }
  void TearDown() override { CloseEditorWindow(); }

  MessageBoxCapture m_boxes;
};

// Compares the greyed button's ink with the enabled button's, and leaves it as it was.
void ExpectWholeTextWhenGreyed(CDialog* dialog, int id) {
  HWND button = ::GetDlgItem(dialog->m_hWnd, id);
  ASSERT_NE(nullptr, button) << id;
  const BOOL enabled = ::IsWindowEnabled(button);
  ::EnableWindow(button, TRUE);
  const std::vector<bool> shown = TextColumns(button);
  ::EnableWindow(button, FALSE);
  EXPECT_EQ(shown, TextColumns(button)) << id;
  EXPECT_NE(0, std::count(shown.begin(), shown.end(), true)) << id;
  ::EnableWindow(button, enabled);
  // Drawing itself, it still takes its turn as the dialog's default button.
  EXPECT_NE(0, ::SendMessageA(button, WM_GETDLGCODE, 0, 0) &
                   (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
      << id;
}

}  // namespace

// Every dialog with buttons that the editor greys (for want of a selection, an image, a printer or
// a scanner, or while it works), each greyed button in turn.
TEST_F(DisabledButtons, ShowTheirWholeTextsInGrey) {
  const PrintPage page = CPrintCommands::PageOf(m_view);
  const struct {
    const char* name;
    std::function<CDialog*()> make;
    std::vector<int> buttons;
  } dialogs[] = {
      {"parallel cut", [&] { return new CParallelCutDlg(m_view, g_appProfile, false); }, {IDOK}},
      {"radial cut", [&] { return new CRadialCutDlg(m_view, g_appProfile, false); }, {IDOK}},
      {"ring cut", [&] { return new CRingCutDlg(m_view, g_appProfile, false); }, {IDOK}},
      {"outline thickness", [&] { return new CExpandDlg(m_view, g_appProfile); }, {IDOK}},
      {"image to bars", [&] { return new CImageBarsDlg(m_view, g_appProfile); }, {IDOK}},
      {"outline image", [&] { return new COutlineImageDlg(m_view, g_appProfile, false); }, {IDOK}},
      {"scan",
       [&] { return new CScanDlg(m_view, g_appProfile); },
       {CScanDlg::kSelectScanner, CScanDlg::kScan, CScanDlg::kSaveImage, IDOK}},
      {"2-D fill",
       [&] { return new C2DCarveDlg(m_document, false, theApp.GetLanguage(), m_view); },
       {IDCANCEL}},
      {"library print", [&] { return new CLibPrintDlg(m_view); }, {IDOK}},
      {"print", [&] { return new CPrintOutputDlg(page, g_appProfile, m_view); }, {IDOK}},
  };
  for (const auto& each : dialogs) {
    SCOPED_TRACE(each.name);
    std::unique_ptr<CDialog> dialog(each.make());
    ModalDialogDriver driver;
    driver.Then([&](CDialog* shown) {
      for (int id : each.buttons) ExpectWholeTextWhenGreyed(shown, id);
      shown->EndDialog(IDCANCEL);
    });
    dialog->DoModal();
    EXPECT_EQ(1, driver.Shown());
    EXPECT_EQ(0, driver.Stuck());
  }
}
