#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "output/AdaptiveBezier.h"

namespace {

std::vector<FPOINT> Flatten(const FPOINT (&p)[4], float accuracy) {
  CAdaptiveBezier bezier(CAdaptiveBezier::DistanceToleranceFor(accuracy),
                         CAdaptiveBezier::AngleToleranceFor(accuracy));
  std::vector<FPOINT> ends;
  bezier.Flatten(p, &ends);
  return ends;
}

FPOINT At(const FPOINT (&p)[4], double t) {
  double u = 1 - t;
  double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
  return FPOINT{static_cast<float>(a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x),
                static_cast<float>(a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y)};
}

TEST(CAdaptiveBezier, Tolerances) {
  EXPECT_FLOAT_EQ(1.0f, CAdaptiveBezier::DistanceToleranceFor(0.5f));
  EXPECT_FLOAT_EQ(1.0f, CAdaptiveBezier::DistanceToleranceFor(2.0f));
  EXPECT_FLOAT_EQ(2.5f, CAdaptiveBezier::DistanceToleranceFor(5.0f));
  EXPECT_NEAR(2 * 3.14159265 / 180, CAdaptiveBezier::AngleToleranceFor(2.0f), 1e-6);
}

TEST(CAdaptiveBezier, PointSegmentGivesNothingAndFlatOneGivesOneLine) {
  const FPOINT point[4] = {{5, 5}, {5, 5}, {5, 5}, {5, 5}};
  EXPECT_TRUE(Flatten(point, 2).empty());

  const FPOINT flat[4] = {{0, 0}, {100, 0}, {300, 0}, {400, 0}};
  std::vector<FPOINT> ends = Flatten(flat, 2);
  ASSERT_EQ(1u, ends.size());
  EXPECT_EQ(400.0f, ends[0].x);

  // Handles that sit on the end points: a straight line as well.
  const FPOINT handles[4] = {{0, 0}, {0, 0}, {400, 300}, {400, 300}};
  ends = Flatten(handles, 2);
  ASSERT_EQ(1u, ends.size());
  EXPECT_EQ(300.0f, ends[0].y);
}

TEST(CAdaptiveBezier, QuarterCircleStaysOnTheCurve) {
  const float r = 4000, k = 0.5523f * r;
  const FPOINT arc[4] = {{r, 0}, {r, k}, {k, r}, {0, r}};
  std::vector<FPOINT> ends = Flatten(arc, 2);
  ASSERT_GT(ends.size(), 8u);
  EXPECT_LE(ends.size(), 2048u);
  EXPECT_EQ(0.0f, ends.back().x);
  EXPECT_EQ(r, ends.back().y);
  // Every piece end lies on the circle within the flattening error of the curve itself.
  for (const FPOINT& p : ends) EXPECT_NEAR(r, std::hypot(p.x, p.y), 2.0) << p.x << "," << p.y;
  // No chord strays further than a few steps from the curve.
  FPOINT previous = arc[0];
  for (const FPOINT& p : ends) {
    FPOINT mid{(previous.x + p.x) / 2, (previous.y + p.y) / 2};
    EXPECT_GT(std::hypot(mid.x, mid.y), r - 3.0f);
    previous = p;
  }
}

TEST(CAdaptiveBezier, LoopWithEqualEndsIsStillCut) {
  const FPOINT loop[4] = {{0, 0}, {1000, 1000}, {-1000, 1000}, {0, 0}};
  std::vector<FPOINT> ends = Flatten(loop, 2);
  ASSERT_GT(ends.size(), 4u);
  EXPECT_EQ(0.0f, ends.back().x);
  EXPECT_EQ(0.0f, ends.back().y);
  float lowest = 0;
  for (const FPOINT& p : ends) lowest = std::max(lowest, p.y);
  EXPECT_NEAR(At(loop, 0.5).y, lowest, 60.0f);
}

TEST(CAdaptiveBezier, DepthIsBoundedWhateverTheAccuracy) {
  const FPOINT wild[4] = {{0, 0}, {1e6f, -1e6f}, {-1e6f, 1e6f}, {10, 0}};
  std::vector<FPOINT> ends = Flatten(wild, 0.0f);
  EXPECT_LE(ends.size(), 2048u);
  EXPECT_EQ(10.0f, ends.back().x);
}

}  // namespace
