#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/DialogBar.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/MiniDockFrameWnd.h"
#include "framework/ReBar.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"
#include "framework/WinApp.h"
#include "support/MessagePump.h"

namespace {

// Resources of BarResources.rc.
const UINT kBarA = 3001;  // 33001, 33002, separator, 33003, 33004, 33005
const UINT kBarB = 3002;  // 33011, 33012, 33013
const UINT kBrokenBar = 3005;
const UINT kBarWithoutBitmap = 3006;
const UINT kSixteenBitBar = 3007;
const UINT kDialogBar = 3010;
const UINT kOpen = 33001, kCheck = 33002, kNoHandler = 33003, kRadio1 = 33004, kRadio2 = 33005;
const UINT kGo = 33021, kIdle = 33022, kEdit = 3011, kAutoCheck = 3012;
const UINT kMouseIndicator = 3201, kCapsIndicator = 3202, kWideIndicator = 3203;

void DeleteKeyTree(HKEY parent, LPCSTR name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    DeleteKeyTree(key, child);
    length = sizeof child;
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyA(parent, name);
}

class CBarFrame : public CFrameWnd {
public:
  CToolBar barA;
  CToolBar barB;
  CStatusBar status;
  CDialogBar dialogBar;
  BOOL openEnabled = TRUE;
  int checkState = 0;
  BOOL capsOn = TRUE;
  std::vector<UINT> commands;

protected:
  int OnCreate(LPCREATESTRUCTA cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    const DWORD visible = WS_CHILD | WS_VISIBLE;
    if (!barA.CreateEx(this, TBSTYLE_FLAT,
                       visible | CBRS_GRIPPER | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS |
                           CBRS_SIZE_DYNAMIC,
                       CRect(0, 0, 0, 0), kBarA) ||
        !barA.LoadToolBar(kBarA))
      return -1;
    barA.EnableDocking(CBRS_ALIGN_ANY);
    static const UINT indicators[] = {ID_SEPARATOR, kMouseIndicator, kCapsIndicator};
    if (!status.Create(this) || !status.SetIndicators(indicators, 3)) return -1;
    if (!barB.CreateEx(this, TBSTYLE_FLAT, visible | CBRS_GRIPPER | CBRS_TOP | CBRS_SIZE_FIXED,
                       CRect(0, 0, 0, 0), kBarB) ||
        !barB.LoadToolBar(kBarB))
      return -1;
    barB.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
    if (!dialogBar.Create(this, kDialogBar, CBRS_RIGHT, kDialogBar)) return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&barA);
    DockControlBar(&barB);
    return 0;
  }
  void OnCommandRange(UINT id) { commands.push_back(id); }
  void OnUpdateOpen(CCmdUI* ui) { ui->Enable(openEnabled); }
  void OnUpdateCheck(CCmdUI* ui) { ui->SetCheck(checkState); }
  void OnUpdateCaps(CCmdUI* ui) { ui->Enable(capsOn); }
  void OnGo() { commands.push_back(kGo); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND_RANGE(kOpen, kCheck, OnCommandRange)
  ON_COMMAND_RANGE(kRadio1, kRadio2, OnCommandRange)
  ON_COMMAND_RANGE(33011, 33013, OnCommandRange)
  ON_UPDATE_COMMAND_UI(kOpen, OnUpdateOpen)
  ON_UPDATE_COMMAND_UI(kCheck, OnUpdateCheck)
  ON_UPDATE_COMMAND_UI(kCapsIndicator, OnUpdateCaps)
  ON_COMMAND(kGo, OnGo)
END_MESSAGE_MAP()

class ControlBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    frame = new CBarFrame;  // deletes itself with its window
    ASSERT_TRUE(frame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW, CRect(40, 40, 680, 520)));
    frame->ShowWindow(SW_SHOWNA);
    frame->RecalcLayout();
    PumpMessages();
  }
  void TearDown() override {
    if (::IsWindow(frameWindow())) frame->DestroyWindow();
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\TalvexBarTest");
  }
  HWND frameWindow() const { return frame->m_hWnd; }
  // A window's rectangle in the frame's client coordinates.
  CRect InFrame(const CWnd& window) const {
    CRect rect;
    window.GetWindowRect(rect);
    frame->ScreenToClient(rect);
    return rect;
  }
  CRect ButtonRect(CToolBar& bar, int index) const {
    CRect rect;
    bar.GetItemRect(index, rect);
    return rect;
  }
  void Click(CToolBar& bar, int index) {
    CPoint center = ButtonRect(bar, index).CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(center.x, center.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(center.x, center.y));
    PumpMessages();
  }
  bool Enabled(CToolBar& bar, int index) const {
    return !(bar.GetButtonStyle(index) & TBBS_DISABLED);
  }
  bool Checked(CToolBar& bar, int index) const {
    return (bar.GetButtonStyle(index) & TBBS_CHECKED) != 0;
  }

  CWinApp app{"TALVEXBARTEST"};
  CBarFrame* frame = nullptr;
};

