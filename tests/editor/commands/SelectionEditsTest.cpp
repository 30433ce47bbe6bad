// The edits of the selected blocks as they are (no window): even spacing, ungrouping and clearing
// the fill, each checked for what the user sees afterwards and for undo giving the list back.
#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "editor/commands/SelectionEdits.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/undo/UndoScope.h"

using namespace command_test;

namespace {

class SelectionEdits : public ::testing::Test {
protected:
  void SetUp() override { view.blocks = &blocks; }

  CBlock* Add(CBlock* block, bool selected = true) {
    block->m_selected = selected ? 1 : 0;
    blocks.AddBlock(block);
    return block;
  }
  CBlock* Square(float x, float y, float width, float height) {
    CCurveBlock* curve = new CCurveBlock;
    curve->AddRectangle(x, y, x + width, y + height);
    curve->EndCurve();
    return curve;
  }

  FakeBlockView view;
  CSegArray blocks;
};

TEST_F(SelectionEdits, EvenSpacingSharesTheFreeRoomEquallyInEitherDirection) {
  for (bool vertical : {false, true}) {
    blocks.DeleteAll();
    // Widths 10, 20 and 10 across 100: the gaps become 30; the list order is not the order on
    // the page.
    auto at = [&](float start, float size) {
      return vertical ? Square(0, start, 5, size) : Square(start, 0, size, 5);
    };
    CBlock* last = Add(at(90, 10));
    CBlock* first = Add(at(0, 10));
    CBlock* middle = Add(at(20, 20));
    Add(at(200, 10), false);
    std::vector<ListEntry> before = Snapshot(blocks);
    {
      CUndoScope step(view.undo);
      ASSERT_TRUE(CSelectionEdits(&view, blocks).SpaceEvenly(vertical));
    }
    auto start = [&](CBlock* b) { return vertical ? b->m_box.top : b->m_box.left; };
    EXPECT_FLOAT_EQ(0, start(first)) << vertical;
    EXPECT_FLOAT_EQ(40, start(middle)) << vertical;
    EXPECT_FLOAT_EQ(90, start(last)) << vertical;
    ASSERT_TRUE(view.undo.PlayLastStep(&view));
    EXPECT_TRUE(Snapshot(blocks) == before);
    // Two blocks have no gap to share.
    middle->m_selected = 0;
    EXPECT_FALSE(CSelectionEdits(&view, blocks).SpaceEvenly(vertical));
  }
}

TEST_F(SelectionEdits, HollowClearsTheFillOfTheSelectedBlocksOnly) {
  CBlock* selected = Add(Square(0, 0, 10, 10));
  CBlock* other = Add(Square(20, 0, 10, 10), false);
  selected->m_attributes |= kSolidAttr;
  other->m_attributes |= kSolidAttr;
  {
    CUndoScope step(view.undo);
    EXPECT_EQ(1, CSelectionEdits(&view, blocks).ClearSolid());
  }
  EXPECT_EQ(0, selected->m_attributes & kSolidAttr);
  EXPECT_NE(0, other->m_attributes & kSolidAttr);
  ASSERT_TRUE(view.undo.PlayLastStep(&view));
  EXPECT_NE(0, selected->m_attributes & kSolidAttr);
}

}  // namespace
