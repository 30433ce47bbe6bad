// The undo records that change the document's block list: what each puts back, which blocks each
// owns and frees exactly once, and a step of them played from the last record to the first.
#include <gtest/gtest.h>

#include <set>

#include "model/FakeBlockView.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoGroupRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoMergeRecord.h"
#include "model/undo/UndoOrderRecord.h"
#include "model/undo/UndoStep.h"
#include "model/undo/UndoUngroupRecord.h"

namespace {

// Blocks alive right now; a second delete of one fails the test instead of corrupting the heap.
std::set<CBlock*>& LiveBlocks() {
  static std::set<CBlock*> live;
  return live;
}

class CountedBlock : public CBlock {
public:
  CountedBlock() { LiveBlocks().insert(this); }
  ~CountedBlock() override { EXPECT_EQ(1u, LiveBlocks().erase(this)) << "deleted twice"; }
};

bool IsAlive(CBlock* block) { return LiveBlocks().count(block) != 0; }

class UndoBlockListTest : public ::testing::Test {
protected:
  void SetUp() override {
    LiveBlocks().clear();
    view.blocks = &document;
    for (CBlock*& block : blocks) {
      block = new CountedBlock;
      document.AddBlock(block);
    }
  }
  void TearDown() override {
    document.DeleteAll();
    EXPECT_TRUE(LiveBlocks().empty()) << "blocks leaked";
  }

