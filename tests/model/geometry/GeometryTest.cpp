#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "model/geometry/Geometry.h"

namespace {

const float kPi = 3.14159265f;

TEST(Geometry, SegmentHitTestRatioAndSnapping) {
  FPOINT p = {2.5f, 0.4f};
  EXPECT_FLOAT_EQ(0.25f, SegmentHitTest(0, 0, 10, 0, &p, 1.0f));
  EXPECT_EQ(0.0f, p.y);  // moved onto the segment

  // Exactly at the tolerance is a miss; just inside is a hit.
  FPOINT edge = {5, 1.0f};
  EXPECT_EQ(-1.0f, SegmentHitTest(0, 0, 10, 0, &edge, 1.0f));
  FPOINT inside = {5, 0.99f};
  EXPECT_GE(SegmentHitTest(0, 0, 10, 0, &inside, 1.0f), 0.0f);

  // A hit exactly at the start is a hit with ratio 0, and the ratio never leaves 0 .. 1.
  FPOINT atStart = {0, 0};
  EXPECT_EQ(0.0f, SegmentHitTest(0, 0, 10, 10, &atStart, 0.5f));
  FPOINT beforeStart = {-0.3f, 0.0f};
  EXPECT_EQ(0.0f, SegmentHitTest(0, 0, 10, 0, &beforeStart, 0.5f));
  EXPECT_EQ(0.0f, beforeStart.x);
  FPOINT pastEnd = {10.3f, 0.0f};
  EXPECT_EQ(1.0f, SegmentHitTest(0, 0, 10, 0, &pastEnd, 0.5f));
  EXPECT_EQ(10.0f, pastEnd.x);

  FPOINT distant = {3, 5};
  EXPECT_EQ(-1.0f, SegmentHitTest(0, 0, 10, 10, &distant, 0.5f));
}

TEST(Geometry, SegmentHitTestSnapsAlongOneAxisAndMeasuresFromTheStart) {
  // The point moves upright onto a segment that runs more across than up, sideways onto a steeper
  // one; the ratio is its distance from the start (before a sloped snap) over the length.
  const struct {
    float x0, y0, x1, y1, px, py;
    float snappedX, snappedY, ratio;
  } cases[] = {
      {0, 0, 10, 10, 5.2f, 4.8f, 5.2f, 5.2f, 0.500400f},     // 45 degrees: upright
      {0, 0, 10, 5, 4.0f, 2.3f, 4.0f, 2.0f, 0.412698f},      // shallow: upright
      {0, 0, 2, 10, 1.1f, 5.0f, 1.0f, 5.0f, 0.502015f},      // steep: sideways
      {10, 10, 0, 12, 5.0f, 11.3f, 5.0f, 11.0f, 0.506591f},  // shallow, falling backwards
      {0, 0, 0, 10, 0.2f, 7.0f, 0.0f, 7.0f, 0.7f},           // upright segment
  };
  for (const auto& c : cases) {
    FPOINT p = {c.px, c.py};
    EXPECT_NEAR(c.ratio, SegmentHitTest(c.x0, c.y0, c.x1, c.y1, &p, 0.5f), 1e-5)
        << c.px << "," << c.py;
    EXPECT_NEAR(c.snappedX, p.x, 1e-5) << c.px << "," << c.py;
    EXPECT_NEAR(c.snappedY, p.y, 1e-5) << c.px << "," << c.py;
  }
}

TEST(Geometry, ZeroLengthSegmentIsHitLikeAPoint) {
  FPOINT close = {1.2f, 1.1f};
  EXPECT_EQ(0.0f, SegmentHitTest(1, 1, 1, 1, &close, 0.5f));
  EXPECT_EQ(1.0f, close.x);
  EXPECT_EQ(1.0f, close.y);
  FPOINT away = {1.4f, 1.4f};
  EXPECT_EQ(-1.0f, SegmentHitTest(1, 1, 1, 1, &away, 0.5f));
  EXPECT_EQ(0.0f, PointLineDistance(1, 1, 1, 1, 1, 3) - 0.0f);  // vertical rule, no division
  EXPECT_EQ(0.0f, Distance(2, 2, 2, 2));
}

TEST(Geometry, LinesAndBoxes) {
  FPOINT x;
  EXPECT_EQ(0, IntersectLines(0, 0, 10, 0, 0, 1, 10, 1, &x));
  ASSERT_EQ(1, IntersectLines(0, 0, 10, 10, 0, 10, 10, 0, &x));
  EXPECT_FLOAT_EQ(5.0f, x.x);
  EXPECT_FLOAT_EQ(5.0f, x.y);
  ASSERT_EQ(1, IntersectLines(0, 2, 1, 2, 3, -5, 3, 9, &x));  // crossing outside both segments
  EXPECT_FLOAT_EQ(3.0f, x.x);
  EXPECT_FLOAT_EQ(2.0f, x.y);

  CFRect overlap;
  ASSERT_EQ(1, IntersectBoxes(&overlap, 0, 0, 10, 10, 10, 0, 20, 10));  // touching meets
  EXPECT_EQ(10.0f, overlap.left);
  EXPECT_EQ(10.0f, overlap.right);
  EXPECT_EQ(10.0f, overlap.bottom);
  ASSERT_EQ(1, IntersectBoxes(&overlap, 10, 10, 0, 0, 5, 12, 15, 2));  // normalised first
  EXPECT_EQ(5.0f, overlap.left);
  EXPECT_EQ(2.0f, overlap.top);
  EXPECT_EQ(0, IntersectBoxes(nullptr, 0, 0, 10, 10, 10.5f, 0, 20, 10));

  EXPECT_TRUE(PointInBox(10, 0, 0, 0, 10, 10));
  EXPECT_FALSE(PointInBox(10.01f, 0, 0, 0, 10, 10));
  EXPECT_TRUE(PointInBoxF(3, 3, 99, 0, 0, 10, 10));
  RECT r;
  MakeNormalizedIntRect(5, 9, -2, 1, &r);
  EXPECT_EQ(-2, r.left);
  EXPECT_EQ(1, r.top);
  EXPECT_EQ(5, r.right);
  EXPECT_EQ(9, r.bottom);
}

TEST(Geometry, PointsAlongSegments) {
  FPOINT p;
  PointAtParameter(1, 2, 3.3f, 4.7f, 1.5f, &p);
  EXPECT_EQ(3.3f, p.x);
  EXPECT_EQ(4.7f, p.y);
  PointAtParameter(1, 2, 3.3f, 4.7f, -1, &p);
  EXPECT_EQ(1.0f, p.x);
  EXPECT_EQ(2.0f, p.y);
  PointAtParameter(0, 0, 10, 20, 0.25f, &p);
  EXPECT_FLOAT_EQ(2.5f, p.x);
  EXPECT_FLOAT_EQ(5.0f, p.y);
  float a, b;
  BlendPair(0, 10, 20, &a, &b, 0.5f);
  EXPECT_FLOAT_EQ(5.0f, a);
  EXPECT_FLOAT_EQ(15.0f, b);
  EXPECT_FLOAT_EQ(5.0f, Distance(0, 0, -3, 4));
  EXPECT_FLOAT_EQ(std::sqrt(2.0f), PointLineDistance(0, 0, 10, 10, 2, 0));
  EXPECT_FLOAT_EQ(3.0f, PointLineDistance(0, 1, 10, 1, 7, 4));
}

TEST(Geometry, Angles) {
  // y points down: a point above is at 90 degrees.
  EXPECT_FLOAT_EQ(kPi / 2, AngleOf(0, 0, 0, -1));
  EXPECT_NEAR(3 * kPi / 2, AngleOf(0, 0, 0, 1), 1e-5);
  EXPECT_EQ(0.0f, AngleOf(0, 0, 1, 0));
  EXPECT_FLOAT_EQ(kPi, AngleOf(0, 0, -1, 0));

  EXPECT_NEAR(0.25f, MidAngle(-0.5f, 1.0f), 1e-5) << "wraps through zero";
  EXPECT_NEAR(kPi, MidAngle(kPi / 2, 3 * kPi / 2), 1e-5);
  EXPECT_NEAR(2 * kPi - 0.25f, MidAngle(2 * kPi - 0.5f, 0.0f), 1e-5);
  // Huge and infinite angles end at once instead of stepping by whole turns for ever.
  EXPECT_TRUE(std::isfinite(MidAngle(-1e30f, 1e30f)));
  (void)MidAngle(-INFINITY, 1.0f);
  EXPECT_EQ(0.0f, RaiseToNonNegativeAngle(-kFullTurn));
  EXPECT_FLOAT_EQ(1.0f, RaiseToNonNegativeAngle(1.0f - kFullTurn));
  EXPECT_FLOAT_EQ(7.0f, RaiseToNonNegativeAngle(7.0f));
}

TEST(Geometry, BoxAngleRange) {
  float start, end;
  BoxAngleRange(0, 0, 10, 10, 5, 5, &start, &end);
  EXPECT_EQ(0.0f, start);
  EXPECT_EQ(360.0f, end);
  // Left of the box at mid height: from the lower left corner up to the upper left corner.
  BoxAngleRange(0, 0, 10, 10, -10, 5, &start, &end);
  EXPECT_NEAR(-26.565f, start, 1e-3);
  EXPECT_NEAR(26.565f, end, 1e-3);
  // Right of it: the range passes through 180 degrees, so the end is raised by 360.
  BoxAngleRange(0, 0, 10, 10, 20, 5, &start, &end);
  EXPECT_NEAR(153.435f, start, 1e-3);
  EXPECT_NEAR(206.565f, end, 1e-3);
  // Above the box (smaller y): looking down.
  BoxAngleRange(0, 0, 10, 10, 5, -5, &start, &end);
  EXPECT_NEAR(-135.0f, start, 1e-3);
  EXPECT_NEAR(-45.0f, end, 1e-3);
}

TEST(Geometry, CircleThroughArch) {
  FPOINT c;
  // (0, 10), (10, 0), (20, 10): radius 10 about (10, 10).
  EXPECT_FLOAT_EQ(10.0f, CircleThroughArch(0, 0, 20, 10, &c));
  EXPECT_FLOAT_EQ(10.0f, c.x);
  EXPECT_FLOAT_EQ(10.0f, c.y);
  EXPECT_EQ(100000.0f, CircleThroughArch(0, 5, 20, 5, &c));
  EXPECT_EQ(100000.0f, CircleThroughArch(0, 5, 20, 5));
}

TEST(Geometry, TruncationTowardZeroHeldInRange) {
  EXPECT_EQ(-2, TruncateToLong(-2.7));
  EXPECT_EQ(2, TruncateToLong(2.7));
  EXPECT_EQ(LONG_MAX, TruncateToLong(1e20));
  EXPECT_EQ(LONG_MIN, TruncateToLong(-1e20));
  EXPECT_EQ(0, TruncateToLong(NAN));
}

}  // namespace
