// CWindingSweep: the area that a winding rule picks out of a set of closed rings, by one sweep
// over all of their edges. Every ring belongs to a group, and every group to an operand; at any
// point the sweep knows each group's winding number (how often the group's rings run round the
// point, counter-clockwise counted positive), the operand's fill says from that number whether
// the group's area holds the point, and the rule says from how many groups of each operand hold
// it whether the point is inside. So one sweep gives the even-odd area of a self-crossing outline,
// the union of many outlines (one group each, one operand), a Boolean operation between two
// areas or the positive area of raw offset rings. Since the sweep carries counts, not the set of
// groups, its work grows with the edges and crossings alone, however many groups overlap. The
// same sweep, making no area, can instead cut open lines by what lies beside them (Lines), tell
// how the groups lie among each other (ContactsOf) or measure how far groups stray outside others
// (StrayAreas).
//
// The sweep is Bentley and Ottmann's: a line crosses the plane from left to right and stops at
// every end of an edge and at every point where two edges cross, which it finds by testing only
// edges that become neighbours along the line. It works on an integer grid with exact tests
// (CSweepGeometry): crossing points are never rounded, so edges keep their places and many edges
// through one point, edges along each other, vertical edges and touching rings need no special
// care beyond exactness. At each stop it steps the winding numbers and counts across the edges
// leaving the point (CWindingStates) and builds the result's rings from the pieces where the
// rule's answer differs on the two sides (CRingAssembler); edges that run along each other count
// as one.
//
// Coordinates are page units (millimetres). The grid is fitted to the rings' box: 2^29 steps
// across its longer side, which keeps differences within 30 bits (a step of 0.01 micrometre on a
// 5 m job). Corners of the result are the exact crossing points, to double precision, except
// where parts of it come within a few grid steps of each other: there they are snapped to the
// grid and the snapped rings swept again (CRingAssembler), so that the result is valid.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "addons/transform/OutlineTypes.h"
#include "addons/transform/WindingStates.h"

// Thrown out of a sweep whose progress callback asked it to stop.
struct SweepCancelled {};

class CWindingSweep {
public:
  // Whether a group's area holds a point, by its winding number there: odd (the even-odd rule),
  // not 0, or positive (raw offsets).
  enum Fill { kOdd, kNonZero, kPositive };
  // For operand i, how many of its groups' areas hold a point.
  typedef CWindingStates::Cover Cover;
  typedef CWindingStates::Rule Rule;
  // Told the share of the sweep done (0 to 1) now and then; false stops the sweep.
  typedef std::function<bool(double)> Progress;
  // Whether a line of the operand goes on kept, by the covers just below and just above it, its
  // own group left out.
  typedef std::function<bool(int operand, const Cover& below, const Cover& above)> LineRule;

  // A ring as a point list, closed or not (the last edge runs back to the first point), of a
  // group (0 or more) of an operand (0 or more, small); every ring of a group must name the same
  // operand. A point that is not a finite number (from a damaged outline) throws
  // std::invalid_argument.
  void AddRing(const std::vector<OutlinePoint>& ring, int group, int operand);
  // Every ring of the area, outer rings and holes, in the group.
  void AddArea(const OutlineArea& area, int group, int operand);
  // An open line of a group (of the operand its rings name). It bounds nothing and takes no part
  // in Area; Lines cuts it. Points that are not finite numbers throw as for rings.
  void AddLine(const OutlineLine& line, int group, int operand);
  // How the operand's groups fill: kOdd unless told.
  void SetFill(int operand, Fill fill);
  bool IsEmpty() const { return m_ringStarts.empty(); }

  // The area where the rule holds. Throws SweepCancelled when progress says stop. With a measure,
  // the size of the area where that rule holds comes from the same sweep (no shape is made).
  OutlineArea Area(const Rule& rule, const Progress& progress = Progress(),
                   const Rule* measure = nullptr, double* measured = nullptr) const;
  // The parts of the lines that the rule keeps, from one sweep. Kept where no other group holds
  // either side, each curve's lines come outside the other curves' areas: a line along another
  // curve's edge goes, one through its corner stays whole. The lines keep their order, their
  // direction and their own corners (CLinePieces); pieces cut off no longer than a sliver go,
  // and a line shorter than the grid's step goes or stays whole.
  OutlineLines Lines(const LineRule& keep, const Progress& progress = Progress()) const;

  // How the groups' rings lie among each other, from one sweep that makes no area.
  struct Contacts {
    // By group: the place of its first corner in the sweep's order (shared by groups whose first
    // corners coincide), and how many groups of operand 0 hold the point just below that corner
    // (there its own rings hold nothing); -1 for a group without rings.
    std::vector<int> first, holders;
    // By group: one group standing for all that its rings meet (cross, touch or run along),
    // directly or through others; itself when they meet none.
    std::vector<int> linked;
  };
  Contacts ContactsOf() const;
  // For pairs of groups (inner, outer): the size of the area where the inner's area holds a
  // point and the outer's does not, all from one sweep that makes no area. Page units squared.
  std::vector<double> StrayAreas(const std::vector<std::pair<int, int>>& pairs) const;

  // The grid step the sweep rounds to, in page units (0 while there are no rings or lines).
  double GridStep() const;

  // Rules used throughout: inside where any group of operand 0 holds the point; a line kept
  // where no other group of any operand holds either side of it.
  static bool Any(const Cover& cover) { return cover[0] > 0; }
  static bool Clear(int operand, const Cover& below, const Cover& above);

private:
  struct Grid {
    double originX, originY, scale;
  };
  Grid FitGrid() const;
  // By group (rings' and lines'): its operand.
  std::vector<int> OperandsOfGroups() const;
  // Calls visit(points, count, group) with each ring's points on the grid.
  template <class Visit>
  void VisitRings(const Grid& grid, Visit visit) const;

  // The rings' points one after another; ring i starts at m_ringStarts[i].
  std::vector<OutlinePoint> m_points;
  std::vector<std::size_t> m_ringStarts;
  std::vector<int> m_groups, m_operands;
  std::vector<Fill> m_fills;  // by operand
  std::vector<OutlineLine> m_lines;
  std::vector<int> m_lineGroups, m_lineOperands;
};
