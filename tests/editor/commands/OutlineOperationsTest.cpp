// The outline operations end to end through the real transform library (no window): what they
// leave in the block list (areas of the results worked out by hand), that undo puts the list back
// exactly, and that a library that gives nothing leaves the list as it was.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CommandTestSupport.h"
#include "editor/commands/OutlineOperations.h"
#include "media/WeldDll.h"
#include "model/CurveTestSupport.h"
#include "model/MainWindowCapture.h"
#include "model/undo/UndoScope.h"
#include "model/undo/UndoToolRecord.h"

using namespace command_test;
using Ops = COutlineOperations;

namespace {

class OutlineOperations : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(nullptr, library.Bind(kLibraryPath));
    view.blocks = &blocks;
  }

  CBlock* Add(CBlock* block, bool selected = true) {
    block->m_selected = selected ? 1 : 0;
    blocks.AddBlock(block);
    return block;
  }

  // Runs the operation in one undo step.
  template <class Operation>
  Ops::Result Run(Operation operation) {
    CUndoScope step(view.undo);
    Ops operations(&view, blocks, library);
    return operation(operations);
  }

  // Undo of the newest step must give back exactly the list of the snapshot.
  void ExpectUndoRestores(const std::vector<ListEntry>& before) {
    ASSERT_TRUE(view.undo.PlayLastStep(&view));
    EXPECT_TRUE(Snapshot(blocks) == before);
  }

  CWeldDll library;
  FakeBlockView view;
  CSegArray blocks;
};

TEST_F(OutlineOperations, EachCombinationReplacesTheSelectionByTheAreaWorkedOutByHand) {
  struct Case {
    Ops::Combination combination;
    double area;
  };
  // Two 10 x 10 squares overlapping in a 5 x 5 corner: the lower one in the list is the one
  // the others are cut from.
  const Case cases[] = {{Ops::kWeld, 175},
                        {Ops::kCut, 75},
                        {Ops::kIntersect, 25},
                        {Ops::kExclusiveOr, 150}};
  for (const Case& c : cases) {
    blocks.DeleteAll();
    CBlock* unselected = Add(MakeSquareCurve(50, 50, 10), false);
    Add(MakeSquareCurve(5, 5, 10));
    Add(MakeSquareCurve(0, 0, 10));
    std::vector<ListEntry> before = Snapshot(blocks);
    ASSERT_EQ(Ops::kDone, Run([&](Ops& o) { return o.Combine(c.combination); }));
    ASSERT_EQ(2, blocks.GetSize()) << c.combination;
    EXPECT_EQ(unselected, blocks.GetBlock(0));
    CBlock* result = blocks.GetBlock(1);
    EXPECT_EQ(1, result->m_selected);
    EXPECT_NEAR(c.area, AreaOf(result), 1e-3) << c.combination;
    ExpectUndoRestores(before);
  }
}

TEST_F(OutlineOperations, ThreeOverlappingBlocksCombineAtOnceOrInATreeToTheAreaWorkedOutByHand) {
  // A = (0,0)-(10,10), B = (4,2)-(14,12), C = (6,4)-(16,14), C last in the list: A and B
  // share 48, A and C 24, B and C 64, all three 24.
  struct Case {
    Ops::Combination combination;
    double area;
  };
  const Case cases[] = {{Ops::kWeld, 300 - 48 - 24 - 64 + 24},
                        {Ops::kCut, 100 - 24 - 64 + 24},
                        {Ops::kIntersect, 24},
                        {Ops::kExclusiveOr, 300 - 2 * (48 + 24 + 64) + 4 * 24}};
  for (const Case& c : cases) {
    blocks.DeleteAll();
    Add(MakeSquareCurve(0, 0, 10));
    Add(MakeSquareCurve(4, 2, 10));
    Add(MakeSquareCurve(6, 4, 10));
    std::vector<ListEntry> before = Snapshot(blocks);
    ASSERT_EQ(Ops::kDone, Run([&](Ops& o) { return o.Combine(c.combination); }));
    ASSERT_EQ(1, blocks.GetSize()) << c.combination;
    EXPECT_NEAR(c.area, AreaOf(blocks.GetBlock(0)), 1e-3) << c.combination;
    ExpectUndoRestores(before);
  }
}

