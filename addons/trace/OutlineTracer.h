// COutlineTracer: the whole tracing of one byte plane: its boundaries (CBoundaryTracer), the
// corners of each (CCornerFinder, on the pixel corners themselves, so that a corner lies exactly
// where the pixels turn), the staircase smoothed away between them (CBoundarySmoother) and the
// fitted outline (CCurveFitter). Holes come out as outlines running the other way round.
#pragma once

#include <cstdint>
#include <vector>

#include "addons/trace/TraceSettings.h"
#include "addons/trace/TraceTypes.h"

class COutlineTracer {
public:
  explicit COutlineTracer(const TraceSettings& settings);

  // The plane as CBoundaryTracer takes it; outlines in the order of their boundaries.
  std::vector<TracedOutline> Trace(const std::uint8_t* plane, int width, int height,
                                   bool bottomUp) const;
  // One boundary's outline.
  TracedOutline FitLoop(const LatticeLoop& loop) const;

private:
  TraceSettings m_settings;
};
