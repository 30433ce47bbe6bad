#include "addons/transform/OutlineBoolean.h"

#include <algorithm>
#include <boost/geometry/strategies/buffer.hpp>

namespace {

OutlineArea Union(const OutlineArea& a, const OutlineArea& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  OutlineArea out;
  bg::union_(a, b, out);
  return out;
}

OutlineArea Difference(const OutlineArea& a, const OutlineArea& b) {
  if (a.empty() || b.empty()) return a;
  OutlineArea out;
  bg::difference(a, b, out);
  return out;
}

OutlineArea Intersection(const OutlineArea& a, const OutlineArea& b) {
  OutlineArea out;
  if (a.empty() || b.empty()) return out;
  bg::intersection(a, b, out);
  return out;
}

OutlineArea SymmetricDifference(const OutlineArea& a, const OutlineArea& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  OutlineArea out;
  bg::sym_difference(a, b, out);
  return out;
}

OutlineLines LinesOutside(const OutlineLines& lines, const OutlineArea& area) {
  if (lines.empty() || area.empty()) return lines;
  OutlineLines out;
  bg::difference(lines, area, out);
  return out;
}

OutlineLines LinesInside(const OutlineLines& lines, const OutlineArea& area) {
  OutlineLines out;
  if (lines.empty() || area.empty()) return out;
  bg::intersection(lines, area, out);
  return out;
}

void Append(OutlineLines* to, const OutlineLines& lines) {
  to->insert(to->end(), lines.begin(), lines.end());
}

OutlineArea AreaOfRing(const OutlinePolygon& ring) {
  OutlineArea area;
  area.push_back(ring);
  return area;
}

// The knife's lines and the boundaries of its area, all as lines.
OutlineLines EdgesOf(const OutlineShape& knife) {
  OutlineLines edges = knife.lines;
  for (const OutlinePolygon& polygon : knife.area) {
    edges.push_back(OutlineLine(polygon.outer().begin(), polygon.outer().end()));
    for (const OutlinePolygon::ring_type& hole : polygon.inners())
      edges.push_back(OutlineLine(hole.begin(), hole.end()));
  }
  return edges;
}

// Sub-paths that cover each other (the same ring twice) lie at one level and are united.
bool Holds(const OutlinePolygon& outer, const OutlinePolygon& inner) {
  return bg::within(inner, outer) && !bg::within(outer, inner);
}

}  // namespace

OutlineArea COutlineBoolean::EvenOddArea(const FlatCurve& curve) {
  OutlineArea area;
  for (const OutlinePolygon& ring : curve.rings) area = SymmetricDifference(area, AreaOfRing(ring));
  return area;
}

OutlineShape COutlineBoolean::ShapeOf(const std::vector<FlatCurve>& curves) {
  OutlineShape shape;
  for (const FlatCurve& curve : curves) {
    shape.area = Union(shape.area, EvenOddArea(curve));
    Append(&shape.lines, curve.lines);
  }
  return shape;
}

OutlineShape COutlineBoolean::Combine(const OutlineShape& first, const OutlineShape& second,
                                      Operation operation) {
  OutlineShape result;
  switch (operation) {
    case kUnion:
    case kExclusiveOr:
      result.area = operation == kUnion ? Union(first.area, second.area)
                                        : SymmetricDifference(first.area, second.area);
      result.lines = LinesOutside(first.lines, second.area);
      Append(&result.lines, LinesOutside(second.lines, first.area));
      break;
    case kDifference:
      result.area = Difference(first.area, second.area);
      result.lines = LinesOutside(first.lines, second.area);
      break;
    case kIntersection:
      result.area = Intersection(first.area, second.area);
      result.lines = LinesInside(first.lines, second.area);
      Append(&result.lines, LinesInside(second.lines, first.area));
      break;
  }
  return result;
}

OutlineShape COutlineBoolean::Clip(const OutlineShape& shape, const OutlineArea& window) {
  OutlineShape result;
  result.area = Intersection(shape.area, window);
  result.lines = LinesInside(shape.lines, window);
  return result;
}

OutlineShape COutlineBoolean::CutAlong(const OutlineShape& shape, const OutlineShape& knife,
                                       double kerf) {
  OutlineLines edges = EdgesOf(knife);
  if (edges.empty() || kerf <= 0) return shape;
  OutlineArea cut;
  namespace buffer = bg::strategy::buffer;
  bg::buffer(edges, cut, buffer::distance_symmetric<double>(kerf / 2), buffer::side_straight(),
             buffer::join_miter(), buffer::end_flat(), buffer::point_square());
  OutlineShape result;
  result.area = Difference(shape.area, cut);
  result.lines = LinesOutside(shape.lines, cut);
  return result;
}

OutlineShape COutlineBoolean::RemoveSelfOverlaps(const FlatCurve& curve) {
  // Depth = how many other sub-paths hold this one wholly; the levels are laid down from the
  // outside in, solid at even depths and holes at odd ones.
  std::vector<int> depths(curve.rings.size(), 0);
  int deepest = 0;
  for (size_t i = 0; i < curve.rings.size(); ++i) {
    for (size_t j = 0; j < curve.rings.size(); ++j)
      if (i != j && Holds(curve.rings[j], curve.rings[i])) ++depths[i];
    deepest = std::max(deepest, depths[i]);
  }
  OutlineShape result;
  for (int depth = 0; depth <= deepest; ++depth) {
    OutlineArea level;
    for (size_t i = 0; i < curve.rings.size(); ++i)
      if (depths[i] == depth) level = Union(level, AreaOfRing(curve.rings[i]));
    result.area = depth % 2 == 0 ? Union(result.area, level) : Difference(result.area, level);
  }
  result.lines = curve.lines;
  return result;
}
