#include "addons/transform/RingAssembler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <utility>

#include "addons/transform/ModularInteger.h"
#include "addons/transform/SteadyMath.h"

namespace {

typedef CRingAssembler::Loop Loop;
typedef CRingAssembler::Corner Corner;

// Corners are grid points where snapping moved them; elsewhere they are the exact corners, at
// least the snapping reach clear of every other part. Grid points lie within 2^28 of the origin.
bool OnGrid(double x, double y) {
  const double kRange = 1 << 30;
  return std::fabs(x) < kRange && std::fabs(y) < kRange && double(std::int32_t(x)) == x &&
         double(std::int32_t(y)) == y;
}
bool OnGrid(const Corner& c) { return OnGrid(c.x, c.y); }
std::int64_t Whole(double value) { return static_cast<std::int64_t>(value); }

// The sign of (b - a) x (p - a): 1 when p lies left of the way from a to b. The doubles decide
// when the cross product is clear of their rounding. Else it is exact where a, b and p lie on
// the grid or halfway between its points (the middle of an edge): twice their coordinates are
// whole numbers within 2^29, so twice the differences fit 31 bits and their products 62. Off the
// grid the doubles decide all the same; a corner there lies far from anything their rounding
// could put it beside.
int SideOf(const Corner& a, const Corner& b, double x, double y) {
  const double along = (b.x - a.x) * (y - a.y), across = (b.y - a.y) * (x - a.x);
  const double cross = along - across;
  if (std::fabs(cross) <= (std::fabs(along) + std::fabs(across)) * 1e-15 && OnGrid(a) &&
      OnGrid(b) && OnGrid(2 * x, 2 * y)) {
    const std::int64_t ax = 2 * Whole(a.x), ay = 2 * Whole(a.y);
    const std::int64_t exact = (2 * Whole(b.x) - ax) * (Whole(2 * y) - ay) -
                               (2 * Whole(b.y) - ay) * (Whole(2 * x) - ax);
    return (exact > 0) - (exact < 0);
  }
  return (cross > 0) - (cross < 0);
}

// Twice the area, positive when the loop runs counter-clockwise (y up): an outer ring here. On
// the grid the sign is exact: a long loop only a step wide has an area the doubles' rounding
// could outweigh.
double Shoelace(const Loop& loop) {
  double sum = 0, bound = 0;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
    const double a = (loop[j].x - loop[0].x) * (loop[i].y - loop[0].y);
    const double b = (loop[i].x - loop[0].x) * (loop[j].y - loop[0].y);
    sum += a - b;
    bound += std::fabs(a) + std::fabs(b);
  }
  if (std::fabs(sum) > bound * 1e-14 ||
      !std::all_of(loop.begin(), loop.end(), [](const Corner& c) { return OnGrid(c); }))
    return sum;
  CModularInteger exact;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
    const std::int64_t xj = Whole(loop[j].x) - Whole(loop[0].x);
    const std::int64_t yj = Whole(loop[j].y) - Whole(loop[0].y);
    const std::int64_t xi = Whole(loop[i].x) - Whole(loop[0].x);
    const std::int64_t yi = Whole(loop[i].y) - Whole(loop[0].y);
    exact = exact + CModularInteger(xj) * yi - CModularInteger(xi) * yj;
  }
  return exact.Sign() * std::max(std::fabs(sum), 1.0);
}

bool Same(const Corner& a, const Corner& b) { return a.x == b.x && a.y == b.y; }

// The loop in page units, turned round (Boost.Geometry's outer rings run clockwise) and closed.
OutlinePolygon::ring_type PageRing(const Loop& loop, double originX, double originY, double step) {
  OutlinePolygon::ring_type ring;
  ring.reserve(loop.size() + 1);
  for (auto p = loop.rbegin(); p != loop.rend(); ++p)
    ring.push_back(OutlinePoint(originX + p->x * step, originY + p->y * step));
  ring.push_back(ring.front());
  return ring;
}

bool OnOneLine(const Corner& a, const Corner& b, const Corner& c) {
  return SideOf(a, b, c.x, c.y) == 0;
}

