// The welding and cutting entries of the transform library's stand-in, called through CWeldDll
// as the editor calls them (no window). Areas are checked against values worked out by hand;
// damaged operands must give null, and no call may change or hand back its operands' memory.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "TransformLibrary.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"

using namespace addon_test;

namespace {

class WeldEntries : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(nullptr, m_weld.Bind(kLibraryPath)); }

  // The area of op(first, second), -1 when the entry gave nothing.
  double AreaAfter(UINT operation, const std::vector<CFRect>& first,
                   const std::vector<CFRect>& second) {
    std::unique_ptr<CCurveBlock> a(Rectangles(first)), b(Rectangles(second));
    WeldOperand x = OperandOf(a.get()), y = OperandOf(b.get());
    HGLOBAL result = nullptr;
    switch (operation) {
      case 0:
        result = m_weld.Weld(x, y);
        break;
      case 1:
        result = m_weld.WeldCut(x, y);
        break;
      case 2:
        result = m_weld.WeldAnd(x, y);
        break;
      case 3:
        result = m_weld.WeldXor(x, y);
        break;
    }
    Free(x);
    Free(y);
    std::unique_ptr<CBlock> block(TakeResult(result));
    return block ? AreaOf(block.get()) : -1;
  }

  CWeldDll m_weld;
};

const CFRect kSquare(0, 0, 10, 10);
const CFRect kShifted(5, 5, 15, 15);
const CFRect kTouching(10, 0, 20, 10);
const CFRect kAway(30, 30, 40, 40);
const CFRect kFrame(0, 0, 20, 20);
const CFRect kHole(5, 5, 15, 15);
const CFRect kRightHalf(10, -5, 30, 25);

TEST_F(WeldEntries, EachOperationGivesTheAreaWorkedOutByHand) {
  struct Case {
    const char* what;
    std::vector<CFRect> first, second;
    double areas[4];  // weld, cut, intersection, exclusive or; -1: no result
  };
  const Case cases[] = {
      {"overlapping squares", {kSquare}, {kShifted}, {175, 75, 25, 150}},
      // The frame holds 300 (400 less its hole), 150 on each side of x = 10; the right half is
      // 600 on its own.
      {"square with a hole", {kFrame, kHole}, {kRightHalf}, {150 + 600, 150, 150, 600}},
      {"touching squares", {kSquare}, {kTouching}, {200, 100, -1, 200}},
      {"disjoint squares", {kSquare}, {kAway}, {200, 100, -1, 200}},
  };
  for (const Case& c : cases) {
    for (UINT op = 0; op < 4; ++op) {
      double area = AreaAfter(op, c.first, c.second);
      if (c.areas[op] < 0)
        EXPECT_EQ(-1, area) << c.what << " op " << op;
      else
        EXPECT_NEAR(c.areas[op], area, 1e-3) << c.what << " op " << op;
    }
  }
}

TEST_F(WeldEntries, AHoleStaysAHoleWhicheverWayItsOutlineRuns) {
  // The hole drawn the same way round as its frame: the even-odd rule still makes it a hole.
  std::unique_ptr<CCurveBlock> frame(Rectangles({kFrame, kHole}));
  std::unique_ptr<CCurveBlock> nothing(Rectangles({kAway}));
  WeldOperand a = OperandOf(frame.get()), b = OperandOf(nothing.get());
  std::unique_ptr<CBlock> cut(TakeResult(m_weld.WeldCut(a, b)));
  ASSERT_NE(nullptr, cut);
  EXPECT_NEAR(300, AreaOf(cut.get()), 1e-3);
  Free(a);
  Free(b);
}

TEST_F(WeldEntries, EmptyMissingAndDamagedOperandsGiveNull) {
  std::unique_ptr<CCurveBlock> square(Rectangles({kSquare}));
  WeldOperand good = OperandOf(square.get());
  WeldOperand none = MakeWeldOperand(nullptr, 0, CFRect());
  EXPECT_EQ(nullptr, m_weld.Weld(good, none));
  EXPECT_EQ(nullptr, m_weld.FigureCut(none, good, 0));
  EXPECT_EQ(nullptr, m_weld.SelfWeld(none));

  // A length that is not the record's, and a record whose length runs past its memory.
  WeldOperand wrongLength = good;
  wrongLength.length -= 1;
  EXPECT_EQ(nullptr, m_weld.Weld(good, wrongLength));
  HGLOBAL shortMemory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 20);
  {
    std::vector<BYTE> bytes = BytesOf(good.records);
    memcpy(GlobalLock(shortMemory), bytes.data(), 20);
    GlobalUnlock(shortMemory);
  }
  WeldOperand truncated = MakeWeldOperand(shortMemory, good.length, kSquare);
  EXPECT_EQ(nullptr, m_weld.WeldAnd(truncated, good));
  truncated.length = 20;
  EXPECT_EQ(nullptr, m_weld.WeldAnd(truncated, good));
  GlobalFree(shortMemory);

  // An outline without any area (a lone open line) welds to the other operand's area alone.
  std::unique_ptr<CCurveBlock> line(new CCurveBlock);
  line->AddLine(2, 2, 8, 8);
  line->EndCurve();
  WeldOperand open = OperandOf(line.get());
  std::unique_ptr<CBlock> welded(TakeResult(m_weld.Weld(good, open)));
  ASSERT_NE(nullptr, welded);
  EXPECT_NEAR(100, AreaOf(welded.get()), 1e-3);
  Free(open);
  Free(good);
}

