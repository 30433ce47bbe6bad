#include "model/geometry/ContourShapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/geometry/Bezier.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/SegmentWalker.h"

namespace {

const float kCircleFactor = 0.553f;
const double kQuarterTurn = 1.5707963;
const double kQuarterModulus = 1.570796251296997;
const double kQuartersPerRadian = 0.6366197832271441;
// Angles closer than this count as reached; no sliver pieces are made from rounding.
const double kAngleEpsilon = 0.00001;

FPOINT Pt(float x, float y) {
  FPOINT p = {x, y};
  return p;
}

void AppendAt(CContour* contour, const FPOINT& p, BYTE flags) {
  contour->AppendPoint(MakePointRecord(p.x, p.y, flags));
}

// Quarter q of the box's ellipse, counter-clockwise from angle q * pi / 2.
CBezier QuarterOfEllipse(int q, float x1, float y1, float x2, float y2) {
  float cx = (x1 + x2) / 2.0f, cy = (y1 + y2) / 2.0f;
  float kx = kCircleFactor * (x2 - x1) / 2.0f, ky = kCircleFactor * (y2 - y1) / 2.0f;
  switch (q) {
    case 0:
      return CBezier(Pt(x2, cy), Pt(x2, cy - ky), Pt(cx + kx, y1), Pt(cx, y1));
    case 1:
      return CBezier(Pt(cx, y1), Pt(cx - kx, y1), Pt(x1, cy - ky), Pt(x1, cy));
    case 2:
      return CBezier(Pt(x1, cy), Pt(x1, cy + ky), Pt(cx - kx, y2), Pt(cx, y2));
    default:
      return CBezier(Pt(cx, y2), Pt(cx + kx, y2), Pt(x2, cy + ky), Pt(x2, cy));
  }
}

FPOINT PointOnEllipse(double angle, float x1, float y1, float x2, float y2) {
  double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0, rx = (x2 - x1) / 2.0, ry = (y2 - y1) / 2.0;
  return Pt(static_cast<float>(cx + rx * std::cos(angle)),
            static_cast<float>(cy - ry * std::sin(angle)));
}

FPOINT Blend(const FPOINT& a, const FPOINT& b, float t) {
  return Pt(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y));
}

bool SamePoint(const FPOINT& a, const FPOINT& b) { return a.x == b.x && a.y == b.y; }

// The records of a rectangle with rounded corners, the longest walk built here.
const size_t kRoundedRectPoints = 17;

// Builds a closed outline point by point. Points of a zero-length edge are dropped, and a walk that
// ends on its start closes there instead of repeating it.
class CClosedWalk {
public:
  explicit CClosedWalk(const FPOINT& start) : m_start(start), m_last(start) {
    m_points.reserve(kRoundedRectPoints);
    m_points.push_back(MakePointRecord(start.x, start.y, kPointStart | kPointOnCurve));
  }

  void LineTo(const FPOINT& p) {
    if (SamePoint(p, m_last)) return;
    Put(p, kPointOnCurve);
  }
  // A corner piece from the current point to p whose controls lie k of the way toward the corner.
  void CornerTo(const FPOINT& corner, const FPOINT& p) {
    Put(Blend(m_last, corner, kCircleFactor), 0);
    Put(Blend(p, corner, kCircleFactor), 0);
    Put(p, kPointOnCurve);
  }
  // Closes the walk and appends it, mapped by the matrix when one is given, to a new contour.
  CContour* Finish(const CMatrix2D* matrix) {
    if (m_points.size() > 1 && SamePoint(m_last, m_start))
      m_points.back().flags = kPointClose | kPointOnCurve;
    else
      Put(m_start, kPointClose | kPointOnCurve);
    CContour* contour = new CContour;
    for (POINTREC record : m_points) {
      if (matrix) {
        FPOINT p = {record.x, record.y};
        matrix->TransformPoint(&p);
        record.x = p.x;
        record.y = p.y;
      }
      contour->AppendPoint(record);
    }
    contour->AppendEndMark();
    return contour;
  }

private:
  void Put(const FPOINT& p, BYTE flags) {
    m_points.push_back(MakePointRecord(p.x, p.y, flags));
    m_last = p;
  }

  FPOINT m_start;
  FPOINT m_last;
  std::vector<POINTREC> m_points;
};

// The eight points where the corners of a rounded or cut rectangle meet its edges, clockwise on the
// screen from the top of the left edge, and the four corners.
struct CornerCut {
  FPOINT edge[8];
  FPOINT corner[4];
};

CornerCut CutCorners(float x1, float y1, float x2, float y2, float ratioX, float ratioY) {
  float cx = (x1 + x2) / 2.0f, cy = (y1 + y2) / 2.0f;
  float rx = ratioX * (cx - x1), ry = ratioY * (cy - y1);
  CornerCut cut = {{Pt(x1, y1 + ry), Pt(x1 + rx, y1), Pt(x2 - rx, y1), Pt(x2, y1 + ry),
                    Pt(x2, y2 - ry), Pt(x2 - rx, y2), Pt(x1 + rx, y2), Pt(x1, y2 - ry)},
                   {Pt(x1, y1), Pt(x2, y1), Pt(x2, y2), Pt(x1, y2)}};
  return cut;
}

