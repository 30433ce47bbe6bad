// TraceSettings: how the bitmap tracer finds corners and fits its outlines, in pixels and degrees.
// The values come from the library's parameter block (the "VECTOR" or "TRACE" settings); since a
// user may store anything there, Sanitised() brings every value into a range the tracer can work
// with, taking the default for a value that is not a number.
//
// What each value does:
// - cornerSurround: how many boundary steps on each side the angle at a point is measured over.
// - cornerThreshold: a point whose angle (180 = straight) is below this is a corner when no point
//   within cornerSurround has a smaller angle; below cornerAlwaysThreshold it is a corner anyway.
// - filterIterations, filterPercent, filterSurround: the smoothing of the boundary between corners
//   before fitting (each pass moves a point filterPercent of the way to the mean of its neighbours
//   within filterSurround steps), which takes out the pixel staircase.
// - errorThreshold: the largest distance of a smoothed point from its fitted segment.
// - lineThreshold: a run whose points all lie this close to its chord becomes a straight segment;
//   lineReversionThreshold: a fitted Bezier whose controls lie within this share of its length of
//   the chord becomes one too.
// - reparameterizeThreshold, reparameterizeImprovement: a fit missing by less than the first
//   (pixels) is improved by moving the points' parameters for as long as each round takes off at
//   least the second share of the error.
// - tangentSurround: the points over which the direction at the ends of a run is measured.
// - subdivideSurround: the same where a run that cannot be fitted in one piece is divided.
// - speckArea: boundaries enclosing this many pixels or fewer are left out (scanner dust).
#pragma once

struct TraceSettings {
  int cornerSurround = 3;
  double cornerThreshold = 100.0;
  double cornerAlwaysThreshold = 60.0;
  int filterIterations = 3;
  double filterPercent = 0.33;
  int filterSurround = 2;
  double errorThreshold = 0.5;
  double lineThreshold = 0.5;
  double lineReversionThreshold = 0.01;
  double reparameterizeThreshold = 30.0;
  double reparameterizeImprovement = 0.1;
  int tangentSurround = 4;
  int subdivideSurround = 4;
  int speckArea = 2;

  TraceSettings Sanitised() const;
};
