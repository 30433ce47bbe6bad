#include "addons/transform/SnapRounder.h"

#include <algorithm>
#include <cmath>

namespace {

// Corners lie within the grid's range, well inside 32 bits.
std::int32_t Round(double value) {
  return static_cast<std::int32_t>(value < 0 ? value - 0.5 : value + 0.5);
}

// Whether the segment from a to b meets the square of half-size h round c.
bool Meets(const CSnapRounder::Corner& a, const CSnapRounder::Corner& b, const GridPoint& c,
           double h) {
  if (std::min(a.x, b.x) > c.x + h || std::max(a.x, b.x) < c.x - h ||
      std::min(a.y, b.y) > c.y + h || std::max(a.y, b.y) < c.y - h)
    return false;
  const double dx = b.x - a.x, dy = b.y - a.y;
  int above = 0, below = 0;
  for (int corner = 0; corner < 4; ++corner) {
    const double x = c.x + (corner & 1 ? h : -h) - a.x, y = c.y + (corner & 2 ? h : -h) - a.y;
    const double side = dx * y - dy * x;
    above += side >= 0;
    below += side <= 0;
  }
  return above > 0 && below > 0;
}

}  // namespace

GridPoint CSnapRounder::Rounded(const Corner& c) { return GridPoint{Round(c.x), Round(c.y)}; }

CSnapRounder::CSnapRounder(const std::vector<Corner>& corners, double reach, double edgeLength)
    : m_corners(corners), m_reach(std::max(0.5, reach)), m_changed(false) {
  const size_t n = corners.size();
  double right = -HUGE_VAL;
  m_left = HUGE_VAL;
  for (const Corner& c : corners) {
    m_left = std::min(m_left, c.x);
    right = std::max(right, c.x);
  }
  if (n == 0) return;
  // Strips about an edge wide, wide enough for a corner's reach, and no more than corners.
  const double width = right - m_left;
  m_stripWidth = std::max(std::max(2 * m_reach + 1, edgeLength), width / double(n));
  m_strips = static_cast<int>(width / m_stripWidth) + 1;
  m_stripStart.assign(size_t(m_strips) + 1, 0);
  for (const Corner& c : corners) ++m_stripStart[Strip(c.x) + 1];
  for (size_t s = 1; s < m_stripStart.size(); ++s) m_stripStart[s] += m_stripStart[s - 1];
  m_order.resize(n);
  {
    std::vector<int> fill(m_stripStart.begin(), m_stripStart.end() - 1);
    for (size_t i = 0; i < n; ++i) m_order[fill[Strip(corners[i].x)]++] = static_cast<int>(i);
  }
  for (int s = 0; s < m_strips; ++s)
    std::sort(m_order.begin() + m_stripStart[s], m_order.begin() + m_stripStart[s + 1],
              [&corners](int a, int b) { return corners[a].y < corners[b].y; });
  m_snapOf.assign(n, -1);
  for (size_t i = 0; i < n; ++i) {
    const int snap = SnapNear(static_cast<int>(i));
    if (snap < 0) {
      m_snapOf[i] = static_cast<int>(i);
      continue;
    }
    m_snapOf[i] = snap;
    if (corners[snap].x != corners[i].x || corners[snap].y != corners[i].y) m_changed = true;
  }
}

int CSnapRounder::Strip(double x) const {
  return std::max(0, std::min(m_strips - 1, static_cast<int>((x - m_left) / m_stripWidth)));
}

template <class Look>
bool CSnapRounder::Among(int first, int last, double low, double high, const Look& look) const {
  for (int s = first; s <= last; ++s) {
    auto begin = m_order.begin() + m_stripStart[s], end = m_order.begin() + m_stripStart[s + 1];
    if (begin == end) continue;
    auto k = std::lower_bound(begin, end, low,
                              [this](int corner, double y) { return m_corners[corner].y < y; });
    for (; k != end && m_corners[*k].y <= high; ++k)
      if (look(*k)) return true;
  }
  return false;
}

// A snap made before within the reach of the corner, or -1. Every snap lies within half a step
// of the corner it was made for, so that corner lies within the reach and a half.
int CSnapRounder::SnapNear(int corner) const {
  const Corner& c = m_corners[corner];
  const double window = m_reach + 0.5;
  int found = -1;
  Among(Strip(c.x - window), Strip(c.x + window), c.y - window, c.y + window, [&](int other) {
    if (other >= corner || m_snapOf[other] != other) return false;
    const GridPoint at = Rounded(m_corners[other]);
    if (std::fabs(at.x - c.x) > m_reach || std::fabs(at.y - c.y) > m_reach) return false;
    found = other;
    return true;
  });
  return found;
}

// The snaps but the edge's own within the reach of the edge between the corners, into m_along.
void CSnapRounder::SnapsAlong(int from, int to) {
  m_along.clear();
  const Corner& a = m_corners[from];
  const Corner& b = m_corners[to];
  const int skip1 = m_snapOf[from], skip2 = m_snapOf[to];
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const double window = m_reach + 0.5;
  const double left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  const int last = Strip(right + window);
  for (int strip = Strip(left - window); strip <= last; ++strip) {
    // The edge's y within the strip's width (and the window round it).
    const double x1 = std::max(left, m_left + strip * m_stripWidth - window);
    const double x2 = std::min(right, m_left + (strip + 1) * m_stripWidth + window);
    double y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    if (dx != 0 && x1 <= x2) {
      y1 = a.y + dy * (x1 - a.x) / dx;
      y2 = a.y + dy * (x2 - a.x) / dx;
      if (y1 > y2) std::swap(y1, y2);
    }
    Among(strip, strip, y1 - window, y2 + window, [&](int corner) {
      const int snap = m_snapOf[corner];
      if (snap == skip1 || snap == skip2) return false;
      const GridPoint at = Rounded(m_corners[snap]);
      if (!Meets(a, b, at, m_reach)) return false;
      const double t = length2 > 0 ? ((at.x - a.x) * dx + (at.y - a.y) * dy) / length2 : 0;
      m_along.push_back(std::make_pair(t, snap));
      return false;
    });
  }
  std::sort(m_along.begin(), m_along.end());
}

void CSnapRounder::SnapRing(const std::vector<int>& corners, std::vector<GridPoint>* ring) {
  const size_t first = ring->size();
  auto add = [ring, first](const GridPoint& p) {
    if (ring->size() == first || ring->back() != p) ring->push_back(p);
  };
  const size_t n = corners.size();
  for (size_t i = 0; i < n; ++i) {
    const int from = corners[i], to = corners[(i + 1) % n];
    add(SnapOf(from));
    if (m_snapOf[from] == m_snapOf[to]) continue;
    SnapsAlong(from, to);
    for (const auto& along : m_along) add(Rounded(m_corners[along.second]));
    if (!m_along.empty()) m_changed = true;
  }
  while (ring->size() > first + 1 && (*ring)[first] == ring->back()) ring->pop_back();
}
