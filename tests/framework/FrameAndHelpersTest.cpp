#include <gtest/gtest.h>

#include <string>

#include "framework/CmdUI.h"
#include "framework/CommandLineInfo.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/DialogTemplate.h"
#include "framework/DocTemplate.h"
#include "framework/FileDialog.h"
#include "framework/FormatString.h"
#include "framework/FrameWnd.h"
#include "framework/MiniFrameWnd.h"
#include "framework/RecentFileList.h"
#include "framework/TabCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/UserException.h"
#include "framework/WinApp.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"

namespace {

TEST(AfxFormatString, ReplacesInsertsButNotTrailBytes) {
  EXPECT_EQ("Save changes to a.t42?", AfxFormatString1("Save changes to %1?", "a.t42"));
  EXPECT_EQ("between 1 and 9", AfxFormatString2("between %1 and %2", "1", "9"));
  // 0x25 after a GBK lead byte is part of the character, never an insert.
  EXPECT_EQ("\x81\x25" "1x", AfxFormatString1("\x81\x25" "1%1", "x"));
  EXPECT_EQ("%3 ", AfxFormatString1("%3 %1", nullptr));
}

TEST(CommandLine, QuotesGroupArgumentsAndFlagsAreRecognised) {
  CString arguments[8];
  int count = 0;
  AfxSplitCommandLine("  \"C:\\My Files\\\xCE\xC4\xBC\xFE.t42\"  /Talvex -p x", arguments, &count, 8);
  ASSERT_EQ(4, count);
  EXPECT_EQ("C:\\My Files\\\xCE\xC4\xBC\xFE.t42", arguments[0]);
  EXPECT_EQ("/Talvex", arguments[1]);
  AfxSplitCommandLine("a b c", arguments, &count, 2);
  EXPECT_EQ(2, count);  // never more than the caller has room for

  CCommandLineInfo info;
  info.ParseParam("p", TRUE, FALSE);
  info.ParseParam("file.t42", FALSE, TRUE);
  EXPECT_EQ(CCommandLineInfo::FilePrint, info.m_nShellCommand);
  EXPECT_EQ("file.t42", info.m_strFileName);
  CCommandLineInfo unknownFlag;
  unknownFlag.ParseParam("Talvex", TRUE, TRUE);
  EXPECT_EQ(CCommandLineInfo::FileNew, unknownFlag.m_nShellCommand);
}

class RecentFiles : public ::testing::Test {
protected:
  void SetUp() override { app.SetRegistryKey("TalvexTestKey"); }
  void TearDown() override { app.WriteProfileString("Recent", nullptr, nullptr); }
  CWinApp app{"TALVEXTEST"};
};

TEST_F(RecentFiles, NewestFirstWithoutDuplicatesAndThroughTheProfile) {
  CRecentFileList list(ID_FILE_MRU_FILE1, "Recent", "File%d", 3);
  list.Add("C:\\a.t42");
  list.Add("C:\\b.t42");
  list.Add("C:\\c.t42");
  list.Add("c:\\A.T42");  // the same file: moves to the front
  EXPECT_EQ("c:\\A.T42", list[0]);
  EXPECT_EQ("C:\\c.t42", list[1]);
  EXPECT_EQ("C:\\b.t42", list[2]);
  list.Add("C:\\d.t42");  // the oldest falls off
  EXPECT_EQ("C:\\c.t42", list[2]);
  list.Remove(0);
  EXPECT_EQ("C:\\c.t42", list[1]);
  EXPECT_TRUE(list[2].IsEmpty());
  list.WriteList();
  EXPECT_EQ("c:\\A.T42", app.GetProfileString("Recent", "File1"));
  EXPECT_EQ("", app.GetProfileString("Recent", "File3", ""));

  CRecentFileList again(ID_FILE_MRU_FILE1, "Recent", "File%d", 3);
  again.ReadList();
  EXPECT_EQ("C:\\c.t42", again[1]);
}

TEST_F(RecentFiles, MenuItemsReplaceThePlaceholder) {
  CRecentFileList list(ID_FILE_MRU_FILE1, "Recent", "File%d", 4);
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, ID_FILE_OPEN, "Open");
  menu.AppendMenu(MF_STRING, ID_FILE_MRU_FILE1, "Recent File");
  menu.AppendMenu(MF_STRING, ID_APP_EXIT, "Exit");
  auto update = [&] {
    CCmdUI ui;
    ui.m_pMenu = &menu;
    ui.m_nIndex = 1;
    ui.m_nID = ID_FILE_MRU_FILE1;
    list.UpdateMenu(&ui);
  };
  update();
  EXPECT_EQ(3u, menu.GetMenuItemCount());
  EXPECT_TRUE(menu.GetMenuState(ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
  list.Add("C:\\x&y.t42");
  list.Add("C:\\second.t42");
  update();
  ASSERT_EQ(4u, menu.GetMenuItemCount());
  CString text;
  menu.GetMenuString(1, text, MF_BYPOSITION);
  EXPECT_EQ("&1 C:\\second.t42", text);
  menu.GetMenuString(2, text, MF_BYPOSITION);
  EXPECT_EQ("&2 C:\\x&&y.t42", text);
  EXPECT_EQ(ID_APP_EXIT, menu.GetMenuItemID(3));
  update();  // updating again does not pile up items
  EXPECT_EQ(4u, menu.GetMenuItemCount());
}

class CTemplateForTest : public CDocTemplate {
public:
  CTemplateForTest() : CDocTemplate(0, nullptr, nullptr, nullptr) {
    m_strDocStrings = "\nTALVEX\nTALVEX\nFiles (*.t42)\n.t42\nTALVEX42.Document\nTALVEX Document";
  }
  POSITION GetFirstDocPosition() const override { return nullptr; }
  CDocument* GetNextDoc(POSITION&) const override { return nullptr; }
  CDocument* OpenDocumentFile(LPCSTR, BOOL) override { return nullptr; }
  void SetDefaultTitle(CDocument*) override {}
};

TEST(CDocTemplate, DocumentStringPartsAndFileKinds) {
  CTemplateForTest docTemplate;
  CString part;
  EXPECT_TRUE(docTemplate.GetDocString(part, CDocTemplate::windowTitle));
  EXPECT_EQ("", part);
  EXPECT_TRUE(docTemplate.GetDocString(part, CDocTemplate::filterExt));
  EXPECT_EQ(".t42", part);
  EXPECT_TRUE(docTemplate.GetDocString(part, CDocTemplate::regFileTypeName));
  EXPECT_EQ("TALVEX Document", part);
  CDocument* match = nullptr;
  EXPECT_EQ(CDocTemplate::yesAttemptNative, docTemplate.MatchDocType("C:\\A.T42", match));
  EXPECT_EQ(CDocTemplate::yesAttemptForeign, docTemplate.MatchDocType("C:\\a.plt", match));
  docTemplate.m_strDocStrings = "\nshort";
  EXPECT_FALSE(docTemplate.GetDocString(part, CDocTemplate::filterExt));
}

TEST(CFileDialog, FilterSeparatorsAndSeveralChosenFiles) {
  CFileDialog dialog(TRUE, "PLT", "*.PLT", OFN_ALLOWMULTISELECT, "Plot files (*.plt)|*.plt|All|*.*||");
  LPCSTR filter = dialog.m_ofn.lpstrFilter;
  EXPECT_STREQ("Plot files (*.plt)", filter);
  filter += lstrlenA(filter) + 1;
  EXPECT_STREQ("*.plt", filter);
  filter += lstrlenA(filter) + 1;
  filter += lstrlenA(filter) + 1;
  filter += lstrlenA(filter) + 1;
  EXPECT_EQ('\0', *filter);
  EXPECT_STREQ("*.PLT", dialog.m_ofn.lpstrFile);

  // What the system leaves for two chosen files: the folder, then the names.
  char chosen[] = "C:\\jobs\0one.plt\0two.plt\0";
  memcpy(dialog.m_ofn.lpstrFile, chosen, sizeof chosen);
  POSITION position = dialog.GetStartPosition();
  EXPECT_EQ("C:\\jobs\\one.plt", dialog.GetNextPathName(position));
  ASSERT_NE(nullptr, position);
  EXPECT_EQ("C:\\jobs\\two.plt", dialog.GetNextPathName(position));
  EXPECT_EQ(nullptr, position);

  dialog.SetFileName("C:\\jobs\\three.plt");
  EXPECT_EQ("three.plt", dialog.GetFileName());
  EXPECT_EQ("plt", dialog.GetFileExt());
  EXPECT_EQ("three", dialog.GetFileTitle());
}

// A dialog exercising the remaining exchanges on modeless controls.
class CExchangeDlg : public CDialog {
public:
  int radio = 1;
  float ratio = 2.5f;
  CString name = "\xC3\xFB";
  CString colour = "green";

protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Radio(dx, 10, radio);
    DDX_Text(dx, 20, ratio);
    DDV_MinMaxFloat(dx, ratio, 0.1f, 10.0f);
    DDX_Text(dx, 21, name);
    DDV_MaxChars(dx, name, 4);
    DDX_CBString(dx, 30, colour);
  }
};

TEST(DataExchange, RadioGroupsRealsLengthsAndComboText) {
  MessageBoxCapture boxes;
  CDialogTemplate dialogTemplate("x", WS_POPUP, 0, 0, 200, 100);
  dialogTemplate.AddControl(CDialogTemplate::button, "a", BS_AUTORADIOBUTTON | WS_GROUP, 5, 5, 40, 10, 10);
  dialogTemplate.AddControl(CDialogTemplate::button, "b", BS_AUTORADIOBUTTON, 5, 15, 40, 10, 11);
  dialogTemplate.AddControl(CDialogTemplate::button, "c", BS_AUTORADIOBUTTON, 5, 25, 40, 10, 12);
  dialogTemplate.AddControl(CDialogTemplate::edit, "", WS_GROUP | ES_AUTOHSCROLL, 60, 5, 40, 12, 20);
  dialogTemplate.AddControl(CDialogTemplate::edit, "", ES_AUTOHSCROLL, 60, 20, 40, 12, 21);
  dialogTemplate.AddControl(CDialogTemplate::comboBox, "", CBS_DROPDOWN, 110, 5, 60, 60, 30);
  CExchangeDlg dialog;
  ASSERT_TRUE(dialog.CreateIndirect(dialogTemplate.Get(), nullptr));
  dialog.SendDlgItemMessage(30, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("green"));
  ASSERT_TRUE(dialog.UpdateData(FALSE));
  EXPECT_EQ(BST_CHECKED, dialog.IsDlgButtonChecked(11));
  CString text;
  dialog.GetDlgItemText(20, text);
  EXPECT_EQ("2.5", text);
  EXPECT_EQ(0, static_cast<int>(dialog.SendDlgItemMessage(30, CB_GETCURSEL)));
  EXPECT_EQ(4, static_cast<int>(dialog.SendDlgItemMessage(21, EM_GETLIMITTEXT)));

  dialog.CheckRadioButton(10, 12, 12);
  dialog.SetDlgItemText(20, "0.25");
  dialog.SetDlgItemText(30, "blue");
  ASSERT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(2, dialog.radio);
  EXPECT_FLOAT_EQ(0.25f, dialog.ratio);
  EXPECT_EQ("blue", dialog.colour);
  EXPECT_EQ(0u, boxes.Count());

  dialog.SetDlgItemText(20, "1e40");  // beyond a float
  EXPECT_FALSE(dialog.UpdateData(TRUE));
  dialog.SetDlgItemText(20, "20");
  EXPECT_FALSE(dialog.UpdateData(TRUE));
  EXPECT_EQ(2u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("10"));
  dialog.DestroyWindow();
}

TEST(CommonControls, TreeAndTabTextRoundTrip) {
  CFrameWnd* host = new CFrameWnd;
  ASSERT_TRUE(host->Create(nullptr, "host"));
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES, CRect(0, 0, 100, 100), host, 1));
  HTREEITEM root = tree.InsertItem("\xB8\xF9");
  HTREEITEM child = tree.InsertItem(CString('x', 600), root);
  tree.SetItemData(child, 99);
  EXPECT_EQ("\xB8\xF9", tree.GetItemText(root));
  EXPECT_EQ(600, tree.GetItemText(child).GetLength());
  EXPECT_EQ(99u, tree.GetItemData(child));
  EXPECT_EQ(child, tree.GetChildItem(root));
  EXPECT_EQ(root, tree.GetParentItem(child));
  EXPECT_TRUE(tree.ItemHasChildren(root));

  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 100, 200, 130), host, 2));
  tabs.InsertItem(0, "one");
  tabs.InsertItem(1, "two");
  tabs.SetCurSel(1);
  EXPECT_EQ(2, tabs.GetItemCount());
  EXPECT_EQ(1, tabs.GetCurSel());
  host->DestroyWindow();  // deletes itself
}

