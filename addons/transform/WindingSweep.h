// CWindingSweep: the area that a winding rule picks out of a set of closed rings, by one sweep
// over all of their edges. Every ring belongs to a group; at any point the sweep knows each
// group's winding number (how often the group's rings run round the point, counter-clockwise
// counted positive), and the rule says from those numbers whether the point is inside. So one
// sweep gives the even-odd area of a self-crossing outline, the union of many outlines, a Boolean
// operation between two areas or the positive area of raw offset rings.
//
// The sweep is Bentley and Ottmann's: a line crosses the plane from left to right and stops at
// every end of an edge and at every point where two edges cross, which it finds by testing only
// edges that become neighbours along the line. It works on an integer grid with exact tests
// (CSweepGeometry): crossing points are never rounded, so edges keep their places and many edges
// through one point, edges along each other, vertical edges and touching rings need no special
// care beyond exactness. At each stop it steps the winding numbers across the edges leaving the
// point (CWindingStates) and builds the result's rings from the pieces where the rule's answer
// differs on the two sides (CRingAssembler); edges that run along each other count as one.
//
// Coordinates are page units (millimetres). The grid is fitted to the rings' box: 2^29 steps
// across its longer side, which keeps differences within 30 bits (a step of 0.01 micrometre on a
// 5 m job). Corners of the result are the exact crossing points, to double precision.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "addons/transform/OutlineTypes.h"

// Thrown out of a sweep whose progress callback asked it to stop.
struct SweepCancelled {};

class CWindingSweep {
public:
  // (group, winding number) for every group whose winding number is not 0 at a point.
  typedef std::vector<std::pair<int, int>> Windings;
  typedef std::function<bool(const Windings&)> Rule;
  // Told the share of the sweep done (0 to 1) now and then; false stops the sweep.
  typedef std::function<bool(double)> Progress;

  // A ring as a point list, closed or not (the last edge runs back to the first point). A point
  // that is not a finite number (from a damaged outline) throws std::invalid_argument.
  void AddRing(const std::vector<OutlinePoint>& ring, int group);
  // Every ring of the area, outer rings and holes, in the group.
  void AddArea(const OutlineArea& area, int group);
  bool IsEmpty() const { return m_ringStarts.empty(); }

  // The area where the rule holds. Throws SweepCancelled when progress says stop. With a measure,
  // the size of the area where that rule holds comes from the same sweep (no shape is made).
  OutlineArea Area(const Rule& rule, const Progress& progress = Progress(),
                   const Rule* measure = nullptr, double* measured = nullptr) const;
  // The grid step the sweep rounds to, in page units (0 while there are no rings).
  double GridStep() const;

  // Rules used throughout: a point is inside a group when its winding number there is odd
  // (even-odd) or not 0 (non-zero; for clean areas, whose winding numbers are 0 or 1 either way).
  static bool IsOdd(const Windings& windings, int group);
  static bool IsNonZero(const Windings& windings, int group);

private:
  struct Grid {
    double originX, originY, scale;
  };
  Grid FitGrid() const;

  // The rings' points one after another; ring i starts at m_ringStarts[i].
  std::vector<OutlinePoint> m_points;
  std::vector<std::size_t> m_ringStarts;
  std::vector<int> m_groups;
};
