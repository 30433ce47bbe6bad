// CSnapRounder: puts the corners of a sweep's exact result on the sweep's grid without letting
// rings cross, and takes out what is narrower than the snapping reach. Corners are rounded to
// grid points (their snaps); a corner within the reach of a snap already made (in x and in y)
// takes that snap instead, and every edge that passes within the reach of a snap other than its
// ends' is bent through it. With a reach of half a step this is snap rounding (Hobby's): edges
// that did not cross do not cross once snapped, though parts may fall onto each other. With a
// wider reach, edges that run along each other less than the reach apart (a zero-width spike, a
// sliver left where outlines meant to meet miss each other by a hair) fall onto each other too,
// and a sweep over the snapped rings then takes such parts out.
//
// Corners are found through strips across x about an edge wide, each holding its corners ordered
// by y, all in one array.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "addons/transform/SweepGeometry.h"

class CSnapRounder {
public:
  struct Corner {
    double x, y;
  };

  // The corners in grid steps (kept by reference), the reach in grid steps (at least half), and
  // about how long the edges between them are.
  CSnapRounder(const std::vector<Corner>& corners, double reach, double edgeLength);

  // The grid point corner i was snapped to.
  GridPoint SnapOf(int corner) const { return Rounded(m_corners[m_snapOf[corner]]); }
  // The ring through the corners (indices, the last joining the first) snapped: each corner on
  // its snap, each edge through the snaps it passes, without repeats in a row (added to ring).
  void SnapRing(const std::vector<int>& corners, std::vector<GridPoint>* ring);
  // Whether snapping changed more than where the corners lie: two different corners on one snap,
  // or an edge bent through another snap.
  bool Changed() const { return m_changed; }

private:
  static GridPoint Rounded(const Corner& c);
  int Strip(double x) const;
  // Calls look(corner) for the corners in the strips from first to last with y in [low, high];
  // stops where it gives true.
  template <class Look>
  bool Among(int first, int last, double low, double high, const Look& look) const;
  int SnapNear(int corner) const;
  void SnapsAlong(int from, int to);

  const std::vector<Corner>& m_corners;
  double m_reach;
  double m_left, m_stripWidth;
  int m_strips;
  // The corners by strip and then by y: strip s holds m_order[m_stripStart[s] ..
  // m_stripStart[s + 1]).
  std::vector<int> m_stripStart, m_order;
  // By corner: the corner whose rounding is its snap (the first corner snapped there).
  std::vector<int> m_snapOf;
  bool m_changed;
  // An edge's snaps along it while it is snapped: (place along the edge, snap).
  std::vector<std::pair<double, int>> m_along;
};
