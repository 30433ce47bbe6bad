#include "model/blocks/CircleBlock.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/DC.h"
#include "model/blocks/BlockView.h"
#include "model/editing/DrawUtils.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/Geometry.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

namespace {

const float kHalfTurn = 3.1415926f;
// Pixels between the ellipse and its turning handle.
const int kTurnHandlePixels = 15;

// Into 0 .. one turn by whole turns.
float NormalizeAngle(float angle) {
  if (!std::isfinite(angle)) return angle;
  float r = std::fmod(angle, kFullTurn);
  return r < 0.0f ? r + kFullTurn : r;
}

// Every side moves outward by g (inward for a negative g), whichever way the rectangle runs.
void GrowRect(CFRect& r, float g) {
  float& low_x = r.left <= r.right ? r.left : r.right;
  float& high_x = r.left <= r.right ? r.right : r.left;
  float& low_y = r.top <= r.bottom ? r.top : r.bottom;
  float& high_y = r.top <= r.bottom ? r.bottom : r.top;
  low_x -= g;
  high_x += g;
  low_y -= g;
  high_y += g;
}

POINT ToDeviceInt(const CMatrix2D& toDevice, FPOINT p) {
  toDevice.TransformPoint(&p);
  return POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
}

}  // namespace

CCircleBlock::CCircleBlock()
    : m_rect(0.0f, 0.0f, 0.0f, 0.0f),
      m_startAngle(1.5707964f),
      m_endAngle(1.5707964f),
      m_reserved(0),
      m_arcMode(0.0f) {
  m_type = kCircleBlock;
  m_printsThroughStroke = true;
}

BOOL CCircleBlock::CanNodeEdit() { return TRUE; }

BOOL CCircleBlock::HitTest(CBlockView* view, float x, float y) {
  float tolerance = PixelUnits(view, kControlPixels);
  CFRect box = m_box;
  box.Normalize();
  if (x < box.left - tolerance || x > box.right + tolerance || y < box.top - tolerance ||
      y > box.bottom + tolerance)
    return FALSE;
  std::unique_ptr<CContour> contour(GetContour(nullptr, 0));
  return contour && contour->HitTestOutline(x, y, tolerance);
}

FPOINT CCircleBlock::Centre() const {
  return FPOINT{(m_rect.left + m_rect.right) / 2.0f, (m_rect.top + m_rect.bottom) / 2.0f};
}

float CCircleBlock::HalfWidth() const { return std::fabs(m_rect.right - m_rect.left) / 2.0f; }
float CCircleBlock::HalfHeight() const { return std::fabs(m_rect.bottom - m_rect.top) / 2.0f; }

float CCircleBlock::MidAngle() const {
  return IsWholeEllipse() ? m_startAngle + kHalfTurn : ::MidAngle(m_startAngle, m_endAngle);
}

FPOINT CCircleBlock::PointAt(float angle, float inset) const {
  FPOINT c = Centre();
  return FPOINT{c.x + std::cos(angle) * (HalfWidth() - inset),
                c.y - std::sin(angle) * (HalfHeight() - inset)};
}

FPOINT CCircleBlock::TurnHandle(float q) const { return PointAt(MidAngle(), -q); }

BOOL CCircleBlock::HitTestControlPoint(CBlockView* view, float x, float y, int* index) {
  float halfBand = HasBand() ? m_arcMode / 2.0f : 0.0f;
  float q = m_matrix.InverseLength(PixelUnits(view, kTurnHandlePixels));
  struct Candidate {
    int index;
    bool shown;
    FPOINT point;
  } candidates[] = {
      {kCentre, true, Centre()},
      {kStartPoint, true, PointAt(m_startAngle, halfBand)},
      {kEndPoint, !IsWholeEllipse(), PointAt(m_endAngle, halfBand)},
      {HasBand() ? kOuterEdge : kArcClosing, true, PointAt(MidAngle(), 0.0f)},
      {kArcClosing, HasBand(), PointAt(MidAngle(), m_arcMode)},
      {kTurnHandle, true, TurnHandle(q)},
  };
  *index = kNoHandle;
  for (const Candidate& candidate : candidates)
    if (candidate.shown && HitsControlSquare(view, candidate.point, x, y)) {
      *index = candidate.index;
      return TRUE;
    }
  return FALSE;
}

