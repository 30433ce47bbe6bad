#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/ContourTestSupport.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/ContourShapes.h"

namespace {

using ContourPtr = std::unique_ptr<CContour>;
const float kPi = 3.14159265f;

std::vector<BYTE> FlagsOf(const CContour& contour) {
  std::vector<BYTE> flags;
  for (const POINTREC& p : contour.GetPoints()) flags.push_back(p.flags);
  return flags;
}

// Every piece of the contour stays within tol of the circle of radius r about (cx, cy).
void ExpectOnCircle(const CContour& contour, float cx, float cy, float r, float tol) {
  std::vector<POINTREC> points = contour.GetPoints();
  for (size_t i = 3; i < points.size(); ++i) {
    if (!IsOnCurvePoint(points[i].flags) || !IsControlPoint(points[i - 1].flags)) continue;
    FPOINT p[4];
    for (int k = 0; k < 4; ++k) p[k] = {points[i - 3 + k].x, points[i - 3 + k].y};
    CBezier piece(p);
    for (float t = 0; t <= 1.0f; t += 0.125f) {
      FPOINT at;
      piece.PointAt(t, &at);
      EXPECT_NEAR(r, std::hypot(at.x - cx, at.y - cy), tol) << "piece ending at " << i;
    }
  }
}

TEST(ContourShapes, Ellipse) {
  ContourPtr circle(ContourFromEllipse(0, 0, 10, 10));
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(*circle));
  POINTREC first;
  circle->GetPoint(0, &first);
  EXPECT_EQ(0.0f, first.x);
  EXPECT_EQ(5.0f, first.y);
  EXPECT_NEAR(0.0f, circle->GetBox().left, 1e-5);
  EXPECT_NEAR(0.0f, circle->GetBox().top, 1e-5);
  EXPECT_NEAR(10.0f, circle->GetBox().right, 1e-5);
  EXPECT_NEAR(10.0f, circle->GetBox().bottom, 1e-5);
  ExpectOnCircle(*circle, 5, 5, 5, 0.02f);
}

TEST(ContourShapes, QuarterArcIsOnePiece) {
  ContourPtr arc(ContourFromArc(0, 0, 10, 10, 0, kPi / 2));
  ASSERT_NE(nullptr, arc);
  std::vector<BYTE> flags = {0x11, 0, 0, 0x21, 0xFF};
  EXPECT_EQ(flags, FlagsOf(*arc));
  POINTREC p;
  arc->GetPoint(0, &p);
  EXPECT_EQ(10.0f, p.x);
  EXPECT_EQ(5.0f, p.y);
  arc->GetPoint(3, &p);
  EXPECT_NEAR(5.0f, p.x, 1e-5);
  EXPECT_NEAR(0.0f, p.y, 1e-5);
}

TEST(ContourShapes, ArcAcrossQuartersIsSplitAtBothEnds) {
  ContourPtr arc(ContourFromArc(0, 0, 10, 10, kPi / 4, 3 * kPi / 4));
  ASSERT_NE(nullptr, arc);
  std::vector<BYTE> flags = {0x11, 0, 0, 0x01, 0, 0, 0x21, 0xFF};
  EXPECT_EQ(flags, FlagsOf(*arc));
  POINTREC p;
  arc->GetPoint(3, &p);
  EXPECT_NEAR(5.0f, p.x, 1e-5);  // the top of the circle, between the quarters
  EXPECT_NEAR(0.0f, p.y, 1e-5);
  arc->GetPoint(6, &p);
  EXPECT_NEAR(5 - 5 / std::sqrt(2.0f), p.x, 1e-4);
  ExpectOnCircle(*arc, 5, 5, 5, 0.03f);
}

TEST(ContourShapes, ArcAnglesWrapAndAreBounded) {
  EXPECT_EQ(nullptr, ContourFromArc(0, 0, 10, 10, 1, 1));
  EXPECT_EQ(nullptr, ContourFromArc(0, 0, 10, 10, 0, INFINITY));

  // -90 .. 0 degrees: the lower right quarter, starting at the bottom.
  ContourPtr lower(ContourFromArc(0, 0, 10, 10, -kPi / 2, 0));
  ASSERT_NE(nullptr, lower);
  POINTREC p;
  lower->GetPoint(0, &p);
  EXPECT_NEAR(5.0f, p.x, 1e-5);
  EXPECT_NEAR(10.0f, p.y, 1e-5);
  EXPECT_EQ(5, lower->GetCount());

  // From 3 back round to 1 radian: the long way, through angle 0.
  ContourPtr wrapped(ContourFromArc(0, 0, 10, 10, 3, 1));
  ASSERT_NE(nullptr, wrapped);
  ExpectOnCircle(*wrapped, 5, 5, 5, 0.03f);

  // Many turns are drawn once: four quarters, ending where they start.
  ContourPtr turns(ContourFromArc(0, 0, 10, 10, 0, 1000));
  ASSERT_NE(nullptr, turns);
  EXPECT_EQ(1 + 4 * 3 + 1, turns->GetCount());
  POINTREC first, last;
  turns->GetPoint(0, &first);
  turns->GetPoint(12, &last);
  EXPECT_EQ(first.x, last.x);
  EXPECT_EQ(first.y, last.y);
}

TEST(ContourShapes, OpenPolylineBecomesCurves) {
  ContourPtr lines(MakeContour({{0, 0, 0x11}, {10, 0, 0x01}, {10, 10, 0x21}}));
  ContourPtr curves(ConvertLinesToCurves(*lines));
  ASSERT_NE(nullptr, curves);
  std::vector<BYTE> flags = {0x11, 0, 0, 0x01, 0, 0, 0x21, 0xFF};
  EXPECT_EQ(flags, FlagsOf(*curves));
  std::vector<POINTREC> p = curves->GetPoints();
  EXPECT_EQ(5.0f, p[3].x);  // the implied node half way along the first side
  EXPECT_EQ(0.0f, p[3].y);
  EXPECT_FLOAT_EQ(25.0f / 3, p[4].x);
  EXPECT_FLOAT_EQ(10.0f / 3, p[5].y);
  EXPECT_EQ(10.0f, p[6].x);
  EXPECT_EQ(10.0f, p[6].y);
}

TEST(ContourShapes, ClosedPolylineStaysClosed) {
  ContourPtr lines(MakeContour({{0, 0, 0x11}, {10, 0, 0x01}, {10, 10, 0x01}, {0, 0, 0x41}}));
  lines->AppendRaw(MakePenColourRecord(RGB(1, 1, 1)));  // after the end: never read
  ContourPtr curves(ConvertLinesToCurves(*lines));
  ASSERT_NE(nullptr, curves);
  std::vector<BYTE> flags = {0x11, 0, 0, 1, 0, 0, 1, 0, 0, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(*curves));
  POINTREC last;
  curves->GetPoint(9, &last);
  EXPECT_EQ(0.0f, last.x);
  EXPECT_EQ(0.0f, last.y);

  EXPECT_EQ(nullptr, ConvertLinesToCurves(CContour()));
  ContourPtr onlyColour(new CContour);
  onlyColour->AppendRaw(MakePenColourRecord(RGB(1, 1, 1)));
  EXPECT_EQ(nullptr, ConvertLinesToCurves(*onlyColour));
}

}  // namespace
