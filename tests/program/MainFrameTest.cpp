// The main frame made from the built-in resources: its bars, the status protocol of views and
// tools, showing and hiding bars, the shared cursors and pens, and the transform library's
// effects in the menu.
#include <gtest/gtest.h>

#include <string>

#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"

namespace {

class MainFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_frame = new CMDIMainFrame;
    ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    m_frame->ShowWindow(SW_SHOW);
    PumpMessages();
  }
  void TearDown() override {
    if (m_frame && m_frame->m_hWnd) m_frame->DestroyWindow();
    PumpMessages();
  }

  std::string Pane(int index) { return std::string(m_frame->GetStatusBar().GetPaneText(index)); }
  void Send(UINT code, const void* data) {
    m_frame->SendMessage(WM_COMMAND, code, reinterpret_cast<LPARAM>(data));
  }
  bool Visible(CControlBar& bar) { return (bar.GetStyle() & WS_VISIBLE) != 0; }

  CMDIMainFrame* m_frame = nullptr;
};

std::string MenuText(HMENU menu, int position) {
  char text[128] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

}  // namespace

TEST_F(MainFrameTest, HasItsTitleBarsAndFivePanes) {
  char title[128] = {};
  GetWindowTextA(m_frame->m_hWnd, title, sizeof title);
  EXPECT_EQ(0, strncmp(title, "镌图匠V6.27.7", strlen("镌图匠V6.27.7"))) << title;
  EXPECT_EQ(18, m_frame->GetMainToolBar().GetCount());
  EXPECT_EQ(10, m_frame->GetWindowToolBar().GetCount());
  EXPECT_EQ(5, m_frame->GetStatusBar().GetCount());
  UINT id = 0, style = 0;
  int width = 0;
  m_frame->GetStatusBar().GetPaneInfo(1, id, style, width);
  EXPECT_EQ(static_cast<UINT>(IDS_PANE_POINTER), id);
  // At least the widths the Chinese texts were made for; longer texts widen their pane.
  EXPECT_GE(width, 90);
  m_frame->GetStatusBar().GetPaneInfo(4, id, style, width);
  EXPECT_EQ(static_cast<UINT>(IDS_PANE_TYPE), id);
  EXPECT_GE(width, 80);
  EXPECT_EQ(static_cast<UINT>(CMDIMainFrame::kAllBars), m_frame->GetBarsToShow());
}

TEST_F(MainFrameTest, ShowsWhatViewsAndToolsReport) {
  float point[2] = {12.34f, -5.0f};
  Send(ID_STATUS_POINTER, point);
  EXPECT_EQ("鼠:12.3,-5.0", Pane(1));
  float size[2] = {100.0f, 0.05f};
  Send(ID_STATUS_SIZE, size);
  EXPECT_EQ("宽:100.0", Pane(2));
  EXPECT_EQ("高:0.1", Pane(3));
  Send(ID_STATUS_TYPE, "曲线块");
  EXPECT_EQ("曲线块", Pane(4));
  Send(ID_STATUS_TEXT, "hello");
  EXPECT_EQ("hello", Pane(0));
}

TEST_F(MainFrameTest, TheMeasureShowsTheStraightDistanceFromTheStart) {
  float measure[4] = {4.0f, 6.0f, 1.0f, 2.0f};
  Send(ID_STATUS_MEASURE, measure);
  EXPECT_EQ("测量: (从X = 4.0 , Y = 6.0) - 长度:5.0", Pane(0));
}

TEST_F(MainFrameTest, AStringIdShowsItsTextAndAnUnknownIdNothing) {
  m_frame->SendMessage(WM_COMMAND, ID_STATUS_TEXT_ID, 108);
  EXPECT_EQ("打开文件", Pane(0));
  m_frame->SendMessage(WM_COMMAND, ID_STATUS_TEXT_ID, 7);
  EXPECT_EQ("", Pane(0));
}