// The three latest vertices of the polyline being smoothed.
class CSplineWindow {
public:
  explicit CSplineWindow(CContour* out) : m_out(out), m_open(false) {}

  bool IsOpen() const { return m_open; }
  const FPOINT& Last() const { return m_w[2]; }

  void Start(const FPOINT& p) {
    AppendAt(m_out, p, kPointStart | kPointOnCurve);
    m_w[0] = m_w[1] = m_w[2] = p;
    m_open = true;
  }

  // Emits the quadratic piece from W0 to the midpoint of W1 and W2, then moves the window on.
  void Push(const FPOINT& p) {
    FPOINT mid = Blend(m_w[1], m_w[2], 0.5f);
    FPOINT c1 = Blend(m_w[0], m_w[1], 2.0f / 3.0f), c2 = Blend(m_w[1], mid, 1.0f / 3.0f);
    if (!CBezier(m_w[0], c1, c2, mid).IsPoint()) {
      AppendAt(m_out, c1, 0);
      AppendAt(m_out, c2, 0);
      AppendAt(m_out, mid, kPointOnCurve);
    }
    m_w[0] = mid;
    m_w[1] = m_w[2];
    m_w[2] = p;
  }

  // The last quadratic piece, ending on the last vertex.
  void Finish(BYTE endFlags) {
    AppendAt(m_out, Blend(m_w[0], m_w[1], 2.0f / 3.0f), 0);
    AppendAt(m_out, Blend(m_w[1], m_w[2], 1.0f / 3.0f), 0);
    AppendAt(m_out, m_w[2], endFlags);
    m_open = false;
  }

private:
  CContour* m_out;
  FPOINT m_w[3];
  bool m_open;
};

}  // namespace

CContour* ContourFromEllipse(float x1, float y1, float x2, float y2) {
  float cx = (x1 + x2) / 2.0f, cy = (y1 + y2) / 2.0f;
  const float k = kCircleFactor;
  CContour* contour = new CContour;
  const struct {
    float x, y;
    BYTE flags;
  } points[] = {
      // clang-format off
      {x1, cy, 0x11}, {x1, cy + k * (y1 - cy), 0}, {cx + k * (x1 - cx), y1, 0}, {cx, y1, 0x01},
      {cx + k * (x2 - cx), y1, 0}, {x2, cy + k * (y1 - cy), 0}, {x2, cy, 0x01},
      {x2, cy + k * (y2 - cy), 0}, {cx + k * (x2 - cx), y2, 0}, {cx, y2, 0x01},
      {cx + k * (x1 - cx), y2, 0}, {x1, cy + k * (y2 - cy), 0}, {x1, cy, 0x41},
      // clang-format on
  };
  for (const auto& p : points) contour->AppendPoint(MakePointRecord(p.x, p.y, p.flags));
  contour->AppendEndMark();
  return contour;
}

CContour* ContourFromArc(float x1, float y1, float x2, float y2, float a0, float a1) {
  if (!std::isfinite(a0) || !std::isfinite(a1)) return nullptr;
  double from = RaiseToNonNegativeAngle(a0), to = RaiseToNonNegativeAngle(a1);
  if (from > to) to = RaiseAngleToAtLeast(static_cast<float>(to), static_cast<float>(from));
  if (!(from < to)) return nullptr;
  FPOINT first = PointOnEllipse(a0, x1, y1, x2, y2), last = PointOnEllipse(a1, x1, y1, x2, y2);
  // More than a whole turn would cut the same outline twice.
  if (to - from > kFullTurn + kAngleEpsilon) {
    to = from + kFullTurn;
    last = first;
  }
  CContour* contour = new CContour;
  double a = from;
  for (bool firstPiece = true; to - a > kAngleEpsilon; firstPiece = false) {
    int q = static_cast<int>((a + kAngleEpsilon) * kQuartersPerRadian) % 4;
    CBezier piece = QuarterOfEllipse(q, x1, y1, x2, y2);
    double b = a - std::fmod(a, kQuarterModulus) + kQuarterTurn;
    if (std::fabs(b - a) < kAngleEpsilon) b = a + kQuarterTurn;
    CBezier head, tail;
    if (firstPiece) {
      // Where a lies within the quarter that ends at b.
      double s = 1.0 - (b - a) * kQuartersPerRadian;
      if (s > kAngleEpsilon && s < 1.0) {
        piece.Split(&head, &tail, static_cast<float>(s));
        piece = tail;
      }
      AppendAt(contour, first, kPointStart | kPointOnCurve);
    }
    bool lastPiece = b >= to - kAngleEpsilon;
    if (b > to) {
      piece.Split(&head, &tail, static_cast<float>((to - a) / (b - a)));
      piece = head;
    }
    AppendAt(contour, piece.p[1], 0);
    AppendAt(contour, piece.p[2], 0);
    if (lastPiece)
      AppendAt(contour, last, kPointOpenEnd | kPointOnCurve);
    else
      AppendAt(contour, piece.p[3], kPointOnCurve);
    a = b;
  }
  contour->AppendEndMark();
  return contour;
}

