// Drawing documents in their MDI child frames: the window style, the palette settings command,
// and opening and saving through the framework's template, also from the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "editor/TALVEX42Frame.h"
#include "framework/CmdUI.h"
#include "framework/CommandLineInfo.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MultiDocTemplate.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "model/blocks/GuideLine.h"
#include "model/document/TALVEX42Doc.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

namespace {

const UINT kMainFrameResource = 128;
const UINT kDrawingResource = 129;
const UINT kPaletteSettingsCommand = 40058;
const UINT kStatusStringCommand = 32851;
const UINT kDocumentClosedCommand = 49003;

class CTestDrawingView : public CView {
  DECLARE_DYNCREATE(CTestDrawingView)
public:
  void OnDraw(CDC*) override {}
  CTALVEX42Doc* GetDocument() const { return static_cast<CTALVEX42Doc*>(m_pDocument); }
};
IMPLEMENT_DYNCREATE(CTestDrawingView, CView)

// Keeps the status commands the documents send.
class CTestMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CTestMainFrame)
public:
  std::vector<UINT> statusStrings;
  int documentsClosed = 0;

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == kStatusStringCommand) {
      statusStrings.push_back(static_cast<UINT>(lParam));
      return TRUE;
    }
    if (LOWORD(wParam) == kDocumentClosedCommand) {
      ++documentsClosed;
      return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
  }
};
IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp("TalvexEditorTest") {}

protected:
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

class DocumentWindow : public ::testing::Test {
protected:
  void SetUp() override {
    app.AddDocTemplate(new CMultiDocTemplate(kDrawingResource, RUNTIME_CLASS(CTALVEX42Doc),
                                             RUNTIME_CLASS(CTALVEX42Frame),
                                             RUNTIME_CLASS(CTestDrawingView)));
    frame = new CTestMainFrame;
    ASSERT_TRUE(frame->LoadFrame(kMainFrameResource));
    app.m_pMainWnd = frame;
    // Away from the screen's top-left, where other test programs on the display look for their
    // own windows by position.
    frame->MoveWindow(700, 500, 560, 480);
    frame->ShowWindow(SW_SHOW);
    PumpMessages();
  }
  void TearDown() override {
    app.CloseAllDocuments(FALSE);
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    PumpMessages();
  }

  CTALVEX42Doc* NewDocument() {
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    return static_cast<CTALVEX42Doc*>(frame->GetActiveDocument());
  }
  CMDIChildWnd* ActiveChild() { return frame->MDIGetActive(); }

  CTestApp app;
  CTestMainFrame* frame = nullptr;
  TempFolder folder;
};

TEST_F(DocumentWindow, EveryDocumentOpensMaximisedWithoutSizingBorderOrMinimiseBox) {
  for (int i = 0; i < 2; ++i) {
    ASSERT_NE(nullptr, NewDocument());
    CMDIChildWnd* child = ActiveChild();
    ASSERT_NE(nullptr, child);
    EXPECT_TRUE(child->IsKindOf(RUNTIME_CLASS(CTALVEX42Frame)));
    LONG style = ::GetWindowLongA(child->m_hWnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_MAXIMIZE) << i;
    EXPECT_TRUE(style & WS_CLIPCHILDREN) << i;
    EXPECT_TRUE(style & WS_CLIPSIBLINGS) << i;
    EXPECT_FALSE(style & WS_THICKFRAME) << i;
    EXPECT_FALSE(style & WS_MINIMIZEBOX) << i;
  }
  EXPECT_EQ(2, app.GetOpenDocumentCount());
}

TEST_F(DocumentWindow, PaletteSettingsIsEnabledAndDoesNothing) {
  CTALVEX42Doc* doc = NewDocument();
  ASSERT_NE(nullptr, doc);
  PumpMessages();
  UINT state = ::GetMenuState(::GetMenu(frame->m_hWnd), kPaletteSettingsCommand, MF_BYCOMMAND);
  ASSERT_NE(0xFFFFFFFFu, state);
  EXPECT_FALSE(state & MF_GRAYED);
  frame->SendMessage(WM_COMMAND, kPaletteSettingsCommand);
  PumpMessages();
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(1, app.GetOpenDocumentCount());
}

TEST_F(DocumentWindow, NewDocumentTakesThePageFromTheProfile) {
  app.SetRegistryKey("TalvexTestKey");
  app.WriteProfileString("SystemParam", "PageWidth", "297.5000");
  app.WriteProfileInt("SystemParam", "GridSize", 20);
  CTALVEX42Doc* doc = NewDocument();
  app.WriteProfileString("SystemParam", nullptr, nullptr);
  ASSERT_NE(nullptr, doc);
  EXPECT_EQ(297.5f, doc->GetPageSettings().m_width);
  EXPECT_EQ(900.0f, doc->GetPageSettings().m_height);
  EXPECT_EQ(20, doc->GetPageSettings().m_gridSize);
}

TEST_F(DocumentWindow, SavedDocumentOpensAgainWithProgressTexts) {
  std::string path = folder.File("drawing.T42");
  CTALVEX42Doc* doc = NewDocument();
  ASSERT_NE(nullptr, doc);
  doc->GetGuideLines().AddObject(new CGuideLine(5, 6, 90));
  doc->SetModifiedFlag();
  ASSERT_TRUE(doc->DoSave(path.c_str()));
  EXPECT_FALSE(doc->IsModified());
  app.CloseAllDocuments(FALSE);
  PumpMessages();
  EXPECT_GE(frame->documentsClosed, 1);

  frame->statusStrings.clear();
  CTALVEX42Doc* opened = static_cast<CTALVEX42Doc*>(app.OpenDocumentFile(path.c_str()));
  ASSERT_NE(nullptr, opened);
  EXPECT_EQ(1, opened->GetGuideLines().GetSize());
  ASSERT_FALSE(frame->statusStrings.empty());
  EXPECT_EQ(108u, frame->statusStrings.front());
  EXPECT_EQ(122u, frame->statusStrings.back());
  EXPECT_TRUE(std::is_sorted(frame->statusStrings.begin(), frame->statusStrings.end()));
}

TEST_F(DocumentWindow, RefusedOpenSaysWhyAlsoFromTheCommandLine) {
  std::string path = folder.File("notes.T42");
  {
    std::ofstream out(path, std::ios::binary);
    out << "plain text, not a drawing";
  }
  MessageBoxCapture boxes;
  EXPECT_EQ(nullptr, app.OpenDocumentFile(path.c_str()));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("非镌图匠文件或文件有错误!", boxes.Last().text);
  EXPECT_EQ("错误", boxes.Last().caption);

  CCommandLineInfo info;
  info.ParseParam(path.c_str(), FALSE, TRUE);
  EXPECT_FALSE(app.ProcessShellCommand(info));
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_EQ("非镌图匠文件或文件有错误!", boxes.Last().text);
  PumpMessages();
  EXPECT_EQ(0, app.GetOpenDocumentCount());
}

}  // namespace