TEST_F(OutlineOperations, ThreeBlocksWeldIntoOneImagesStayAndOneBlockBesideAnImageIsNotEnough) {
  CBlock* image = Add(new FakeImage(CFRect(0, 0, 30, 30)));
  Add(MakeSquareCurve(0, 0, 10));
  Add(MakeSquareCurve(10, 0, 10));
  Add(MakeSquareCurve(20, 0, 10));
  std::vector<ListEntry> before = Snapshot(blocks);
  ASSERT_EQ(Ops::kDone, Run([](Ops& o) { return o.Combine(Ops::kWeld); }));
  ASSERT_EQ(2, blocks.GetSize());
  EXPECT_EQ(image, blocks.GetBlock(0));
  EXPECT_NEAR(300, AreaOf(blocks.GetBlock(1)), 1e-3);
  ExpectUndoRestores(before);

  blocks.GetBlock(2)->m_selected = blocks.GetBlock(3)->m_selected = 0;
  before = Snapshot(blocks);
  EXPECT_EQ(Ops::kNothingToDo, Run([](Ops& o) { return o.Combine(Ops::kWeld); }));
  EXPECT_EQ(Ops::kNothingToDo, Run([](Ops& o) { return o.ContourCut(); }));
  EXPECT_TRUE(Snapshot(blocks) == before);
}

TEST_F(OutlineOperations, ANullLibraryResultLeavesTheDocumentAsItWas) {
  // Disjoint squares have no intersection: the library gives nothing.
  Add(MakeSquareCurve(0, 0, 10));
  Add(MakeSquareCurve(30, 30, 10));
  std::vector<ListEntry> before = Snapshot(blocks);
  EXPECT_EQ(Ops::kFailed, Run([](Ops& o) { return o.Combine(Ops::kIntersect); }));
  EXPECT_TRUE(Snapshot(blocks) == before);
  EXPECT_EQ(0, view.undo.GetStepCount());

  // A library without its entries fails every operation the same way.
  CWeldDll unbound;
  Ops operations(&view, blocks, unbound);
  EXPECT_EQ(Ops::kFailed, operations.Combine(Ops::kWeld));
  EXPECT_EQ(Ops::kFailed, operations.ContourCut());
  EXPECT_EQ(Ops::kFailed, operations.CutAlongLine(5, 5, 90));
  EXPECT_TRUE(Snapshot(blocks) == before);
}

TEST_F(OutlineOperations, ContourCutReplacesBothBlocksByThePiecesOfEveryOutlineOfTheKnife) {
  // A 20 x 20 square cut by one square inside it, and by two nested ones; the library leaves a
  // kerf of about 0.001 along each unit of cut.
  const std::vector<CFRect> knives[] = {{CFRect(5, 5, 15, 15)},
                                        {CFRect(2, 2, 18, 18), CFRect(6, 6, 14, 14)}};
  const int expectedPieces[] = {2, 3};
  for (int k = 0; k < 2; ++k) {
    MainWindowCapture main;  // keeps the status texts the cut sends
    blocks.DeleteAll();
    Add(MakeSquareCurve(0, 0, 20));
    auto* knife = new CCurveBlock;
    for (const CFRect& r : knives[k]) knife->AddRectangle(r.left, r.top, r.right, r.bottom);
    knife->EndCurve();
    Add(knife);
    std::vector<ListEntry> before = Snapshot(blocks);
    ASSERT_EQ(Ops::kDone, Run([](Ops& o) { return o.ContourCut(); }));
    int pieces = 0;
    EXPECT_NEAR(400, NewArea(blocks, before, &pieces), 0.25) << k;
    EXPECT_EQ(expectedPieces[k], pieces) << k;
    // A status text for each outline of the knife as it is cut (other senders only clear it).
    std::vector<std::string> texts;
    for (const auto& command : main.Commands())
      if (command.id == 32850 && !command.text.empty()) texts.push_back(command.text);
    ASSERT_EQ(knives[k].size(), texts.size()) << k;
    EXPECT_EQ("轮廓切割运算中... 1/" + std::to_string(texts.size()), texts.front()) << k;
    EXPECT_EQ(k == 0 ? "轮廓切割运算中... 1/1" : "轮廓切割运算中... 2/2", texts.back()) << k;
    // Nothing but the pieces is left, all selected.
    EXPECT_EQ(pieces, blocks.GetSize()) << k;
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i) EXPECT_EQ(1, blocks.GetBlock(i)->m_selected);
    ExpectUndoRestores(before);
  }
}

