// Whether an area is valid for Boost.Geometry (simple rings that touch only at points, holes in
// their polygons, no spikes) at the resolution the transform library's results are snapped to.
// Boost.Geometry's check as it stands rounds coordinates to 10^7 units across the area's box,
// enough for single-precision data but coarser than the library's grid of 2^29 steps: here the
// area is moved to its box's corner and scaled by a power of two to span 2^29 units or more,
// which the check takes as they are.
#pragma once

#include <string>

#include "addons/transform/OutlineTypes.h"

namespace bench {

bool IsValidOnGrid(const OutlineArea& area, std::string* why = nullptr);

}  // namespace bench
