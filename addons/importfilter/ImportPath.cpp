#include "addons/importfilter/ImportPath.h"

#include <algorithm>

#include "model/geometry/PointRecord.h"

namespace {

unsigned g_lastGeneration = 0;

const BYTE kStartFlags = kPointStart | kPointOnCurve;
const BYTE kCloseFlags = kPointClose | kPointOnCurve;

bool SamePlace(const ImportPathPoint& p, const ImportPathPoint& q) {
  return p.x == q.x && p.y == q.y;
}

enum Ending { kLeftOut, kEndMarked, kClosingPointAdded };

// What becomes of a sub-path in a curve: left out when all its points lie on its start; else its
// last point marks its end, or, closed by a fill and ending elsewhere than its start, it gets a
// closing point.
Ending EndingOf(const ImportPathPoint* first, size_t count, bool closeOpen) {
  bool hasLength = false;
  for (size_t i = 1; i < count && !hasLength; ++i) hasLength = !SamePlace(first[i], first[0]);
  if (!hasLength) return kLeftOut;
  const ImportPathPoint& last = first[count - 1];
  if (!closeOpen || (SubpathBitsOf(last.flags) & kPointClose)) return kEndMarked;
  return SamePlace(last, first[0]) && IsOnCurvePoint(last.flags) ? kEndMarked : kClosingPointAdded;
}

// Marks the end of a sub-path whose ending is not kLeftOut; closeOpen closes an open one.
void MarkEnd(ImportPathPoint* first, size_t count, bool closeOpen, Ending ending) {
  ImportPathPoint& last = first[count - 1];
  if (SubpathBitsOf(last.flags) & kPointClose) return;
  if (!closeOpen)
    last.flags |= kPointOpenEnd;
  else if (ending == kEndMarked)
    last.flags = kCloseFlags;
}

// The length of the sub-path that starts at the index.
size_t SubpathLength(const std::vector<ImportPathPoint>& points, size_t begin) {
  size_t end = begin + 1;
  while (end < points.size() && !IsSubpathStart(points[end].flags)) ++end;
  return end - begin;
}

// The points finished as a curve takes them, in place where no sub-path gains a closing point.
void Finish(std::vector<ImportPathPoint>* points, bool closeOpen) {
  std::vector<ImportPathPoint>& from = *points;
  size_t added = 0;
  for (size_t begin = 0, count; begin < from.size(); begin += count) {
    count = SubpathLength(from, begin);
    added += EndingOf(&from[begin], count, closeOpen) == kClosingPointAdded;
  }
  std::vector<ImportPathPoint> grown(added ? from.size() + added : 0);
  std::vector<ImportPathPoint>& out = added ? grown : from;
  size_t kept = 0;
  for (size_t begin = 0, count; begin < from.size(); begin += count) {
    count = SubpathLength(from, begin);
    const Ending ending = EndingOf(&from[begin], count, closeOpen);
    if (ending == kLeftOut) continue;
    MarkEnd(&from[begin], count, closeOpen, ending);
    if (added || kept != begin)  // never onto itself
      std::copy(from.begin() + begin, from.begin() + begin + count, out.begin() + kept);
    kept += count;
    if (ending == kClosingPointAdded) out[kept++] = {from[begin].x, from[begin].y, kCloseFlags};
  }
  out.resize(kept);
  if (added) from.swap(grown);
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
  std::vector<ImportPathPoint> points(m_points);
  Finish(&points, closeOpen);
  return points;
}

std::vector<ImportPathPoint> CImportPath::TakeFinished(bool closeOpen) {
  std::vector<ImportPathPoint> points;
  points.swap(m_points);
  Clear();
  Finish(&points, closeOpen);
  return points;
}