TEST_F(ControlBarTest, ToolBarComesFromItsResourceAndRefusesBrokenOnes) {
  CToolBar& bar = frame->barA;
  ASSERT_EQ(6, bar.GetCount());
  EXPECT_EQ(kOpen, bar.GetItemID(0));
  EXPECT_EQ(static_cast<UINT>(ID_SEPARATOR), bar.GetItemID(2));
  EXPECT_TRUE(bar.GetButtonStyle(2) & TBBS_SEPARATOR);
  EXPECT_EQ(4, bar.CommandToIndex(kRadio1));
  EXPECT_EQ(-1, bar.CommandToIndex(4242));
  EXPECT_EQ(23, ButtonRect(bar, 0).Width());  // image width + 7

  // Failed loads leave nothing half made: the buttons of the last good load stay.
  EXPECT_FALSE(bar.LoadToolBar(kBrokenBar));
  EXPECT_FALSE(bar.LoadToolBar(4999));
  EXPECT_FALSE(bar.LoadToolBar(kBarWithoutBitmap));
  EXPECT_TRUE(bar.LoadToolBar(kBarB));
  EXPECT_EQ(3, bar.GetCount());
  EXPECT_EQ(33012u, bar.GetItemID(1));
  EXPECT_TRUE(bar.LoadToolBar(kSixteenBitBar));
  EXPECT_EQ(3, bar.GetCount());
  EXPECT_EQ(static_cast<UINT>(ID_SEPARATOR), bar.GetItemID(1));
  EXPECT_EQ(33013u, bar.GetItemID(2));
}

TEST_F(ControlBarTest, FrameLaysOutDockedToolBarsStatusBarAndDialogBar) {
  CRect client;
  frame->GetClientRect(client);
  CRect a = InFrame(frame->barA), b = InFrame(frame->barB);
  CRect status = InFrame(frame->status), dialog = InFrame(frame->dialogBar);
  // Two rows at the top: each docked bar in its own row, the first one outermost.
  EXPECT_EQ(0, a.top);
  EXPECT_EQ(a.bottom, b.top);
  EXPECT_GT(a.Width(), b.Width());
  EXPECT_TRUE(frame->barA.m_pDockBar &&
              frame->barA.m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_TOP);
  // The status bar was made before the dock bars: it spans the whole bottom.
  EXPECT_EQ(client.bottom, status.bottom);
  EXPECT_EQ(0, status.left);
  EXPECT_EQ(client.right, status.right);
  EXPECT_GT(status.Height(), 10);
  // The dialog bar keeps its template's width on the right, between the status bar and the top.
  EXPECT_EQ(client.right, dialog.right);
  EXPECT_EQ(frame->dialogBar.m_sizeDefault.cx, dialog.Width());
  EXPECT_EQ(status.top, dialog.bottom);
  EXPECT_LE(b.bottom, client.bottom);
  EXPECT_LE(a.right, dialog.left);
  EXPECT_EQ(&frame->barB, frame->GetControlBar(kBarB));
  EXPECT_EQ(nullptr, frame->GetControlBar(4242));
}

