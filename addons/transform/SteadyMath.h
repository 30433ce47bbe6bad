// CSteadyMath: the few functions of the C run-time that the outline geometry needs and whose last
// bits would follow the x87's precision: the run-time's hypot, acos and pow compute on the x87,
// at 64 bits on the program's main thread and at 53 on a thread made by CreateThread, while the
// geometry's own arithmetic runs in SSE registers. Built from SSE arithmetic, the square root and
// the run-time's atan2 (the x87's fpatan, whose result the precision does not touch), these give
// the same bits on every thread, so that every entry does.
#pragma once

class CSteadyMath {
public:
  // The length of (x, y).
  static double Hypot(double x, double y);
  // The angle, 0 to pi, whose cosine is c (clamped to -1 .. 1).
  static double Acos(double c);
  // The fifth root of a positive number (0 for anything else).
  static double FifthRoot(double value);
};
