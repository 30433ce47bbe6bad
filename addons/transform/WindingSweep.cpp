#include "addons/transform/WindingSweep.h"

#include <algorithm>
#include <boost/polygon/polygon.hpp>
#include <cmath>

namespace gtl = boost::polygon;

namespace {

typedef gtl::point_data<int> GridPoint;
typedef gtl::scanline_base<int>::half_edge HalfEdge;
// An edge with its group and its count: +1 or -1 by the way it runs, in the scanline's terms.
typedef std::pair<HalfEdge, std::pair<int, int>> GroupEdge;

// Half the grid's extent in grid steps: well inside 32 bits, so that the scanline's products of
// coordinate differences stay exact.
const double kGridHalfRange = 268435456.0;  // 2^28
// How many edges the sweep hands out between two looks at the progress callback.
const unsigned kProgressInterval = 4096;

// What the scanline knows on one side of an edge: every group's winding number there.
struct WindingKey {
  CWindingSweep::Windings counts;
  void clear() { counts.clear(); }
  bool operator!=(const WindingKey& other) const { return counts != other.counts; }
};

}  // namespace

// The scanline keeps every group's count on both sides of each edge, and by default hands out
// only the set of groups whose count is positive. The winding rules need the counts themselves.
namespace boost {
namespace polygon {
template <>
inline void scanline<int, int, WindingKey>::set_unique_property(WindingKey& key,
                                                                const property_map& property) {
  key.counts.assign(property.begin(), property.end());
}
}  // namespace polygon
}  // namespace boost

namespace {

struct SweepState {
  const CWindingSweep::Rule* rule;
  const CWindingSweep::Progress* progress;
  int firstX;
  double spanX;
  unsigned edges;
  const CWindingSweep::Rule* measure;
  // Twice the measured area in grid units: the trapezoids under the measured region's edges,
  // added where the region lies on one side of an edge and taken where it lies on the other.
  double measured;
};

// Keeps the edges with the rule's inside on one side only, turned so that the inside lies where
// the polygon formation expects it.
struct EdgeChooser {
  SweepState* state;
  void operator()(gtl::polygon_set_data<int>& result, const HalfEdge& edge, const WindingKey& left,
                  const WindingKey& right) const {
    if (++state->edges % kProgressInterval == 0 && *state->progress) {
      double share = (edge.first.x() - state->firstX) / state->spanX;
      if (!(*state->progress)(std::min(1.0, std::max(0.0, share)))) throw SweepCancelled();
    }
    if (state->measure) {
      bool leftMeasured = (*state->measure)(left.counts);
      if (leftMeasured != (*state->measure)(right.counts)) {
        double width = double(edge.second.x()) - edge.first.x();
        double heights = double(edge.second.y()) + edge.first.y();
        state->measured += (leftMeasured ? width : -width) * heights;
      }
    }
    bool leftInside = (*state->rule)(left.counts);
    if (leftInside == (*state->rule)(right.counts)) return;
    std::pair<HalfEdge, int> chosen(edge, 1);
    if (edge.second < edge.first) chosen.second = -chosen.second;
    if (gtl::scanline_base<int>::is_vertical(edge)) chosen.second = -chosen.second;
    if (!leftInside) chosen.second = -chosen.second;
    result.insert_clean(chosen);
  }
};

// The order the scanline takes its input in: by point, then by the edges' slopes there.
struct EdgeOrder {
  gtl::scanline_base<int>::evalAtXforYPack* pack;
  bool operator()(const GroupEdge& a, const GroupEdge& b) const {
    gtl::scanline_base<int>::less_point lessPoint;
    if (lessPoint(a.first.first, b.first.first)) return true;
    if (lessPoint(b.first.first, a.first.first)) return false;
    int x = a.first.first.x();
    int justBefore = 0;
    gtl::scanline_base<int>::less_half_edge lessEdge(&x, &justBefore, pack);
    return lessEdge(a.first, b.first);
  }
};

template <class Iterator>
void AppendRing(Iterator begin, Iterator end, double originX, double originY, double step,
                std::vector<OutlinePoint>* ring) {
  for (; begin != end; ++begin)
    ring->push_back(OutlinePoint(originX + begin->x() * step, originY + begin->y() * step));
}

}  // namespace

bool CWindingSweep::IsOdd(const Windings& windings, int group) {
  for (const auto& w : windings)
    if (w.first == group && (w.second & 1)) return true;
  return false;
}

