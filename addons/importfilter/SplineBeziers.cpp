#include "addons/importfilter/SplineBeziers.h"

#include <algorithm>
#include <cmath>

namespace {

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

// A point of the rational Bezier piece and its direction there (the derivative), by de
// Casteljau.
struct PieceLocation {
  ImportPoint2 point, direction;
};

PieceLocation PieceAt(const std::vector<Weighted>& piece, double t) {
  Weighted level[CSplineBeziers::kHighestDegree + 1];
  std::copy(piece.begin(), piece.end(), level);
  const size_t degree = piece.size() - 1;
  for (size_t top = degree; top > 1; --top)
    for (size_t i = 0; i < top; ++i) level[i] = Mix(level[i], level[i + 1], t);
  const Weighted at = Mix(level[0], level[1], t);
  const double n = static_cast<double>(degree);
  const Weighted d = {n * (level[1].x - level[0].x), n * (level[1].y - level[0].y),
                      n * (level[1].w - level[0].w)};
  const ImportPoint2 point = Cartesian(at);
  return {point, {(d.x - point.x * d.w) / at.w, (d.y - point.y * d.w) / at.w}};
}

// The cubic from one location of a piece to another a parameter step on.
struct Cubic {
  ImportPoint2 c1, c2, end;
};

Cubic CubicBetween(const PieceLocation& from, const PieceLocation& to, double step) {
  return {{from.point.x + from.direction.x * step / 3, from.point.y + from.direction.y * step / 3},
          {to.point.x - to.direction.x * step / 3, to.point.y - to.direction.y * step / 3},
          to.point};
}

ImportPoint2 CubicAt(ImportPoint2 start, const Cubic& c, double t) {
  const double u = 1 - t, a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
  return {a * start.x + b * c.c1.x + d * c.c2.x + e * c.end.x,
          a * start.y + b * c.c1.y + d * c.c2.y + e * c.end.y};
}

// Hands the cubics that follow the piece in so many parts, each with the point it starts from,
// to visit until it returns false.
template <typename Visit>
void ForEachCubic(const std::vector<Weighted>& piece, int cubics, Visit visit) {
  const double step = 1.0 / cubics;
  PieceLocation from = PieceAt(piece, 0);
  for (int i = 1; i <= cubics; ++i) {
    const PieceLocation to = PieceAt(piece, i == cubics ? 1.0 : i * step);
    if (!visit(i - 1, from.point, CubicBetween(from, to, step))) return;
    from = to;
  }
}

// The farthest the piece's points at a quarter, half and three quarters of each of so many
// parts lie from the cubics that follow it.
double Stray(const std::vector<Weighted>& piece, int cubics) {
  double stray = 0;
  ForEachCubic(piece, cubics, [&](int part, ImportPoint2 start, const Cubic& cubic) {
    for (int quarter = 1; quarter < 4; ++quarter) {
      const ImportPoint2 on = PieceAt(piece, (part + quarter / 4.0) / cubics).point;
      const ImportPoint2 drawn = CubicAt(start, cubic, quarter / 4.0);
      stray = std::max(stray, std::hypot(on.x - drawn.x, on.y - drawn.y));
    }
    return true;
  });
  return stray;
}

// The cubics that follow the piece within the tolerance of its control points' extent. The
// distance shrinks about with the fourth power of a cubic's share of the piece: a few rounds
// settle the count.
int CubicsFor(const std::vector<Weighted>& piece) {
  ImportPoint2 low = Cartesian(piece[0]), high = low;
  for (const Weighted& control : piece) {
    const ImportPoint2 p = Cartesian(control);
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  const double tolerance = CSplineBeziers::kTolerance * std::hypot(high.x - low.x, high.y - low.y);
  int cubics = 1;
  for (int round = 0; round < 4 && cubics < CSplineBeziers::kMostCubics; ++round) {
    const double stray = Stray(piece, cubics);
    if (!(stray > tolerance)) break;
    const double wanted = std::ceil(1.1 * cubics * std::pow(stray / tolerance, 0.25));
    cubics = static_cast<int>(
        std::min<double>(CSplineBeziers::kMostCubics, std::max<double>(cubics + 1, wanted)));
  }
  return cubics;
}

// The points a piece adds to a path.
size_t PiecePoints(const std::vector<Weighted>& piece, bool rational) {
  const size_t degree = piece.size() - 1;
  if (degree == 1) return 1;
  return !rational && degree <= 3 ? 3 : 3 * static_cast<size_t>(CubicsFor(piece));
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
  if (degree == 1) {  // a line, whatever its weights
    LineTo(path, m, Cartesian(piece[1]));
  } else if (!rational && degree == 2) {
    ImportPoint2 p0 = Cartesian(piece[0]), p1 = Cartesian(piece[1]), p2 = Cartesian(piece[2]);
    CurveTo(path, m, {p0.x + (p1.x - p0.x) * 2 / 3, p0.y + (p1.y - p0.y) * 2 / 3},
            {p2.x + (p1.x - p2.x) * 2 / 3, p2.y + (p1.y - p2.y) * 2 / 3}, p2);
  } else if (!rational && degree == 3) {
    CurveTo(path, m, Cartesian(piece[1]), Cartesian(piece[2]), Cartesian(piece[3]));
  } else {
    ForEachCubic(piece, CubicsFor(piece), [&](int, ImportPoint2, const Cubic& cubic) {
      if (Full(path, mostPoints)) return false;
      CurveTo(path, m, cubic.c1, cubic.c2, cubic.end);
      return true;
    });
  }
}

std::vector<Weighted> Homogeneous(const std::vector<ImportPoint2>& controls,
                                  const std::vector<double>& weights) {
  std::vector<Weighted> points(controls.size());
  for (size_t i = 0; i < controls.size(); ++i) {
    const double w = weights.empty() ? 1.0 : weights[i];
    points[i] = {controls[i].x * w, controls[i].y * w, w};
  }
  return points;
}

// Hands the spline's Bezier pieces, one for each span of its parameter range, to visit in turn
// until it returns false. Each piece's control points are the blossom at the span's two knots,
// the far one taken k times for the k-th point.
template <typename Visit>
void ForEachPiece(int degree, const std::vector<double>& knots, const std::vector<Weighted>& points,
                  Visit visit) {
  std::vector<Weighted> piece(degree + 1);
  double t[CSplineBeziers::kHighestDegree];
  for (int i = degree; i < static_cast<int>(points.size()); ++i) {
    const double a = knots[i], b = knots[i + 1];
    if (!(a < b)) continue;
    for (int k = 0; k <= degree; ++k) {
      for (int r = 0; r < degree; ++r) t[r] = r < degree - k ? a : b;
      piece[k] = Blossom(points, knots, degree, i, t);
    }
    if (!visit(piece)) return;
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
                              const std::vector<double>& weights, size_t mostPoints) {
  bool rational = false;
  if (!IsSpline(degree, knots, controls, weights, &rational)) return 0;
  size_t points = 1;
  if (!rational && degree <= 3) {  // pieces of their own points: counted without making them
    for (size_t i = degree; i < controls.size(); ++i)
      points += knots[i] < knots[i + 1] ? (degree == 1 ? 1 : 3) : 0;
    return points;
  }
  ForEachPiece(degree, knots, Homogeneous(controls, weights),
               [&](const std::vector<Weighted>& piece) {
                 points += PiecePoints(piece, rational);
                 return points <= mostPoints;
               });
  return points;
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
  bool begun = false;
  ForEachPiece(degree, knots, Homogeneous(controls, weights),
               [&](const std::vector<Weighted>& piece) {
                 if (begun && Full(path, mostPoints)) return false;
                 if (!begun) Begin(path, matrix, Cartesian(piece[0]));
                 begun = true;
                 AppendPiece(path, piece, rational, matrix, mostPoints);
                 return true;
               });
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
