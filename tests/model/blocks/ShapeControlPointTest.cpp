// Handles and control points of the shape blocks at a fixed scale of half a page unit per pixel
// (3 pixels = 1.5 units): where they are hit and what each drag does.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/FakeBlockView.h"
#include "model/ShapeTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/editing/DragState.h"
#include "model/geometry/MatrixFactories.h"

namespace {

const float kPi = 3.1415926f;

int HitIndex(CBlock& block, CBlockView& view, float x, float y) {
  int index = 99;
  return block.HitTestControlPoint(&view, x, y, &index) ? index : (index == kNoHandle ? -1 : -99);
}

class ShapeControls : public ::testing::Test {
protected:
  ShapeControls() : view(0.5) {}
  void TearDown() override { GetDragState().Reset(); }
  FakeBlockView view;
};

// Line

TEST_F(ShapeControls, LineHandlesAreItsEndsStartFirst) {
  CLineBlock line;
  line.m_end = {10, 0};
  int handle = -1;
  EXPECT_TRUE(line.HitTestHandle(&view, 1.5f, -1.5f, &handle));
  EXPECT_EQ(0, handle);
  EXPECT_TRUE(line.HitTestHandle(&view, 9, 1, &handle));
  EXPECT_EQ(1, handle);
  EXPECT_FALSE(line.HitTestHandle(&view, 5, 0, &handle));
}

TEST_F(ShapeControls, MovingALineEndUnderAMatrixKeepsTheOtherEndOnThePage) {
  CLineBlock line;
  line.m_end = {10, 0};
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);
  line.Transform(rotation);
  line.MoveHandle(0, 0, 5, 5);
  std::vector<POINTREC> points = PagePoints(line);
  EXPECT_NEAR(5, points[0].x, 1e-4);
  EXPECT_NEAR(5, points[0].y, 1e-4);
  EXPECT_NEAR(0, points[1].x, 1e-4);
  EXPECT_NEAR(10, points[1].y, 1e-4);
  ExpectBox(CFRect(0, 5, 5, 10), line.m_box, 1e-4f);
  line.MoveHandle(0, 1, 7, 8);
  EXPECT_NEAR(7, PagePoints(line)[1].x, 1e-4);
}

TEST_F(ShapeControls, ALineIsHitNearItsSegmentOnly) {
  CLineBlock line;
  line.m_end = {10, 0};
  EXPECT_TRUE(line.HitTest(&view, 5, 1.4f));
  EXPECT_FALSE(line.HitTest(&view, 5, 1.6f));
  EXPECT_TRUE(line.HitTest(&view, 11.4f, 0));
  EXPECT_FALSE(line.HitTest(&view, 11.6f, 0));
  // Ends that coincide: only within the tolerance of that point.
  line.m_start = line.m_end = {5, 5};
  EXPECT_TRUE(line.HitTest(&view, 6, 6));
  EXPECT_FALSE(line.HitTest(&view, 6.2f, 6.2f));
  EXPECT_FALSE(line.HitTest(&view, 5, 8));
}

TEST_F(ShapeControls, OffsetMovesALinesEndsOrItsMatrix) {
  CLineBlock line;
  line.m_end = {10, 0};
  line.Offset(2, 3);
  EXPECT_EQ(2.0f, line.m_start.x);
  EXPECT_EQ(3.0f, line.m_end.y);
  line.m_matrix.m[0] = 2;
  line.Offset(1, 1);
  EXPECT_EQ(2.0f, line.m_start.x);
  EXPECT_EQ(1.0f, line.m_matrix.m[6]);
}

// Rectangle

class RectControls : public ShapeControls {
protected:
  RectControls() {
    rect.m_rect = CFRect(0, 0, 40, 20);
    rect.m_box = rect.m_rect;
  }
  CRectBlock rect;
};

