#include "text/layout/TextPath.h"

#include <algorithm>
#include <cmath>

#include "model/blocks/CurveBlock.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/SegmentWalker.h"

CTextPath::CTextPath(const CCurveBlock& curve, bool reversed) : m_closed(false) {
  const CMatrix2D* matrix = curve.m_matrix.IsIdentity() ? nullptr : &curve.m_matrix;
  CSegmentWalker walker(matrix);
  bool started = false;
  for (const POINTREC& record : curve.GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    if (kind == CSegmentWalker::kSpecial || kind == CSegmentWalker::kControl) continue;
    const FPOINT* p = walker.Points();
    if (kind == CSegmentWalker::kMove) {
      // A second sub-path ends the first.
      if (started) break;
      started = true;
      m_points.clear();
      Add(p[3]);
      continue;
    }
    if (kind == CSegmentWalker::kBezier) {
      CBezier piece(p);
      for (int i = 1; i < kBezierChords; ++i) {
        FPOINT at;
        piece.PointAt(static_cast<float>(i) / kBezierChords, &at);
        Add(at);
      }
    }
    Add(p[3]);
    m_closed = walker.ClosesSubpath();
    if (walker.EndsSubpath()) break;
  }
  if (reversed) std::reverse(m_points.begin(), m_points.end());
  m_distances.resize(m_points.size());
  double walked = 0;
  for (size_t i = 0; i < m_points.size(); ++i) {
    if (i > 0)
      walked += Distance(m_points[i - 1].x, m_points[i - 1].y, m_points[i].x, m_points[i].y);
    m_distances[i] = walked;
  }
}

void CTextPath::Add(const FPOINT& point) { m_points.push_back(point); }

FPOINT CTextPath::PointAt(double distance) const {
  if (m_points.empty()) return {0, 0};
  if (!(distance > 0)) return m_points.front();
  if (distance >= Length()) return m_points.back();
  // The first point beyond the distance; the one before it starts its chord.
  size_t after = std::upper_bound(m_distances.begin(), m_distances.end(), distance) -
                 m_distances.begin();
  const FPOINT& a = m_points[after - 1];
  const FPOINT& b = m_points[after];
  double chord = m_distances[after] - m_distances[after - 1];
  double t = chord > 0 ? (distance - m_distances[after - 1]) / chord : 0;
  return {static_cast<float>(a.x + (b.x - a.x) * t), static_cast<float>(a.y + (b.y - a.y) * t)};
}

float CTextPath::DirectionAt(double distance, double step) const {
  double length = Length();
  if (!(length > 0)) return 0;
  step = std::min(std::max(step, length * 1e-6), length);
  double from = std::max(0.0, std::min(distance, length - step));
  FPOINT a = PointAt(from), b = PointAt(from + step);
  return AngleOf(a.x, a.y, b.x, b.y);
}
