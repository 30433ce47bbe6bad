// The parameter panels of the property window made from the program's resources, in a plain
// window under Xvfb: the guide panel written from and read into a guide line, the text-layout
// panels with their button pictures, whose OK needs a selected block, and the curved layouts
// filling their panels and taking back what was typed.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/dialogs/GuidePanelDlg.h"
#include "editor/dialogs/PathTextDlg.h"
#include "editor/dialogs/PathTextOffsetDlg.h"
#include "framework/ByteWriter.h"
#include "framework/Wnd.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GuideLine.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/ArchEffect.h"
#include "text/layout/BoxArray.h"
#include "text/layout/PathTextEffect.h"

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

TEST_F(PanelHost, TheCurvedLayoutsFillTheirOwnPanelsAndTakeBackOnlyWhatChanged) {
  EXPECT_EQ(nullptr, CPathTextPanel::CreateForTemplate(264, m_host.m_hWnd));
  CBoxArray boxes;
  CMatrix2D matrix;

  // The arch's panel (1159): its buttons and its width and height.
  HWND panel = CPathTextPanel::CreateForTemplate(IDD_ARCH_PANEL, m_host.m_hWnd);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(static_cast<LONG_PTR>(IDD_ARCH_PANEL), GetWindowLongPtrA(panel, GWLP_USERDATA));
  CArchEffect arch(0, 80, 100, 100, &boxes, &matrix);
  arch.FillPanel(m_host.m_hWnd);
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(panel, IDC_PATH_OUTSIDE));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(panel, IDC_PATH_FILL));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(panel, IDC_PATH_REVERSED));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(panel, IDC_PATH_TURNED));
  EXPECT_EQ("100.0", Text(panel, IDC_ARCH_WIDTH));
  EXPECT_EQ("20.0", Text(panel, IDC_ARCH_HEIGHT));
  CByteWriter unchanged;
  arch.WriteRecord(unchanged);
  EXPECT_TRUE(arch.ApplyPanel(panel));
  CByteWriter again;
  arch.WriteRecord(again);
  EXPECT_EQ(unchanged.Bytes(), again.Bytes());
  SetDlgItemTextA(panel, IDC_ARCH_WIDTH, "60");
  SetDlgItemTextA(panel, IDC_ARCH_HEIGHT, "0");
  CheckRadioButton(panel, IDC_PATH_OUTSIDE, IDC_PATH_CHAR_CENTRE, IDC_PATH_INSIDE);
  CheckDlgButton(panel, IDC_PATH_TURNED, BST_CHECKED);
  EXPECT_TRUE(arch.ApplyPanel(panel));
  EXPECT_EQ(20, arch.GetFirstEnd().x);
  EXPECT_EQ(80, arch.GetSecondEnd().x);
  EXPECT_EQ(80, arch.GetApex().y);  // a height of 0 leaves the apex
  EXPECT_EQ(CCurvedTextEffect::kInside | CTextEffect::kSpread | CTextEffect::kTurnChars |
                CTextEffect::kReversed,
            arch.GetAttributes());
  // A height typed puts the apex that far from the chord on its side: up the page for a
  // horizontal chord, to the left for an upright one (ends (0, 0) and (0, 100), apex (-20, 50));
  // a negative height to the other side.
  CByteWriter uprightRecord;
  uprightRecord.WriteByte(CArchEffect::kTag);
  uprightRecord.WriteDWord(CArchEffect::kRecordSize);
  uprightRecord.WriteByte(CTextEffect::kArch);
  for (float value : {0.0f, 0.0f, 0.0f, 100.0f, -20.0f, 50.0f}) uprightRecord.WriteFloat(value);
  uprightRecord.WriteWord(CTextEffect::kSpread);
  uprightRecord.WriteDWord(0);
  uprightRecord.WriteFloat(10);
  std::unique_ptr<CTextEffect> loaded(
      LoadTextEffect(uprightRecord.Data(), uprightRecord.Size(), &boxes, &matrix));
  auto* upright = dynamic_cast<CArchEffect*>(loaded.get());
  ASSERT_TRUE(upright);
  struct HeightCase {
    CArchEffect* arch;
    const char* height;
    FPOINT apex;
  };
  const HeightCase heights[] = {{&arch, "30", {50, 70}},
                                {&arch, "-15", {50, 115}},
                                {upright, "30", {-30, 50}},
                                {upright, "-15", {15, 50}}};
  for (const HeightCase& c : heights) {
    SCOPED_TRACE(c.height);
    c.arch->FillPanel(m_host.m_hWnd);
    SetDlgItemTextA(panel, IDC_ARCH_HEIGHT, c.height);
    EXPECT_TRUE(c.arch->ApplyPanel(panel));
    EXPECT_EQ(c.apex.x, c.arch->GetApex().x);
    EXPECT_EQ(c.apex.y, c.arch->GetApex().y);
  }
  DestroyWindow(panel);

  // The arc's panel (260): a radius of 0 or less is not taken.
  panel = CPathTextPanel::CreateForTemplate(IDD_PATH_TEXT_PANEL, m_host.m_hWnd);
  ASSERT_NE(nullptr, panel);
  CArcEffect arc(0, 0, 100, 50, &boxes, &matrix);
  arc.FillPanel(m_host.m_hWnd);
  EXPECT_EQ("50.0", Text(panel, IDC_PATH_VALUE3));
  for (const char* radius : {"0", "-5", "x"}) {
    SetDlgItemTextA(panel, IDC_PATH_VALUE3, radius);
    EXPECT_TRUE(arc.ApplyPanel(panel));
    EXPECT_EQ(50.0f, arc.GetRadius()) << radius;
  }
  SetDlgItemTextA(panel, IDC_PATH_VALUE1, "90");
  EXPECT_TRUE(arc.ApplyPanel(panel));
  EXPECT_NEAR(1.5707963, arc.GetStartAngle(), 1e-6);
  // Another effect's panel is left alone.
  CArchEffect other(0, 80, 100, 100, &boxes, &matrix);
  EXPECT_FALSE(other.ApplyPanel(panel));
  DestroyWindow(panel);

  // The path's panel (268): the turn along the path always on, offset and spacing as typed.
  panel = CPathTextPanel::CreateForTemplate(IDD_PATH_OFFSET_PANEL, m_host.m_hWnd);
  ASSERT_NE(nullptr, panel);
  CCurveBlock* path = new CCurveBlock;
  path->AddLine(0, 0, 100, 0);
  path->EndCurve();
  CPathTextEffect along(path, &boxes, &matrix);
  along.SetAttributes(0);
  along.FillPanel(m_host.m_hWnd);
  SetDlgItemTextA(panel, IDC_PATH_OFFSET, "2.5");
  SetDlgItemTextA(panel, IDC_PATH_SPACING, "-1");
  EXPECT_TRUE(along.ApplyPanel(panel));
  EXPECT_EQ(CTextEffect::kPathBit, along.GetAttributes());
  EXPECT_EQ(2.5f, along.GetOffsetFromPath());
  EXPECT_EQ(-1.0f, along.GetSpacing());
  DestroyWindow(panel);
  PumpMessages();
}
