// Outlines of the shape blocks: rectangles plain, rounded and cut, ellipses, arcs closed every way,
// polygons and stars, and the boxes the outlines leave on their blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "model/ShapeTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/MatrixFactories.h"

namespace {

const float kPi = 3.1415926f;

std::vector<POINTREC> PointsOf(CContour* made) {
  std::unique_ptr<CContour> contour(made);
  return contour ? contour->GetPoints() : std::vector<POINTREC>();
}

void ExpectPoint(const POINTREC& p, float x, float y, BYTE flags) {
  EXPECT_NEAR(x, p.x, 1e-3);
  EXPECT_NEAR(y, p.y, 1e-3);
  EXPECT_EQ(flags, p.flags);
}

TEST(RectContours, APlainRectangleIsNormalisedAndMapped) {
  std::vector<POINTREC> points = PointsOf(ContourFromRect(10, 20, 0, 0, nullptr));
  ASSERT_EQ(6u, points.size());
  ExpectPoint(points[0], 0, 0, 0x11);
  ExpectPoint(points[1], 10, 0, 0x01);
  ExpectPoint(points[2], 10, 20, 0x01);
  ExpectPoint(points[3], 0, 20, 0x01);
  ExpectPoint(points[4], 0, 0, 0x41);
  EXPECT_EQ(kPointEnd, points[5].flags);

  CMatrix2D shift;
  shift.m[6] = 5;
  shift.m[7] = -5;
  points = PointsOf(ContourFromRect(0, 0, 10, 20, &shift));
  ExpectPoint(points[2], 15, 15, 0x01);
}

TEST(RectContours, RoundedCornersAreOneBezierPieceEach) {
  std::unique_ptr<CContour> contour(ContourFromRoundRect(0, 0, 40, 20, 0.5f, 0.5f, nullptr));
  std::vector<POINTREC> points = contour->GetPoints();
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  // Radii 10 across and 5 down; controls 0.553 of the way toward the corner.
  ExpectPoint(points[0], 0, 5, 0x11);
  ExpectPoint(points[1], 0, 5 - 0.553f * 5, 0);
  ExpectPoint(points[2], 10 - 0.553f * 10, 0, 0);
  ExpectPoint(points[3], 10, 0, 1);
  ExpectPoint(points[4], 30, 0, 1);
  ExpectPoint(points[16], 0, 5, 0x41);
  ExpectBox(CFRect(0, 0, 40, 20), contour->GetBox(), 0.01f);
}

TEST(RectContours, FullRatiosLeaveNoStraightEdges) {
  std::vector<POINTREC> points = PointsOf(ContourFromRoundRect(0, 0, 40, 20, 1, 1, nullptr));
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[3], 20, 0, 1);
  ExpectPoint(points[12], 0, 10, 0x41);
}

TEST(RectContours, CutCornersAreStraightLines) {
  std::vector<POINTREC> points = PointsOf(
      ContourFromChamferRect(0, 0, 40, 20, 0.5f, 0.5f, nullptr));
  std::vector<BYTE> flags = {0x11, 1, 1, 1, 1, 1, 1, 1, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[1], 10, 0, 1);
  ExpectPoint(points[4], 40, 15, 1);
}

TEST(RectBlockContour, OneRatioZeroGivesSquareCornersAndTheBoxFollowsTheMatrix) {
  CRectBlock rect;
  rect.m_rect = CFRect(0, 0, 40, 20);
  rect.m_cornerRatioX = 0;
  rect.m_cornerRatioY = 0.5f;
  EXPECT_EQ(6u, PagePoints(rect).size());
  rect.m_cornerRatioX = 0.5f;
  EXPECT_EQ(18u, PagePoints(rect).size());

  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);
  rect.m_cornerRatioX = 0;
  rect.Transform(rotation);
  ExpectBox(CFRect(-20, 0, 0, 40), rect.m_box);
  std::unique_ptr<CContour> contour(rect.GetContour(nullptr, 0));
  ExpectBox(CFRect(-20, 0, 0, 40), rect.m_box);
  std::vector<POINTREC> points = contour->GetPoints();
  ExpectPoint(points[1], 0, 40, 1);

  // A given matrix is left pending on the outline; the block's box stays on the page.
  CMatrix2D twice;
  twice.m[0] = twice.m[4] = 2;
  contour.reset(rect.GetContour(&twice, 0));
  EXPECT_EQ(2.0f, contour->GetMatrix().m[0]);
  ExpectBox(CFRect(-20, 0, 0, 40), rect.m_box);

  rect.m_type = kLineBlock;
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(rect.GetContour(nullptr, 0)));
}

