// Outlines of every kind a user can draw through the transform library's entries, as the editor
// and the cut preview call them (no window): self-crossing outlines count by the even-odd rule,
// touching and collinear ones neither vanish nor add cut lines, and a weld of 1,000 overlapping
// letters in one call gives the area Boost.Geometry's own union finds. Expected areas are worked
// out by hand or, for the letters, by that other library; expansions of a star are checked in
// every corner mode against its offset worked out corner by corner, and must hold (or lie in)
// their input. Outlines the records' floats cannot carry (far from the origin and small) go to
// the library's geometry directly.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "TransformLibrary.h"
#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineExpander.h"
#include "bench/outline_ops/BenchShapes.h"
#include "media/ExpandDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"

using namespace addon_test;

namespace {

const double kPi = 3.14159265358979323846;

typedef Path Ring;

Ring Square(double left, double top, double size) {
  return {{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}};
}

// Crossing at (10, 5): two triangles of 50.
const Ring kBowTie = {{0, 0}, {20, 10}, {20, 0}, {0, 10}};
// Crossing at (10, 4): lobes of 30 (left) and 120 (right).
const Ring kFigureEight = {{0, 0}, {30, 12}, {30, 0}, {0, 6}};

Ring Pentagram(double radius) {
  Ring ring;
  for (int k = 0; k < 5; ++k) {
    double a = kPi / 2 + k * 4 * kPi / 5;
    ring.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return ring;
}

// The points of a pentagram without its inner pentagon, by the even-odd rule.
double PentagramArea(double radius) {
  double inner = radius * std::sin(kPi / 10) / std::sin(7 * kPi / 10);
  double star = 5 * radius * inner * std::sin(kPi / 5);
  double pentagon = 2.5 * inner * inner * std::sin(2 * kPi / 5);
  return star - pentagon;
}

struct Sides {
  int closed = 0, open = 0;
};

Sides SubpathsOf(CBlock* block) {
  Sides sides;
  if (!block || block->m_type != kCurveBlock) return sides;
  for (const POINTREC& p : static_cast<CCurveBlock*>(block)->GetPoints()) {
    if (IsSpecialPoint(p.flags)) continue;
    if (p.flags & kPointClose) ++sides.closed;
    if (p.flags & kPointOpenEnd) ++sides.open;
  }
  return sides;
}

class OutlineCases : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_weld.Bind(kLibraryPath));
    ASSERT_NE(nullptr, m_expand.Bind(kLibraryPath));
  }

  enum Call { kWeld, kCut, kAnd, kFigureCut, kSelfWeld };

  CBlock* Run(Call call, CBlock* first, CBlock* second) {
    WeldOperand a = OperandOf(first), b = second ? OperandOf(second) : WeldOperand{};
    HGLOBAL result = nullptr;
    switch (call) {
      case kWeld:
        result = m_weld.Weld(a, b);
        break;
      case kCut:
        result = m_weld.WeldCut(a, b);
        break;
      case kAnd:
        result = m_weld.WeldAnd(a, b);
        break;
      case kFigureCut:
        result = m_weld.FigureCut(a, b, 0);
        break;
      case kSelfWeld:
        result = m_weld.SelfWeld(a);
        break;
    }
    Free(a);
    if (second) Free(b);
    return TakeResult(result);
  }

  // The curves welded in one call, all but the last as one group, as the editor's weld of a
  // selection hands them over.
  CBlock* WeldAll(const std::vector<FlatCurve>& curves) {
    std::vector<CBlock*> blocks;
    for (const FlatCurve& curve : curves) blocks.push_back(Outline(RingsOf(curve)));
    return addon_test::WeldAll(m_weld, blocks);
  }

  // The curve of the rings expanded, handed over as the record of a group of it.
  void Expand(const std::vector<Ring>& rings, const ExpandParams& params,
              std::unique_ptr<CBlock>* result) {
    CGroupBlock group;
    group.AddChild(Outline(rings));
    HGLOBAL record = nullptr;
    ASSERT_GT(group.WriteRecord(&record), 0);
    result->reset(TakeResult(m_expand.Expand(record, params)));
    GlobalFree(record);
  }

  CWeldDll m_weld;
  CExpandDll m_expand;
};

