#include "model/geometry/FRect.h"

#include <cmath>
#include <utility>

CFRect& CFRect::SetEmpty() {
  left = top = right = bottom = 0.0f;
  return *this;
}

CFRect* CFRect::CopyTo(CFRect* out) const {
  *out = *this;
  return out;
}

bool CFRect::IsInside(float x1, float y1, float x2, float y2) const {
  return left >= x1 && left <= x2 && right >= x1 && right <= x2 && top >= y1 && top <= y2 &&
         bottom >= y1 && bottom <= y2;
}

bool CFRect::IsOutside(float x1, float y1, float x2, float y2) const {
  return (left >= x2 && right >= x2) || (left <= x1 && right <= x1) ||
         (top <= y1 && bottom <= y1) || (top >= y2 && bottom >= y2);
}

bool CFRect::Meets(const CFRect& other) const {
  return !(left > other.right || right < other.left || top > other.bottom || bottom < other.top);
}

void CFRect::Inflate(float dx, float dy) {
  left -= dx;
  right += dx;
  top -= dy;
  bottom += dy;
}

FPOINT* CFRect::GetTopLeft(FPOINT* out) const {
  out->x = left;
  out->y = top;
  return out;
}

void CFRect::MoveTo(float x, float y) {
  right += x - left;
  bottom += y - top;
  left = x;
  top = y;
}

void CFRect::Normalize() {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

float CFRect::Width() const { return std::fabs(right - left); }
float CFRect::Height() const { return std::fabs(bottom - top); }
void CFRect::SetWidth(float w) { right = left + std::fabs(w); }
void CFRect::SetHeight(float h) { bottom = top + std::fabs(h); }
