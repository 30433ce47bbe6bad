#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/FileException.h"
#include "framework/Wnd.h"
#include "support/MessageBoxCapture.h"

namespace {

const UINT kCommandA = 32800;
const UINT kCommandB = 32801;
const UINT kRangeFirst = 32810;
const UINT kRangeLast = 32815;
const UINT kDataCommand = 32838;
const UINT kFailingCommand = 32820;
const UINT kNoHandlerCommand = 32830;
const UINT kButtonId = 1001;
const UINT kUserMessage = WM_USER + 7;
const UINT kRegistered = ::RegisterWindowMessageA("TalvexTestRegisteredMessage");

class CTestWindow : public CWnd {
public:
  std::vector<std::string> log;
  UINT rangeId = 0;
  LPARAM dataLParam = 0;
  int timerFired = 0;
  bool checkB = false;

  BOOL CreateTopLevel() {
    return CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr);
  }

protected:
  int OnCreate(LPCREATESTRUCTA cs) {
    log.push_back("create");
    if (CWnd::OnCreate(cs) == -1) return -1;
    CWnd* button = new CWnd;
    button->CreateEx(0, "BUTTON", "press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20),
                     this, kButtonId);
    m_button = button;
    return 0;
  }
  void OnDestroy() {
    log.push_back("destroy");
    delete m_button;
    CWnd::OnDestroy();
  }
  void OnCommandA() { log.push_back("A"); }
  void OnCommandB() { log.push_back("B"); }
  void OnRange(UINT id) { rangeId = id; }
  void OnDataCommand() { dataLParam = GetCurrentMessage()->lParam; }
  void OnFailingCommand() { AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "gone.t42"); }
  void OnUpdateA(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnUpdateB(CCmdUI* ui) {
    ui->SetCheck(checkB ? 1 : 0);
    ui->SetText("Bee");
  }
  void OnUpdateRange(CCmdUI* ui) { ui->SetRadio(ui->m_nID == kRangeFirst + 1); }
  void OnButtonClicked() { log.push_back("clicked"); }
  LRESULT OnUser(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
  LRESULT OnRegistered(WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 2); }
  void OnTimer(UINT_PTR id) {
    if (id == 5) ++timerFired;
    KillTimer(id);
  }

  CWnd* m_button = nullptr;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWindow, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_TIMER()
  ON_COMMAND(kCommandA, OnCommandA)
  ON_COMMAND(kCommandB, OnCommandB)
  ON_COMMAND_RANGE(kRangeFirst, kRangeLast, OnRange)
  ON_COMMAND(kDataCommand, OnDataCommand)
  ON_COMMAND(kFailingCommand, OnFailingCommand)
  ON_UPDATE_COMMAND_UI(kCommandA, OnUpdateA)
  ON_UPDATE_COMMAND_UI(kCommandB, OnUpdateB)
  ON_UPDATE_COMMAND_UI_RANGE(kRangeFirst, kRangeLast, OnUpdateRange)
  ON_BN_CLICKED(kButtonId, OnButtonClicked)
  ON_MESSAGE(kUserMessage, OnUser)
  ON_REGISTERED_MESSAGE(kRegistered, OnRegistered)
END_MESSAGE_MAP()

// A derived class whose map overrides one command and adds nothing else.
class CDerivedWindow : public CTestWindow {
protected:
  void OnCommandA2() { log.push_back("A2"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWindow, CTestWindow)
  ON_COMMAND(kCommandA, OnCommandA2)
END_MESSAGE_MAP()

TEST(MessageMap, CreationCommandsRangesAndMessages) {
  CTestWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  EXPECT_EQ(&window, CWnd::FromHandlePermanent(window.m_hWnd));
  ASSERT_FALSE(window.log.empty());
  EXPECT_EQ("create", window.log[0]);

  window.SendMessage(WM_COMMAND, kCommandA);
  window.SendMessage(WM_COMMAND, MAKEWPARAM(kCommandB, 1));  // from an accelerator
  window.SendMessage(WM_COMMAND, kRangeFirst + 3);
  EXPECT_EQ((std::vector<std::string>{"create", "A", "B"}), window.log);
  EXPECT_EQ(kRangeFirst + 3, window.rangeId);
  EXPECT_EQ(12, window.SendMessage(kUserMessage, 5, 7));
  EXPECT_EQ(42, window.SendMessage(kRegistered, 21));

  // A real control notification arrives with the button's window in lParam.
  window.GetDlgItem(kButtonId)->SendMessage(BM_CLICK);
  EXPECT_EQ("clicked", window.log.back());

  HWND hwnd = window.m_hWnd;
  window.DestroyWindow();
  EXPECT_EQ(nullptr, window.m_hWnd);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hwnd));
  EXPECT_EQ("destroy", window.log.back());
}

TEST(MessageMap, DerivedMapsOverrideAndInherit) {
  CDerivedWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  window.SendMessage(WM_COMMAND, kCommandA);
  window.SendMessage(WM_COMMAND, kCommandB);
  EXPECT_EQ((std::vector<std::string>{"create", "A2", "B"}), window.log);
}

TEST(MessageMap, CommandKeepsItsDataPointer) {
  CTestWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  float position[2] = {12.5f, 30.0f};
  window.SendMessage(WM_COMMAND, kDataCommand, reinterpret_cast<LPARAM>(position));
  EXPECT_EQ(reinterpret_cast<LPARAM>(position), window.dataLParam);
  // A posted command keeps its lParam too (a colour value here, not a window).
  window.PostMessage(WM_COMMAND, kDataCommand, 0x00FF8040);
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  EXPECT_EQ(0x00FF8040, window.dataLParam);
}

TEST(MessageMap, ExceptionInHandlerIsReportedAndTheWindowGoesOn) {
  MessageBoxCapture boxes;
  CTestWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  window.SendMessage(WM_COMMAND, kFailingCommand);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("gone.t42"));
  window.SendMessage(WM_COMMAND, kCommandA);
  EXPECT_EQ("A", window.log.back());
  EXPECT_TRUE(::IsWindow(window.m_hWnd));
}