TEST_F(OutlineCases, EveryOutlineAUserCanDrawGivesTheAreaWorkedOutByHand) {
  struct Case {
    const char* what;
    Call call;
    std::vector<Ring> first, second;
    double area;
    int closed, open;  // sub-paths of the result; -1: not counted
  };
  const Case cases[] = {
      // The left lobe (30) and the right lobe's part left of x = 15 (7.5), closed along the
      // window's edge only where the lobe is cut.
      {"figure eight clipped to half a window",
       kFigureCut,
       {kFigureEight},
       {Square(-5, -5, 20)},
       37.5,
       -1,
       0},
      // Both lobes, and the square's corners outside them (2 on each side).
      {"bow-tie welded with a square across its crossing",
       kWeld,
       {kBowTie},
       {{{8, 4}, {12, 4}, {12, 6}, {8, 6}}},
       104,
       -1,
       0},
      {"pentagram welded with a square in its middle",
       kWeld,
       {Pentagram(10)},
       {Square(-2, -2, 4)},
       PentagramArea(10) + 16,
       -1,
       0},
      {"equal-lobe eight welded with a square beside it",
       kWeld,
       {kBowTie},
       {Square(30, 30, 10)},
       200,
       -1,
       0},
      {"self weld of a bow-tie", kSelfWeld, {kBowTie}, {}, 100, 2, 0},
      {"self weld of a figure eight", kSelfWeld, {kFigureEight}, {}, 150, 2, 0},
      // Holes whose long sides lie on their frame's slanted side (y = x / 4) between its corners:
      // the grid rounds each such side apart from the frame's, and the holes still nest.
      {"self weld of holes along their frame's slanted side",
       kSelfWeld,
       {{{0, 0}, {32, 8}, {-3.3, 21.7}},
        {{4, 1}, {12, 3}, {8, 2.5}},
        {{16, 4}, {24, 6}, {20, 5.5}},
        {{26, 6.5}, {30, 7.5}, {28, 7.25}}},
       {},
       360.4 - 2 - 2 - 0.5,
       -1,
       0},
      // The collinear outline has no area but stays as a line (out to 20 and back) outside the
      // square: 0-5, 15-20-15 and 5-0.
      {"collinear closed outline welded with a square",
       kWeld,
       {{{0, 0}, {10, 0}, {20, 0}}},
       {Square(5, -5, 10)},
       100,
       1,
       3},
      {"touching squares welded", kWeld, {Square(0, 0, 10)}, {Square(10, 0, 10)}, 200, 1, 0},
      {"squares touching at a corner welded",
       kWeld,
       {Square(0, 0, 10)},
       {Square(10, 10, 10)},
       200,
       -1,
       0},
      {"square with a hole cut by its right half",
       kAnd,
       {Square(0, 0, 20), Square(5, 5, 10)},
       {{{10, -5}, {30, -5}, {30, 25}, {10, 25}}},
       150,
       -1,
       0},
      {"bow-tie cut by a square over its crossing",
       kCut,
       {kBowTie},
       {{{8, 0}, {12, 0}, {12, 10}, {8, 10}}},
       100 - 2 - 2,
       -1,
       0},
  };
  for (const Case& c : cases) {
    std::unique_ptr<CBlock> first(Outline(c.first));
    std::unique_ptr<CBlock> second(c.second.empty() ? nullptr : Outline(c.second));
    std::unique_ptr<CBlock> result(Run(c.call, first.get(), second.get()));
    ASSERT_NE(nullptr, result) << c.what;
    EXPECT_NEAR(c.area, AreaOf(result.get()), 1e-3) << c.what;
    Sides sides = SubpathsOf(result.get());
    if (c.closed >= 0) EXPECT_EQ(c.closed, sides.closed) << c.what;
    EXPECT_EQ(c.open, sides.open) << c.what;
  }
}

TEST_F(OutlineCases, AThousandOverlappingLettersWeldInOneCallToTheirUnion) {
  std::vector<FlatCurve> letters = bench::Letters(1000);
  // The same letters united by Boost.Geometry, pair by pair in a balanced tree.
  typedef bg::model::multi_polygon<OutlinePolygon> Area;
  std::vector<Area> level;
  for (const FlatCurve& letter : letters) {
    OutlinePolygon polygon;
    polygon.outer() = letter.rings[0].outer();
    for (size_t r = 1; r < letter.rings.size(); ++r)
      polygon.inners().push_back(letter.rings[r].outer());
    bg::correct(polygon);
    level.push_back(Area{polygon});
  }
  while (level.size() > 1) {
    std::vector<Area> next;
    for (size_t i = 0; i + 1 < level.size(); i += 2) {
      next.emplace_back();
      bg::union_(level[i], level[i + 1], next.back());
    }
    if (level.size() % 2) next.push_back(level.back());
    level.swap(next);
  }
  const double expected = bg::area(level[0]);
  std::unique_ptr<CBlock> welded(WeldAll(letters));
  ASSERT_NE(nullptr, welded);
  EXPECT_NEAR(expected, AreaOf(welded.get()), expected * 1e-4);
}

