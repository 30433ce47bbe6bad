#include "model/blocks/PolygonBlock.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/DC.h"
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

POINT ToDeviceInt(const CMatrix2D& toDevice, FPOINT p) {
  toDevice.TransformPoint(&p);
  return POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
}

}  // namespace

CPolygonBlock::CPolygonBlock()
    : m_outerRadius(100.0f),
      m_innerRadius(0.0f),
      m_bandWidth(0.0f),
      m_startAngle(0.0f),
      m_cornerCount(5),
      m_starAngle(0.0f),
      m_centre{0.0f, 0.0f} {
  m_type = kPolygonBlock;
  m_printsThroughStroke = true;
}

BOOL CPolygonBlock::CanNodeEdit() { return TRUE; }

RegularPolygonShape CPolygonBlock::Shape() const {
  return RegularPolygonShape{m_centre.x,   m_centre.y,    m_outerRadius, m_innerRadius,
                             m_startAngle, m_cornerCount, m_starAngle,   m_bandWidth};
}

FPOINT CPolygonBlock::PointAt(float angle, float radius) const {
  return FPOINT{m_centre.x + std::cos(angle) * radius, m_centre.y - std::sin(angle) * radius};
}

FPOINT CPolygonBlock::ControlPoint(int index) const {
  switch (index) {
    case kFirstCorner:
      return PointAt(m_startAngle, m_outerRadius);
    case kInnerCorner: {
      if (m_starAngle != 0.0f) return PointAt(m_startAngle + m_starAngle, m_innerRadius);
      int corners = std::clamp(m_cornerCount, kMinPolygonCorners, kMaxPolygonCorners);
      FPOINT a = PointAt(m_startAngle, m_outerRadius);
      FPOINT b = PointAt(m_startAngle + kFullTurn / static_cast<float>(corners), m_outerRadius);
      return FPOINT{(a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f};
    }
    default:
      return m_centre;
  }
}

FPOINT CPolygonBlock::BandPointToward(const FPOINT& p) const {
  return PointAt(AngleOf(m_centre.x, m_centre.y, p.x, p.y), m_innerRadius - m_bandWidth);
}

BOOL CPolygonBlock::HitTestControlPoint(CBlockView* view, float x, float y, int* index) {
  *index = kNoHandle;
  for (int i = kCentre; i <= kInnerCorner; ++i)
    if (HitsControlSquare(view, ControlPoint(i), x, y)) {
      *index = i;
      return TRUE;
    }
  if (HitsControlSquare(view, BandPointToward(ToBlock(x, y)), x, y)) {
    *index = kBandCircle;
    return TRUE;
  }
  return FALSE;
}

void CPolygonBlock::MoveControlPoint(CBlockView* view, UINT keyFlags, int index, float x, float y) {
  FPOINT p = ToBlock(x, y);
  float distance = Distance(m_centre.x, m_centre.y, p.x, p.y);
  float angle = AngleOf(m_centre.x, m_centre.y, p.x, p.y);
  switch (index) {
    case kCentre:
      m_centre = p;
      break;
    case kFirstCorner:
      m_startAngle = angle;
      m_outerRadius = distance;
      break;
    case kInnerCorner:
      m_innerRadius = distance;
      if (keyFlags & MK_SHIFT) {
        int corners = std::clamp(m_cornerCount, kMinPolygonCorners, kMaxPolygonCorners);
        m_starAngle = kHalfTurn / static_cast<float>(corners);
      } else {
        m_starAngle = angle - m_startAngle;
      }
      break;
    case kBandCircle: {
      FPOINT onInner = PointAt(angle, m_innerRadius);
      if (Distance(onInner.x, onInner.y, p.x, p.y) <= 2.0f * PixelUnits(view, 1))
        m_bandWidth = 0.0f;
      else
        m_bandWidth = m_innerRadius - distance;
      break;
    }
    default:
      break;
  }
}

void CPolygonBlock::DrawControlPointXor(CBlockView* view, int, float, float) {
  DrawOutlineAndOverlayXor(view);
}

void CPolygonBlock::DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) {
  CMatrix2D toDevice = BlockToDevice(matrix);
  CXorScope xorScope(dc, CFeedbackTools::GreenPen());
  float r = m_innerRadius - m_bandWidth;
  std::unique_ptr<CContour> circle(
      ContourFromEllipse(m_centre.x - r, m_centre.y - r, m_centre.x + r, m_centre.y + r));
  circle->Stroke(dc, &toDevice);
  xorScope.SelectPen(CFeedbackTools::RedPen());
  for (int i = kCentre; i <= kInnerCorner; ++i) DrawControlSquare(dc, toDevice, ControlPoint(i));
  xorScope.SelectPen(CFeedbackTools::BluePen());
  POINT guide[3] = {ToDeviceInt(toDevice, ControlPoint(kInnerCorner)),
                    ToDeviceInt(toDevice, m_centre),
                    ToDeviceInt(toDevice, ControlPoint(kFirstCorner))};
  dc->Polyline(guide, 3);
}

void CPolygonBlock::AddColourToCombo(HWND) {}

void CPolygonBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  if (m_matrix.IsIdentity()) {
    m_centre.x += dx;
    m_centre.y += dy;
  } else {
    m_matrix.m[6] += dx;
    m_matrix.m[7] += dy;
  }
}

void CPolygonBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  // The box follows at once: selection, hit tests and undo read it before anything is drawn.
  delete GetContour(nullptr, 0);
}

CContour* CPolygonBlock::GetContour(const CMatrix2D* matrix, UINT) {
  if (m_type != kPolygonBlock) return nullptr;
  return FinishContour(ContourFromRegularPolygon(Shape()), matrix);
}

int CPolygonBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CPolygonBlock::AppendRecordTo(CByteWriter& out) {
  CBlockRecordWriter writer(out, kPolygonRecordTag, *this);
  CByteWriter& fields = writer.Fields();
  fields.WriteFloat(m_outerRadius);
  fields.WriteFloat(m_innerRadius);
  writer.WriteMatrix(m_matrix);
  writer.WriteRect(m_box);
  fields.WriteDWord(m_colour);
  fields.WriteFloat(m_bandWidth);
  fields.WriteFloat(m_startAngle);
  fields.WriteInt32(m_cornerCount);
  fields.WriteFloat(m_starAngle);
  fields.WriteFloat(m_centre.x);
  fields.WriteFloat(m_centre.y);
  return writer.Close();
}

CBlock* LoadPolygonBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kPolygonRecordTag, CPolygonBlock::kRecordLength)) return nullptr;
  std::unique_ptr<CPolygonBlock> polygon(new CPolygonBlock);
  reader.ReadHeaderInto(*polygon, false);
  CByteReader& fields = reader.Fields();
  DWORD colour = 0;
  int corners = 0;
  if (!reader.ReadFloat(polygon->m_outerRadius) || !reader.ReadFloat(polygon->m_innerRadius) ||
      !reader.ReadMatrix(polygon->m_matrix) || !reader.ReadRect(polygon->m_box) ||
      !fields.ReadDWord(colour) || !reader.ReadFloat(polygon->m_bandWidth) ||
      !reader.ReadFloat(polygon->m_startAngle) || !fields.ReadInt32(corners) ||
      !reader.ReadFloat(polygon->m_starAngle) || !reader.ReadPoint(polygon->m_centre))
    return nullptr;
  polygon->m_colour = colour;
  polygon->m_cornerCount = std::clamp(corners, kMinPolygonCorners, kMaxPolygonCorners);
  return polygon.release();
}
