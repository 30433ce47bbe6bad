// The creation tools in a real document window under Xvfb, driven by mouse messages: a line, a
// rectangle, an ellipse, a polygon and a Bezier curve are drawn (a new block is one undo step); the
// document is saved, opened again, and the blocks are there with the boxes drawn.
#include <gtest/gtest.h>

#include <string>

#include "editor/DrawingWindow.h"
#include "editor/TALVEX42View.h"
#include "editor/tools/ToolState.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/blocks/Block.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

namespace {

const UINT kUndoCommand = 57643;

// A text block under edit that reports itself empty and ends its editing only when allowed.
class EditedText : public CBlock {
public:
  EditedText() {
    m_type = kTextBlock;
    m_box = CFRect(10, 10, 50, 30);
    m_editMode = kTextTool;
  }
  BOOL EndTextEdit(CBlockView*) override { return ends; }
  BOOL IsEmpty() override { return TRUE; }
  BOOL ends = FALSE;
};

class DrawingToolsWindow : public ::testing::Test {
protected:
  void SetUp() override {
    g_ToolState.Reset();
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
  }
  void TearDown() override {
    CloseDrawingWindow(app);
    g_ToolState.Reset();
  }
  void FindView() {
    document = static_cast<CTALVEX42Doc*>(frame->GetActiveDocument());
    ASSERT_NE(nullptr, document);
    view = static_cast<CTALVEX42View*>(frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(nullptr, view);
  }
  LPARAM PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return MAKELPARAM(static_cast<short>(pixel.x), static_cast<short>(pixel.y));
  }
  void Tool(int tool) {
    view->SendMessage(WM_COMMAND, static_cast<WPARAM>(tool), 0);
    ASSERT_EQ(tool, view->GetCurrentTool());
  }
  void Drag(float x0, float y0, float x1, float y1) {
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(x0, y0));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PixelOf((x0 + x1) / 2, (y0 + y1) / 2));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PixelOf(x1, y1));
    view->SendMessage(WM_LBUTTONUP, 0, PixelOf(x1, y1));
  }
  void Click(float x, float y) {
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(x, y));
    view->SendMessage(WM_LBUTTONUP, 0, PixelOf(x, y));
  }
  void RightClick(float x, float y) {
    view->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, PixelOf(x, y));
    view->SendMessage(WM_RBUTTONUP, 0, PixelOf(x, y));
  }

  CDrawingTestApp app{"TalvexDrawingToolsTest"};
  CMDIFrameWnd* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
  TempFolder folder;
};

