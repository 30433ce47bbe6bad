// CTextPath: the first sub-path of a curve measured for setting text along it. The path becomes a
// polyline with the distance along the path at each of its points: a straight segment as it is, a
// cubic Bezier piece as 100 chords (the curve length's own measure), so that the point at any
// distance is found by a binary search and lies on the chord between two samples. Special records
// are skipped; the start of a second sub-path or the end record ends the path. Coordinates are the
// curve's points through its pending matrix. Reversed, the same path runs from its end to its
// start.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"

class CCurveBlock;

class CTextPath {
public:
  // Chords of a Bezier piece.
  static constexpr int kBezierChords = 100;

  CTextPath(const CCurveBlock& curve, bool reversed);

  double Length() const { return m_distances.empty() ? 0 : m_distances.back(); }
  bool IsClosed() const { return m_closed; }
  // Whether any length is there to set text on.
  bool IsEmpty() const { return !(Length() > 0); }
  // The point at the distance along the path, held to the path's two ends.
  FPOINT PointAt(double distance) const;
  // The direction (AngleOf, radians) from the point at distance to the point step further on;
  // near the end the pair moves back so that both lie on the path. 0 on an empty path.
  float DirectionAt(double distance, double step) const;

private:
  void Add(const FPOINT& point);

  std::vector<FPOINT> m_points;
  std::vector<double> m_distances;
  bool m_closed;
};
