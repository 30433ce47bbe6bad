// Cutting the selected block along a line, with a stand-in for the transform library's line
// cutter, on a document and a fake view without a window: the library receives the block's
// outlines and the line; its pieces replace the block as one selected block in one undo step that
// puts the block back; without a library, a suitable selection or a result nothing changes.
#include <gtest/gtest.h>

#include <memory>

#include "editor/tools/LineCutter.h"
#include "framework/GlobalLock.h"
#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/records/BlockRecord.h"
#include "model/undo/UndoScope.h"

namespace {

// The stand-in answers with two squares, the halves of the shape, and keeps what it was given.
struct FakeLibrary {
  HGLOBAL operator()(const WeldOperand& shape, const WeldOperand& knife) {
    shapeBox = shape.box;
    knifeBox = knife.box;
    shapeLength = shape.length;
    {
      CGlobalLock lock(shape.records);
      std::unique_ptr<CBlock> block(lock.Data() ? CreateBlockFromRecord(lock.Data(), lock.Size())
                                                : nullptr);
      shapeType = block ? block->m_type : 0;
    }
    if (answerNothing) return nullptr;
    CGroupBlock halves;
    halves.AddChild(MakeSquareCurve(0, 0, 10));
    halves.AddChild(MakeSquareCurve(10, 0, 10));
    HGLOBAL record = nullptr;
    halves.WriteRecord(&record);
    return record;
  }
  CFRect shapeBox, knifeBox;
  int shapeLength = 0;
  BYTE shapeType = 0;
  bool answerNothing = false;
};

class LineCutterTest : public ::testing::Test {
protected:
  LineCutterTest() {
    m_document.m_bAutoDelete = FALSE;
    m_view.blocks = &m_document.GetBlockList();
    m_other = MakeSquareCurve(50, 50, 5);
    m_square = MakeSquareCurve(0, 0, 20);
    m_document.AddBlock(m_other);
    m_document.AddBlock(m_square);
    m_square->m_selected = 1;
  }
  bool Cut(FakeLibrary* library) {
    CUndoScope step(m_view.undo);
    CLineCutter::CutFunction function;
    if (library)
      function = [library](const WeldOperand& a, const WeldOperand& b) { return (*library)(a, b); };
    return CLineCutter(&m_view, &m_document, function).Cut({10, -5}, {10, 25});
  }

  CTALVEX42Doc m_document;
  FakeBlockView m_view;
  CCurveBlock* m_other;
  CCurveBlock* m_square;
};

TEST_F(LineCutterTest, ThePiecesReplaceTheSelectedBlockAndUndoPutsItBack) {
  FakeLibrary library;
  ASSERT_TRUE(Cut(&library));
  // A group of one outline reads back as that outline.
  EXPECT_EQ(kCurveBlock, library.shapeType);
  EXPECT_FLOAT_EQ(20, library.shapeBox.right);
  EXPECT_FLOAT_EQ(-5, library.knifeBox.top);
  EXPECT_FLOAT_EQ(25, library.knifeBox.bottom);
  CSegArray& blocks = m_document.GetBlockList();
  ASSERT_EQ(2, blocks.GetSize());
  EXPECT_EQ(m_other, blocks.GetBlock(0));
  CBlock* pieces = blocks.GetBlock(1);
  EXPECT_EQ(kGroupBlock, pieces->m_type);
  EXPECT_EQ(1, pieces->m_selected);
  EXPECT_EQ(1, m_view.undo.GetStepCount());

  ASSERT_TRUE(m_view.undo.PlayLastStep(&m_view));
  ASSERT_EQ(2, blocks.GetSize());
  EXPECT_EQ(kCurveBlock, blocks.GetBlock(1)->m_type);
  EXPECT_FLOAT_EQ(20, blocks.GetBlock(1)->m_box.right);
  EXPECT_EQ(1, blocks.GetBlock(1)->m_selected);
}

TEST_F(LineCutterTest, NoLibraryNoSuitableSelectionOrNoResultLeavesEverythingAsItWas) {
  FakeLibrary nothing;
  nothing.answerNothing = true;
  EXPECT_FALSE(Cut(&nothing));
  EXPECT_EQ(kCurveBlock, nothing.shapeType);
  EXPECT_FALSE(Cut(nullptr));
  m_square->m_selected = 0;
  FakeLibrary library;
  EXPECT_FALSE(Cut(&library));
  EXPECT_EQ(0, library.shapeLength);
  CSegArray& blocks = m_document.GetBlockList();
  ASSERT_EQ(2, blocks.GetSize());
  EXPECT_EQ(m_square, blocks.GetBlock(1));
  EXPECT_EQ(0, m_view.undo.GetStepCount());
}

}  // namespace
