// The shape, transform, copy, position and cut-pattern dialogs driven through their controls
// under Xvfb, on a drawing view of the editor with the program's resources and objects: each
// change of the document is one undo step, refused input keeps the dialog open (and the stored
// settings as they were), and the cut patterns cut every selected block through the transform
// library beside the test program.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "ProfileKey.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/ShapeDialogCommands.h"
#include "editor/dialogs/ExpandDlg.h"
#include "editor/dialogs/ParallelCutDlg.h"
#include "editor/dialogs/ScaleDlg.h"
#include "editor/dialogs/TableDlg.h"
#include "framework/ComboBox.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Contour.h"
#include "model/settings/ProgramPaths.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"

namespace {

using Action = ModalDialogDriver::Action;

void Type(CDialog* dialog, int control, const char* text) { dialog->SetDlgItemText(control, text); }

void Click(CDialog* dialog, int control) {
  dialog->CheckDlgButton(control, BST_CHECKED);
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                      reinterpret_cast<LPARAM>(dialog->GetDlgItem(control)->m_hWnd));
}

class ShapeDialogs : public EditorWindowTest {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    // The cuts bind the transform library beside the program, as the editor does.
    m_library = std::string(folder) + "TalvexTransform.dll";
    ASSERT_TRUE(CopyFileA((std::string(folder) + "program\\TalvexTransform.dll").c_str(),
                          m_library.c_str(), FALSE));
    // Three quarters of the test screen: the size a frame gets when none is asked for.
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(960, 768));
  }
  void TearDown() override {
    CloseEditorWindow();
    DeleteFileA(m_library.c_str());
  }
  CCurveBlock* AddSquare(float x, float y, float size, bool selected = true) {
    CCurveBlock* square = MakeSquareCurve(x, y, size);
    m_document->AddBlock(square);
    square->m_selected = selected ? 1 : 0;
    m_view->GetSelectTracker().Recount();
    return square;
  }
  INT_PTR Blocks() const { return m_document->GetBlockList().GetSize(); }
  CBlock* Block(INT_PTR i) const { return m_document->GetBlockList().GetBlock(i); }
  INT_PTR Steps() const { return m_view->GetUndoManager()->GetStepCount(); }
  void Command(UINT id) {
    m_view->SendMessage(WM_COMMAND, id, 0);
    PumpMessages();
  }

  std::string m_library;
  MessageBoxCapture m_boxes;
};

}  // namespace

TEST_F(ShapeDialogs, RotatingByAnAngleIsOneStepAndAnAngleOfZeroChangesNothing) {
  CCurveBlock* square = AddSquare(100, 100, 40);
  {
    ModalDialogDriver driver;
    driver.Then([](CDialog* d) {
      EXPECT_EQ("0.0", DialogText(d, 1177));
      d->PostMessage(WM_COMMAND, IDOK);
    });
    Command(ID_TRANSFORM_ROTATE);
    EXPECT_EQ(1, driver.Shown());
  }
  EXPECT_EQ(0, Steps());
  {
    ModalDialogDriver driver;
    driver.Then([](CDialog* d) {
      Type(d, 1177, "45");
      d->PostMessage(WM_COMMAND, IDOK);
    });
    Command(ID_TRANSFORM_ROTATE);
    EXPECT_EQ(0, driver.Stuck());
  }
  EXPECT_EQ(1, Steps());
  EXPECT_FALSE(square->m_matrix.IsIdentity());
}

