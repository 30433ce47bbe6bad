// CCarveDevice: an engraving device as curves see it, the sink that CCurveBlock::OutputToCarver
// streams a curve into. Only the point calls that curve output makes are declared here; the
// engraving devices of the output library, with their command templates and port, implement it,
// so that the model never needs to know them.
#pragma once

#include <windows.h>

class CCarveDevice {
public:
  virtual ~CCarveDevice() = default;

  // Pen-up move to a sub-path start.
  virtual int SendPoint(float x, float y) = 0;
  // Pen-down move to the point.
  virtual int PlotTo(float x, float y) = 0;
  // Pen-down moves through "x,y" pairs joined by commas (one leading comma is allowed).
  virtual int PlotPointList(LPCSTR points) = 0;
  // Ends a pen-down run; called after each sub-path.
  virtual int FlushPendingBlank() = 0;
};