// Whether the middle corner can go: on the way from one neighbour to the other, and no joint.
bool Flat(const Corner& a, const Corner& b, const Corner& c) {
  return !b.joint && OnOneLine(a, b, c);
}

// The loop without corners on the way (in place), and empty when no area is left.
void RemoveStraightCorners(Loop* loop) {
  Loop& kept = *loop;
  size_t n = 0;
  for (size_t i = 0; i < kept.size(); ++i) {
    const Corner p = kept[i];
    while (n >= 2 && Flat(kept[n - 2], kept[n - 1], p)) --n;
    if (n >= 1 && Same(kept[n - 1], p)) {
      kept[n - 1].joint = kept[n - 1].joint || p.joint;
      continue;
    }
    kept[n++] = p;
  }
  kept.resize(n);
  // Round the seam, where the last points meet the first.
  for (bool changed = true; changed && kept.size() >= 3;) {
    changed = false;
    const size_t last = kept.size() - 1;
    if (Same(kept[last], kept[0]) || Flat(kept[last - 1], kept[last], kept[0])) {
      kept.pop_back();
      changed = true;
    } else if (Flat(kept[last], kept[0], kept[1])) {
      kept.erase(kept.begin());
      changed = true;
    }
  }
  if (kept.size() < 3) kept.clear();
}

// Splits a loop that passes a point more than once into loops that each pass it once, into
// loops[0 ..] (whose buffers are reused); gives how many. The segment into each place of the
// loop (from the place before, the first from the last) goes to exactly one of them: its index
// goes into loopOfSegment, or -1 when its part was too small to be a loop.
size_t SplitAtRepeats(const Loop& loop, std::vector<Loop>* loops, std::vector<int>* loopOfSegment) {
  struct Entry {
    Corner corner;
    size_t place;  // where the segment into it ends
  };
  std::vector<Entry> stack;
  std::map<std::pair<double, double>, size_t> at;
  loopOfSegment->assign(loop.size(), -1);
  size_t count = 0;
  // The stack's entries from one on as a loop; the segment into the first ends at closing.
  auto emit = [&](size_t from, size_t closing) {
    const bool kept = stack.size() - from >= 3;
    if (kept && loops->size() <= count) loops->resize(count + 1);
    if (kept) (*loops)[count].clear();
    for (size_t k = from; k < stack.size(); ++k) {
      if (kept) (*loops)[count].push_back(stack[k].corner);
      (*loopOfSegment)[k == from ? closing : stack[k].place] = kept ? int(count) : -1;
    }
    if (kept) ++count;
  };
  for (size_t i = 0; i < loop.size(); ++i) {
    const Corner& p = loop[i];
    auto found = at.find(std::make_pair(p.x, p.y));
    if (found == at.end()) {
      at.emplace(std::make_pair(p.x, p.y), stack.size());
      stack.push_back(Entry{p, i});
      continue;
    }
    const size_t from = found->second;
    stack[from].corner.joint = stack[from].corner.joint || p.joint;
    emit(from, i);
    for (size_t k = from + 1; k < stack.size(); ++k)
      at.erase(std::make_pair(stack[k].corner.x, stack[k].corner.y));
    stack.resize(from + 1);
  }
  emit(0, 0);
  return count;
}

// Whether the point lies inside the loop, which does not pass through it.
bool Inside(const Loop& loop, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++) {
    const Corner& a = loop[j];
    const Corner& b = loop[i];
    if ((a.y > y) == (b.y > y)) continue;
    // Where the edge crosses the point's row, against the point: right of it flips inside.
    if ((b.y > a.y) == (SideOf(a, b, x, y) > 0)) inside = !inside;
  }
  return inside;
}

// The middle of the loop's first edge in page units: no corner of any other loop.
OutlinePoint PageMiddle(const Loop& loop, double originX, double originY, double step) {
  return OutlinePoint(originX + (loop[0].x + loop[1].x) / 2 * step,
                      originY + (loop[0].y + loop[1].y) / 2 * step);
}

