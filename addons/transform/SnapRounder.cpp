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

CSnapRounder::CSnapRounder(const std::vector<Corner>& corners, double reach)
    : m_corners(corners), m_reach(std::max(0.5, reach)), m_changed(false) {
  double right = -HUGE_VAL, top = -HUGE_VAL;
  m_left = m_bottom = HUGE_VAL;
  for (const Corner& c : corners) {
    m_left = std::min(m_left, c.x);
    right = std::max(right, c.x);
    m_bottom = std::min(m_bottom, c.y);
    top = std::max(top, c.y);
  }
  const size_t n = corners.size();
  if (n == 0) return;
  // About one corner per cell, and cells no narrower than twice the reach (and its rounding),
  // so that a corner looks into four cells at most.
  const double width = right - m_left, height = top - m_bottom;
  m_cellSize = std::max(2 * m_reach + 1, std::sqrt(width * height / double(n)));
  while ((width / m_cellSize + 1) * (height / m_cellSize + 1) > 2.0 * n + 16) m_cellSize *= 2;
  m_columns = static_cast<int>(width / m_cellSize) + 1;
  m_rows = static_cast<int>(height / m_cellSize) + 1;
  m_cellStart.assign(size_t(m_columns) * m_rows + 1, 0);
  std::vector<int> cellOf(n);
  for (size_t i = 0; i < n; ++i) {
    cellOf[i] = Row(corners[i].y) * m_columns + Column(corners[i].x);
    ++m_cellStart[cellOf[i] + 1];
  }
  for (size_t c = 1; c < m_cellStart.size(); ++c) m_cellStart[c] += m_cellStart[c - 1];
  m_byCell.resize(n);
  {
    std::vector<int> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (size_t i = 0; i < n; ++i) m_byCell[fill[cellOf[i]]++] = static_cast<int>(i);
  }
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

int CSnapRounder::Column(double x) const {
  return std::max(0, std::min(m_columns - 1, static_cast<int>((x - m_left) / m_cellSize)));
}

int CSnapRounder::Row(double y) const {
  return std::max(0, std::min(m_rows - 1, static_cast<int>((y - m_bottom) / m_cellSize)));
}

// A snap made before within the reach of the corner, or -1. Every snap lies within half a step
// of the corner it was made for, so that corner lies within the reach and a half.
int CSnapRounder::SnapNear(int corner) const {
  const Corner& c = m_corners[corner];
  const double window = m_reach + 0.5;
  const int lastRow = Row(c.y + window), lastColumn = Column(c.x + window);
  for (int row = Row(c.y - window); row <= lastRow; ++row)
    for (int column = Column(c.x - window); column <= lastColumn; ++column) {
      const int cell = row * m_columns + column;
      for (int k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
        const int other = m_byCell[k];
        if (other >= corner || m_snapOf[other] != other) continue;
        const GridPoint at = Rounded(m_corners[other]);
        if (std::fabs(at.x - c.x) <= m_reach && std::fabs(at.y - c.y) <= m_reach) return other;
      }
    }
  return -1;
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
  const int lastColumn = Column(right + window);
  for (int column = Column(left - window); column <= lastColumn; ++column) {
    // The edge's rows within the column's width (and the window round it).
    const double x1 = std::max(left, m_left + column * m_cellSize - window);
    const double x2 = std::min(right, m_left + (column + 1) * m_cellSize + window);
    double y1 = std::min(a.y, b.y), y2 = std::max(a.y, b.y);
    if (dx != 0 && x1 <= x2) {
      y1 = a.y + dy * (x1 - a.x) / dx;
      y2 = a.y + dy * (x2 - a.x) / dx;
      if (y1 > y2) std::swap(y1, y2);
    }
    const int lastRow = Row(y2 + window);
    for (int row = Row(y1 - window); row <= lastRow; ++row) {
      const int cell = row * m_columns + column;
      for (int k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
        const int snap = m_snapOf[m_byCell[k]];
        if (snap == skip1 || snap == skip2) continue;
        const GridPoint at = Rounded(m_corners[snap]);
        if (!Meets(a, b, at, m_reach)) continue;
        const double t = length2 > 0 ? ((at.x - a.x) * dx + (at.y - a.y) * dy) / length2 : 0;
        m_along.push_back(std::make_pair(t, snap));
      }
    }
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
