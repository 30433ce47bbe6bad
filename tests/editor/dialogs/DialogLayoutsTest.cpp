// What the shape, transform, copy and position dialogs compute, without windows: table cells and
// frames, frames around blocks, the spins' steps, alignment on the page, the change of origin,
// scale ratios and the places of multiple copies, with the bounds that keep absurd input from
// making absurd amounts of work.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/dialogs/ShapeLayouts.h"
#include "editor/dialogs/TransformLayouts.h"
#include "model/blocks/CurveBlock.h"

namespace {

void ExpectRect(const CFRect& expected, const CFRect& actual) {
  EXPECT_FLOAT_EQ(expected.left, actual.left);
  EXPECT_FLOAT_EQ(expected.top, actual.top);
  EXPECT_FLOAT_EQ(expected.right, actual.right);
  EXPECT_FLOAT_EQ(expected.bottom, actual.bottom);
}

int SubpathCount(const CCurveBlock& curve) {
  int count = 0;
  for (const POINTREC& point : curve.GetPoints())
    if (IsSubpathStart(point.flags)) ++count;
  return count;
}

}  // namespace

TEST(TableLayout, CellsRunRowByRowInsideAFrameTheOuterWidthAwayFromThem) {
  // Widths 100,50 and heights 20,20,20 with outer and inner 2, at (10, 10).
  const CShapeLayouts::Table table = {2, 2, "100,50", "20,20,20"};
  CShapeLayouts::TableLayout layout = CShapeLayouts::LayOutTable(10, 10, table);
  ASSERT_EQ(6u, layout.cells.size());
  ExpectRect(CFRect(12, 12, 112, 32), layout.cells[0]);
  ExpectRect(CFRect(114, 12, 164, 32), layout.cells[1]);
  ExpectRect(CFRect(12, 34, 112, 54), layout.cells[2]);
  ExpectRect(CFRect(114, 56, 164, 76), layout.cells[5]);
  ExpectRect(CFRect(10, 10, 166, 78), layout.frame);

  std::unique_ptr<CCurveBlock> curve(CShapeLayouts::MakeTableCurve(layout));
  ASSERT_TRUE(curve);
  EXPECT_EQ(7, SubpathCount(*curve));
}

TEST(TableLayout, NoTableWithoutPositiveWidthsOrWithoutAColumnAndARow) {
  struct Case {
    CShapeLayouts::Table table;
    size_t cells;
  };
  const Case cases[] = {
      {{2, 0, "100", "20"}, 0},
      {{-1, 2, "100", "20"}, 0},
      // No row: the frame would need a column position that was never set.
      {{2, 2, "100", ""}, 0},
      {{2, 2, "100", "abc"}, 0},
      {{2, 2, "", "20"}, 0},
      // A list holding anything but numbers has no field at all.
      {{2, 2, "100,x,50", "20"}, 0},
      // Empty fields repeat the number before them; the list ends where its fields do.
      {{2, 2, "100,50", "20,,"}, 6},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.cells, CShapeLayouts::LayOutTable(0, 0, c.table).cells.size())
        << c.table.widths << " / " << c.table.heights;
  EXPECT_EQ(nullptr, CShapeLayouts::MakeTableCurve(CShapeLayouts::TableLayout()));
  // A list longer than a table may be is cut at its bound.
  std::string many;
  for (int i = 0; i < 300; ++i) many += "1,";
  EXPECT_EQ(size_t(CShapeLayouts::kMaxTableColumns),
            CShapeLayouts::LayOutTable(0, 0, {2, 2, many.c_str(), "5"}).cells.size());
}

TEST(OuterFrames, ASecondLineGrowsByTheVerticalWidthSidewaysAndTheHorizontalOneUpAndDown) {
  const CFRect box(10, 20, 30, 40);
  CShapeLayouts::Frame frame = {5, 3, 2, 4, true};
  std::vector<CFRect> frames = CShapeLayouts::FramesAround(box, frame);
  ASSERT_EQ(2u, frames.size());
  ExpectRect(CFRect(5, 17, 35, 43), frames[0]);
  ExpectRect(CFRect(1, 15, 39, 45), frames[1]);
  frame.doubleLine = false;
  EXPECT_EQ(1u, CShapeLayouts::FramesAround(box, frame).size());
  std::unique_ptr<CCurveBlock> curve(CShapeLayouts::MakeFrameCurve(box, {5, 3, 2, 4, true}));
  EXPECT_EQ(2, SubpathCount(*curve));
}

