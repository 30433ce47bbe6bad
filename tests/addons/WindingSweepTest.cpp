// The winding sweep on its own (no window, no DLL), and its exact tests on the grid, on the inputs
// that are hard for a sweep of exact integer tests: vertical edges, edges that run along each other
// both ways, many edges through one point that is not a grid point, rings touching at a point, and
// coordinates at the ends of the grid's range, tiny and huge. Expected areas are worked out by hand
// from the outlines; every result must also be a valid area for Boost.Geometry (clean, simple rings
// with their holes in them) at the grid's resolution, and the area measured in the same sweep must
// agree with it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <stdexcept>
#include <string>

#include "addons/transform/ModularInteger.h"
#include "addons/transform/SnapRounder.h"
#include "addons/transform/SweepGeometry.h"
#include "addons/transform/WindingSweep.h"
#include "bench/outline_ops/AreaValidity.h"
#include "bench/outline_ops/BenchShapes.h"

namespace {

typedef CWindingSweep::Cover Cover;
typedef std::vector<std::pair<double, double>> Points;

struct Ring {
  int group;
  Points points;
};

// A rule as the library's callers give it: how every group fills, whether the groups (but the
// frame, 99, which only fits the grid) are one operand or each its own, and on what cover.
struct Rule {
  CWindingSweep::Fill fill;
  bool united;
  bool (*holds)(const Cover&);
  int OperandOf(int group) const { return group == 99 ? 99 : united ? 0 : group; }
};

bool First(const Cover& c) { return c[0] > 0; }
bool Both(const Cover& c) { return c[0] > 0 && c[1] > 0; }
bool FirstOnly(const Cover& c) { return c[0] > 0 && c[1] == 0; }

// Inside where any group winds an odd number of times: the rule the weld of several curves uses.
const Rule kAnyOdd = {CWindingSweep::kOdd, true, First};
const Rule kFirstOdd = {CWindingSweep::kOdd, false, First};
const Rule kFirstNonZero = {CWindingSweep::kNonZero, false, First};
const Rule kFirstPositive = {CWindingSweep::kPositive, false, First};
const Rule kBothNonZero = {CWindingSweep::kNonZero, false, Both};
const Rule kFirstOnlyOdd = {CWindingSweep::kOdd, false, FirstOnly};

Points Box(double left, double bottom, double right, double top) {
  return {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
}

Points Reversed(Points points) { return Points(points.rbegin(), points.rend()); }

double TriangleArea(std::pair<double, double> a, std::pair<double, double> b,
                    std::pair<double, double> c) {
  return std::fabs((b.first - a.first) * (c.second - a.second) -
                   (c.first - a.first) * (b.second - a.second)) /
         2;
}

// Bow-ties in six directions, each of two edges crossing at (1/3, 1/3): every edge from a point
// a on the 1/64 grid to 3p - 2a = (1, 1) - 2a passes p a third of the way along. Their lobes,
// thin wedges on both sides of p, do not overlap. The frame fits the grid to -8 .. 8, so the
// corners lie on it exactly and p does not.
std::vector<Ring> BowTiesThroughAThird(double* area) {
  const std::pair<double, double> p(1.0 / 3, 1.0 / 3);
  std::vector<Ring> rings = {{99, Box(-8, -8, 8, 8)}};
  *area = 0;
  for (int k = 0; k < 6; ++k) {
    const double angle = k * 3.14159265358979323846 / 6;
    auto onGrid = [&](double turn) {
      return std::make_pair(std::round((p.first + 1.5 * std::cos(angle + turn)) * 64) / 64,
                            std::round((p.second + 1.5 * std::sin(angle + turn)) * 64) / 64);
    };
    auto across = [](std::pair<double, double> a) {
      return std::make_pair(1 - 2 * a.first, 1 - 2 * a.second);
    };
    const auto a = onGrid(0), c = onGrid(0.2);
    rings.push_back({k, {a, across(a), across(c), c}});
    *area += TriangleArea(p, across(a), across(c)) + TriangleArea(p, c, a);
  }
  return rings;
}

struct Result {
  double area = 0, measured = 0, smallest = HUGE_VAL;
  int outer = 0, holes = 0;
  bool valid = false;
  std::string why;
};

void AddRings(const std::vector<Ring>& rings, const Rule& rule, CWindingSweep* sweep) {
  for (const Ring& ring : rings) {
    std::vector<OutlinePoint> points;
    for (const auto& p : ring.points) points.push_back(OutlinePoint(p.first, p.second));
    sweep->AddRing(points, ring.group, rule.OperandOf(ring.group));
    sweep->SetFill(rule.OperandOf(ring.group), rule.fill);
  }
}

Result Sweep(const std::vector<Ring>& rings, const Rule& rule) {
  CWindingSweep sweep;
  AddRings(rings, rule, &sweep);
  Result result;
  const CWindingSweep::Rule holds = rule.holds;
  OutlineArea area = sweep.Area(holds, CWindingSweep::Progress(), &holds, &result.measured);
  result.area = bg::area(area);
  for (const OutlinePolygon& polygon : area) {
    result.smallest = std::min(result.smallest, bg::area(polygon));
    result.holes += static_cast<int>(polygon.inners().size());
  }
  result.outer = static_cast<int>(area.size());
  result.valid = bench::IsValidOnGrid(area, &result.why);
  // Every hole lies in its polygon: the middle of its first edge inside the outer ring.
  for (const OutlinePolygon& polygon : area)
    for (const auto& hole : polygon.inners())
      if (!bg::within(OutlinePoint((hole[0].x() + hole[1].x()) / 2,
                                   (hole[0].y() + hole[1].y()) / 2),
                      polygon.outer())) {
        result.valid = false;
        result.why = "a hole outside its polygon";
      }
  return result;
}

TEST(WindingSweep, DegenerateOutlinesGiveTheAreasWorkedOutByHandAsValidRings) {
  const double kHalf = 1000;  // the full-range bow-tie's corners
  double fanArea = 0;
  std::vector<Ring> fan = BowTiesThroughAThird(&fanArea);
  struct Case {
    const char* what;
    std::vector<Ring> rings;
    Rule rule;
    double area;
    int outer, holes;
    double smallest;  // the smallest polygon's area, or 0 when not checked
  };
  // clang-format off
  const Case cases[] = {
      // The rectangle's vertical sides cross the slanted side x / 9 + y / 7 = 1 at y = 49 / 9
      // and 42 / 9, off the grid; the overlap is the strip under that side from x = 2 to 3.
      {"vertical edges across a slanted one",
       {{0, {{0, 0}, {9, 0}, {0, 7}}}, {1, Box(2, -2, 3, 10)}},
       kAnyOdd, 31.5 + 12 - 7 * (1 - 2.5 / 9), 1, 0, 0},
      {"vertical edges along each other, running opposite ways",
       {{0, Box(0, 0, 4, 4)}, {1, Box(4, 1, 8, 3)}},
       kAnyOdd, 24, 1, 0, 0},
      {"a square and its reverse cancel",
       {{0, Box(1, 2, 6, 4)}, {0, Reversed(Box(1, 2, 6, 4))}},
       kFirstNonZero, 0, 0, 0, 0},
      {"a square and its reverse in another group, intersected",
       {{0, Box(1, 2, 6, 4)}, {1, Reversed(Box(1, 2, 6, 4))}},
       kBothNonZero, 10, 1, 0, 0},
      {"squares touching along part of a side",
       {{0, Box(0, 0, 10, 10)}, {1, Box(5, 10, 15, 20)}},
       kAnyOdd, 200, 1, 0, 0},
      {"squares touching at a corner",
       {{0, Box(0, 0, 10, 10)}, {1, Box(10, 10, 17, 13)}},
       kAnyOdd, 121, 2, 0, 0},
      {"a hole touching its outer ring at a point",
       {{0, Box(0, 0, 10, 10)}, {0, {{5, 0}, {7, 4}, {3, 4}}}},
       kAnyOdd, 92, 1, 1, 0},
      {"six bow-ties crossing at one point off the grid", fan, kAnyOdd, fanArea, 12, 0, 0},
      // Corners at both ends of the grid's range; the edges cross at (-h / 5, -h / 5).
      {"a bow-tie across the whole grid",
       {{0, {{-kHalf, -kHalf}, {kHalf, kHalf}, {kHalf, -kHalf}, {-kHalf, kHalf / 3}}}},
       kAnyOdd, 26.0 / 15 * kHalf * kHalf, 2, 0, 0},
      // A grid of 2^-16 mm: the small square is 64 steps wide, at the far end of the range.
      {"a square of 64 grid steps beside one of 2^28",
       {{0, Box(-4096, -4096, 0, 0)}, {1, Box(4096 - 1.0 / 1024, 4096 - 1.0 / 1024, 4096, 4096)}},
       kAnyOdd, 4096.0 * 4096 + 1.0 / 1024 / 1024, 2, 0, 1.0 / 1024 / 1024},
      {"a job smaller than the grid's least size",
       {{0, Box(0.0001, 0.0002, 0.0002, 0.0004)}},
       kAnyOdd, 2e-8, 1, 0, 2e-8},
  };
  // clang-format on
  for (const Case& c : cases) {
    Result result = Sweep(c.rings, c.rule);
    EXPECT_NEAR(c.area, result.area, 1e-7 * c.area) << c.what;
    EXPECT_NEAR(result.area, result.measured, 1e-7 * c.area) << c.what;
    EXPECT_EQ(c.outer, result.outer) << c.what;
    EXPECT_EQ(c.holes, result.holes) << c.what;
    if (c.smallest > 0) {
      EXPECT_NEAR(c.smallest, result.smallest, 1e-7 * c.smallest) << c.what;
    }
    EXPECT_TRUE(result.valid) << c.what << ": " << result.why;
  }
  // A point that is not a number (a damaged outline) is refused before it can spoil the grid
  // of every other ring, and the sweep keeps what it had.
  CWindingSweep sweep;
  sweep.AddRing({OutlinePoint(0, 0), OutlinePoint(4, 0), OutlinePoint(4, 3)}, 0, 0);
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    EXPECT_THROW(sweep.AddRing({OutlinePoint(1, 1), OutlinePoint(bad, 2), OutlinePoint(3, 1)}, 1,
                               1),
                 std::invalid_argument);
    EXPECT_THROW(sweep.AddRing({OutlinePoint(1, 1), OutlinePoint(2, bad), OutlinePoint(3, 1)}, 1,
                               1),
                 std::invalid_argument);
  }
  double measured = 0;
  const CWindingSweep::Rule any = [](const Cover& c) { return c[0] + c[1] > 0; };
  sweep.Area(First, CWindingSweep::Progress(), &any, &measured);
  EXPECT_DOUBLE_EQ(6, measured);
}

// The area where the rule holds, strip by strip: between any two neighbouring x of a corner or
// a crossing no edges cross, so the winding numbers between the edges met going up the middle
// of a strip hold across it, and the area between two edges there is a trapezoid.
double StripArea(const std::vector<Ring>& rings, const Rule& rule) {
  struct Edge {
    double x0, y0, x1, y1;
    int group, delta;
  };
  std::vector<Edge> edges;
  std::vector<double> xs;
  for (const Ring& ring : rings) {
    for (size_t i = 0; i < ring.points.size(); ++i) {
      auto a = ring.points[i], b = ring.points[(i + 1) % ring.points.size()];
      xs.push_back(a.first);
      if (a.first == b.first) continue;  // vertical edges bound no strip
      const int delta = a.first < b.first ? 1 : -1;
      if (delta < 0) std::swap(a, b);
      edges.push_back({a.first, a.second, b.first, b.second, ring.group, delta});
    }
  }
  for (const Edge& e : edges) {
    for (const Edge& f : edges) {
      const double rx = e.x1 - e.x0, ry = e.y1 - e.y0, sx = f.x1 - f.x0, sy = f.y1 - f.y0;
      const double den = rx * sy - ry * sx;
      if (den == 0) continue;
      const double t = ((f.x0 - e.x0) * sy - (f.y0 - e.y0) * sx) / den;
      const double u = ((f.x0 - e.x0) * ry - (f.y0 - e.y0) * rx) / den;
      if (t > 0 && t < 1 && u > 0 && u < 1) xs.push_back(e.x0 + t * rx);
    }
  }
  std::sort(xs.begin(), xs.end());
  double area = 0;
  for (size_t k = 0; k + 1 < xs.size(); ++k) {
    const double left = xs[k], right = xs[k + 1], middle = (left + right) / 2;
    if (right - left < 1e-12) continue;
    auto at = [](const Edge& e, double x) {
      return e.y0 + (e.y1 - e.y0) * (x - e.x0) / (e.x1 - e.x0);
    };
    std::vector<const Edge*> across;
    for (const Edge& e : edges)
      if (e.x0 <= left && e.x1 >= right) across.push_back(&e);
    std::sort(across.begin(), across.end(),
              [&](const Edge* a, const Edge* b) { return at(*a, middle) < at(*b, middle); });
    std::map<int, int> counts;
    for (size_t i = 0; i + 1 < across.size(); ++i) {
      if ((counts[across[i]->group] += across[i]->delta) == 0) counts.erase(across[i]->group);
      std::vector<int> cover(100);
      for (const auto& count : counts) {
        const int w = count.second;
        const bool holds = rule.fill == CWindingSweep::kOdd       ? (w & 1) != 0
                           : rule.fill == CWindingSweep::kNonZero ? w != 0
                                                                  : w > 0;
        if (holds) ++cover[rule.OperandOf(count.first)];
      }
      if (!rule.holds(Cover(cover))) continue;
      const Edge &low = *across[i], &high = *across[i + 1];
      area += (at(high, left) - at(low, left) + at(high, right) - at(low, right)) / 2 *
              (right - left);
    }
  }
  return area;
}

TEST(WindingSweep, RandomOutlinesOnACoarseGridMatchAStripByStripCount) {
  // Up to four rings of up to nine corners on a 5 x 5 lattice: crossing, touching and running
  // along each other everywhere. The lattice spans 0 .. 4, so its points lie on the grid. Then
  // the same moved off the lattice by up to three grid steps (2e-8), and corners on three lines
  // (one of them in three copies 1e-7 apart): edges almost along each other, crossing at
  // grazing angles. Off the lattice the result's corners may be snapped and its slivers go,
  // which moves its area by a few grid steps along the outlines at most.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> hair(-2e-8, 2e-8);
  const Rule rules[] = {kFirstOdd, kFirstNonZero, kFirstPositive, kAnyOdd, kFirstOnlyOdd};
  for (int round = 0; round < 600; ++round) {
    const int kind = round / 5 % 3;
    std::vector<Ring> rings = {{0, {{0, 0}, {4, 4}}}};
    const int count = 1 + random() % 4;
    for (int r = 0; r < count; ++r) {
      if (r > 0) rings.push_back({r % 2, {}});
      const int corners = 3 + random() % 7;
      while (static_cast<int>(rings.back().points.size()) < corners) {
        std::pair<double, double> p(double(random() % 5), double(random() % 5));
        if (kind == 1) p = {p.first + hair(random), p.second + hair(random)};
        if (kind == 2) {
          const double t = (random() % 1000) / 250.0;
          const int line = random() % 3;
          p = {t, line == 0 ? t / 2 : line == 1 ? 4 - t * 0.75 : 2 + 1e-7 * (random() % 3)};
        }
        rings.back().points.push_back(p);
      }
    }
    const Rule& rule = rules[round % 5];
    const double expected = StripArea(rings, rule);
    Result result = Sweep(rings, rule);
    // Off the lattice the input's rounding to the grid moves the area too, by less than 1e-7.
    ASSERT_NEAR(expected, result.area, kind == 0 ? 1e-9 : 1e-5) << "round " << round;
    ASSERT_NEAR(expected, result.measured, kind == 0 ? 1e-9 : 1e-7) << "round " << round;
    ASSERT_TRUE(result.valid) << "round " << round << ": " << result.why;
  }
}

// Square tiles of 6 mm, 30 x 30 from (-90, -90), each its own group, whose corners are moved on
// their own by up to the jitter in x and y.
std::vector<Ring> JitteredTiles(double jitter, unsigned seed = 9) {
  std::vector<Ring> tiles;
  const std::vector<FlatCurve> curves = bench::Tiles(30, 6, jitter, seed);
  for (size_t i = 0; i < curves.size(); ++i) {
    tiles.push_back({static_cast<int>(100 + i), {}});  // clear of the frame's group
    for (const OutlinePoint& p : curves[i].rings[0].outer())
      tiles.back().points.push_back({p.x(), p.y()});
  }
  return tiles;
}

TEST(WindingSweep, SliversAndSpikesGoAndEveryHoleLiesInItsPolygon) {
  // Tiles whose corners are moved by less than 5e-7 mm (1.5 grid steps): they meet, so their
  // union is the 180 mm square, without the slits (or the spikes they become) where neighbours
  // miss by a hair.
  const std::vector<Ring> tiles = JitteredTiles(4.9e-7);
  // Rings moved off a lattice by a hair, crossing at grazing angles: their union has a notch
  // whose thin tip was once taken for a hole, and handed to a polygon far from it.
  const double e = 1e-8;
  const std::vector<Ring> grazing = {
      {0, {{5 + 0.4 * e, 3 + e}, {5, 3}, {5 - 0.6 * e, 6 + e}}},
      {1, {{3, 3}, {5, 6}, {-1.4 * e, 1 - 0.3 * e}}},
      {2, {{6, 1}, {0, 3}, {6, 2}}},
      {3, {{0, 1}, {5, 5}, {4 - 0.8 * e, -e}}},
  };
  // One curve: a frame whose hole an island touches at a point, and a hole in the island that
  // touches it: the island's hole is the island's, not the frame's.
  const std::vector<Ring> nested = {
      {0, Box(0, 0, 30, 30)},
      {0, Box(5, 5, 25, 25)},
      {0, {{15, 5}, {22, 15}, {8, 15}}},
      {0, {{15, 15}, {14, 12}, {16, 12}}},
  };
  struct Case {
    const char* what;
    std::vector<Ring> rings;
    double area;
    int outer, holes;
  };
  // A frame with a slit 20 mm long and 6 grid steps (3.4e-7 mm) wide, with a pocket of 0.8
  // micrometres in its middle that holds an island with a hole: the slit with its pocket goes as a
  // sliver, the frame fills it, and the island's hole is the frame's.
  const double w = 3.35e-7, s = 4e-4, i = 2.5e-4, j = 1e-4, y = 15 - w / 2;
  const std::vector<Ring> pocket = {
      {0, Box(0, 0, 30, 30)},
      {0,
       {{5, y},
        {15 - s, y},
        {15 - s, 15 - s},
        {15 + s, 15 - s},
        {15 + s, y},
        {25, y},
        {25, y + w},
        {15 + s, y + w},
        {15 + s, 15 + s},
        {15 - s, 15 + s},
        {15 - s, y + w},
        {5, y + w}}},
      {0, Box(15 - i, 15 - i, 15 + i, 15 + i)},
      {0, Box(15 - j, 15 - j, 15 + j, 15 + j)},
  };
  const Case cases[] = {
      {"jittered tiles", tiles, 180.0 * 180, 1, 0},
      {"grazing rings", grazing, StripArea(grazing, kAnyOdd), 1, 0},
      {"island touching a hole", nested, 900 - 400 + 70 - 3, 2, 2},
      {"island in a sliver's pocket", pocket, 900 - 4 * j * j, 1, 1},
  };
  for (const Case& c : cases) {
    Result result = Sweep(c.rings, kAnyOdd);
    EXPECT_NEAR(c.area, result.area, 1e-3) << c.what;
    EXPECT_EQ(c.outer, result.outer) << c.what;
    EXPECT_EQ(c.holes, result.holes) << c.what;
    EXPECT_TRUE(result.valid) << c.what << ": " << result.why;
  }
}

TEST(WindingSweep, TilesWhoseCornersMissByNanometresKeepEveryTile) {
  // Corners moved by up to 2, 5 and 10 nm (6 to 30 grid steps): neighbours touch at snapped
  // corners with slits between them, and a slit that holds a tile, or that a tile touches where
  // it starts, goes as a sliver alone. What stays open of the gaps is real, 0.03 mm2 at most.
  for (double jitter : {2e-6, 5e-6, 1e-5}) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
      Result result = Sweep(JitteredTiles(jitter, seed), kAnyOdd);
      EXPECT_NEAR(180.0 * 180, result.area, 0.05) << jitter << " seed " << seed;
      EXPECT_TRUE(result.valid) << jitter << " seed " << seed << ": " << result.why;
    }
  }
}

