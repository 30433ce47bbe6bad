// Numbers for the plotters and engravers: device coordinates in whole steps and the ranges of
// their profiles, shared by the cutting and the engraving devices.
#pragma once

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <limits>

#include "framework/String.h"

// Device numbers are whole steps: truncated toward zero, and never outside what an int holds.
inline int ToSteps(double value) {
  if (!(value == value)) return 0;
  const double limit = static_cast<double>(std::numeric_limits<int>::max());
  if (value >= limit) return std::numeric_limits<int>::max();
  if (value <= -limit) return -std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

inline short ToShort(long value) {
  return static_cast<short>(std::max<long>(SHRT_MIN, std::min<long>(SHRT_MAX, value)));
}

// "minimum,maximum": the maximum, or the whole text when it has no comma.
inline short RangeMaximum(const CString& text) {
  int comma = text.Find(',');
  LPCSTR number = comma >= 0 ? text.GetString() + comma + 1 : text.GetString();
  return ToShort(std::strtol(number, nullptr, 10));
}
