#include "addons/transform/RingAssembler.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

typedef CRingAssembler::Loop Loop;
typedef CRingAssembler::Corner Corner;

// Twice the area, positive when the loop runs counter-clockwise (y up): an outer ring here.
double Shoelace(const Loop& loop) {
  double sum = 0;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++)
    sum += (loop[j].x - loop[0].x) * (loop[i].y - loop[0].y) -
           (loop[i].x - loop[0].x) * (loop[j].y - loop[0].y);
  return sum;
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

// A corner within this many grid steps of the line through its neighbours (a spike that runs out
// and back, or a point on the way), and a loop no wider than this on average, comes from edges
// that run along each other but for the grid's rounding; they go, as a rounding grid would take
// them out.
const double kFlatness = 1;

// Twice the area of the triangle a, b, c, over its longest side: its height there.
double Height(const Corner& a, const Corner& b, const Corner& c) {
  const double abx = b.x - a.x, aby = b.y - a.y, acx = c.x - a.x, acy = c.y - a.y;
  const double longest = std::max(std::max(std::hypot(abx, aby), std::hypot(acx, acy)),
                                  std::hypot(c.x - b.x, c.y - b.y));
  return longest > 0 ? std::fabs(abx * acy - aby * acx) / longest : 0;
}

// Whether the middle corner can go.
bool Flat(const Corner& a, const Corner& b, const Corner& c) {
  return !b.joint && Height(a, b, c) <= kFlatness;
}

// The loop without flat corners (in place), and empty when what is left is no more than a sliver.
void Simplify(Loop* loop) {
  Loop& kept = *loop;
  size_t n = 0;
  for (size_t i = 0; i < kept.size(); ++i) {
    const Corner p = kept[i];
    while (n >= 2 && Flat(kept[n - 2], kept[n - 1], p)) --n;
    kept[n++] = p;
  }
  kept.resize(n);
  // Round the joint, where the last points meet the first.
  for (bool changed = true; changed && kept.size() >= 3;) {
    changed = false;
    const size_t last = kept.size() - 1;
    if (Flat(kept[last - 1], kept[last], kept[0])) {
      kept.pop_back();
      changed = true;
    } else if (Flat(kept[last], kept[0], kept[1])) {
      kept.erase(kept.begin());
      changed = true;
    }
  }
  if (kept.size() < 3) {
    kept.clear();
    return;
  }
  double perimeter = 0;
  for (size_t i = 0, j = kept.size() - 1; i < kept.size(); j = i++)
    perimeter += std::hypot(kept[i].x - kept[j].x, kept[i].y - kept[j].y);
  if (std::fabs(Shoelace(kept)) <= kFlatness * perimeter) kept.clear();
}

// Splits a loop that passes a point more than once into loops that each pass it once, into
// loops[0 ..] (whose buffers are reused); gives how many.
size_t SplitAtRepeats(const Loop& loop, std::vector<Loop>* loops) {
  Loop stack;
  std::map<std::pair<double, double>, size_t> at;
  size_t count = 0;
  auto emit = [&](Loop::const_iterator from, Loop::const_iterator to) {
    if (loops->size() <= count) loops->resize(count + 1);
    (*loops)[count++].assign(from, to);
  };
  for (const Corner& p : loop) {
    auto found = at.find(std::make_pair(p.x, p.y));
    if (found == at.end()) {
      at.emplace(std::make_pair(p.x, p.y), stack.size());
      stack.push_back(p);
      continue;
    }
    const size_t from = found->second;
    if (stack.size() - from >= 3) emit(stack.begin() + from, stack.end());
    for (size_t i = from + 1; i < stack.size(); ++i)
      at.erase(std::make_pair(stack[i].x, stack[i].y));
    stack.resize(from + 1);
  }
  if (stack.size() >= 3) emit(stack.begin(), stack.end());
  return count;
}

}  // namespace

int CRingAssembler::Start(double x, double y, bool joint, bool hole, int below) {
  const int chain = static_cast<int>(m_chains.size());
  m_points.push_back(Point{x, y, -1, joint});
  const int point = static_cast<int>(m_points.size() - 1);
  m_chains.push_back(Chain{point, point, 1, -1, -1, chain, hole, below, -1, false, false});
  return chain;
}

void CRingAssembler::Append(int chain, double x, double y, bool joint) {
  Chain& c = m_chains[chain];
  Point& last = m_points[c.last];
  if (last.x == x && last.y == y) {
    last.joint = last.joint || joint;
    return;
  }
  m_points.push_back(Point{x, y, -1, joint});
  ++c.size;
  m_points[c.last].next = static_cast<int>(m_points.size() - 1);
  c.last = static_cast<int>(m_points.size() - 1);
}

