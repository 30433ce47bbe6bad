#include "model/geometry/Geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const double kRadiansToDegrees = 180.0 * 0.31830989161357204;

float DegreesToward(float px, float py, float x, float y) {
  return static_cast<float>(std::atan2(py - y, x - px) * kRadiansToDegrees);
}

}  // namespace

LONG TruncateToLong(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(LONG_MAX)) return LONG_MAX;
  if (value <= static_cast<double>(LONG_MIN)) return LONG_MIN;
  return static_cast<LONG>(value);
}

float SegmentHitTest(float x0, float y0, float x1, float y1, FPOINT* point, float tol) {
  float px = point->x, py = point->y;
  if (px < std::min(x0, x1) - tol || px > std::max(x0, x1) + tol || py < std::min(y0, y1) - tol ||
      py > std::max(y0, y1) + tol)
    return -1.0f;
  double runX = static_cast<double>(x1) - x0, runY = static_cast<double>(y1) - y0;
  double length = std::hypot(runX, runY);
  if (length == 0.0) {
    if (!(Distance(x0, y0, px, py) < tol)) return -1.0f;
    point->x = x0;
    point->y = y0;
    return 0.0f;
  }
  if (!(PointLineDistance(x0, y0, x1, y1, px, py) < tol)) return -1.0f;
  // Onto the line along one axis: upright onto a segment that runs more across than up, sideways
  // onto a steeper one. The ratio is the distance from the start before a sloped segment's snap.
  double sx = px, sy = py;
  if (y0 == y1)
    sy = y0;
  else if (x0 == x1)
    sx = x0;
  double dx = sx - x0, dy = sy - y0;
  if (x0 != x1 && y0 != y1) {
    double slope = runY / runX;
    if (std::fabs(slope) > 1.0)
      sx = x0 + dy / slope;
    else
      sy = y0 + slope * dx;
  }
  double ratio = std::sqrt(dx * dx + dy * dy) / length;
  // The widened box lets a point up to tol beyond either end hit, but a distance has no sign: it
  // would mirror a point before the start onto the segment and put one past the end beyond 1.
  // Callers split the segment at the ratio, so it and the point are held at the segment's ends.
  double along = (sx - x0) * runX + (sy - y0) * runY;
  if (along <= 0.0) {
    point->x = x0;
    point->y = y0;
    return 0.0f;
  }
  if (ratio >= 1.0 || along >= length * length) {
    point->x = x1;
    point->y = y1;
    return 1.0f;
  }
  point->x = static_cast<float>(sx);
  point->y = static_cast<float>(sy);
  return static_cast<float>(ratio);
}

int IntersectLines(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                   FPOINT* out) {
  double ax = static_cast<double>(x2) - x1, ay = static_cast<double>(y2) - y1;
  double bx = static_cast<double>(x4) - x3, by = static_cast<double>(y4) - y3;
  double denominator = ay * bx - by * ax;
  if (denominator == 0.0) return 0;
  double s = ((static_cast<double>(x3) - x1) * by - (static_cast<double>(y3) - y1) * bx) /
             -denominator;
  out->x = static_cast<float>(x1 + s * ax);
  out->y = static_cast<float>(y1 + s * ay);
  return 1;
}

int IntersectBoxes(CFRect* out, float ax1, float ay1, float ax2, float ay2, float bx1, float by1,
                   float bx2, float by2) {
  CFRect a(ax1, ay1, ax2, ay2), b(bx1, by1, bx2, by2);
  a.Normalize();
  b.Normalize();
  CFRect overlap(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom));
  if (!(overlap.left <= overlap.right && overlap.top <= overlap.bottom)) return 0;
  if (out) *out = overlap;
  return 1;
}

bool PointInBox(float x, float y, float x1, float y1, float x2, float y2) {
  return x1 <= x && x <= x2 && y1 <= y && y <= y2;
}

bool PointInBoxF(float x, float y, float /*unused*/, float x1, float y1, float x2, float y2) {
  return PointInBox(x, y, x1, y1, x2, y2);
}

void MakeNormalizedIntRect(int x1, int y1, int x2, int y2, RECT* out) {
  out->left = std::min(x1, x2);
  out->right = std::max(x1, x2);
  out->top = std::min(y1, y2);
  out->bottom = std::max(y1, y2);
}