TEST_F(ControlBarTest, IdleUpdateEnablesAndChecksBarItems) {
  CToolBar& bar = frame->barA;
  EXPECT_TRUE(Enabled(bar, 0));
  EXPECT_FALSE(Checked(bar, 1));
  EXPECT_FALSE(Enabled(bar, 3));  // no handler at all
  EXPECT_TRUE(Enabled(bar, 4));   // a command handler, no update handler
  frame->openEnabled = FALSE;
  frame->checkState = 1;
  PumpMessages();
  EXPECT_FALSE(Enabled(bar, 0));
  EXPECT_TRUE(Checked(bar, 1));
  frame->checkState = 2;
  PumpMessages();
  EXPECT_TRUE(bar.GetButtonStyle(1) & TBBS_INDETERMINATE);
  frame->openEnabled = TRUE;
  frame->checkState = 0;
  PumpMessages();
  EXPECT_TRUE(Enabled(bar, 0));
  EXPECT_FALSE(Checked(bar, 1));

  // Dialog bar: push buttons follow their handlers; edits and check boxes are the user's.
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(frame->dialogBar.m_hWnd, kGo)));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(frame->dialogBar.m_hWnd, kIdle)));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(frame->dialogBar.m_hWnd, kEdit)));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(frame->dialogBar.m_hWnd, kAutoCheck)));

  // Status panes: a disabled indicator shows no text; panes without handlers stay as they are.
  CStatusBar& status = frame->status;
  EXPECT_FALSE(status.GetPaneStyle(2) & SBPS_DISABLED);
  frame->capsOn = FALSE;
  PumpMessages();
  EXPECT_TRUE(status.GetPaneStyle(2) & SBPS_DISABLED);
  char shown[32] = "x";
  status.SendMessage(SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(shown));
  EXPECT_STREQ("", shown);
  EXPECT_EQ("CAPS", status.GetPaneText(2));
  EXPECT_FALSE(status.GetPaneStyle(1) & SBPS_DISABLED);
}

TEST_F(ControlBarTest, ButtonsAndDialogBarControlsSendTheirCommands) {
  Click(frame->barA, 4);
  Click(frame->barB, 2);
  ::SendMessageA(::GetDlgItem(frame->dialogBar.m_hWnd, kGo), BM_CLICK, 0, 0);
  PumpMessages();
  EXPECT_EQ((std::vector<UINT>{kRadio1, 33013, kGo}), frame->commands);

  // A radio group: checking one button clears the others.
  CToolBar& bar = frame->barA;
  bar.SetButtonStyle(4, TBBS_CHECKGROUP);
  bar.SetButtonStyle(5, TBBS_CHECKGROUP);
  Click(bar, 4);
  EXPECT_TRUE(Checked(bar, 4));
  EXPECT_FALSE(Checked(bar, 5));
  Click(bar, 5);
  EXPECT_FALSE(Checked(bar, 4));
  EXPECT_TRUE(Checked(bar, 5));
  EXPECT_EQ(kRadio2, frame->commands.back());
}

TEST_F(ControlBarTest, TipsAndFlyByTextsComeFromTheCommandStrings) {
  CToolBar& bar = frame->barA;
  auto tipOf = [&bar](UINT id) {
    NMTTDISPINFOA request = {};
    request.hdr.hwndFrom = bar.GetToolTipWindow();
    request.hdr.idFrom = id;
    request.hdr.code = TTN_NEEDTEXTA;
    strcpy(request.szText, "unchanged");
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    return std::string(request.lpszText ? request.lpszText : request.szText);
  };
  ASSERT_NE(nullptr, bar.GetToolTipWindow());
  EXPECT_EQ("Open", tipOf(kOpen));
  EXPECT_EQ("\xB4\xF2\xBF\xAA", tipOf(kCheck));  // GBK
  EXPECT_EQ("unchanged", tipOf(kRadio1));        // no string: the text stays

  CPoint over = ButtonRect(bar, 0).CenterPoint();
  bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(over.x, over.y));
  EXPECT_EQ("Opens a file", frame->status.GetPaneText(0));
  bar.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ("\xBE\xCD\xD0\xF7", frame->status.GetPaneText(0));  // the idle prompt
  TOOLINFOA info = {};
  EXPECT_EQ(static_cast<INT_PTR>(kNoHandler),
            bar.OnToolHitTest(ButtonRect(bar, 3).CenterPoint(), &info));
  EXPECT_EQ(-1, bar.OnToolHitTest(ButtonRect(bar, 2).CenterPoint(), nullptr));  // a separator
}

// Its cases run on a system of either code page.
class EnglishSystemStatusBar : public ControlBarTest {};