TEST(WindingSweep, SnappingMergesCornersAndBendsEdgesWithinItsReachOnly) {
  // Corners in grid steps; a reach of 4 steps, and of half a step (snap rounding proper).
  typedef std::vector<CSnapRounder::Corner> Corners;
  typedef std::vector<GridPoint> Snapped;
  struct Case {
    const char* what;
    double reach;
    Corners corners;
    std::vector<std::vector<int>> rings;
    std::vector<Snapped> snapped;
    bool changed;
  };
  const Corners square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
  auto with = [&square](CSnapRounder::Corner c) {
    Corners corners = square;
    corners.insert(corners.end(), {c, {c.x + 7, c.y + 30}, {c.x - 6, c.y + 30}});
    return corners;
  };
  const std::vector<std::vector<int>> squareAndTriangle = {{0, 1, 2, 3}, {4, 5, 6}};
  const Snapped bentSquare = {{0, 0}, {50, 3}, {100, 0}, {100, 100}, {0, 100}};
  const Case cases[] = {
      {"all clear",
       4,
       with({50.2, 10.6}),
       squareAndTriangle,
       {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{50, 11}, {57, 41}, {44, 41}}},
       false},
      {"a corner 2.6 steps above an edge bends it",
       4,
       with({50.2, 2.6}),
       squareAndTriangle,
       {bentSquare, {{50, 3}, {57, 33}, {44, 33}}},
       true},
      {"but not with half a step's reach",
       0.5,
       with({50.2, 2.6}),
       squareAndTriangle,
       {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{50, 3}, {57, 33}, {44, 33}}},
       false},
      {"a corner 0.4 steps above it, even then",
       0.5,
       with({50.2, 0.4}),
       squareAndTriangle,
       {{{0, 0}, {50, 0}, {100, 0}, {100, 100}, {0, 100}}, {{50, 0}, {57, 30}, {44, 30}}},
       true},
      {"corners 3 steps apart share the first one's snap",
       4,
       {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {-2.6, -1.2}, {-20.2, -30}, {-30, -9.6}},
       squareAndTriangle,
       {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{0, 0}, {-20, -30}, {-30, -10}}},
       true},
      {"so do corners in one row",
       4,
       {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {-2.6, 0}, {-20.2, -30}, {-30, -9.6}},
       squareAndTriangle,
       {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{0, 0}, {-20, -30}, {-30, -10}}},
       true},
      {"and in one column",
       4,
       {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, -2.6}, {-20.2, -30}, {-30, -9.6}},
       squareAndTriangle,
       {{{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {{0, 0}, {-20, -30}, {-30, -10}}},
       true},
  };
  for (const Case& c : cases) {
    CSnapRounder rounder(c.corners, c.reach, 50);
    Snapped snapped;
    for (size_t r = 0; r < c.rings.size(); ++r) {
      snapped.clear();
      rounder.SnapRing(c.rings[r], &snapped);
      ASSERT_EQ(c.snapped[r].size(), snapped.size()) << c.what << ", ring " << r;
      for (size_t i = 0; i < snapped.size(); ++i)
        EXPECT_TRUE(c.snapped[r][i] == snapped[i]) << c.what << ", ring " << r << ", corner " << i;
    }
    EXPECT_EQ(c.changed, rounder.Changed()) << c.what;
  }
}

