#include "model/geometry/Bezier.h"

#include <algorithm>
#include <cmath>

#include "framework/DC.h"
#include "model/geometry/BezierTable.h"
#include "model/geometry/Geometry.h"

namespace {

const float kOneDegree = 0.017453277777777776f;
const int kMaxTextDepth = 10;
// Roots closer than this are one root (a root on a step is met from both of its intervals).
const double kSameRoot = 1e-6;

FPOINT Lerp(const FPOINT& a, const FPOINT& b, float t) {
  FPOINT r = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
  return r;
}

bool SamePoint(const FPOINT& a, const FPOINT& b) { return a.x == b.x && a.y == b.y; }

float FoldAngle(float difference) {
  difference = std::fabs(difference);
  return std::min(difference, kFullTurn - difference);
}

float DirectionAngle(const FPOINT& from, const FPOINT& to) {
  return static_cast<float>(std::atan2(to.x - from.x, to.y - from.y));
}

// The polynomial of one weighted coordinate: ((c3 t + c2) t + c1) t + c0.
struct Cubic {
  double c3, c2, c1, c0;
  double At(double t) const { return ((c3 * t + c2) * t + c1) * t + c0; }
};

double Refine(const Cubic& f, double lo, double hi, double flo) {
  double mid = (lo + hi) / 2.0;
  for (int i = 0; i < 64; ++i) {
    mid = (lo + hi) / 2.0;
    double fm = f.At(mid);
    if (std::fabs(fm) < 1e-7 || hi - lo <= 1e-7) break;
    if ((fm < 0.0) == (flo < 0.0)) {
      lo = mid;
      flo = fm;
    } else {
      hi = mid;
    }
  }
  return mid;
}

// Inserts t into the ascending list unless an equal parameter is already there.
void InsertParameter(CArray<float>* list, float t) {
  INT_PTR i = 0;
  while (i < list->GetSize() && list->GetAt(i) < t) ++i;
  if (i < list->GetSize() && std::fabs(list->GetAt(i) - t) < kSameRoot) return;
  if (i > 0 && std::fabs(list->GetAt(i - 1) - t) < kSameRoot) return;
  list->InsertAt(i, t);
}

}  // namespace

CBezier::CBezier() : p(), minX(0), minY(0), maxX(0), maxY(0) {}

CBezier::CBezier(const FPOINT& p0, const FPOINT& p1, const FPOINT& p2, const FPOINT& p3)
    : p{p0, p1, p2, p3}, minX(0), minY(0), maxX(0), maxY(0) {}

CBezier::CBezier(const FPOINT points[4]) : CBezier(points[0], points[1], points[2], points[3]) {}

void CBezier::PointAt(float t, FPOINT* out) const {
  float u = 1.0f - t;
  float w0 = u * u * u, w1 = 3.0f * t * u * u, w2 = 3.0f * t * t * u, w3 = t * t * t;
  out->x = w0 * p[0].x + w1 * p[1].x + w2 * p[2].x + w3 * p[3].x;
  out->y = w0 * p[0].y + w1 * p[1].y + w2 * p[2].y + w3 * p[3].y;
}

void CBezier::TablePoint(int entry, FPOINT* out) const {
  const float* w = GetBezierTable().Weights(entry);
  out->x = w[0] * p[0].x + w[1] * p[1].x + w[2] * p[2].x + w[3] * p[3].x;
  out->y = w[0] * p[0].y + w[1] * p[1].y + w[2] * p[2].y + w[3] * p[3].y;
}

void CBezier::SplitAt(float t, FPOINT out[7]) const {
  FPOINT l1 = Lerp(p[0], p[1], t), h = Lerp(p[1], p[2], t), r2 = Lerp(p[2], p[3], t);
  FPOINT l2 = Lerp(l1, h, t), r1 = Lerp(h, r2, t);
  out[0] = p[0];
  out[1] = l1;
  out[2] = l2;
  out[3] = Lerp(l2, r1, t);
  out[4] = r1;
  out[5] = r2;
  out[6] = p[3];
}