// Whether the loop lies inside the other (they meet at corners at most, never along edges).
bool LiesIn(const Loop& loop, const Loop& other) {
  // The middle of an edge is no corner of either, so it lies clearly in or out.
  return Inside(other, (loop[0].x + loop[1].x) / 2, (loop[0].y + loop[1].y) / 2);
}

}  // namespace

CRingAssembler::Chain& CRingAssembler::At(int chain) {
  // A piece of boundary without its chain: the sweep lost its way, and the result would be wrong.
  if (chain < 0 || chain >= static_cast<int>(m_chains.size()))
    throw std::logic_error("a boundary piece without its chain");
  return m_chains[chain];
}

int CRingAssembler::AddPoint(double x, double y, int next, bool joint) {
  m_at.push_back(CSnapRounder::Corner{x, y});
  m_links.push_back(Link{next, joint});
  return static_cast<int>(m_at.size() - 1);
}

int CRingAssembler::Start(double x, double y, bool joint, bool hole, int below, bool forward) {
  const int chain = static_cast<int>(m_chains.size());
  const int point = AddPoint(x, y, -1, joint);
  const int belowPoint = below < 0 ? -1 : forward ? At(below).last : At(below).first;
  m_chains.push_back(Chain{point, point, -1, -1, chain, hole, belowPoint, forward, -1, false});
  return chain;
}

void CRingAssembler::Append(int chain, double x, double y, bool joint) {
  Chain& c = At(chain);
  if (m_at[c.last].x == x && m_at[c.last].y == y) {
    m_links[c.last].joint = m_links[c.last].joint || joint;
    return;
  }
  const int point = AddPoint(x, y, -1, joint);
  m_links[c.last].next = point;
  c.last = point;
}

void CRingAssembler::Prepend(int chain, double x, double y, bool joint) {
  Chain& c = At(chain);
  if (m_at[c.first].x == x && m_at[c.first].y == y) {
    m_links[c.first].joint = m_links[c.first].joint || joint;
    return;
  }
  c.first = AddPoint(x, y, c.first, joint);
}

void CRingAssembler::Join(int chain, int other) {
  Chain& c = At(chain);
  if (chain == other) {
    m_rings.push_back(chain);
    return;
  }
  // Every point stays in the list, the joint's repeat too: pieces below holes name points.
  Chain& o = At(other);
  m_links[c.last].next = o.first;
  c.last = o.last;
  c.lastHolder = o.lastHolder;
  if (o.order < c.order) {
    c.order = o.order;
    c.hole = o.hole;
    c.belowPoint = o.belowPoint;
    c.belowForward = o.belowForward;
  }
  c.touching = c.touching || o.touching;
  o.into = chain;
}

void CRingAssembler::MarkTouching(int chain) { m_chains[Root(chain)].touching = true; }

int CRingAssembler::Root(int chain) {
  int root = chain;
  while (At(root).into >= 0) root = m_chains[root].into;
  while (m_chains[chain].into >= 0) {
    const int next = m_chains[chain].into;
    m_chains[chain].into = root;
    chain = next;
  }
  return root;
}

bool CRingAssembler::Snap(double reach, std::vector<GridPoint>* snapped,
                          std::vector<size_t>* starts) {
  // The rings' points one after another, and how long their edges are on average.
  std::vector<int> points, ringStarts;
  points.reserve(m_at.size());
  double length = 0;
  for (int r : m_rings) {
    const Chain& chain = m_chains[r];
    ringStarts.push_back(static_cast<int>(points.size()));
    for (int p = chain.first; p >= 0; p = m_links[p].next) {
      if (p != chain.first) {
        const CSnapRounder::Corner& a = m_at[points.back()];
        length += std::fabs(m_at[p].x - a.x) + std::fabs(m_at[p].y - a.y);
      }
      points.push_back(p);
      if (p == chain.last) break;
    }
  }
  ringStarts.push_back(static_cast<int>(points.size()));
  CSnapRounder rounder(m_at, reach, length / double(std::max<size_t>(1, points.size())));
  snapped->clear();
  starts->clear();
  std::vector<int> ring;
  for (size_t r = 0; r + 1 < ringStarts.size(); ++r) {
    ring.assign(points.begin() + ringStarts[r], points.begin() + ringStarts[r + 1]);
    starts->push_back(snapped->size());
    rounder.SnapRing(ring, snapped);
  }
  return rounder.Changed();
}