TEST(DialogSpins, StepsStayWithinTheirBounds) {
  EXPECT_EQ(3, CShapeLayouts::StepCorners(3, -1));
  EXPECT_EQ(4, CShapeLayouts::StepCorners(3, 1));
  EXPECT_EQ(360, CShapeLayouts::StepCorners(360, 1));
  // The up arrow (delta 0 or less) adds 1, the down arrow takes 1 away.
  EXPECT_FLOAT_EQ(3.5f, CShapeLayouts::StepThickness(2.5f, -1));
  EXPECT_FLOAT_EQ(-0.5f, CShapeLayouts::StepThickness(0.5f, 1));
  EXPECT_FLOAT_EQ(180, CShapeLayouts::StepAngleThreshold(179.5f, 0));
  EXPECT_FLOAT_EQ(0, CShapeLayouts::StepAngleThreshold(0.5f, 1));
  EXPECT_EQ(-5, CShapeLayouts::StepAccuracy(-5, -1));
  EXPECT_EQ(-15, CShapeLayouts::StepAccuracy(-15, 1));
  EXPECT_EQ(-9, CShapeLayouts::StepAccuracy(-10, 0));
  EXPECT_DOUBLE_EQ(1e-10, CShapeLayouts::AccuracyNumber(-10));
}

TEST(PositionLayout, AlignmentButtonsPlaceTheOriginPointByThePageAndTheMargins) {
  using L = CTransformLayouts;
  const L::Page page = {400, 300, 5, 7};
  const float w = 100, h = 50, current = 123;
  struct Case {
    L::Alignment alignment;
    int origin;
    float expected;
  };
  const Case cases[] = {
      {L::kAlignLeft, L::kTopLeft, 5},
      {L::kAlignLeft, L::kCentre, 55},
      {L::kAlignLeft, L::kBottomRight, 105},
      {L::kAlignRight, L::kBottomLeft, 295},
      {L::kAlignRight, L::kCentre, 345},
      {L::kAlignRight, L::kBottomRight, 395},
      {L::kAlignHCentre, L::kTopLeft, 150},
      {L::kAlignHCentre, L::kCentre, 200},
      {L::kAlignHCentre, L::kTopRight, 250},
      {L::kAlignTop, L::kTopRight, 7},
      {L::kAlignTop, L::kCentre, 32},
      {L::kAlignTop, L::kBottomLeft, 57},
      {L::kAlignBottom, L::kTopLeft, 243},
      {L::kAlignBottom, L::kBottomRight, 293},
      {L::kAlignVCentre, L::kBottomLeft, 175},
      {L::kAlignVCentre, L::kCentre, 150},
      {L::kAlignLeft, -1, current},
      {L::kAlignBottom, -1, current},
  };
  for (const Case& c : cases)
    EXPECT_FLOAT_EQ(c.expected, L::Align(c.alignment, c.origin, w, h, page, current))
        << c.alignment << " origin " << c.origin;
}

TEST(PositionLayout, ChangingTheOriginKeepsTheRectangleWhereItIs) {
  using L = CTransformLayouts;
  FPOINT centre = L::ChangeOrigin({10, 20}, 100, 50, L::kTopLeft, L::kCentre);
  EXPECT_FLOAT_EQ(60, centre.x);
  EXPECT_FLOAT_EQ(45, centre.y);
  FPOINT corner = L::ChangeOrigin(centre, 100, 50, L::kCentre, L::kBottomRight);
  EXPECT_FLOAT_EQ(110, corner.x);
  EXPECT_FLOAT_EQ(70, corner.y);
  FPOINT back = L::ChangeOrigin(corner, 100, 50, L::kBottomRight, L::kTopLeft);
  EXPECT_FLOAT_EQ(10, back.x);
  EXPECT_FLOAT_EQ(20, back.y);
  // No origin chosen counts as the top-left corner.
  FPOINT none = L::ReferencePoint(CFRect(1, 2, 3, 4), -1);
  EXPECT_FLOAT_EQ(1, none.x);
  EXPECT_FLOAT_EQ(2, none.y);
}

