#include "addons/transform/SweepGeometry.h"

#include <algorithm>
#include <cmath>

#include "addons/transform/ModularInteger.h"

// The doubles of a crossing point are within 2^-21 grid steps of the fraction (a parameter of
// relative error 2^-51 along an edge of at most 2^29 steps); the margin is generous.
const double CSweepGeometry::kCrossingError = 1.0 / 65536;

namespace {

std::int64_t Cross(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) {
  return ax * by - ay * bx;
}

// Twice the signed area of the triangle from the line's start along it to q: positive when q
// lies above the line.
std::int64_t Orientation(const SweepLine& line, const GridPoint& q) {
  return Cross(line.dx, line.dy, std::int64_t(q.x) - line.from.x, std::int64_t(q.y) - line.from.y);
}

int SignOf(std::int64_t value) { return (value > 0) - (value < 0); }

// One coordinate of a point as a fraction n / d with d > 0: |n| below 2^89, d at most 2^59.
struct Fraction {
  CModularInteger n;
  std::int64_t d;
};

}  // namespace

SweepPoint CSweepGeometry::AtGrid(const GridPoint& p) {
  SweepPoint point;
  point.x = p.x;
  point.y = p.y;
  point.crossing = false;
  point.grid = p;
  point.first = point.second = -1;
  return point;
}

SweepPoint CSweepGeometry::Crossing(int first, int second) const {
  // Measured along a vertical line, the crossing's x is exact.
  if (Line(second).IsVertical()) std::swap(first, second);
  const SweepLine& a = Line(first);
  const SweepLine& b = Line(second);
  std::int64_t den = Cross(a.dx, a.dy, b.dx, b.dy);
  std::int64_t num = Cross(std::int64_t(b.from.x) - a.from.x, std::int64_t(b.from.y) - a.from.y,
                           b.dx, b.dy);
  double t = double(num) / double(den);
  SweepPoint point;
  point.x = a.from.x + a.dx * t;
  point.y = a.from.y + a.dy * t;
  point.crossing = true;
  point.grid = GridPoint{0, 0};
  point.first = first;
  point.second = second;
  return point;
}

bool CSweepGeometry::CrossProperly(int first, int second) const {
  const SweepLine& a = Line(first);
  const SweepLine& b = Line(second);
  if (a.to.x < b.from.x || b.to.x < a.from.x) return false;
  if (std::max(a.from.y, a.to.y) < std::min(b.from.y, b.to.y) ||
      std::max(b.from.y, b.to.y) < std::min(a.from.y, a.to.y))
    return false;
  if (SignOf(Orientation(a, b.from)) * SignOf(Orientation(a, b.to)) >= 0) return false;
  return SignOf(Orientation(b, a.from)) * SignOf(Orientation(b, a.to)) < 0;
}

int CSweepGeometry::CompareNear(const SweepPoint& p, const SweepPoint& q) const {
  if (p.crossing && q.crossing &&
      ((p.first == q.first && p.second == q.second) ||
       (p.first == q.second && p.second == q.first)))
    return 0;
  return CompareExactly(p, q);
}

int CSweepGeometry::Side(int index, const SweepPoint& p) const {
  const SweepLine& line = Line(index);
  if (!p.crossing) return SignOf(Orientation(line, p.grid));
  if (index == p.first || index == p.second) return 0;
  const double ox = p.x - line.from.x, oy = p.y - line.from.y;
  const double along = line.dx * oy, across = line.dy * ox;
  const double o = along - across;
  // The point's own error moved along the line's components, and the rounding of the products.
  const double bound = (std::fabs(double(line.dx)) + std::fabs(double(line.dy))) * 2 *
                           kCrossingError +
                       (std::fabs(along) + std::fabs(across)) * 1e-15;
  if (o > bound) return 1;
  if (o < -bound) return -1;
  return SideExactly(line, p);
}

int CSweepGeometry::Turn(int first, int second) const {
  const SweepLine& a = Line(first);
  const SweepLine& b = Line(second);
  return SignOf(Cross(a.dx, a.dy, b.dx, b.dy));
}

namespace {

// The x (or y) of the point as a fraction.
Fraction FractionOf(const CSweepGeometry& geometry, const SweepPoint& p, bool y) {
  if (!p.crossing) return Fraction{CModularInteger(y ? p.grid.y : p.grid.x), 1};
  const SweepLine& a = geometry.Line(p.first);
  const SweepLine& b = geometry.Line(p.second);
  std::int64_t den = Cross(a.dx, a.dy, b.dx, b.dy);
  std::int64_t num = Cross(std::int64_t(b.from.x) - a.from.x, std::int64_t(b.from.y) - a.from.y,
                           b.dx, b.dy);
  if (den < 0) {
    den = -den;
    num = -num;
  }
  return y ? Fraction{CModularInteger(a.from.y) * den + CModularInteger(a.dy) * num, den}
           : Fraction{CModularInteger(a.from.x) * den + CModularInteger(a.dx) * num, den};
}

// The sign of a - b for values less than 2^-14 apart: cross-multiplied, that is less than 2^104,
// exact modulo 2^128 although each product reaches 2^148.
int CompareFractions(const Fraction& a, const Fraction& b) {
  return (a.n * b.d - b.n * a.d).Sign();
}

}  // namespace

// Points this near each other in x mostly share it exactly (a crossing on a vertical edge, many
// edges through one point), which no filter of rounded numbers can tell: the fractions decide.
// The doubles put them within their error of each other, 2^-15 grid steps at most.
int CSweepGeometry::CompareExactly(const SweepPoint& p, const SweepPoint& q) const {
  const int byX = CompareFractions(FractionOf(*this, p, false), FractionOf(*this, q, false));
  if (byX) return byX;
  // Points above each other (often mirror images) mostly differ clearly in y.
  const double error = ((p.crossing ? 1 : 0) + (q.crossing ? 1 : 0)) * kCrossingError;
  if (p.y < q.y - error) return -1;
  if (p.y > q.y + error) return 1;
  return CompareFractions(FractionOf(*this, p, true), FractionOf(*this, q, true));
}

// The point's place against the line's start cross-multiplied by its denominator: less than 2^90
// in each coordinate, and the cross product with the line's direction less than 2^120.
int CSweepGeometry::SideExactly(const SweepLine& line, const SweepPoint& p) const {
  const Fraction x = FractionOf(*this, p, false), y = FractionOf(*this, p, true);
  const CModularInteger rx = x.n - CModularInteger(line.from.x) * x.d;
  const CModularInteger ry = y.n - CModularInteger(line.from.y) * y.d;
  return (ry * line.dx - rx * line.dy).Sign();
}
