#include "addons/transform/OutlineFlattener.h"

#include <cmath>
#include <memory>

#include "addons/transform/SteadyMath.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/geometry/PointRecord.h"

const double COutlineFlattener::kTolerance = 0.005;

namespace {

const DWORD kEveryColour = 0xFFFFFFFF;
// Halving a cubic piece this often leaves pieces far below any tolerance worth asking for.
const int kMaxSplitDepth = 18;
// Coordinates beyond this (10 km) or not finite come only from damaged records; they are left out
// so that the geometry never sees them.
const double kLargestCoordinate = 1e7;

bool IsUsable(const FPOINT& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) < kLargestCoordinate &&
         std::fabs(p.y) < kLargestCoordinate;
}

double DistanceToChord(const OutlinePoint& p, const OutlinePoint& a, const OutlinePoint& b) {
  double dx = b.x() - a.x(), dy = b.y() - a.y();
  double length = CSteadyMath::Hypot(dx, dy);
  if (length < 1e-12) return CSteadyMath::Hypot(p.x() - a.x(), p.y() - a.y());
  return std::fabs((p.x() - a.x()) * dy - (p.y() - a.y()) * dx) / length;
}

OutlinePoint Middle(const OutlinePoint& a, const OutlinePoint& b) {
  return OutlinePoint((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
}

// Appends the piece's points after its start, splitting it in halves until both controls lie
// within the tolerance of the chord (the curve then does too).
void FlattenBezier(const OutlinePoint& p0, const OutlinePoint& p1, const OutlinePoint& p2,
                   const OutlinePoint& p3, int depth, std::vector<OutlinePoint>* out) {
  if (depth >= kMaxSplitDepth ||
      std::max(DistanceToChord(p1, p0, p3), DistanceToChord(p2, p0, p3)) <=
          COutlineFlattener::kTolerance) {
    out->push_back(p3);
    return;
  }
  OutlinePoint a = Middle(p0, p1), b = Middle(p1, p2), c = Middle(p2, p3);
  OutlinePoint d = Middle(a, b), e = Middle(b, c);
  OutlinePoint m = Middle(d, e);
  FlattenBezier(p0, a, d, m, depth + 1, out);
  FlattenBezier(m, e, c, p3, depth + 1, out);
}

bool SamePoint(const OutlinePoint& a, const OutlinePoint& b) {
  return a.x() == b.x() && a.y() == b.y();
}

// Whether all the points lie on one straight line (a figure eight with equal lobes has no signed
// area either, but it does cover some).
bool OnOneLine(const std::vector<OutlinePoint>& points) {
  const OutlinePoint& a = points.front();
  size_t farIndex = 0;
  double farthest = 0;
  for (size_t i = 1; i < points.size(); ++i) {
    double d = CSteadyMath::Hypot(points[i].x() - a.x(), points[i].y() - a.y());
    if (d > farthest) {
      farthest = d;
      farIndex = i;
    }
  }
  if (farIndex == 0) return true;
  const OutlinePoint& b = points[farIndex];
  for (const OutlinePoint& p : points)
    if (DistanceToChord(p, a, b) > 1e-9 * farthest) return false;
  return true;
}

// Collects one sub-path at a time and files it as a ring or a line when it ends.
class SubpathCollector {
public:
  explicit SubpathCollector(FlatCurve* curve) : m_curve(curve) {}

  void Start(const OutlinePoint& p) {
    Finish(false);
    m_points.assign(1, p);
  }
  void LineTo(const OutlinePoint& p) {
    if (m_points.empty())
      m_points.push_back(p);
    else if (!SamePoint(m_points.back(), p))
      m_points.push_back(p);
  }
  void BezierTo(const OutlinePoint& c1, const OutlinePoint& c2, const OutlinePoint& p) {
    if (m_points.empty()) m_points.push_back(p);
    FlattenBezier(m_points.back(), c1, c2, p, 0, &m_points);
  }
  bool HasPoints() const { return !m_points.empty(); }

  // closed: the sub-path was marked closed; one that comes back to its start counts as closed.
  void Finish(bool closed) {
    if (m_points.size() >= 2 && SamePoint(m_points.front(), m_points.back())) {
      closed = true;
      m_points.pop_back();
    }
    if (closed && m_points.size() >= 3) {
      OutlinePolygon ring;
      ring.outer().assign(m_points.begin(), m_points.end());
      bg::correct(ring);
      if (!OnOneLine(m_points)) {
        m_curve->rings.push_back(ring);
        m_points.clear();
        return;
      }
      // A closed outline with no area (its points on one line) still cuts: it goes on as a line.
    }
    if (m_points.size() >= 2) {
      if (closed) m_points.push_back(m_points.front());
      m_curve->lines.push_back(OutlineLine(m_points.begin(), m_points.end()));
    }
    m_points.clear();
  }

private:
  FlatCurve* m_curve;
  std::vector<OutlinePoint> m_points;
};

}  // namespace

std::vector<FlatCurve> COutlineFlattener::Flatten(CBlock* block) {
  std::vector<FlatCurve> curves;
  if (!block) return curves;
  std::unique_ptr<CBlock> converted(block->ToCurve(kEveryColour));
  Collect(converted.get(), nullptr, &curves);
  return curves;
}

void COutlineFlattener::Collect(CBlock* block, const CMatrix2D* outer,
                                std::vector<FlatCurve>* curves) {
  if (!block) return;
  if (block->m_type == kCurveBlock) {
    curves->push_back(FlattenCurve(*static_cast<CCurveBlock*>(block), outer));
  } else if (block->m_type == kGroupBlock) {
    CGroupBlock* group = static_cast<CGroupBlock*>(block);
    CMatrix2D inner = group->m_matrix;
    if (outer) inner.Multiply(*outer);
    for (INT_PTR i = 0; i < group->GetChildCount(); ++i)
      Collect(group->GetChild(i), &inner, curves);
  }
}

FlatCurve COutlineFlattener::FlattenCurve(const CCurveBlock& curve, const CMatrix2D* outer) {
  FlatCurve flat;
  flat.colour = curve.GetColour();
  flat.attributes = curve.m_attributes;
  CMatrix2D matrix = curve.m_matrix;
  if (outer) matrix.Multiply(*outer);
  SubpathCollector collector(&flat);
  OutlinePoint controls[2];
  int controlCount = 0;
  for (const POINTREC& record : curve.GetPoints()) {
    if (record.flags == kPointEnd) break;
    if (IsSpecialPoint(record.flags)) continue;
    FPOINT mapped = {record.x, record.y};
    matrix.TransformPoint(&mapped);
    if (!IsUsable(mapped)) continue;
    OutlinePoint p(mapped.x, mapped.y);
    if (IsControlPoint(record.flags)) {
      if (controlCount < 2) controls[controlCount] = p;
      ++controlCount;
      continue;
    }
    if (IsSubpathStart(record.flags) || !collector.HasPoints())
      collector.Start(p);
    else if (controlCount == 2)
      collector.BezierTo(controls[0], controls[1], p);
    else
      collector.LineTo(p);
    controlCount = 0;
    if (IsSubpathEnd(record.flags)) collector.Finish((record.flags & kPointClose) != 0);
  }
  collector.Finish(false);
  return flat;
}
