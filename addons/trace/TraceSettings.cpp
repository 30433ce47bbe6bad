#include "addons/trace/TraceSettings.h"

#include <cmath>

namespace {

double Within(double value, double lowest, double highest, double fallback) {
  if (!std::isfinite(value)) return fallback;
  return value < lowest ? lowest : value > highest ? highest : value;
}

int Within(int value, int lowest, int highest) {
  return value < lowest ? lowest : value > highest ? highest : value;
}

}  // namespace

TraceSettings TraceSettings::Sanitised() const {
  const TraceSettings defaults;
  TraceSettings s = *this;
  s.cornerSurround = Within(cornerSurround, 1, 32);
  s.cornerThreshold = Within(cornerThreshold, 0.0, 180.0, defaults.cornerThreshold);
  s.cornerAlwaysThreshold = Within(cornerAlwaysThreshold, 0.0, 180.0,
                                   defaults.cornerAlwaysThreshold);
  s.filterIterations = Within(filterIterations, 0, 32);
  s.filterPercent = Within(filterPercent, 0.0, 1.0, defaults.filterPercent);
  s.filterSurround = Within(filterSurround, 1, 32);
  // Below a twentieth of a pixel the fit only follows the smoothing's rounding.
  s.errorThreshold = Within(errorThreshold, 0.05, 64.0, defaults.errorThreshold);
  s.lineThreshold = Within(lineThreshold, 0.0, 64.0, defaults.lineThreshold);
  s.lineReversionThreshold = Within(lineReversionThreshold, 0.0, 1.0,
                                    defaults.lineReversionThreshold);
  s.reparameterizeThreshold = Within(reparameterizeThreshold, 0.0, 1e6,
                                     defaults.reparameterizeThreshold);
  s.reparameterizeImprovement = Within(reparameterizeImprovement, 0.0, 1.0,
                                       defaults.reparameterizeImprovement);
  s.tangentSurround = Within(tangentSurround, 1, 32);
  s.subdivideSurround = Within(subdivideSurround, 1, 32);
  s.speckArea = Within(speckArea, 0, 1 << 20);
  return s;
}