void CBezier::Split(CBezier* first, CBezier* second, float t) const {
  FPOINT s[7];
  SplitAt(t, s);
  *first = CBezier(s[0], s[1], s[2], s[3]);
  *second = CBezier(s[3], s[4], s[5], s[6]);
}

void CBezier::SubSegment(float t0, float t1, FPOINT out[4]) const {
  float lo = std::min(t0, t1), hi = std::max(t0, t1);
  if (hi <= 0.0f) {
    std::fill(out, out + 4, p[0]);
    return;
  }
  FPOINT s[7];
  SplitAt(hi, s);
  CBezier head(s[0], s[1], s[2], s[3]);
  head.SplitAt(lo / hi, s);
  std::copy(s + 3, s + 7, out);
}

void CBezier::ComputeBox() {
  minX = maxX = p[0].x;
  minY = maxY = p[0].y;
  for (int i = 1; i < 4; ++i) {
    minX = std::min(minX, p[i].x);
    maxX = std::max(maxX, p[i].x);
    minY = std::min(minY, p[i].y);
    maxY = std::max(maxY, p[i].y);
  }
}

void CBezier::ExtendBoxByCurve(CFRect* box) const {
  auto widen = [box](const FPOINT& q) {
    box->left = std::min(box->left, q.x);
    box->right = std::max(box->right, q.x);
    box->top = std::min(box->top, q.y);
    box->bottom = std::max(box->bottom, q.y);
  };
  widen(p[0]);
  widen(p[3]);
  // Turning points: zeros of the derivative a t^2 + b t + c of each coordinate.
  for (int axis = 0; axis < 2; ++axis) {
    auto q = [this, axis](int i) { return static_cast<double>(axis == 0 ? p[i].x : p[i].y); };
    double a = -q(0) + 3.0 * q(1) - 3.0 * q(2) + q(3);
    double b = 2.0 * (q(0) - 2.0 * q(1) + q(2));
    double c = q(1) - q(0);
    double roots[2];
    int count = 0;
    if (std::fabs(a) < 1e-12) {
      if (b != 0.0) roots[count++] = -c / b;
    } else {
      double disc = b * b - 4.0 * a * c;
      if (disc >= 0.0) {
        double s = std::sqrt(disc);
        roots[count++] = (-b + s) / (2.0 * a);
        roots[count++] = (-b - s) / (2.0 * a);
      }
    }
    for (int i = 0; i < count; ++i) {
      if (roots[i] > 0.0 && roots[i] < 1.0) {
        FPOINT at;
        PointAt(static_cast<float>(roots[i]), &at);
        widen(at);
      }
    }
  }
}

bool CBezier::IsPoint() const {
  return SamePoint(p[0], p[1]) && SamePoint(p[0], p[2]) && SamePoint(p[0], p[3]);
}

float CBezier::Length(int segments) const {
  int n = GetBezierTable().GetSteps();
  int every = segments ? n / segments : 0;
  if (every == 0) every = 1;
  float length = 0.0f;
  FPOINT last = p[0], next;
  for (int i = 0; i < n; i += every) {
    TablePoint(i, &next);
    length += Distance(last.x, last.y, next.x, next.y);
    last = next;
  }
  return length + Distance(last.x, last.y, p[3].x, p[3].y);
}

void CBezier::PointAtDistance(FPOINT* out, float d, float total, int segments) const {
  if (total == 0.0f) return;
  out->x = out->y = 0.0f;
  float r = d / total;
  if (!(r >= 0.0f && r <= 1.0f)) return;
  if (r == 0.0f) {
    *out = p[0];
    return;
  }
  if (r == 1.0f) {
    *out = p[3];
    return;
  }
  int n = GetBezierTable().GetSteps();
  int every = segments ? n / segments : 0;
  if (every == 0) every = 1;
  FPOINT last = p[0];
  float walked = 0.0f;
  for (int i = every; d > 0.0f && i < n && walked < d; i += every) {
    FPOINT next;
    TablePoint(i, &next);
    walked += Distance(last.x, last.y, next.x, next.y);
    last = next;
  }
  *out = last;
}

