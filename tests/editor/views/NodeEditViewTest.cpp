// Node editing in the main drawing view of a document window under Xvfb: mouse messages sent to
// the view drag a curve's node and drop one end on another, and the saved document holds the
// result; undo through the view's command takes the join back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "editor/DrawingWindow.h"
#include "editor/TALVEX42View.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/NodePathText.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"
#include "support/MouseDrag.h"
#include "support/TempFolder.h"

namespace {

const UINT kUndoCommand = 57643;

class NodeEditView : public ::testing::Test {
protected:
  void SetUp() override {
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
  }
  void TearDown() override { CloseDrawingWindow(app); }
  POINT PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }

  CDrawingTestApp app{"TalvexNodeViewTest"};
  CMDIFrameWnd* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
  TempFolder folder;
};

TEST_F(NodeEditView, ADraggedNodeAndAJoinByDroppingReachTheSavedDocument) {
  CCurveBlock* curve = CurveFromText("M20,20 L60,20 M70,20 L100,60");
  document->AddBlock(curve);
  view->SetCurrentTool(kNodeTool);
  ASSERT_TRUE(curve->BeginEdit(kNodeTool, view));
  view->SetEditBlock(curve);
  PumpMessages();
  const float pixel = static_cast<float>(view->GetScale());

  // The open end of the second path goes down 40 pixels.
  POINT end = PixelOf(100, 60);
  DragMouse(*view, end, {end.x, end.y + 40});
  // The end of the first path dropped on the start of the second joins them.
  DragMouse(*view, PixelOf(60, 20), PixelOf(70, 20));
  EXPECT_TRUE(document->IsModified());

  std::string path = folder.File("nodes.t42");
  ASSERT_TRUE(document->OnSaveDocument(path.c_str()));
  CTALVEX42Doc saved;
  ASSERT_TRUE(saved.OnOpenDocument(path.c_str()));
  ASSERT_EQ(1, saved.GetBlockList().GetSize());
  auto* read = static_cast<CCurveBlock*>(saved.GetBlockList().GetBlock(0));
  ASSERT_EQ(kCurveBlock, read->m_type);
  std::vector<POINTREC> points = read->GetPathRecords();
  ASSERT_EQ(3u, points.size()) << CurveText(*read);
  EXPECT_EQ(kPointStart | kPointOnCurve, points[0].flags);
  EXPECT_EQ(20.0f, points[0].x);
  EXPECT_NEAR(70.0f, points[1].x, 1.5f * pixel);
  EXPECT_NEAR(20.0f, points[1].y, 1.5f * pixel);
  EXPECT_EQ(kPointOnCurve, points[1].flags & ~kPointSelected);
  EXPECT_EQ(100.0f, points[2].x);
  EXPECT_NEAR(60.0f + 40 * pixel, points[2].y, 1.5f * pixel);
  EXPECT_EQ(kPointOpenEnd, points[2].flags & kPointOpenEnd);

  // Undo takes the join back: two paths again.
  view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_EQ(4u, curve->GetPathRecords().size()) << CurveText(*curve);
}

// Choosing the tool, taking a curve into editing, selecting a node, a segment or none change
// nothing of the drawing: no undo step, no modified document. The first real change is the one
// step that undo takes back.
TEST_F(NodeEditView, ClicksThatOnlySelectLeaveNoUndoStep) {
  CCurveBlock* curve = CurveFromText("M20,20 L60,20 L60,60 Z");
  document->AddBlock(curve);
  document->SetModifiedFlag(FALSE);
  const std::string drawn = CurveText(*curve);
  view->SendMessage(WM_COMMAND, kNodeTool);
  for (POINT at :
       {PixelOf(40, 20), PixelOf(60, 20), PixelOf(60, 40), PixelOf(150, 150), PixelOf(60, 60)})
    DragMouse(*view, at, at);
  EXPECT_EQ(curve, view->GetEditBlock());
  EXPECT_EQ(0, view->GetUndoManager()->GetStepCount());
  EXPECT_FALSE(document->IsModified());

  POINT node = PixelOf(60, 60);
  DragMouse(*view, node, {node.x + 20, node.y});
  EXPECT_EQ(1, view->GetUndoManager()->GetStepCount());
  EXPECT_TRUE(document->IsModified());
  view->SendMessage(WM_COMMAND, kUndoCommand);
  std::string undone = CurveText(*curve);
  undone.erase(std::remove(undone.begin(), undone.end(), '*'), undone.end());  // selection marks
  EXPECT_EQ(drawn, undone);
}

}  // namespace
