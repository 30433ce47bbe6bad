#include "model/geometry/NodePath.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "model/geometry/Bezier.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/SegmentWalker.h"

namespace {

// A segment grabbed at its very end cannot bend: the parameter stays this far inside it.
const float kParameterMargin = 0.001f;

// The Shift snap of one coordinate between the neighbours a and b, by thirds of their distance.
float SnapBetween(float mouse, float a, float b) {
  float reach = std::fabs(b - a);
  float from = std::fabs(mouse - a);
  if (from < reach / 3.0f) return a;
  if (from > 2.0f * reach / 3.0f) return b;
  return (a + b) / 2.0f;
}

FPOINT At(const POINTREC& record) { return FPOINT{record.x, record.y}; }

}  // namespace

bool CNodePath::IsNode(int index) const {
  return index >= 0 && index < Size() && IsOnCurvePoint(m_records[index].flags);
}

bool CNodePath::IsControl(int index) const {
  return index >= 0 && index < Size() && IsControlPoint(m_records[index].flags);
}

bool CNodePath::IsSelected(int index) const {
  return IsNode(index) && (m_records[index].flags & kPointSelected);
}

bool CNodePath::IsClosingPoint(int index) const {
  return IsNode(index) && (m_records[index].flags & kPointClose);
}

bool CNodePath::IsOpenExtremity(int index) const {
  Span span;
  if (!IsNode(index) || !SpanOf(index, &span) || span.closed) return false;
  return index == span.start || index == span.end;
}

bool CNodePath::SpanOf(int index, Span* span) const {
  if (index < 0 || index >= Size() || IsSpecialPoint(m_records[index].flags)) return false;
  int start = -1;
  for (int i = index; i >= 0; --i) {
    BYTE flags = m_records[i].flags;
    if (IsSpecialPoint(flags)) continue;
    if (IsSubpathStart(flags)) {
      start = i;
      break;
    }
    // An earlier sub-path ended before the record: it stands outside every sub-path.
    if (i < index && IsSubpathEnd(flags)) return false;
  }
  if (start < 0) return false;
  int end = -1;
  for (int i = std::max(start, index); i < Size(); ++i) {
    if (IsSpecialPoint(m_records[i].flags)) continue;
    if (i > start && IsSubpathStart(m_records[i].flags)) break;
    end = i;
    if (IsSubpathEnd(m_records[i].flags)) break;
  }
  span->start = start;
  span->end = end;
  span->closed = (m_records[end].flags & kPointClose) != 0;
  return true;
}

std::vector<CNodePath::Span> CNodePath::Spans() const {
  std::vector<Span> spans;
  for (int i = 0; i < Size(); ++i) {
    if (!IsSubpathStart(m_records[i].flags)) continue;
    Span span;
    if (!SpanOf(i, &span)) continue;
    spans.push_back(span);
    i = span.end;
  }
  return spans;
}

std::vector<int> CNodePath::NodesOf(const Span& span) const {
  std::vector<int> nodes;
  for (int i = span.start; i <= span.end; ++i)
    if (IsNode(i) && !(span.closed && i == span.end && i != span.start)) nodes.push_back(i);
  return nodes;
}

std::vector<int> CNodePath::SelectedNodes() const {
  std::vector<int> nodes;
  for (int i = 0; i < Size(); ++i)
    if (IsSelected(i) && !IsClosingPoint(i)) nodes.push_back(i);
  return nodes;
}

int CNodePath::NodeBefore(int index) const {
  Span span;
  if (!SpanOf(index, &span)) return -1;
  std::vector<int> nodes = NodesOf(span);
  if (IsClosingPoint(index)) index = span.start;
  auto at = std::find(nodes.begin(), nodes.end(), index);
  if (at == nodes.end()) return -1;
  if (at != nodes.begin()) return *(at - 1);
  return span.closed && nodes.size() > 1 ? nodes.back() : -1;
}

int CNodePath::NodeAfter(int index) const {
  Span span;
  if (!SpanOf(index, &span)) return -1;
  std::vector<int> nodes = NodesOf(span);
  auto at = std::find(nodes.begin(), nodes.end(), index);
  if (at == nodes.end()) return -1;
  if (at + 1 != nodes.end()) return *(at + 1);
  return span.closed && nodes.size() > 1 ? span.end : -1;
}

int CNodePath::ControlBefore(int index) const {
  Span span;
  if (!IsNode(index) || IsClosingPoint(index) || !SpanOf(index, &span)) return -1;
  int node = index;
  if (index == span.start) {
    if (!span.closed) return -1;
    node = span.end;
  }
  return IsControl(node - 1) && IsControl(node - 2) ? node - 1 : -1;
}

int CNodePath::ControlAfter(int index) const {
  Span span;
  if (!IsNode(index) || IsClosingPoint(index) || !SpanOf(index, &span)) return -1;
  if (index == span.end) return -1;
  return IsControl(index + 1) && IsControl(index + 2) ? index + 1 : -1;
}