TEST(MessageMap, TimersReachTheMap) {
  CTestWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  window.SetTimer(5, 1);
  for (int i = 0; i < 200 && window.timerFired == 0; ++i) {
    MSG msg;
    if (::GetMessageA(&msg, nullptr, 0, 0)) ::DispatchMessageA(&msg);
  }
  EXPECT_EQ(1, window.timerFired);
}

TEST(CCmdUI, UpdatesMenuItemsFromHandlersAndDisablesUnhandledOnes) {
  CTestWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  window.checkB = true;
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, kCommandA, "A");
  menu.AppendMenu(MF_STRING, kCommandB, "B");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, kRangeFirst, "R0");
  menu.AppendMenu(MF_STRING, kRangeFirst + 1, "R1");
  menu.AppendMenu(MF_STRING | MF_GRAYED, kDataCommand, "data");
  menu.AppendMenu(MF_STRING, kNoHandlerCommand, "none");
  for (UINT index = 0; index < menu.GetMenuItemCount(); ++index) {
    CCmdUI state;
    state.m_pMenu = &menu;
    state.m_nIndex = index;
    state.m_nID = menu.GetMenuItemID(static_cast<int>(index));
    state.DoUpdate(&window, TRUE);
  }
  EXPECT_TRUE(menu.GetMenuState(kCommandA, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(menu.GetMenuState(kCommandB, MF_BYCOMMAND) & MF_CHECKED);
  CString text;
  menu.GetMenuString(kCommandB, text, MF_BYCOMMAND);
  EXPECT_EQ("Bee", text);
  EXPECT_FALSE(menu.GetMenuState(kRangeFirst, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(menu.GetMenuState(kRangeFirst + 1, MF_BYCOMMAND) & MF_CHECKED);
  // A command with a handler but no update handler is enabled; one without any is disabled.
  EXPECT_FALSE(menu.GetMenuState(kDataCommand, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(menu.GetMenuState(kNoHandlerCommand, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(CWnd, SubclassedControlsAndTemporaryWrappers) {
  CTestWindow window;
  ASSERT_TRUE(window.CreateTopLevel());
  HWND edit = ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 30, 100, 20, window.m_hWnd,
                                reinterpret_cast<HMENU>(2000), nullptr, nullptr);
  ASSERT_NE(nullptr, edit);
  CWnd* temporary = window.GetDlgItem(2000);
  ASSERT_NE(nullptr, temporary);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
  temporary->SetWindowText("\xC4\xE3\xBA\xC3");  // GBK text goes through unchanged
  CString text;
  window.GetDlgItemText(2000, text);
  EXPECT_EQ("\xC4\xE3\xBA\xC3", text);
  AfxDeleteTempObjects();
  EXPECT_TRUE(::IsWindow(edit));  // a temporary wrapper never destroys its window

  CWnd owned;
  ASSERT_TRUE(owned.SubclassDlgItem(2000, &window));
  EXPECT_EQ(&owned, CWnd::FromHandlePermanent(edit));
  EXPECT_EQ(edit, owned.UnsubclassWindow());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
  EXPECT_TRUE(::IsWindow(edit));
}

}  // namespace