float CBezier::NearestParameter(float x, float y, float t0, float t1) const {
  double a = std::min(1.0f, std::max(0.0f, std::min(t0, t1)));
  double b = std::min(1.0f, std::max(0.0f, std::max(t0, t1)));
  auto squared = [this, x, y](double t) {
    FPOINT q;
    PointAt(static_cast<float>(t), &q);
    double dx = q.x - x, dy = q.y - y;
    return dx * dx + dy * dy;
  };
  while (b - a >= 0.01) {
    double m = (a + b) / 2.0;
    double da = squared(a), dm = squared(m), db = squared(b);
    if (da >= dm && (db < dm || da >= db))
      a = m;
    else
      b = m;
  }
  return static_cast<float>((a + b) / 2.0);
}

float CBezier::HitTest(FPOINT* point, float tol) {
  ComputeBox();
  if (point->x < minX - tol || point->x > maxX + tol || point->y < minY - tol ||
      point->y > maxY + tol)
    return -1.0f;
  if (IsPoint()) {
    if (!(Distance(p[0].x, p[0].y, point->x, point->y) < tol)) return -1.0f;
    *point = p[0];
    return 0.0f;
  }
  int n = GetBezierTable().GetSteps();
  // About 20 chords (every n/20-th table point) from P0 to P3, then a local search. Three
  // departures from a plain walk over the table entries, each to keep the hit on the piece:
  // - below 20 table steps every step makes a chord: one chord of n steps would stand for the
  //   whole piece, missing clicks on a bowed piece and taking clicks on its straight chord;
  // - a chord ends at t = k/n (table entry k - 1) and the last at P3 itself: entry k lies at
  //   (k + 1)/n, and walking up to entry n would take clicks past the piece's end;
  // - a ratio of 0 is a hit too: a click abreast P0 lands on the first chord's start, and walking
  //   on from there would miss it.
  int step = n > 19 ? n / 20 : 1;
  FPOINT last = p[0];
  float lastT = 0.0f;
  for (int k = step;; k += step) {
    k = std::min(k, n);
    FPOINT next = p[3];
    float t = 1.0f;
    if (k < n) {
      TablePoint(k - 1, &next);
      t = static_cast<float>(k) / static_cast<float>(n);
    }
    if (!SamePoint(next, last)) {
      FPOINT probe = *point;
      float c = SegmentHitTest(last.x, last.y, next.x, next.y, &probe, tol);
      if (c >= 0.0f) {
        float v = lastT + c * (t - lastT);
        float found = NearestParameter(point->x, point->y, v - 0.05f, v + 0.05f);
        PointAt(found, point);
        return found;
      }
    }
    if (k == n) break;
    last = next;
    lastT = t;
  }
  return -1.0f;
}

void CBezier::TangentDeviations(float* start, float* end) const {
  // A control on its end point gives no direction; the next distinct point does.
  const FPOINT* from = &p[1];
  if (SamePoint(*from, p[0])) from = SamePoint(p[2], p[0]) ? &p[3] : &p[2];
  const FPOINT* to = &p[2];
  if (SamePoint(*to, p[3])) to = SamePoint(p[1], p[3]) ? &p[0] : &p[1];
  float chord = DirectionAngle(p[0], p[3]);
  *start = FoldAngle(DirectionAngle(p[0], *from) - chord);
  *end = FoldAngle(DirectionAngle(*to, p[3]) - chord);
}

CString CBezier::FlattenToText() const { return FlattenToText(0); }

CString CBezier::FlattenToText(int depth) const {
  if (IsPoint()) return CString();
  float bulge;
  if (SamePoint(p[0], p[3])) {
    bulge = std::max(Distance(p[0].x, p[0].y, p[1].x, p[1].y),
                     Distance(p[0].x, p[0].y, p[2].x, p[2].y));
  } else {
    bulge = std::max(PointLineDistance(p[0].x, p[0].y, p[3].x, p[3].y, p[1].x, p[1].y),
                     PointLineDistance(p[0].x, p[0].y, p[3].x, p[3].y, p[2].x, p[2].y));
  }
  if (depth <= kMaxTextDepth && bulge > 1.0f) {
    float ds, de;
    TangentDeviations(&ds, &de);
    float t = std::fabs(ds - de) < kOneDegree ? 0.5f : (ds > de ? 0.3333f : 0.6666f);
    CBezier first, second;
    Split(&first, &second, t);
    CString head = first.FlattenToText(depth + 1), tail = second.FlattenToText(depth + 1);
    if (head.IsEmpty()) return tail;
    if (tail.IsEmpty()) return head;
    return head + "," + tail;
  }
  CString text;
  text.Format("%ld,%ld", TruncateToLong(p[3].x), TruncateToLong(p[3].y));
  return text;
}

