#include "addons/trace/BoundarySmoother.h"

#include <algorithm>
#include <cmath>

namespace {

// A corner moves by at most this much (pixels) onto the meeting point of its sides.
const double kFarthestCornerMove = 1.0;
// Corners this many steps apart or less, up to this many, may be the pixel tip of one corner,
// which lies at most this much (pixels) beyond their middle, more by half their span.
const int kClusterGap = 2;
const int kClusterSize = 3;
const double kFarthestTipMove = 1.5;

struct FittedLine {
  TracePoint through;
  TracePoint direction;
};

// The line through points first, first + step, ... (count of them) of the loop that fits them
// best: through their mean, along their main axis.
FittedLine FitLine(const std::vector<TracePoint>& loop, int first, int step, int count) {
  const int n = static_cast<int>(loop.size());
  auto at = [&](int k) { return loop[((first + k * step) % n + n) % n]; };
  TracePoint mean;
  for (int k = 0; k < count; ++k) mean = mean + at(k);
  mean = mean * (1.0 / count);
  double xx = 0, xy = 0, yy = 0;
  for (int k = 0; k < count; ++k) {
    TracePoint d = at(k) - mean;
    xx += d.x * d.x;
    xy += d.x * d.y;
    yy += d.y * d.y;
  }
  double angle = 0.5 * std::atan2(2 * xy, xx - yy);
  return {mean, {std::cos(angle), std::sin(angle)}};
}

}  // namespace

std::vector<int> CBoundarySmoother::Reaches(int count, const std::vector<int>& corners) const {
  const int widest = std::min(m_settings.filterSurround, (count - 1) / 2);
  std::vector<int> reach(count, widest);
  if (corners.empty()) return reach;
  // Steps to the nearest corner behind and ahead, walking twice round so that every point
  // has seen a corner on each side.
  std::vector<int> behind(count, count), ahead(count, count);
  int last = -1;
  for (int pass = 0; pass < 2 * count; ++pass) {
    int i = pass % count;
    if (std::binary_search(corners.begin(), corners.end(), i)) last = pass;
    if (last >= 0) behind[i] = std::min(behind[i], pass - last);
  }
  last = -1;
  for (int pass = 2 * count - 1; pass >= 0; --pass) {
    int i = pass % count;
    if (std::binary_search(corners.begin(), corners.end(), i)) last = pass;
    if (last >= 0) ahead[i] = std::min(ahead[i], last - pass);
  }
  for (int i = 0; i < count; ++i) reach[i] = std::min({widest, behind[i], ahead[i]});
  return reach;
}

void CBoundarySmoother::Smooth(std::vector<TracePoint>* loop,
                               const std::vector<int>& corners) const {
  const int count = static_cast<int>(loop->size());
  if (count < 3 || m_settings.filterPercent <= 0.0) return;
  const std::vector<int> reach = Reaches(count, corners);
  std::vector<TracePoint> next(*loop);
  for (int pass = 0; pass < m_settings.filterIterations; ++pass) {
    const std::vector<TracePoint>& points = *loop;
    for (int i = 0; i < count; ++i) {
      int r = reach[i];
      if (r <= 0) continue;
      TracePoint sum;
      for (int j = 1; j <= r; ++j)
        sum = sum + points[(i + j) % count] + points[(i - j + count) % count];
      TracePoint mean = sum * (1.0 / (2 * r));
      next[i] = points[i] + (mean - points[i]) * m_settings.filterPercent;
    }
    // The points left alone are the same in both buffers: they never move.
    loop->swap(next);
  }
}

std::vector<int> CBoundarySmoother::PlaceCorners(std::vector<TracePoint>* loop,
                                                 const std::vector<int>& corners) const {
  const int n = static_cast<int>(loop->size());
  const int c = static_cast<int>(corners.size());
  auto gap = [&](int k) { return (corners[(k + 1) % c] - corners[k] + n) % n; };
  // Clusters start after a wide gap; a loop whose corners all lie close is left as it is.
  int begin = -1;
  for (int k = 0; k < c && begin < 0; ++k)
    if (gap((k + c - 1) % c) > kClusterGap) begin = k;
  if (begin < 0) return corners;
  std::vector<int> kept;
  std::vector<TracePoint> placed;
  for (int done = 0; done < c;) {
    // A cluster: corners at most kClusterGap steps apart, at most kClusterSize of them.
    const int first = (begin + done) % c;
    int size = 1;
    while (size < kClusterSize && done + size < c && gap((first + size - 1) % c) <= kClusterGap)
      ++size;
    const int last = (first + size - 1) % c;
    done += size;
    const int from = corners[first], to = corners[last];
    const int span = (to - from + n) % n;
    // The sides as far as the neighbouring corners, at most twice the corner surround, leaving
    // out the point next to the cluster, which the smoothing could not straighten.
    const int behind = (from - corners[(first + c - 1) % c] + n) % n;
    const int ahead = (corners[(last + 1) % c] - to + n) % n;
    const int reach = 2 * m_settings.cornerSurround;
    const int before = std::min(reach, (behind == 0 ? n : behind) / 2);
    const int after = std::min(reach, (ahead == 0 ? n : ahead) / 2);
    const TracePoint middle = ((*loop)[from] + (*loop)[to]) * 0.5;
    TracePoint meeting;
    bool met = false;
    if (before >= 3 && after >= 3) {
      FittedLine in = FitLine(*loop, from - 2, -1, before - 1);
      FittedLine out = FitLine(*loop, to + 2, 1, after - 1);
      double across = Cross(in.direction, out.direction);
      // Sides on (nearly) one line make no corner to place.
      if (std::fabs(across) >= 0.1) {
        meeting = in.through +
                  in.direction * (Cross(out.through - in.through, out.direction) / across);
        double farthest = size == 1 ? kFarthestCornerMove : kFarthestTipMove + span / 2.0;
        met = Length(meeting - middle) <= farthest;
      }
    }
    if (size > 1 && met) {
      // One corner in the middle of the cluster, where the sides meet.
      kept.push_back(corners[(first + size / 2) % c]);
      placed.push_back(meeting);
      continue;
    }
    for (int k = 0; k < size; ++k) {
      kept.push_back(corners[(first + k) % c]);
      placed.push_back(met ? meeting : (*loop)[corners[(first + k) % c]]);
    }
  }
  for (std::size_t k = 0; k < kept.size(); ++k) (*loop)[kept[k]] = placed[k];
  std::sort(kept.begin(), kept.end());
  return kept;
}
