// The choices two dialogs start with, run from the drawing view's commands in the program's main
// frame under Xvfb and clicked as a user would: the scale dialog (F8) offers its unit choices,
// millimetres checked, each with its hint; the page setup dialog (F10) shows the preset of the
// page's size as chosen, and none for a size no preset has.
#include <gtest/gtest.h>

#include <string>

#include "EditorWindowTest.h"
#include "StartupResources.h"
#include "editor/ProgramObjects.h"
#include "editor/dialogs/PageSetupDlg.h"
#include "editor/dialogs/ScaleDlg.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CurveBlock.h"
#include "model/undo/UndoManager.h"
#include "support/ModalDialogDriver.h"

namespace {

// Clicks a button as the mouse does: the button checks itself and tells the dialog.
void Click(CDialog* dialog, int control) {
  ::SendMessageA(::GetDlgItem(dialog->m_hWnd, control), BM_CLICK, 0, 0);
}

bool Checked(CDialog* dialog, int control) {
  return ::IsDlgButtonChecked(dialog->m_hWnd, control) == BST_CHECKED;
}

class DialogChoices : public EditorWindowTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenEditorWindow()); }
  void TearDown() override { CloseEditorWindow(); }
};

}  // namespace

TEST_F(DialogChoices, TheScaleDialogOffersItsUnitsMillimetresFirstEachWithItsHint) {
  CCurveBlock* square = MakeSquareCurve(10, 20, 100);
  m_document->AddBlock(square);
  square->m_box = CFRect(10, 20, 110, 70);  // a 100 x 50 selection
  square->m_selected = 1;
  m_view->GetSelectTracker().Recount();
  ModalDialogDriver dialogs;
  dialogs.Then([](CDialog* d) {
    for (int unit : {CScaleDlg::kMillimetres, CScaleDlg::kRatioUnit})
      EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(d->m_hWnd, unit))) << unit;
    EXPECT_TRUE(Checked(d, CScaleDlg::kMillimetres));
    EXPECT_FALSE(Checked(d, CScaleDlg::kRatioUnit));
    EXPECT_EQ("mm 2<n", DialogText(d, CScaleDlg::kHint));
    Click(d, CScaleDlg::kRatioUnit);
    EXPECT_TRUE(Checked(d, CScaleDlg::kRatioUnit));
    EXPECT_FALSE(Checked(d, CScaleDlg::kMillimetres));
    EXPECT_EQ("比例 0.01<n<15", DialogText(d, CScaleDlg::kHint));
    // Millimetres again: the selection's size comes back, whatever was typed.
    d->SetDlgItemText(CScaleDlg::kWidth, "300");
    d->SetDlgItemText(CScaleDlg::kHeight, "7");
    Click(d, CScaleDlg::kMillimetres);
    EXPECT_EQ("mm 2<n", DialogText(d, CScaleDlg::kHint));
    EXPECT_EQ("100.00  ", DialogText(d, CScaleDlg::kWidth));
    EXPECT_EQ("50.00   ", DialogText(d, CScaleDlg::kHeight));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  ViewCommand(ID_TRANSFORM_SCALE);
  EXPECT_EQ(1, dialogs.Shown());
  EXPECT_EQ(0, m_view->GetUndoManager()->GetStepCount());
}

TEST_F(DialogChoices, ThePageSetupShowsThePresetOfThePageSize) {
  const CString keptSettings = g_settings.GetPath();
  g_settings.SetPath(ProgramFile("TALVEX42.INI").c_str());
  const struct {
    float width, height;
    const char* preset;
  } cases[] = {{400, 900, "400x900"},
               {297, 420, "A3 (297x420)"},
               {420, 297, "A3 (420x297)"},
               {401, 900, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.preset);
    m_document->GetPageSettings().m_width = c.width;
    m_document->GetPageSettings().m_height = c.height;
    std::string shown;
    ModalDialogDriver dialogs;
    dialogs.Then([&](CDialog* d) {
      shown = DialogText(d, CPageSetupDlg::kPageType);
      d->PostMessage(WM_COMMAND, IDCANCEL);
    });
    ViewCommand(ID_PAGE_SETUP);
    EXPECT_EQ(1, dialogs.Shown());
    EXPECT_EQ(c.preset, shown);
  }
  g_settings.SetPath(keptSettings);
}
