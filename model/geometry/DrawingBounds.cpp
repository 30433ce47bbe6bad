#include "model/geometry/DrawingBounds.h"

#include <cmath>

bool CDrawingBounds::Contains(float x, float y) {
  // A NaN compares false and lies outside too.
  return std::fabs(x) <= kFarthest && std::fabs(y) <= kFarthest;
}

bool CDrawingBounds::Contains(const CFRect& box) {
  return Contains(box.left, box.top) && Contains(box.right, box.bottom);
}
