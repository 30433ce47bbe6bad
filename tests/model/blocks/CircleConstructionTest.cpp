// The circle through three points and the concentric circles of typed radius lists, as plain
// functions without a view: exact circles, the "no circle" answer for coincident and (nearly)
// collinear points (never infinite or NaN), and the curves built from radius lists.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/blocks/CircleConstruction.h"
#include "model/blocks/CurveBlock.h"

namespace {

TEST(CircleFromPoints, FindsTheCircleThroughThreePointsWhateverTheirOrderOrChords) {
  struct Case {
    float x1, y1, x2, y2, x3, y3;
    float cx, cy, r;
  } cases[] = {
      {0, 0, 10, 0, 0, 10, 5, 5, std::sqrt(50.0f)},
      {0, 10, 0, 0, 10, 0, 5, 5, std::sqrt(50.0f)},
      // The first two points share an x: a vertical chord.
      {100, 0, 100, 40, 120, 20, 100, 20, 20},
      // The first and third share an x.
      {-5, 0, 0, 5, -5, 10, -5, 5, 5},
      {1000, 2000, 1030, 2040, 1060, 2000, 1030, 2008.75f, 31.25f},
  };
  for (const Case& c : cases) {
    FPOINT centre = {-1, -1};
    float r = CircleFromPoints(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, &centre);
    EXPECT_NEAR(c.r, r, 1e-3) << c.x1 << "," << c.y1;
    EXPECT_NEAR(c.cx, centre.x, 1e-3) << c.x1 << "," << c.y1;
    EXPECT_NEAR(c.cy, centre.y, 1e-3) << c.x1 << "," << c.y1;
  }
}

TEST(CircleFromPoints, CoincidentAndCollinearPointsGiveTheNoCircleRadiusAndLeaveTheCentre) {
  struct Case {
    float x1, y1, x2, y2, x3, y3;
    const char* what;
  } cases[] = {
      {3, 4, 3, 4, 3, 4, "all three the same"},
      {0, 0, 0, 0, 10, 10, "two the same"},
      {0, 0, 10, 10, 20, 20, "on a diagonal"},
      {0, 5, 0, 10, 0, 20, "on a vertical"},
      {0, 0, 500, 0.0001f, 1000, 0, "a hair off a long line"},
      {1e6f, 1e6f, 1e6f + 1, 1e6f + 1, 1e6f + 2, 1e6f + 2, "far from the origin"},
  };
  for (const Case& c : cases) {
    FPOINT centre = {7, 7};
    float r = CircleFromPoints(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, &centre);
    EXPECT_EQ(kNoCircleRadius, r) << c.what;
    EXPECT_TRUE(std::isfinite(r)) << c.what;
    EXPECT_EQ(7.0f, centre.x) << c.what;
  }
}

TEST(CircleFromPoints, ANearlyStraightArcStillGivesItsLargeButFiniteCircle) {
  FPOINT centre;
  // A sagitta of 1 on a chord of 200: radius (100^2 + 1) / 2.
  float r = CircleFromPoints(0, 0, 100, -1, 200, 0, &centre);
  EXPECT_NEAR(5000.5f, r, 0.05f);
  EXPECT_NEAR(100.0f, centre.x, 0.01f);
}

struct Bounds {
  float left, top, right, bottom;
};

std::vector<Bounds> SubpathBounds(const CCurveBlock& curve) {
  std::vector<Bounds> result;
  std::vector<POINTREC> points = curve.GetPoints();
  for (size_t i = 0; i < points.size(); ++i) {
    if (!IsSubpathStart(points[i].flags)) continue;
    CFRect box;
    if (curve.GetSubpathBounds(static_cast<int>(i), &box))
      result.push_back({box.left, box.top, box.right, box.bottom});
  }
  return result;
}

TEST(BuildConcentricCircles, MakesOneCurveWithACircleOrEllipsePerRadius) {
  std::unique_ptr<CCurveBlock> circles(BuildConcentricCircles(100, 50, "10,20,30", ""));
  ASSERT_NE(nullptr, circles);
  std::vector<Bounds> rings = SubpathBounds(*circles);
  ASSERT_EQ(3u, rings.size());
  for (size_t i = 0; i < 3; ++i) {
    float r = 10.0f * (i + 1);
    EXPECT_NEAR(100 - r, rings[i].left, 0.01);
    EXPECT_NEAR(50 - r, rings[i].top, 0.01);
    EXPECT_NEAR(100 + r, rings[i].right, 0.01);
    EXPECT_NEAR(50 + r, rings[i].bottom, 0.01);
  }
  EXPECT_NEAR(20, circles->m_box.top, 0.01);
  EXPECT_NEAR(130, circles->m_box.right, 0.01);

  // A vertical radius for the first only; the others stay round.
  std::unique_ptr<CCurveBlock> mixed(BuildConcentricCircles(0, 0, "10,20,30", "5"));
  ASSERT_NE(nullptr, mixed);
  rings = SubpathBounds(*mixed);
  ASSERT_EQ(3u, rings.size());
  EXPECT_NEAR(-10, rings[0].left, 0.01);
  EXPECT_NEAR(-5, rings[0].top, 0.01);
  EXPECT_NEAR(-20, rings[1].top, 0.01);
}

TEST(BuildConcentricCircles, ListsWithoutAPositiveRadiusMakeNothing) {
  for (const char* list : {"", "0", "abc", "-5,0", ",,"})
    EXPECT_EQ(nullptr, BuildConcentricCircles(0, 0, list, "")) << list;
  // Unusable fields are skipped, the usable ones kept.
  std::unique_ptr<CCurveBlock> some(BuildConcentricCircles(0, 0, "x,15,-3", nullptr));
  ASSERT_NE(nullptr, some);
  EXPECT_EQ(1u, SubpathBounds(*some).size());
}

}  // namespace