void PointAtParameter(float x1, float y1, float x2, float y2, float t, FPOINT* out) {
  if (t <= 0.0f) {
    out->x = x1;
    out->y = y1;
  } else if (t >= 1.0f) {
    out->x = x2;
    out->y = y2;
  } else {
    out->x = x1 + t * (x2 - x1);
    out->y = y1 + t * (y2 - y1);
  }
}

void BlendPair(float a, float b, float c, float* p, float* q, float t) {
  *p = t * b + (1.0f - t) * a;
  *q = t * b + (1.0f - t) * c;
}

float Distance(float x1, float y1, float x2, float y2) {
  return static_cast<float>(
      std::hypot(std::fabs(static_cast<double>(x2) - x1), std::fabs(static_cast<double>(y2) - y1)));
}

float PointLineDistance(float x1, float y1, float x2, float y2, float px, float py) {
  if (x1 == x2) return std::fabs(px - x2);
  if (y1 == y2) return std::fabs(py - y2);
  // |cross product| / length: the slope formula without dividing by a tiny run.
  double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
  double cross = dx * (static_cast<double>(py) - y1) - dy * (static_cast<double>(px) - x1);
  return static_cast<float>(std::fabs(cross) / std::hypot(dx, dy));
}

float RaiseToNonNegativeAngle(float angle) {
  if (!(angle < 0.0f)) return angle;
  float r = std::fmod(angle, kFullTurn);
  if (r < 0.0f) r += kFullTurn;
  return r;
}

float RaiseAngleToAtLeast(float b, float a) {
  if (!(b < a)) return b;
  if (!std::isfinite(a) || !std::isfinite(b)) return b;
  float turns = std::ceil((a - b) / kFullTurn);
  b += turns * kFullTurn;
  if (b < a) b += kFullTurn;
  return b;
}

float AngleOf(float x1, float y1, float x2, float y2) {
  float angle = static_cast<float>(std::atan2(y1 - y2, x2 - x1));
  if (angle < 0.0f) angle += 6.283185f;
  return angle;
}

float MidAngle(float a, float b) {
  a = RaiseToNonNegativeAngle(a);
  b = RaiseAngleToAtLeast(b, a);
  float mid = (a + b) / 2.0f;
  if (mid > kFullTurn && std::isfinite(mid)) {
    mid = std::fmod(mid, kFullTurn);
    if (mid == 0.0f) mid = kFullTurn;  // "while above": a whole turn itself stays
  }
  return mid;
}

void BoxAngleRange(float x1, float y1, float x2, float y2, float px, float py, float* start,
                   float* end) {
  float sx, sy, ex, ey;
  bool above = py<y1, below = py> y2;
  if (px < x1) {
    if (below) {
      sx = x2, sy = y2, ex = x1, ey = y1;
    } else if (above) {
      sx = x1, sy = y2, ex = x2, ey = y1;
    } else {
      sx = x1, sy = y2, ex = x1, ey = y1;
    }
  } else if (px > x2) {
    if (below) {
      sx = x2, sy = y1, ex = x1, ey = y2;
    } else if (above) {
      sx = x1, sy = y1, ex = x2, ey = y2;
    } else {
      sx = x2, sy = y1, ex = x2, ey = y2;
    }
  } else if (above) {
    sx = x1, sy = y1, ex = x2, ey = y1;
  } else if (below) {
    sx = x2, sy = y2, ex = x1, ey = y2;
  } else {
    *start = 0.0f;
    *end = 360.0f;
    return;
  }
  *start = DegreesToward(px, py, sx, sy);
  *end = DegreesToward(px, py, ex, ey);
  if (*end < *start) *end += 360.0f;
}

float CircleThroughArch(float x1, float y1, float x2, float y2, FPOINT* centre) {
  // A = (x1, y2), B = (mx, y1), C = (x2, y2): the circumcircle of the three points.
  double ax = x1, ay = y2, bx = (static_cast<double>(x1) + x2) / 2.0, by = y1, cx = x2, cy = y2;
  double d = 2.0 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  if (d == 0.0) {
    if (centre) {
      centre->x = static_cast<float>(bx);
      centre->y = y1 + 100000.0f;
    }
    return 100000.0f;
  }
  double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  double ux = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
  double uy = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
  if (centre) {
    centre->x = static_cast<float>(ux);
    centre->y = static_cast<float>(uy);
  }
  return static_cast<float>(std::hypot(ax - ux, ay - uy));
}