TEST_F(MainFrameTest, ShowControlBarsShowsAndHidesTheBarsOfItsBits) {
  EXPECT_TRUE(m_frame->ShowControlBars(0, 0xFFFF));
  PumpMessages();
  EXPECT_FALSE(Visible(m_frame->GetMainToolBar()));
  EXPECT_FALSE(Visible(m_frame->GetWindowToolBar()));
  EXPECT_TRUE(
      m_frame->ShowControlBars(CMDIMainFrame::kWindowToolBar, CMDIMainFrame::kWindowToolBar));
  PumpMessages();
  EXPECT_FALSE(Visible(m_frame->GetMainToolBar()));
  EXPECT_TRUE(Visible(m_frame->GetWindowToolBar()));
  // Bits of no bar change nothing.
  EXPECT_FALSE(m_frame->ShowControlBars(0, 2 | 32 | 64));
  PumpMessages();
  EXPECT_TRUE(Visible(m_frame->GetWindowToolBar()));
}

TEST_F(MainFrameTest, AColourWithoutDocumentsHidesTheDrawingBars) {
  m_frame->SendMessage(WM_COMMAND, ID_PALETTE_COLOUR, 0xFF0000);
  PumpMessages();
  EXPECT_FALSE(Visible(m_frame->GetMainToolBar()));
  EXPECT_FALSE(Visible(m_frame->GetWindowToolBar()));
  EXPECT_TRUE(Visible(m_frame->GetStatusBar()));
}

TEST_F(MainFrameTest, HoldsEveryToolCursorAndTheSharedPens) {
  for (UINT id :
       {146u, 158u, 153u, 156u, 154u, 163u, 162u, 184u, 129u, 148u,  202u,  149u,  187u, 189u, 188u,
        198u, 199u, 195u, 196u, 272u, 197u, 262u, 164u, 217u, 1178u, 1179u, 1146u, 263u, 266u})
    EXPECT_NE(nullptr, m_frame->GetToolCursor(id)) << id;
  EXPECT_EQ(nullptr, m_frame->GetToolCursor(100));
  LOGPEN pen = {};
  GetObjectA(m_frame->GetPen(CMDIMainFrame::kBlueDotPen)->m_hObject, sizeof pen, &pen);
  EXPECT_EQ(static_cast<UINT>(PS_DOT), pen.lopnStyle);
  EXPECT_EQ(RGB(0, 0, 255), pen.lopnColor);
  GetObjectA(m_frame->GetPen(CMDIMainFrame::kGreyPen)->m_hObject, sizeof pen, &pen);
  EXPECT_EQ(RGB(128, 128, 128), pen.lopnColor);
}

TEST(ArtTransformMenu, IsTheFifthItemOfTheSixthDocumentMenu) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TALVEXTYPE));
  HMENU popup = CMDIMainFrame::FindArtTransformMenu(menu);
  ASSERT_NE(nullptr, popup);
  EXPECT_NE(-1, static_cast<int>(GetMenuState(popup, ID_ART_TRANSFORM, MF_BYCOMMAND)));
  // A maximised document window puts its own menu in front.
  InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP,
              reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
              reinterpret_cast<LPCSTR>(HBMMENU_SYSTEM));
  EXPECT_EQ(popup, CMDIMainFrame::FindArtTransformMenu(menu));
  EXPECT_EQ(nullptr, CMDIMainFrame::FindArtTransformMenu(
                         LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))));
  DestroyMenu(menu);
}

TEST(ArtTransformMenu, ListsTheEffectsInOrderOnceHoweverOftenItIsFilled) {
  MessageBoxCapture boxes;
  ASSERT_NE(nullptr, g_transformDll.Bind("TestAddon.dll"));
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TALVEXTYPE));
  HMENU popup = CMDIMainFrame::FindArtTransformMenu(menu);
  ASSERT_NE(nullptr, popup);
  int staticItems = GetMenuItemCount(popup);
  CMDIMainFrame::FillArtTransformMenu(popup);
  CMDIMainFrame::FillArtTransformMenu(popup);
  ASSERT_EQ(staticItems + 3, GetMenuItemCount(popup));
  for (int n = 1; n <= 3; ++n) {
    EXPECT_EQ(static_cast<UINT>(ID_ART_TRANSFORM + n), GetMenuItemID(popup, n - 1));
    EXPECT_EQ("Transform " + std::to_string(n), MenuText(popup, n - 1));
  }
  EXPECT_EQ(static_cast<UINT>(ID_ART_TRANSFORM), GetMenuItemID(popup, 4));
  g_transformDll.Unload();
  CMDIMainFrame::FillArtTransformMenu(popup);
  EXPECT_EQ(staticItems, GetMenuItemCount(popup));
  DestroyMenu(menu);
}