CContour* ConvertLinesToCurves(const CContour& lines) {
  const CMatrix2D* matrix = lines.GetMatrix().IsIdentity() ? nullptr : &lines.GetMatrix();
  CContour* curves = new CContour;
  CSplineWindow window(curves);
  FPOINT start = {0.0f, 0.0f};
  CSegmentWalker walker(matrix);
  for (const POINTREC& record : lines.GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    if (kind == CSegmentWalker::kSpecial || kind == CSegmentWalker::kControl) continue;
    const FPOINT* segment = walker.Points();
    FPOINT p = segment[3];
    if (kind == CSegmentWalker::kMove || !window.IsOpen()) {
      if (window.IsOpen()) window.Finish(kPointOpenEnd | kPointOnCurve);
      start = p;
      window.Start(p);
      continue;
    }
    // Every point of a polyline is a vertex, control points included.
    if (kind == CSegmentWalker::kBezier) {
      window.Push(segment[1]);
      window.Push(segment[2]);
    }
    if (walker.ClosesSubpath()) {
      if (!SamePoint(window.Last(), start)) window.Push(start);
      window.Finish(kPointClose | kPointOnCurve);
    } else if (walker.EndsSubpath()) {
      window.Push(p);
      window.Finish(kPointOpenEnd | kPointOnCurve);
    } else {
      window.Push(p);
    }
  }
  if (window.IsOpen()) window.Finish(kPointOpenEnd | kPointOnCurve);
  if (curves->GetCount() == 0) {
    delete curves;
    return nullptr;
  }
  curves->AppendEndMark();
  return curves;
}

CContour* ContourFromRect(float x1, float y1, float x2, float y2, const CMatrix2D* matrix) {
  CFRect r(x1, y1, x2, y2);
  r.Normalize();
  CClosedWalk walk(Pt(r.left, r.top));
  walk.LineTo(Pt(r.right, r.top));
  walk.LineTo(Pt(r.right, r.bottom));
  walk.LineTo(Pt(r.left, r.bottom));
  return walk.Finish(matrix);
}

CContour* ContourFromRoundRect(float x1, float y1, float x2, float y2, float ratioX, float ratioY,
                               const CMatrix2D* matrix) {
  CornerCut cut = CutCorners(x1, y1, x2, y2, ratioX, ratioY);
  CClosedWalk walk(cut.edge[0]);
  for (int corner = 0; corner < 4; ++corner) {
    walk.CornerTo(cut.corner[corner], cut.edge[2 * corner + 1]);
    if (corner < 3) walk.LineTo(cut.edge[2 * corner + 2]);
  }
  return walk.Finish(matrix);
}

CContour* ContourFromChamferRect(float x1, float y1, float x2, float y2, float ratioX, float ratioY,
                                 const CMatrix2D* matrix) {
  CornerCut cut = CutCorners(x1, y1, x2, y2, ratioX, ratioY);
  CClosedWalk walk(cut.edge[0]);
  for (int i = 1; i < 8; ++i) walk.LineTo(cut.edge[i]);
  return walk.Finish(matrix);
}

namespace {

void AppendPolygonOutline(CContour* contour, const RegularPolygonShape& shape, float outer,
                          float inner) {
  bool star = shape.starAngle != 0.0f && inner != outer;
  int corners = std::clamp(shape.corners, kMinPolygonCorners, kMaxPolygonCorners);
  float step = kFullTurn / static_cast<float>(corners);
  float t = shape.startAngle;
  auto at = [&](float angle, float radius) {
    return Pt(shape.cx + std::cos(angle) * radius, shape.cy - std::sin(angle) * radius);
  };
  FPOINT first = at(t, outer);
  for (int i = 0; i < corners; ++i, t += step) {
    AppendAt(contour, at(t, outer), i == 0 ? kPointStart | kPointOnCurve : kPointOnCurve);
    if (star) AppendAt(contour, at(t + shape.starAngle, inner), kPointOnCurve);
  }
  AppendAt(contour, first, kPointClose | kPointOnCurve);
}

}  // namespace

CContour* ContourFromRegularPolygon(const RegularPolygonShape& shape) {
  CContour* contour = new CContour;
  AppendPolygonOutline(contour, shape, shape.outerRadius, shape.innerRadius);
  if (shape.band != 0.0f)
    AppendPolygonOutline(contour, shape, shape.outerRadius - shape.band,
                         shape.innerRadius - shape.band);
  contour->AppendEndMark();
  return contour;
}