// A stand-in for a control bar: takes the top 20 pixels of the frame's free area.
class CFakeBar : public CWnd {
protected:
  LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!IsWindowVisible()) return 0;
    RECT mine = {layout->rect.left, layout->rect.top, layout->rect.right, layout->rect.top + 20};
    layout->rect.top += 20;
    if (layout->hDWP)
      layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, mine.left, mine.top, mine.right - mine.left,
                                      20, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++idleUpdates;
    return 0;
  }

public:
  int idleUpdates = 0;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFakeBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(CFrameWnd, BarsTakeTheirRoomAndUpdateAtIdleAndToggle) {
  CWinApp app("TALVEXTEST");
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->LoadFrame(300, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
  app.m_pMainWnd = frame;
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ("\xB2\xE2\xCA\xD4\xBF\xF2\xBC\xDC", title);  // string 300, GBK
  CFakeBar bar;
  ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_TOOLBAR));
  CWnd pane;
  ASSERT_TRUE(pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST));
  frame->ShowWindow(SW_SHOW);
  frame->RecalcLayout();
  CRect client, paneRect;
  frame->GetClientRect(&client);
  pane.GetWindowRect(&paneRect);
  frame->ScreenToClient(&paneRect);
  EXPECT_EQ(20, paneRect.top);
  EXPECT_EQ(client.bottom, paneRect.bottom);

  PumpMessages();
  EXPECT_GT(bar.idleUpdates, 0);

  // The framework's bar toggle hides the bar and gives its room to the pane.
  frame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
  EXPECT_FALSE(bar.IsWindowVisible());
  pane.GetWindowRect(&paneRect);
  frame->ScreenToClient(&paneRect);
  EXPECT_EQ(0, paneRect.top);

  // An accelerator of the frame's resource turns into its command.
  MSG key = {frame->m_hWnd, WM_KEYDOWN, VK_F9, 0, 0, {0, 0}};
  EXPECT_TRUE(frame->PreTranslateMessage(&key));
  frame->DestroyWindow();
  PumpMessages();
  EXPECT_EQ(nullptr, app.m_pMainWnd);
}

