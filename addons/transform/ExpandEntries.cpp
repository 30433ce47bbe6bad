// The library's outline expansion entries: a group record of curves in, a group record of the
// expanded outline out (new memory the caller owns), or null for a missing or damaged record,
// unusable settings, an empty result or an expansion that failed its own check. See
// COutlineExpander for what the values and modes mean. The watched entries take an ExpandWatch
// as well: they report the share done, stop early when asked and say how they ended.
#include <windows.h>

#include <vector>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineBuilder.h"
#include "addons/transform/OutlineExpander.h"
#include "addons/transform/ShapeRecords.h"
#include "media/ExpandDll.h"
#include "model/blocks/CurveBlock.h"

namespace {

void Report(ExpandWatch* watch, LONG status) {
  if (!watch) return;
  if (status != ExpandWatch::kStopped) InterlockedExchange(&watch->permille, 1000);
  InterlockedExchange(&watch->status, status);
}

HGLOBAL ExpandRecord(HGLOBAL group, const ExpandSettings& settings, bool outlineOnly,
                     ExpandWatch* watch) {
  try {
    if (!COutlineExpander::IsValid(settings)) {
      Report(watch, ExpandWatch::kFailed);
      return nullptr;
    }
    std::vector<FlatCurve> curves;
    if (!CShapeRecords::ReadRecord(group, -1, &curves)) {
      Report(watch, ExpandWatch::kFailed);
      return nullptr;
    }
    COutlineExpander::Progress progress;
    if (watch) {
      progress = [watch](double share) {
        InterlockedExchange(&watch->permille, static_cast<LONG>(share * 999));
        return InterlockedCompareExchange(&watch->stop, 0, 0) == 0;
      };
    }
    COutlineExpander expander(settings);
    OutlineShape shape = COutlineBoolean::ShapeOf(curves), result;
    bool done = outlineOnly ? expander.Outline(shape, &result, progress)
                            : expander.Expand(shape, &result, progress);
    if (!done) {
      Report(watch, ExpandWatch::kFailed);
      return nullptr;
    }
    DWORD colour = 0;
    WORD attributes = 0;
    CShapeRecords::StyleOf(curves, &colour, &attributes);
    HGLOBAL record = CShapeRecords::HandAsGroup(
        COutlineBuilder::BuildCurve(result, colour, attributes));
    Report(watch, record ? ExpandWatch::kDone : ExpandWatch::kEmpty);
    return record;
  } catch (const SweepCancelled&) {
    Report(watch, ExpandWatch::kStopped);
    return nullptr;
  } catch (...) {
    Report(watch, ExpandWatch::kFailed);
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
  return ExpandRecord(group, SettingsOf(thickness, threshold, angleLimit, accuracy, mode), false,
                      nullptr);
}

HGLOBAL __cdecl dllExpandOutLine(HGLOBAL group, double thickness, double threshold,
                                 double angleLimit, double accuracy, int mode) {
  return ExpandRecord(group, SettingsOf(thickness, threshold, angleLimit, accuracy, mode), true,
                      nullptr);
}

HGLOBAL __cdecl dllExpandWatched(HGLOBAL group, double thickness, double threshold,
                                 double angleLimit, double accuracy, int mode, ExpandWatch* watch) {
  return ExpandRecord(group, SettingsOf(thickness, threshold, angleLimit, accuracy, mode), false,
                      watch);
}

HGLOBAL __cdecl dllExpandOutLineWatched(HGLOBAL group, double thickness, double threshold,
                                        double angleLimit, double accuracy, int mode,
                                        ExpandWatch* watch) {
  return ExpandRecord(group, SettingsOf(thickness, threshold, angleLimit, accuracy, mode), true,
                      watch);
}

}  // extern "C"
