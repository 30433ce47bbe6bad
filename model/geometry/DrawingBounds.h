// CDrawingBounds: how far from the page's origin a drawing can reach. The largest page the
// program offers is 1200 x 2400 mm (its page presets; a new page is 400 x 900) and no cutter
// takes a sheet of more than some tens of metres: a point more than 100 m from the origin along
// either axis is no drawing but damage (a stored record that lost its bytes), and a block that has
// one is left out when a file is read, so that it neither draws stray lines nor makes "show all"
// zoom out to nothing.
#pragma once

#include "model/geometry/FRect.h"

class CDrawingBounds {
public:
  // Page units (millimetres) from the origin along either axis.
  static constexpr float kFarthest = 100000.0f;

  static bool Contains(float x, float y);
  // Both corners.
  static bool Contains(const CFRect& box);
};
