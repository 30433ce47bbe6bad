#include "addons/transform/OutlineBands.h"

#include <algorithm>
#include <cmath>

#include "addons/transform/SteadyMath.h"
#include "addons/transform/WindingSweep.h"

namespace {

const double kPi = 3.14159265358979323846;

bool Same(const OutlinePoint& a, const OutlinePoint& b) { return a.x() == b.x() && a.y() == b.y(); }

// The points without repeats in a row, and without a last point repeating the first.
std::vector<OutlinePoint> Distinct(const std::vector<OutlinePoint>& points, bool closed) {
  std::vector<OutlinePoint> out;
  out.reserve(points.size());
  for (const OutlinePoint& p : points)
    if (out.empty() || !Same(out.back(), p)) out.push_back(p);
  while (closed && out.size() > 1 && Same(out.front(), out.back())) out.pop_back();
  return out;
}

// The unit normal on the right of the way from a to b.
OutlinePoint RightNormal(const OutlinePoint& a, const OutlinePoint& b) {
  double dx = b.x() - a.x(), dy = b.y() - a.y();
  double length = CSteadyMath::Hypot(dx, dy);
  return OutlinePoint(dy / length, -dx / length);
}

OutlinePoint Negated(const OutlinePoint& n) { return OutlinePoint(-n.x(), -n.y()); }

OutlinePoint Moved(const OutlinePoint& p, const OutlinePoint& n, double distance) {
  return OutlinePoint(p.x() + n.x() * distance, p.y() + n.y() * distance);
}

// Twice the signed area, from differences to the first point: products of page coordinates far
// from the origin would cancel a small ring's area, or turn its sign.
double Shoelace(const std::vector<OutlinePoint>& ring) {
  const OutlinePoint& o = ring.front();
  double sum = 0;
  for (size_t i = 2; i < ring.size(); ++i)
    sum += (ring[i - 1].x() - o.x()) * (ring[i].y() - o.y()) -
           (ring[i].x() - o.x()) * (ring[i - 1].y() - o.y());
  return sum;
}

}  // namespace

// Whether the corner between sides of the normals opens towards the offset. A way that turns
// straight back opens on both sides: its offsets go round the far end.
static bool Opens(const OutlinePoint& n1, const OutlinePoint& n2, double distance) {
  const double turn = n1.x() * n2.y() - n1.y() * n2.x();
  return turn * distance > 0 || (turn == 0 && n1.x() * n2.x() + n1.y() * n2.y() < 0);
}

// One corner of a raw offset: the join where the corner opens towards the offset, else the way
// through the corner itself, which the sweep's winding rule cuts away again.
static void OffsetCorner(const CCornerJoin& join, const OutlinePoint& vertex,
                         const OutlinePoint& n1, const OutlinePoint& n2, double distance,
                         std::vector<OutlinePoint>* out) {
  if (Opens(n1, n2, distance)) {
    join.Join(vertex, n1, n2, distance, out);
    return;
  }
  OutlinePoint p1 = Moved(vertex, n1, distance), p2 = Moved(vertex, n2, distance);
  out->push_back(p1);
  // Sides that nearly continue each other meet where they are; no need to go round the corner.
  if (CSteadyMath::Hypot(p1.x() - p2.x(), p1.y() - p2.y()) > 1e-9 * std::fabs(distance)) {
    out->push_back(vertex);
    out->push_back(p2);
  }
}