TEST_F(RectControls, ControlPointsSitOnTheCornersUntilRounded) {
  EXPECT_EQ(0, HitIndex(rect, view, 1, 1));
  EXPECT_EQ(1, HitIndex(rect, view, 39, -1));
  EXPECT_EQ(2, HitIndex(rect, view, 0, 21));
  EXPECT_EQ(3, HitIndex(rect, view, 41.5f, 18.5f));
  EXPECT_EQ(-1, HitIndex(rect, view, 20, 10));
  rect.m_cornerRatioX = rect.m_cornerRatioY = 0.5f;
  EXPECT_EQ(0, HitIndex(rect, view, 10, 5));
  EXPECT_EQ(3, HitIndex(rect, view, 30, 15));
}

TEST_F(RectControls, EachCornerDragsBothRatios) {
  rect.MoveControlPoint(&view, 0, 0, 10, 5);
  EXPECT_FLOAT_EQ(0.5f, rect.m_cornerRatioX);
  EXPECT_FLOAT_EQ(0.5f, rect.m_cornerRatioY);
  rect.MoveControlPoint(&view, 0, 3, 35, 18);
  EXPECT_FLOAT_EQ(0.25f, rect.m_cornerRatioX);
  EXPECT_FLOAT_EQ(0.2f, rect.m_cornerRatioY);
  rect.MoveControlPoint(&view, 0, 1, 60, -5);  // beyond the corner: square
  EXPECT_FLOAT_EQ(0, rect.m_cornerRatioX);
  EXPECT_FLOAT_EQ(0, rect.m_cornerRatioY);
  rect.MoveControlPoint(&view, 0, 2, 30, 5);  // past the centre: fully round
  EXPECT_FLOAT_EQ(1, rect.m_cornerRatioX);
  EXPECT_FLOAT_EQ(1, rect.m_cornerRatioY);
  rect.MoveControlPoint(&view, 0, 4, 10, 5);
  rect.MoveControlPoint(&view, 0, -1, 10, 5);
  EXPECT_FLOAT_EQ(1, rect.m_cornerRatioX);
}

TEST_F(RectControls, DragsWorkInBlockCoordinates) {
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);
  rect.Transform(rotation);
  // Block (10, 5) lies at (-5, 10) on the page.
  EXPECT_EQ(0, HitIndex(rect, view, 0, 1));
  rect.MoveControlPoint(&view, 0, 0, -5, 10);
  EXPECT_NEAR(0.5f, rect.m_cornerRatioX, 1e-5);
  EXPECT_NEAR(0.5f, rect.m_cornerRatioY, 1e-5);
}

TEST_F(RectControls, ARectangleWithoutWidthOrHeightStaysFinite) {
  for (CFRect flat : {CFRect(10, 0, 10, 20), CFRect(0, 10, 40, 10), CFRect(5, 5, 5, 5)}) {
    rect.m_rect = flat;
    rect.m_cornerRatioX = rect.m_cornerRatioY = 0.25f;
    for (int index = 0; index < 4; ++index) rect.MoveControlPoint(&view, 0, index, 7, 6);
    EXPECT_TRUE(std::isfinite(rect.m_cornerRatioX));
    EXPECT_TRUE(std::isfinite(rect.m_cornerRatioY));
    for (const POINTREC& p : PagePoints(rect)) {
      EXPECT_TRUE(std::isfinite(p.x));
      EXPECT_TRUE(std::isfinite(p.y));
    }
  }
}

TEST_F(RectControls, TheInteriorIsNotTheOutline) {
  EXPECT_FALSE(rect.HitTest(&view, 20, 10));
  EXPECT_TRUE(rect.HitTest(&view, 20, 1.4f));
  EXPECT_TRUE(rect.HitTest(&view, -1.4f, 10));
  EXPECT_FALSE(rect.HitTest(&view, -1.6f, 10));
}