int CBezier::ClipToBox(float x1, float y1, float x2, float y2, CArray<FPOINT>* pieces) {
  CFRect clip(x1, y1, x2, y2);
  clip.Normalize();
  ComputeBox();
  if (!IntersectBoxes(nullptr, minX, minY, maxX, maxY, clip.left, clip.top, clip.right,
                      clip.bottom))
    return 0;
  CArray<float> cuts;
  cuts.Add(0.0f);
  cuts.Add(1.0f);
  const float edges[4] = {clip.left, clip.right, clip.top, clip.bottom};
  for (int e = 0; e < 4; ++e) {
    bool vertical = e < 2;
    float lo = vertical ? minX : minY, hi = vertical ? maxX : maxY;
    if (!(edges[e] > lo && edges[e] < hi)) continue;
    CArray<float> roots;
    SolveBezierCoordinate(vertical ? 1.0f : 0.0f, vertical ? 0.0f : 1.0f, edges[e], *this, &roots);
    for (INT_PTR i = 0; i < roots.GetSize(); ++i) InsertParameter(&cuts, roots[i]);
  }
  for (INT_PTR i = 0; i + 1 < cuts.GetSize(); ++i) {
    FPOINT mid;
    PointAt((cuts[i] + cuts[i + 1]) / 2.0f, &mid);
    if (!PointInBox(mid.x, mid.y, clip.left, clip.top, clip.right, clip.bottom)) continue;
    FPOINT piece[4];
    SubSegment(cuts[i], cuts[i + 1], piece);
    for (const FPOINT& q : piece) pieces->Add(q);
  }
  FPOINT marker = {kClipEndMarker, kClipEndMarker};
  pieces->Add(marker);
  return 1;
}

int SolveBezierCoordinate(float wx, float wy, float target, const CBezier& piece,
                          CArray<float>* roots) {
  double q[4];
  for (int i = 0; i < 4; ++i)
    q[i] = static_cast<double>(wx) * piece.p[i].x + static_cast<double>(wy) * piece.p[i].y;
  Cubic f = {q[3] - 3.0 * q[2] + 3.0 * q[1] - q[0], 3.0 * (q[2] - 2.0 * q[1] + q[0]),
             3.0 * (q[1] - q[0]), q[0] - target};
  // A coordinate that stays on the target has no separate roots.
  if (f.c3 == 0.0 && f.c2 == 0.0 && f.c1 == 0.0) return 0;
  const int kSteps = 10000;
  int found = 0;
  double f0 = f.At(0.0);
  for (int i = 0; i < kSteps; ++i) {
    double t0 = static_cast<double>(i) / kSteps, t1 = static_cast<double>(i + 1) / kSteps;
    double f1 = f.At(t1);
    if (f0 == 0.0) {
      roots->Add(static_cast<float>(t0));
      ++found;
    } else if (f1 != 0.0 && (f0 < 0.0) != (f1 < 0.0)) {
      roots->Add(static_cast<float>(Refine(f, t0, t1, f0)));
      ++found;
    }
    f0 = f1;
  }
  if (f0 == 0.0) {
    roots->Add(1.0f);
    ++found;
  }
  return found;
}

void InsertSortedFloat(float* values, float value, int count) {
  int i = 0;
  while (i < count && values[i] < value) ++i;
  if (i == count) return;
  for (int j = count; j > i; --j) values[j] = values[j - 1];
  values[i] = value;
}

void CBezier::Draw(CDC* dc) const {
  POINT points[4];
  for (int i = 0; i < 4; ++i) points[i] = {TruncateToLong(p[i].x), TruncateToLong(p[i].y)};
  dc->PolyBezier(points, 4);
}
