// The event dispatchers of the block base: mouse events by the view's tool, keys and overlays by
// the block's edit mode, cursor resets by the block's last cursor operation.
#include <gtest/gtest.h>

#include "framework/DC.h"
#include "framework/KeyState.h"
#include "model/FakeBlockView.h"
#include "model/HandleBlock.h"
#include "model/LoggingBlock.h"
#include "model/TestWindow.h"
#include "model/editing/DragState.h"
#include "model/editing/FeedbackTools.h"

namespace {

const int kOtherTool = 32792;

struct ToolRow {
  int tool;
  const char* down;
  const char* move;
  const char* up;
  const char* cursor;  // with the left button down
};

const ToolRow kToolTable[] = {
    {kSelectTool, "SelectOnLButtonDown", "SelectOnMouseMove", "FinishHandleDrag",
     "SelectUpdateCursor"},
    {kTextTool, "TextOnLButtonDown", "TextOnMouseMove", "TextOnLButtonUp", "TextUpdateCursor"},
    {kNodeTool, "NodeOnLButtonDown", "NodeOnMouseMove", "NodeOnLButtonUp", "NodeUpdateCursor"},
    {kTextDragTool, "", "", "", "DragUpdateCursor"},
    {kOtherTool, "", "", "", ""},
};

class BlockDispatch : public ::testing::Test {
protected:
  void SetUp() override {
    GetDragState().Reset();
    block.m_box = CFRect(10, 10, 20, 20);
  }
  void TearDown() override { GetDragState().Reset(); }

