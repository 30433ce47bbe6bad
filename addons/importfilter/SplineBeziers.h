// CSplineBeziers: B-splines of CAD drawings as cubic Bezier pieces. A spline of degree 1 to 3
// without weights is cut at its knots (the blossoms of its spans) into Bezier pieces of its own
// degree, raised to cubic: the outline is exact; so is a rational piece of degree 1, a line.
// Other rational pieces (weights that differ) and pieces of degree above 3 are cut the same way
// and each followed by cubic pieces through its points with its directions there, as many as
// keep within kTolerance of the piece's size (at most kMostCubics): a count found from the piece
// alone, so that where and how large it is drawn never changes the points it takes, and pricing
// a spline counts what drawing it adds. A spline given only by the points it passes through is
// laid through them as a Catmull-Rom curve.
//
// The work is bounded by the points kept: a spline stops as soon as the path holds more than the
// points the caller allows (a curve could not hold it whole), or no more points at all.
#pragma once

#include <vector>

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportPath.h"

class CSplineBeziers {
public:
  static const int kHighestDegree = 11;
  static const size_t kMostControlPoints = 100000;
  // How far the cubics that follow a piece may stray, as a share of its control points' extent.
  static constexpr double kTolerance = 2.5e-5;
  static const int kMostCubics = 64;

  // Appends the spline mapped through the matrix, beginning with a move (or joining the current
  // point when the spline starts there). Weights may be empty (all 1). False, adding nothing, for
  // data that makes no spline: a degree out of range, a knot count other than controls + degree
  // + 1, knots that fall back, weights not above 0, or no parameter range. Stops, cut short, once
  // the path holds more than mostPoints points.
  static bool Append(CImportPath* path, int degree, const std::vector<double>& knots,
                     const std::vector<ImportPoint2>& controls, const std::vector<double>& weights,
                     const ImportMatrix& matrix, size_t mostPoints = CImportPath::kMaxPoints);
  // The points Append adds to an empty path, with any matrix, counted without drawing; 0 for
  // data that makes no spline. Counting stops once there are more than mostPoints.
  static size_t Points(int degree, const std::vector<double>& knots,
                       const std::vector<ImportPoint2>& controls,
                       const std::vector<double>& weights,
                       size_t mostPoints = CImportPath::kMaxPoints);
  static size_t PointsThrough(const std::vector<ImportPoint2>& points);
  // A curve through the points; the optional tangents (zero for none) set its end directions.
  static bool AppendThrough(CImportPath* path, const std::vector<ImportPoint2>& points,
                            ImportPoint2 startTangent, ImportPoint2 endTangent,
                            const ImportMatrix& matrix,
                            size_t mostPoints = CImportPath::kMaxPoints);
};