TEST_F(EnglishSystemStatusBar, APaneShowsItsGbkTextAsItReads) {
  frame->status.SetPaneText(1, "\xCE\xC4\xD7\xD6 Text");  // GBK
  wchar_t shown[32] = {};
  ::SendMessageW(frame->status.m_hWnd, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(shown));
  EXPECT_EQ(std::wstring(L"\x6587\x5B57 Text"), shown);
}

TEST_F(ControlBarTest, HidingAndShowingBarsGivesTheirRoomAway) {
  CRect a = InFrame(frame->barA);
  frame->ShowControlBar(&frame->barA, FALSE, FALSE);
  EXPECT_FALSE(frame->barA.IsWindowVisible());
  EXPECT_EQ(0, InFrame(frame->barB).top);

  // Delayed: the bar comes back at the next idle layout.
  frame->ShowControlBar(&frame->barA, TRUE, TRUE);
  EXPECT_TRUE(frame->barA.IsVisible());
  EXPECT_FALSE(frame->barA.IsWindowVisible());
  PumpMessages();
  EXPECT_TRUE(frame->barA.IsWindowVisible());
  EXPECT_EQ(a, InFrame(frame->barA));
  EXPECT_EQ(a.bottom, InFrame(frame->barB).top);

  // The status bar's menu command toggles it.
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  PumpMessages();
  EXPECT_FALSE(frame->status.IsWindowVisible());
  frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
  PumpMessages();
  EXPECT_TRUE(frame->status.IsWindowVisible());
}

TEST_F(ControlBarTest, DraggedOutABarFloatsInAMiniFrameAndADoubleClickDocksItBack) {
  CToolBar& bar = frame->barA;
  CRect start;
  bar.GetWindowRect(start);
  // The gripper lies left of the client area; dragging from it into the frame's middle floats.
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-4, 6));
  bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 180));
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 180));
  PumpMessages();
  ASSERT_TRUE(bar.IsFloating());
  EXPECT_NE(bar.m_hWnd, ::GetCapture());
  CWnd* floating = bar.m_pDockBar->GetParent();
  ASSERT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  HWND floatingWindow = floating->m_hWnd;
  EXPECT_TRUE(::IsWindowVisible(floatingWindow));
  EXPECT_EQ(frameWindow(), ::GetWindow(floatingWindow, GW_OWNER));
  CRect place;
  ::GetWindowRect(floatingWindow, place);
  EXPECT_EQ(start.TopLeft() + CSize(204, 174), place.TopLeft());  // moved as far as the mouse
  CRect inside;
  ::GetClientRect(floatingWindow, inside);
  EXPECT_EQ(bar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH).cx, inside.Width());
  EXPECT_EQ(0, InFrame(frame->barB).top);  // the dock lost the bar

  // Floating bars still update at idle through the frame.
  frame->openEnabled = FALSE;
  PumpMessages();
  EXPECT_FALSE(Enabled(bar, 0));

  frame->ShowControlBar(&bar, FALSE, TRUE);
  EXPECT_FALSE(::IsWindowVisible(floatingWindow));
  frame->ShowControlBar(&bar, TRUE, TRUE);
  EXPECT_TRUE(::IsWindowVisible(floatingWindow));

  // A double click on the bar's background docks it where it was; the empty mini frame goes.
  CPoint separator = ButtonRect(bar, 2).CenterPoint();
  bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(separator.x, separator.y));
  PumpMessages();
  EXPECT_FALSE(bar.IsFloating());
  EXPECT_FALSE(::IsWindow(floatingWindow));
  EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, bar.m_pDockBar->GetDlgCtrlID());
  EXPECT_EQ(InFrame(frame->barB).bottom, InFrame(bar).top);  // in a new last row
}

