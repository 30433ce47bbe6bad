// The job manager's window in this process, made from its built-in resources under Xvfb: where
// it sits and what its class has, which commands are greyed, jobs handed over through WM_USER+3
// (with their copies, and refused while their job file does not read), the editor's own
// hand-over code finding it and the job cut to a file, a job whose port does not open started from
// the tool bar, finding, deleting and purging job files, closing, and the choice of language.
#include <gtest/gtest.h>

#include <string>

#include "JobFiles.h"
#include "framework/ResourceModule.h"
#include "jobmanager/JobItemData.h"
#include "jobmanager/MainFrame.h"
#include "jobmanager/ProgramObjects.h"
#include "media/DllModule.h"
#include "resources/orv/OrvResource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"
#include "support/ToolBarClick.h"

namespace {

const DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

std::string TestProgramFolder() {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1);
}

class MainFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_frame = new CMainFrame;
    ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, kFrameStyle));
    m_frame->ShowWindow(SW_SHOWNORMAL);
    List().SetJobFolder(CJobFolder(m_folder.Path().c_str()));
    m_window = m_frame->m_hWnd;
    PumpMessages();
  }
  void TearDown() override {
    if (IsWindow(m_window)) {
      List().GetRunner().Stop();
      m_frame->DestroyWindow();
    }
    PumpMessages();
  }

  CJobListView& List() { return m_frame->GetListView(); }
  // A job file in the test's folder with its data "OSD" + name there, which go to the port given
  // or else to a file there.
  std::string Job(const std::string& name, size_t dataLength = 100, std::string port = "") {
    const std::string data = m_folder.File("OSD" + name);
    WriteFileBytes(data, PlotData(dataLength));
    const std::string job = m_folder.File("OSI" + name);
    if (port.empty()) port = m_folder.File("cut" + name + ".plt");
    WriteJob(job, port, data, "Sign " + name);
    return job;
  }
  LRESULT HandOver(const std::string& job, LPARAM copies) {
    ATOM atom = GlobalAddAtomA(job.c_str());
    return SendMessageA(m_window, WM_USER + 3, atom, copies);
  }
  UINT MenuState(UINT id) {
    HMENU menu = GetMenu(m_window);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      SendMessageA(m_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, i)), i);
    }
    return GetMenuState(menu, id, MF_BYCOMMAND);
  }
  bool Greyed(UINT id) { return (MenuState(id) & MF_GRAYED) != 0; }

  TempFolder m_folder;
  CMainFrame* m_frame = nullptr;
  HWND m_window = nullptr;
};

TEST_F(MainFrameTest, SitsInTheLowerRightWithAClassThatHasCursorBackgroundAndIcon) {
  RECT rect;
  GetWindowRect(m_window, &rect);
  EXPECT_EQ(500, rect.right - rect.left);
  EXPECT_EQ(180, rect.bottom - rect.top);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) - 500, rect.left);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) - 200, rect.top);
  EXPECT_NE(0u, GetClassLongPtrA(m_window, GCLP_HCURSOR));
  EXPECT_NE(0u, GetClassLongPtrA(m_window, GCLP_HBRBACKGROUND));
  EXPECT_NE(0u, GetClassLongPtrA(m_window, GCLP_HICON));
  EXPECT_EQ(0u, GetWindowLongA(m_window, GWL_STYLE) & WS_MAXIMIZEBOX);
  wchar_t title[64] = {};
  GetWindowTextW(m_window, title, 64);
  EXPECT_EQ(CJobFile::ManagerTitle(), title);

  EXPECT_EQ(15, m_frame->GetToolBar().GetCount());
  EXPECT_EQ(0, m_frame->GetReBar().FindBand(&m_frame->GetToolBar()));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, GetDlgCtrlID(List().m_hWnd));
  const char* titles[] = {"数据文件名称", "状态", "份数", "文档名称"};
  const int widths[] = {200, 60, 60, 200};
  for (int column = 0; column < 4; ++column) {
    char text[64] = {};
    LVCOLUMNA layout = {};
    layout.mask = LVCF_TEXT | LVCF_WIDTH;
    layout.pszText = text;
    layout.cchTextMax = sizeof text;
    ASSERT_TRUE(List().GetListCtrl().GetColumn(column, &layout));
    EXPECT_STREQ(titles[column], text);
    EXPECT_EQ(widths[column], layout.cx);
  }
}

