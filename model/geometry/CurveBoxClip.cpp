#include "model/geometry/CurveBoxClip.h"

#include <algorithm>
#include <memory>

#include "framework/Array.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/PointRecord.h"
#include "model/geometry/SegmentWalker.h"

namespace {

const int kPieceFlags[4] = {kPointStart | kPointOnCurve, 0, 0, kPointOnCurve};

struct Box {
  float left, top, right, bottom;
  bool Holds(const FPOINT& p) const { return PointInBox(p.x, p.y, left, top, right, bottom); }
};

// The coordinate along the line through end and other where the other axis has the value at.
float Across(float endAlong, float otherAlong, float endAt, float otherAt, float at) {
  return otherAlong + (endAlong - otherAlong) * (at - otherAt) / (endAt - otherAt);
}

// Places one end on the first edge (left, right, top, bottom) that the line crosses inside the
// box's span; false when none does.
bool PlaceEnd(const FPOINT& end, const FPOINT& other, const Box& box, FPOINT* placed) {
  if (box.Holds(end)) {
    *placed = end;
    return true;
  }
  const float verticalEdges[2] = {box.left, box.right};
  for (int i = 0; i < 2; ++i) {
    float edge = verticalEdges[i];
    bool beyond = i == 0 ? end.x < edge : end.x > edge;
    if (!beyond || end.x == other.x) continue;
    float y = Across(end.y, other.y, end.x, other.x, edge);
    if (y >= box.top && y <= box.bottom) {
      *placed = FPOINT{edge, y};
      return true;
    }
  }
  const float horizontalEdges[2] = {box.top, box.bottom};
  for (int i = 0; i < 2; ++i) {
    float edge = horizontalEdges[i];
    bool beyond = i == 0 ? end.y < edge : end.y > edge;
    if (!beyond || end.y == other.y) continue;
    float x = Across(end.x, other.x, end.y, other.y, edge);
    if (x >= box.left && x <= box.right) {
      *placed = FPOINT{x, edge};
      return true;
    }
  }
  return false;
}

bool SegmentMeetsBox(const FPOINT& a, const FPOINT& b, const Box& box) {
  return IntersectBoxes(nullptr, a.x, a.y, b.x, b.y, box.left, box.top, box.right, box.bottom) != 0;
}

class CCurveClipper {
public:
  CCurveClipper(const Box& box, CCurveBlock* out) : m_box(box), m_out(out) {}

  void Special(const POINTREC& record) { m_out->AddPointNoBounds(record); }

  void Start(const POINTREC& record) {
    m_inside = m_box.Holds(PointOf(record));
    if (m_inside) m_out->AddPoint(record);
  }

  void Line(const POINTREC& from, const POINTREC& to) {
    bool endInside = m_box.Holds(PointOf(to));
    if (m_inside && endInside) {
      m_out->AddPoint(to);
    } else if (SegmentMeetsBox(PointOf(from), PointOf(to), m_box)) {
      FPOINT a = PointOf(from), p = PointOf(to);
      if (ClipSegmentToBox(&a, &p, m_box.left, m_box.top, m_box.right, m_box.bottom)) {
        if (!m_inside) m_out->AddPoint(a.x, a.y, kPointStart | kPointOnCurve);
        m_out->AddPoint(p.x, p.y, to.flags);
      }
    }
    m_inside = endInside;
  }

  void Bezier(const POINTREC& start, const POINTREC& c1, const POINTREC& c2, const POINTREC& end) {
    bool endInside = m_box.Holds(PointOf(end));
    if (m_inside && m_box.Holds(PointOf(c1)) && m_box.Holds(PointOf(c2)) && endInside) {
      m_out->AddPoint(c1);
      m_out->AddPoint(c2);
      m_out->AddPoint(end);
    } else {
      AddPieces(start, c1, c2, end);
    }
    m_inside = endInside;
  }

private:
  static FPOINT PointOf(const POINTREC& record) { return FPOINT{record.x, record.y}; }

  void AddPieces(const POINTREC& start, const POINTREC& c1, const POINTREC& c2,
                 const POINTREC& end) {
    CBezier piece(PointOf(start), PointOf(c1), PointOf(c2), PointOf(end));
    CArray<FPOINT> pieces;
    if (!piece.ClipToBox(m_box.left, m_box.top, m_box.right, m_box.bottom, &pieces)) return;
    for (INT_PTR i = 0; i < pieces.GetSize(); ++i) {
      const FPOINT& p = pieces[i];
      if (p.x == kClipEndMarker || p.y == kClipEndMarker) break;
      // A piece that begins where the segment began goes on with that sub-path.
      if (i == 0 && p.x == start.x && p.y == start.y) continue;
      m_out->AddPoint(p.x, p.y, static_cast<BYTE>(kPieceFlags[i % 4]));
    }
  }

  Box m_box;
  CCurveBlock* m_out;
  bool m_inside = false;
};

}  // namespace

int ClipSegmentToBox(FPOINT* first, FPOINT* second, float left, float top, float right,
                     float bottom) {
  Box box = {left, top, right, bottom};
  FPOINT placedFirst, placedSecond;
  if (!PlaceEnd(*first, *second, box, &placedFirst) ||
      !PlaceEnd(*second, *first, box, &placedSecond))
    return 0;
  *first = placedFirst;
  *second = placedSecond;
  return 1;
}

CCurveBlock* ClipCurveBlockToBox(CBlock* block, float left, float top, float right, float bottom) {
  if (!block || block->m_type != kCurveBlock) return nullptr;
  const CCurveBlock* source = static_cast<const CCurveBlock*>(block);
  std::unique_ptr<CCurveBlock> clipped(new CCurveBlock);
  CCurveClipper clipper(Box{left, top, right, bottom}, clipped.get());
  CSegmentWalker walker;
  for (const POINTREC& record : source->GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    const POINTREC* segment = walker.Records();
    if (kind == CSegmentWalker::kSpecial)
      clipper.Special(record);
    else if (kind == CSegmentWalker::kMove)
      clipper.Start(record);
    else if (kind == CSegmentWalker::kLine)
      clipper.Line(segment[0], record);
    else if (kind == CSegmentWalker::kBezier)
      clipper.Bezier(segment[0], segment[1], segment[2], record);
  }
  clipped->EndCurve();
  clipped->SetColour(nullptr, source->GetColour(), FALSE);
  if (clipped->GetCount() < 2) return nullptr;
  return clipped.release();
}
