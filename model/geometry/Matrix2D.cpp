#include "model/geometry/Matrix2D.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Float to integer conversions truncate toward zero throughout the drawing model.
LONG Truncate(float value) { return static_cast<LONG>(value); }

}  // namespace

CMatrix2D CMatrix2D::Translation(float dx, float dy) {
  CMatrix2D matrix;
  matrix.m[6] = dx;
  matrix.m[7] = dy;
  return matrix;
}

CMatrix2D CMatrix2D::Scaling(float factor) {
  CMatrix2D matrix;
  matrix.m[0] = matrix.m[4] = factor;
  return matrix;
}

CMatrix2D& CMatrix2D::SetIdentity() {
  for (float& element : m) element = 0.0f;
  m[0] = m[4] = m[8] = 1.0f;
  return *this;
}

bool CMatrix2D::IsIdentity() const {
  const float one = 1.0f;
  return memcmp(&m[0], &one, sizeof one) == 0 && memcmp(&m[4], &one, sizeof one) == 0 &&
         m[1] == 0.0f && m[2] == 0.0f && m[3] == 0.0f && m[5] == 0.0f && m[6] == 0.0f &&
         m[7] == 0.0f;
}

void CMatrix2D::DivideBy(float divisor) {
  if (divisor == 0.0f) return;
  float factor = 1.0f / divisor;
  for (float& element : m) element *= factor;
}

FPOINT* CMatrix2D::TransformPointTo(FPOINT* point, FPOINT* out) const {
  FPOINT mapped = {MapX(point->x, point->y), MapY(point->x, point->y)};
  *(out ? out : point) = mapped;
  return point;
}

void CMatrix2D::TransformPointToInt(FPOINT* point, POINT* out) const {
  FPOINT mapped;
  TransformPointTo(point, &mapped);
  if (out) {
    out->x = Truncate(mapped.x);
    out->y = Truncate(mapped.y);
  } else {
    *point = mapped;
  }
}

void CMatrix2D::TransformFRect(CFRect* rect) const {
  float l = MapX(rect->left, rect->top), t = MapY(rect->left, rect->top);
  float r = MapX(rect->right, rect->bottom), b = MapY(rect->right, rect->bottom);
  *rect = CFRect(l, t, r, b);
  rect->Normalize();
}

void CMatrix2D::TransformRectToInt(CFRect* rect, RECT* out) const {
  CFRect mapped(MapX(rect->left, rect->top), MapY(rect->left, rect->top),
                MapX(rect->right, rect->bottom), MapY(rect->right, rect->bottom));
  if (out) {
    out->left = Truncate(mapped.left);
    out->top = Truncate(mapped.top);
    out->right = Truncate(mapped.right);
    out->bottom = Truncate(mapped.bottom);
  } else {
    *rect = mapped;
  }
}

void CMatrix2D::TransformRect(CFRect* rect, RECT* out) const {
  CFRect box;
  TransformRectToQuad(rect, nullptr, &box);
  if (out) {
    out->left = Truncate(box.left);
    out->top = Truncate(box.top);
    out->right = Truncate(box.right);
    out->bottom = Truncate(box.bottom);
  } else {
    *rect = box;
  }
}

void CMatrix2D::TransformRectToQuad(const CFRect* rect, FPOINT* corners, CFRect* box) const {
  const FPOINT source[4] = {{rect->left, rect->top},
                            {rect->right, rect->top},
                            {rect->left, rect->bottom},
                            {rect->right, rect->bottom}};
  FPOINT mapped[4];
  for (int i = 0; i < 4; ++i)
    mapped[i] = {MapX(source[i].x, source[i].y), MapY(source[i].x, source[i].y)};
  if (corners) std::copy(mapped, mapped + 4, corners);
  if (box) {
    *box = CFRect(mapped[0].x, mapped[0].y, mapped[0].x, mapped[0].y);
    for (int i = 1; i < 4; ++i) {
      box->left = std::min(box->left, mapped[i].x);
      box->top = std::min(box->top, mapped[i].y);
      box->right = std::max(box->right, mapped[i].x);
      box->bottom = std::max(box->bottom, mapped[i].y);
    }
  }
}

CMatrix2D& CMatrix2D::Multiply(const CMatrix2D& other) {
  const float* a = m;
  const float* b = other.m;
  float r[9];
  r[0] = a[0] * b[0] + a[1] * b[3];
  r[1] = a[0] * b[1] + a[1] * b[4];
  r[2] = a[0] * b[2] + a[1] * b[5];
  r[3] = a[3] * b[0] + a[4] * b[3];
  r[4] = a[3] * b[1] + a[4] * b[4];
  r[5] = 0.0f;
  r[6] = a[6] * b[0] + a[7] * b[3] + b[6];
  r[7] = a[6] * b[1] + a[7] * b[4] + b[7];
  r[8] = 1.0f;
  std::copy(r, r + 9, m);
  return *this;
}

float CMatrix2D::Append(const CMatrix2D& other) { return Multiply(other).m[7]; }

float CMatrix2D::Determinant() const {
  return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
         m[2] * (m[3] * m[7] - m[4] * m[6]);
}

bool CMatrix2D::IsInvertible() const {
  for (float element : m) {
    if (!std::isfinite(element)) return false;
  }
  float det = Determinant();
  return det != 0.0f && std::isfinite(det);
}

CMatrix2D CMatrix2D::Inverted(bool* ok) const {
  CMatrix2D result;
  bool invertible = IsInvertible();
  if (ok) *ok = invertible;
  if (!invertible) return result;
  float* r = result.m;
  r[0] = m[4] * m[8] - m[5] * m[7];
  r[1] = m[2] * m[7] - m[1] * m[8];
  r[2] = m[1] * m[5] - m[2] * m[4];
  r[3] = m[5] * m[6] - m[3] * m[8];
  r[4] = m[0] * m[8] - m[2] * m[6];
  r[5] = m[2] * m[3] - m[0] * m[5];
  r[6] = m[3] * m[7] - m[4] * m[6];
  r[7] = m[1] * m[6] - m[0] * m[7];
  r[8] = m[0] * m[4] - m[1] * m[3];
  result.DivideBy(Determinant());
  return result;
}

CMatrix2D* CMatrix2D::Inverse(bool* invertible) const {
  return new CMatrix2D(Inverted(invertible));
}

float CMatrix2D::InverseLength(float d) const {
  CMatrix2D inverse = Inverted();
  FPOINT origin = {0.0f, 0.0f};
  FPOINT end = {0.0f, d};
  inverse.TransformPoint(&origin);
  inverse.TransformPoint(&end);
  float dx = end.x - origin.x, dy = end.y - origin.y;
  return std::fabs(std::sqrt(dx * dx + dy * dy));
}
