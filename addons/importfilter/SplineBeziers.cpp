#include "addons/importfilter/SplineBeziers.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines a piece is followed by, at the fewest.
const int kFewestLines = 4;

// A control point in homogeneous form: (w x, w y, w).
struct Weighted {
  double x, y, w;
};

Weighted Mix(const Weighted& p, const Weighted& q, double t) {
  return {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t, p.w + (q.w - p.w) * t};
}

// The blossom of the span's polynomial at the parameters t[0..p-1], from the span's control
// points (de Boor's scheme with a parameter of its own at each level). The span runs from knot i
// to knot i + 1.
Weighted Blossom(const std::vector<Weighted>& P, const std::vector<double>& U, int p, int i,
                 const double* t) {
  Weighted d[CSplineBeziers::kHighestDegree + 1];
  for (int j = 0; j <= p; ++j) d[j] = P[i - p + j];
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      const int at = i - p + j;
      const double span = U[at + p + 1 - r] - U[at];
      const double alpha = span > 0 ? (t[r - 1] - U[at]) / span : 0.0;
      d[j] = Mix(d[j - 1], d[j], alpha);
    }
  }
  return d[p];
}

ImportPoint2 Cartesian(const Weighted& p) { return {p.x / p.w, p.y / p.w}; }

// A point of the rational Bezier piece by de Casteljau.
ImportPoint2 PieceAt(const std::vector<Weighted>& piece, double t) {
  Weighted level[CSplineBeziers::kHighestDegree + 1];
  std::copy(piece.begin(), piece.end(), level);
  for (size_t top = piece.size() - 1; top > 0; --top)
    for (size_t i = 0; i < top; ++i) level[i] = Mix(level[i], level[i + 1], t);
  return Cartesian(level[0]);
}

// The path can keep no more of the spline.
bool Full(const CImportPath* path, size_t mostPoints) {
  return path->Overflowed() || path->Size() > mostPoints;
}

void LineTo(CImportPath* path, const ImportMatrix& m, ImportPoint2 p) {
  ImportPoint2 at = m.Map(p.x, p.y);
  path->LineTo(at.x, at.y);
}

void CurveTo(CImportPath* path, const ImportMatrix& m, ImportPoint2 c1, ImportPoint2 c2,
             ImportPoint2 p) {
  ImportPoint2 a = m.Map(c1.x, c1.y), b = m.Map(c2.x, c2.y), e = m.Map(p.x, p.y);
  path->CurveTo(a.x, a.y, b.x, b.y, e.x, e.y);
}

void Begin(CImportPath* path, const ImportMatrix& m, ImportPoint2 p) {
  ImportPoint2 at = m.Map(p.x, p.y);
  if (path->HasCurrentPoint()) {
    ImportPoint2 current = path->CurrentPoint();
    if (std::fabs(current.x - at.x) <= 1e-9 && std::fabs(current.y - at.y) <= 1e-9) return;
  }
  path->MoveTo(at.x, at.y);
}

void AppendPiece(CImportPath* path, const std::vector<Weighted>& piece, bool rational,
                 const ImportMatrix& m, size_t mostPoints) {
  const int degree = static_cast<int>(piece.size()) - 1;
  if (!rational && degree == 1) {
    LineTo(path, m, Cartesian(piece[1]));
  } else if (!rational && degree == 2) {
    ImportPoint2 p0 = Cartesian(piece[0]), p1 = Cartesian(piece[1]), p2 = Cartesian(piece[2]);
    CurveTo(path, m, {p0.x + (p1.x - p0.x) * 2 / 3, p0.y + (p1.y - p0.y) * 2 / 3},
            {p2.x + (p1.x - p2.x) * 2 / 3, p2.y + (p1.y - p2.y) * 2 / 3}, p2);
  } else if (!rational && degree == 3) {
    CurveTo(path, m, Cartesian(piece[1]), Cartesian(piece[2]), Cartesian(piece[3]));
  } else {
    double length = 0;
    for (int i = 0; i < degree; ++i) {
      ImportPoint2 a = Cartesian(piece[i]), b = Cartesian(piece[i + 1]);
      ImportPoint2 d = m.MapDelta(b.x - a.x, b.y - a.y);
      length += std::hypot(d.x, d.y);
    }
    const double wanted = std::ceil(length * CSplineBeziers::kLinesPerMillimetre);
    const int lines = static_cast<int>(std::min(1024.0, std::max<double>(kFewestLines, wanted)));
    for (int i = 1; i <= lines && !Full(path, mostPoints); ++i)
      LineTo(path, m, PieceAt(piece, static_cast<double>(i) / lines));
  }
}