int CNodePath::HitNode(float x, float y, float tol, int selectedCount, int current,
                       int* kind) const {
  auto within = [&](int i) {
    return i >= 0 && std::fabs(m_records[i].x - x) <= tol && std::fabs(m_records[i].y - y) <= tol;
  };
  *kind = kNoNode;
  if (selectedCount == 1 && IsNode(current)) {
    // The handles of the one selected node lie over everything else: the following segment's
    // controls, then the preceding segment's.
    int after = ControlAfter(current);
    int before = ControlBefore(current);
    const int candidates[4] = {after, after >= 0 ? after + 1 : -1, before >= 0 ? before - 1 : -1,
                               before};
    for (int k = 0; k < 4; ++k) {
      if (candidates[k] < 0 || !within(candidates[k])) continue;
      *kind = k % 2 == 0 ? kControlAfter : kControlBefore;
      return candidates[k];
    }
  }
  for (int i = 0; i < Size(); ++i) {
    BYTE flags = m_records[i].flags;
    if (IsSpecialPoint(flags) || flags == 0 || !within(i)) continue;
    *kind = (flags & kPointSelected) ? kSelectedNode : kUnselectedNode;
    return i;
  }
  return -1;
}

int CNodePath::HitUnselectedNode(float x, float y, float tol) const {
  for (int i = 0; i < Size(); ++i)
    if (IsNode(i) && !IsSelected(i) && std::fabs(m_records[i].x - x) <= tol &&
        std::fabs(m_records[i].y - y) <= tol)
      return i;
  return -1;
}

bool CNodePath::HitSegment(float x, float y, float tol, SegmentHit* hit) const {
  CSegmentWalker walker;
  int subpathStart = 0;
  for (int i = 0; i < Size(); ++i) {
    CSegmentWalker::Kind kind = walker.Step(m_records[i]);
    if (kind == CSegmentWalker::kEnd) break;
    if (kind == CSegmentWalker::kMove) subpathStart = i;
    if (kind != CSegmentWalker::kLine && kind != CSegmentWalker::kBezier) continue;
    FPOINT probe = {x, y};
    const FPOINT* p = walker.Points();
    float t = kind == CSegmentWalker::kLine
                  ? SegmentHitTest(p[0].x, p[0].y, p[3].x, p[3].y, &probe, tol)
                  : CBezier(p).HitTest(&probe, tol);
    if (t < 0.0f) continue;
    hit->kind = kind == CSegmentWalker::kLine ? kLineSegment : kBezierSegment;
    hit->endIndex = i;
    hit->subpathStart = subpathStart;
    hit->t = t;
    hit->point = PointOnSegment(m_records, i, t);
    return true;
  }
  return false;
}

