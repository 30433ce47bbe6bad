// The media edges of the cut-output view as page arithmetic, without a window: which edge a
// press grabs and where the media ends up when the drag is released.
#include <gtest/gtest.h>

#include "editor/cut/CUTView.h"

namespace {

TEST(CutViewEdges, APressGrabsTheFirstEdgeWithinTheTolerance) {
  const CFRect media(0, 0, 400, 900);
  struct Case {
    float x, y;
    int tool;
  };
  const Case cases[] = {
      {1, 1, CCUTView::kLeftEdgeTool},  // near left and top: left is tested first
      {-2, 500, CCUTView::kLeftEdgeTool},
      {398, 899, CCUTView::kRightEdgeTool},
      {200, 2, CCUTView::kTopEdgeTool},
      {200, 902, CCUTView::kBottomEdgeTool},
      {200, 500, 0},  // inside, away from the edges
      {-4, 500, 0},   // outside the widened media
      {200, 904, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.tool, CCUTView::EdgeToolAt(media, 3, c.x, c.y)) << c.x << "," << c.y;
}

TEST(CutViewEdges, LeftAndTopMoveTheMediaRightAndBottomSizeIt) {
  const CFRect media(10, 20, 410, 920);
  struct Case {
    int tool;
    float x, y;
    CFRect expected;
  };
  const Case cases[] = {
      {CCUTView::kLeftEdgeTool, 30, 0, {30, 20, 430, 920}},
      {CCUTView::kTopEdgeTool, 0, 50, {10, 50, 410, 950}},
      {CCUTView::kRightEdgeTool, 310, 0, {10, 20, 310, 920}},
      // Dragged past the left edge: the width is the distance, the left stays.
      {CCUTView::kRightEdgeTool, -90, 0, {10, 20, 110, 920}},
      {CCUTView::kBottomEdgeTool, 0, 520, {10, 20, 410, 520}},
      {CCUTView::kBottomEdgeTool, 0, 0, {10, 20, 410, 40}},
  };
  for (const Case& c : cases) {
    CFRect moved = CCUTView::MoveEdge(media, c.tool, c.x, c.y);
    EXPECT_FLOAT_EQ(c.expected.left, moved.left) << "tool " << c.tool;
    EXPECT_FLOAT_EQ(c.expected.top, moved.top) << "tool " << c.tool;
    EXPECT_FLOAT_EQ(c.expected.right, moved.right) << "tool " << c.tool;
    EXPECT_FLOAT_EQ(c.expected.bottom, moved.bottom) << "tool " << c.tool;
  }
}

}  // namespace