// The ring's points in order without repeats in a row, split where it passes a point twice.
void CRingAssembler::Gather(const Chain& chain, RingLoops* ring) {
  Loop gathered;
  ring->points.clear();
  ring->places.clear();
  for (int p = chain.first; p >= 0; p = m_links[p].next) {
    const Corner point{m_at[p].x, m_at[p].y, m_links[p].joint};
    if (gathered.empty() || !Same(gathered.back(), point))
      gathered.push_back(point);
    else
      gathered.back().joint = gathered.back().joint || point.joint;
    ring->points.push_back(p);
    ring->places.push_back(static_cast<int>(gathered.size() - 1));
    if (p == chain.last) break;
  }
  // The last points may repeat the first: they are its place.
  size_t n = gathered.size();
  while (n > 1 && Same(gathered.front(), gathered[n - 1])) --n;
  gathered.resize(n);
  for (int& place : ring->places)
    if (place >= static_cast<int>(n)) place = 0;
  size_t count = 1;
  if (chain.touching) {
    count = SplitAtRepeats(gathered, &ring->loops, &ring->loopOfSegment);
  } else {
    if (ring->loops.empty()) ring->loops.resize(1);
    ring->loops[0].swap(gathered);
    ring->loopOfSegment.assign(n, 0);
  }
  ring->loops.resize(count);
  ring->sizes.resize(count);
  ring->perimeters.resize(count);
  for (size_t i = 0; i < count; ++i) {
    Loop& loop = ring->loops[i];
    RemoveStraightCorners(&loop);
    ring->sizes[i] = loop.empty() ? 0 : Shoelace(loop);
    ring->perimeters[i] = 0;
    for (size_t k = 0, j = loop.size() - 1; k < loop.size(); j = k++)
      ring->perimeters[i] += CSteadyMath::Hypot(loop[k].x - loop[j].x, loop[k].y - loop[j].y);
  }
}

// The loop of the piece of boundary just below where the ring started, or -1.
int CRingAssembler::LoopBelow(const Chain& chain) const {
  if (chain.belowPoint < 0) return -1;
  return chain.belowForward ? m_loopOut[chain.belowPoint] : m_loopIn[chain.belowPoint];
}

// The polygon that holds the ring's hole-shaped loop, or -1 when none does.
int CRingAssembler::HolderOf(const Chain& chain, const RingLoops& ring, size_t hole, int firstLoop,
                             const OutlineArea& area, double originX, double originY,
                             double step) const {
  // A loop pinched off an outer loop of its own ring lies in it.
  for (size_t i = 0; i < ring.loops.size(); ++i)
    if (ring.sizes[i] > 0 && LiesIn(ring.loops[hole], ring.loops[i]))
      return m_loops[firstLoop + i].polygon;
  const int below = chain.hole ? LoopBelow(chain) : -1;
  if (below >= 0) return m_loops[below].polygon;
  // Not found so: the smallest polygon made so far whose outer ring holds the loop.
  const OutlinePoint middle = PageMiddle(ring.loops[hole], originX, originY, step);
  int holder = -1;
  double smallest = HUGE_VAL;
  for (size_t p = 0; p < area.size(); ++p) {
    if (!bg::within(middle, area[p].outer())) continue;
    const double size = std::fabs(bg::area(area[p].outer()));
    if (size < smallest) {
      smallest = size;
      holder = static_cast<int>(p);
    }
  }
  return holder;
}