std::vector<OutlinePoint> COutlineBands::RawRing(const std::vector<OutlinePoint>& points,
                                                 double distance) const {
  std::vector<OutlinePoint> ring = Distinct(points, true), raw;
  const size_t n = ring.size();
  if (n < 3) return raw;
  std::vector<OutlinePoint> normals(n);
  std::vector<double> lengths(n), cuts(n);
  for (size_t i = 0; i < n; ++i) {
    const OutlinePoint& a = ring[i];
    const OutlinePoint& b = ring[(i + 1) % n];
    normals[i] = RightNormal(a, b);
    lengths[i] = CSteadyMath::Hypot(b.x() - a.x(), b.y() - a.y());
  }
  // Where a corner closes against the offset, its two sides cross this far short of the
  // corner (0 where a join opens instead).
  for (size_t i = 0; i < n; ++i) {
    const OutlinePoint& n1 = normals[(i + n - 1) % n];
    const OutlinePoint& n2 = normals[i];
    const double cosine = n1.x() * n2.x() + n1.y() * n2.y();
    cuts[i] = Opens(n1, n2, distance) ? 0
              : cosine <= -1 + 1e-12  ? HUGE_VAL
                                     : std::fabs(distance) * std::sqrt((1 - cosine) / (1 + cosine));
  }
  raw.reserve(3 * n);
  for (size_t i = 0; i < n; ++i) {
    const size_t before = (i + n - 1) % n, after = (i + 1) % n;
    const OutlinePoint& n1 = normals[before];
    const OutlinePoint& n2 = normals[i];
    // A closing corner whose sides both reach the cross goes through it rather than round the
    // corner and back: the same area by the winding rule, without a loop for the sweep to cut.
    // A side eaten up exactly, as on a staircase of steps as long as the distance, still
    // reaches: the input's rounding (to the grid of an earlier sweep) is allowed for, and what
    // it lets past is a loop too small to matter, which the sweep cuts like any other.
    const double slack = 1e-6 * std::fabs(distance);
    if (cuts[i] > 0 && cuts[i] + cuts[before] <= lengths[before] + slack &&
        cuts[i] + cuts[after] <= lengths[i] + slack) {
      const double along = distance / (1 + n1.x() * n2.x() + n1.y() * n2.y());
      raw.push_back(OutlinePoint(ring[i].x() + (n1.x() + n2.x()) * along,
                                 ring[i].y() + (n1.y() + n2.y()) * along));
      continue;
    }
    OffsetCorner(m_join, ring[i], n1, n2, distance, &raw);
  }
  return raw;
}

std::vector<OutlinePoint> COutlineBands::OpenBand(const std::vector<OutlinePoint>& points,
                                                  double half) const {
  std::vector<OutlinePoint> line = Distinct(points, false), band;
  const size_t n = line.size();
  if (n < 2) return band;
  std::vector<OutlinePoint> normals(n - 1);
  for (size_t i = 0; i + 1 < n; ++i) normals[i] = RightNormal(line[i], line[i + 1]);
  // Out along the right side, round the end, back along the left side, round the start.
  band.push_back(Moved(line[0], normals[0], half));
  for (size_t i = 1; i + 1 < n; ++i)
    OffsetCorner(m_join, line[i], normals[i - 1], normals[i], half, &band);
  band.push_back(Moved(line[n - 1], normals[n - 2], half));
  if (m_ends == kRoundEnds)
    m_join.Arc(line[n - 1], half, std::atan2(normals[n - 2].y(), normals[n - 2].x()), kPi, &band);
  band.push_back(Moved(line[n - 1], normals[n - 2], -half));
  for (size_t i = n - 2; i >= 1; --i)
    OffsetCorner(m_join, line[i], Negated(normals[i]), Negated(normals[i - 1]), half, &band);
  band.push_back(Moved(line[0], normals[0], -half));
  if (m_ends == kRoundEnds)
    m_join.Arc(line[0], half, std::atan2(-normals[0].y(), -normals[0].x()), kPi, &band);
  return band;
}

void COutlineBands::AddRingOffsets(const OutlineArea& area, double distance, CWindingSweep* sweep,
                                   int operand) const {
  // The operand's number doubles as the group's: each operand here is one group.
  const int group = operand;
  sweep->SetFill(operand, CWindingSweep::kPositive);
  for (const OutlinePolygon& polygon : area) {
    std::vector<OutlinePoint> outer = Distinct(polygon.outer(), true);
    if (outer.size() < 3) continue;
    if (Shoelace(outer) < 0) std::reverse(outer.begin(), outer.end());
    sweep->AddRing(RawRing(outer, distance), group, operand);
    for (const auto& inner : polygon.inners()) {
      std::vector<OutlinePoint> hole = Distinct(inner, true);
      if (hole.size() < 3) continue;
      if (Shoelace(hole) > 0) std::reverse(hole.begin(), hole.end());
      sweep->AddRing(RawRing(hole, distance), group, operand);
    }
  }
}

void COutlineBands::AddLineBands(const OutlineLines& lines, double half, CWindingSweep* sweep,
                                 int operand) const {
  const int group = operand;
  sweep->SetFill(operand, CWindingSweep::kPositive);
  for (const OutlineLine& line : lines) {
    std::vector<OutlinePoint> points(line.begin(), line.end());
    if (points.size() >= 4 && Same(points.front(), points.back())) {
      std::vector<OutlinePoint> ring = Distinct(points, true);
      sweep->AddRing(RawRing(ring, half), group, operand);
      std::reverse(ring.begin(), ring.end());
      sweep->AddRing(RawRing(ring, half), group, operand);
    } else {
      sweep->AddRing(OpenBand(points, half), group, operand);
    }
  }
}
