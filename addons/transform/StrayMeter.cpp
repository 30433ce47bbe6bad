#include "addons/transform/StrayMeter.h"

#include <cmath>

namespace bgi = boost::geometry::index;

CStrayMeter::CStrayMeter(const std::vector<Pair>& pairs, const std::vector<GridPoint>& lows,
                         const std::vector<GridPoint>& highs, const std::vector<GridPoint>& firsts)
    : m_pairs(pairs),
      m_lows(lows),
      m_highs(highs),
      m_firsts(firsts),
      m_asInner(lows.size()),
      m_asOuter(lows.size()),
      m_sums(pairs.size(), 0) {
  for (size_t i = 0; i < pairs.size(); ++i) {
    m_asInner[pairs[i].first].push_back(static_cast<int>(i));
    m_asOuter[pairs[i].second].push_back(static_cast<int>(i));
  }
  std::vector<Entry> entries;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (m_asOuter[pairs[i].second].size() <= kListed) continue;
    const GridPoint &low = lows[pairs[i].first], &high = highs[pairs[i].first];
    entries.push_back(Entry(Box(Point(low.x, low.y), Point(high.x, high.y)), static_cast<int>(i)));
  }
  m_inners = decltype(m_inners)(entries.begin(), entries.end());
}

bool CStrayMeter::BoxHolds(int group, const SweepPoint& p) const {
  return p.x >= m_lows[group].x && p.x <= m_highs[group].x && p.y >= m_lows[group].y &&
         p.y <= m_highs[group].y;
}

void CStrayMeter::PairsAt(int group, const SweepPoint& p, std::vector<int>* pairs) const {
  pairs->insert(pairs->end(), m_asInner[group].begin(), m_asInner[group].end());
  const std::vector<int>& outer = m_asOuter[group];
  if (outer.size() <= kListed) {
    for (int pair : outer)
      if (BoxHolds(m_pairs[pair].first, p)) pairs->push_back(pair);
    return;
  }
  for (auto found = m_inners.qbegin(bgi::intersects(Point(p.x, p.y))); found != m_inners.qend();
       ++found)
    if (m_pairs[found->second].second == group) pairs->push_back(found->second);
}

void CStrayMeter::Open(int edge, const SweepPoint& p, int pair, int side) {
  if (m_open.size() <= size_t(edge)) {
    m_open.resize(edge + 1);
    m_from.resize(edge + 1);
  }
  m_open[edge].push_back(Piece{pair, side});
  m_from[edge] = std::make_pair(p.x, p.y);
}

void CStrayMeter::Close(int edge, const SweepPoint& p) {
  if (m_open.size() <= size_t(edge) || m_open[edge].empty()) return;
  for (const Piece& open : m_open[edge]) {
    const GridPoint& o = m_firsts[m_pairs[open.pair].first];
    const double ax = m_from[edge].first - o.x, ay = m_from[edge].second - o.y;
    const double bx = p.x - o.x, by = p.y - o.y;
    // Area above the piece lies on the left of its way.
    m_sums[open.pair] += open.side * (ax * by - ay * bx);
  }
  m_open[edge].clear();
}

std::vector<double> CStrayMeter::Areas() const {
  std::vector<double> areas(m_sums.size());
  for (size_t i = 0; i < m_sums.size(); ++i) areas[i] = std::fabs(m_sums[i]) / 2;
  return areas;
}
