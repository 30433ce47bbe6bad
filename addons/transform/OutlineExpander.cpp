#include "addons/transform/OutlineExpander.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "addons/transform/CornerJoin.h"
#include "addons/transform/OutlineBands.h"
#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/SteadyMath.h"

namespace {

typedef CWindingSweep::Cover Cover;

const double kFinestChord = 0.00001;
const double kCoarsestChord = 0.025;
// Thicknesses beyond this (10 m) are typing mistakes that would only exhaust memory.
const double kLargestThickness = 10000;

// The share of the work each sweep stands for, so that progress runs once from 0 to 1.
CWindingSweep::Progress Part(const CWindingSweep::Progress& progress, double from, double to) {
  if (!progress) return progress;
  return [progress, from, to](double share) { return progress(from + (to - from) * share); };
}

}  // namespace

COutlineExpander::COutlineExpander(const ExpandSettings& settings) : m_settings(settings) {}

bool COutlineExpander::IsValid(const ExpandSettings& settings) {
  return std::isfinite(settings.thickness) && std::fabs(settings.thickness) <= kLargestThickness &&
         std::isfinite(settings.threshold) && std::isfinite(settings.angleLimit) &&
         std::isfinite(settings.accuracy) && settings.mode >= 0 && settings.mode <= 2;
}

double COutlineExpander::ChordError(double accuracy) {
  double chord = 0.1 * CSteadyMath::FifthRoot(std::fabs(accuracy));
  return std::min(kCoarsestChord, std::max(kFinestChord, chord));
}

CCornerJoin COutlineExpander::Join() const {
  return CCornerJoin(m_settings.threshold, m_settings.angleLimit,
                     m_settings.mode == 0 ? CCornerJoin::kBevelSharp : CCornerJoin::kRoundSharp,
                     m_settings.mode == 2, ChordError(m_settings.accuracy));
}

bool COutlineExpander::Move(const OutlineArea& area, OutlineArea* moved,
                            const Progress& progress) const {
  const double distance = m_settings.thickness;
  if (area.empty() || distance == 0) {
    *moved = area;
    return true;
  }
  CWindingSweep raw;
  COutlineBands(Join(), COutlineBands::kFlatEnds).AddRingOffsets(area, distance, &raw, 0);
  raw.AddArea(area, 1, 1);
  raw.SetFill(1, CWindingSweep::kNonZero);
  // What the expansion leaves out of its input (or the shrink puts outside it), measured in the
  // same sweep, must be no more than the grid's rounding along the outline.
  const CWindingSweep::Rule stray = [distance](const Cover& c) {
    const bool input = c[1] > 0, output = c[0] > 0;
    return distance > 0 ? input && !output : output && !input;
  };
  double strayArea = 0;
  // The cleaned input counts as the first hundredth of the work.
  *moved = raw.Area(CWindingSweep::Any, Part(progress, 0.01, 0.8), &stray, &strayArea);
  double allowed = 4 * raw.GridStep() * COutlineBoolean::PerimeterOf(area) +
                   1e-9 * COutlineBoolean::AreaOf(area);
  return strayArea <= allowed;
}

OutlineArea COutlineExpander::Finish(const OutlineShape& shape, const OutlineArea& moved,
                                     bool bandOnly, const Progress& progress) const {
  const double half = std::fabs(m_settings.thickness);
  const bool grows = m_settings.thickness >= 0;
  CWindingSweep sweep;
  sweep.AddArea(shape.area, 0, 0);
  sweep.AddArea(moved, 1, 1);
  sweep.SetFill(0, CWindingSweep::kNonZero);
  sweep.SetFill(1, CWindingSweep::kNonZero);
  if (half > 0) {
    COutlineBands bands(Join(), m_settings.mode == 2 ? COutlineBands::kRoundEnds
                                                     : COutlineBands::kFlatEnds);
    bands.AddLineBands(shape.lines, half, &sweep, 2);
  }
  return sweep.Area(
      [bandOnly, grows](const Cover& c) {
        const bool area = c[0] > 0, offset = c[1] > 0, band = c[2] > 0;
        if (!bandOnly) return offset || band;
        return (grows ? offset && !area : area && !offset) || band;
      },
      progress);
}

bool COutlineExpander::Expand(const OutlineShape& shape, OutlineShape* result,
                              const Progress& progress) const {
  OutlineArea moved;
  if (!Move(shape.area, &moved, progress)) return false;
  // Without lines to add, the moved area is the result as it stands.
  if (shape.lines.empty() || m_settings.thickness == 0)
    result->area = std::move(moved);
  else
    result->area = Finish(shape, moved, false, Part(progress, 0.8, 1));
  result->lines.clear();
  return true;
}

bool COutlineExpander::Outline(const OutlineShape& shape, OutlineShape* result,
                               const Progress& progress) const {
  OutlineArea moved;
  if (!Move(shape.area, &moved, progress)) return false;
  result->area = Finish(shape, moved, true, Part(progress, 0.8, 1));
  result->lines.clear();
  return true;
}