TEST_F(OutlineOperations, AnEvictedContourCutStepDeletesOnlyTheBlocksItTookOut) {
  Add(MakeSquareCurve(0, 0, 20));
  Add(MakeSquareCurve(5, 5, 10));
  ASSERT_EQ(Ops::kDone, Run([](Ops& o) { return o.ContourCut(); }));
  std::vector<ListEntry> pieces = Snapshot(blocks);
  // Later steps push the cut out of the history, and its records with it.
  for (int i = 0; i <= view.undo.GetStepLimit() + 1; ++i) {
    CUndoScope step(view.undo);
    view.undo.AppendRecord(new CUndoToolRecord(kSelectTool));
  }
  EXPECT_TRUE(Snapshot(blocks) == pieces);
  for (const ListEntry& entry : pieces) EXPECT_GT(AreaOf(entry.block), 0);
}

TEST_F(OutlineOperations, CuttingAlongALineSplitsEachSelectedBlockInTwo) {
  Add(MakeSquareCurve(0, 0, 20));
  Add(MakeSquareCurve(40, 0, 20));
  CBlock* image = Add(new FakeImage(CFRect(0, 0, 60, 20)));
  std::vector<ListEntry> before = Snapshot(blocks);
  // A vertical line through x = 10 crosses only the first square.
  ASSERT_EQ(Ops::kDone, Run([](Ops& o) { return o.CutAlongLine(10, 100, 90); }));
  int pieces = 0;
  // The library leaves a kerf far below the device step between the pieces.
  EXPECT_NEAR(800, NewArea(blocks, before, &pieces), 0.05);
  EXPECT_EQ(3, pieces);
  EXPECT_EQ(image, blocks.GetBlock(0));
  ExpectUndoRestores(before);
}

TEST(OutlineLine, TheCutSegmentRunsAcrossTheBoxOnTheSidesNearestToCrossingAtRightAngles) {
  const CFRect box(0, 0, 100, 50);
  struct Case {
    double angle;
    float x, y;
    FPOINT from, to;
  };
  const Case cases[] = {
      {0, 30, 20, {0, 20}, {100, 20}},      // horizontal: left to right side
      {180, 30, 20, {0, 20}, {100, 20}},    // the same line the other way round
      {90, 30, 20, {30, 0}, {30, 50}},      // vertical: top to bottom
      {45, 0, 50, {50, 0}, {0, 50}},        // 45 degrees counts as steep
      {135, 0, 0, {0, 0}, {50, 50}},        // rising to the left on the screen
      {-30, 0, 0, {0, 0}, {100, 57.735f}},  // brought into 0-180 first
  };
  for (const Case& c : cases) {
    FPOINT from, to;
    Ops::LineAcross(box, c.x, c.y, c.angle, &from, &to);
    EXPECT_NEAR(c.from.x, from.x, 1e-3) << c.angle;
    EXPECT_NEAR(c.from.y, from.y, 1e-3) << c.angle;
    EXPECT_NEAR(c.to.x, to.x, 1e-3) << c.angle;
    EXPECT_NEAR(c.to.y, to.y, 1e-3) << c.angle;
  }
}

}  // namespace
