#include "model/geometry/SegmentWalker.h"

#include "model/geometry/Bezier.h"
#include "model/geometry/Geometry.h"

CSegmentWalker::CSegmentWalker(const CMatrix2D* matrix)
    : m_matrix(matrix), m_points(), m_records(), m_controls(0), m_haveNode(false) {}

FPOINT CSegmentWalker::Mapped(const POINTREC& record) const {
  FPOINT p = {record.x, record.y};
  if (m_matrix) m_matrix->TransformPoint(&p);
  return p;
}

CSegmentWalker::Kind CSegmentWalker::Step(const POINTREC& record) {
  if (record.flags == kPointEnd) return kEnd;
  if (IsSpecialPoint(record.flags)) return kSpecial;
  FPOINT p = Mapped(record);
  if (IsControlPoint(record.flags)) {
    // Only a pair of controls makes a curve; the first two are kept to say which.
    if (m_controls < 2) {
      m_points[1 + m_controls] = p;
      m_records[1 + m_controls] = record;
    }
    ++m_controls;
    return kControl;
  }
  // The node stepped last starts the segment that this node ends.
  m_points[0] = m_points[3];
  m_records[0] = m_records[3];
  m_points[3] = p;
  m_records[3] = record;
  Kind kind = kLine;
  if (!m_haveNode || IsSubpathStart(record.flags)) {
    kind = kMove;
    m_points[0] = p;
    m_records[0] = record;
  } else if (m_controls == 2) {
    kind = kBezier;
  }
  if (kind != kBezier) {
    m_points[1] = m_points[0];
    m_points[2] = m_points[3];
    m_records[1] = m_records[0];
    m_records[2] = m_records[3];
  }
  m_haveNode = true;
  m_controls = 0;
  return kind;
}

bool CSegmentWalker::SegmentHit(Kind kind, float x, float y, float tolerance) const {
  FPOINT probe = {x, y};
  const FPOINT* p = m_points;
  if (kind == kLine)
    return SegmentHitTest(p[0].x, p[0].y, p[3].x, p[3].y, &probe, tolerance) >= 0.0f;
  if (kind == kBezier) return CBezier(p).HitTest(&probe, tolerance) >= 0.0f;
  return false;
}