TEST(CMiniFrameWnd, ToolWindowWithoutMiniFrameBits) {
  CMiniFrameWnd* window = new CMiniFrameWnd;
  ASSERT_TRUE(window->CreateEx(0, nullptr, "Property", 0x80C81180, CRect(0, 600, 200, 625), nullptr));
  EXPECT_TRUE(window->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_EQ(0u, window->GetStyle() & MFS_BLOCKSYSMENU);
  EXPECT_TRUE(window->GetStyle() & WS_CAPTION);
  window->DestroyWindow();
}

// The message loop: commands posted before WM_QUIT run, update handlers run at idle, the exit code
// comes back.
class CLoopApp : public CWinApp {
public:
  CLoopApp() : CWinApp("TALVEXTEST") {}
  int commands = 0;
  int idles = 0;
  BOOL OnIdle(LONG count) override {
    // The second command is sent once the loop has been idle.
    if (count == 0 && ++idles == 1) m_pMainWnd->PostMessage(WM_COMMAND, 32901);
    return CWinApp::OnIdle(count);
  }

protected:
  void OnCommand() {
    ++commands;
    if (commands == 1) AfxThrowUserException();  // reported (silently), the loop goes on
    ::PostQuitMessage(5);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopApp, CWinApp)
  ON_COMMAND(32901, OnCommand)
END_MESSAGE_MAP()

TEST(CWinApp, RunDispatchesUntilQuitAndReturnsTheExitCode) {
  CLoopApp app;
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "loop"));
  app.m_pMainWnd = frame;
  frame->ShowWindow(SW_SHOW);
  frame->PostMessage(WM_COMMAND, 32901);
  EXPECT_EQ(5, app.Run());
  EXPECT_EQ(2, app.commands);
  EXPECT_GT(app.idles, 0);
  frame->DestroyWindow();
  PumpMessages();
}

}  // namespace
