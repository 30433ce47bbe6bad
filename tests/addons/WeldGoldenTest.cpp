// Welds of curves that carry open lines, and self welds of nested, touching and overlapping
// sub-paths, through the library's entries as the editor calls them, against golden results: the
// parts of each line that survive (outside every other curve's area, its own area not counting,
// edges of other curves cutting), and which sub-paths stay holes, become islands or merge. The
// figures were taken from a computation that swept the other curves once per curve and each
// nested pair of sub-paths on its own, so a change of behaviour in the one-sweep path shows;
// those of lines along another curve's edges and of a line drawn right to left are worked out by
// hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "TransformLibrary.h"
#include "addons/transform/OutlineFlattener.h"
#include "bench/outline_ops/BenchShapes.h"
#include "model/blocks/CurveBlock.h"

using namespace addon_test;

namespace {

struct Curve {
  std::vector<Path> rings, lines;
};

Path Box(double left, double top, double right, double bottom) {
  return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

Curve CurveOf(const FlatCurve& flat) { return {RingsOf(flat), LinesOf(flat)}; }

// What a result shows: its filled area, the sizes of its closed sub-paths (largest first) and
// its open lines, in page units to three decimals (the curve record keeps floats).
struct Outcome {
  double area = 0;
  std::vector<double> rings;
  std::vector<Path> lines;
};

Outcome OutcomeOf(CBlock* block) {
  Outcome outcome;
  if (!block) return outcome;
  outcome.area = AreaOf(block);
  for (const FlatCurve& curve : COutlineFlattener::Flatten(block)) {
    for (const OutlinePolygon& ring : curve.rings)
      outcome.rings.push_back(std::fabs(bg::area(ring.outer())));
    for (const Path& line : LinesOf(curve)) outcome.lines.push_back(line);
  }
  std::sort(outcome.rings.rbegin(), outcome.rings.rend());
  return outcome;
}

std::string Print(const Outcome& outcome) {
  std::string text;
  auto add = [&text](const char* format, double a, double b = 0) {
    char number[64];
    std::snprintf(number, sizeof number, format, a, b);
    text += number;
  };
  add("area %.3f, rings {", outcome.area);
  for (double size : outcome.rings) add("%.3f, ", size);
  text += "}, lines {";
  for (const Path& line : outcome.lines) {
    text += "{";
    for (const auto& p : line) add("{%.3f, %.3f}, ", p.first, p.second);
    text += "}, ";
  }
  return text + "}";
}

class WeldGolden : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(nullptr, m_weld.Bind(kLibraryPath)); }

  // The curves welded in one call as the editor hands them over, or welded with themselves.
  Outcome Run(bool selfWeld, const std::vector<Curve>& curves) {
    std::vector<CBlock*> blocks;
    for (const Curve& curve : curves) blocks.push_back(Outline(curve.rings, curve.lines));
    std::unique_ptr<CBlock> result(WeldAll(m_weld, blocks, selfWeld));
    return OutcomeOf(result.get());
  }

  CWeldDll m_weld;
};

