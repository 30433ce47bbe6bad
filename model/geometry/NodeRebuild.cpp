#include "model/geometry/NodeRebuild.h"

#include <algorithm>
#include <cmath>

#include "model/geometry/Bezier.h"
#include "model/geometry/NodePath.h"
#include "model/geometry/PointStore.h"

namespace {

using Records = CNodeRebuild::Records;
using Span = CNodePath::Span;

// The control points of a circle quarter lie this farEnd toward the corner from each node.
const float kCircleHandle = 0.553f;
// How close the two ends of a drawn sub-path must come for it to close.
const float kCloseDistance = 0.001f;

const BYTE kStartNode = kPointStart | kPointOnCurve;
const BYTE kOpenEndNode = kPointOpenEnd | kPointOnCurve;
const BYTE kClosingNode = kPointClose | kPointOnCurve;

POINTREC WithFlags(POINTREC record, BYTE flags) {
  record.flags = flags;
  return record;
}

POINTREC Unselected(POINTREC record) {
  if (!IsSpecialPoint(record.flags)) record.flags &= static_cast<BYTE>(~kPointSelected);
  return record;
}

void ClearSelection(Records* records) {
  for (POINTREC& record : *records) record = Unselected(record);
}

void Widen(CFRect* box, bool* any, float x, float y) {
  if (!*any) {
    *box = CFRect(x, y, x, y);
    *any = true;
    return;
  }
  box->left = std::min(box->left, x);
  box->top = std::min(box->top, y);
  box->right = std::max(box->right, x);
  box->bottom = std::max(box->bottom, y);
}

// Bounds of a sub-path's nodes, widened by samples of a Bezier segment that reaches outside them.
CFRect CurveBounds(const CNodePath& path, const Span& span) {
  const Records& r = path.Records();
  CFRect box;
  bool any = false;
  for (int i = span.start; i <= span.end; ++i) {
    if (!path.IsNode(i)) continue;
    Widen(&box, &any, r[i].x, r[i].y);
    if (i < 3 || !path.IsControl(i - 1) || !path.IsControl(i - 2)) continue;
    FPOINT p[4] = {{r[i - 3].x, r[i - 3].y},
                   {r[i - 2].x, r[i - 2].y},
                   {r[i - 1].x, r[i - 1].y},
                   {r[i].x, r[i].y}};
    bool outside = false;
    for (const FPOINT& q : p)
      outside = outside || q.x < box.left || q.x > box.right || q.y < box.top || q.y > box.bottom;
    if (!outside) continue;
    CBezier piece(p);
    for (int hundredths = 10; hundredths < 90; ++hundredths) {
      FPOINT sample;
      piece.PointAt(hundredths / 100.0f, &sample);
      Widen(&box, &any, sample.x, sample.y);
    }
  }
  return box;
}

bool HasSelectedNode(const CNodePath& path, const Span& span) {
  for (int i = span.start; i <= span.end; ++i)
    if (path.IsSelected(i)) return true;
  return false;
}

// The records between two nodes of one segment (its control points), copied unselected.
void AppendBetween(const Records& from, int a, int b, Records* out) {
  for (int i = a + 1; i < b; ++i) out->push_back(Unselected(from[i]));
}

Records SpanRecords(const Records& records, const Span& span) {
  Records out;
  for (int i = span.start; i <= span.end; ++i) out.push_back(Unselected(records[i]));
  return out;
}

// Every record outside the spans, in order.
void AppendOthers(const Records& records, const std::vector<Span>& skip, Records* out) {
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    bool inside = false;
    for (const Span& span : skip) inside = inside || (i >= span.start && i <= span.end);
    if (!inside) out->push_back(Unselected(records[i]));
  }
}

// Rebuilds the list sub-path by sub-path: the callback writes a sub-path's replacement.
template <typename Replace>
Records EachSpan(const Records& records, Replace replace) {
  CNodePath path(records);
  Records out;
  for (int i = 0; i < path.Size(); ++i) {
    Span span;
    if (IsSubpathStart(records[i].flags) && path.SpanOf(i, &span)) {
      replace(path, span, &out);
      i = span.end;
      continue;
    }
    out.push_back(Unselected(records[i]));
  }
  return out;
}

}  // namespace

