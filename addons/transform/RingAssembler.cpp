#include "addons/transform/RingAssembler.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

typedef std::vector<OutlinePoint> Loop;

// Twice the area, positive when the loop runs counter-clockwise (y up): an outer ring here.
double Shoelace(const Loop& loop) {
  double sum = 0;
  for (size_t i = 0, j = loop.size() - 1; i < loop.size(); j = i++)
    sum += (loop[j].x() - loop[0].x()) * (loop[i].y() - loop[0].y()) -
           (loop[i].x() - loop[0].x()) * (loop[j].y() - loop[0].y());
  return sum;
}

bool Same(const OutlinePoint& a, const OutlinePoint& b) { return a.x() == b.x() && a.y() == b.y(); }

// The loop in page units, turned round (Boost.Geometry's outer rings run clockwise) and closed.
OutlinePolygon::ring_type PageRing(const Loop& loop, double originX, double originY, double step) {
  OutlinePolygon::ring_type ring;
  ring.reserve(loop.size() + 1);
  for (auto p = loop.rbegin(); p != loop.rend(); ++p)
    ring.push_back(OutlinePoint(originX + p->x() * step, originY + p->y() * step));
  ring.push_back(ring.front());
  return ring;
}

// Splits a loop that passes a point more than once into loops that each pass it once.
void SplitAtRepeats(const Loop& loop, std::vector<Loop>* loops) {
  Loop stack;
  std::map<std::pair<double, double>, size_t> at;
  for (const OutlinePoint& p : loop) {
    auto found = at.find(std::make_pair(p.x(), p.y()));
    if (found == at.end()) {
      at.emplace(std::make_pair(p.x(), p.y()), stack.size());
      stack.push_back(p);
      continue;
    }
    const size_t from = found->second;
    if (stack.size() - from >= 3) loops->push_back(Loop(stack.begin() + from, stack.end()));
    for (size_t i = from + 1; i < stack.size(); ++i)
      at.erase(std::make_pair(stack[i].x(), stack[i].y()));
    stack.resize(from + 1);
  }
  if (stack.size() >= 3) loops->push_back(stack);
}

}  // namespace

int CRingAssembler::Start(double x, double y, bool hole, int below) {
  const int chain = static_cast<int>(m_chains.size());
  m_points.push_back(Point{x, y, -1});
  const int point = static_cast<int>(m_points.size() - 1);
  m_chains.push_back(Chain{point, point, -1, -1, chain, hole, below, -1, false, false});
  return chain;
}

void CRingAssembler::Append(int chain, double x, double y) {
  Chain& c = m_chains[chain];
  const Point& last = m_points[c.last];
  if (last.x == x && last.y == y) return;
  m_points.push_back(Point{x, y, -1});
  m_points[c.last].next = static_cast<int>(m_points.size() - 1);
  c.last = static_cast<int>(m_points.size() - 1);
}

void CRingAssembler::Prepend(int chain, double x, double y) {
  Chain& c = m_chains[chain];
  const Point& first = m_points[c.first];
  if (first.x == x && first.y == y) return;
  m_points.push_back(Point{x, y, c.first});
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
  if (m_points[from].x == last.x && m_points[from].y == last.y) from = m_points[from].next;
  if (from >= 0) {
    m_points[c.last].next = from;
    c.last = o.last;
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

void CRingAssembler::LoopsOf(const Chain& chain, std::vector<Loop>* loops) const {
  Loop loop;
  for (int p = chain.first; p >= 0; p = m_points[p].next) {
    OutlinePoint point(m_points[p].x, m_points[p].y);
    if (loop.empty() || !Same(loop.back(), point)) loop.push_back(point);
    if (p == chain.last) break;
  }
  while (loop.size() > 1 && Same(loop.front(), loop.back())) loop.pop_back();
  if (chain.touching) {
    SplitAtRepeats(loop, loops);
  } else if (loop.size() >= 3) {
    loops->push_back(std::move(loop));
  }
}

OutlineArea CRingAssembler::Area(double originX, double originY, double step) {
  std::sort(m_rings.begin(), m_rings.end(),
            [this](int a, int b) { return m_chains[a].order < m_chains[b].order; });
  // For each ring: the polygon it is the outer ring of, or for a hole the one it lies in.
  std::vector<int> polygonOf(m_chains.size(), -1);
  OutlineArea area;
  std::vector<Loop> loops;
  for (int ring : m_rings) {
    const Chain& chain = m_chains[ring];
    loops.clear();
    LoopsOf(chain, &loops);
    int holder = chain.hole && chain.below >= 0 ? polygonOf[Root(chain.below)] : -1;
    if (!chain.hole) {
      // The largest outer-shaped loop is the ring's own polygon; the others are rare islands.
      double largest = 0;
      for (const Loop& loop : loops) {
        double size = Shoelace(loop);
        if (size <= 0) continue;
        area.emplace_back();
        area.back().outer() = PageRing(loop, originX, originY, step);
        if (size > largest) {
          largest = size;
          holder = static_cast<int>(area.size() - 1);
        }
      }
    } else {
      for (const Loop& loop : loops) {
        if (Shoelace(loop) <= 0) continue;
        area.emplace_back();
        area.back().outer() = PageRing(loop, originX, originY, step);
      }
    }
    if (holder < 0 && !area.empty()) holder = static_cast<int>(area.size() - 1);
    for (const Loop& loop : loops)
      if (Shoelace(loop) < 0 && holder >= 0)
        area[holder].inners().push_back(PageRing(loop, originX, originY, step));
    polygonOf[ring] = holder;
  }
  return area;
}
