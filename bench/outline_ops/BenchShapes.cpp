#include "bench/outline_ops/BenchShapes.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

const double kPi = 3.14159265358979323846;

typedef std::vector<OutlinePoint> Ring;

double Shoelace(const Ring& ring) {
  double sum = 0;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
    sum += ring[j].x() * ring[i].y() - ring[i].x() * ring[j].y();
  return sum / 2;
}

Ring Ellipse(double cx, double cy, double rx, double ry, int nodes) {
  Ring ring;
  for (int i = 0; i < nodes; ++i) {
    double a = 2 * kPi * i / nodes;
    ring.push_back(OutlinePoint(cx + rx * std::cos(a), cy + ry * std::sin(a)));
  }
  return ring;
}

Ring Points(std::initializer_list<std::pair<double, double>> points) {
  Ring ring;
  for (const auto& p : points) ring.push_back(OutlinePoint(p.first, p.second));
  return ring;
}

// An S as a band 2 units wide along a sine wave.
Ring EsStroke() {
  Ring left, right;
  for (int i = 0; i <= 30; ++i) {
    double t = i / 30.0, y = 14 * t, x = 5 + 3.5 * std::sin(2 * kPi * t);
    left.push_back(OutlinePoint(x - 1, y));
    right.push_back(OutlinePoint(x + 1, y));
  }
  left.insert(left.end(), right.rbegin(), right.rend());
  return left;
}

// The letters' rings in a 10 x 14 box; the first ring of each is its outside.
std::vector<std::vector<Ring>> Glyphs() {
  return {
      {Ellipse(5, 7, 5, 7, 48), Ellipse(5, 7, 3, 5, 32)},
      {Points({{0, 14}, {4, 0}, {6, 0}, {10, 14}, {8, 14}, {7, 10}, {3, 10}, {2, 14}}),
       Points({{3.6, 8}, {5, 2.5}, {6.4, 8}})},
      {Points({{0, 0}, {2, 0}, {2, 12}, {8, 12}, {8, 14}, {0, 14}})},
      {EsStroke()},
      {Points({{0, 0},
               {9, 0},
               {9, 2},
               {2, 2},
               {2, 6},
               {7, 6},
               {7, 8},
               {2, 8},
               {2, 12},
               {9, 12},
               {9, 14},
               {0, 14}})},
  };
}

void Orient(Ring* ring, bool outside) {
  if ((Shoelace(*ring) > 0) != outside) std::reverse(ring->begin(), ring->end());
}

OutlinePolygon PolygonOf(const Ring& ring) {
  OutlinePolygon polygon;
  polygon.outer().assign(ring.begin(), ring.end());
  return polygon;
}

FlatCurve CurveOf(const Ring& ring) {
  FlatCurve curve;
  curve.rings.push_back(PolygonOf(ring));
  return curve;
}

// The pixels whose centres lie within the radius of the origin, column by column: each
// column's number and the rows [low, high) it holds.
struct DiskColumn {
  int column, low, high;
};

std::vector<DiskColumn> DiskColumns(double radius, double pixel) {
  const int n = static_cast<int>(std::ceil(radius / pixel)) + 1;
  std::vector<DiskColumn> columns;
  for (int i = -n; i < n; ++i) {
    int low = n, high = -n;
    for (int j = -n; j < n; ++j) {
      const double x = (i + 0.5) * pixel, y = (j + 0.5) * pixel;
      if (x * x + y * y <= radius * radius) {
        low = std::min(low, j);
        high = std::max(high, j + 1);
      }
    }
    if (low < high) columns.push_back({i, low, high});
  }
  return columns;
}

// The pixel of the disks' grid (from (0.3, 0.1)) in column i and row j, as a hole.
Ring PixelHole(int i, int j, double pixel) {
  const double left = 0.3 + i * pixel, top = 0.1 + j * pixel;
  Ring hole = Points(
      {{left, top}, {left + pixel, top}, {left + pixel, top + pixel}, {left, top + pixel}});
  Orient(&hole, false);
  return hole;
}