TEST(LineBlockContour, TwoPointsThroughBothMatrices) {
  CLineBlock line;
  line.m_start = {1, 2};
  line.m_end = {3, 4};
  line.m_matrix.m[6] = 10;
  CMatrix2D twice;
  twice.m[0] = twice.m[4] = 2;
  std::unique_ptr<CContour> contour(line.GetContour(&twice, 0));
  std::vector<POINTREC> points = contour->GetPoints();
  ASSERT_EQ(3u, points.size());
  ExpectPoint(points[0], 22, 4, 0x11);
  ExpectPoint(points[1], 26, 8, 0x21);
  EXPECT_EQ(kPointEnd, points[2].flags);
}

class CircleContour : public ::testing::Test {
protected:
  CircleContour() {
    circle.m_rect = CFRect(0, 0, 20, 20);
    circle.m_startAngle = 0;
    circle.m_endAngle = kPi;
  }
  std::vector<POINTREC> Points() { return PagePoints(circle); }

  CCircleBlock circle;
};

TEST_F(CircleContour, EqualAnglesDrawTheWholeEllipseWhateverTheArcMode) {
  circle.m_endAngle = circle.m_startAngle = 1.2f;
  circle.m_arcMode = -1;
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(Points()));
  ExpectBox(CFRect(0, 0, 20, 20), circle.m_box, 0.05f);
}

TEST_F(CircleContour, AnOpenArc) {
  std::vector<POINTREC> points = Points();
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 0x21, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[0], 20, 10, 0x11);
  ExpectPoint(points[3], 10, 0, 1);
  ExpectPoint(points[6], 0, 10, 0x21);
  // Only the upper half: the box ends at the centre line.
  EXPECT_NEAR(10, circle.m_box.bottom, 1e-3);
}

TEST_F(CircleContour, APieClosesThroughTheCentre) {
  for (float mode : {-1.0f, -1.5f}) {
    SCOPED_TRACE(mode);
    circle.m_arcMode = mode;
    std::vector<POINTREC> points = Points();
    std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 1, 0x41, 0xFF};
    EXPECT_EQ(flags, FlagsOf(points));
    ExpectPoint(points[7], 10, 10, 1);
    ExpectPoint(points[8], 20, 10, 0x41);
  }
}

TEST_F(CircleContour, AChordClosesStraightBackToTheStart) {
  for (float mode : {-2.0f, -7.0f}) {
    SCOPED_TRACE(mode);
    circle.m_arcMode = mode;
    std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 0x41, 0xFF};
    EXPECT_EQ(flags, FlagsOf(Points()));
  }
  circle.m_arcMode = -0.5f;  // above -1: still open
  EXPECT_EQ(0x21, Points()[6].flags);
}

TEST_F(CircleContour, ABandRunsOutAlongTheArcAndBackAlongItsInnerEdge) {
  circle.m_arcMode = 2;
  std::vector<POINTREC> points = Points();
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 1, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[6], 0, 10, 1);
  ExpectPoint(points[7], 2, 10, 1);    // inner edge at the end angle
  ExpectPoint(points[10], 10, 2, 1);   // inner top
  ExpectPoint(points[13], 18, 10, 1);  // inner edge at the start angle
  ExpectPoint(points[14], 20, 10, 0x41);
}

TEST_F(CircleContour, TheBlockMatrixMapsTheOutlineAndSetsTheBox) {
  circle.m_endAngle = circle.m_startAngle;
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);
  circle.m_rect = CFRect(0, 0, 40, 20);
  circle.Transform(rotation);
  std::vector<POINTREC> points = Points();
  ExpectPoint(points[0], -10, 0, 0x11);  // left end of the ellipse's axis
  ExpectPoint(points[6], -10, 40, 1);    // right end
  ExpectBox(CFRect(-20, 0, 0, 40), circle.m_box, 0.05f);
}

TEST(PolygonContour, PlainPolygonsIgnoreTheInnerRadius) {
  CPolygonBlock polygon;
  polygon.m_centre = {0, 0};
  polygon.m_startAngle = kPi / 2;
  polygon.m_innerRadius = 40;
  std::vector<POINTREC> points = PagePoints(polygon);
  std::vector<BYTE> flags = {0x11, 1, 1, 1, 1, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[0], 0, -100, 0x11);
  ExpectPoint(points[5], 0, -100, 0x41);
  // A star angle with an inner radius equal to the outer one is still a plain polygon.
  polygon.m_starAngle = kPi / 5;
  polygon.m_innerRadius = 100;
  EXPECT_EQ(flags, FlagsOf(PagePoints(polygon)));
}

