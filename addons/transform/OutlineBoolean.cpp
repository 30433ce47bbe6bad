#include "addons/transform/OutlineBoolean.h"

#include <boost/geometry/index/rtree.hpp>
#include <cmath>

#include "addons/transform/OutlineBands.h"
#include "addons/transform/RingNesting.h"
#include "addons/transform/WindingSweep.h"

namespace {

namespace bgi = boost::geometry::index;

typedef CWindingSweep::Cover Cover;

bool Inside(COutlineBoolean::Operation operation, bool first, bool second) {
  switch (operation) {
    case COutlineBoolean::kUnion:
      return first || second;
    case COutlineBoolean::kDifference:
      return first && !second;
    case COutlineBoolean::kIntersection:
      return first && second;
    case COutlineBoolean::kExclusiveOr:
      return first != second;
  }
  return false;
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

typedef bg::model::box<OutlinePoint> Box;

Box BoxOf(const FlatCurve& curve) {
  Box box;
  bg::assign_inverse(box);
  for (const OutlinePolygon& ring : curve.rings) bg::expand(box, bg::return_envelope<Box>(ring));
  for (const OutlineLine& line : curve.lines) bg::expand(box, bg::return_envelope<Box>(line));
  return box;
}

// Each curve's lines without their parts inside the other curves' areas, all in one sweep of the
// lines and of the curves that can reach them (whose boxes meet the box of a curve with lines).
OutlineLines LinesOfUnion(const std::vector<FlatCurve>& curves) {
  std::vector<Box> boxes, lined;
  for (const FlatCurve& curve : curves) {
    boxes.push_back(BoxOf(curve));
    if (!curve.lines.empty()) lined.push_back(boxes.back());
  }
  const bgi::rtree<Box, bgi::rstar<16>> reach(lined.begin(), lined.end());
  CWindingSweep sweep;
  for (size_t i = 0; i < curves.size(); ++i) {
    if (curves[i].lines.empty() && reach.qbegin(bgi::intersects(boxes[i])) == reach.qend())
      continue;
    for (const OutlinePolygon& ring : curves[i].rings) sweep.AddRing(ring.outer(), int(i), 0);
    for (const OutlineLine& line : curves[i].lines) sweep.AddLine(line, int(i), 0);
  }
  return sweep.LinesOutside(CWindingSweep::Any);
}

}  // namespace

double COutlineBoolean::AreaOf(const OutlineArea& area) { return std::fabs(bg::area(area)); }

double COutlineBoolean::PerimeterOf(const OutlineArea& area) { return bg::perimeter(area); }

OutlineArea COutlineBoolean::EvenOddArea(const FlatCurve& curve) {
  CWindingSweep sweep;
  for (const OutlinePolygon& ring : curve.rings) sweep.AddRing(ring.outer(), 0, 0);
  return sweep.Area(CWindingSweep::Any);
}

OutlineShape COutlineBoolean::ShapeOf(const std::vector<FlatCurve>& curves) {
  CWindingSweep sweep;
  bool anyLines = false;
  for (size_t i = 0; i < curves.size(); ++i) {
    for (const OutlinePolygon& ring : curves[i].rings) sweep.AddRing(ring.outer(), int(i), 0);
    anyLines = anyLines || !curves[i].lines.empty();
  }
  OutlineShape shape;
  // Inside one curve when its winding number is odd; inside the shape when inside any curve.
  shape.area = sweep.Area(CWindingSweep::Any);
  if (anyLines) shape.lines = LinesOfUnion(curves);
  return shape;
}

OutlineArea COutlineBoolean::CombineAreas(const OutlineArea& first, const OutlineArea& second,
                                          Operation operation) {
  CWindingSweep sweep;
  sweep.AddArea(first, 0, 0);
  sweep.AddArea(second, 1, 1);
  sweep.SetFill(0, CWindingSweep::kNonZero);
  sweep.SetFill(1, CWindingSweep::kNonZero);
  return sweep.Area([operation](const Cover& c) { return Inside(operation, c[0] > 0, c[1] > 0); });
}

OutlineShape COutlineBoolean::Combine(const OutlineShape& first, const OutlineShape& second,
                                      Operation operation) {
  OutlineShape result;
  result.area = CombineAreas(first.area, second.area, operation);
  switch (operation) {
    case kUnion:
    case kExclusiveOr:
      result.lines = LinesOutside(first.lines, second.area);
      Append(&result.lines, LinesOutside(second.lines, first.area));
      break;
    case kDifference:
      result.lines = LinesOutside(first.lines, second.area);
      break;
    case kIntersection:
      result.lines = LinesInside(first.lines, second.area);
      Append(&result.lines, LinesInside(second.lines, first.area));
      break;
  }
  return result;
}

OutlineShape COutlineBoolean::CombineCurves(const std::vector<FlatCurve>& first,
                                            const std::vector<FlatCurve>& second,
                                            Operation operation) {
  bool anyLines = false;
  for (const FlatCurve& curve : first) anyLines = anyLines || !curve.lines.empty();
  for (const FlatCurve& curve : second) anyLines = anyLines || !curve.lines.empty();
  // The lines need each operand's own area; without lines one sweep does it all.
  if (anyLines) return Combine(ShapeOf(first), ShapeOf(second), operation);
  CWindingSweep sweep;
  const int firstCount = static_cast<int>(first.size());
  for (int i = 0; i < firstCount; ++i)
    for (const OutlinePolygon& ring : first[i].rings) sweep.AddRing(ring.outer(), i, 0);
  for (size_t i = 0; i < second.size(); ++i)
    for (const OutlinePolygon& ring : second[i].rings)
      sweep.AddRing(ring.outer(), firstCount + int(i), 1);
  OutlineShape result;
  result.area = sweep.Area(
      [operation](const Cover& c) { return Inside(operation, c[0] > 0, c[1] > 0); });
  return result;
}

OutlineShape COutlineBoolean::CutAlong(const OutlineShape& shape, const OutlineShape& knife,
                                       double kerf) {
  OutlineLines edges = EdgesOf(knife);
  if (edges.empty() || kerf <= 0) return shape;
  CWindingSweep bands;
  COutlineBands(CCornerJoin::Mitre(kerf), COutlineBands::kFlatEnds)
      .AddLineBands(edges, kerf / 2, &bands, 0);
  OutlineArea cut = bands.Area(CWindingSweep::Any);
  OutlineShape result;
  result.area = CombineAreas(shape.area, cut, kDifference);
  result.lines = LinesOutside(shape.lines, cut);
  return result;
}

OutlineShape COutlineBoolean::RemoveSelfOverlaps(const FlatCurve& curve) {
  // Depth = how many other sub-paths hold this one wholly (CRingNesting); at a point the deepest
  // sub-path that covers it decides: solid at an even depth, a hole at an odd one.
  const size_t count = curve.rings.size();
  const std::vector<int> depths = CRingNesting::Depths(curve.rings);
  // The sub-paths of each depth are one operand.
  CWindingSweep sweep;
  for (size_t i = 0; i < count; ++i) sweep.AddRing(curve.rings[i].outer(), int(i), depths[i]);
  OutlineShape result;
  result.area = sweep.Area([](const Cover& c) {
    int deepest = static_cast<int>(c.size()) - 1;
    while (deepest >= 0 && c[deepest] == 0) --deepest;
    return deepest >= 0 && deepest % 2 == 0;
  });
  result.lines = curve.lines;
  return result;
}