bool CNodeRebuild::AddNode(Records* records, int endIndex, float t, int* node) {
  CNodePath path(*records);
  if (endIndex < 1 || !path.IsNode(endIndex)) return false;
  Records& r = *records;
  if (endIndex >= 3 && path.IsControl(endIndex - 1) && path.IsControl(endIndex - 2)) {
    FPOINT split[7];
    CBezier({r[endIndex - 3].x, r[endIndex - 3].y}, {r[endIndex - 2].x, r[endIndex - 2].y},
            {r[endIndex - 1].x, r[endIndex - 1].y}, {r[endIndex].x, r[endIndex].y})
        .SplitAt(t, split);
    r.insert(r.begin() + endIndex, 3, MakePointRecord(0.0f, 0.0f, 0));
    const BYTE flags[5] = {0, 0, kPointOnCurve, 0, 0};
    for (int k = 0; k < 5; ++k)
      r[endIndex - 2 + k] = MakePointRecord(split[1 + k].x, split[1 + k].y, flags[k]);
  } else if (path.IsNode(endIndex - 1)) {
    FPOINT p = CNodePath::PointOnSegment(r, endIndex, t);
    r.insert(r.begin() + endIndex, MakePointRecord(p.x, p.y, kPointOnCurve));
  } else {
    return false;
  }
  *node = endIndex;
  return true;
}

Records CNodeRebuild::DeleteSelected(const Records& records) {
  CNodePath path(records);
  Records out;
  for (const Span& span : path.Spans()) {
    std::vector<int> nodes = path.NodesOf(span);
    std::vector<int> kept;
    // A closing point is its sub-path's first point, not a node of its own: a closed sub-path
    // needs two kept nodes like an open one.
    for (int node : nodes)
      if (!path.IsSelected(node)) kept.push_back(node);
    if (kept.size() < 2) continue;
    out.push_back(WithFlags(records[kept[0]], kStartNode));
    for (size_t j = 1; j < kept.size(); ++j) {
      int a = kept[j - 1], b = kept[j];
      bool neighbours = path.NodeAfter(a) == b;
      if (neighbours) AppendBetween(records, a, b, &out);
      out.push_back(WithFlags(records[b], kPointOnCurve));
    }
    if (span.closed) {
      bool lastSegmentStays = kept.front() == nodes.front() && kept.back() == nodes.back();
      if (lastSegmentStays) {
        AppendBetween(records, kept.back(), span.end, &out);
        out.push_back(WithFlags(records[span.end], kClosingNode));
      } else {
        out.push_back(WithFlags(records[kept[0]], kClosingNode));
      }
    } else {
      out.back().flags = kOpenEndNode;
    }
  }
  return out;
}

bool CNodeRebuild::SegmentToCurve(Records* records, int endIndex) {
  CNodePath path(*records);
  if (endIndex < 1 || !path.IsNode(endIndex) || !path.IsNode(endIndex - 1)) return false;
  const POINTREC a = (*records)[endIndex - 1];
  const POINTREC b = (*records)[endIndex];
  POINTREC thirds[2] = {MakePointRecord(a.x + (b.x - a.x) / 3.0f, a.y + (b.y - a.y) / 3.0f, 0),
                        MakePointRecord(a.x + 2.0f * (b.x - a.x) / 3.0f,
                                        a.y + 2.0f * (b.y - a.y) / 3.0f, 0)};
  records->insert(records->begin() + endIndex, thirds, thirds + 2);
  return true;
}

bool CNodeRebuild::SegmentToLine(Records* records, int endIndex) {
  CNodePath path(*records);
  if (endIndex < 3 || !path.IsNode(endIndex) || !path.IsControl(endIndex - 1) ||
      !path.IsControl(endIndex - 2))
    return false;
  records->erase(records->begin() + endIndex - 2, records->begin() + endIndex);
  return true;
}

