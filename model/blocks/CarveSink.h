// CCarveSink: an engraving device as curves see it, the sink that CCurveBlock::OutputToCarver
// streams a curve into, in device units. Only the point calls that curve output makes are
// declared here; the engraving device of the output library (CCarveDevice), with its command
// templates and port, implements it, so that the model never needs to know them. Each call
// returns the device's write result: 0 when nothing could be sent.
#pragma once

#include <windows.h>

class CCarveSink {
public:
  virtual ~CCarveSink() = default;

  // Pen-up move to a sub-path start.
  virtual int SendPoint(float x, float y) = 0;
  // Pen-down move to the point.
  virtual int PlotTo(float x, float y) = 0;
  // Pen-down moves through "x,y" pairs joined by commas (one leading comma is allowed).
  virtual int PlotPointList(LPCSTR points) = 0;
  // Ends a pen-down run; called after each sub-path.
  virtual int FlushPendingBlank() = 0;
};
