#include "bench/outline_ops/AreaValidity.h"

#include <algorithm>
#include <boost/geometry/algorithms/is_valid.hpp>
#include <cmath>

namespace bench {

bool IsValidOnGrid(const OutlineArea& area, std::string* why) {
  typedef bg::model::box<OutlinePoint> Box;
  std::string reason;
  if (area.empty()) return bg::is_valid(area, why ? *why : reason);
  const Box box = bg::return_envelope<Box>(area);
  const double left = box.min_corner().x(), bottom = box.min_corner().y();
  const double extent = std::max(box.max_corner().x() - left, box.max_corner().y() - bottom);
  double scale = 1;
  while (extent * scale < 536870912.0) scale *= 2;
  OutlineArea moved = area;
  bg::for_each_point(moved, [&](OutlinePoint& p) {
    p = OutlinePoint((p.x() - left) * scale, (p.y() - bottom) * scale);
  });
  return bg::is_valid(moved, why ? *why : reason);
}

}  // namespace bench