// The hole the ring's outer-shaped loop lies in, or -1: found from the piece below the ring's
// start (the bottom of a hole, or the top of an outer loop lying in the same hole), or for a
// ring that started as a hole, the hole-shaped loop of its own that it was pinched off.
int CRingAssembler::ContainerOf(const Chain& chain, const RingLoops& ring, size_t outer,
                                int firstLoop) const {
  if (chain.hole) {
    for (size_t i = 0; i < ring.loops.size(); ++i)
      if (ring.sizes[i] < 0 && LiesIn(ring.loops[outer], ring.loops[i])) return firstLoop + i;
    return -1;
  }
  const int below = LoopBelow(chain);
  if (below < 0) return -1;
  return m_loops[below].hole ? below : m_loops[below].container;
}

// The polygon that covers an outer-shaped loop lying in the container hole, or -1: where that
// hole went as a sliver, its polygon fills it now. The polygon's other holes are asked too: an
// island that touches its own hole where it starts finds the piece below that point, in a hole
// further down, as its container.
int CRingAssembler::CoveringPolygon(int container, const Loop& outer, const OutlineArea& area,
                                    double originX, double originY, double step) const {
  if (container < 0 || !m_loops[container].dropped) return -1;
  const int polygon = m_loops[container].polygon;
  if (polygon < 0) return -1;
  return bg::within(PageMiddle(outer, originX, originY, step), area[polygon]) ? polygon : -1;
}

OutlineArea CRingAssembler::Area(double originX, double originY, double step, double sliver) {
  std::sort(m_rings.begin(), m_rings.end(),
            [this](int a, int b) { return m_chains[a].order < m_chains[b].order; });
  m_loopIn.assign(m_at.size(), -1);
  m_loopOut.assign(m_at.size(), -1);
  m_loops.clear();
  OutlineArea area;
  RingLoops ring;
  for (int r : m_rings) {
    const Chain& chain = m_chains[r];
    Gather(chain, &ring);
    const int firstLoop = static_cast<int>(m_loops.size());
    const size_t count = ring.loops.size(), places = ring.loopOfSegment.size();
    m_loops.resize(firstLoop + count, LoopState{false, true, -1, -1});
    for (size_t i = 0; i < ring.points.size(); ++i) {
      const int place = ring.places[i];
      const int in = ring.loopOfSegment[place];
      const int out = ring.loopOfSegment[(place + 1) % places];
      m_loopIn[ring.points[i]] = in < 0 || ring.loops[in].empty() ? -1 : firstLoop + in;
      m_loopOut[ring.points[i]] = out < 0 || ring.loops[out].empty() ? -1 : firstLoop + out;
    }
    // A ring that started as an outer ring may hold holes of its own, one that started as a hole
    // islands: the holding loops first.
    for (int pass = 0; pass < 2; ++pass) {
      const bool holes = chain.hole == (pass == 0);
      for (size_t i = 0; i < count; ++i) {
        if (ring.sizes[i] == 0 || (ring.sizes[i] < 0) != holes) continue;
        LoopState& loop = m_loops[firstLoop + i];
        const bool thin = std::fabs(ring.sizes[i]) <= sliver * ring.perimeters[i];
        loop.hole = holes;
        if (holes) {
          loop.polygon = HolderOf(chain, ring, i, firstLoop, area, originX, originY, step);
          loop.dropped = thin || loop.polygon < 0;
          if (!loop.dropped)
            area[loop.polygon].inners().push_back(PageRing(ring.loops[i], originX, originY, step));
        } else {
          loop.container = ContainerOf(chain, ring, i, firstLoop);
          // A sliver goes alone: what lies in it keeps its place. In a hole that went as a sliver
          // the loop is part of the polygon that fills it now (its holes become that polygon's);
          // anywhere else it is a polygon of its own.
          loop.dropped = thin;
          if (thin) continue;
          loop.polygon = CoveringPolygon(loop.container, ring.loops[i], area, originX, originY,
                                         step);
          if (loop.polygon >= 0) continue;
          loop.polygon = static_cast<int>(area.size());
          area.emplace_back();
          area.back().outer() = PageRing(ring.loops[i], originX, originY, step);
        }
      }
    }
  }
  return area;
}