TEST_F(ShapeDialogs, ScaleFieldsFollowEachOtherOnceAndOkScalesFromTheTopLeftCorner) {
  CCurveBlock* square = AddSquare(10, 20, 100);
  square->m_box = CFRect(10, 20, 110, 70);  // a 100 x 50 selection
  m_view->GetSelectTracker().Recount();
  CScaleDlg dialog(m_view, g_appProfile);
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    Click(d, CScaleDlg::kProportional);
    Type(d, CScaleDlg::kWidth, "200");
    EXPECT_EQ("100.00", DialogText(d, CScaleDlg::kHeight));
    EXPECT_EQ("2.00", DialogText(d, CScaleDlg::kRatio));
    const int runs = dialog.GetHandlerRuns();
    // A ratio typed always writes both sizes, and the sizes' own notifications stop there.
    Type(d, CScaleDlg::kRatio, "0.5");
    EXPECT_EQ("50.00", DialogText(d, CScaleDlg::kWidth));
    EXPECT_EQ("25.00", DialogText(d, CScaleDlg::kHeight));
    EXPECT_EQ(runs + 1, dialog.GetHandlerRuns());
    // A size not above 0 keeps the dialog open.
    Type(d, CScaleDlg::kHeight, "0");
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    Type(d, CScaleDlg::kWidth, "50");
    Type(d, CScaleDlg::kHeight, "25");
    d->PostMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(1, Steps());
  EXPECT_NEAR(10, square->m_box.left, 0.01f);
  EXPECT_NEAR(20, square->m_box.top, 0.01f);
  EXPECT_NEAR(60, square->m_box.right, 0.01f);
  EXPECT_NEAR(45, square->m_box.bottom, 0.01f);
}

TEST_F(ShapeDialogs, ScalingTwoBlocksAwayFromTheOriginByUnequalFactorsKeepsTheirPlaces) {
  // A selection from (10, 20) to (70, 60) made 120 wide and 20 high: x doubles, y halves, and
  // the box's top-left corner stays. A factor or a translation mixed up between the axes, or
  // the scale taken about the page origin, moves the second block off its place.
  CCurveBlock* first = AddSquare(10, 20, 30);
  CCurveBlock* second = AddSquare(50, 40, 20);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    Type(d, CScaleDlg::kWidth, "120");
    Type(d, CScaleDlg::kHeight, "20");
    d->PostMessage(WM_COMMAND, IDOK);
  });
  m_main->SendMessage(WM_COMMAND, ID_TRANSFORM_SCALE);
  PumpMessages();
  EXPECT_EQ(0, driver.Stuck());
  const struct {
    CCurveBlock* block;
    CFRect expected;
  } cases[] = {{first, CFRect(10, 20, 70, 35)}, {second, CFRect(90, 30, 130, 40)}};
  for (const auto& c : cases) {
    EXPECT_NEAR(c.expected.left, c.block->m_box.left, 0.01f);
    EXPECT_NEAR(c.expected.top, c.block->m_box.top, 0.01f);
    EXPECT_NEAR(c.expected.right, c.block->m_box.right, 0.01f);
    EXPECT_NEAR(c.expected.bottom, c.block->m_box.bottom, 0.01f);
  }
  // The outline went where the box did: the first square's corner (40, 50) is now (70, 35).
  std::unique_ptr<CContour> outline(first->GetContour(nullptr, 0));
  ASSERT_TRUE(outline);
  CFRect drawn = outline->GetBox();
  EXPECT_NEAR(70, drawn.right, 0.01f);
  EXPECT_NEAR(35, drawn.bottom, 0.01f);
  EXPECT_EQ(1, Steps());
}

TEST_F(ShapeDialogs, MultipleCopiesAreInternalCopiesInOneStepAndHugeCountsAreRefused) {
  AddSquare(0, 0, 10);
  // Something on the user's clipboard stays there.
  ASSERT_TRUE(OpenClipboard(m_view->m_hWnd));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 6);
  memcpy(GlobalLock(text), "mine", 5);
  GlobalUnlock(text);
  SetClipboardData(CF_TEXT, text);
  CloseClipboard();
  {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      Type(d, 1189, "100000");
      Type(d, 1190, "100000");
      d->SendMessage(WM_COMMAND, IDOK);
      EXPECT_TRUE(IsWindow(d->m_hWnd));
      ASSERT_EQ(1u, m_boxes.Count());
      Type(d, 1189, "4");
      Type(d, 1190, "1");
      Type(d, 1191, "5,10");
      d->PostMessage(WM_COMMAND, IDOK);
    });
    Command(ID_TRANSFORM_COPIES);
    EXPECT_EQ(0, driver.Stuck());
  }
  ASSERT_EQ(4, Blocks());
  EXPECT_EQ(1, Steps());
  const float lefts[] = {0, 15, 35, 55};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(lefts[i], Block(i)->m_box.left, 0.01f) << i;
  EXPECT_EQ(0, Block(3)->m_selected);
  ASSERT_TRUE(OpenClipboard(m_view->m_hWnd));
  HANDLE kept = GetClipboardData(CF_TEXT);
  ASSERT_NE(nullptr, kept);
  EXPECT_STREQ("mine", static_cast<const char*>(GlobalLock(kept)));
  GlobalUnlock(kept);
  CloseClipboard();
  Command(57643);  // undo
  EXPECT_EQ(1, Blocks());
}

