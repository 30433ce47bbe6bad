#include "addons/transform/SteadyMath.h"

#include <algorithm>
#include <cmath>

double CSteadyMath::Hypot(double x, double y) { return std::sqrt(x * x + y * y); }

double CSteadyMath::Acos(double c) {
  c = std::max(-1.0, std::min(1.0, c));
  return std::atan2(std::sqrt((1 - c) * (1 + c)), c);
}

double CSteadyMath::FifthRoot(double value) {
  if (!(value > 0) || !std::isfinite(value)) return 0;
  // Newton's steps from a power of two above the root come down to it and stop there.
  int exponent = 0;
  std::frexp(value, &exponent);
  double root = std::ldexp(1.0, exponent / 5 + 1);
  for (;;) {
    const double fourth = root * root * root * root;
    const double next = root - (fourth * root - value) / (5 * fourth);
    if (!(next < root)) return root;
    root = next;
  }
}
