// Contours built from shapes: the ellipse in a box, an elliptical arc, and the smoothing of a
// clicked polyline into Bezier pieces. Each returns a new contour that the caller deletes.
#pragma once

#include "model/Contour.h"

// The ellipse inscribed in the box, as four Bezier quarters starting at the left.
CContour* ContourFromEllipse(float x1, float y1, float x2, float y2);
// The arc of the box's ellipse from angle a0 to a1 (radians, counter-clockwise on the screen),
// as an open sub-path; null when the angles span nothing. At most one full turn is drawn.
CContour* ContourFromArc(float x1, float y1, float x2, float y2, float a0, float a1);
// The polyline's vertices read as a quadratic B-spline and rebuilt as cubic pieces; special records
// are dropped. Null when the input has no points.
CContour* ConvertLinesToCurves(const CContour& lines);