TEST_F(ShapeDialogs, ATableIsOneCurveAndARefusedWidthStoresNothing) {
  using namespace settings;
  ProfileKey profile("TalvexShapeDialogsTest");
  g_appProfile.WriteString(kTable, kTableOuterWidth, "3");
  g_appProfile.WriteString(kTable, kTableInnerWidth, "4");
  CTableDlg refused(m_view, g_appProfile, 10, 10);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    Type(d, CTableDlg::kOuter, "2");
    Type(d, CTableDlg::kInner, "0");
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    // No row: refused with a message, nothing stored either.
    Type(d, CTableDlg::kInner, "2");
    Type(d, CTableDlg::kHeights, "");
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(IDCANCEL, refused.DoModal());
  EXPECT_EQ("3", std::string(g_appProfile.GetString(kTable, kTableOuterWidth, "")));
  EXPECT_EQ("4", std::string(g_appProfile.GetString(kTable, kTableInnerWidth, "")));
  EXPECT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(0, Blocks());

  CTableDlg table(m_view, g_appProfile, 10, 10);
  driver.Then([](CDialog* d) {
    Type(d, CTableDlg::kOuter, "2");
    Type(d, CTableDlg::kInner, "2");
    Type(d, CTableDlg::kWidths, "100,50");
    Type(d, CTableDlg::kHeights, "20,20,20");
    d->PostMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(IDOK, table.DoModal());
  ASSERT_EQ(1, Blocks());
  EXPECT_EQ(1, Steps());
  EXPECT_NEAR(166, Block(0)->m_box.right, 0.01f);
  EXPECT_NEAR(78, Block(0)->m_box.bottom, 0.01f);
  EXPECT_EQ("2", std::string(g_appProfile.GetString(kTable, kTableInnerWidth, "")));
}

TEST_F(ShapeDialogs, AParallelCutCutsEverySelectedBlockByBothPassesInOneStep) {
  AddSquare(0, 0, 40);
  AddSquare(100, 0, 40);
  CParallelCutDlg dialog(m_view, g_appProfile, false);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    EXPECT_FALSE(d->GetDlgItem(CCutPatternDlg::kNoCut)->IsWindowVisible());
    // Fewer than two equal parts are refused.
    Type(d, CParallelCutDlg::kAngle, "0");
    Click(d, CCutPatternDlg::kEqualParts);
    Type(d, CParallelCutDlg::kCount, "1");
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    Type(d, CParallelCutDlg::kCount, "4");
    d->PostMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(1, Steps());
  // The two squares stay; each pass adds a group of one piece per square: the two strips of 10
  // that the pass keeps of it, 0-10 and 20-30 for pass 0, 10-20 and 30-40 for pass 1.
  ASSERT_EQ(4, Blocks());
  const float tops[] = {0, 10};
  for (INT_PTR pass = 0; pass < 2; ++pass) {
    CBlock* pieces = Block(2 + pass);
    ASSERT_EQ(kGroupBlock, pieces->m_type) << pass;
    auto* group = static_cast<CGroupBlock*>(pieces);
    ASSERT_EQ(2, group->GetChildCount()) << pass;
    for (INT_PTR c = 0; c < 2; ++c) {
      const CFRect& box = group->GetChild(c)->m_box;
      EXPECT_NEAR(tops[pass], box.top, 0.05f) << pass;
      EXPECT_NEAR(tops[pass] + 30, box.bottom, 0.05f) << pass;
      EXPECT_NEAR(c == 0 ? 0 : 100, box.left, 0.05f) << pass;
    }
  }
  Command(57643);  // undo
  EXPECT_EQ(2, Blocks());
}

// The parallel tool with the mouse, set to cut and to four equal strips: the square is cut where
// the button comes up, at its top-left corner, by both passes in one step, and the selection tool
// takes over; a count too large to cut is refused with a message.
TEST_F(ShapeDialogs, TheParallelToolCutsASquareFromWhereTheMouseIsReleased) {
  using namespace settings;
  ProfileKey profile("TalvexShapeDialogsTest");
  g_appProfile.WriteInt(kParallelCut, kNoCut, 0);
  g_appProfile.WriteInt(kParallelCut, kCutLines, 4);
  // The corner is a point that a pixel maps to exactly, so that the strips start at the corner.
  POINT corner;
  FPOINT inside = {20, 20};
  m_view->GetDisplayMatrix()->TransformPointToInt(&inside, &corner);
  FPOINT start;
  m_view->DeviceToPage(corner.x, corner.y, &start.x, &start.y);
  AddSquare(start.x, start.y, 40);
  m_view->SetCurrentTool(ID_CUT_PARALLEL);
  const INT_PTR steps = Steps();
  const LPARAM at = MAKELPARAM(corner.x, corner.y);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(corner.x + 30, corner.y + 30));
  m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at);
  m_view->SendMessage(WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_EQ(0u, m_boxes.Count());
  EXPECT_EQ(kSelectTool, m_view->GetCurrentTool());
  EXPECT_EQ(nullptr, m_view->GetFeedbackBlock());
  EXPECT_EQ(steps + 1, Steps());
  // Each pass keeps one piece of two strips of 10 of the square: 0-10 and 20-30 below the
  // corner, then 10-20 and 30-40.
  ASSERT_EQ(3, Blocks());
  for (INT_PTR pass = 0; pass < 2; ++pass) {
    const CFRect& box = Block(1 + pass)->m_box;
    EXPECT_EQ(kCurveBlock, Block(1 + pass)->m_type) << pass;
    EXPECT_NEAR(start.y + 10 * pass, box.top, 0.05f) << pass;
    EXPECT_NEAR(start.y + 10 * pass + 30, box.bottom, 0.05f) << pass;
    EXPECT_NEAR(start.x, box.left, 0.05f) << pass;
    EXPECT_NEAR(start.x + 40, box.right, 0.05f) << pass;
  }
  Command(57643);  // undo
  EXPECT_EQ(1, Blocks());

  // Strips too many to make are refused with a message, and nothing is cut.
  g_appProfile.WriteInt(kParallelCut, kCutLines, 50000);
  m_view->SetCurrentTool(ID_CUT_PARALLEL);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  m_view->SendMessage(WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(1, Blocks());
  EXPECT_EQ(kSelectTool, m_view->GetCurrentTool());
}

TEST_F(ShapeDialogs, PositionByTheBottomRightCornerAlignsToThePageEdgeLessTheMargin) {
  CCurveBlock* square = AddSquare(10, 10, 20);
  const float pageWidth = m_document->GetPageSettings().m_width;
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    Type(d, 1332, "5");
    auto* origin = static_cast<CComboBox*>(d->GetDlgItem(1145));
    ASSERT_EQ(5, origin->GetCount());
    origin->SetCurSel(4);
    d->SendMessage(WM_COMMAND, MAKEWPARAM(1145, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(origin->m_hWnd));
    // The same place, described by its bottom-right corner.
    EXPECT_EQ("30.00", DialogText(d, 1143));
    d->SendMessage(WM_COMMAND, MAKEWPARAM(1133, BN_CLICKED),
                   reinterpret_cast<LPARAM>(d->GetDlgItem(1133)->m_hWnd));
    char expected[32];
    snprintf(expected, sizeof expected, "%.2f", pageWidth - 5);
    EXPECT_EQ(expected, DialogText(d, 1143));
    d->PostMessage(WM_COMMAND, IDOK);
  });
  Command(ID_TRANSFORM_POSITION);
  EXPECT_EQ(1, Steps());
  EXPECT_NEAR(pageWidth - 5, square->m_box.right, 0.01f);
  EXPECT_NEAR(10, square->m_box.top, 0.01f);
}

// Presses OK in the outline thickness dialog and lets it work until the library has answered.
void ExpandAndWait(CDialog* d) {
  d->SendMessage(WM_COMMAND, IDOK);
  auto* dialog = static_cast<CExpandDlg*>(d);
  for (int i = 0; i < 12000 && dialog->IsExpanding(); ++i) {
    PumpMessages(1);
    Sleep(5);
  }
}

TEST_F(ShapeDialogs, OutlineThicknessAddsTheLibrarysGroupInOneStepAndKeepsTheSelection) {
  CCurveBlock* square = AddSquare(20, 20, 40);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    d->SetDlgItemText(1380, "2.0");
    ExpandAndWait(d);
  });
  Command(ID_OUTLINE_THICKNESS);
  EXPECT_EQ(0, driver.Stuck());
  ASSERT_EQ(2, Blocks());
  EXPECT_EQ(square, Block(0));
  EXPECT_EQ(1, square->m_selected);
  // The expansion lies around the square.
  EXPECT_LT(Block(1)->m_box.left, 20);
  EXPECT_GT(Block(1)->m_box.right, 60);
  EXPECT_EQ(1, Steps());
}

