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

// The parts of the lines outside the area, by the sweep's rule.
OutlineLines LinesOutside(const OutlineLines& lines, const OutlineArea& area) {
  if (lines.empty() || area.empty()) return lines;
  CWindingSweep sweep;
  sweep.AddArea(area, 1, 0);
  for (const OutlineLine& line : lines) sweep.AddLine(line, 0, 0);
  return sweep.Lines(CWindingSweep::Clear);
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

bool HasLines(const std::vector<FlatCurve>& curves) {
  for (const FlatCurve& curve : curves)
    if (!curve.lines.empty()) return true;
  return false;
}

// A line of either operand, outside the other curves of its own, inside the other operand's area
// on one side at least.
bool InsideTheOther(int operand, const Cover& below, const Cover& above) {
  const int other = 1 - operand;
  return below[operand] == 0 && above[operand] == 0 && (below[other] > 0 || above[other] > 0);
}

// The lines the operation keeps, all in one sweep of the lines and of the curves that can reach
// them (whose boxes meet the box of a curve with lines): the first operand's curves are operand
// 0 of the sweep, the second's operand 1, each curve a group. A union keeps each curve's lines
// outside every other curve's area, a difference the first operand's lines alone likewise, an
// intersection the parts of each line outside the other curves of its operand and inside the
// other operand's area.
OutlineLines LinesOf(const std::vector<FlatCurve>& first, const std::vector<FlatCurve>& second,
                     COutlineBoolean::Operation operation) {
  const std::vector<const FlatCurve*> curves = [&] {
    std::vector<const FlatCurve*> all;
    for (const FlatCurve& curve : first) all.push_back(&curve);
    for (const FlatCurve& curve : second) all.push_back(&curve);
    return all;
  }();
  const size_t firstCount = first.size();
  auto linesKept = [&](size_t i) {
    return !curves[i]->lines.empty() &&
           (i < firstCount || operation != COutlineBoolean::kDifference);
  };
  std::vector<Box> boxes, lined;
  for (size_t i = 0; i < curves.size(); ++i) {
    boxes.push_back(BoxOf(*curves[i]));
    if (linesKept(i)) lined.push_back(boxes.back());
  }
  if (lined.empty()) return OutlineLines();
  const bgi::rtree<Box, bgi::rstar<16>> reach(lined.begin(), lined.end());
  CWindingSweep sweep;
  for (size_t i = 0; i < curves.size(); ++i) {
    const int operand = i < firstCount ? 0 : 1;
    if (!linesKept(i) && reach.qbegin(bgi::intersects(boxes[i])) == reach.qend()) continue;
    for (const OutlinePolygon& ring : curves[i]->rings)
      sweep.AddRing(ring.outer(), int(i), operand);
    if (linesKept(i))
      for (const OutlineLine& line : curves[i]->lines) sweep.AddLine(line, int(i), operand);
  }
  return sweep.Lines(operation == COutlineBoolean::kIntersection ? InsideTheOther
                                                                 : CWindingSweep::Clear);
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
  return CombineCurves(curves, std::vector<FlatCurve>(), kUnion);
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

OutlineShape COutlineBoolean::CombineCurves(const std::vector<FlatCurve>& first,
                                            const std::vector<FlatCurve>& second,
                                            Operation operation) {
  // Inside one curve when its winding number is odd; inside an operand when inside any of its
  // curves.
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
  if (HasLines(first) || HasLines(second)) result.lines = LinesOf(first, second, operation);
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
