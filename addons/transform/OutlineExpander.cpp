#include "addons/transform/OutlineExpander.h"

#include <algorithm>
#include <boost/geometry/strategies/buffer.hpp>
#include <cmath>

#include "addons/transform/CornerJoin.h"

namespace buffer = bg::strategy::buffer;

namespace {

const double kFinestChord = 0.001;
const double kCoarsestChord = 0.025;
// Thicknesses beyond this (10 m) are typing mistakes that would only exhaust memory.
const double kLargestThickness = 10000;

OutlineArea United(const OutlineArea& a, const OutlineArea& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  OutlineArea out;
  bg::union_(a, b, out);
  return out;
}

}  // namespace

COutlineExpander::COutlineExpander(const ExpandSettings& settings) : m_settings(settings) {}

bool COutlineExpander::IsValid(const ExpandSettings& settings) {
  return std::isfinite(settings.thickness) && std::fabs(settings.thickness) <= kLargestThickness &&
         std::isfinite(settings.threshold) && std::isfinite(settings.angleLimit) &&
         std::isfinite(settings.accuracy) && settings.mode >= 0 && settings.mode <= 2;
}

double COutlineExpander::ChordError() const {
  double error = std::fabs(m_settings.accuracy);
  return std::min(kCoarsestChord, std::max(kFinestChord, error));
}

OutlineArea COutlineExpander::Buffer(const OutlineArea& area, double distance) const {
  OutlineArea out;
  if (area.empty()) return out;
  if (distance == 0) return area;
  CCornerJoin join(m_settings.threshold, m_settings.angleLimit,
                   m_settings.mode == 0 ? CCornerJoin::kBevelSharp : CCornerJoin::kRoundSharp,
                   m_settings.mode == 2, ChordError());
  bg::buffer(area, out, buffer::distance_symmetric<double>(distance), buffer::side_straight(), join,
             buffer::end_flat(), buffer::point_circle(36));
  return out;
}

OutlineArea COutlineExpander::Band(const OutlineLines& lines) const {
  OutlineArea out;
  double half = std::fabs(m_settings.thickness);
  if (lines.empty() || half == 0) return out;
  CCornerJoin join(m_settings.threshold, m_settings.angleLimit,
                   m_settings.mode == 0 ? CCornerJoin::kBevelSharp : CCornerJoin::kRoundSharp,
                   m_settings.mode == 2, ChordError());
  int points = static_cast<int>(
      std::ceil(2 * 3.14159265358979 / std::acos(1 - std::min(ChordError() / half, 1.0))));
  points = std::max(8, std::min(720, points));
  if (m_settings.mode == 2)
    bg::buffer(lines, out, buffer::distance_symmetric<double>(half), buffer::side_straight(), join,
               buffer::end_round(points), buffer::point_circle(points));
  else
    bg::buffer(lines, out, buffer::distance_symmetric<double>(half), buffer::side_straight(), join,
               buffer::end_flat(), buffer::point_circle(points));
  return out;
}

OutlineShape COutlineExpander::Expand(const OutlineShape& shape) const {
  OutlineShape result;
  result.area = United(Buffer(shape.area, m_settings.thickness), Band(shape.lines));
  return result;
}

OutlineShape COutlineExpander::Outline(const OutlineShape& shape) const {
  OutlineArea moved = Buffer(shape.area, m_settings.thickness);
  OutlineArea ring;
  if (m_settings.thickness >= 0)
    bg::difference(moved, shape.area, ring);
  else
    bg::difference(shape.area, moved, ring);
  OutlineShape result;
  result.area = United(ring, Band(shape.lines));
  return result;
}
