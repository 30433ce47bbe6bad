// Hit testing of the base box, fitting into a rectangle, attribute bits with their undo and the
// repaint of a block's box.
#include <gtest/gtest.h>

#include <cmath>

#include "model/FakeBlockView.h"
#include "model/TestWindow.h"
#include "model/blocks/Block.h"
#include "model/undo/UndoStep.h"

namespace {

CBlock* BlockWithBox(CBlock& block, float left, float top, float right, float bottom) {
  block.m_box = CFRect(left, top, right, bottom);
  return &block;
}

TEST(BlockHitTest, ABoxIsHitWithinOnePixelOfItsEdges) {
  FakeBlockView view(0.5);
  CBlock block;
  BlockWithBox(block, 10, 10, 20, 20);
  EXPECT_TRUE(block.HitTest(&view, 15, 15));
  EXPECT_TRUE(block.HitTest(&view, 9.6f, 20.4f));
  EXPECT_FALSE(block.HitTest(&view, 9.5f, 15));
  EXPECT_FALSE(block.HitTest(&view, 15, 20.5f));
  // A box stored upside down is the same box.
  BlockWithBox(block, 20, 20, 10, 10);
  EXPECT_TRUE(block.HitTest(&view, 15, 15));
}

TEST(BlockHitTest, AZeroWidthBoxIsHitOnlyNearItsVerticalLine) {
  FakeBlockView view(0.5);  // three pixels are 1.5 page units
  CBlock block;
  BlockWithBox(block, 10, 10, 10, 50);
  EXPECT_TRUE(block.HitTest(&view, 10, 30));
  EXPECT_TRUE(block.HitTest(&view, 11.4f, 30));
  EXPECT_TRUE(block.HitTest(&view, 8.6f, 10));
  EXPECT_FALSE(block.HitTest(&view, 11.6f, 30));
  // Not anywhere along the line's extension across the page.
  EXPECT_FALSE(block.HitTest(&view, 10, 200));
  EXPECT_FALSE(block.HitTest(&view, 10, 50.6f));
  EXPECT_TRUE(block.HitTest(&view, 10, 50.4f));
}

TEST(BlockHitTest, AZeroHeightBoxIsHitOnlyNearItsHorizontalLine) {
  FakeBlockView view(0.5);
  CBlock block;
  BlockWithBox(block, 10, 30, 50, 30);
  EXPECT_TRUE(block.HitTest(&view, 30, 31.4f));
  EXPECT_FALSE(block.HitTest(&view, 30, 31.6f));
  EXPECT_FALSE(block.HitTest(&view, 300, 30));
  EXPECT_FALSE(block.HitTest(&view, 9.4f, 30));
  // A box that is a single point is hit around it.
  BlockWithBox(block, 5, 5, 5, 5);
  EXPECT_TRUE(block.HitTest(&view, 6.4f, 3.6f));
  EXPECT_FALSE(block.HitTest(&view, 5, 7));
}

TEST(BlockFitToRect, ScalesAndMovesTheBoxAndMatrixIntoTheRectangle) {
  CBlock block;
  BlockWithBox(block, 10, 10, 20, 30);
  block.FitToRect(0, 0, 40, 10);
  EXPECT_EQ(0.0f, block.m_box.left);
  EXPECT_EQ(0.0f, block.m_box.top);
  EXPECT_EQ(40.0f, block.m_box.right);
  EXPECT_EQ(10.0f, block.m_box.bottom);
  FPOINT corner = {20, 30};
  block.m_matrix.TransformPoint(&corner);
  EXPECT_FLOAT_EQ(40.0f, corner.x);
  EXPECT_FLOAT_EQ(10.0f, corner.y);
}

TEST(BlockFitToRect, AZeroWidthBoxIsOnlyMovedAcross) {
  CBlock block;
  BlockWithBox(block, 5, 0, 5, 10);
  block.FitToRect(20, 0, 30, 20);
  EXPECT_EQ(1.0f, block.m_matrix.m[0]);
  EXPECT_EQ(2.0f, block.m_matrix.m[4]);
  EXPECT_EQ(20.0f, block.m_box.left);
  EXPECT_EQ(20.0f, block.m_box.right);
  EXPECT_EQ(0.0f, block.m_box.top);
  EXPECT_EQ(20.0f, block.m_box.bottom);
  EXPECT_FALSE(std::isnan(block.m_matrix.m[6]));
}

TEST(BlockFitToRect, TheBaseSetBoxOnlyStoresTheBox) {
  CBlock block;
  block.SetBox(1, 2, 3, 4);
  EXPECT_EQ(3.0f, block.m_box.right);
  EXPECT_TRUE(block.m_matrix.IsIdentity());
  block.Offset(1, -2);
  EXPECT_EQ(2.0f, block.m_box.left);
  EXPECT_EQ(0.0f, block.m_box.top);
  EXPECT_EQ(4.0f, block.m_box.right);
  EXPECT_EQ(2.0f, block.m_box.bottom);
}

class ActiveViewScope {
public:
  explicit ActiveViewScope(CBlockView* view) {
    s_view = view;
    m_previous = CBlockView::SetActiveViewFinder([] { return s_view; });
  }
  ~ActiveViewScope() { CBlockView::SetActiveViewFinder(m_previous); }

private:
  static CBlockView* s_view;
  CBlockView::ActiveViewFinder m_previous;
};
CBlockView* ActiveViewScope::s_view = nullptr;

TEST(BlockAttrBits, SetsTheMaskedBitsAndRecordsTheOldWordWhileRecording) {
  TestWindow window;
  FakeBlockView view;
  view.window = window.Handle();
  CBlock block;
  BlockWithBox(block, 10, 10, 20, 20);
  block.m_attributes = 0x00F3;
  view.undo.BeginStep();
  block.SetAttrBits(&view, kSolidAttr | 0x0001, kSolidAttr | 0x0003);
  view.undo.EndStep();
  EXPECT_EQ(0x01F1, block.m_attributes);
  EXPECT_NE(0, window.UpdateRect().right);  // repainted
  ASSERT_EQ(1, view.undo.GetStepCount());
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(0x00F3, block.m_attributes);
}

TEST(BlockAttrBits, WithoutAViewTheActiveViewRecordsButNothingIsRepainted) {
  FakeBlockView active;
  ActiveViewScope scope(&active);
  CBlock block;
  active.undo.BeginStep();
  block.SetAttrBits(nullptr, kSolidAttr, kSolidAttr);
  active.undo.EndStep();
  EXPECT_EQ(kSolidAttr, block.m_attributes);
  EXPECT_EQ(1, active.undo.GetStepCount());
  // Outside a step nothing is recorded.
  block.SetAttrBits(nullptr, 0, kSolidAttr);
  EXPECT_EQ(0, block.m_attributes);
  EXPECT_EQ(1, active.undo.GetStepCount());
}

TEST(BlockAttrBits, WorksWithNoViewAtAll) {
  CBlock block;
  block.SetAttrBits(nullptr, kSolidAttr, kSolidAttr);
  EXPECT_EQ(kSolidAttr, block.m_attributes);
}

TEST(BlockInvalidate, RepaintsTheMappedBoxThreePixelsWider) {
  TestWindow window;
  FakeBlockView view(0.5);
  view.window = window.Handle();
  CBlock block;
  BlockWithBox(block, 10, 10, 20, 20);
  block.Invalidate(&view, FALSE);
  RECT update = window.UpdateRect();
  EXPECT_EQ(17, update.left);
  EXPECT_EQ(17, update.top);
  EXPECT_EQ(43, update.right);
  EXPECT_EQ(43, update.bottom);
}

}  // namespace