  FakeBlockView view;
  LoggingBlock block;
};

TEST_F(BlockDispatch, MouseEventsFollowTheViewsTool) {
  for (const ToolRow& row : kToolTable) {
    SCOPED_TRACE(row.tool);
    view.tool = row.tool;
    bool handled = row.down[0] != '\0';
    block.calls.clear();
    EXPECT_EQ(handled, block.OnLButtonDown(&view, MK_LBUTTON, 15, 15) != FALSE);
    EXPECT_EQ(row.down, block.Last());
    block.calls.clear();
    EXPECT_EQ(handled, block.OnMouseMove(&view, MK_LBUTTON, 16, 16) != FALSE);
    EXPECT_EQ(row.move, block.Last());
    block.calls.clear();
    EXPECT_EQ(handled, block.OnLButtonUp(&view, 0, 17, 17) != FALSE);
    EXPECT_EQ(row.up, block.Last());
    block.calls.clear();
    block.UpdateCursor(&view, MK_LBUTTON, 15, 15);
    EXPECT_EQ(row.cursor, block.Last());
  }
}

TEST_F(BlockDispatch, MouseMoveKeepsThePointOnlyWhenHandled) {
  view.tool = kSelectTool;
  block.OnMouseMove(&view, MK_LBUTTON, 16, 17);
  EXPECT_EQ(16.0f, GetDragState().current.x);
  EXPECT_EQ(17.0f, GetDragState().current.y);
  block.answer = FALSE;
  block.OnMouseMove(&view, MK_LBUTTON, 30, 30);
  EXPECT_EQ(16.0f, GetDragState().current.x);
  // A release always stores its point, whatever the tool.
  view.tool = kOtherTool;
  block.OnLButtonUp(&view, 0, 12, 13);
  EXPECT_EQ(12.0f, GetDragState().current.x);
  EXPECT_EQ(13.0f, GetDragState().current.y);
}

TEST_F(BlockDispatch, CursorUpdatesOnlyInsideTheBoxAndTextDragOnlyWithTheButton) {
  view.tool = kSelectTool;
  EXPECT_FALSE(block.UpdateCursor(&view, 0, 25, 15));
  EXPECT_TRUE(block.calls.empty());
  view.tool = kTextDragTool;
  EXPECT_FALSE(block.UpdateCursor(&view, 0, 15, 15));
  EXPECT_TRUE(block.calls.empty());
  EXPECT_TRUE(block.UpdateCursor(&view, MK_LBUTTON, 20, 20));  // the edge is inside
  EXPECT_EQ("DragUpdateCursor", block.Last());
}

TEST_F(BlockDispatch, ResetCursorFollowsTheCursorOperation) {
  const std::pair<int, const char*> table[] = {{kSelectTool, "SelectResetCursor"},
                                               {kTextTool, "TextResetCursor"},
                                               {kNodeTool, "NodeResetCursor"},
                                               {kTextDragTool, "DragResetCursor"}};
  for (const auto& [operation, expected] : table) {
    SCOPED_TRACE(operation);
    block.calls.clear();
    block.m_cursorOperation = operation;
    block.m_heldHandle = 3;
    block.answer = FALSE;
    EXPECT_FALSE(block.ResetCursor(&view));
    EXPECT_EQ(expected, block.Last());
    EXPECT_EQ(operation, block.m_cursorOperation);
    EXPECT_EQ(3, block.m_heldHandle);
    block.answer = TRUE;
    EXPECT_TRUE(block.ResetCursor(&view));
    EXPECT_EQ(0, block.m_cursorOperation);
    EXPECT_EQ(kNoHandle, block.m_heldHandle);
  }
  block.calls.clear();
  block.m_cursorOperation = 0;
  EXPECT_FALSE(block.ResetCursor(&view));
  EXPECT_TRUE(block.calls.empty());
}

struct ModeRow {
  int mode;
  const char* deleteOp;
  const char* backspaceOp;
  const char* charOp;
  const char* keyOp;
  const char* endOp;
  const char* overlayOp;
};

const ModeRow kModeTable[] = {
    {kTextTool, "TextDelete", "TextBackspace", "TextOnChar", "TextOnKeyDown", "EndTextEdit",
     "DrawTextEditOverlay"},
    {kNodeTool, "NodeDelete", "NodeBackspace", "NodeOnChar", "NodeOnKeyDown", "EndNodeEdit",
     "DrawNodeEditOverlay"},
    {0, "", "", "", "", "", ""},
    {kSelectTool, "", "", "", "", "", ""},
};

TEST_F(BlockDispatch, KeysOverlayAndEndOfEditingFollowTheEditMode) {
  for (const ModeRow& row : kModeTable) {
    SCOPED_TRACE(row.mode);
    block.m_editMode = row.mode;
    block.answer = FALSE;
    block.calls.clear();
    block.EditDelete(&view);
    EXPECT_EQ(row.deleteOp, block.Last());
    block.calls.clear();
    block.EditBackspace(&view);
    EXPECT_EQ(row.backspaceOp, block.Last());
    block.calls.clear();
    block.EditChar(&view, 'a', 0);
    EXPECT_EQ(row.charOp, block.Last());
    block.calls.clear();
    block.EditKeyDown(&view, VK_LEFT);
    EXPECT_EQ(row.keyOp, block.Last());
    block.calls.clear();
    block.DrawEditOverlay(nullptr, nullptr);
    EXPECT_EQ(row.overlayOp, block.Last());
    block.calls.clear();
    BOOL ended = block.EndEdit(&view);
    EXPECT_EQ(row.endOp, block.Last());
    // Without an edit mode there is nothing to end: that counts as ended.
    EXPECT_EQ(row.endOp[0] == '\0', ended != FALSE);
    EXPECT_EQ(row.mode, block.m_editMode);
  }
}

TEST_F(BlockDispatch, KeyDownPassesShiftAndCtrlAsModifierFlags) {
  SHORT shift = 0, control = 0;
  AfxKeyStateHandler previous = AfxSetKeyStateHandler([&](int key) -> SHORT {
    if (key == VK_SHIFT) return shift;
    if (key == VK_CONTROL) return control;
    return 0;
  });
  block.m_editMode = kNodeTool;
  block.EditKeyDown(&view, VK_UP);
  shift = static_cast<SHORT>(0x8000);
  block.EditKeyDown(&view, VK_UP);
  control = static_cast<SHORT>(0x8001);
  block.EditKeyDown(&view, VK_UP);
  shift = 1;  // toggled, not held
  block.EditKeyDown(&view, VK_UP);
  AfxSetKeyStateHandler(std::move(previous));
  EXPECT_EQ((std::vector<UINT>{0, 4, 12, 8}), block.flagsSeen);
}

TEST_F(BlockDispatch, CanEditAndBeginEditFollowTheToolArgument) {
  const std::tuple<int, const char*, const char*> table[] = {
      {kTextTool, "CanTextEdit", "BeginTextEdit"},
      {kNodeTool, "CanNodeEdit", "BeginNodeEdit"},
      {kSelectTool, "", ""},
      {kTextDragTool, "", ""}};
  for (const auto& [tool, canOp, beginOp] : table) {
    SCOPED_TRACE(tool);
    block.calls.clear();
    EXPECT_EQ(canOp[0] != '\0', block.CanEdit(tool) != FALSE);
    EXPECT_EQ(canOp, block.Last());
    block.calls.clear();
    EXPECT_EQ(beginOp[0] != '\0', block.BeginEdit(tool, &view) != FALSE);
    EXPECT_EQ(beginOp, block.Last());
  }
}

TEST_F(BlockDispatch, DrawChoosesFilledOrOutlineByTheSolidBit) {
  block.Draw(nullptr, nullptr, 0);
  EXPECT_EQ("DrawOutline", block.Last());
  block.m_attributes = kSolidAttr | 0x0001;
  block.Draw(nullptr, nullptr, 0);
  EXPECT_EQ("DrawFilled", block.Last());
}

// A block that node editing accepts, counting its overlay drawings.
class NodeEditableBlock : public CBlock {
public:
  BOOL CanNodeEdit() override { return TRUE; }
  void NodeEditStarted(CBlockView*) override { ++started; }
  void DrawNodeEditOverlay(CDC* dc, CMatrix2D*) override {
    ++overlays;
    lastRop = dc ? dc->GetROP2() : 0;
  }
  int started = 0;
  int overlays = 0;
  int lastRop = 0;
};

TEST_F(BlockDispatch, NodeEditingBeginsWithTheOverlayAndEndsErasingIt) {
  TestWindow window;
  view.window = window.Handle();
  NodeEditableBlock editable;
  EXPECT_FALSE(editable.BeginTextEdit(&view));
  EXPECT_EQ(0, editable.m_editMode);
  EXPECT_TRUE(editable.BeginEdit(kNodeTool, &view));
  EXPECT_EQ(kNodeTool, editable.m_editMode);
  EXPECT_EQ(1, editable.overlays);
  EXPECT_EQ(1, editable.started);
  EXPECT_TRUE(editable.EndEdit(&view));
  EXPECT_EQ(0, editable.m_editMode);
  EXPECT_EQ(2, editable.overlays);
  EXPECT_EQ(R2_NOTXORPEN, editable.lastRop);
  // Ending again changes nothing.
  EXPECT_TRUE(editable.EndEdit(&view));
  EXPECT_EQ(2, editable.overlays);
}

TEST_F(BlockDispatch, NodeEditingWorksOnAViewWithoutWindow) {
  NodeEditableBlock editable;
  EXPECT_TRUE(editable.BeginNodeEdit(&view));
  EXPECT_EQ(kNodeTool, editable.m_editMode);
  EXPECT_EQ(1, editable.started);
  EXPECT_TRUE(editable.EndNodeEdit(&view));
  EXPECT_EQ(0, editable.m_editMode);
}

TEST_F(BlockDispatch, SelectCursorShowsTheMoveCursorOverAHitBlock) {
  TestWindow window;
  view.window = window.Handle();
  HCURSOR move = ::LoadCursor(nullptr, IDC_SIZEALL);
  CFeedbackTools::SetMoveCursor(move);
  CBlock plain;
  plain.m_box = CFRect(10, 10, 20, 20);
  EXPECT_FALSE(plain.SelectUpdateCursor(&view, MK_LBUTTON, 15, 15));
  EXPECT_FALSE(plain.SelectUpdateCursor(&view, 0, 40, 40));
  EXPECT_TRUE(plain.SelectUpdateCursor(&view, 0, 15, 15));
  EXPECT_EQ(move, window.ClassCursor());
  EXPECT_EQ(kSelectTool, plain.m_cursorOperation);
  EXPECT_TRUE(plain.ResetCursor(&view));
  EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), window.ClassCursor());
  EXPECT_EQ(0, plain.m_cursorOperation);
  CFeedbackTools::SetMoveCursor(nullptr);
}

TEST_F(BlockDispatch, NodeCursorHoldsTheControlPointUnderTheMouse) {
  HandleBlock shape;
  shape.controlIndex = 4;
  EXPECT_FALSE(shape.NodeUpdateCursor(&view, 0, 15, 15));
  EXPECT_EQ(4, shape.m_heldHandle);
  EXPECT_EQ(kNodeTool, shape.m_cursorOperation);
  EXPECT_TRUE(shape.ResetCursor(&view));
  EXPECT_EQ(kNoHandle, shape.m_heldHandle);
}

}  // namespace
