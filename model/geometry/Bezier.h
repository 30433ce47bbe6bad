// CBezier: one cubic Bezier piece P0 (start), P1, P2 (controls), P3 (end) in page units, with the
// box of its four points. Evaluation, splitting, length, hit testing, flattening and clipping.
#pragma once

#include <windows.h>

#include "framework/Array.h"
#include "framework/String.h"
#include "model/geometry/FRect.h"

class CDC;

// Marks the end of the pieces that CBezier::ClipToBox writes.
const float kClipEndMarker = -99999.0f;

class CBezier {
public:
  CBezier();
  CBezier(const FPOINT& p0, const FPOINT& p1, const FPOINT& p2, const FPOINT& p3);
  explicit CBezier(const FPOINT points[4]);

  void PointAt(float t, FPOINT* out) const;
  // De Casteljau at t: L0 = P0, L1, L2, M, R1, R2, R3 = P3.
  void SplitAt(float t, FPOINT out[7]) const;
  void Split(CBezier* first, CBezier* second, float t) const;
  // The piece between the smaller and the larger of t0 and t1.
  void SubSegment(float t0, float t1, FPOINT out[4]) const;
  void ComputeBox();
  // Widens the box to the curve itself (its end points and turning points), not to the controls.
  void ExtendBoxByCurve(CFRect* box) const;
  bool IsPoint() const;

  // Polyline length through the shared weight table, taking every (steps / segments)-th entry.
  float Length(int segments) const;
  // A table sample at about distance d along the piece of length total.
  void PointAtDistance(FPOINT* out, float d, float total, int segments) const;
  // Parameter in [t0, t1] (held within 0 .. 1) of the point nearest to (x, y), by bisection.
  float NearestParameter(float x, float y, float t0, float t1) const;
  // Parameter of the curve point within tol of *point (which is moved onto the curve), or -1.
  float HitTest(FPOINT* point, float tol);
  // The end points of a flattening within one page unit of the curve, as "x,y" pairs (truncated)
  // joined by commas; the start point is not written. Empty for a piece whose points all coincide.
  CString FlattenToText() const;
  // Appends the parts of the piece inside the box as four points each, then the end marker point
  // (kClipEndMarker, kClipEndMarker); 0 (nothing appended) when the piece's box misses the box.
  int ClipToBox(float x1, float y1, float x2, float y2, CArray<FPOINT>* pieces);

  // Angles between the end tangents and the chord, each folded into [0, pi].
  void TangentDeviations(float* start, float* end) const;

  void Draw(CDC* dc) const;

  FPOINT p[4];
  float minX, minY, maxX, maxY;

private:
  void TablePoint(int entry, FPOINT* out) const;
  CString FlattenToText(int depth) const;
};

// Parameters in [0, 1] where wx * x(t) + wy * y(t) equals target, ascending, appended to roots;
// returns how many were found. (wx, wy) is (1, 0) for x and (0, 1) for y.
int SolveBezierCoordinate(float wx, float wy, float target, const CBezier& piece,
                          CArray<float>* roots);
// Inserts value into the ascending array of count entries before the first entry that is not
// smaller; nothing when there is none. The array must have room for count + 1 entries.
void InsertSortedFloat(float* values, float value, int count);
