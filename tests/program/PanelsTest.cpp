// The parameter panels of the property window made from the program's resources, in a plain
// window under Xvfb: the guide panel written from and read into a guide line, and the
// text-layout panels with their button pictures, whose OK needs a selected block.
#include <gtest/gtest.h>

#include <string>

#include "editor/dialogs/GuidePanelDlg.h"
#include "editor/dialogs/PathTextDlg.h"
#include "editor/dialogs/PathTextOffsetDlg.h"
#include "framework/Wnd.h"
#include "model/blocks/GuideLine.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"

namespace {

class PanelHost : public ::testing::Test {
protected:
  void SetUp() override {
    m_host.CreateEx(0, AfxRegisterWndClass(0), "panel", WS_POPUP | WS_VISIBLE, 900, 300, 400, 80,
                    nullptr, nullptr);
  }
  void TearDown() override { m_host.DestroyWindow(); }

  std::string Text(HWND panel, int id) {
    char text[64] = {};
    GetDlgItemTextA(panel, id, text, sizeof text);
    return text;
  }

  CWnd m_host;
};

}  // namespace

TEST_F(PanelHost, TheGuidePanelShowsAGuideAsPointAndAngleAndTakesTwoPoints) {
  HWND panel = CGuidePanelDlg::CreateIn(m_host.m_hWnd);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(static_cast<LONG_PTR>(IDD_GUIDE_PANEL), GetWindowLongPtrA(panel, GWLP_USERDATA));
  CGuideLine guide(10.0f, 20.0f, 30.0);
  CGuidePanelDlg::Fill(panel, guide, 0.1);  // the second point 15 units along
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(panel, IDC_GUIDE_POINT_SLOPE));
  EXPECT_EQ("30.00", Text(panel, IDC_GUIDE_ANGLE));
  EXPECT_EQ("10.00", Text(panel, IDC_GUIDE_X1));
  EXPECT_EQ("20.00", Text(panel, IDC_GUIDE_Y1));
  EXPECT_EQ("22.99", Text(panel, IDC_GUIDE_X2));
  EXPECT_EQ("12.50", Text(panel, IDC_GUIDE_Y2));

  SetDlgItemTextA(panel, IDC_GUIDE_ANGLE, "60");
  SetDlgItemTextA(panel, IDC_GUIDE_X1, "1");
  EXPECT_TRUE(CGuidePanelDlg::Apply(panel, guide, 0.1));
  EXPECT_EQ(60.0, guide.GetAngle());
  EXPECT_EQ(1.0f, guide.GetX());

  CheckRadioButton(panel, IDC_GUIDE_POINT_SLOPE, IDC_GUIDE_TWO_POINTS, IDC_GUIDE_TWO_POINTS);
  SetDlgItemTextA(panel, IDC_GUIDE_X1, "0");
  SetDlgItemTextA(panel, IDC_GUIDE_Y1, "0");
  SetDlgItemTextA(panel, IDC_GUIDE_X2, "10");
  SetDlgItemTextA(panel, IDC_GUIDE_Y2, "-10");
  EXPECT_TRUE(CGuidePanelDlg::Apply(panel, guide, 0.1));
  EXPECT_NEAR(45.0, guide.GetAngle(), 1e-9);
  EXPECT_EQ(0.0f, guide.GetY());
  // Applying fills the panel again, point and angle first.
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(panel, IDC_GUIDE_POINT_SLOPE));

  // Another panel is not the guide's.
  SetWindowLongPtrA(panel, GWLP_USERDATA, IDD_EMPTY_PANEL);
  EXPECT_FALSE(CGuidePanelDlg::Apply(panel, guide, 0.1));
  DestroyWindow(panel);
  PumpMessages();
}

TEST_F(PanelHost, TextLayoutPanelsCarryTheirIdsAndPicturesAndNeedASelectionForOk) {
  CPathTextDlg strip;
  ASSERT_TRUE(strip.CreateIn(&m_host));
  EXPECT_EQ(static_cast<LONG_PTR>(IDD_PATH_TEXT_PANEL),
            GetWindowLongPtrA(strip.m_hWnd, GWLP_USERDATA));
  for (int button : {IDC_PATH_OUTSIDE, IDC_PATH_INSIDE, IDC_PATH_LINE_CENTRE, IDC_PATH_CHAR_CENTRE,
                     IDC_PATH_REVERSED, IDC_PATH_TURNED, IDC_PATH_FILL})
    EXPECT_NE(0, strip.SendDlgItemMessage(button, BM_GETIMAGE, IMAGE_BITMAP)) << button;
  // Enter with nothing selected leaves the panel as it is.
  strip.SendMessage(WM_COMMAND, IDOK);
  EXPECT_TRUE(IsWindow(strip.m_hWnd));

  CPathTextOffsetDlg offset;
  ASSERT_TRUE(offset.CreateIn(&m_host));
  EXPECT_EQ(static_cast<LONG_PTR>(IDD_PATH_OFFSET_PANEL),
            GetWindowLongPtrA(offset.m_hWnd, GWLP_USERDATA));
  EXPECT_NE(nullptr, GetDlgItem(offset.m_hWnd, IDC_PATH_OFFSET));
  EXPECT_NE(nullptr, GetDlgItem(offset.m_hWnd, IDC_PATH_SPACING));
  strip.DestroyWindow();
  offset.DestroyWindow();
}
