// CCornerFinder: the corners of a closed boundary, by the angle each point makes with the points
// a fixed number of steps before and after it (180 degrees on a straight run). Measured over a
// few steps, the pixel staircase of a slanted edge stays well above the corner thresholds while a
// real corner stands out as the smallest angle in its neighbourhood.
#pragma once

#include <vector>

#include "addons/trace/TraceSettings.h"
#include "addons/trace/TraceTypes.h"

class CCornerFinder {
public:
  explicit CCornerFinder(const TraceSettings& settings) : m_settings(settings) {}

  // Indices of the corners, ascending; none on a loop too short to measure.
  std::vector<int> Find(const std::vector<TracePoint>& loop) const;

  // The angle at point i in degrees, measured over surround steps each way.
  static double AngleAt(const std::vector<TracePoint>& loop, int i, int surround);

private:
  TraceSettings m_settings;
};