bool CWindingSweep::IsNonZero(const Windings& windings, int group) {
  for (const auto& w : windings)
    if (w.first == group && w.second != 0) return true;
  return false;
}

void CWindingSweep::AddRing(const std::vector<OutlinePoint>& ring, int group) {
  if (ring.size() >= 3) m_rings.push_back(Ring{ring, group});
}

void CWindingSweep::AddArea(const OutlineArea& area, int group) {
  for (const OutlinePolygon& polygon : area) {
    AddRing(polygon.outer(), group);
    for (const auto& hole : polygon.inners()) AddRing(hole, group);
  }
}

CWindingSweep::Grid CWindingSweep::FitGrid() const {
  double left = HUGE_VAL, right = -HUGE_VAL, top = HUGE_VAL, bottom = -HUGE_VAL;
  for (const Ring& ring : m_rings) {
    for (const OutlinePoint& p : ring.points) {
      left = std::min(left, p.x());
      right = std::max(right, p.x());
      top = std::min(top, p.y());
      bottom = std::max(bottom, p.y());
    }
  }
  Grid grid = {(left + right) / 2, (top + bottom) / 2, 1};
  double half = std::max(std::max(right - left, bottom - top) / 2, 1e-3);
  grid.scale = kGridHalfRange / half;
  return grid;
}

double CWindingSweep::GridStep() const { return m_rings.empty() ? 0 : 1 / FitGrid().scale; }

OutlineArea CWindingSweep::Area(const Rule& rule, const Progress& progress, const Rule* measure,
                                double* measured) const {
  OutlineArea area;
  if (measured) *measured = 0;
  if (m_rings.empty()) return area;
  if (progress && !progress(0)) throw SweepCancelled();
  const Grid grid = FitGrid();
  std::vector<GroupEdge> edges;
  int firstX = 0, lastX = 0;
  for (const Ring& ring : m_rings) {
    std::vector<GridPoint> points;
    points.reserve(ring.points.size());
    for (const OutlinePoint& p : ring.points) {
      GridPoint q(static_cast<int>(std::lround((p.x() - grid.originX) * grid.scale)),
                  static_cast<int>(std::lround((p.y() - grid.originY) * grid.scale)));
      if (points.empty() || points.back() != q) points.push_back(q);
      firstX = std::min(firstX, q.x());
      lastX = std::max(lastX, q.x());
    }
    for (size_t i = 0; i < points.size(); ++i) {
      GridPoint a = points[i], b = points[(i + 1) % points.size()];
      if (a == b) continue;
      int count = a.x() == b.x() ? -1 : 1;
      if (b < a) {
        std::swap(a, b);
        count = -count;
      }
      edges.push_back(GroupEdge(HalfEdge(a, b), std::make_pair(ring.group, count)));
    }
  }
  if (edges.empty()) return area;
  // Split where edges cross, then sweep once in the scanline's order.
  std::vector<GroupEdge> split;
  gtl::line_intersection<int>::validate_scan(split, edges.begin(), edges.end());
  edges.clear();
  gtl::scanline_base<int>::evalAtXforYPack pack;
  gtl::polygon_sort(split.begin(), split.end(), EdgeOrder{&pack});
  SweepState state = {&rule, &progress, firstX, std::max(1.0, double(lastX) - firstX),
                      0,     measure,   0};
  gtl::polygon_set_data<int> chosen;
  gtl::scanline<int, int, WindingKey> scanline;
  scanline.scan(chosen, EdgeChooser{&state}, split.begin(), split.end());
  split.clear();
  if (measured) *measured = std::fabs(state.measured) / 2 / (grid.scale * grid.scale);
  std::vector<gtl::polygon_with_holes_data<int>> polygons;
  chosen.get(polygons);
  const double step = 1 / grid.scale;
  for (const auto& polygon : polygons) {
    OutlinePolygon out;
    AppendRing(polygon.begin(), polygon.end(), grid.originX, grid.originY, step, &out.outer());
    for (auto hole = polygon.begin_holes(); hole != polygon.end_holes(); ++hole) {
      out.inners().emplace_back();
      AppendRing(hole->begin(), hole->end(), grid.originX, grid.originY, step,
                 &out.inners().back());
    }
    bg::correct(out);
    area.push_back(std::move(out));
  }
  if (progress && !progress(1)) throw SweepCancelled();
  return area;
}
