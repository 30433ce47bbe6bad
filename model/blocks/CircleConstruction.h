// Circles built for editing commands and text layouts: the circle through three points, and the
// concentric circles (or ellipses) of typed radius lists as one curve.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CCurveBlock;

// The radius that stands for "no circle": the points coincide or lie on one line.
constexpr float kNoCircleRadius = 100000.0f;

// The radius of the circle through the three points, its centre in *centre when given. Coincident
// or (nearly) collinear points give kNoCircleRadius and leave *centre untouched; the result is
// never infinite or NaN.
float CircleFromPoints(float x1, float y1, float x2, float y2, float x3, float y3,
                       FPOINT* centre = nullptr);

// One curve of the ellipses around (cx, cy) whose horizontal radii are the comma-separated
// fields of radiiX and vertical radii the matching fields of radiiY (a missing or zero field takes
// the horizontal one). Fields that are not positive numbers make nothing; null when nothing is
// made. The caller owns the curve.
CCurveBlock* BuildConcentricCircles(float cx, float cy, LPCSTR radiiX, LPCSTR radiiY);