TEST_F(RectControls, ANodeToolDragRoundsTheCornersAndUndoSquaresThemAgain) {
  view.tool = kNodeTool;
  view.undo.BeginStep();
  ASSERT_TRUE(rect.OnLButtonDown(&view, MK_LBUTTON, 0, 0));
  rect.OnMouseMove(&view, MK_LBUTTON, 10, 5);
  rect.OnLButtonUp(&view, 0, 10, 5);
  view.undo.EndStep();
  EXPECT_FLOAT_EQ(0.5f, rect.m_cornerRatioX);
  ASSERT_EQ(1, view.undo.GetStepCount());
  view.undo.PlayLastStep(&view);
  EXPECT_FLOAT_EQ(0, rect.m_cornerRatioX);
  EXPECT_FLOAT_EQ(0, rect.m_cornerRatioY);
}

// Circle and arc: the ellipse in (0, 0, 40, 20), centre (20, 10), half-axes 20 and 10.

class CircleControls : public ShapeControls {
protected:
  CircleControls() {
    circle.m_rect = CFRect(0, 0, 40, 20);
    circle.m_box = circle.m_rect;
  }
  void MakeUpperHalf(float mode) {
    circle.m_startAngle = 0;
    circle.m_endAngle = kPi;
    circle.m_arcMode = mode;
  }
  CCircleBlock circle;
};

TEST_F(CircleControls, AWholeEllipseOffersCentreStartMiddleAndTurningHandle) {
  // Start = end = pi/2: the start on top, the middle opposite at the bottom, the turning handle
  // 15 pixels (7.5 units) below that.
  EXPECT_EQ(CCircleBlock::kCentre, HitIndex(circle, view, 20, 10));
  EXPECT_EQ(CCircleBlock::kStartPoint, HitIndex(circle, view, 20, 0));
  EXPECT_EQ(CCircleBlock::kArcClosing, HitIndex(circle, view, 20, 20));
  EXPECT_EQ(CCircleBlock::kTurnHandle, HitIndex(circle, view, 20, 27.5f));
  EXPECT_EQ(-1, HitIndex(circle, view, 0, 10));
}

TEST_F(CircleControls, ABandOffersItsOuterAndInnerEdges) {
  MakeUpperHalf(4);
  EXPECT_EQ(CCircleBlock::kStartPoint, HitIndex(circle, view, 38, 10));  // middle of the band
  EXPECT_EQ(CCircleBlock::kEndPoint, HitIndex(circle, view, 2, 10));
  EXPECT_EQ(CCircleBlock::kOuterEdge, HitIndex(circle, view, 20, 0));
  EXPECT_EQ(CCircleBlock::kArcClosing, HitIndex(circle, view, 20, 4));
  EXPECT_EQ(CCircleBlock::kTurnHandle, HitIndex(circle, view, 20, -7.5f));
}

TEST_F(CircleControls, TheCentreMovesTheEllipseAndItsBox) {
  circle.MoveControlPoint(&view, 0, CCircleBlock::kCentre, 25, 12);
  ExpectBox(CFRect(5, 2, 45, 22), circle.m_rect);
  ExpectBox(CFRect(5, 2, 45, 22), circle.m_box);
  // Under a matrix the box moves by the mapped amount.
  CMatrix2D twice;
  twice.m[0] = twice.m[4] = 2;
  circle.Transform(twice);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kCentre, 52, 24);  // block (26, 12)
  ExpectBox(CFRect(12, 4, 92, 44), circle.m_box);
}