FPOINT CNodePath::PointOnSegment(const std::vector<POINTREC>& records, int endIndex, float t) {
  FPOINT result = {0.0f, 0.0f};
  if (endIndex < 1 || endIndex >= static_cast<int>(records.size())) return result;
  if (endIndex >= 3 && IsControlPoint(records[endIndex - 1].flags) &&
      IsControlPoint(records[endIndex - 2].flags)) {
    CBezier piece(At(records[endIndex - 3]), At(records[endIndex - 2]), At(records[endIndex - 1]),
                  At(records[endIndex]));
    piece.PointAt(t, &result);
    return result;
  }
  const POINTREC& a = records[endIndex - 1];
  const POINTREC& b = records[endIndex];
  return FPOINT{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

void CNodePath::Offset(int index, float dx, float dy) {
  if (index < 0 || index >= Size() || IsSpecialPoint(m_records[index].flags)) return;
  m_records[index].x += dx;
  m_records[index].y += dy;
}

std::vector<int> CNodePath::NodeWithFollowers(int index) const {
  std::vector<int> moved = {index};
  if (ControlBefore(index) >= 0) moved.push_back(ControlBefore(index));
  if (ControlAfter(index) >= 0) moved.push_back(ControlAfter(index));
  Span span;
  if (SpanOf(index, &span) && span.closed && index == span.start && span.end != index)
    moved.push_back(span.end);
  return moved;
}

void CNodePath::MoveSelectedNodes(float dx, float dy, bool snap, FPOINT mouse) {
  std::vector<int> selected = SelectedNodes();
  if (snap && selected.size() == 1 && !IsOpenExtremity(selected[0])) {
    int node = selected[0];
    int a = NodeBefore(node);
    int b = NodeAfter(node);
    if (a >= 0 && b >= 0) {
      const POINTREC& old = m_records[node];
      float x = SnapBetween(mouse.x, m_records[a].x, m_records[b].x);
      float y = SnapBetween(mouse.y, m_records[a].y, m_records[b].y);
      float nodeDx = x - old.x;
      float nodeDy = y - old.y;
      for (int index : NodeWithFollowers(node)) Offset(index, nodeDx, nodeDy);
      // Exactly on the neighbour, not on a sum of float offsets.
      m_records[node].x = x;
      m_records[node].y = y;
      return;
    }
  }
  std::set<int> moved;
  for (int node : selected)
    for (int index : NodeWithFollowers(node)) moved.insert(index);
  for (int index : moved) Offset(index, dx, dy);
}

void CNodePath::MoveControlPoint(int current, float dx, float dy, int which, bool smooth) {
  int control = which == kControlAfter ? ControlAfter(current) : ControlBefore(current);
  if (control < 0) return;
  Offset(control, dx, dy);
  if (!smooth) return;
  int opposite = which == kControlAfter ? ControlBefore(current) : ControlAfter(current);
  if (opposite < 0) return;
  const POINTREC& node = m_records[current];
  float vx = m_records[control].x - node.x;
  float vy = m_records[control].y - node.y;
  float length = std::sqrt(vx * vx + vy * vy);
  if (length == 0.0f) return;
  float keep = Distance(node.x, node.y, m_records[opposite].x, m_records[opposite].y) / length;
  m_records[opposite].x = node.x - vx * keep;
  m_records[opposite].y = node.y - vy * keep;
}

void CNodePath::DragSegment(int endIndex, float t, float dx, float dy) {
  if (!IsNode(endIndex) || endIndex < 1) return;
  if (endIndex >= 3 && IsControl(endIndex - 1) && IsControl(endIndex - 2)) {
    t = std::min(std::max(t, kParameterMargin), 1.0f - kParameterMargin);
    FPOINT p[4] = {At(m_records[endIndex - 3]), At(m_records[endIndex - 2]),
                   At(m_records[endIndex - 1]), At(m_records[endIndex])};
    FPOINT q;
    CBezier(p).PointAt(t, &q);
    float s = 1.0f - t;
    float w0 = s * s * s, w1 = 3 * t * s * s, w2 = 3 * t * t * s, w3 = t * t * t;
    FPOINT p1 = p[1], p2 = p[2];
    if (t < 0.5f) {
      // Bend the far control first, then solve the within one so that Q + d lies on the curve.
      float bx = p[2].x + t * (p[3].x - p[2].x), by = p[2].y + t * (p[3].y - p[2].y);
      p2.x = p[3].x + (bx + t * dx - p[3].x) / s;
      p2.y = p[3].y + (by + t * dy - p[3].y) / s;
      p1.x = (q.x + dx - w0 * p[0].x - w2 * p2.x - w3 * p[3].x) / w1;
      p1.y = (q.y + dy - w0 * p[0].y - w2 * p2.y - w3 * p[3].y) / w1;
    } else {
      float ax = p[0].x + t * (p[1].x - p[0].x), ay = p[0].y + t * (p[1].y - p[0].y);
      p1.x = p[0].x + (ax + s * dx - p[0].x) / t;
      p1.y = p[0].y + (ay + s * dy - p[0].y) / t;
      p2.x = (q.x + dx - w0 * p[0].x - w1 * p1.x - w3 * p[3].x) / w2;
      p2.y = (q.y + dy - w0 * p[0].y - w1 * p1.y - w3 * p[3].y) / w2;
    }
    m_records[endIndex - 2].x = p1.x;
    m_records[endIndex - 2].y = p1.y;
    m_records[endIndex - 1].x = p2.x;
    m_records[endIndex - 1].y = p2.y;
    return;
  }
  int startIndex = endIndex - 1;
  if (!IsNode(startIndex)) return;
  std::set<int> moved = {startIndex, endIndex};
  Span span;
  if (SpanOf(endIndex, &span) && span.closed) {
    if (startIndex == span.start) moved.insert(span.end);
    if (endIndex == span.end) moved.insert(span.start);
  }
  for (int index : moved) Offset(index, dx, dy);
}

void CNodePath::MoveSubpaths(float dx, float dy, int current) {
  std::vector<Span> spans;
  for (const Span& span : Spans())
    for (int i = span.start; i <= span.end; ++i)
      if (IsSelected(i)) {
        spans.push_back(span);
        break;
      }
  Span own;
  if (spans.empty() && SpanOf(current, &own)) spans.push_back(own);
  for (const Span& span : spans)
    for (int i = span.start; i <= span.end; ++i) Offset(i, dx, dy);
}

void CNodePath::SetSelectedCoordinate(float value, int axis) {
  for (int node : SelectedNodes())
    for (int index : NodeWithFollowers(node))
      (axis == 0 ? m_records[index].x : m_records[index].y) = value;
}

bool CNodePath::SelectedBounds(CFRect* bounds) const {
  bool any = false;
  for (int node : SelectedNodes()) {
    const POINTREC& p = m_records[node];
    if (!any) {
      *bounds = CFRect(p.x, p.y, p.x, p.y);
      any = true;
      continue;
    }
    bounds->left = std::min(bounds->left, p.x);
    bounds->top = std::min(bounds->top, p.y);
    bounds->right = std::max(bounds->right, p.x);
    bounds->bottom = std::max(bounds->bottom, p.y);
  }
  return any;
}