TEST(ScaleLayout, ATypedSizeGivesTheRatioAndTheOtherSizeUnlessTheBoxIsFlat) {
  float other = -1, ratio = -1;
  ASSERT_TRUE(CTransformLayouts::RatioFromSize(200, 100, 50, &other, &ratio));
  EXPECT_FLOAT_EQ(2, ratio);
  EXPECT_FLOAT_EQ(100, other);
  other = ratio = -1;
  EXPECT_FALSE(CTransformLayouts::RatioFromSize(200, 0, 50, &other, &ratio));
  EXPECT_FLOAT_EQ(-1, ratio);
}

TEST(CopyLayout, GapListsRepeatTheirLastGapAndOffsetsAccumulate) {
  // Four columns of width 10 with "5,10": gaps 5, 10, 10.
  std::vector<FPOINT> row = CTransformLayouts::CopyOffsets(10, 20, 4, 1, "5,10", "2");
  ASSERT_EQ(3u, row.size());
  EXPECT_FLOAT_EQ(15, row[0].x);
  EXPECT_FLOAT_EQ(35, row[1].x);
  EXPECT_FLOAT_EQ(55, row[2].x);
  for (const FPOINT& offset : row) EXPECT_FLOAT_EQ(0, offset.y);
  // Rows: the gap after row j is field j; an empty list gives no gap.
  std::vector<FPOINT> column = CTransformLayouts::CopyOffsets(10, 20, 1, 3, "", "3");
  ASSERT_EQ(2u, column.size());
  EXPECT_FLOAT_EQ(23, column[0].y);
  EXPECT_FLOAT_EQ(46, column[1].y);
  std::vector<FPOINT> tight = CTransformLayouts::CopyOffsets(10, 20, 2, 2, "", "");
  ASSERT_EQ(3u, tight.size());
  EXPECT_FLOAT_EQ(10, tight[0].x);
  EXPECT_FLOAT_EQ(0, tight[1].x);
  EXPECT_FLOAT_EQ(20, tight[1].y);

  std::vector<FPOINT> grid = CTransformLayouts::GridOffsets(104, 54, 3, 5);
  ASSERT_EQ(14u, grid.size());
  EXPECT_FLOAT_EQ(208, grid.back().x);
  EXPECT_FLOAT_EQ(216, grid.back().y);
}

TEST(CopyLayout, FillingThePageCountsWholeCellsAndHugeCountsAreRefused) {
  // A 100 x 50 object with margin 2 on a 400 x 300 page: cells 104 x 54, counts 3 and 5.
  EXPECT_EQ(3, CTransformLayouts::FillCount(400, 100, 2));
  EXPECT_EQ(5, CTransformLayouts::FillCount(300, 50, 2));
  // A negative margin is 1; a cell of no size or a page smaller than a cell gives 1.
  EXPECT_EQ(4, CTransformLayouts::FillCount(400, 98, -3));
  EXPECT_EQ(1, CTransformLayouts::FillCount(400, 0, 0));
  EXPECT_EQ(1, CTransformLayouts::FillCount(50, 100, 2));
  EXPECT_FALSE(
      CTransformLayouts::CopyCountAllowed(CTransformLayouts::FillCount(1e9f, 0.001f, 0), 1));

  EXPECT_TRUE(CTransformLayouts::CopyCountAllowed(2000, 1));
  EXPECT_FALSE(CTransformLayouts::CopyCountAllowed(2001, 1));
  EXPECT_FALSE(CTransformLayouts::CopyCountAllowed(50, 50));
  EXPECT_FALSE(CTransformLayouts::CopyCountAllowed(0, 1));
  EXPECT_FALSE(CTransformLayouts::CopyCountAllowed(-3, 2));
  EXPECT_FALSE(CTransformLayouts::CopyCountAllowed(100000000000LL, 100000000000LL));
  EXPECT_TRUE(CTransformLayouts::CopyOffsets(10, 10, 100000, 100000, "", "").empty());
}