TEST_F(OutlineCases, SixHundredBarsCrossingAtOnePointWeldInOneCallToTheirStar) {
  // Each bar is its own curve and all of them overlap round the centre, where they cross in
  // 720,000 points: the weld must not grow with the overlaps times the curves (a 32-bit program
  // would run out of memory), and gives the star whose area BarsArea works out by hand.
  std::unique_ptr<CBlock> welded(WeldAll(bench::Bars(600)));
  ASSERT_NE(nullptr, welded);
  EXPECT_NEAR(bench::BarsArea(600), AreaOf(welded.get()), bench::BarsArea(600) * 1e-5);
  EXPECT_EQ(1, SubpathsOf(welded.get()).closed);
}

// The area of the star grown (or shrunk) by distance, corner by corner: the polygon of its
// offset sides meeting at every corner, less what each mode takes off a corner that opens
// towards the offset (rounding, or a flat cut across the bisector).
double OffsetArea(const Ring& star, double distance, int mode) {
  const size_t n = star.size();
  auto normal = [&](size_t i) {
    const auto& a = star[i];
    const auto& b = star[(i + 1) % n];
    double dx = b.first - a.first, dy = b.second - a.second, length = std::hypot(dx, dy);
    return std::make_pair(dy / length, -dx / length);
  };
  Ring corners;
  double taken = 0;
  for (size_t i = 0; i < n; ++i) {
    auto n1 = normal((i + n - 1) % n), n2 = normal(i);
    const auto& v = star[i];
    double cosine = n1.first * n2.first + n1.second * n2.second;
    corners.push_back({v.first + distance * (n1.first + n2.first) / (1 + cosine),
                       v.second + distance * (n1.second + n2.second) / (1 + cosine)});
    double turn = std::acos(cosine), interior = 180 - turn * 180 / kPi;
    if ((n1.first * n2.second - n1.second * n2.first) * distance <= 0) continue;
    bool round = mode == 2 || interior >= 120 || (interior < 50 && mode == 1);
    double r = std::fabs(distance), h = r / std::cos(turn / 2) - r;
    if (round)
      taken += r * r * (std::tan(turn / 2) - turn / 2);
    else if (interior < 50)
      taken += h * h / std::tan(turn / 2);
  }
  double area = 0;
  for (size_t i = 0, j = n - 1; i < n; j = i++)
    area += corners[j].first * corners[i].second - corners[i].first * corners[j].second;
  return std::fabs(area) / 2 - (distance > 0 ? taken : -taken);
}

TEST_F(OutlineCases, AStarGrowsAndShrinksByItsCornersInEveryModeAndHoldsOrLiesInItsInput) {
  // Five points 20 from (50, 40), valleys at 8, turned by 10 degrees: 38-degree points (below
  // the angle limit of 50) and 110-degree valleys (below the threshold of 120).
  Ring star;
  for (int i = 0; i < 10; ++i) {
    double a = (10 + 36 * i) * kPi / 180, r = i % 2 ? 8 : 20;
    star.push_back({50 + r * std::cos(a), 40 + r * std::sin(a)});
  }
  for (double distance : {1.0, -0.5}) {
    for (int mode = 0; mode <= 2; ++mode) {
      std::unique_ptr<CBlock> input(Outline({star})), result;
      Expand({star}, {distance, 120, 50, 1e-10, mode}, &result);
      ASSERT_NE(nullptr, result) << distance << " mode " << mode;
      double expected = OffsetArea(star, distance, mode);
      EXPECT_NEAR(expected, AreaOf(result.get()), 0.02) << distance << " mode " << mode;
      // Nothing of the input outside a growth, nothing of a shrink outside the input.
      std::unique_ptr<CBlock> stray(distance > 0 ? Run(kCut, input.get(), result.get())
                                                 : Run(kCut, result.get(), input.get()));
      EXPECT_LT(stray ? AreaOf(stray.get()) : 0, 1e-6) << distance << " mode " << mode;
    }
  }
}

