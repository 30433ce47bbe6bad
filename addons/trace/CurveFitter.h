// CCurveFitter: fits a closed, smoothed boundary with straight segments and cubic Bezier pieces.
// The boundary is cut at its corners into runs (a loop without corners at four points a quarter
// of the way round each, where the pieces meet smoothly). Each run is fitted by least squares
// after P. J. Schneider ("An Algorithm for Automatically Fitting Digitized Curves", Graphics Gems,
// 1990): chord-length parameters, the controls solved from the normal equations (along fixed
// directions at smooth ends, free at corners), the parameters improved by Newton steps while that
// pays, and a run that still misses divided at its worst point with one direction on both sides,
// so that the pieces meet smoothly there. A run close enough to its chord becomes a straight
// segment.
//
// Every point of the boundary lies within the error threshold, plus the quarter pixel by which the
// smoothed boundary still wanders about the true edge, of the piece fitted to it (measured at the
// point's own parameter, which bounds its distance from the piece).
#pragma once

#include <vector>

#include "addons/trace/TraceSettings.h"
#include "addons/trace/TraceTypes.h"

class CCurveFitter {
public:
  explicit CCurveFitter(const TraceSettings& settings) : m_settings(settings) {}

  // corners: ascending indices into the loop; the outline starts at the first corner (at the
  // first point when there is none).
  TracedOutline Fit(const std::vector<TracePoint>& loop, const std::vector<int>& corners) const;

  // A Bezier piece by least squares through the points with the end directions given (the first
  // pointing into the piece from its start, the second into it from its end); a direction of no
  // length leaves that end's control free.
  static TraceSegment FitBezier(const std::vector<TracePoint>& points,
                                const std::vector<double>& parameters, TracePoint startDirection,
                                TracePoint endDirection);

private:
  struct Run {
    int first;  // indices into the run's points
    int last;
    TracePoint startDirection;
    TracePoint endDirection;
  };

  // Appends the segments of points[0 .. size - 1], whose first point is already placed.
  void FitRun(const std::vector<TracePoint>& points, TracePoint startDirection,
              TracePoint endDirection, std::vector<TraceSegment>* segments) const;
  // One try at points[first .. last]: true with the segment when it fits, else false with the
  // index of the worst point.
  bool FitPiece(const std::vector<TracePoint>& points, const Run& run, TraceSegment* segment,
                int* worst) const;
  // Every point from first to last within the tolerance of the chord between them.
  static bool IsStraight(const std::vector<TracePoint>& points, int first, int last,
                         double tolerance);
  bool ControlsNearChord(const TraceSegment& bezier, TracePoint start) const;

  TraceSettings m_settings;
};