TEST_F(ControlBarTest, BarsDockOnTheEdgeOrInTheRowTheyAreDroppedOn) {
  CToolBar& bar = frame->barA;
  // Dragged to the frame's left edge the bar docks there, one button per row.
  CPoint target(6, 200);
  frame->ClientToScreen(&target);
  bar.ScreenToClient(&target);
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-4, 6));
  bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
  ASSERT_FALSE(bar.IsFloating());
  EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, bar.m_pDockBar->GetDlgCtrlID());
  CRect side = InFrame(bar);
  EXPECT_EQ(0, side.left);
  EXPECT_GT(side.Height(), side.Width());
  EXPECT_GT(ButtonRect(bar, 1).top, ButtonRect(bar, 0).top);
  EXPECT_EQ(0, InFrame(frame->barB).top);

  // A drop beside a docked bar puts the bar into that bar's row.
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  CRect a;
  bar.GetWindowRect(a);
  EXPECT_EQ(2, bar.m_pDockBar->GetRowCount());
  CRect beside(a.right + 10, a.top, a.right + 10 + 60, a.bottom);
  frame->DockControlBar(&frame->barB, AFX_IDW_DOCKBAR_TOP, beside);
  EXPECT_EQ(1, bar.m_pDockBar->GetRowCount());
  EXPECT_EQ(InFrame(bar).top, InFrame(frame->barB).top);
  EXPECT_EQ(InFrame(bar).right, InFrame(frame->barB).left);
  // A short press on the gripper is a click, not a drag.
  bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-4, 6));
  bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-3, 6));
  EXPECT_EQ(1, bar.m_pDockBar->GetRowCount());
  EXPECT_FALSE(bar.IsFloating());
}

TEST_F(ControlBarTest, BarStateIsSavedChangedAndRestored) {
  app.SetRegistryKey("TalvexBarTest");
  CRect a = InFrame(frame->barA), b = InFrame(frame->barB);

  // Nothing stored: the default layout stays.
  frame->LoadBarState("NoSuchState");
  EXPECT_EQ(a, InFrame(frame->barA));
  EXPECT_EQ(b, InFrame(frame->barB));

  frame->SaveBarState("BarTest");
  frame->ShowControlBar(&frame->barA, FALSE, FALSE);
  frame->FloatControlBar(&frame->barA, CPoint(320, 300));
  frame->ShowControlBar(&frame->barB, FALSE, FALSE);
  frame->ShowControlBar(&frame->status, FALSE, FALSE);
  frame->LoadBarState("BarTest");
  PumpMessages();
  EXPECT_FALSE(frame->barA.IsFloating());
  EXPECT_TRUE(frame->barA.IsWindowVisible());
  EXPECT_TRUE(frame->barB.IsWindowVisible());
  EXPECT_TRUE(frame->status.IsWindowVisible());
  EXPECT_EQ(a, InFrame(frame->barA));
  EXPECT_EQ(b, InFrame(frame->barB));

  // A floating, hidden bar comes back floating and hidden at its place.
  frame->ShowControlBar(&frame->barA, FALSE, FALSE);
  frame->FloatControlBar(&frame->barA, CPoint(330, 310));
  frame->SaveBarState("BarTest");
  frame->DockControlBar(&frame->barA);
  frame->ShowControlBar(&frame->barA, TRUE, FALSE);
  frame->LoadBarState("BarTest");
  PumpMessages();
  ASSERT_TRUE(frame->barA.IsFloating());
  EXPECT_FALSE(frame->barA.IsVisible());
  CWnd* floating = frame->barA.m_pDockBar->GetParent();
  CRect place;
  floating->GetWindowRect(place);
  EXPECT_EQ(CPoint(330, 310), place.TopLeft());
  EXPECT_FALSE(floating->IsWindowVisible());
  EXPECT_EQ(0, InFrame(frame->barB).top);
}

TEST_F(ControlBarTest, DamagedBarStateIsSkippedEntryByEntry) {
  app.SetRegistryKey("TalvexBarTest");
  CRect b = InFrame(frame->barB);
  app.WriteProfileInt("Damaged-Summary", "Bars", 100000);
  app.WriteProfileInt("Damaged-Bar0", "BarID", 4242);  // no such bar
  app.WriteProfileInt("Damaged-Bar1", "BarID", static_cast<int>(kBarB));
  app.WriteProfileInt("Damaged-Bar1", "DockBarID", AFX_IDW_DOCKBAR_RIGHT);  // B may not dock there
  app.WriteProfileInt("Damaged-Bar2", "BarID", static_cast<int>(kBarA));
  app.WriteProfileInt("Damaged-Bar2", "DockBarID", 12345);  // no dock bar
  app.WriteProfileInt("Damaged-Bar2", "Row", -7);
  frame->LoadBarState("Damaged");
  PumpMessages();
  EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, frame->barB.m_pDockBar->GetDlgCtrlID());
  EXPECT_EQ(b, InFrame(frame->barB));
  EXPECT_FALSE(frame->barA.IsFloating());
}

