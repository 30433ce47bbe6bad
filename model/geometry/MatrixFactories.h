// Factories of the standard editing transforms, each returning its matrix by value.
// Angles are in degrees; with y pointing down a positive rotation turns clockwise on screen.
#pragma once

#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

CMatrix2D MakeMirrorMatrix(float x1, float y1, float x2, float y2, bool horizontal, bool vertical);
CMatrix2D MakeRotationMatrixAboutBox(float x1, float y1, float x2, float y2, float angle);
CMatrix2D MakeRotationMatrix(float cx, float cy, float angle);
// Scales and moves the box onto the rectangle; a box of no width (or height) is moved along that
// axis, not scaled.
CMatrix2D MakeFitMatrix(const CFRect& box, float left, float top, float right, float bottom);
// Skew angles are limited to +-89 degrees (after reducing them modulo 180), so the matrix stays
// finite.
CMatrix2D MakeSkewMatrix(float x1, float y1, float x2, float y2, float ax, float ay);

// Degrees to radians with the factor the drawing model has always used (pi taken as 3.1415926).
const double kDegreesToRadians = 0.017453292222222222;