bool CNodeRebuild::BreakAt(const Records& records, int node, Records* result) {
  CNodePath path(records);
  Span span;
  if (!path.IsNode(node) || !path.SpanOf(node, &span)) return false;
  Records out;
  if (!span.closed) {
    if (node == span.start || node == span.end) return false;
    out.push_back(WithFlags(records[node], kStartNode));
    for (int i = node + 1; i <= span.end; ++i) out.push_back(Unselected(records[i]));
    for (int i = span.start; i < node; ++i) out.push_back(Unselected(records[i]));
    out.push_back(WithFlags(records[node], kOpenEndNode));
  } else if (node == span.start || node == span.end) {
    for (int i = span.start; i < span.end; ++i) out.push_back(Unselected(records[i]));
    out.push_back(WithFlags(records[span.end], kOpenEndNode));
  } else {
    // Round the loop from the node: the closing point stands for the first point on the way.
    out.push_back(WithFlags(records[node], kStartNode));
    for (int i = node + 1; i < span.end; ++i) out.push_back(Unselected(records[i]));
    out.push_back(WithFlags(records[span.end], kPointOnCurve));
    for (int i = span.start + 1; i < node; ++i) out.push_back(Unselected(records[i]));
    out.push_back(WithFlags(records[node], kOpenEndNode));
  }
  AppendOthers(records, {span}, &out);
  *result = out;
  return true;
}

bool CNodeRebuild::Join(const Records& records, int first, int second, bool merge,
                        Records* result) {
  CNodePath path(records);
  Span a, b;
  if (first == second || !path.IsNode(first) || !path.IsNode(second) || !path.SpanOf(first, &a) ||
      !path.SpanOf(second, &b) || a.closed || b.closed)
    return false;
  if (first > second) {
    std::swap(first, second);
    std::swap(a, b);
  }
  auto isEnd = [&](int node, const Span& span) { return node == span.end && node != span.start; };
  bool firstEnd = isEnd(first, a), secondEnd = isEnd(second, b);
  if ((!firstEnd && first != a.start) || (!secondEnd && second != b.start)) return false;
  FPOINT mid = {(records[first].x + records[second].x) / 2.0f,
                (records[first].y + records[second].y) / 2.0f};
  Records joined;
  if (a.start == b.start) {
    joined = SpanRecords(records, a);
    if (merge) {
      joined.front().x = joined.back().x = mid.x;
      joined.front().y = joined.back().y = mid.y;
      joined.back().flags = kClosingNode;
    } else {
      joined.back().flags = kPointOnCurve;
      joined.push_back(WithFlags(joined.front(), kClosingNode));
    }
  } else {
    // The end's path leads and the start's follows; two ends or two starts turn one path round.
    bool endThenStart = firstEnd || !secondEnd;
    Records head = SpanRecords(records, endThenStart ? a : b);
    Records tail = SpanRecords(records, endThenStart ? b : a);
    if (firstEnd && secondEnd) tail = CPointStore::ReversedSubpaths(tail);
    if (!firstEnd && !secondEnd) head = CPointStore::ReversedSubpaths(head);
    joined = head;
    joined.back().flags = kPointOnCurve;
    if (merge) {
      joined.back().x = mid.x;
      joined.back().y = mid.y;
    } else {
      joined.push_back(WithFlags(tail.front(), kPointOnCurve));
    }
    joined.insert(joined.end(), tail.begin() + 1, tail.end());
  }
  ClearSelection(&joined);
  AppendOthers(records, {a, b}, &joined);
  *result = joined;
  return true;
}

Records CNodeRebuild::DeleteSelectedSubpaths(const Records& records) {
  return EachSpan(records, [&](const CNodePath& path, const Span& span, Records* out) {
    if (HasSelectedNode(path, span)) return;
    Records kept = SpanRecords(records, span);
    out->insert(out->end(), kept.begin(), kept.end());
  });
}

Records CNodeRebuild::ReplaceSelectedByCircle(const Records& records) {
  return EachSpan(records, [&](const CNodePath& path, const Span& span, Records* out) {
    if (HasSelectedNode(path, span)) {
      AppendEllipse(out, CurveBounds(path, span));
      return;
    }
    Records kept = SpanRecords(records, span);
    out->insert(out->end(), kept.begin(), kept.end());
  });
}