TEST_F(OutlineCases, ATracedStaircaseGrowsByItsPixelToTheAreaOfItsMitredOffset) {
  // The outline of a pixel disk (748 right angles on a 0.5 mm grid) grown by one pixel with
  // mitres: its sides move out by 0.5 and every step's short side is used up exactly where a
  // step turns back. An outline of right angles only grows by perimeter x d plus 4 d^2, its
  // outer corners being four more than its inner ones.
  const std::vector<Ring> rings = RingsOf(bench::PixelDisk(80, 0.5));
  const Ring& ring = rings[0];
  double area = 0, perimeter = 0;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    area += (ring[j].first * ring[i].second - ring[i].first * ring[j].second) / 2;
    perimeter += std::hypot(ring[i].first - ring[j].first, ring[i].second - ring[j].second);
  }
  const double d = 0.5;
  std::unique_ptr<CBlock> result;
  Expand(rings, {d, 120, 50, 1e-10, 0}, &result);
  ASSERT_NE(nullptr, result);
  EXPECT_NEAR(std::fabs(area) + perimeter * d + 4 * d * d, AreaOf(result.get()), 0.01);
}

TEST_F(OutlineCases, AHoleOfATenthOfAMicrometreTwentyMetresOutStaysAHoleWhenItGrows) {
  // A 10 mm square 20 m from the origin with a 0.1 micrometre hole, shrunk by 0.5 with mitres:
  // 9 x 9 less the hole grown to 1.0001 square. Products of coordinates so far out cancel the
  // hole's own area, and a hole taken for an outer ring shrinks into spikes instead.
  const double away = 20000, hole = 1e-4;
  FlatCurve curve;
  for (const Ring& ring : {Square(away, away, 10), Square(away + 5, away + 5, hole)}) {
    curve.rings.emplace_back();
    for (const auto& p : ring)
      curve.rings.back().outer().push_back(OutlinePoint(p.first, p.second));
  }
  ExpandSettings settings;
  settings.thickness = -0.5;
  settings.mode = 0;
  OutlineShape shrunk;
  ASSERT_TRUE(COutlineExpander(settings).Expand(COutlineBoolean::ShapeOf({curve}), &shrunk));
  EXPECT_NEAR(81 - (1 + hole) * (1 + hole), COutlineBoolean::AreaOf(shrunk.area), 1e-5);
}

TEST_F(OutlineCases, TheAccuracyReachesTheRoundCornersAndAWatchedExpansionSaysHowItEnded) {
  // A 10 x 10 square grown by 5 with round corners: 100 + 200 + 25 pi, the arcs' chords inside.
  size_t points[2] = {};
  double areas[2] = {};
  const double accuracies[2] = {1e-5, 1e-15};
  for (int i = 0; i < 2; ++i) {
    CGroupBlock group;
    group.AddChild(Outline({Square(3, 4, 10)}));
    HGLOBAL record = nullptr;
    ASSERT_GT(group.WriteRecord(&record), 0);
    ExpandParams params = {5, 120, 50, accuracies[i], 2};
    ExpandWatch watch = {};
    std::unique_ptr<CBlock> result(
        TakeResult(m_expand.ExpandWatched(record, params, false, &watch)));
    GlobalFree(record);
    ASSERT_NE(nullptr, result);
    EXPECT_EQ(ExpandWatch::kDone, watch.status);
    EXPECT_EQ(1000, watch.permille);
    points[i] = static_cast<CCurveBlock*>(result.get())->GetPoints().size();
    areas[i] = AreaOf(result.get());
  }
  const double exact = 300 + 25 * kPi;
  // 0.01 and 0.0001 of chord error: every quarter circle of radius 5 loses at most what its
  // chords cut off, and the finer one needs about ten times the points.
  EXPECT_LT(exact - areas[0], 4 * 0.01 * 5 * kPi / 2);
  EXPECT_LT(exact - areas[1], 4 * 0.0001 * 5 * kPi / 2);
  EXPECT_GT(points[1], 6 * points[0]);

  // Asked to stop before it starts, it stops and says so; a damaged record says it failed.
  CGroupBlock group;
  group.AddChild(Outline({Square(0, 0, 10)}));
  HGLOBAL record = nullptr;
  ASSERT_GT(group.WriteRecord(&record), 0);
  ExpandParams params = {1, 120, 50, 1e-10, 1};
  ExpandWatch stopped = {};
  stopped.stop = 1;
  EXPECT_EQ(nullptr, m_expand.ExpandWatched(record, params, true, &stopped));
  EXPECT_EQ(ExpandWatch::kStopped, stopped.status);
  BYTE* bytes = static_cast<BYTE*>(GlobalLock(record));
  bytes[1] = bytes[2] = 0xFF;
  GlobalUnlock(record);
  ExpandWatch failed = {};
  EXPECT_EQ(nullptr, m_expand.ExpandWatched(record, params, false, &failed));
  EXPECT_EQ(ExpandWatch::kFailed, failed.status);
  GlobalFree(record);
}

}  // namespace