TEST_F(CircleControls, StartAndEndFollowTheMouseAndSnapTogetherWithinTwoPixels) {
  circle.MoveControlPoint(&view, 0, CCircleBlock::kStartPoint, 40, 10);
  EXPECT_FLOAT_EQ(0, circle.m_startAngle);
  EXPECT_FALSE(circle.IsWholeEllipse());
  circle.MoveControlPoint(&view, 0, CCircleBlock::kEndPoint, 0, 10);
  EXPECT_NEAR(kPi, circle.m_endAngle, 1e-5);
  // Within 1 unit (2 pixels) of the other end: whole again.
  circle.MoveControlPoint(&view, 0, CCircleBlock::kEndPoint, 40, 10.02f);
  EXPECT_TRUE(circle.IsWholeEllipse());
  circle.m_endAngle = kPi;
  circle.MoveControlPoint(&view, 0, CCircleBlock::kStartPoint, 0.2f, 10.2f);
  EXPECT_TRUE(circle.IsWholeEllipse());
  EXPECT_NEAR(kPi, circle.m_startAngle, 1e-5);
}

TEST_F(CircleControls, TheOuterEdgeWidensTheBandOrMakesAPieOrAnArc) {
  MakeUpperHalf(2);
  // Inner edge at (20, 2), 8 from the centre; the mouse 14 away: band 6, rectangle 4 larger.
  circle.MoveControlPoint(&view, 0, CCircleBlock::kOuterEdge, 20, -4);
  EXPECT_FLOAT_EQ(6, circle.m_arcMode);
  ExpectBox(CFRect(-4, -4, 44, 24), circle.m_rect);

  MakeUpperHalf(2);
  circle.m_rect = CFRect(0, 0, 40, 20);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kOuterEdge, 20.5f, 10);
  EXPECT_EQ(CCircleBlock::kPie, circle.m_arcMode);
  MakeUpperHalf(2);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kOuterEdge, 20, 5);  // inside the inner edge
  EXPECT_EQ(CCircleBlock::kOpenArc, circle.m_arcMode);
  MakeUpperHalf(2);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kOuterEdge, 20, 1.5f);  // on the inner edge
  EXPECT_EQ(CCircleBlock::kOpenArc, circle.m_arcMode);
  ExpectBox(CFRect(0, 0, 40, 20), circle.m_rect);
}

TEST_F(CircleControls, TheClosingPointChoosesPieArcChordOrBand) {
  MakeUpperHalf(0);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kArcClosing, 20, 9);
  EXPECT_EQ(CCircleBlock::kPie, circle.m_arcMode);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kArcClosing, 20, -0.5f);
  EXPECT_EQ(CCircleBlock::kOpenArc, circle.m_arcMode);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kArcClosing, 20, -5);
  EXPECT_EQ(CCircleBlock::kChord, circle.m_arcMode);
  circle.MoveControlPoint(&view, 0, CCircleBlock::kArcClosing, 20, 4);
  EXPECT_FLOAT_EQ(4, circle.m_arcMode);
}

TEST_F(CircleControls, TheTurningHandleTurnsBothAnglesTogether) {
  circle.m_startAngle = 0;
  circle.m_endAngle = kPi / 2;
  circle.MoveControlPoint(&view, 0, CCircleBlock::kTurnHandle, 0, 10);  // toward pi
  EXPECT_NEAR(3 * kPi / 4, circle.m_startAngle, 1e-5);
  EXPECT_NEAR(5 * kPi / 4, circle.m_endAngle, 1e-5);

  // An arc across angle 0 comes out with both angles in one turn and the end above the start.
  circle.m_startAngle = 5.5f;
  circle.m_endAngle = 0.5f;
  circle.MoveControlPoint(&view, 0, CCircleBlock::kTurnHandle, 20, 0);  // toward pi/2
  EXPECT_NEAR(0.9292f, circle.m_startAngle, 1e-3);
  EXPECT_NEAR(2.2124f, circle.m_endAngle, 1e-3);

  // A whole ellipse stays whole.
  circle.m_startAngle = circle.m_endAngle = kPi / 2;
  circle.MoveControlPoint(&view, 0, CCircleBlock::kTurnHandle, 40, 10);
  EXPECT_TRUE(circle.IsWholeEllipse());
  EXPECT_NEAR(kPi, circle.m_startAngle, 1e-5);
}

