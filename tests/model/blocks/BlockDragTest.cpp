// Handle drags of the select tool and control-point drags of the node tool: the 3-pixel dead zone,
// the undo records they leave and what undo does with them.
#include <gtest/gtest.h>

#include "model/FakeBlockView.h"
#include "model/HandleBlock.h"
#include "model/editing/DragState.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoStep.h"

namespace {

class BlockDrag : public ::testing::Test {
protected:
  // At half a page unit per pixel the dead zone is 1.5 page units.
  BlockDrag() : view(0.5) {}
  void SetUp() override { GetDragState().Reset(); }
  void TearDown() override { GetDragState().Reset(); }

  void Drag(int tool, float fromX, float fromY, float toX, float toY) {
    view.tool = tool;
    block.OnLButtonDown(&view, MK_LBUTTON, fromX, fromY);
    block.OnMouseMove(&view, MK_LBUTTON, toX, toY);
    block.OnLButtonUp(&view, 0, toX, toY);
  }

  FakeBlockView view;
  HandleBlock block;
};

TEST_F(BlockDrag, MovesInsideTheDeadZoneDoNothing) {
  view.tool = kSelectTool;
  EXPECT_TRUE(block.OnLButtonDown(&view, MK_LBUTTON, 15, 15));
  EXPECT_EQ(1, block.m_heldHandle);
  EXPECT_TRUE(block.OnMouseMove(&view, MK_LBUTTON, 16.4f, 13.6f));
  EXPECT_TRUE(
      block.OnMouseMove(&view, MK_LBUTTON, 16.5f, 16.5f));  // exactly 3 pixels: still inside
  EXPECT_EQ(0, GetDragState().moved);
  EXPECT_TRUE(block.handleMoves.empty());
  EXPECT_EQ(0, block.xorDraws);

  view.undo.BeginStep();
  EXPECT_TRUE(block.OnLButtonUp(&view, 0, 16, 16));
  view.undo.EndStep();
  EXPECT_TRUE(block.handleMoves.empty());
  EXPECT_EQ(0, view.undo.GetStepCount());
  EXPECT_EQ(kNoHandle, block.m_heldHandle);
}

TEST_F(BlockDrag, HandleDragMovesTheHandleRecordsUndoAndReleasesTheHandle) {
  view.tool = kSelectTool;
  view.undo.BeginStep();
  block.OnLButtonDown(&view, MK_LBUTTON, 15, 15);
  EXPECT_TRUE(block.OnMouseMove(&view, MK_LBUTTON, 16.6f, 15));
  EXPECT_EQ(1, GetDragState().moved);
  ASSERT_EQ(1u, block.handleMoves.size());
  EXPECT_EQ(1, block.handleMoves[0].index);
  EXPECT_EQ(16.6f, block.handleMoves[0].x);
  EXPECT_EQ(2, block.xorDraws);  // erase the old feedback, draw the new

  EXPECT_TRUE(block.OnLButtonUp(&view, 0, 18, 19));
  view.undo.EndStep();
  ASSERT_EQ(2u, block.handleMoves.size());
  EXPECT_EQ(18.0f, block.handleMoves[1].x);
  EXPECT_EQ(19.0f, block.handleMoves[1].y);
  EXPECT_EQ(kNoHandle, block.m_heldHandle);
  EXPECT_EQ(0, GetDragState().moved);
  ASSERT_EQ(1, view.undo.GetStepCount());
  EXPECT_EQ(1, view.undo.GetStep(-1)->GetSize());

  // Undo drags the handle back to the press point, with the drag state running backwards.
  EXPECT_TRUE(view.undo.PlayLastStep(&view));
  ASSERT_EQ(3u, block.handleMoves.size());
  EXPECT_EQ(1, block.handleMoves[2].index);
  EXPECT_EQ(15.0f, block.handleMoves[2].x);
  EXPECT_EQ(15.0f, block.handleMoves[2].y);
  EXPECT_EQ(18.0f, GetDragState().press.x);
  EXPECT_EQ(15.0f, GetDragState().current.x);
  EXPECT_EQ(0, view.undo.GetStepCount());
}

TEST_F(BlockDrag, NothingIsRecordedWhileTheUndoDepthIsZero) {
  Drag(kSelectTool, 15, 15, 20, 20);
  EXPECT_EQ(2u, block.handleMoves.size());
  Drag(kNodeTool, 15, 15, 20, 20);
  EXPECT_EQ(1u, block.controlMoves.size());
  EXPECT_EQ(0, view.undo.GetStepCount());
}

TEST_F(BlockDrag, ANegativeHandleStartsADragThatMovesNothing) {
  block.handleIndex = -1;
  view.tool = kSelectTool;
  EXPECT_TRUE(block.OnLButtonDown(&view, MK_LBUTTON, 15, 15));  // beeps
  EXPECT_FALSE(block.OnMouseMove(&view, MK_LBUTTON, 25, 25));
  view.undo.BeginStep();
  block.OnLButtonUp(&view, 0, 25, 25);
  view.undo.EndStep();
  EXPECT_TRUE(block.handleMoves.empty());
  EXPECT_EQ(0, view.undo.GetStepCount());
}

TEST_F(BlockDrag, APressOffEveryHandleIsNotTaken) {
  block.handleHit = FALSE;
  view.tool = kSelectTool;
  EXPECT_FALSE(block.OnLButtonDown(&view, MK_LBUTTON, 15, 15));
  block.controlHit = FALSE;
  view.tool = kNodeTool;
  EXPECT_FALSE(block.OnLButtonDown(&view, MK_LBUTTON, 15, 15));
}

TEST_F(BlockDrag, MovesWithoutTheButtonAreNotDrags) {
  view.tool = kSelectTool;
  block.OnLButtonDown(&view, MK_LBUTTON, 15, 15);
  EXPECT_FALSE(block.OnMouseMove(&view, 0, 25, 25));
  view.tool = kNodeTool;
  EXPECT_FALSE(block.OnMouseMove(&view, 0, 25, 25));
  EXPECT_TRUE(block.handleMoves.empty());
  EXPECT_TRUE(block.controlMoves.empty());
}

TEST_F(BlockDrag, ControlPointDragRecordsUndoThatPutsThePointBack) {
  view.tool = kNodeTool;
  view.undo.BeginStep();
  EXPECT_TRUE(block.OnLButtonDown(&view, MK_LBUTTON, 15, 15));
  EXPECT_EQ(2, block.m_heldHandle);
  EXPECT_TRUE(block.OnMouseMove(&view, MK_LBUTTON, 15.5f, 15.5f));
  EXPECT_TRUE(block.controlMoves.empty());
  EXPECT_TRUE(block.OnMouseMove(&view, MK_LBUTTON, 15, 12));
  EXPECT_FALSE(block.OnLButtonUp(&view, 0, 15, 12));  // the node tool's release answers 0
  view.undo.EndStep();
  ASSERT_EQ(1u, block.controlMoves.size());
  EXPECT_EQ(12.0f, block.controlMoves[0].y);
  EXPECT_EQ(kNoHandle, block.m_heldHandle);
  EXPECT_EQ(0, GetDragState().moved);
  ASSERT_EQ(1, view.undo.GetStepCount());

  view.undo.PlayLastStep(&view);
  ASSERT_EQ(2u, block.controlMoves.size());
  EXPECT_EQ(2, block.controlMoves[1].index);
  EXPECT_EQ(15.0f, block.controlMoves[1].x);
  EXPECT_EQ(15.0f, block.controlMoves[1].y);
}

TEST_F(BlockDrag, TheDeadZoneFollowsTheViewScale) {
  view.SetScale(2.0);  // 6 page units
  view.tool = kNodeTool;
  block.OnLButtonDown(&view, MK_LBUTTON, 15, 15);
  block.OnMouseMove(&view, MK_LBUTTON, 20.9f, 9.1f);
  EXPECT_TRUE(block.controlMoves.empty());
  block.OnMouseMove(&view, MK_LBUTTON, 21.1f, 15);
  EXPECT_EQ(1u, block.controlMoves.size());
}

TEST_F(BlockDrag, MouseMovesFeedTheRubberBand) {
  CDragState& drag = GetDragState();
  view.tool = 32855;  // a tool of its own: only the rubber band reacts
  drag.rubberBandKind = CDragState::kRubberRect;
  block.OnMouseMove(&view, 0, 30, 40);
  EXPECT_EQ(30.0f, drag.current.x);
  EXPECT_EQ(40.0f, drag.current.y);

  drag.rubberBandKind = CDragState::kBezier + 2;
  drag.bezierIndex = 2;
  block.OnMouseMove(&view, 0, 5, 6);
  EXPECT_EQ(5.0f, drag.bezier[2].x);
  EXPECT_EQ(6.0f, drag.bezier[2].y);

  // A finished segment no longer follows the mouse.
  drag.rubberBandKind = CDragState::kBezierDone;
  block.OnMouseMove(&view, 0, 7, 8);
  EXPECT_EQ(5.0f, drag.bezier[2].x);

  // A count past the segment's points is ignored rather than written past them.
  drag.rubberBandKind = CDragState::kBezier;
  drag.bezierIndex = 4;
  block.OnMouseMove(&view, 0, 9, 9);
  EXPECT_EQ(5.0f, drag.bezier[2].x);
}

}  // namespace