TEST_F(WeldGolden, LinesKeepTheirPartsOutsideOtherCurvesAndHolesNestAsBefore) {
  // Oblique lines cross other curves; lines run along other curves' edges, touch a corner, lie
  // inside another curve, cross a hole and a self-crossing bow tie, and run along the edge that
  // two abutting squares share.
  const std::vector<Curve> lines = {
      {{Box(0, 0, 20, 10)}, {{{-4, 2}, {30, 8}}}},
      {{Box(15, -3, 25, 6)}, {{{12, 10}, {28, 10}}}},
      {{},
       {{{-5, 5}, {0, 0}, {5, -5}},
        {{2.5, 4}, {8, 5.5}},
        {{30, 10.5}, {70, 9.5}},
        {{65, 12}, {95, 12.5}}}},
      {{Box(40, 0, 60, 20), Box(45, 5, 55, 15)}, {{{42, -5}, {42.5, 25}}}},
      {{{{70, 0}, {90, 20}, {90, 0}, {70, 20}}}, {}},
      {{Box(100, 0, 110, 10)}, {{{110, -2.5}, {110, 12.5}}}},
      {{Box(110, 0, 120, 10)}, {{{105, 5}, {118, 5.25}}}},
  };
  // Bars crossing at one point, each with its centre line reaching beyond its ends.
  std::vector<Curve> bars;
  for (const FlatCurve& bar : bench::Bars(5, 2)) bars.push_back(CurveOf(bar));
  // One outline: a frame; a hole with two islands in it, one in its corner; two overlapping
  // holes; two holes sharing an edge, two sharing a corner; a hole on the frame's edge, another
  // touching it at a corner; a square across the frame's corner; a hole drawn twice.
  const Curve nested = {{Box(0, 0, 40, 30),
                         Box(5, 5, 15, 15),
                         Box(8, 8, 12, 12),
                         Box(5, 13, 7, 15),
                         Box(20, 5, 30, 15),
                         Box(25, 10, 35, 20),
                         Box(5, 20, 10, 25),
                         Box(10, 20, 15, 25),
                         Box(20, 22, 24, 26),
                         Box(24, 26, 28, 29),
                         Box(32, 22, 40, 28),
                         {{2, 30}, {0.5, 28}, {2, 26.5}, {3.5, 28}},
                         Box(35, -5, 45, 5),
                         Box(16, 20, 19, 25),
                         Box(16, 20, 19, 25)},
                        {}};
  // A screened disk: one-pixel holes that touch nothing.
  std::vector<Curve> screened = {CurveOf(bench::PinholedDisk(4, 0.5))};
  Outcome screenedOutcome = {45, {52}, {}};
  screenedOutcome.rings.resize(29, 0.25);
  // A line along two edges of another curve goes, whichever curves share the first operand
  // (the editor hands over all but the last block as one group); the part beyond them stays.
  const Curve along = {{Box(0, 0, 10, 10)}, {{{12, 0}, {20, 0}, {40, 8}, {20, 13}}}};
  const Curve triangle = {{{{20, 0}, {40, 8}, {20, 13}}}, {}};
  const Curve unrelated = {{Box(100, 100, 110, 110)}, {}};
  const std::vector<Path> beyond = {{{12, 0}, {20, 0}}};
  // A line drawn right to left through a square, turning a corner after it: cut twice on its
  // first side, it comes back as two pieces in its own order and direction.
  const std::vector<Curve> leftwards = {{{}, {{{30, 5}, {-10, 5}, {-10, 20}}}},
                                        {{Box(0, 0, 10, 10)}, {}}};
  struct Case {
    const char* what;
    bool selfWeld;
    std::vector<Curve> curves;
    Outcome expected;
  };
  const Case cases[] = {
      {"lines",
       false,
       lines,
       {960,
        {400, 260, 200, 100, 100, 100},
        {{{-4, 2}, {15, 5.353}},
         {{18.667, 6}, {30, 8}},
         {{20, 10}, {28, 10}},
         {{-5, 5}, {0, 0}, {5, -5}},
         {{30, 10.5}, {40, 10.25}},
         {{45, 10.125}, {55, 9.875}},
         {{60, 9.75}, {70, 9.5}},
         {{65, 12}, {70, 12.083}},
         {{77.787, 12.213}, {82.288, 12.288}},
         {{90, 12.417}, {95, 12.5}},
         {{42, -5}, {42.5, 25}},
         {{110, -2.5}, {110, 0}},
         {{110, 10}, {110, 12.5}},
         {{110, 5.096}, {118, 5.25}}}}},
      {"bars",
       false,
       bars,
       {498.077,
        {498.077},
        {{{-91.873, 14.902}, {9.575, 19.979}},
         {{10.425, 20.021}, {111.873, 25.098}},
         {{-69.42, -44.003}, {9.669, 19.733}},
         {{10.331, 20.267}, {89.42, 84.003}},
         {{-16.632, -78.462}, {9.889, 19.589}},
         {{10.111, 20.411}, {36.632, 118.462}},
         {{46.329, -75.311}, {10.151, 19.603}},
         {{9.849, 20.397}, {-26.329, 115.311}},
         {{95.413, -35.755}, {10.356, 19.768}},
         {{9.644, 20.232}, {-75.413, 75.755}}}}},
      {"nested", true, {nested}, {873.75, {1227, 175, 96, 50, 16, 16, 15, 12, 5.25}, {}}},
      {"along another curve", false, {along, triangle}, {230, {130, 100}, beyond}},
      {"along another curve, one more selected",
       false,
       {along, triangle, unrelated},
       {330, {130, 100, 100}, beyond}},
      {"right to left",
       false,
       leftwards,
       {100, {100}, {{{30, 5}, {10, 5}}, {{0, 5}, {-10, 5}, {-10, 20}}}}},
      {"screened", true, screened, screenedOutcome},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Outcome got = Run(c.selfWeld, c.curves);
    EXPECT_NEAR(c.expected.area, got.area, 1e-3) << Print(got);
    ASSERT_EQ(c.expected.rings.size(), got.rings.size()) << Print(got);
    for (size_t i = 0; i < got.rings.size(); ++i)
      EXPECT_NEAR(c.expected.rings[i], got.rings[i], 1e-3);
    ASSERT_EQ(c.expected.lines.size(), got.lines.size()) << Print(got);
    for (size_t i = 0; i < got.lines.size(); ++i) {
      ASSERT_EQ(c.expected.lines[i].size(), got.lines[i].size()) << "line " << i;
      for (size_t k = 0; k < got.lines[i].size(); ++k) {
        EXPECT_NEAR(c.expected.lines[i][k].first, got.lines[i][k].first, 1e-3) << i << ", " << k;
        EXPECT_NEAR(c.expected.lines[i][k].second, got.lines[i][k].second, 1e-3) << i << ", " << k;
      }
    }
  }
}

}  // namespace
