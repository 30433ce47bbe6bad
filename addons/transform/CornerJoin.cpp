#include "addons/transform/CornerJoin.h"

#include <algorithm>
#include <cmath>

#include "addons/transform/SteadyMath.h"

namespace {

const double kPi = 3.14159265358979323846;
// A mitre needs some opening: below one degree its point would lie 115 times the distance out.
const double kNarrowestMitre = 1.0;
// The most points one arc may take, whatever chord error is asked for.
const int kMostArcPieces = 20000;

OutlinePoint Plus(const OutlinePoint& p, double x, double y) {
  return OutlinePoint(p.x() + x, p.y() + y);
}

}  // namespace

CCornerJoin::CCornerJoin(double thresholdDegrees, double angleLimitDegrees, Sharp sharp,
                         bool roundAll, double chordError)
    : m_threshold(thresholdDegrees),
      m_angleLimit(angleLimitDegrees),
      m_sharp(sharp),
      m_roundAll(roundAll),
      m_chordError(chordError) {}

CCornerJoin CCornerJoin::Mitre(double chordError) {
  return CCornerJoin(181, 0, kBevelSharp, false, chordError);
}

void CCornerJoin::Join(const OutlinePoint& vertex, const OutlinePoint& n1, const OutlinePoint& n2,
                       double distance, std::vector<OutlinePoint>* out) const {
  const double r = std::fabs(distance);
  const OutlinePoint o1(n1.x() * distance, n1.y() * distance);
  const OutlinePoint o2(n2.x() * distance, n2.y() * distance);
  const double cosine = std::max(-1.0, std::min(1.0, n1.x() * n2.x() + n1.y() * n2.y()));
  const double interior = 180.0 - CSteadyMath::Acos(cosine) * 180.0 / kPi;
  const OutlinePoint start = Plus(vertex, o1.x(), o1.y()), end = Plus(vertex, o2.x(), o2.y());
  if (m_roundAll || interior >= m_threshold ||
      (interior < std::max(m_angleLimit, kNarrowestMitre) && m_sharp == kRoundSharp)) {
    double from = std::atan2(o1.y(), o1.x());
    // An opening corner turns the way the offset lies; a side that turns straight back would
    // leave that to the rounding.
    double sweep = std::copysign(
        std::fabs(std::remainder(std::atan2(o2.y(), o2.x()) - from, 2 * kPi)), distance);
    out->push_back(start);
    Arc(vertex, r, from, sweep, out);
    out->push_back(end);
  } else if (interior >= std::max(m_angleLimit, kNarrowestMitre)) {
    // The sides' ends lie on the way to the mitre's point: it alone will do.
    double along = 1 / (1 + cosine);
    out->push_back(Plus(vertex, (o1.x() + o2.x()) * along, (o1.y() + o2.y()) * along));
  } else {
    // Likewise for the cut's two corners, when there are two.
    const size_t before = out->size();
    FlatCut(vertex, o1, o2, distance, out);
    if (out->size() < before + 2) {
      out->insert(out->begin() + before, start);
      out->push_back(end);
    }
  }
}

void CCornerJoin::Arc(const OutlinePoint& centre, double radius, double from, double sweep,
                      std::vector<OutlinePoint>* out) const {
  double step = 2 * CSteadyMath::Acos(std::max(0.0, 1.0 - std::min(m_chordError / radius, 1.0)));
  int pieces = step > 0 ? static_cast<int>(std::ceil(std::fabs(sweep) / step)) : kMostArcPieces;
  pieces = std::max(1, std::min(kMostArcPieces, pieces));
  for (int i = 1; i < pieces; ++i) {
    double angle = from + sweep * i / pieces;
    out->push_back(Plus(centre, radius * std::cos(angle), radius * std::sin(angle)));
  }
}

void CCornerJoin::FlatCut(const OutlinePoint& vertex, const OutlinePoint& o1,
                          const OutlinePoint& o2, double distance,
                          std::vector<OutlinePoint>* out) const {
  // The two points where the offset sides, carried on, meet the line across the bisector at
  // distance r from the vertex.
  const double r = std::fabs(distance);
  double bx = o1.x() + o2.x(), by = o1.y() + o2.y();
  double length = CSteadyMath::Hypot(bx, by);
  if (length < 1e-12 * r) {
    // A side that turns straight back: the bisector is the way the first side went on.
    bx = -o1.y() / distance;
    by = o1.x() / distance;
    length = 1;
  }
  bx /= length;
  by /= length;
  for (const OutlinePoint& o : {o1, o2}) {
    // Along the side: perpendicular to its offset, towards the bisector.
    double tx = -o.y() / r, ty = o.x() / r;
    if (tx * bx + ty * by < 0) {
      tx = -tx;
      ty = -ty;
    }
    double along = tx * bx + ty * by;
    if (along < 1e-9) continue;
    double s = (r - (o.x() * bx + o.y() * by)) / along;
    out->push_back(Plus(vertex, o.x() + s * tx, o.y() + s * ty));
  }
}