void ChooseRoundCorners(CDialog* d) {
  ::CheckRadioButton(d->m_hWnd, CExpandDlg::kKeepAsIs, CExpandDlg::kRoundCorners,
                     CExpandDlg::kRoundCorners);
}

TEST_F(ShapeDialogs, OutlineThicknessTakesTheTypedAccuracyToTheRoundCorners) {
  CCurveBlock* square = AddSquare(20, 20, 40);
  size_t points[2] = {};
  const char* accuracies[2] = {"-5", "-15"};
  for (int i = 0; i < 2; ++i) {
    // The square alone, each time.
    for (INT_PTR b = 0; b < Blocks(); ++b) Block(b)->m_selected = Block(b) == square ? 1 : 0;
    m_view->GetSelectTracker().Recount();
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      d->SetDlgItemText(CExpandDlg::kThickness, "5.0");
      d->SetDlgItemText(CExpandDlg::kAccuracy, accuracies[i]);
      ChooseRoundCorners(d);
      ExpandAndWait(d);
    });
    Command(ID_OUTLINE_THICKNESS);
    ASSERT_EQ(2 + i, Blocks());
    ASSERT_EQ(kCurveBlock, Block(1 + i)->m_type);
    points[i] = static_cast<CCurveBlock*>(Block(1 + i))->GetPoints().size();
  }
  // Chords of 0.01 and of 0.0001: about ten times the points on the round corners.
  EXPECT_GT(points[1], 6 * points[0]);
}