TEST_F(WeldEntries, ResultsAreNewMemoryAndOperandsStayAsTheyWere) {
  std::unique_ptr<CCurveBlock> a(Rectangles({kSquare})), b(Rectangles({kShifted}));
  WeldOperand x = OperandOf(a.get()), y = OperandOf(b.get());
  std::vector<BYTE> before = BytesOf(x.records);
  HGLOBAL result = m_weld.Weld(x, y);
  ASSERT_NE(nullptr, result);
  EXPECT_NE(x.records, result);
  EXPECT_NE(y.records, result);
  EXPECT_EQ(before, BytesOf(x.records));
  GlobalFree(result);
  Free(x);
  Free(y);
}

TEST_F(WeldEntries, FigureCutKeepsWhatIsInsideAndCutsCrossingOutlinesAtTheEdge) {
  const CFRect window(0, 0, 100, 100);
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  group->AddChild(Rectangles({CFRect(10, 10, 20, 20)}, 1));    // inside
  group->AddChild(Rectangles({CFRect(200, 10, 220, 20)}, 2));  // outside
  group->AddChild(Rectangles({CFRect(90, 40, 130, 60)}, 3));   // crossing the right edge
  std::unique_ptr<CCurveBlock> frame(Rectangles({window}));
  WeldOperand a = OperandOf(group.get()), b = OperandOf(frame.get());
  std::unique_ptr<CBlock> cut(TakeResult(m_weld.FigureCut(a, b, 0)));
  Free(a);
  Free(b);
  ASSERT_NE(nullptr, cut);
  ASSERT_EQ(kGroupBlock, cut->m_type);
  CGroupBlock* pieces = static_cast<CGroupBlock*>(cut.get());
  ASSERT_EQ(2, pieces->GetChildCount());
  CCurveBlock* inside = static_cast<CCurveBlock*>(pieces->GetChild(0));
  CCurveBlock* crossing = static_cast<CCurveBlock*>(pieces->GetChild(1));
  EXPECT_EQ(1u, inside->GetColour());
  EXPECT_NEAR(100, AreaOf(inside), 1e-3);
  EXPECT_EQ(3u, crossing->GetColour());
  EXPECT_NEAR(200, AreaOf(crossing), 1e-3);
  EXPECT_FLOAT_EQ(100, crossing->m_box.right);
  EXPECT_FLOAT_EQ(90, crossing->m_box.left);
}

TEST_F(WeldEntries, SelfWeldUnitesOverlapsButKeepsNestedHoles) {
  // Two overlapping squares in one outline show their overlap empty under the even-odd rule;
  // after the self weld it is filled. The hole nested in the frame stays.
  std::unique_ptr<CCurveBlock> shape(
      Rectangles({kSquare, kShifted, CFRect(50, 0, 70, 20), CFRect(55, 5, 65, 15)}));
  EXPECT_NEAR(150 + 300, AreaOf(shape.get()), 1e-3);
  WeldOperand a = OperandOf(shape.get());
  std::unique_ptr<CBlock> welded(TakeResult(m_weld.SelfWeld(a)));
  Free(a);
  ASSERT_NE(nullptr, welded);
  EXPECT_NEAR(175 + 300, AreaOf(welded.get()), 1e-3);
}

TEST_F(WeldEntries, LineCutSplitsTheShapeIntoPiecesAlongTheKnife) {
  std::unique_ptr<CCurveBlock> square(Rectangles({kFrame}));
  std::unique_ptr<CCurveBlock> knife(new CCurveBlock);
  knife->AddPoint(10, -5, kPointStart | kPointOnCurve);
  knife->AddPoint(10, 10, kPointOnCurve);
  knife->AddPoint(25, 10, kPointOpenEnd | kPointOnCurve);
  knife->EndCurve();
  WeldOperand a = OperandOf(square.get()), b = OperandOf(knife.get());
  std::unique_ptr<CBlock> pieces(TakeResult(m_weld.LineCut(a, b, 10)));  // a 0.1 kerf
  Free(a);
  Free(b);
  ASSERT_NE(nullptr, pieces);
  ASSERT_EQ(kGroupBlock, pieces->m_type);
  EXPECT_EQ(2, static_cast<CGroupBlock*>(pieces.get())->GetChildCount());
  // A kerf of 0.1 along the 10 + 10 of knife inside the square.
  EXPECT_NEAR(400 - 0.1 * 20, AreaOf(pieces.get()), 0.02);
}

}  // namespace