// Polygon: centre (50, 50), outer radius 20, first corner at angle 0, four corners, inner 10.

class PolygonControls : public ShapeControls {
protected:
  PolygonControls() {
    polygon.m_centre = {50, 50};
    polygon.m_outerRadius = 20;
    polygon.m_innerRadius = 10;
    polygon.m_cornerCount = 4;
  }
  CPolygonBlock polygon;
};

TEST_F(PolygonControls, CentreCornerEdgeMiddleAndTheBandCircle) {
  EXPECT_EQ(CPolygonBlock::kCentre, HitIndex(polygon, view, 50, 50));
  EXPECT_EQ(CPolygonBlock::kFirstCorner, HitIndex(polygon, view, 71, 51));
  EXPECT_EQ(CPolygonBlock::kInnerCorner, HitIndex(polygon, view, 60, 40));
  EXPECT_EQ(CPolygonBlock::kBandCircle, HitIndex(polygon, view, 50, 60.5f));
  EXPECT_EQ(CPolygonBlock::kBandCircle, HitIndex(polygon, view, 42.9f, 42.9f));
  EXPECT_EQ(-1, HitIndex(polygon, view, 50, 63));
  // With a star angle point 2 is the first inner corner.
  polygon.m_starAngle = kPi / 2;
  EXPECT_EQ(CPolygonBlock::kInnerCorner, HitIndex(polygon, view, 50, 40));
}

TEST_F(PolygonControls, CentreAndFirstCornerDrags) {
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kCentre, 10, 20);
  EXPECT_EQ(10.0f, polygon.m_centre.x);
  EXPECT_EQ(20.0f, polygon.m_centre.y);
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kFirstCorner, 10, -10);
  EXPECT_NEAR(kPi / 2, polygon.m_startAngle, 1e-5);
  EXPECT_FLOAT_EQ(30, polygon.m_outerRadius);
}

TEST_F(PolygonControls, TheInnerCornerMakesAStarAndShiftCentresIt) {
  polygon.m_cornerCount = 5;
  float d = 8 / std::sqrt(2.0f);
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kInnerCorner, 50 + d, 50 - d);
  EXPECT_NEAR(8, polygon.m_innerRadius, 1e-4);
  EXPECT_NEAR(kPi / 4, polygon.m_starAngle, 1e-5);
  EXPECT_TRUE(polygon.IsStar());
  polygon.MoveControlPoint(&view, MK_SHIFT, CPolygonBlock::kInnerCorner, 50 + d, 50 - d);
  EXPECT_FLOAT_EQ(3.1415926f / 5, polygon.m_starAngle);
}

TEST_F(PolygonControls, TheBandCircleSetsOrClearsTheBand) {
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kBandCircle, 50, 55);
  EXPECT_FLOAT_EQ(5, polygon.m_bandWidth);
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kBandCircle, 50, 62);
  EXPECT_FLOAT_EQ(-2, polygon.m_bandWidth);
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kBandCircle, 50, 60.5f);
  EXPECT_FLOAT_EQ(0, polygon.m_bandWidth);
}

TEST_F(PolygonControls, ControlPointsFollowTheBlockMatrix) {
  polygon.Offset(5, 0);  // identity: the centre moves
  EXPECT_EQ(55.0f, polygon.m_centre.x);
  CMatrix2D twice;
  twice.m[0] = twice.m[4] = 2;
  polygon.Transform(twice);
  EXPECT_EQ(CPolygonBlock::kFirstCorner, HitIndex(polygon, view, 150, 100));
  polygon.MoveControlPoint(&view, 0, CPolygonBlock::kCentre, 100, 100);
  EXPECT_EQ(50.0f, polygon.m_centre.x);
  polygon.Offset(1, 1);  // not the identity: the matrix moves
  EXPECT_EQ(50.0f, polygon.m_centre.x);
  EXPECT_EQ(1.0f, polygon.m_matrix.m[6]);
}

}  // namespace
