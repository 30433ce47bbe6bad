// CCutSink: a cutter as curves see it, the sink that CCurveBlock::OutputToCutter streams a curve
// into: the calls a curve makes to emit itself, in device steps. The cutter profile of the output
// library (CCutterDevice) implements it, so that the model cuts without knowing plotter commands,
// ports or profiles; tests record the calls.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CCutSink {
public:
  virtual ~CCutSink() = default;

  // Half cut: straight segments are cut as a dash pattern that restarts at each sub-path.
  virtual bool IsDashMode() const = 0;
  // Pen-up move to a sub-path start; the dash form restarts the pattern first.
  virtual void MoveTo(float x, float y) = 0;
  virtual void MoveToDashStart(float x, float y) = 0;
  // A straight segment from the current point; the dash form cuts it as the dash pattern.
  virtual void CutTo(float x, float y) = 0;
  virtual void DashCutTo(float x, float y) = 0;
  // The cubic piece start, two controls, end; a curve passes first = TRUE.
  virtual void CutBezier(const FPOINT points[4], BOOL first) = 0;
  // After a closed sub-path: cuts on along its first segments. points holds recordCount 9-byte
  // point records (PointRecord.h) of the curve, startIndex the record that starts the sub-path.
  virtual void CutOvercut(const BYTE* points, int recordCount, int startIndex) = 0;
  // Ends a cut run; called after each sub-path.
  virtual void FlushPendingBlank() = 0;
};