TEST_F(MainFrameTest, TheMenuBarShowsTheFourUserMenusAndNoBlankOrPlaceholderMenu) {
  HMENU menu = GetMenu(m_window);
  ASSERT_EQ(4, GetMenuItemCount(menu));
  const char* titles[] = {"文件(&F)", "编辑(&E)", "查看(&V)", "帮助(&H)"};
  for (int i = 0; i < 4; ++i) {
    char title[64] = {};
    GetMenuStringA(menu, i, title, sizeof title, MF_BYPOSITION);
    EXPECT_STREQ(titles[i], title);
  }
  // The program's own commands work without a menu entry: the purge, which closing sends.
  EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu, ID_JOB_PURGE, MF_BYCOMMAND));
  EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(menu, ID_JOB_RUN, MF_BYCOMMAND));
  const std::string unlisted = Job("9.TMP");
  m_frame->SendMessage(WM_COMMAND, ID_JOB_PURGE);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(unlisted.c_str()));
}

TEST_F(MainFrameTest, CommandsWithoutHandlersAreGreyedAndTheOthersFollowTheQueue) {
  for (UINT id : {ID_JOB_PAGE_PAUSE}) EXPECT_TRUE(Greyed(id)) << id;
  for (UINT id : {UINT(ID_JOB_FIND), UINT(ID_JOB_START_EACH_JOB), UINT(ID_APP_ABOUT)})
    EXPECT_FALSE(Greyed(id)) << id;
  for (UINT id : {ID_JOB_PAUSE, ID_JOB_STOP, ID_JOB_DELETE, ID_JOB_DELETE_ALL, ID_JOB_MORE_COPIES,
                  ID_JOB_FEWER_COPIES})
    EXPECT_TRUE(Greyed(id)) << id << " with an empty queue";

  ASSERT_EQ(1, List().AddJob(Job("1.TMP").c_str(), CJobItemData::kQueued));
  List().ShowCurrentRow(0);
  EXPECT_FALSE(Greyed(ID_JOB_DELETE));
  EXPECT_FALSE(Greyed(ID_JOB_DELETE_ALL));
  EXPECT_FALSE(Greyed(ID_JOB_MORE_COPIES));
  EXPECT_TRUE(Greyed(ID_JOB_FEWER_COPIES)) << "no copy is asked for";
  List().GetRunner().Start(CJobRunner::kPauseEachJob);
  EXPECT_TRUE(Greyed(ID_JOB_START_EACH_JOB));
  EXPECT_FALSE(Greyed(ID_JOB_START_NO_PAUSE));
  EXPECT_FALSE(Greyed(ID_JOB_PAUSE));
  EXPECT_FALSE(Greyed(ID_JOB_STOP));
  List().GetRunner().Stop();
}

TEST_F(MainFrameTest, HandedOverJobsAreQueuedWithTheirCopiesAndTheAtomGoesOnlyThen) {
  const struct {
    LPARAM copies;
    int queued;
  } cases[] = {{5, 5}, {0, 1}, {101, 1}, {100, 100}, {1, 1}};
  int row = 0;
  for (const auto& test : cases) {
    const std::string job = Job(std::to_string(row) + ".TMP");
    EXPECT_EQ(TRUE, HandOver(job, test.copies));
    EXPECT_EQ(0, GlobalFindAtomA(job.c_str())) << "the atom tells the editor the job was taken";
    ASSERT_EQ(row + 1, List().GetRowCount());
    CJobItemData item(List().GetRowData(row));
    EXPECT_EQ(test.queued, item.GetCopiesRequested()) << test.copies;
    EXPECT_TRUE(item.IsMarked());
    EXPECT_STREQ(("Sign " + std::to_string(row) + ".TMP").c_str(),
                 List().GetListCtrl().GetItemText(row, CJobListView::kDocumentColumn));
    ++row;
  }
  EXPECT_EQ(0, List().GetRunner().GetCurrentRow()) << "the first job is cut at once";
  EXPECT_EQ(CJobRunner::kPauseEachCopy, List().GetRunner().GetMode());

  // A job file that does not read is refused: the atom stays for the editor to see.
  const std::string damaged = m_folder.File("OSIBAD.TMP");
  WriteFileBytes(damaged, {'O', 'D', 'S', 'I', 'N', 'F', 'O', 0});
  EXPECT_EQ(TRUE, HandOver(damaged, 1));
  ATOM left = GlobalFindAtomA(damaged.c_str());
  EXPECT_NE(0, left);
  GlobalDeleteAtom(left);
  EXPECT_EQ(row, List().GetRowCount());
  // The same job file handed over again is not listed twice.
  HandOver(m_folder.File("OSI1.TMP"), 3);
  EXPECT_EQ(row, List().GetRowCount());
}