void CCircleBlock::MoveControlPoint(CBlockView* view, UINT, int index, float x, float y) {
  FPOINT p = ToBlock(x, y);
  switch (index) {
    case kCentre:
      MoveCentre(p);
      break;
    case kStartPoint:
      MoveStart(view, p);
      break;
    case kEndPoint:
      MoveEnd(view, p);
      break;
    case kOuterEdge:
      MoveOuterEdge(view, p);
      break;
    case kArcClosing:
      MoveArcClosing(view, p);
      break;
    case kTurnHandle:
      TurnArc(p);
      break;
    default:
      break;
  }
}

void CCircleBlock::MoveCentre(const FPOINT& p) {
  FPOINT c = Centre();
  float dx = p.x - c.x, dy = p.y - c.y;
  m_rect.left += dx;
  m_rect.right += dx;
  m_rect.top += dy;
  m_rect.bottom += dy;
  // The same move on the page: the block matrix without its translation.
  CBlock::Offset(dx * m_matrix.m[0] + dy * m_matrix.m[3], dx * m_matrix.m[1] + dy * m_matrix.m[4]);
}

float CCircleBlock::PageDistance(float a, float b) const {
  FPOINT pa = ToPage(PointAt(a, 0.0f)), pb = ToPage(PointAt(b, 0.0f));
  return Distance(pa.x, pa.y, pb.x, pb.y);
}

void CCircleBlock::MoveStart(CBlockView* view, const FPOINT& p) {
  FPOINT c = Centre();
  m_startAngle = AngleOf(c.x, c.y, p.x, p.y);
  if (PageDistance(m_startAngle, m_endAngle) <= 2.0f * PixelUnits(view, 1))
    m_startAngle = m_endAngle;
}

void CCircleBlock::MoveEnd(CBlockView* view, const FPOINT& p) {
  FPOINT c = Centre();
  m_endAngle = AngleOf(c.x, c.y, p.x, p.y);
  if (PageDistance(m_startAngle, m_endAngle) <= 2.0f * PixelUnits(view, 1))
    m_endAngle = m_startAngle;
}

void CCircleBlock::MoveOuterEdge(CBlockView* view, const FPOINT& p) {
  float t = PixelUnits(view, 1);
  FPOINT c = Centre();
  float d = Distance(c.x, c.y, p.x, p.y);
  if (d <= 2.0f * t) {
    m_arcMode = kPie;
    return;
  }
  float band = HasBand() ? m_arcMode : 0.0f;
  float mid = MidAngle();
  FPOINT inner = {c.x + std::cos(mid) * std::max(HalfWidth() - band, 0.0f),
                  c.y - std::sin(mid) * std::max(HalfHeight() - band, 0.0f)};
  float e = Distance(c.x, c.y, inner.x, inner.y);
  if (std::fabs(d - e) <= 2.0f * t || e >= d) {
    m_arcMode = kOpenArc;
    return;
  }
  m_arcMode = std::fabs(d - e);
  // The outer edge follows the mouse while the inner edge stays.
  FPOINT outer = PointAt(mid, 0.0f);
  GrowRect(m_rect, d - Distance(c.x, c.y, outer.x, outer.y));
}

void CCircleBlock::MoveArcClosing(CBlockView* view, const FPOINT& p) {
  float t = PixelUnits(view, 1);
  FPOINT c = Centre();
  float d = Distance(c.x, c.y, p.x, p.y);
  if (d <= 3.0f * t) {
    m_arcMode = kPie;
    return;
  }
  FPOINT onEllipse = PointAt(MidAngle(), 0.0f);
  float e = Distance(c.x, c.y, onEllipse.x, onEllipse.y);
  if (std::fabs(d - e) <= 2.0f * t)
    m_arcMode = kOpenArc;
  else if (d > e)
    m_arcMode = kChord;
  else
    m_arcMode = std::fabs(e - d);
}

void CCircleBlock::TurnArc(const FPOINT& p) {
  FPOINT c = Centre();
  float shift = AngleOf(c.x, c.y, p.x, p.y) - MidAngle();
  bool whole = IsWholeEllipse();
  m_startAngle = NormalizeAngle(m_startAngle + shift);
  if (whole) {
    m_endAngle = m_startAngle;
    return;
  }
  m_endAngle = RaiseAngleToAtLeast(NormalizeAngle(m_endAngle + shift), m_startAngle);
}

void CCircleBlock::DrawControlPointXor(CBlockView* view, int, float, float) {
  DrawOutlineAndOverlayXor(view);
}

