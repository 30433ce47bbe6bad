// Curves of the simple shapes. Each returns a new curve block that the caller owns, or null where
// the shape has no outline.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CContour;
class CCurveBlock;

// A curve holding the contour's points (its pending matrix baked in), with the contour's box as
// its box and the given colour.
CCurveBlock* MakeCurveFromContour(const CContour& contour, DWORD colour);

// The closed rectangle (x1, y1), (x2, y1), (x2, y2), (x1, y2), back to the start.
CCurveBlock* MakeRectCurve(float x1, float y1, float x2, float y2);
// The same of the normalised rectangle.
CCurveBlock* MakeRectCurveFromFRect(const CFRect& rect);

// The ellipse inscribed in the box.
CCurveBlock* MakeEllipseCurve(float x1, float y1, float x2, float y2);
// The open arc of the box's ellipse between two angles (radians); null when they span nothing.
CCurveBlock* MakeArcCurve(float x1, float y1, float x2, float y2, float start, float end);
// The arc closed through the centre; null when the angles differ by less than 0.001.
CCurveBlock* MakePieCurve(float x1, float y1, float x2, float y2, float start, float end);
// A regular polygon in the square centred in the box (radius half its shorter side, first corner
// straight up); null for fewer than 3 corners. A band that is not 0 adds a second polygon that much
// further in; an inner size that is not 0 pulls the middle of every edge that much toward the
// centre, which sharpens the corners into a star.
CCurveBlock* MakeRegularPolygonCurve(float x1, float y1, float x2, float y2, int corners,
                                     float band, float innerSize);
