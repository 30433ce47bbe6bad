// COutlineBands: raw offsets, the first half of offsetting as robust offsetting libraries do it.
// Every ring of a clean area is moved sideways by the distance, edge by edge, with a join
// (CCornerJoin) at each corner that opens towards the offset and a path through the corner
// itself at each one that closes; an open line becomes the ring round it at the half-width, with
// flat or round ends. The raw rings cross themselves and each other wherever the offset swallows
// something; one winding sweep over all of them (CWindingSweep, inside where the group's winding
// number is positive) then gives the offset area. Rings run so that the area lies on their left:
// outer rings counter-clockwise in the sense of the shoelace formula, holes the other way.
#pragma once

#include "addons/transform/CornerJoin.h"
#include "addons/transform/OutlineTypes.h"

class CWindingSweep;

class COutlineBands {
public:
  enum Ends { kFlatEnds, kRoundEnds };

  COutlineBands(const CCornerJoin& join, Ends ends) : m_join(join), m_ends(ends) {}

  // The raw offsets of the area's rings by distance (outwards when positive) into the operand,
  // as one group of it that fills where its winding number is positive.
  void AddRingOffsets(const OutlineArea& area, double distance, CWindingSweep* sweep,
                      int operand) const;
  // The raw rings round the lines at the half-width into the operand, likewise; a line that
  // comes back to its start gets a band on both sides all round.
  void AddLineBands(const OutlineLines& lines, double half, CWindingSweep* sweep,
                    int operand) const;

  // The raw offset of a closed ring (no repeated last point) whose area lies on its left.
  std::vector<OutlinePoint> RawRing(const std::vector<OutlinePoint>& ring, double distance) const;

private:
  // The ring round an open line: out along its right side, round its end, back along its left
  // side and round its start.
  std::vector<OutlinePoint> OpenBand(const std::vector<OutlinePoint>& line, double half) const;

  CCornerJoin m_join;
  Ends m_ends;
};