TEST_F(ShapeDialogs, ALongOutlineThicknessShowsItsProgressAndCancelStopsItAddingNothing) {
  // A star of 4,000 nodes grown by 2 with round corners: every point's arc crosses dozens of
  // its neighbours', seconds of work.
  auto* star = new CCurveBlock;
  for (int i = 0; i < 4000; ++i) {
    double a = 2 * 3.14159265358979 * i / 4000, r = i % 2 ? 90 : 100;
    star->AddPoint(float(150 + r * std::cos(a)), float(150 + r * std::sin(a)),
                   BYTE((i == 0 ? kPointStart : 0) | kPointOnCurve));
  }
  star->AddPoint(250, 150, kPointClose | kPointOnCurve);
  star->EndCurve();
  m_document->AddBlock(star);
  star->m_selected = 1;
  m_view->GetSelectTracker().Recount();
  int shown = -1;
  bool openAfterCancel = false, okBack = false;
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    auto* dialog = static_cast<CExpandDlg*>(d);
    d->SetDlgItemText(CExpandDlg::kThickness, "2.0");
    ChooseRoundCorners(d);
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d->m_hWnd, IDOK)));  // OK waits meanwhile
    for (int i = 0; i < 4000 && shown <= 0 && dialog->IsExpanding(); ++i) {
      PumpMessages(1);
      Sleep(5);
      shown = static_cast<int>(d->SendDlgItemMessage(CExpandDlg::kProgress, PBM_GETPOS));
    }
    d->SendMessage(WM_COMMAND, IDCANCEL);
    PumpMessages();
    openAfterCancel = ::IsWindowVisible(d->m_hWnd) && !dialog->IsExpanding();
    okBack = ::IsWindowEnabled(::GetDlgItem(d->m_hWnd, IDOK)) != FALSE;
    d->PostMessage(WM_COMMAND, IDCANCEL);  // a second Cancel closes it
  });
  Command(ID_OUTLINE_THICKNESS);
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_GT(shown, 0);
  EXPECT_TRUE(openAfterCancel);
  EXPECT_TRUE(okBack);
  EXPECT_EQ(1, Blocks());
  EXPECT_EQ(0, Steps());
}