Records CNodeRebuild::ReplaceSelectedBySquare(const Records& records) {
  return EachSpan(records, [&](const CNodePath& path, const Span& span, Records* out) {
    CFRect box;
    if (HasSelectedNode(path, span) && RecordBounds(records, span.start, &box)) {
      out->push_back(MakePointRecord(box.left, box.top, kStartNode));
      out->push_back(MakePointRecord(box.right, box.top, kPointOnCurve));
      out->push_back(MakePointRecord(box.right, box.bottom, kPointOnCurve));
      out->push_back(MakePointRecord(box.left, box.bottom, kPointOnCurve));
      out->push_back(MakePointRecord(box.left, box.top, kClosingNode));
      return;
    }
    Records kept = SpanRecords(records, span);
    out->insert(out->end(), kept.begin(), kept.end());
  });
}

bool CNodeRebuild::RecordBounds(const Records& records, int start, CFRect* bounds) {
  CNodePath path(records);
  Span span;
  if (!path.SpanOf(start, &span)) return false;
  bool any = false;
  for (int i = span.start; i < span.end; ++i)
    if (!IsSpecialPoint(records[i].flags)) Widen(bounds, &any, records[i].x, records[i].y);
  return any;
}

void CNodeRebuild::AppendEllipse(Records* records, const CFRect& box) {
  float cx = (box.left + box.right) / 2.0f, cy = (box.top + box.bottom) / 2.0f;
  float k = kCircleHandle;
  // Clockwise on the screen (y downward): left, top, right, bottom and back to the left.
  const FPOINT points[13] = {{box.left, cy},
                             {box.left, cy + k * (box.top - cy)},
                             {cx + k * (box.left - cx), box.top},
                             {cx, box.top},
                             {cx + k * (box.right - cx), box.top},
                             {box.right, cy + k * (box.top - cy)},
                             {box.right, cy},
                             {box.right, cy + k * (box.bottom - cy)},
                             {cx + k * (box.right - cx), box.bottom},
                             {cx, box.bottom},
                             {cx + k * (box.left - cx), box.bottom},
                             {box.left, cy + k * (box.bottom - cy)},
                             {box.left, cy}};
  for (int i = 0; i < 13; ++i) {
    BYTE flags = i % 3 == 0 ? kPointOnCurve : 0;
    if (i == 0) flags = kStartNode;
    if (i == 12) flags = kClosingNode;
    records->push_back(MakePointRecord(points[i].x, points[i].y, flags));
  }
}

bool CNodeRebuild::FindSelectedRun(const Records& records, int* before, int* after) {
  CNodePath path(records);
  for (const Span& span : path.Spans()) {
    std::vector<int> nodes = path.NodesOf(span);
    int m = static_cast<int>(nodes.size());
    int first = -1;
    for (int k = 0; k < m && first < 0; ++k)
      if (path.IsSelected(nodes[k])) first = k;
    if (first < 0) continue;
    int end = first;
    int walked = 0;
    while (path.IsSelected(nodes[end]) && walked <= m) end = (end + 1) % m, ++walked;
    // Every node selected: there is nothing for the new curve to run between.
    if (walked > m || path.IsSelected(nodes[end])) return false;
    int start = (first + m - 1) % m;
    while (path.IsSelected(nodes[start])) start = (start + m - 1) % m;
    *before = nodes[start];
    *after = nodes[end];
    return true;
  }
  return false;
}

