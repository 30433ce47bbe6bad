#include "model/blocks/RectBlock.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/DC.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ContourShapes.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

namespace {

// 1 - d / half, with d / half held to 0 .. 1: a drag toward the centre rounds the corner more.
// A side of no length has nothing to share, so the ratio stays.
float RatioFromDistance(float d, float half, float current) {
  if (!(half > 0.0f)) return current;
  return std::fabs(1.0f - std::clamp(d / half, 0.0f, 1.0f));
}

}  // namespace

CRectBlock::CRectBlock()
    : m_rect(0.0f, 0.0f, 0.0f, 0.0f), m_cornerRatioX(0.0f), m_cornerRatioY(0.0f), m_cornerStyle(0) {
  m_type = kRectBlock;
}

BOOL CRectBlock::CanNodeEdit() { return TRUE; }

BOOL CRectBlock::HitTest(CBlockView* view, float x, float y) {
  float tolerance = PixelUnits(view, kControlPixels);
  CFRect box = m_box;
  box.Normalize();
  if (x < box.left - tolerance || x > box.right + tolerance || y < box.top - tolerance ||
      y > box.bottom + tolerance)
    return FALSE;
  std::unique_ptr<CContour> contour(GetContour(nullptr, 0));
  return contour && contour->HitTestOutline(x, y, tolerance);
}

FPOINT CRectBlock::ControlPoint(int index) const {
  float w = std::fabs(m_rect.right - m_rect.left), h = std::fabs(m_rect.bottom - m_rect.top);
  float insetX = w * m_cornerRatioX / 2.0f, insetY = h * m_cornerRatioY / 2.0f;
  bool right = index == 1 || index == 3, bottom = index == 2 || index == 3;
  return FPOINT{right ? m_rect.right - insetX : m_rect.left + insetX,
                bottom ? m_rect.bottom - insetY : m_rect.top + insetY};
}

BOOL CRectBlock::HitTestControlPoint(CBlockView* view, float x, float y, int* index) {
  *index = kNoHandle;
  for (int i = 0; i < kControlPointCount; ++i)
    if (HitsControlSquare(view, ControlPoint(i), x, y)) {
      *index = i;
      return TRUE;
    }
  return FALSE;
}

void CRectBlock::MoveControlPoint(CBlockView*, UINT, int index, float x, float y) {
  if (index < 0 || index >= kControlPointCount) return;
  FPOINT p = ToBlock(x, y);
  float cx = (m_rect.left + m_rect.right) / 2.0f, cy = (m_rect.top + m_rect.bottom) / 2.0f;
  float a = std::fabs(m_rect.right - m_rect.left) / 2.0f;
  float b = std::fabs(m_rect.bottom - m_rect.top) / 2.0f;
  bool right = index == 1 || index == 3, bottom = index == 2 || index == 3;
  float d = right ? p.x - cx : cx - p.x;
  float e = bottom ? p.y - cy : cy - p.y;
  m_cornerRatioX = RatioFromDistance(d, a, m_cornerRatioX);
  m_cornerRatioY = RatioFromDistance(e, b, m_cornerRatioY);
}

void CRectBlock::DrawControlPointXor(CBlockView* view, int, float, float) {
  DrawOutlineAndOverlayXor(view);
}

void CRectBlock::DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) {
  CMatrix2D toDevice = BlockToDevice(matrix);
  CXorScope xorScope(dc, CFeedbackTools::RedPen());
  for (int i = 0; i < kControlPointCount; ++i) DrawControlSquare(dc, toDevice, ControlPoint(i));
  if (m_cornerRatioX == 0.0f || m_cornerRatioY == 0.0f) return;
  xorScope.SelectPen(CFeedbackTools::BlueDottedPen());
  for (int i = 0; i < kControlPointCount; ++i) {
    FPOINT p = ControlPoint(i);
    bool right = i == 1 || i == 3, bottom = i == 2 || i == 3;
    // From the horizontal edge to the control point and across to the vertical edge.
    FPOINT guide[3] = {{p.x, bottom ? m_rect.bottom : m_rect.top},
                       p,
                       {right ? m_rect.right : m_rect.left, p.y}};
    POINT device[3];
    for (int k = 0; k < 3; ++k) toDevice.TransformPointToInt(&guide[k], &device[k]);
    dc->Polyline(device, 3);
  }
}

void CRectBlock::Offset(float dx, float dy) {
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

void CRectBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  CFRect corners = m_rect;
  m_matrix.TransformRect(&corners);
  m_box = corners;
}

CContour* CRectBlock::GetContour(const CMatrix2D* matrix, UINT) {
  if (m_type != kRectBlock) return nullptr;
  const CFRect& r = m_rect;
  CContour* contour = (m_cornerRatioX == 0.0f || m_cornerRatioY == 0.0f)
                          ? ContourFromRect(r.left, r.top, r.right, r.bottom, nullptr)
                          : ContourFromRoundRect(r.left, r.top, r.right, r.bottom, m_cornerRatioX,
                                                 m_cornerRatioY, nullptr);
  return FinishContour(contour, matrix);
}

int CRectBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CRectBlock::AppendRecordTo(CByteWriter& out) {
  CBlockRecordWriter writer(out, kRectRecordTag, *this);
  CByteWriter& fields = writer.Fields();
  writer.WriteRect(m_rect);
  writer.WriteMatrix(m_matrix);
  fields.WriteFloat(m_cornerRatioX);
  fields.WriteFloat(m_cornerRatioY);
  writer.WriteRect(m_box);
  fields.WriteDWord(m_colour);
  fields.WriteInt32(m_cornerStyle);
  return writer.Close();
}

CBlock* LoadRectBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kRectRecordTag, CRectBlock::kRecordLength)) return nullptr;
  std::unique_ptr<CRectBlock> rect(new CRectBlock);
  reader.ReadHeaderInto(*rect, false);
  CByteReader& fields = reader.Fields();
  DWORD colour = 0;
  if (!reader.ReadRect(rect->m_rect) || !reader.ReadMatrix(rect->m_matrix) ||
      !reader.ReadFloat(rect->m_cornerRatioX) || !reader.ReadFloat(rect->m_cornerRatioY) ||
      !reader.ReadRect(rect->m_box) || !fields.ReadDWord(colour) ||
      !fields.ReadInt32(rect->m_cornerStyle))
    return nullptr;
  rect->m_colour = colour;
  return rect.release();
}
