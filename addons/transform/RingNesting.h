// CRingNesting: how deep each sub-path of one outline lies among the others, for the self weld
// (COutlineBoolean::RemoveSelfOverlaps): the number of other sub-paths whose even-odd area holds
// its own wholly, up to the grid's rounding, where it does not hold theirs as wholly (a sub-path
// drawn twice nests in neither copy).
//
// One sweep of all the sub-paths (CWindingSweep::ContactsOf) tells which of them meet (cross,
// touch or run along each other) and, for each group of sub-paths that meet, how many others
// hold the point just below its first corner. A sub-path that meets none of a group lies wholly
// inside or wholly outside every one of its sub-paths, so that count is how many others hold
// each of the group's sub-paths. Within the groups, between sub-paths whose boxes nest, one more
// sweep measures the area of each that lies outside the other (CWindingSweep::StrayAreas): it
// holds the other wholly when that is no more than the grid's rounding along its outline can
// leave, a few steps times its length.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

class CRingNesting {
public:
  // By ring: its depth.
  static std::vector<int> Depths(const std::vector<OutlinePolygon>& rings);

private:
  // Adds to the depths of the rings of the meeting groups (of more than one each) what they hold
  // of each other.
  static void NestWithin(const std::vector<OutlinePolygon>& rings,
                         const std::vector<std::vector<int>>& groups, std::vector<int>* depths);
};