bool CNodeRebuild::ReplaceRunByCurve(const Records& records, FPOINT c1, FPOINT c2,
                                     Records* result) {
  int before = -1, after = -1;
  if (!FindSelectedRun(records, &before, &after)) return false;
  CNodePath path(records);
  Span span;
  path.SpanOf(before, &span);
  std::vector<int> nodes = path.NodesOf(span);
  int m = static_cast<int>(nodes.size());
  int pb = static_cast<int>(std::find(nodes.begin(), nodes.end(), before) - nodes.begin());
  int pa = static_cast<int>(std::find(nodes.begin(), nodes.end(), after) - nodes.begin());
  Records rebuilt;
  if (pb < pa) {
    // The run lies inside the sub-path: the curve takes its place and the rest stays.
    for (int i = span.start; i <= before; ++i) rebuilt.push_back(Unselected(records[i]));
    rebuilt.push_back(MakePointRecord(c1.x, c1.y, 0));
    rebuilt.push_back(MakePointRecord(c2.x, c2.y, 0));
    for (int i = after; i <= span.end; ++i) rebuilt.push_back(Unselected(records[i]));
  } else {
    // The run covers the first point or reaches an open end: the sub-path starts at P3 and the
    // curve closes it back there.
    rebuilt.push_back(WithFlags(records[after], kStartNode));
    int k = pa;
    for (int steps = 0; steps <= m && k != pb; ++steps) {
      int next = k + 1;
      if (next < m) {
        AppendBetween(records, nodes[k], nodes[next], &rebuilt);
        rebuilt.push_back(WithFlags(records[nodes[next]], kPointOnCurve));
        k = next;
      } else {
        if (span.closed) AppendBetween(records, nodes[k], span.end, &rebuilt);
        rebuilt.push_back(WithFlags(records[nodes[0]], kPointOnCurve));
        k = 0;
      }
    }
    rebuilt.push_back(MakePointRecord(c1.x, c1.y, 0));
    rebuilt.push_back(MakePointRecord(c2.x, c2.y, 0));
    rebuilt.push_back(WithFlags(records[after], kClosingNode));
  }
  Records out(records.begin(), records.begin() + span.start);
  out.insert(out.end(), rebuilt.begin(), rebuilt.end());
  out.insert(out.end(), records.begin() + span.end + 1, records.end());
  ClearSelection(&out);
  *result = out;
  return true;
}

void CNodeRebuild::AppendSegment(Records* records, const FPOINT points[4], bool bezier, int* node,
                                 bool* closed) {
  *closed = false;
  const FPOINT farEnd = bezier ? points[3] : points[1];
  const BYTE kSelectedEnd = kOpenEndNode | kPointSelected;
  CNodePath path(*records);
  Span span;
  Records& r = *records;
  int n = *node;
  ClearSelection(records);
  if (n >= 0 && path.SpanOf(n, &span) && !span.closed && n == span.start) {
    r[n].flags = kPointOnCurve;
    Records added = {MakePointRecord(farEnd.x, farEnd.y, kStartNode | kPointSelected)};
    if (bezier) {
      added.push_back(MakePointRecord(points[2].x, points[2].y, 0));
      added.push_back(MakePointRecord(points[1].x, points[1].y, 0));
    }
    r.insert(r.begin() + n, added.begin(), added.end());
  } else if (n >= 0 && path.SpanOf(n, &span) && !span.closed && n == span.end) {
    r[n].flags = kPointOnCurve;
    Records added;
    if (bezier) {
      added.push_back(MakePointRecord(points[1].x, points[1].y, 0));
      added.push_back(MakePointRecord(points[2].x, points[2].y, 0));
    }
    added.push_back(MakePointRecord(farEnd.x, farEnd.y, kSelectedEnd));
    r.insert(r.begin() + n + 1, added.begin(), added.end());
    n += static_cast<int>(added.size());
  } else {
    r.push_back(MakePointRecord(points[0].x, points[0].y, kStartNode));
    if (bezier) {
      r.push_back(MakePointRecord(points[1].x, points[1].y, 0));
      r.push_back(MakePointRecord(points[2].x, points[2].y, 0));
    }
    r.push_back(MakePointRecord(farEnd.x, farEnd.y, kSelectedEnd));
    n = static_cast<int>(r.size()) - 1;
  }
  *node = n;
  CNodePath grown(r);
  if (!grown.SpanOf(n, &span) || span.start == span.end) return;
  POINTREC& first = r[span.start];
  POINTREC& last = r[span.end];
  if (std::fabs(first.x - last.x) < kCloseDistance &&
      std::fabs(first.y - last.y) < kCloseDistance) {
    last.flags = kClosingNode;
    ClearSelection(records);
    *closed = true;
    *node = -1;
  }
}
