// The typed-input dialogs of the creation tools made from the built-in resources and driven
// through their controls under Xvfb: the line type dialog keeps itself open with its messages
// until the text holds two pairs, the rectangle dialog's defaults make a 100 x 100 rectangle
// around the point, and the circle dialog enables its angles only for the arc kinds.
#include <gtest/gtest.h>

#include <memory>

#include "editor/dialogs/CircleParamDlg.h"
#include "editor/dialogs/ShapeDialogs.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/RectBlock.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"

namespace {

void Type(CDialog* dialog, int id, const char* text) {
  ::SetDlgItemTextA(dialog->m_hWnd, id, text);
}

TEST(ShapeDialogsWindow, TheLineTypeDialogStaysOpenUntilTheTextHoldsTwoPairs) {
  MessageBoxCapture boxes;
  ModalDialogDriver driver;
  bool stayedOpen = false;
  driver.Then([&stayedOpen](CDialog* dialog) {
    Type(dialog, IDC_LINE_POINTS, "10,10,2-3,4");
    dialog->SendMessage(WM_COMMAND, IDOK);
    stayedOpen = ::IsWindow(dialog->m_hWnd) && dialog->ContinueModal();
    Type(dialog, IDC_LINE_POINTS, "0,0 10,10\r\n20,0");
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  std::unique_ptr<CBlock> curve(CShapeDialogs::Run(nullptr, IDD_LINE_TYPE, {0, 0}));
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_EQ("数据格式错误", boxes.Boxes()[0].text);
  EXPECT_EQ("错误", boxes.Boxes()[0].caption);
  EXPECT_EQ("x,y最少为2对", boxes.Boxes()[1].text);
  ASSERT_NE(nullptr, curve);
  ASSERT_EQ(kCurveBlock, curve->m_type);
  EXPECT_EQ(4, static_cast<CCurveBlock*>(curve.get())->GetCount());
  EXPECT_EQ(0, driver.Stuck());
}

TEST(ShapeDialogsWindow, TheRectangleDialogsDefaultsMakeARectangleAroundThePoint) {
  ModalDialogDriver driver;
  driver.Then(ModalDialogDriver::PressOk());
  std::unique_ptr<CBlock> block(CShapeDialogs::Run(nullptr, IDD_RECT_PARAMS, {200, 100}));
  ASSERT_NE(nullptr, block);
  ASSERT_EQ(kRectBlock, block->m_type);
  const CFRect& rect = static_cast<CRectBlock*>(block.get())->m_rect;
  EXPECT_FLOAT_EQ(150, rect.left);
  EXPECT_FLOAT_EQ(50, rect.top);
  EXPECT_FLOAT_EQ(250, rect.right);
  EXPECT_FLOAT_EQ(150, rect.bottom);
  // Cancelled: nothing.
  driver.Then(ModalDialogDriver::PressCancel());
  EXPECT_EQ(nullptr, CShapeDialogs::Run(nullptr, IDD_RECT_PARAMS, {200, 100}));
}

TEST(ShapeDialogsWindow, TheCircleDialogEnablesItsAnglesForArcKindsAndMakesAPieSlice) {
  ModalDialogDriver driver;
  BOOL anglesForCircle = TRUE, anglesForPie = FALSE;
  driver.Then([&](CDialog* dialog) {
    anglesForCircle = ::IsWindowEnabled(::GetDlgItem(dialog->m_hWnd, IDC_START_ANGLE));
    ::SendMessageA(::GetDlgItem(dialog->m_hWnd, IDC_PIE_KIND), BM_CLICK, 0, 0);
    anglesForPie = ::IsWindowEnabled(::GetDlgItem(dialog->m_hWnd, IDC_END_ANGLE));
    Type(dialog, IDC_RADII_X, "50");
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  std::unique_ptr<CBlock> pie(CShapeDialogs::Run(nullptr, IDD_CIRCLE_PARAMS, {0, 0}));
  EXPECT_FALSE(anglesForCircle);
  EXPECT_TRUE(anglesForPie);
  ASSERT_NE(nullptr, pie);
  ASSERT_EQ(kCurveBlock, pie->m_type);
  bool throughCentre = false;
  for (const POINTREC& p : static_cast<CCurveBlock*>(pie.get())->GetPoints())
    throughCentre |= !IsSpecialPoint(p.flags) && p.x == 0.0f && p.y == 0.0f;
  EXPECT_TRUE(throughCentre);
}

}  // namespace