TEST_F(ControlBarTest, StatusBarPanesHoldTextsWidthsAndStyles) {
  CStatusBar& status = frame->status;
  EXPECT_EQ(3, status.GetCount());
  EXPECT_EQ(1, status.CommandToIndex(kMouseIndicator));
  EXPECT_EQ("\xCA\xF3\xB1\xEA\xD7\xF8\xB1\xEA", status.GetPaneText(1));  // the indicator's string
  status.SetPaneInfo(1, kMouseIndicator, SBPS_NORMAL, 90);
  UINT id = 0, style = 0;
  int width = 0;
  status.GetPaneInfo(1, id, style, width);
  EXPECT_EQ(90, width);
  CRect pane1, pane0;
  status.GetItemRect(1, pane1);
  status.GetItemRect(0, pane0);
  EXPECT_GE(pane1.Width(), 90);
  EXPECT_GT(pane0.Width(), pane1.Width());  // the first pane stretches
  EXPECT_TRUE(status.GetPaneStyle(0) & SBPS_STRETCH);

  EXPECT_TRUE(status.SetPaneText(1, "\xCA\xF3:1.0,2.0"));
  EXPECT_EQ("\xCA\xF3:1.0,2.0", status.GetPaneText(1));
  EXPECT_FALSE(status.SetPaneText(7, "none"));
  frame->SetMessageText("prompt");  // the window text is pane 0
  EXPECT_EQ("prompt", status.GetPaneText(0));
  CString text;
  status.GetWindowText(text);
  EXPECT_EQ("prompt", text);

  static const UINT missing[] = {ID_SEPARATOR, 4711};
  EXPECT_FALSE(status.SetIndicators(missing, 2));
  EXPECT_EQ(3, status.GetCount());  // unchanged
  static const UINT wide[] = {ID_SEPARATOR, kWideIndicator};
  EXPECT_TRUE(status.SetIndicators(wide, 2));
  status.GetPaneInfo(1, id, style, width);
  EXPECT_GT(width, 40);
}

TEST_F(ControlBarTest, FixedBarKeepsTheWrapsTheProgramSets) {
  CToolBar& bar = frame->barB;
  CSize oneRow = bar.CalcFixedLayout(FALSE, TRUE);
  bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_WRAPPED);
  CSize twoRows = bar.CalcFixedLayout(FALSE, TRUE);
  EXPECT_EQ(2 * (oneRow.cy - 2 * 2), twoRows.cy - 2 * 2);  // all four edges are on when docked
  EXPECT_LT(twoRows.cx, oneRow.cx);
  EXPECT_GT(ButtonRect(bar, 1).top, ButtonRect(bar, 0).top);
  EXPECT_EQ(ButtonRect(bar, 1).left, ButtonRect(bar, 0).left);
  frame->RecalcLayout();
  EXPECT_EQ(twoRows.cy, InFrame(bar).Height());
}

TEST_F(ControlBarTest, ReBarHoldsAToolBarInABand) {
  CReBar rebar;
  CToolBar bar;
  ASSERT_TRUE(rebar.Create(frame));
  ASSERT_TRUE(bar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                           CRect(0, 0, 0, 0), 3050));
  ASSERT_TRUE(bar.LoadToolBar(kBarB));
  ASSERT_TRUE(rebar.AddBar(&bar));
  EXPECT_EQ(1, rebar.GetBandCount());
  EXPECT_EQ(rebar.m_hWnd, ::GetParent(bar.m_hWnd));
  frame->RecalcLayout();
  CRect band = InFrame(rebar);
  EXPECT_EQ(InFrame(frame->dialogBar).left, band.right);
  EXPECT_GE(band.Height(), ButtonRect(bar, 0).Height());
  PumpMessages();
  EXPECT_TRUE(Enabled(bar, 0));  // updated at idle inside the band
  // Hiding the bar hides its band.
  frame->ShowControlBar(&bar, FALSE, FALSE);
  EXPECT_FALSE(bar.IsWindowVisible());
  REBARBANDINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = RBBIM_STYLE;
  rebar.SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_TRUE(info.fStyle & RBBS_HIDDEN);
  rebar.DestroyWindow();
  frame->RecalcLayout();
}

}  // namespace
