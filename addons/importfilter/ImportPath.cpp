#include "addons/importfilter/ImportPath.h"

#include "model/geometry/PointRecord.h"

namespace {

unsigned g_lastGeneration = 0;

const BYTE kStartFlags = kPointStart | kPointOnCurve;
const BYTE kCloseFlags = kPointClose | kPointOnCurve;

bool SamePlace(const ImportPathPoint& p, const ImportPathPoint& q) {
  return p.x == q.x && p.y == q.y;
}

// Appends one sub-path as a curve takes it; nothing when all its points lie on its start.
void AppendFinished(const ImportPathPoint* first, size_t count, bool closeOpen,
                    std::vector<ImportPathPoint>* out) {
  bool hasLength = false;
  for (size_t i = 1; i < count && !hasLength; ++i) hasLength = !SamePlace(first[i], first[0]);
  if (!hasLength) return;
  const size_t begin = out->size();
  out->insert(out->end(), first, first + count);
  ImportPathPoint& last = out->back();
  if (SubpathBitsOf(last.flags) & kPointClose) return;
  if (!closeOpen) {
    last.flags |= kPointOpenEnd;
  } else if (SamePlace(last, (*out)[begin]) && IsOnCurvePoint(last.flags) &&
             out->size() > begin + 1) {
    last.flags = kCloseFlags;
  } else {
    out->push_back({first[0].x, first[0].y, kCloseFlags});
  }
}

}  // namespace

void CImportPath::Touch() { m_generation = ++g_lastGeneration; }

bool CImportPath::Add(double x, double y, BYTE flags) {
  if (m_points.size() >= kMaxPoints) {
    m_overflowed = true;
    return false;
  }
  m_points.push_back({x, y, flags});
  return true;
}

void CImportPath::MoveTo(double x, double y) {
  Touch();
  if (m_state == kOpen && m_points.size() == m_start + 1) {
    m_points.back().x = x;
    m_points.back().y = y;
    return;
  }
  m_start = m_points.size();
  // A full path has no current point: its start would lie past its end.
  m_state = Add(x, y, kStartFlags) ? kOpen : kNoPoint;
}

ImportPoint2 CImportPath::CurrentPoint() const {
  if (m_state == kNoPoint || m_points.empty()) return {0, 0};
  const ImportPathPoint& at = m_state == kClosed ? m_points[m_start] : m_points.back();
  return {at.x, at.y};
}

void CImportPath::ReopenAfterClose() {
  if (m_state != kClosed) return;
  const ImportPathPoint start = m_points[m_start];
  m_start = m_points.size();
  m_state = Add(start.x, start.y, kStartFlags) ? kOpen : kNoPoint;
}

bool CImportPath::LineTo(double x, double y) {
  if (m_state == kNoPoint) return false;
  Touch();
  ReopenAfterClose();
  Add(x, y, kPointOnCurve);
  return true;
}

bool CImportPath::CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (m_state == kNoPoint) return false;
  Touch();
  ReopenAfterClose();
  if (m_points.size() + 3 > kMaxPoints) {
    m_overflowed = true;
    return true;
  }
  Add(x1, y1, 0);
  Add(x2, y2, 0);
  Add(x3, y3, kPointOnCurve);
  return true;
}

void CImportPath::Close() {
  if (m_state != kOpen) return;
  Touch();
  const ImportPathPoint start = m_points[m_start];
  ImportPathPoint& last = m_points.back();
  if (m_points.size() > m_start + 1 && SamePlace(last, start) && IsOnCurvePoint(last.flags))
    last.flags = kCloseFlags;
  else if (m_points.size() > m_start + 1)
    Add(start.x, start.y, kCloseFlags);
  m_state = kClosed;
}

void CImportPath::Clear() {
  Touch();
  m_points.clear();
  m_start = 0;
  m_state = kNoPoint;
  m_overflowed = false;
}

std::vector<ImportPathPoint> CImportPath::Finished(bool closeOpen) const {
  std::vector<ImportPathPoint> out;
  out.reserve(m_points.size() + 8);
  size_t begin = 0;
  for (size_t i = 1; i <= m_points.size(); ++i) {
    if (i < m_points.size() && !IsSubpathStart(m_points[i].flags)) continue;
    AppendFinished(&m_points[begin], i - begin, closeOpen, &out);
    begin = i;
  }
  return out;
}