// A star's points at radius 100 and valleys at 90 round (3, 7), each moved out by jag().
template <class Jag>
FlatCurve StarOf(int nodes, Jag jag) {
  Ring ring;
  for (int i = 0; i < nodes; ++i) {
    const double angle = 2 * kPi * i / nodes, r = (i % 2 ? 90 : 100) + jag();
    ring.push_back(OutlinePoint(3 + r * std::cos(angle), 7 + r * std::sin(angle)));
  }
  Orient(&ring, true);
  return CurveOf(ring);
}

}  // namespace

namespace bench {

std::vector<FlatCurve> Letters(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  const std::vector<std::vector<Ring>> glyphs = Glyphs();
  std::vector<FlatCurve> letters;
  for (int i = 0; i < count; ++i) {
    const std::vector<Ring>& glyph = glyphs[random() % glyphs.size()];
    double size = (8 + 12 * unit(random)) / 14, angle = 2 * kPi * unit(random);
    double x = 400 * unit(random), y = 250 * unit(random);
    double c = std::cos(angle) * size, s = std::sin(angle) * size;
    FlatCurve letter;
    for (size_t r = 0; r < glyph.size(); ++r) {
      Ring ring;
      for (const OutlinePoint& p : glyph[r])
        ring.push_back(OutlinePoint(x + c * p.x() - s * p.y(), y + s * p.x() + c * p.y()));
      Orient(&ring, r == 0);
      letter.rings.push_back(PolygonOf(ring));
    }
    letters.push_back(letter);
  }
  return letters;
}

FlatCurve WavyRing(int nodes, double cx, double cy, double radius) {
  Ring ring;
  for (int i = 0; i < nodes; ++i) {
    double angle = 2 * kPi * i / nodes;
    double r = radius * (1 + 0.05 * std::sin(20 * angle));
    ring.push_back(OutlinePoint(cx + r * std::cos(angle), cy + r * std::sin(angle)));
  }
  Orient(&ring, true);
  return CurveOf(ring);
}

FlatCurve Star(int nodes) {
  return StarOf(nodes, [] { return 0.0; });
}

std::vector<FlatCurve> Bars(int count, double overhang) {
  const double half = 100, width = 0.25;
  std::vector<FlatCurve> bars;
  for (int k = 0; k < count; ++k) {
    const double angle = 0.05 + kPi * k / count, c = std::cos(angle), s = std::sin(angle);
    auto place = [&](double along, double across) {
      return OutlinePoint(10 + c * along - s * across, 20 + s * along + c * across);
    };
    Ring ring;
    for (const auto& p : {std::make_pair(-half, -width), std::make_pair(half, -width),
                          std::make_pair(half, width), std::make_pair(-half, width)})
      ring.push_back(place(p.first, p.second));
    bars.push_back(CurveOf(ring));
    if (overhang >= 0) {
      OutlineLine axis;
      for (double along : {-half - overhang, 0.0, half + overhang}) axis.push_back(place(along, 0));
      bars.back().lines.push_back(axis);
    }
  }
  return bars;
}

double BarsArea(int count) {
  const double half = 100, width = 0.25;
  return 2 * count * width * (2 * half - width / std::tan(kPi / (2 * count)));
}

std::vector<FlatCurve> Circles(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<FlatCurve> circles;
  for (int i = 0; i < count; ++i) {
    const double x = 200 * unit(random), y = 200 * unit(random), r = 15 + 15 * unit(random);
    circles.push_back(CurveOf(Ellipse(x, y, r, r, 100)));
  }
  return circles;
}

FlatCurve PixelDisk(double radius, double pixel, double cx, double cy) {
  // Walk round the pixels' boundary: for each column the run of pixels inside is one interval,
  // so the outline rises column by column on the right and falls on the left.
  std::vector<std::pair<int, int>> columns;  // per column i: rows [low, high)
  std::vector<int> firsts;
  for (const DiskColumn& column : DiskColumns(radius, pixel)) {
    columns.push_back({column.low, column.high});
    firsts.push_back(column.column);
  }
  Ring ring;
  auto add = [&](int i, int j) {
    OutlinePoint p(cx + i * pixel, cy + j * pixel);
    if (ring.size() >= 2) {
      const OutlinePoint &a = ring[ring.size() - 2], &b = ring.back();
      if ((a.x() == b.x() && b.x() == p.x()) || (a.y() == b.y() && b.y() == p.y())) ring.pop_back();
    }
    ring.push_back(p);
  };
  // Along the bottom left to right, then along the top right to left.
  for (size_t k = 0; k < columns.size(); ++k) {
    add(firsts[k], columns[k].first);
    add(firsts[k] + 1, columns[k].first);
  }
  for (size_t k = columns.size(); k-- > 0;) {
    add(firsts[k] + 1, columns[k].second);
    add(firsts[k], columns[k].second);
  }
  Orient(&ring, true);
  return CurveOf(ring);
}

FlatCurve PinholedDisk(double radius, double pixel) {
  FlatCurve disk = PixelDisk(radius, pixel);
  // One pixel of every two by two, wherever it lies two pixels or more inside the edge.
  const int n = static_cast<int>(std::ceil(radius / pixel));
  const double inside = radius - 2 * pixel;
  for (int i = -n; i < n; i += 2) {
    for (int j = -n; j < n; j += 2) {
      const double x = (i + 0.5) * pixel, y = (j + 0.5) * pixel;
      if (x * x + y * y > inside * inside) continue;
      disk.rings.push_back(PolygonOf(PixelHole(i, j, pixel)));
    }
  }
  return disk;
}

FlatCurve EdgeHoledDisk(double radius, double pixel) {
  FlatCurve disk = PixelDisk(radius, pixel);
  const std::vector<DiskColumn> columns = DiskColumns(radius, pixel);
  for (size_t k = 0; k < columns.size(); k += 2) {
    disk.rings.push_back(PolygonOf(PixelHole(columns[k].column, columns[k].low, pixel)));
    if (columns[k].high - columns[k].low > 1)
      disk.rings.push_back(PolygonOf(PixelHole(columns[k].column, columns[k].high - 1, pixel)));
  }
  return disk;
}

FlatCurve FigureEight(int nodes) {
  Ring ring;
  for (int i = 0; i < nodes; ++i) {
    const double t = 2 * kPi * i / nodes;
    ring.push_back(OutlinePoint(7 + 60 * std::sin(t), 3 + 40 * std::sin(2 * t)));
  }
  return CurveOf(ring);
}

FlatCurve JaggedStar(int nodes, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> jag(-4, 4);
  return StarOf(nodes, [&] { return jag(random); });
}

FlatCurve SelfCrossing(int nodes, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 100);
  Ring ring;
  for (int i = 0; i < nodes; ++i) ring.push_back(OutlinePoint(unit(random), unit(random)));
  return CurveOf(ring);
}

std::vector<FlatCurve> Tiles(int count, double size, double jitter, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> move(-jitter, jitter);
  std::vector<FlatCurve> tiles;
  for (int i = 0; i < count; ++i) {
    for (int j = 0; j < count; ++j) {
      const double x = -90 + i * size, y = -90 + j * size;
      Ring ring;
      for (const auto& p : {std::make_pair(x, y), std::make_pair(x + size, y),
                            std::make_pair(x + size, y + size), std::make_pair(x, y + size)})
        ring.push_back(OutlinePoint(p.first + move(random), p.second + move(random)));
      tiles.push_back(CurveOf(ring));
    }
  }
  return tiles;
}

}  // namespace bench