  CSegArray document;
  FakeBlockView view;
  CBlock* blocks[3] = {};
};

TEST_F(UndoBlockListTest, InsertUndoRemovesAndDeletesOnlyABlockTheListHolds) {
  CBlock* added = new CountedBlock;
  document.AddBlock(added);
  CUndoInsertRecord record(added);
  EXPECT_TRUE(record.Undo(&view));
  EXPECT_FALSE(IsAlive(added));
  EXPECT_EQ(3, document.GetSize());
  EXPECT_FALSE(record.Undo(&view));  // forgotten, not deleted again

  // A block the list does not hold is someone else's.
  CountedBlock outside;
  CUndoInsertRecord stranger(&outside);
  EXPECT_FALSE(stranger.Undo(&view));
  EXPECT_TRUE(IsAlive(&outside));
}

TEST_F(UndoBlockListTest, DeleteUndoReinsertsSelectedAndHandsOverOwnership) {
  CBlock* removed = document.GetBlock(1);
  document.RemoveAt(1);
  {
    CUndoDeleteRecord record(removed, 1);
    EXPECT_TRUE(record.Undo(&view));
    EXPECT_EQ(removed, document.GetBlock(1));
    EXPECT_EQ(1, removed->m_selected);
  }
  EXPECT_TRUE(IsAlive(removed));  // the list owns it again

  // Not undone: the record frees the block; an index past the end is clamped, not padded.
  CBlock* dropped = new CountedBlock;
  { CUndoDeleteRecord record(dropped, 0); }
  EXPECT_FALSE(IsAlive(dropped));
  CBlock* late = new CountedBlock;
  CUndoDeleteRecord pastTheEnd(late, 50);
  EXPECT_TRUE(pastTheEnd.Undo(&view));
  ASSERT_EQ(4, document.GetSize());
  EXPECT_EQ(late, document.GetBlock(3));
}

TEST_F(UndoBlockListTest, DeleteRecordWithoutABlockListKeepsTheBlock) {
  CBlock* removed = new CountedBlock;
  FakeBlockView bare;
  CUndoDeleteRecord record(removed, 0);
  EXPECT_FALSE(record.Undo(&bare));
  EXPECT_TRUE(IsAlive(removed));
}  // the record still owns it and frees it

TEST_F(UndoBlockListTest, MergeUndoDeletesTheMergedBlocksOnce) {
  auto* merged = new CSegArray;
  for (int i = 0; i < 3; ++i) merged->AddBlock(new CountedBlock);
  CBlock* lost = merged->GetBlock(2);
  for (INT_PTR i = 0; i < merged->GetSize(); ++i) document.AddBlock(merged->GetBlock(i));
  CBlock* kept = merged->GetBlock(0);

  CUndoMergeRecord record(merged);
  // Deleted elsewhere while nothing recorded: the record forgets it.
  document.RemoveAt(document.GetSize() - 1);
  delete lost;
  EXPECT_TRUE(record.Undo(&view));
  EXPECT_FALSE(IsAlive(kept));
  EXPECT_EQ(3, document.GetSize());
  EXPECT_EQ(blocks[2], document.GetBlock(2));
}

TEST_F(UndoBlockListTest, MergeRecordNotUndoneLeavesTheBlocksToTheDocument) {
  auto* merged = new CSegArray;
  merged->AddBlock(new CountedBlock);
  document.AddBlock(merged->GetBlock(0));
  CBlock* block = merged->GetBlock(0);
  { CUndoMergeRecord record(merged); }
  EXPECT_TRUE(IsAlive(block));
  EXPECT_EQ(4, document.GetSize());
}

TEST_F(UndoBlockListTest, GroupUndoDissolvesTheGroupAndPutsTheChildrenBack) {
  // Grouping moved blocks 0 and 1 into a new group at the end.
  auto* group = new CGroupBlock;
  CBlock* first = blocks[0];
  CBlock* second = blocks[1];
  document.RemoveAt(0, 2);
  group->AddChild(first);
  group->AddChild(second);
  document.AddBlock(group);

  // Each child was recorded at the index it had when it was taken out.
  CUndoStep step;
  step.Add(new CUndoGroupRecord(first, 0));
  step.Add(new CUndoGroupRecord(second, 0));
  step.Add(new CUndoGroupRecord(group, -1));
  for (INT_PTR i = step.GetSize() - 1; i >= 0; --i) EXPECT_TRUE(step.GetRecord(i)->Undo(&view));

  ASSERT_EQ(3, document.GetSize());
  EXPECT_EQ(first, document.GetBlock(0));
  EXPECT_EQ(second, document.GetBlock(1));
  EXPECT_EQ(blocks[2], document.GetBlock(2));
  EXPECT_EQ(1, first->m_selected);
  EXPECT_TRUE(IsAlive(first));
}

TEST_F(UndoBlockListTest, UngroupRecordOwnsTheRemovedGroupButNotItsChildren) {
  CBlock* child = new CountedBlock;
  {
    // Ungrouping took the group out at index 1 and put its child into the document.
    auto* group = new CGroupBlock;
    group->AddChild(child);
    document.AddBlock(child);
    CUndoUngroupRecord record(group, 1);
  }  // not undone: the group goes, the child stays in the document
  EXPECT_TRUE(IsAlive(child));

  auto* group = new CGroupBlock;
  CBlock* member = new CountedBlock;
  group->AddChild(member);
  document.AddBlock(member);
  CUndoStep step;
  step.Add(new CUndoUngroupRecord(group, 1));
  step.Add(new CUndoUngroupRecord(member, -1));
  for (INT_PTR i = step.GetSize() - 1; i >= 0; --i) EXPECT_TRUE(step.GetRecord(i)->Undo(&view));
  EXPECT_EQ(group, document.GetBlock(1));
  EXPECT_EQ(1, group->m_selected);
  EXPECT_EQ(0, member->m_selected);
  EXPECT_EQ(5, document.GetSize());  // three, the first child, the group
}  // the step is destroyed undone: the document's group keeps its child

TEST_F(UndoBlockListTest, OrderUndoMovesTheBlockBackAndRefusesAStranger) {
  CBlock* moved = blocks[0];
  document.RemoveAt(0);
  document.AddBlock(moved);
  CUndoOrderRecord record(moved, 0);
  EXPECT_TRUE(record.Undo(&view));
  EXPECT_EQ(moved, document.GetBlock(0));
  EXPECT_EQ(3, document.GetSize());

  CountedBlock outside;
  CUndoOrderRecord stranger(&outside, 1);
  EXPECT_FALSE(stranger.Undo(&view));
  EXPECT_EQ(3, document.GetSize());
}

}  // namespace