TEST_F(MainFrameTest, TheEditorsHandOverFindsTheManagerAndTheJobIsCutToAFile) {
  const std::string data = m_folder.File("OSDE.TMP");
  const std::vector<BYTE> bytes = PlotData(3000);
  WriteFileBytes(data, bytes);
  const std::string out = m_folder.File("edited.plt");
  CJobFile job;
  job.SetPortName(out.c_str());
  job.SetDocumentName("招牌");
  job.SetDataPath(data.c_str());
  MessageBoxCapture boxes;
  ASSERT_TRUE(job.SendToManager());
  EXPECT_EQ(0u, boxes.Count());
  ASSERT_EQ(1, List().GetRowCount());
  for (int round = 0; round < 100 && ReadFileBytes(out).size() < bytes.size(); ++round) {
    PumpMessages();
    Sleep(20);
  }
  EXPECT_EQ(bytes, ReadFileBytes(out));
  EXPECT_EQ(1, List().GetCopiesDone(0));
  EXPECT_STREQ("完成", List().GetListCtrl().GetItemText(0, CJobListView::kStatusColumn));
  EXPECT_EQ(CJobRunner::kStopped, List().GetRunner().GetMode()) << "mode 2 stops after the copy";
  DeleteFileA(job.GetPath());
}

// On a system of any code page the manager in Chinese shows its texts exactly: its title (what
// the editor looks for, also after the frame's idle updates and a cut), menus, columns, tool tips
// and rows hold their Chinese in the wide form the system draws. An English system would have
// turned each of them into "??" on the way through its own code page.
class EnglishSystemJobManager : public MainFrameTest {
protected:
  // The title as the system keeps it, and as the window gives it (which the caption shows).
  std::wstring Title() {
    wchar_t kept[64] = {}, given[64] = {};
    InternalGetWindowText(m_window, kept, 64);
    GetWindowTextW(m_window, given, 64);
    return std::wstring(kept) == given ? kept : std::wstring(kept) + L" | " + given;
  }
  std::wstring ColumnTitle(int column) {
    wchar_t text[64] = {};
    LVCOLUMNW layout = {};
    layout.mask = LVCF_TEXT;
    layout.pszText = text;
    layout.cchTextMax = 64;
    SendMessageW(List().m_hWnd, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&layout));
    return text;
  }
  std::wstring Cell(int row, int column) {
    wchar_t text[64] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(List().m_hWnd, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  std::wstring ToolTip(UINT command) {
    CToolBar& bar = m_frame->GetToolBar();
    NMTTDISPINFOW request = {};
    request.hdr.hwndFrom = bar.GetToolTipWindow();
    request.hdr.idFrom = command;
    request.hdr.code = TTN_NEEDTEXTW;
    bar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    return request.lpszText ? request.lpszText : L"";
  }
};

TEST_F(EnglishSystemJobManager, ShowsItsChineseTitleMenusColumnsTipsAndRowsExactly) {
  EXPECT_EQ(CJobFile::ManagerTitle(), Title());
  SendMessageA(m_window, WM_IDLEUPDATECMDUI, TRUE, 0);
  EXPECT_EQ(CJobFile::ManagerTitle(), Title()) << "after the frame's idle update";
  EXPECT_EQ(m_window, FindWindowW(nullptr, CJobFile::ManagerTitle().c_str()));

  wchar_t menu[64] = {};
  GetMenuStringW(GetMenu(m_window), 0, menu, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(L"\x6587\x4EF6(&F)"), menu);  // 文件
  const wchar_t* titles[] = {L"\x6570\x636E\x6587\x4EF6\x540D\x79F0", L"\x72B6\x6001",
                             L"\x4EFD\x6570", L"\x6587\x6863\x540D\x79F0"};
  for (int column = 0; column < 4; ++column) EXPECT_EQ(titles[column], ColumnTitle(column));
  // The tip asks in wide form: the bar answers the tip's query so.
  CToolBar& bar = m_frame->GetToolBar();
  ASSERT_NE(nullptr, bar.GetToolTipWindow());
  EXPECT_EQ(NFR_UNICODE,
            bar.SendMessage(WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(bar.GetToolTipWindow()),
                            NF_QUERY));
  EXPECT_EQ(std::wstring(L"\x67E5\x627E\x5207\x5272\x6570\x636E"), ToolTip(ID_JOB_FIND));

  // A job of a Chinese document, handed over and cut: its name and its state read exactly.
  const std::string data = m_folder.File("OSDE.TMP");
  WriteFileBytes(data, PlotData(300));
  const std::string job = m_folder.File("OSIE.TMP");
  ASSERT_TRUE(WriteJob(job, m_folder.File("cut.plt"), data, "招牌"));
  EXPECT_EQ(TRUE, HandOver(job, 1));
  ASSERT_EQ(1, List().GetRowCount());
  EXPECT_EQ(std::wstring(L"\x62DB\x724C"), Cell(0, CJobListView::kDocumentColumn));
  for (int round = 0; round < 100 && Cell(0, CJobListView::kStatusColumn) != L"\x5B8C\x6210";
       ++round) {
    PumpMessages();
    Sleep(20);
  }
  EXPECT_EQ(std::wstring(L"\x5B8C\x6210"), Cell(0, CJobListView::kStatusColumn));  // 完成
  EXPECT_EQ(CJobFile::ManagerTitle(), Title()) << "after a cut";
}

// A job whose port does not open (there is no COM8 here) is not cut: the tool bar's Start says
// which port and the system's reason, the row keeps its copies and stays queued, and Start tries
// it again; once its port opens, the same row is cut.
TEST_F(MainFrameTest, StartNamesAPortThatDoesNotOpenKeepsTheJobAndTriesAgain) {
  const std::string job = Job("P.TMP", 500, "COM8");
  const std::string data = m_folder.File("OSDP.TMP");
  ASSERT_EQ(1, List().AddJob(job.c_str(), CJobItemData::kQueued));
  List().ShowCurrentRow(0);
  HANDLE probe = CreateFileA("\\\\.\\COM8", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_EQ(INVALID_HANDLE_VALUE, probe) << "COM8 exists here";
  CString reason = CDllModule::SystemErrorText(GetLastError());
  reason.TrimRight();
  ASSERT_FALSE(reason.IsEmpty());

  MessageBoxCapture boxes;
  auto clickStart = [&] { ClickToolBarButton(m_frame->GetToolBar(), ID_JOB_START_EACH_JOB); };
  for (size_t attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    clickStart();
    ASSERT_EQ(attempt, boxes.Count());
    const std::string& text = boxes.Last().text;
    EXPECT_NE(std::string::npos, text.find("\"COM8\"")) << text;
    EXPECT_NE(std::string::npos, text.find(reason.GetString())) << text;
    EXPECT_EQ(std::string::npos, text.find("OSD")) << "the port, not the data file: " << text;
    ASSERT_EQ(1, List().GetRowCount());
    EXPECT_EQ(0, List().GetCopiesDone(0));
    EXPECT_EQ(1, CJobItemData(List().GetRowData(0)).GetCopiesRequested());
    EXPECT_STRNE("完成", List().GetListCtrl().GetItemText(0, CJobListView::kStatusColumn));
    EXPECT_EQ(CJobRunner::kStopped, List().GetRunner().GetMode());
    EXPECT_TRUE(FileExists(job));
    EXPECT_TRUE(FileExists(data));
  }

  // The port is ready now: the same row is cut by the next Start, without a word.
  const std::string out = m_folder.File("ready.plt");
  ASSERT_TRUE(WriteJob(job, out, data));
  clickStart();
  EXPECT_EQ(2u, boxes.Count());
  EXPECT_EQ(PlotData(500), ReadFileBytes(out));
  EXPECT_EQ(1, List().GetCopiesDone(0));
  EXPECT_STREQ("完成", List().GetListCtrl().GetItemText(0, CJobListView::kStatusColumn));
}

TEST_F(MainFrameTest, FindingDeletingAndPurgingKeepToJobFilesThatRead) {
  const std::string first = Job("1.TMP");
  const std::string second = Job("2.TMP");
  const std::string unreadable = m_folder.File("OSI3.TMP");
  WriteFileBytes(unreadable, {1, 2, 3});
  CreateDirectoryA(m_folder.File("OSI4.TMP").c_str(), nullptr);

  m_frame->SendMessage(WM_COMMAND, ID_JOB_FIND);
  m_frame->SendMessage(WM_COMMAND, ID_JOB_FIND);
  ASSERT_EQ(2, List().GetRowCount()) << "readable job files, each once";
  EXPECT_EQ(CJobItemData::kQueued, List().GetRowData(0));

  List().ShowCurrentRow(List().FindRow(second.c_str()));
  m_frame->SendMessage(WM_COMMAND, ID_JOB_DELETE);
  EXPECT_EQ(1, List().GetRowCount());
  EXPECT_FALSE(FileExists(second));
  EXPECT_FALSE(FileExists(m_folder.File("OSD2.TMP")));

  // An unlisted job goes with its data file when the window closes; a listed one stays, and so
  // does a file that does not read as a job.
  const std::string unlisted = Job("5.TMP");
  PostMessageA(m_window, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(m_window));
  EXPECT_FALSE(FileExists(unlisted));
  EXPECT_FALSE(FileExists(m_folder.File("OSD5.TMP")));
  EXPECT_TRUE(FileExists(first));
  EXPECT_TRUE(FileExists(m_folder.File("OSD1.TMP")));
  EXPECT_TRUE(FileExists(unreadable));
}

// A job file may name any file as its data. The manager takes a job, and deletes a data file, only
// when it is one of the editor's own: "OSD*.TMP" directly in the folder the editor writes to.
TEST_F(MainFrameTest, OnlyTheEditorsOwnDataFilesAreTakenAndDeleted) {
  TempFolder elsewhere;
  const std::string victim = elsewhere.File("OSD1.TMP");
  const std::string document = m_folder.File("Sign.T42");
  ASSERT_TRUE(WriteFileBytes(victim, PlotData(10)));
  ASSERT_TRUE(WriteFileBytes(document, PlotData(10)));
  const std::string sibling = elsewhere.Path().substr(0, elsewhere.Path().size() - 1);
  const std::string leaf = sibling.substr(sibling.rfind('\\') + 1);
  const std::string out = m_folder.File("cut.plt");
  const std::string job = m_folder.File("OSI9.TMP");
  const std::string refused[] = {victim,
                                 document,
                                 "OSD1.TMP",
                                 "..\\..\\OSD1.TMP",
                                 m_folder.Path() + "..\\" + leaf + "\\OSD1.TMP",
                                 m_folder.File("sub\\OSD1.TMP"),
                                 m_folder.File("OSD1.TMP:stream")};
  for (const std::string& data : refused) {
    ASSERT_TRUE(WriteJob(job, out, data));
    EXPECT_EQ(TRUE, HandOver(job, 1));
    ATOM left = GlobalFindAtomA(job.c_str());
    EXPECT_NE(0, left) << data << " was taken";
    GlobalDeleteAtom(left);
  }
  EXPECT_EQ(0, List().GetRowCount());

  // Its own data file is taken in any letter case; a job file rewritten afterwards to name
  // another file loses only itself when it is deleted, and so does an unlisted one at the purge.
  WriteFileBytes(m_folder.File("osd7.tmp"), PlotData(10));
  ASSERT_TRUE(WriteJob(job, out, m_folder.File("osd7.tmp")));
  ASSERT_EQ(1, List().AddJob(job.c_str(), CJobItemData::kQueued));
  ASSERT_TRUE(WriteJob(job, out, victim));
  List().ShowCurrentRow(0);
  m_frame->SendMessage(WM_COMMAND, ID_JOB_DELETE);
  EXPECT_FALSE(FileExists(job));
  const std::string unlisted = m_folder.File("OSI8.TMP");
  ASSERT_TRUE(WriteJob(unlisted, out, document));
  PostMessageA(m_window, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(FileExists(unlisted));
  EXPECT_TRUE(FileExists(victim));
  EXPECT_TRUE(FileExists(document));
  EXPECT_TRUE(FileExists(m_folder.File("osd7.tmp")));
}

TEST_F(MainFrameTest, ClosingWhileARunIsOnBeepsAndKeepsTheWindow) {
  ASSERT_EQ(1, List().AddJob(Job("1.TMP").c_str(), CJobItemData::kQueued));
  List().ShowCurrentRow(0);
  List().GetRunner().Start(CJobRunner::kPauseEachJob);
  SendMessageA(m_window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(m_window));
  List().GetRunner().Stop();
  SendMessageA(m_window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(m_window));
}

TEST_F(MainFrameTest, AClickNearTheLabelsStartTogglesTheMark) {
  ASSERT_EQ(1, List().AddJob(Job("1.TMP").c_str(), CJobItemData::kQueued));
  CRect label;
  ASSERT_TRUE(List().GetListCtrl().GetItemRect(0, &label, LVIR_LABEL));
  const LPARAM point = MAKELPARAM(label.left + 4, label.top + 2);
  // The list tracks the button until it is released: the release waits in the queue.
  PostMessageA(List().m_hWnd, WM_LBUTTONUP, 0, point);
  SendMessageA(List().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PumpMessages();
  EXPECT_TRUE(CJobItemData(List().GetRowData(0)).IsMarked());
  const LPARAM onName = MAKELPARAM(label.left + 40, label.top + 2);
  PostMessageA(List().m_hWnd, WM_LBUTTONUP, 0, onName);
  SendMessageA(List().m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, onName);
  PumpMessages();
  EXPECT_TRUE(CJobItemData(List().GetRowData(0)).IsMarked()) << "the name itself does not toggle";
}

// The language comes from Cutters.INI; the built-in resources are Chinese, orvResEng.DLL holds
// the English ones, and the title stays what the editor looks for.
TEST(JobManagerLanguage, IsReadFromTheSettingsAndChoosesTheResources) {
  TempFolder folder;
  const std::string ini = folder.File("Cutters.INI");
  theApp.SetSettingsFile(ini.c_str());
  theApp.SetLibraryFolder((TestProgramFolder() + "program\\").c_str());
  auto language = [&](const char* value) {
    WritePrivateProfileStringA("SystemParam", "Language", value, ini.c_str());
    return theApp.SelectLanguage();
  };
  auto stored = [&] { return GetPrivateProfileIntA("SystemParam", "Language", -1, ini.c_str()); };

  EXPECT_EQ(GetSystemDefaultLangID(), language("3"));
  EXPECT_EQ(GetSystemDefaultLangID(), stored());

  EXPECT_EQ(1033, language("1033"));
  ASSERT_NE(nullptr, theApp.GetResourceLibrary());
  CString text;
  EXPECT_TRUE(text.LoadString(IDS_COLUMN_STATUS));
  EXPECT_STREQ("Status", text);
  CMainFrame* frame = new CMainFrame;
  ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, kFrameStyle));
  wchar_t title[64] = {};
  GetWindowTextW(frame->m_hWnd, title, 64);
  EXPECT_EQ(CJobFile::ManagerTitle(), title) << "the same title in English";
  frame->DestroyWindow();

  EXPECT_EQ(2052, language("2052"));
  EXPECT_EQ(nullptr, theApp.GetResourceLibrary());
  EXPECT_TRUE(text.LoadString(IDS_COLUMN_STATUS));
  EXPECT_STREQ("状态", text);

  theApp.SetLibraryFolder(folder.Path().c_str());
  EXPECT_EQ(1033, language("1033"));
  EXPECT_EQ(nullptr, theApp.GetResourceLibrary()) << "no library: the Chinese resources stay";
  EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
  language("2052");
}

}  // namespace
