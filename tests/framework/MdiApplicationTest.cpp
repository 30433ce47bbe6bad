// A small MDI application inside the test program: documents, views, frames, the application's
// command routing and update handlers, as the editor uses them.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/CommandLineInfo.h"
#include "framework/Document.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/FileException.h"
#include "framework/InvalidArgException.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MultiDocTemplate.h"
#include "framework/RecentFileList.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"

namespace {

const UINT kFrameResource = 300;
const UINT kDocResource = 301;
const UINT kViewCommand = 32900;
const UINT kAppCommand = 32901;
const UINT kUnhandledCommand = 32902;
const UINT kDocCommand = 32903;
const UINT kNestedViewCommand = 32904;
const UINT kPointerCommand = 32838;
const UINT kStatusTextCommand = 32850;
const UINT kFailingCommand = 32905;

std::vector<std::string> g_log;

class CTestDoc : public CDocument {
  DECLARE_DYNCREATE(CTestDoc)
public:
  std::string content;

  BOOL OnNewDocument() override {
    if (!CDocument::OnNewDocument()) return FALSE;
    content = "new";
    return TRUE;
  }
  BOOL OnOpenDocument(LPCSTR path) override {
    if (!CDocument::OnOpenDocument(path)) return FALSE;
    CFile file(path, CFile::modeRead);
    char buffer[64] = {};
    file.Read(buffer, sizeof buffer - 1);
    content = buffer;
    return TRUE;
  }
  BOOL OnSaveDocument(LPCSTR path) override {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(content.data(), static_cast<UINT>(content.size()));
    SetModifiedFlag(FALSE);
    return TRUE;
  }

protected:
  void OnDocCommand() { g_log.push_back("doc:" + content); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
  ON_COMMAND(kDocCommand, OnDocCommand)
END_MESSAGE_MAP()

class CTestView : public CView {
  DECLARE_DYNCREATE(CTestView)
public:
  LPARAM lastHint = -1;
  CObject* lastHintObject = nullptr;
  int initialUpdates = 0;
  LPARAM pointerLParam = 0;
  bool checked = true;

  CTestDoc* GetDocument() const { return static_cast<CTestDoc*>(m_pDocument); }
  void OnDraw(CDC*) override {}
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override {
    lastHint = hint;
    lastHintObject = hintObject;
    CView::OnUpdate(sender, hint, hintObject);
  }

protected:
  void OnViewCommand() { g_log.push_back("view:" + GetDocument()->content); }
  void OnUpdateViewCommand(CCmdUI* ui) { ui->SetCheck(checked); }
  void OnPointerCommand() { pointerLParam = GetCurrentMessage()->lParam; }
  void OnFailingCommand() { AfxThrowInvalidArgException(); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
  ON_COMMAND(kViewCommand, OnViewCommand)
  ON_COMMAND(kNestedViewCommand, OnViewCommand)
  ON_UPDATE_COMMAND_UI(kViewCommand, OnUpdateViewCommand)
  ON_COMMAND(kPointerCommand, OnPointerCommand)
  ON_COMMAND(kFailingCommand, OnFailingCommand)
END_MESSAGE_MAP()

class CTestChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CTestChild)
public:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override {
    cs.style = (cs.style & ~(WS_THICKFRAME | WS_MINIMIZEBOX)) | WS_MAXIMIZE | WS_CLIPCHILDREN |
               WS_CLIPSIBLINGS;
    return CMDIChildWnd::PreCreateWindow(cs);
  }
};
IMPLEMENT_DYNCREATE(CTestChild, CMDIChildWnd)

class CTestMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CTestMainFrame)
public:
  CString statusText;

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    // The status protocol: the text travels in lParam.
    if (LOWORD(wParam) == kStatusTextCommand) {
      statusText = reinterpret_cast<LPCSTR>(lParam);
      return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
  }
};
IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp("TalvexMdiTest") {}

protected:
  void OnAppCommand() { g_log.push_back("app"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(kAppCommand, OnAppCommand)
  ON_COMMAND(kViewCommand, OnAppCommand)  // the view takes it first
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

CString TempFile(LPCSTR name, LPCSTR content) {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  CString path = CString(folder) + name;
  if (content) {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(content, static_cast<UINT>(lstrlenA(content)));
  }
  return path;
}

class MdiApplication : public ::testing::Test {
protected:
  void SetUp() override {
    g_log.clear();
    app.SetRegistryKey("TalvexTestKey");
    app.LoadStdProfileSettings(4);
    app.AddDocTemplate(new CMultiDocTemplate(kDocResource, RUNTIME_CLASS(CTestDoc),
                                             RUNTIME_CLASS(CTestChild), RUNTIME_CLASS(CTestView)));
    frame = new CTestMainFrame;
    ASSERT_TRUE(frame->LoadFrame(kFrameResource));
    app.m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->DragAcceptFiles();
    PumpMessages();
  }
  void TearDown() override {
    app.CloseAllDocuments(FALSE);
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    PumpMessages();
    app.WriteProfileString("Recent File List", nullptr, nullptr);
  }

  CTestView* ActiveView() {
    CMDIChildWnd* child = frame->MDIGetActive();
    return child ? static_cast<CTestView*>(child->GetActiveView()) : nullptr;
  }
  CTestDoc* NewDocument() {
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    return ActiveView() ? ActiveView()->GetDocument() : nullptr;
  }
  UINT MenuState(UINT id) { return ::GetMenuState(::GetMenu(frame->m_hWnd), id, MF_BYCOMMAND); }

  CTestApp app;
  CTestMainFrame* frame = nullptr;
};

TEST_F(MdiApplication, TwoDocumentsOpenMaximisedWithTheirTemplateMenu) {
  HMENU frameMenu = ::GetMenu(frame->m_hWnd);
  CTestDoc* first = NewDocument();
  ASSERT_NE(nullptr, first);
  CTestDoc* second = NewDocument();
  ASSERT_NE(nullptr, second);
  EXPECT_NE(first, second);
  EXPECT_EQ(2, app.GetOpenDocumentCount());
  EXPECT_EQ("TestDoc1", first->GetTitle());
  EXPECT_EQ("TestDoc2", second->GetTitle());
  BOOL maximized = FALSE;
  CMDIChildWnd* active = frame->MDIGetActive(&maximized);
  ASSERT_NE(nullptr, active);
  EXPECT_TRUE(maximized);
  EXPECT_EQ(second, active->GetActiveDocument());
  EXPECT_EQ(second, frame->GetActiveDocument());
  EXPECT_EQ(1, ActiveView()->initialUpdates);
  // While a document is active the menu bar is the template's.
  EXPECT_NE(frameMenu, ::GetMenu(frame->m_hWnd));
  EXPECT_NE(0xFFFFFFFFu, MenuState(kViewCommand));

  // Closing both puts the frame's own menu back.
  app.CloseAllDocuments(FALSE);
  PumpMessages();
  EXPECT_EQ(0, app.GetOpenDocumentCount());
  EXPECT_EQ(frameMenu, ::GetMenu(frame->m_hWnd));
}

TEST_F(MdiApplication, CommandsRouteViewDocumentFrameApplication) {
  NewDocument();
  CTestDoc* second = NewDocument();
  second->content = "second";
  frame->SendMessage(WM_COMMAND, kViewCommand);
  frame->SendMessage(WM_COMMAND, kDocCommand);
  frame->SendMessage(WM_COMMAND, kAppCommand);
  EXPECT_EQ((std::vector<std::string>{"view:second", "doc:second", "app"}), g_log);

  // Activating the first document sends the same command to its view.
  CMDIChildWnd* active = frame->MDIGetActive();
  frame->MDINext();
  PumpMessages();
  ASSERT_NE(active, frame->MDIGetActive());
  g_log.clear();
  frame->SendMessage(WM_COMMAND, kViewCommand);
  EXPECT_EQ((std::vector<std::string>{"view:new"}), g_log);

  // With no document open, commands reach the application.
  app.CloseAllDocuments(FALSE);
  g_log.clear();
  frame->SendMessage(WM_COMMAND, kViewCommand);
  EXPECT_EQ((std::vector<std::string>{"app"}), g_log);
}

TEST_F(MdiApplication, UpdateHandlersRunAtIdleForTheMenuBar) {
  NewDocument();
  ActiveView()->checked = true;
  PumpMessages();
  EXPECT_TRUE(MenuState(kViewCommand) & MF_CHECKED);
  EXPECT_FALSE(MenuState(kViewCommand) & MF_GRAYED);
  EXPECT_FALSE(MenuState(kAppCommand) & MF_GRAYED);
  EXPECT_FALSE(MenuState(kDocCommand) & MF_GRAYED);
  EXPECT_FALSE(MenuState(kNestedViewCommand) & MF_GRAYED);
  EXPECT_TRUE(MenuState(kUnhandledCommand) & MF_GRAYED);
  ActiveView()->checked = false;
  PumpMessages();
  EXPECT_FALSE(MenuState(kViewCommand) & MF_CHECKED);

  // A popup being opened is brought up to date as well.
  ActiveView()->checked = true;
  HMENU edit = ::GetSubMenu(::GetMenu(frame->m_hWnd), 1);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), MAKELPARAM(1, FALSE));
  EXPECT_TRUE(::GetMenuState(edit, kViewCommand, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(MdiApplication, PostedCommandsKeepTheirDataPointer) {
  NewDocument();
  float position[2] = {1.5f, 2.5f};
  frame->PostMessage(WM_COMMAND, kPointerCommand, reinterpret_cast<LPARAM>(position));
  PumpMessages();
  EXPECT_EQ(reinterpret_cast<LPARAM>(position), ActiveView()->pointerLParam);
  // A frame's own command hook sees the lParam too.
  frame->SendMessage(WM_COMMAND, kStatusTextCommand, reinterpret_cast<LPARAM>("Ready"));
  EXPECT_EQ("Ready", frame->statusText);
}

TEST_F(MdiApplication, FailingCommandIsReportedAndTheProgramGoesOn) {
  MessageBoxCapture boxes;
  NewDocument();
  frame->SendMessage(WM_COMMAND, kFailingCommand);
  EXPECT_EQ(1u, boxes.Count());
  frame->SendMessage(WM_COMMAND, kViewCommand);
  EXPECT_EQ(1u, g_log.size());
  EXPECT_EQ(1, app.GetOpenDocumentCount());
}

TEST_F(MdiApplication, UpdateAllViewsPassesTheHint) {
  CTestDoc* document = NewDocument();
  CMenu hintObject;  // any framework object
  document->UpdateAllViews(nullptr, 0x80000001, &hintObject);
  EXPECT_EQ(0x80000001, ActiveView()->lastHint);
  EXPECT_EQ(&hintObject, ActiveView()->lastHintObject);
  // The sender is left out.
  document->UpdateAllViews(ActiveView(), 3);
  EXPECT_EQ(0x80000001, ActiveView()->lastHint);
}

TEST_F(MdiApplication, CloseAsksToSaveChanges) {
  MessageBoxCapture boxes(IDCANCEL);
  CTestDoc* document = NewDocument();
  document->SetModifiedFlag();
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("TestDoc1"));
  EXPECT_EQ(1, app.GetOpenDocumentCount());  // cancelled

  boxes.SetAnswer(IDNO);
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  PumpMessages();
  EXPECT_EQ(0, app.GetOpenDocumentCount());
}

TEST_F(MdiApplication, SaveAsTakesThePathFromTheFileDialog) {
  CString path = TempFile("talvex_mdi_saved.tdc", nullptr);
  ::DeleteFileA(path);
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler(
      [&](CCommonDialog* dialog) -> INT_PTR {
        auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
        if (!files || files->m_bOpenFileDialog) return IDCANCEL;
        EXPECT_EQ(CString(".tdc"), CString(".") + files->m_ofn.lpstrDefExt);
        files->SetFileName(path);
        return IDOK;
      });
  CTestDoc* document = NewDocument();
  document->content = "saved text";
  document->SetModifiedFlag();
  frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  AfxSetCommonDialogHandler(std::move(previous));

  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(path.CompareNoCase(document->GetPathName()), 0);
  EXPECT_EQ("talvex_mdi_saved.tdc", document->GetTitle());
  EXPECT_EQ(0, (*app.m_pRecentFileList)[0].CompareNoCase(path));
  CFile file(path, CFile::modeRead);
  char buffer[32] = {};
  file.Read(buffer, sizeof buffer - 1);
  EXPECT_STREQ("saved text", buffer);
  file.Close();
  ::DeleteFileA(path);
}

TEST_F(MdiApplication, OpeningAFileTwiceActivatesTheOpenDocument) {
  CString path = TempFile("talvex_mdi_open.tdc", "from disk");
  CDocument* opened = app.OpenDocumentFile(path);
  ASSERT_NE(nullptr, opened);
  EXPECT_EQ("from disk", static_cast<CTestDoc*>(opened)->content);
  NewDocument();
  EXPECT_EQ(opened, app.OpenDocumentFile(path));
  EXPECT_EQ(2, app.GetOpenDocumentCount());
  EXPECT_EQ(opened, frame->GetActiveDocument());

  // The recent-file list shows the file in the menu.
  PumpMessages();
  CString text;
  CMenu::FromHandle(::GetMenu(frame->m_hWnd))->GetMenuString(ID_FILE_MRU_FILE1, text, MF_BYCOMMAND);
  EXPECT_NE(-1, text.Find("talvex_mdi_open.tdc"));
  app.CloseAllDocuments(FALSE);
  ::DeleteFileA(path);
}

TEST_F(MdiApplication, CommandLineOpensAFileOrFails) {
  MessageBoxCapture boxes;
  CString path = TempFile("talvex_mdi_cmdline.tdc", "command line");
  CString commandLine = CString("\"") + path + "\" /Talvex";
  app.m_lpCmdLine = const_cast<LPSTR>(static_cast<LPCSTR>(commandLine));
  CCommandLineInfo info;
  app.ParseCommandLine(info);
  EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
  EXPECT_EQ(path, info.m_strFileName);
  EXPECT_TRUE(app.ProcessShellCommand(info));
  EXPECT_EQ("command line", static_cast<CTestDoc*>(frame->GetActiveDocument())->content);

  CCommandLineInfo missing;
  missing.ParseParam(TempFile("talvex_no_such_file.tdc", nullptr), FALSE, TRUE);
  EXPECT_FALSE(app.ProcessShellCommand(missing));
  EXPECT_EQ(1u, boxes.Count());
  EXPECT_EQ(1, app.GetOpenDocumentCount());

  CCommandLineInfo none;
  app.m_lpCmdLine = const_cast<LPSTR>("");
  app.ParseCommandLine(none);
  EXPECT_EQ(CCommandLineInfo::FileNew, none.m_nShellCommand);
  EXPECT_TRUE(app.ProcessShellCommand(none));
  EXPECT_EQ(2, app.GetOpenDocumentCount());
  ::DeleteFileA(path);
}

// A recent file whose name the system's code page cannot spell (a Chinese one on an English
// system): the File menu shows it as it is; choosing it opens it where the code page spells it and
// says why not elsewhere; either way it stays listed, in the profile too.
class EnglishSystemRecentFiles : public MdiApplication {};

TEST_F(EnglishSystemRecentFiles, AChineseNameIsShownAsItIsAndKept) {
  MessageBoxCapture boxes;
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring name = L"\u5370\u7ae0\u6d4b\u8bd5.tdc", path = folder + name;
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  ::WriteFile(file, "chinese name", 12, &written, nullptr);
  ::CloseHandle(file);
  app.WriteProfileWideString("Recent File List", "File1", path);
  app.LoadStdProfileSettings(4);
  PumpMessages();

  wchar_t text[MAX_PATH * 2] = {};
  ::GetMenuStringW(::GetMenu(frame->m_hWnd), ID_FILE_MRU_FILE1, text, MAX_PATH * 2, MF_BYCOMMAND);
  EXPECT_NE(std::wstring::npos, std::wstring(text).find(name));
  frame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
  PumpMessages();
  if (::GetACP() == 936) {
    ASSERT_NE(nullptr, ActiveView());
    EXPECT_EQ("chinese name", ActiveView()->GetDocument()->content);
    EXPECT_EQ(0u, boxes.Count());
  } else {
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.Last().text.find(CFileException::NameOutsideCodePageText()));
  }
  app.SaveStdProfileSettings();
  EXPECT_TRUE(app.GetProfileWideString("Recent File List", "File1") == path);
  app.CloseAllDocuments(FALSE);
  ::DeleteFileW(path.c_str());
}

TEST_F(MdiApplication, DroppedFilesOpen) {
  CString path = TempFile("talvex_mdi_dropped.tdc", "dropped");
  // The shell's drop data: the header, then the names, each zero-terminated, and a final zero.
  SIZE_T size = sizeof(DROPFILES) + static_cast<SIZE_T>(path.GetLength()) + 2;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), static_cast<LPCSTR>(path),
         static_cast<size_t>(path.GetLength()));
  ::GlobalUnlock(memory);
  frame->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(memory));
  PumpMessages();
  ASSERT_EQ(1, app.GetOpenDocumentCount());
  EXPECT_EQ("dropped", static_cast<CTestDoc*>(frame->GetActiveDocument())->content);
  ::DeleteFileA(path);
}

TEST_F(MdiApplication, ClosingTheMainWindowClosesEveryDocument) {
  MessageBoxCapture boxes(IDNO);
  CTestDoc* document = NewDocument();
  NewDocument();
  document->SetModifiedFlag();
  frame->SendMessage(WM_CLOSE);
  PumpMessages();
  EXPECT_EQ(1u, boxes.Count());
  EXPECT_EQ(0, app.GetOpenDocumentCount());
  EXPECT_EQ(nullptr, app.m_pMainWnd);
}

}  // namespace
