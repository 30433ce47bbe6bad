// CDeviceScale: the four scale values that turn plot units into the cutter's own units, as the
// cutter reports them in its status record (or the defaults of a cutter that reports none).
// device = plot * a * b / 100000 / 100000, with 64-bit products and integer division. Device
// points are held within +-(2^28 - 1) so that the step between any two of them fits the 30 bits a
// wire record gives it, however large the plot file's numbers or the cutter's scales.
#pragma once

#include <windows.h>

class CDeviceScale {
public:
  static constexpr INT32 kDefaultFirst = 100000;
  static constexpr INT32 kDefaultSecond = 80850;
  static constexpr INT32 kLimit = (1 << 28) - 1;

  CDeviceScale() : y1(kDefaultFirst), x1(kDefaultFirst), y2(kDefaultSecond), x2(kDefaultSecond) {}
  CDeviceScale(INT32 y1Value, INT32 x1Value, INT32 y2Value, INT32 x2Value)
      : y1(y1Value), x1(x1Value), y2(y2Value), x2(x2Value) {}

  // Scale values of zero or below would fold the drawing onto a point or mirror it: such a set is
  // no scale at all.
  bool IsUsable() const { return y1 > 0 && x1 > 0 && y2 > 0 && x2 > 0; }

  INT32 DeviceX(INT32 plotX) const { return Apply(plotX, x1, x2); }
  INT32 DeviceY(INT32 plotY) const { return Apply(plotY, y1, y2); }

  INT32 y1;
  INT32 x1;
  INT32 y2;
  INT32 x2;

private:
  static INT32 Apply(INT32 value, INT32 first, INT32 second);
};
