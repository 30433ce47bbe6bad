#include "model/geometry/MatrixFactories.h"

#include <cmath>

namespace {

void ExactCosSin(float angle, double* c, double* s) {
  if (angle == 90.0f) {
    *c = 0.0;
    *s = 1.0;
  } else if (angle == -90.0f) {
    *c = 0.0;
    *s = -1.0;
  } else if (angle == 180.0f || angle == -180.0f) {
    *c = -1.0;
    *s = 0.0;
  } else {
    double radians = angle * kDegreesToRadians;
    *c = std::cos(radians);
    *s = std::sin(radians);
  }
}

// The tangent of a skew angle, reduced into (-90, 90] and kept within +-89 degrees.
double SkewTangent(float angle) {
  double degrees = std::isfinite(angle) ? std::fmod(static_cast<double>(angle), 180.0) : 0.0;
  if (degrees > 90.0) degrees -= 180.0;
  if (degrees <= -90.0) degrees += 180.0;
  if (degrees > 89.0) degrees = 89.0;
  if (degrees < -89.0) degrees = -89.0;
  return std::tan(degrees * kDegreesToRadians);
}

}  // namespace

CMatrix2D MakeMirrorMatrix(float x1, float y1, float x2, float y2, bool horizontal, bool vertical) {
  CMatrix2D matrix;
  float* m = matrix.m;
  m[0] = horizontal ? -1.0f : 1.0f;
  m[4] = vertical ? -1.0f : 1.0f;
  m[6] = (1.0f - m[0]) * (x1 + x2) / 2.0f;
  m[7] = (1.0f - m[4]) * (y1 + y2) / 2.0f;
  return matrix;
}

CMatrix2D MakeRotationMatrixAboutBox(float x1, float y1, float x2, float y2, float angle) {
  return MakeRotationMatrix((x1 + x2) / 2.0f, (y1 + y2) / 2.0f, angle);
}

CMatrix2D MakeRotationMatrix(float cx, float cy, float angle) {
  double c, s;
  ExactCosSin(angle, &c, &s);
  CMatrix2D matrix;
  float* m = matrix.m;
  m[0] = static_cast<float>(c);
  m[1] = static_cast<float>(s);
  m[3] = static_cast<float>(-s);
  m[4] = static_cast<float>(c);
  m[6] = static_cast<float>((1.0 - c) * cx + s * cy);
  m[7] = static_cast<float>((1.0 - c) * cy - s * cx);
  return matrix;
}

CMatrix2D MakeFitMatrix(const CFRect& box, float left, float top, float right, float bottom) {
  float width = box.right - box.left;
  float height = box.bottom - box.top;
  float sx = width != 0.0f ? (right - left) / width : 1.0f;
  float sy = height != 0.0f ? (bottom - top) / height : 1.0f;
  CMatrix2D fit;
  fit.m[0] = sx;
  fit.m[4] = sy;
  fit.m[6] = left - sx * box.left;
  fit.m[7] = top - sy * box.top;
  return fit;
}

CMatrix2D MakeSkewMatrix(float x1, float y1, float x2, float y2, float ax, float ay) {
  float tx = static_cast<float>(SkewTangent(ax));
  float ty = static_cast<float>(SkewTangent(ay));
  float cx = (x1 + x2) / 2.0f, cy = (y1 + y2) / 2.0f;
  CMatrix2D matrix;
  float* m = matrix.m;
  m[3] = tx;
  m[6] = -tx * cy;
  m[1] = ty;
  m[7] = -ty * cx;
  return matrix;
}