void CCircleBlock::DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) {
  CMatrix2D toDevice = BlockToDevice(matrix);
  float halfBand = HasBand() ? m_arcMode / 2.0f : 0.0f;
  FPOINT turnHandle = TurnHandle(toDevice.InverseLength(static_cast<float>(kTurnHandlePixels)));
  CXorScope xorScope(dc, CFeedbackTools::RedPen());
  DrawControlSquare(dc, toDevice, PointAt(MidAngle(), 0.0f));
  if (HasBand()) DrawControlSquare(dc, toDevice, PointAt(MidAngle(), m_arcMode));
  DrawControlSquare(dc, toDevice, PointAt(m_startAngle, halfBand));
  if (!IsWholeEllipse()) DrawControlSquare(dc, toDevice, PointAt(m_endAngle, halfBand));
  DrawControlSquare(dc, toDevice, turnHandle);
  xorScope.SelectPen(CFeedbackTools::BluePen());
  dc->MoveTo(ToDeviceInt(toDevice, turnHandle));
  dc->LineTo(ToDeviceInt(toDevice, Centre()));
  xorScope.SelectPen(CFeedbackTools::RedPen());
  DrawControlSquare(dc, toDevice, Centre());
}

void CCircleBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  if (m_matrix.IsIdentity()) {
    m_rect.left += dx;
    m_rect.right += dx;
    m_rect.top += dy;
    m_rect.bottom += dy;
  } else {
    m_matrix.m[6] += dx;
    m_matrix.m[7] += dy;
  }
}

void CCircleBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  CFRect corners = m_rect;
  m_matrix.TransformRect(&corners);
  m_box = corners;
}

CContour* CCircleBlock::BuildArc() const {
  const CFRect& r = m_rect;
  CContour* arc = ContourFromArc(r.left, r.top, r.right, r.bottom, m_startAngle, m_endAngle);
  if (!arc) return nullptr;
  if (HasBand()) {
    float m = m_arcMode;
    std::unique_ptr<CContour> inner(
        ContourFromArc(r.left + m, r.top + m, r.right - m, r.bottom - m, m_startAngle, m_endAngle));
    arc->ReopenLastSubpath();
    if (inner) {
      std::unique_ptr<CContour> reversed(inner->Reversed());
      arc->AppendContinuing(reversed.get());
    }
    arc->ReopenLastSubpath();
    arc->CloseLastSubpath();
    arc->AppendEndMark();
  } else if (m_arcMode <= kChord) {
    // The open end goes on, straight back to the start.
    arc->ReopenLastSubpath();
    arc->CloseLastSubpath();
    arc->AppendEndMark();
  } else if (m_arcMode <= kPie) {
    FPOINT c = Centre();
    arc->ReopenLastSubpath();
    arc->AppendPoint(MakePointRecord(c.x, c.y, kPointOnCurve));
    arc->CloseLastSubpath();
    arc->AppendEndMark();
  }
  return arc;
}

CContour* CCircleBlock::GetContour(const CMatrix2D* matrix, UINT) {
  const CFRect& r = m_rect;
  CContour* contour = IsWholeEllipse() ? nullptr : BuildArc();
  // Angles a whole number of turns apart span no arc: the outline is the whole ellipse.
  if (!contour) contour = ContourFromEllipse(r.left, r.top, r.right, r.bottom);
  return FinishContour(contour, matrix);
}

int CCircleBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CCircleBlock::AppendRecordTo(CByteWriter& out) {
  CBlockRecordWriter writer(out, kCircleRecordTag, *this);
  CByteWriter& fields = writer.Fields();
  writer.WriteRect(m_rect);
  writer.WriteMatrix(m_matrix);
  writer.WriteRect(m_box);
  fields.WriteDWord(m_colour);
  fields.WriteFloat(m_startAngle);
  fields.WriteFloat(m_endAngle);
  fields.WriteInt32(m_reserved);
  fields.WriteFloat(m_arcMode);
  return writer.Close();
}

CBlock* LoadCircleBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kCircleRecordTag, CCircleBlock::kRecordLength)) return nullptr;
  std::unique_ptr<CCircleBlock> circle(new CCircleBlock);
  // The type code stays the circle's: a record claiming another type must not make a circle pass
  // for a block of that type.
  reader.ReadHeaderInto(*circle, false);
  CByteReader& fields = reader.Fields();
  DWORD colour = 0;
  if (!reader.ReadRect(circle->m_rect) || !reader.ReadMatrix(circle->m_matrix) ||
      !reader.ReadRect(circle->m_box) || !fields.ReadDWord(colour) ||
      !reader.ReadFloat(circle->m_startAngle) || !reader.ReadFloat(circle->m_endAngle) ||
      !fields.ReadInt32(circle->m_reserved) || !reader.ReadFloat(circle->m_arcMode))
    return nullptr;
  circle->m_colour = colour;
  return circle.release();
}
