// Contours built from shapes: the ellipse in a box, an elliptical arc, and the smoothing of a
// clicked polyline into Bezier pieces. Each returns a new contour that the caller deletes.
#pragma once

#include "model/geometry/Contour.h"

// The ellipse inscribed in the box, as four Bezier quarters starting at the left.
CContour* ContourFromEllipse(float x1, float y1, float x2, float y2);
// The arc of the box's ellipse from angle a0 to a1 (radians, counter-clockwise on the screen),
// as an open sub-path; null when the angles span nothing. At most one full turn is drawn.
CContour* ContourFromArc(float x1, float y1, float x2, float y2, float a0, float a1);
// The polyline's vertices read as a quadratic B-spline and rebuilt as cubic pieces; special records
// are dropped. Null when the input has no points.
CContour* ConvertLinesToCurves(const CContour& lines);

// The rectangle (normalised first) as one closed sub-path starting at its top left, each point
// mapped by the matrix when one is given.
CContour* ContourFromRect(float x1, float y1, float x2, float y2, const CMatrix2D* matrix);
// The rectangle with corners rounded by one Bezier piece each: the horizontal radius is ratioX of
// half the width, the vertical one ratioY of half the height. Starts on the left edge and runs
// clockwise on the screen.
CContour* ContourFromRoundRect(float x1, float y1, float x2, float y2, float ratioX, float ratioY,
                               const CMatrix2D* matrix);
// The same walk with each corner cut off by a straight line.
CContour* ContourFromChamferRect(float x1, float y1, float x2, float y2, float ratioX, float ratioY,
                                 const CMatrix2D* matrix);

// A regular polygon or star around a centre: corners on the outer radius from the start angle on,
// and with a star angle (not 0, and an inner radius that differs from the outer one) an inner
// corner after each corner at that angle on the inner radius. A band that is not 0 adds a second
// outline that much further in. Corner counts are held to kMinPolygonCorners .. kMaxPolygonCorners.
struct RegularPolygonShape {
  float cx;
  float cy;
  float outerRadius;
  float innerRadius;
  float startAngle;
  int corners;
  float starAngle;
  float band;
};
const int kMinPolygonCorners = 3;
const int kMaxPolygonCorners = 10000;
CContour* ContourFromRegularPolygon(const RegularPolygonShape& shape);
