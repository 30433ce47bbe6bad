// Conversion of the shape blocks to curves and the curve builders of the shapes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/ShapeTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/MatrixFactories.h"
#include "model/geometry/ShapeCurves.h"

namespace {

const float kPi = 3.1415926f;

std::vector<POINTREC> CurvePoints(CBlock* made) {
  std::unique_ptr<CBlock> block(made);
  if (!block) return {};
  EXPECT_EQ(kCurveBlock, block->m_type);
  return static_cast<CCurveBlock*>(block.get())->GetPoints();
}

TEST(ShapeToCurve, EveryShapeGivesItsPageOutlineInItsColour) {
  CLineBlock line;
  line.m_end = {10, 5};
  CRectBlock rect;
  rect.m_rect = CFRect(0, 0, 40, 20);
  rect.m_cornerRatioX = rect.m_cornerRatioY = 0.5f;
  CCircleBlock circle;
  circle.m_rect = CFRect(0, 0, 20, 20);
  circle.m_startAngle = 0;
  circle.m_endAngle = kPi;
  circle.m_arcMode = 3;
  CPolygonBlock polygon;
  polygon.m_starAngle = 0.4f;
  polygon.m_innerRadius = 30;
  CMatrix2D rotation = MakeRotationMatrix(5, 5, 30);
  CShapeBlock* blocks[] = {&line, &rect, &circle, &polygon};
  for (CShapeBlock* block : blocks) {
    SCOPED_TRACE(int(block->m_type));
    block->m_colour = 0x00123456;
    block->Transform(rotation);
    std::vector<POINTREC> outline = PagePoints(*block);
    std::unique_ptr<CBlock> curve(block->ToCurve(CShapeBlock::kAnyColour));
    ASSERT_NE(nullptr, curve);
    CCurveBlock* converted = static_cast<CCurveBlock*>(curve.get());
    EXPECT_EQ(0x00123456u, converted->GetColour());
    EXPECT_TRUE(converted->m_matrix.IsIdentity());
    ExpectBox(block->m_box, converted->m_box);
    ExpectSamePoints(outline, converted->GetPoints());
    EXPECT_NE(nullptr, std::unique_ptr<CBlock>(block->ToCurve(0x00123456)));
    EXPECT_EQ(nullptr, std::unique_ptr<CBlock>(block->ToCurve(0x00123457)));
  }
}

TEST(ShapeCurves, RectanglesRunFromTheFirstCornerAndClose) {
  std::vector<POINTREC> points = CurvePoints(MakeRectCurve(10, 0, 0, 5));
  ASSERT_EQ(6u, points.size());
  EXPECT_EQ(10.0f, points[0].x);
  EXPECT_EQ(0x11, points[0].flags);
  EXPECT_EQ(0.0f, points[1].x);
  EXPECT_EQ(0x41, points[4].flags);
  points = CurvePoints(MakeRectCurveFromFRect(CFRect(10, 0, 0, 5)));
  EXPECT_EQ(0.0f, points[0].x);
  EXPECT_EQ(10.0f, points[1].x);
}

TEST(ShapeCurves, EllipseArcAndPie) {
  std::vector<BYTE> ellipse = {0x11, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0x41, 0xFF};
  EXPECT_EQ(ellipse, FlagsOf(CurvePoints(MakeEllipseCurve(0, 0, 20, 10))));

  std::vector<BYTE> arc = {0x11, 0, 0, 0x21, 0xFF};
  EXPECT_EQ(arc, FlagsOf(CurvePoints(MakeArcCurve(0, 0, 20, 20, 0, kPi / 2))));
  EXPECT_EQ(nullptr, std::unique_ptr<CCurveBlock>(MakeArcCurve(0, 0, 20, 20, 1, 1)));

  std::vector<POINTREC> pie = CurvePoints(MakePieCurve(0, 0, 20, 20, 0, kPi / 2));
  std::vector<BYTE> pieFlags = {0x11, 0, 0, 1, 1, 0x41, 0xFF};
  EXPECT_EQ(pieFlags, FlagsOf(pie));
  EXPECT_EQ(10.0f, pie[4].x);
  EXPECT_EQ(10.0f, pie[4].y);
  EXPECT_EQ(nullptr, std::unique_ptr<CCurveBlock>(MakePieCurve(0, 0, 20, 20, 1, 1.0009f)));
}

TEST(ShapeCurves, RegularPolygonsSitInTheSquareOfTheBox) {
  EXPECT_EQ(nullptr, std::unique_ptr<CCurveBlock>(MakeRegularPolygonCurve(0, 0, 40, 20, 2, 0, 0)));
  // Radius 10 about (20, 10), first corner straight up.
  std::vector<POINTREC> points = CurvePoints(MakeRegularPolygonCurve(0, 0, 40, 20, 3, 0, 0));
  ASSERT_EQ(5u, points.size());
  EXPECT_NEAR(20, points[0].x, 1e-4);
  EXPECT_NEAR(0, points[0].y, 1e-4);
  // A band doubles the outline; an inner size puts an inner corner between the corners, pulled in
  // from the middle of the edge (5 from the centre for a triangle of radius 10).
  EXPECT_EQ(9u, CurvePoints(MakeRegularPolygonCurve(0, 0, 40, 20, 3, 2, 0)).size());
  points = CurvePoints(MakeRegularPolygonCurve(0, 0, 40, 20, 3, 0, 2));
  ASSERT_EQ(8u, points.size());
  EXPECT_NEAR(3, std::hypot(points[1].x - 20, points[1].y - 10), 1e-4);
}

}  // namespace
