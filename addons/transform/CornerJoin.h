// CCornerJoin: how the outline expansion joins the offset sides at a convex corner, as a join
// strategy of Boost.Geometry's buffer. The corner's interior angle (180 degrees less the turn)
// decides:
//   - at or above the threshold the corner is a gentle bend, as between the straight pieces of a
//     flattened Bezier segment, and is joined round;
//   - below it, a corner at or above the angle limit keeps its point (mitre);
//   - sharper corners would give long spikes: they are rounded, or with bevel set cut flat across
//     the corner's bisector at the thickness from the corner.
// Round joins use arcs whose chords stay within the given chord error of the circle.
#pragma once

#include <algorithm>
#include <cmath>

#include "addons/transform/OutlineTypes.h"

class CCornerJoin {
public:
  enum Sharp { kRoundSharp, kBevelSharp };

  CCornerJoin(double thresholdDegrees, double angleLimitDegrees, Sharp sharp, bool roundAll,
              double chordError)
      : m_threshold(thresholdDegrees),
        m_angleLimit(angleLimitDegrees),
        m_sharp(sharp),
        m_roundAll(roundAll),
        m_chordError(chordError) {}

  // Boost calls this for every convex corner: ip is where the two offset sides meet, vertex the
  // corner of the outline, perp1 and perp2 the ends of the two offset sides.
  template <typename Point, typename Distance, typename RangeOut>
  bool apply(const Point& ip, const Point& vertex, const Point& perp1, const Point& perp2,
             const Distance& distance, RangeOut& out) const {
    double r = std::fabs(static_cast<double>(distance));
    double a1 = std::atan2(bg::get<1>(perp1) - bg::get<1>(vertex),
                           bg::get<0>(perp1) - bg::get<0>(vertex));
    double a2 = std::atan2(bg::get<1>(perp2) - bg::get<1>(vertex),
                           bg::get<0>(perp2) - bg::get<0>(vertex));
    double turn = std::fabs(std::remainder(a2 - a1, 2 * kPi));
    if (r <= 0 || turn <= 0) return false;
    double interior = 180.0 - turn * 180.0 / kPi;
    out.push_back(perp1);
    if (m_roundAll || interior >= m_threshold) {
      AddArc(vertex, a1, a2, r, out);
    } else if (interior >= m_angleLimit) {
      out.push_back(ip);
    } else if (m_sharp == kRoundSharp) {
      AddArc(vertex, a1, a2, r, out);
    } else {
      AddFlatCut(vertex, perp1, perp2, r, out);
    }
    out.push_back(perp2);
    return true;
  }

  // How far the join may reach from the corner: a mitre at the angle limit.
  template <typename Numeric>
  Numeric max_distance(const Numeric& distance) const {
    double half = std::max(m_angleLimit, 1.0) * kPi / 360.0;
    return static_cast<Numeric>(std::fabs(static_cast<double>(distance)) / std::sin(half));
  }

private:
  static constexpr double kPi = 3.14159265358979323846;

  // Points strictly between the two ends of the arc around vertex, going the short way.
  template <typename Point, typename RangeOut>
  void AddArc(const Point& vertex, double from, double to, double r, RangeOut& out) const {
    double sweep = std::remainder(to - from, 2 * kPi);
    double step = 2 * std::acos(std::max(0.0, 1.0 - std::min(m_chordError / r, 1.0)));
    int pieces = std::max(1, std::min(720, static_cast<int>(std::ceil(std::fabs(sweep) / step))));
    for (int i = 1; i < pieces; ++i) {
      double angle = from + sweep * i / pieces;
      Point p;
      bg::set<0>(p, bg::get<0>(vertex) + r * std::cos(angle));
      bg::set<1>(p, bg::get<1>(vertex) + r * std::sin(angle));
      out.push_back(p);
    }
  }

  // The two points where the offset sides, carried on, meet the line across the bisector at
  // distance r from the vertex.
  template <typename Point, typename RangeOut>
  static void AddFlatCut(const Point& vertex, const Point& perp1, const Point& perp2, double r,
                         RangeOut& out) {
    double vx = bg::get<0>(vertex), vy = bg::get<1>(vertex);
    double n1x = bg::get<0>(perp1) - vx, n1y = bg::get<1>(perp1) - vy;
    double n2x = bg::get<0>(perp2) - vx, n2y = bg::get<1>(perp2) - vy;
    double bx = n1x + n2x, by = n1y + n2y;
    double length = std::hypot(bx, by);
    if (length < 1e-12) return;
    bx /= length;
    by /= length;
    const double normals[2][2] = {{n1x, n1y}, {n2x, n2y}};
    for (const auto& n : normals) {
      // Along the side: perpendicular to its normal, towards the bisector.
      double tx = -n[1] / r, ty = n[0] / r;
      if (tx * bx + ty * by < 0) {
        tx = -tx;
        ty = -ty;
      }
      double along = tx * bx + ty * by;
      if (along < 1e-9) continue;
      double s = (r - (n[0] * bx + n[1] * by)) / along;
      Point p;
      bg::set<0>(p, vx + n[0] + s * tx);
      bg::set<1>(p, vy + n[1] + s * ty);
      out.push_back(p);
    }
  }

  double m_threshold;
  double m_angleLimit;
  Sharp m_sharp;
  bool m_roundAll;
  double m_chordError;
};
