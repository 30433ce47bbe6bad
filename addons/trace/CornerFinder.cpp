#include "addons/trace/CornerFinder.h"

#include <algorithm>
#include <cmath>

namespace {

const double kDegreesPerRadian = 57.29577951308232;

}  // namespace

double CCornerFinder::AngleAt(const std::vector<TracePoint>& loop, int i, int surround) {
  const int n = static_cast<int>(loop.size());
  TracePoint before = loop[(i - surround % n + n) % n] - loop[i];
  TracePoint after = loop[(i + surround) % n] - loop[i];
  double lengths = Length(before) * Length(after);
  if (lengths <= 0.0) return 180.0;
  double cosine = std::max(-1.0, std::min(1.0, Dot(before, after) / lengths));
  return std::acos(cosine) * kDegreesPerRadian;
}

std::vector<int> CCornerFinder::Find(const std::vector<TracePoint>& loop) const {
  std::vector<int> corners;
  const int n = static_cast<int>(loop.size());
  // A loop must be long enough for the steps on both sides not to meet.
  const int surround = std::min(m_settings.cornerSurround, (n - 1) / 2);
  if (surround < 1) return corners;
  std::vector<double> angles(n);
  for (int i = 0; i < n; ++i) angles[i] = AngleAt(loop, i, surround);
  for (int i = 0; i < n; ++i) {
    double angle = angles[i];
    if (angle >= m_settings.cornerThreshold) continue;
    bool corner = angle < m_settings.cornerAlwaysThreshold;
    if (!corner) {
      // The sharpest point of its neighbourhood (points as sharp as it are corners too, as on a
      // loop round a single pixel).
      corner = true;
      for (int j = -surround; j <= surround && corner; ++j)
        if (angles[((i + j) % n + n) % n] < angle) corner = false;
    }
    if (corner) corners.push_back(i);
  }
  return corners;
}
