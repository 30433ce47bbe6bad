// The library's outline expansion entries: a group record of curves in, a group record of the
// expanded outline out (new memory the caller owns), or null for a missing or damaged record,
// unusable settings or an empty result. See COutlineExpander for what the values and modes mean.
#include <windows.h>

#include <vector>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineBuilder.h"
#include "addons/transform/OutlineExpander.h"
#include "addons/transform/ShapeRecords.h"
#include "model/blocks/CurveBlock.h"

namespace {

HGLOBAL ExpandRecord(HGLOBAL group, const ExpandSettings& settings, bool outlineOnly) {
  try {
    if (!COutlineExpander::IsValid(settings)) return nullptr;
    std::vector<FlatCurve> curves;
    if (!CShapeRecords::ReadRecord(group, -1, &curves)) return nullptr;
    COutlineExpander expander(settings);
    OutlineShape shape = COutlineBoolean::ShapeOf(curves);
    OutlineShape result = outlineOnly ? expander.Outline(shape) : expander.Expand(shape);
    DWORD colour = 0;
    WORD attributes = 0;
    CShapeRecords::StyleOf(curves, &colour, &attributes);
    return CShapeRecords::HandAsGroup(COutlineBuilder::BuildCurve(result, colour, attributes));
  } catch (...) {
    return nullptr;
  }
}

ExpandSettings SettingsOf(double thickness, double threshold, double angleLimit, double accuracy,
                          int mode) {
  ExpandSettings settings;
  settings.thickness = thickness;
  settings.threshold = threshold;
  settings.angleLimit = angleLimit;
  settings.accuracy = accuracy;
  settings.mode = mode;
  return settings;
}

}  // namespace

extern "C" {

HGLOBAL __cdecl dllExpand(HGLOBAL group, double thickness, double threshold, double angleLimit,
                          double accuracy, int mode) {
  return ExpandRecord(group, SettingsOf(thickness, threshold, angleLimit, accuracy, mode), false);
}

HGLOBAL __cdecl dllExpandOutLine(HGLOBAL group, double thickness, double threshold,
                                 double angleLimit, double accuracy, int mode) {
  return ExpandRecord(group, SettingsOf(thickness, threshold, angleLimit, accuracy, mode), true);
}

}  // extern "C"
