// CMatrix2D: a 3x3 float affine matrix for row vectors: x' = x*m0 + y*m3 + m6,
// y' = x*m1 + y*m4 + m7. Elements 2 and 5 stay 0 and element 8 stays 1.0 in every matrix the
// program builds; the point transforms never read them.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CMatrix2D {
public:
  CMatrix2D() { SetIdentity(); }

  // A move by (dx, dy), and a scaling by factor along both axes about the origin.
  static CMatrix2D Translation(float dx, float dy);
  static CMatrix2D Scaling(float factor);

  CMatrix2D& SetIdentity();
  bool IsIdentity() const;
  void DivideBy(float divisor);

  // The pointer forms below are kept for callers that map points and rectangles in place.
  // Transforms the point into out, or in place when out is null; returns the input point.
  FPOINT* TransformPointTo(FPOINT* point, FPOINT* out = nullptr) const;
  FPOINT* TransformPoint(FPOINT* point) const { return TransformPointTo(point); }
  // Into out truncated toward zero, or in place as floats when out is null.
  void TransformPointToInt(FPOINT* point, POINT* out = nullptr) const;

  // Maps the two stored corners only, then normalises (a rotation does not give the bounding box).
  void TransformFRect(CFRect* rect) const;
  // Maps the two stored corners into out (truncated) or in place; never normalised.
  void TransformRectToInt(CFRect* rect, RECT* out = nullptr) const;
  // The bounding box of all four mapped corners, into out (truncated) or in place.
  void TransformRect(CFRect* rect, RECT* out = nullptr) const;
  // Corners in the order left-top, right-top, left-bottom, right-bottom, and their bounding box.
  void TransformRectToQuad(const CFRect* rect, FPOINT* corners = nullptr,
                           CFRect* box = nullptr) const;

  // this = this x other: this transform first, then the other.
  CMatrix2D& Multiply(const CMatrix2D& other);
  // The same product; returns the new element 7.
  float Append(const CMatrix2D& other);

  // The determinant is not zero and every element is finite.
  bool IsInvertible() const;
  // The inverse. A singular matrix has none: the result is then the identity and *ok is set to
  // false (ok may be null).
  CMatrix2D Inverted(bool* ok = nullptr) const;
  // Inverted on the heap (the caller deletes it), kept for callers that hold matrices by pointer.
  CMatrix2D* Inverse(bool* invertible = nullptr) const;
  // |image of (0, d) - image of (0, 0)| under the inverse: a vertical length measured back.
  float InverseLength(float d) const;

  float m[9];

private:
  float Determinant() const;
  float MapX(float x, float y) const { return x * m[0] + y * m[3] + m[6]; }
  float MapY(float x, float y) const { return x * m[1] + y * m[4] + m[7]; }
};

static_assert(sizeof(CMatrix2D) == 36, "CMatrix2D is nine floats");
