#include "addons/trace/OutlineTracer.h"

#include "addons/trace/BoundarySmoother.h"
#include "addons/trace/BoundaryTracer.h"
#include "addons/trace/CornerFinder.h"
#include "addons/trace/CurveFitter.h"

COutlineTracer::COutlineTracer(const TraceSettings& settings) : m_settings(settings.Sanitised()) {}

std::vector<TracedOutline> COutlineTracer::Trace(const std::uint8_t* plane, int width, int height,
                                                 bool bottomUp) const {
  std::vector<TracedOutline> outlines;
  if (!plane || width <= 0 || height <= 0) return outlines;
  CBoundaryTracer boundaries(plane, width, height, bottomUp);
  for (const LatticeLoop& loop : boundaries.TraceAll(m_settings.speckArea))
    outlines.push_back(FitLoop(loop));
  return outlines;
}

TracedOutline COutlineTracer::FitLoop(const LatticeLoop& loop) const {
  std::vector<TracePoint> points;
  points.reserve(loop.size());
  for (const LatticePoint& corner : loop) points.push_back({double(corner.x), double(corner.y)});
  const std::vector<int> found = CCornerFinder(m_settings).Find(points);
  CBoundarySmoother smoother(m_settings);
  smoother.Smooth(&points, found);
  const std::vector<int> corners = smoother.PlaceCorners(&points, found);
  return CCurveFitter(m_settings).Fit(points, corners);
}