// The data makes a spline (see Append), rational when its weights differ.
bool IsSpline(int degree, const std::vector<double>& knots,
              const std::vector<ImportPoint2>& controls, const std::vector<double>& weights,
              bool* rational) {
  const size_t count = controls.size();
  if (degree < 1 || degree > CSplineBeziers::kHighestDegree ||
      count < static_cast<size_t>(degree) + 1 || count > CSplineBeziers::kMostControlPoints ||
      knots.size() != count + degree + 1)
    return false;
  if (!weights.empty() && weights.size() != count) return false;
  for (size_t i = 0; i < knots.size(); ++i)
    if (!std::isfinite(knots[i]) || (i > 0 && knots[i] < knots[i - 1])) return false;
  *rational = false;
  for (size_t i = 0; i < count; ++i) {
    const double w = weights.empty() ? 1.0 : weights[i];
    if (!(w > 0) || !std::isfinite(w) || !std::isfinite(controls[i].x) ||
        !std::isfinite(controls[i].y))
      return false;
    *rational = *rational || w != (weights.empty() ? 1.0 : weights[0]);
  }
  return knots[degree] < knots[count];
}

bool IsCurveThrough(const std::vector<ImportPoint2>& points) {
  if (points.size() < 2 || points.size() > CSplineBeziers::kMostControlPoints) return false;
  for (const ImportPoint2& p : points)
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
  return true;
}

}  // namespace

size_t CSplineBeziers::Points(int degree, const std::vector<double>& knots,
                              const std::vector<ImportPoint2>& controls,
                              const std::vector<double>& weights) {
  bool rational = false;
  if (!IsSpline(degree, knots, controls, weights, &rational)) return 0;
  size_t pieces = 0;
  for (size_t i = degree; i < controls.size(); ++i) pieces += knots[i] < knots[i + 1];
  const size_t perPiece = rational || degree > 3 ? kFewestLines : degree == 1 ? 1 : 3;
  return 1 + pieces * perPiece;
}

size_t CSplineBeziers::PointsThrough(const std::vector<ImportPoint2>& points) {
  return IsCurveThrough(points) ? 1 + 3 * (points.size() - 1) : 0;
}

bool CSplineBeziers::Append(CImportPath* path, int degree, const std::vector<double>& knots,
                            const std::vector<ImportPoint2>& controls,
                            const std::vector<double>& weights, const ImportMatrix& matrix,
                            size_t mostPoints) {
  bool rational = false;
  if (!IsSpline(degree, knots, controls, weights, &rational)) return false;
  const size_t count = controls.size();
  std::vector<Weighted> points(count);
  for (size_t i = 0; i < count; ++i) {
    const double w = weights.empty() ? 1.0 : weights[i];
    points[i] = {controls[i].x * w, controls[i].y * w, w};
  }

  // Each span of the parameter range is one Bezier piece; its control points are the blossom
  // at the span's two knots, the far one taken k times for the k-th point.
  bool begun = false;
  std::vector<Weighted> piece(degree + 1);
  double t[kHighestDegree];
  for (int i = degree; i < static_cast<int>(count) && !(begun && Full(path, mostPoints)); ++i) {
    const double a = knots[i], b = knots[i + 1];
    if (!(a < b)) continue;
    for (int k = 0; k <= degree; ++k) {
      for (int r = 0; r < degree; ++r) t[r] = r < degree - k ? a : b;
      piece[k] = Blossom(points, knots, degree, i, t);
    }
    if (!begun) {
      Begin(path, matrix, Cartesian(piece[0]));
      begun = true;
    }
    AppendPiece(path, piece, rational, matrix, mostPoints);
  }
  return begun;
}

bool CSplineBeziers::AppendThrough(CImportPath* path, const std::vector<ImportPoint2>& points,
                                   ImportPoint2 startTangent, ImportPoint2 endTangent,
                                   const ImportMatrix& matrix, size_t mostPoints) {
  if (!IsCurveThrough(points)) return false;
  const size_t n = points.size();
  // The direction at each point, a third of which is laid off to each side of it.
  auto tangent = [&](size_t i) -> ImportPoint2 {
    const ImportPoint2& given = i == 0 ? startTangent : endTangent;
    const bool end = i == 0 || i == n - 1;
    if (end && (given.x != 0 || given.y != 0) && std::isfinite(given.x) && std::isfinite(given.y)) {
      const double length = std::hypot(given.x, given.y);
      const size_t other = i == 0 ? 1 : n - 2;
      const double chord = std::hypot(points[other].x - points[i].x, points[other].y - points[i].y);
      return {given.x / length * chord, given.y / length * chord};
    }
    const ImportPoint2& before = points[i == 0 ? 0 : i - 1];
    const ImportPoint2& after = points[i == n - 1 ? n - 1 : i + 1];
    const double scale = end ? 1.0 : 0.5;
    return {(after.x - before.x) * scale, (after.y - before.y) * scale};
  };
  Begin(path, matrix, points[0]);
  for (size_t i = 0; i + 1 < n && !Full(path, mostPoints); ++i) {
    ImportPoint2 t0 = tangent(i), t1 = tangent(i + 1);
    CurveTo(path, matrix, {points[i].x + t0.x / 3, points[i].y + t0.y / 3},
            {points[i + 1].x - t1.x / 3, points[i + 1].y - t1.y / 3}, points[i + 1]);
  }
  return true;
}
