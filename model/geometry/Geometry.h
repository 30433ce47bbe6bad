// Small geometry on page-unit floats (y downward): points and boxes, lines and segments, distances
// and angles. Angles are radians unless a function says degrees.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

// Float to integer, truncated toward zero; values beyond the integer range are held at its ends and
// a NaN gives 0, so a damaged coordinate cannot turn into an arbitrary command.
LONG TruncateToLong(double value);

// Ratio (0 .. 1) along the segment when the point lies within tol of it, else -1; on a hit the
// point is moved onto the segment along one axis: upright onto a segment that runs more across
// than up, sideways onto a steeper one. A segment of zero length is hit like a point.
float SegmentHitTest(float x0, float y0, float x1, float y1, FPOINT* point, float tol);

// 0 for parallel lines; else 1 and the crossing of the two infinite lines.
int IntersectLines(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                   FPOINT* out);
// Both boxes normalised; 0 when they do not meet (touching meets), else 1 and the overlap.
int IntersectBoxes(CFRect* out, float ax1, float ay1, float ax2, float ay2, float bx1, float by1,
                   float bx2, float by2);
// Edges inside; the box must be normalised.
bool PointInBox(float x, float y, float x1, float y1, float x2, float y2);
bool PointInBoxF(float x, float y, float unused, float x1, float y1, float x2, float y2);
void MakeNormalizedIntRect(int x1, int y1, int x2, int y2, RECT* out);

// The first point for t <= 0, the second for t >= 1, else the point between.
void PointAtParameter(float x1, float y1, float x2, float y2, float t, FPOINT* out);
void BlendPair(float a, float b, float c, float* p, float* q, float t);

float Distance(float x1, float y1, float x2, float y2);
// Distance from (px, py) to the infinite line through the two points.
float PointLineDistance(float x1, float y1, float x2, float y2, float px, float py);

// Direction from the first point to the second, counter-clockwise on the screen, in [0, 2pi).
float AngleOf(float x1, float y1, float x2, float y2);
// The angle half way from a to b going counter-clockwise.
float MidAngle(float a, float b);
// Range of directions (degrees) from the point that covers the box; 0 .. 360 from inside it.
void BoxAngleRange(float x1, float y1, float x2, float y2, float px, float py, float* start,
                   float* end);
// Radius of the circle through (x1, y2), ((x1 + x2) / 2, y1) and (x2, y2), and its centre;
// 100000 when the three points are collinear.
float CircleThroughArch(float x1, float y1, float x2, float y2, FPOINT* centre = nullptr);

const float kFullTurn = 6.2831852f;
// A negative angle raised by whole turns until it is not negative; other angles unchanged. Works
// in one step, so a huge or infinite angle cannot keep a loop running.
float RaiseToNonNegativeAngle(float angle);
// b raised by whole turns until it is not below a.
float RaiseAngleToAtLeast(float b, float a);