TEST(WindingSweep, ALongSweepReportsProgressAsItGoesAndStopsWhenTold) {
  // Two hundred long thin rectangles in a fan: about 80,000 crossings.
  std::vector<Ring> rings;
  for (int k = 0; k < 200; ++k) {
    const double a = k * 3.14159265358979323846 / 200, c = std::cos(a), s = std::sin(a);
    rings.push_back({0,
                     {{-100 * c + s, -100 * s - c},
                      {100 * c + s, 100 * s - c},
                      {100 * c - s, 100 * s + c},
                      {-100 * c - s, -100 * s + c}}});
  }
  CWindingSweep sweep;
  AddRings(rings, kFirstNonZero, &sweep);
  const CWindingSweep::Rule covered = First;
  std::vector<double> shares;
  sweep.Area(covered, [&](double share) {
    shares.push_back(share);
    return true;
  });
  ASSERT_GT(shares.size(), 10u);
  EXPECT_EQ(0, shares.front());
  EXPECT_EQ(1, shares.back());
  for (size_t i = 1; i < shares.size(); ++i) EXPECT_LE(shares[i - 1], shares[i]);
  // Told to stop at the third look, it stops there.
  int looks = 0;
  EXPECT_THROW(sweep.Area(covered, [&](double) { return ++looks < 3; }), SweepCancelled);
  EXPECT_EQ(3, looks);
}