void CRingAssembler::Prepend(int chain, double x, double y, bool joint) {
  Chain& c = m_chains[chain];
  Point& first = m_points[c.first];
  if (first.x == x && first.y == y) {
    first.joint = first.joint || joint;
    return;
  }
  m_points.push_back(Point{x, y, c.first, joint});
  ++c.size;
  c.first = static_cast<int>(m_points.size() - 1);
}

void CRingAssembler::Join(int chain, int other) {
  Chain& c = m_chains[chain];
  if (chain == other) {
    c.closed = true;
    m_rings.push_back(chain);
    return;
  }
  Chain& o = m_chains[other];
  int from = o.first;
  // The joint point is often the last of one and the first of the other.
  const Point& last = m_points[c.last];
  if (m_points[from].x == last.x && m_points[from].y == last.y) {
    m_points[c.last].joint = m_points[c.last].joint || m_points[from].joint;
    from = m_points[from].next;
  }
  if (from >= 0) {
    m_points[c.last].next = from;
    c.last = o.last;
    c.size += o.size;
  }
  c.lastHolder = o.lastHolder;
  if (o.order < c.order) {
    c.order = o.order;
    c.hole = o.hole;
    c.below = o.below;
  }
  c.touching = c.touching || o.touching;
  o.into = chain;
}

void CRingAssembler::MarkTouching(int chain) { m_chains[Root(chain)].touching = true; }

int CRingAssembler::Root(int chain) {
  int root = chain;
  while (m_chains[root].into >= 0) root = m_chains[root].into;
  while (m_chains[chain].into >= 0) {
    const int next = m_chains[chain].into;
    m_chains[chain].into = root;
    chain = next;
  }
  return root;
}

size_t CRingAssembler::LoopsOf(const Chain& chain, std::vector<Loop>* loops) {
  if (loops->empty()) loops->resize(1);
  // A ring that touches nothing is one loop, gathered where it stays.
  Loop& gathered = chain.touching ? m_gathered : loops->front();
  gathered.clear();
  for (int p = chain.first; p >= 0; p = m_points[p].next) {
    Corner point{m_points[p].x, m_points[p].y, m_points[p].joint};
    if (gathered.empty() || !Same(gathered.back(), point))
      gathered.push_back(point);
    else
      gathered.back().joint = gathered.back().joint || point.joint;
    if (p == chain.last) break;
  }
  while (gathered.size() > 1 && Same(gathered.front(), gathered.back())) gathered.pop_back();
  const size_t count = chain.touching ? SplitAtRepeats(gathered, loops) : 1;
  size_t kept = 0;
  for (size_t i = 0; i < count; ++i) {
    Simplify(&(*loops)[i]);
    if ((*loops)[i].empty()) continue;
    if (kept != i) (*loops)[kept].swap((*loops)[i]);
    ++kept;
  }
  return kept;
}

OutlineArea CRingAssembler::Area(double originX, double originY, double step) {
  std::sort(m_rings.begin(), m_rings.end(),
            [this](int a, int b) { return m_chains[a].order < m_chains[b].order; });
  // For each ring: the polygon it is the outer ring of, or for a hole the one it lies in.
  std::vector<int> polygonOf(m_chains.size(), -1);
  OutlineArea area;
  std::vector<Loop> loops;
  std::vector<double> sizes;
  for (int ring : m_rings) {
    const Chain& chain = m_chains[ring];
    const size_t count = LoopsOf(chain, &loops);
    sizes.resize(count);
    for (size_t i = 0; i < count; ++i) sizes[i] = Shoelace(loops[i]);
    int holder = chain.hole && chain.below >= 0 ? polygonOf[Root(chain.below)] : -1;
    // Outer-shaped loops are polygons of their own; of an outer ring the largest one holds the
    // ring's holes (the others are rare islands pinched off where the ring touched itself).
    double largest = 0;
    for (size_t i = 0; i < count; ++i) {
      if (sizes[i] <= 0) continue;
      area.emplace_back();
      area.back().outer() = PageRing(loops[i], originX, originY, step);
      if (!chain.hole && sizes[i] > largest) {
        largest = sizes[i];
        holder = static_cast<int>(area.size() - 1);
      }
    }
    if (holder < 0 && !area.empty()) holder = static_cast<int>(area.size() - 1);
    for (size_t i = 0; i < count; ++i)
      if (sizes[i] < 0 && holder >= 0)
        area[holder].inners().push_back(PageRing(loops[i], originX, originY, step));
    polygonOf[ring] = holder;
  }
  return area;
}