TEST_F(DrawingToolsWindow, ShapesDrawnWithTheMouseAreSavedAndComeBackWithTheirBoxes) {
  view->SendMessage(WM_COMMAND, ID_VIEW_WHOLE_PAGE, 0);
  PumpMessages();
  const float tolerance = static_cast<float>(2.0 * view->GetScale());
  Tool(ID_TOOL_LINE);
  Drag(20, 30, 180, 60);
  // The new line is one undo step of its own.
  ASSERT_EQ(1, document->GetBlockList().GetSize());
  view->SendMessage(WM_COMMAND, kUndoCommand, 0);
  ASSERT_EQ(0, document->GetBlockList().GetSize());
  Drag(20, 30, 180, 60);
  Tool(ID_TOOL_RECT);
  Drag(220, 20, 380, 120);
  Tool(ID_TOOL_CIRCLE);
  Drag(20, 100, 180, 260);
  Tool(ID_TOOL_POLYGON);
  Click(220, 150);
  Click(320, 150);
  Click(270, 250);
  RightClick(270, 250);
  EXPECT_EQ(kSelectTool, view->GetCurrentTool());
  Tool(ID_TOOL_BEZIER);
  Click(20, 300);
  Click(100, 380);
  Click(180, 300);
  RightClick(180, 300);
  PumpMessages();

  struct Expected {
    BYTE type;
    CFRect box;
    const char* what;
  } expected[] = {
      {kLineBlock, CFRect(20, 30, 180, 60), "the line"},
      {kRectBlock, CFRect(220, 20, 380, 120), "the rectangle"},
      {kCircleBlock, CFRect(20, 100, 180, 260), "the ellipse"},
      {kCurveBlock, CFRect(220, 150, 320, 250), "the polygon"},
  };
  ASSERT_EQ(5, document->GetBlockList().GetSize());
  EXPECT_TRUE(document->IsModified());

  std::string path = folder.File("drawn.t42");
  ASSERT_TRUE(document->OnSaveDocument(path.c_str()));
  app.CloseAllDocuments(FALSE);
  PumpMessages();
  ASSERT_NE(nullptr, app.OpenDocumentFile(path.c_str()));
  PumpMessages();
  FindView();
  CSegArray& blocks = document->GetBlockList();
  ASSERT_EQ(5, blocks.GetSize());
  for (INT_PTR i = 0; i < 4; ++i) {
    const Expected& e = expected[i];
    CBlock* block = blocks.GetBlock(i);
    ASSERT_NE(nullptr, block) << e.what;
    EXPECT_EQ(e.type, block->m_type) << e.what;
    EXPECT_NEAR(e.box.left, block->m_box.left, tolerance) << e.what;
    EXPECT_NEAR(e.box.top, block->m_box.top, tolerance) << e.what;
    EXPECT_NEAR(e.box.right, block->m_box.right, tolerance) << e.what;
    EXPECT_NEAR(e.box.bottom, block->m_box.bottom, tolerance) << e.what;
  }
  CBlock* bezier = blocks.GetBlock(4);
  EXPECT_EQ(kCurveBlock, bezier->m_type);
  EXPECT_NEAR(20, bezier->m_box.left, tolerance);
  EXPECT_NEAR(180, bezier->m_box.right, tolerance);
  EXPECT_NEAR(300, bezier->m_box.top, tolerance);
}

TEST_F(DrawingToolsWindow, RightClicksToggleSelectionAndTextAndLeavingTextEndsItsEditing) {
  RightClick(100, 100);
  EXPECT_EQ(kTextTool, view->GetCurrentTool());
  RightClick(100, 100);
  EXPECT_EQ(kSelectTool, view->GetCurrentTool());

  Tool(ID_TOOL_TEXT);
  auto* text = new EditedText;
  document->AddBlock(text);
  view->SetEditBlock(text);
  // The text refuses: the tool stays.
  view->SendMessage(WM_COMMAND, ID_TOOL_RECT, 0);
  EXPECT_EQ(kTextTool, view->GetCurrentTool());
  EXPECT_EQ(text, view->GetEditBlock());
  // It ends, empty: it goes with the tool change, and undo brings it back.
  text->ends = TRUE;
  view->SendMessage(WM_COMMAND, ID_TOOL_RECT, 0);
  EXPECT_EQ(ID_TOOL_RECT, view->GetCurrentTool());
  EXPECT_EQ(nullptr, view->GetEditBlock());
  EXPECT_EQ(0, document->GetBlockList().GetSize());
  view->SendMessage(WM_COMMAND, kUndoCommand, 0);
  EXPECT_EQ(1, document->GetBlockList().GetSize());
}

TEST_F(DrawingToolsWindow, ADoubleClickOnABlockInTheSelectionToolStartsItsNodeEditing) {
  view->SendMessage(WM_COMMAND, ID_VIEW_WHOLE_PAGE, 0);
  PumpMessages();
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(100, 100, 300, 200);
  document->AddBlock(rect);
  // Away from every block: nothing happens.
  view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PixelOf(50, 400));
  EXPECT_EQ(kSelectTool, view->GetCurrentTool());
  view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PixelOf(100, 150));
  EXPECT_EQ(kNodeTool, view->GetCurrentTool());
  EXPECT_EQ(rect, view->GetEditBlock());
  EXPECT_EQ(kNodeTool, rect->m_editMode);
}

}  // namespace
