// CCarveDevice: an engraving device as curves see it. Only the point calls that curve output
// makes are declared here; the device profile with its command templates and port fills them in.
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