SweepLine LineOf(GridPoint a, GridPoint b) { return SweepLine{a, b, b.x - a.x, b.y - a.y}; }

TEST(WindingSweep, CrossingPointsAreTestedExactlyWhereTheirDoublesCannotTell) {
  // y = x / 3 and y = 2u - 2x / 3 (u = 2^25) cross at p = (2u, 2u / 3), off the grid; so does
  // the vertical x = 2u. The last two lines pass p a third of a square step off (below it, then
  // above), nearer than the doubles of p can tell.
  const std::int32_t u = 1 << 25;
  const std::vector<SweepLine> lines = {
      LineOf({0, 0}, {3 * u, u}),
      LineOf({0, 2 * u}, {3 * u, 0}),
      LineOf({2 * u, 0}, {2 * u, 2 * u}),
      LineOf({0, 1}, {22369621, 7456541}),
      LineOf({0, 1}, {178956971, 59652322}),
  };
  CSweepGeometry geometry(lines);
  ASSERT_TRUE(geometry.CrossProperly(0, 1));
  const SweepPoint p = geometry.Crossing(0, 1);
  EXPECT_EQ(0, geometry.Compare(p, geometry.Crossing(0, 2)));
  EXPECT_EQ(0, geometry.Compare(geometry.Crossing(2, 1), p));
  EXPECT_EQ(0, geometry.Side(2, p));
  EXPECT_EQ(1, geometry.Side(3, p));
  EXPECT_EQ(-1, geometry.Side(4, p));
  // Where the near lines meet the vertical: just below p and just above it.
  EXPECT_EQ(-1, geometry.Compare(geometry.Crossing(3, 2), p));
  EXPECT_EQ(1, geometry.Compare(geometry.Crossing(4, 2), p));
  EXPECT_EQ(1, geometry.Compare(p, CSweepGeometry::AtGrid({2 * u, 2 * u / 3})));

  // The exact arithmetic behind them, carrying across its 64-bit halves: (2^62 - 1)^2 is
  // 2^124 - 2^63 + 1, and (2^62 - 1)(2^62 + 1) * 2^26 is one 2^26 below 2^150: both products
  // wrap round 2^128 many times, their difference is exact.
  const std::int64_t big = (std::int64_t(1) << 62) - 1, power = std::int64_t(1) << 62;
  const CModularInteger square = CModularInteger(big) * big;
  EXPECT_EQ(0, (square - CModularInteger(power) * power + CModularInteger(power) * 2 - 1).Sign());
  const CModularInteger low = CModularInteger(big) * (power + 1) * (1 << 26);
  const CModularInteger high = CModularInteger(power) * power * (1 << 26);
  EXPECT_EQ(-1, (low - high).Sign());
  EXPECT_EQ(0, (low - high + (1 << 26)).Sign());
  EXPECT_EQ(1, (CModularInteger(-big) * -(power + 1) * (1 << 2)).Sign()) << "2^126 - 4";
  EXPECT_EQ(-1, (CModularInteger(big) * -(power + 1) * (1 << 2)).Sign());
}

}  // namespace
