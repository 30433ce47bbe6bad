#include "addons/importfilter/ArcBeziers.h"

#include <cmath>

namespace {

const double kQuarterTurn = 1.57079632679489661923;

ImportPoint2 PointAt(ImportPoint2 c, ImportPoint2 u, ImportPoint2 v, double t) {
  return {c.x + u.x * std::cos(t) + v.x * std::sin(t), c.y + u.y * std::cos(t) + v.y * std::sin(t)};
}

ImportPoint2 TangentAt(ImportPoint2 u, ImportPoint2 v, double t) {
  return {-u.x * std::sin(t) + v.x * std::cos(t), -u.y * std::sin(t) + v.y * std::cos(t)};
}

}  // namespace

int CArcBeziers::Pieces(double sweep) {
  if (!std::isfinite(sweep)) return 0;
  const double count = std::ceil(std::fabs(sweep) / kQuarterTurn - 1e-9);
  if (count > kMostPieces) return 0;
  return count < 1 ? 1 : static_cast<int>(count);
}

bool CArcBeziers::Append(CImportPath* path, ImportPoint2 centre, ImportPoint2 u, ImportPoint2 v,
                         double t0, double t1, const ImportMatrix& matrix) {
  if (Pieces(t1 - t0) == 0 || !std::isfinite(t0)) return false;
  const ImportPoint2 from = PointAt(centre, u, v, t0), to = PointAt(centre, u, v, t1);
  const ImportPoint2 start = matrix.Map(from.x, from.y);
  if (!path->HasCurrentPoint()) {
    path->MoveTo(start.x, start.y);
  } else {
    ImportPoint2 current = path->CurrentPoint();
    if (std::fabs(current.x - start.x) > 1e-9 || std::fabs(current.y - start.y) > 1e-9)
      path->LineTo(start.x, start.y);
  }
  return AppendPieces(path, centre, u, v, t0, t1, matrix, matrix.Map(to.x, to.y));
}

bool CArcBeziers::AppendPieces(CImportPath* path, ImportPoint2 centre, ImportPoint2 u,
                               ImportPoint2 v, double t0, double t1, const ImportMatrix& matrix,
                               ImportPoint2 end) {
  const double sweep = t1 - t0;
  const int pieces = Pieces(sweep);
  if (pieces == 0 || !std::isfinite(t0)) return false;
  const double step = sweep / pieces;
  // The control points lie along the tangents, 4/3 tan(step / 4) of the parameter step away.
  const double k = 4.0 / 3.0 * std::tan(step / 4.0);
  for (int i = 0; i < pieces; ++i) {
    const double a = t0 + step * i;
    const double b = i + 1 == pieces ? t1 : a + step;
    ImportPoint2 p0 = PointAt(centre, u, v, a), p3 = PointAt(centre, u, v, b);
    ImportPoint2 d0 = TangentAt(u, v, a), d3 = TangentAt(u, v, b);
    ImportPoint2 c1 = matrix.Map(p0.x + k * d0.x, p0.y + k * d0.y);
    ImportPoint2 c2 = matrix.Map(p3.x - k * d3.x, p3.y - k * d3.y);
    ImportPoint2 to = i + 1 == pieces ? end : matrix.Map(p3.x, p3.y);
    path->CurveTo(c1.x, c1.y, c2.x, c2.y, to.x, to.y);
  }
  return true;
}