TEST(PolygonContour, AStarPutsAnInnerCornerAfterEachCorner) {
  CPolygonBlock polygon;
  polygon.m_cornerCount = 5;
  polygon.m_startAngle = kPi / 2;
  polygon.m_starAngle = kPi / 5;
  polygon.m_innerRadius = 40;
  std::vector<POINTREC> points = PagePoints(polygon);
  std::vector<BYTE> flags = {0x11, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[1], -40 * std::sin(kPi / 5), -40 * std::cos(kPi / 5), 1);
}

TEST(PolygonContour, ABandAddsASecondOutlineFurtherIn) {
  CPolygonBlock polygon;
  polygon.m_cornerCount = 4;
  polygon.m_outerRadius = 10;
  polygon.m_bandWidth = 2;
  std::vector<POINTREC> points = PagePoints(polygon);
  std::vector<BYTE> flags = {0x11, 1, 1, 1, 0x41, 0x11, 1, 1, 1, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(points));
  ExpectPoint(points[5], 8, 0, 0x11);
  ExpectPoint(points[6], 0, -8, 1);
}

TEST(PolygonContour, TooFewCornersAreRaisedToATriangle) {
  RegularPolygonShape shape = {0, 0, 10, 0, 0, 0, 0, 0};
  for (int corners : {0, 1, -3}) {
    shape.corners = corners;
    EXPECT_EQ(5u, PointsOf(ContourFromRegularPolygon(shape)).size());
  }
}

TEST(PolygonContour, TheBoxIsRightStraightAfterATransform) {
  CPolygonBlock polygon;
  polygon.m_cornerCount = 4;
  polygon.m_outerRadius = 10;
  polygon.m_box = CFRect(-10, -10, 10, 10);
  CMatrix2D stretch;
  stretch.m[0] = 2;
  stretch.m[6] = 5;
  polygon.Transform(stretch);
  ExpectBox(CFRect(-15, -10, 25, 10), polygon.m_box);
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 45);
  polygon.Transform(rotation);
  CFRect box = polygon.m_box;
  // The rotated diamond's corners, not the rotated old box.
  std::vector<POINTREC> points = PagePoints(polygon);
  CFRect expected(points[0].x, points[0].y, points[0].x, points[0].y);
  for (int i = 1; i < 4; ++i) {
    expected.left = std::min(expected.left, points[i].x);
    expected.right = std::max(expected.right, points[i].x);
    expected.top = std::min(expected.top, points[i].y);
    expected.bottom = std::max(expected.bottom, points[i].y);
  }
  ExpectBox(expected, box);
}

// A shape on the page keeps the outline it built: its box must be the one a copy appended point by
// point would have, whichever way the outline was built.
TEST(ShapeContours, AnUnmappedShapeLeavesTheBoxOfItsOutlineAppendedPointByPoint) {
  auto* rounded = new CRectBlock;
  rounded->m_rect = CFRect(3.5f, -2.25f, 41, 17.75f);
  rounded->m_cornerRatioX = 0.6f;
  rounded->m_cornerRatioY = 0.3f;
  auto* star = new CPolygonBlock;
  star->m_cornerCount = 7;
  star->m_outerRadius = 12;
  star->m_innerRadius = 5;
  star->m_starAngle = 0.3f;
  star->m_bandWidth = 2;
  std::vector<std::unique_ptr<CShapeBlock>> shapes;
  shapes.emplace_back(rounded);
  shapes.emplace_back(star);
  for (float mode : {0.0f, CCircleBlock::kPie, 3.5f}) {
    auto* arc = new CCircleBlock;
    arc->m_rect = CFRect(-7, 4.5f, 33.25f, 29);
    arc->m_startAngle = 0.4f;
    arc->m_endAngle = 4.9f;
    arc->m_arcMode = mode;
    shapes.emplace_back(arc);
  }
  for (const auto& shape : shapes) {
    SCOPED_TRACE(&shape - &shapes[0]);
    std::unique_ptr<CContour> outline(shape->GetContour(nullptr, 0));
    ASSERT_NE(nullptr, outline);
    CContour copy;
    for (const POINTREC& record : outline->GetPoints())
      IsSpecialPoint(record.flags) ? copy.AppendRaw(record) : copy.AppendPoint(record);
    ExpectBox(copy.GetBox(), shape->m_box, 0.0f);
    ExpectBox(copy.GetBox(), outline->GetBox(), 0.0f);
  }
}

}  // namespace
