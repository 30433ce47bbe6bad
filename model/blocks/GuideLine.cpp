#include "model/blocks/GuideLine.h"

#include <cmath>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/DC.h"
#include "framework/Pen.h"
#include "model/editing/FeedbackTools.h"
#include "model/geometry/Matrix2D.h"

namespace {

const double kPi = 3.14159265358979323846;
const size_t kRecordBufferSize = 29;

bool IsHorizontal(double angle) { return angle == 0.0 || angle == 180.0 || angle == 360.0; }
bool IsVertical(double angle) { return angle == 90.0 || angle == 270.0; }

}  // namespace

CGuideLine::CGuideLine(float x, float y, double angle)
    : CAuxObject(kGuideLineType, 0), m_x(x), m_y(y), m_angle(angle) {}

CGuideLine* CGuideLine::FromRecord(const BYTE* record, size_t available) {
  CByteReader reader(record, available);
  BYTE tag = 0;
  float angle = 0, x = 0, y = 0;
  if (!reader.ReadByte(tag) || tag != kGuideLineType || !reader.Skip(6) ||
      !reader.ReadFloat(angle) || !reader.ReadFloat(x) || !reader.ReadFloat(y))
    return nullptr;
  return new CGuideLine(x, y, angle);
}

double CGuideLine::NormalizeAngle(double angle) {
  if (!std::isfinite(angle)) return 0.0;
  if (angle <= 360.0) return angle;
  double rest = std::fmod(angle, 360.0);
  return rest == 0.0 ? 360.0 : rest;
}

void CGuideLine::GetEnds(const CFRect& visible, float margin, FPOINT* start, FPOINT* end) {
  m_angle = NormalizeAngle(m_angle);
  float left = visible.left - margin, right = visible.right + margin;
  float top = visible.top - margin, bottom = visible.bottom + margin;
  if (IsHorizontal(m_angle)) {
    *start = {left, m_y};
    *end = {right, m_y};
    return;
  }
  if (IsVertical(m_angle)) {
    *start = {m_x, top};
    *end = {m_x, bottom};
    return;
  }
  double slope = std::tan(m_angle * kPi / 180.0);
  if (slope > -1.0 && slope < 1.0) {
    *start = {left, static_cast<float>(m_y - slope * (left - m_x))};
    *end = {right, static_cast<float>(m_y - slope * (right - m_x))};
  } else {
    *start = {static_cast<float>(m_x - (top - m_y) / slope), top};
    *end = {static_cast<float>(m_x - (bottom - m_y) / slope), bottom};
  }
}

void CGuideLine::DrawWithPen(CDC* dc, CPen* pen, const CMatrix2D& matrix, const CFRect& visible) {
  if (!dc) return;
  FPOINT start, end;
  GetEnds(visible, 5.0f * matrix.m[0], &start, &end);
  POINT from, to;
  matrix.TransformPointToInt(&start, &from);
  matrix.TransformPointToInt(&end, &to);
  CPen* previousPen = dc->SelectObject(pen);
  int previousMode = dc->SetROP2(R2_NOTXORPEN);
  dc->MoveTo(from);
  dc->LineTo(to);
  dc->SetROP2(previousMode);
  dc->SelectObject(previousPen);
}

void CGuideLine::DrawXor(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  DrawWithPen(dc, CFeedbackTools::GreenPen(), matrix, visible);
}

void CGuideLine::DrawOutline(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  DrawWithPen(dc, CFeedbackTools::RedPen(), matrix, visible);
}

UINT CGuideLine::GetPanelId() { return kPanelId; }

int CGuideLine::WriteRecord(HGLOBAL* record) {
  CByteWriter writer;
  writer.WriteByte(kGuideLineType);
  writer.WriteInt32(kRecordLength);
  writer.WriteWord(0);
  writer.WriteFloat(static_cast<float>(m_angle));
  writer.WriteFloat(m_x);
  writer.WriteFloat(m_y);
  writer.WriteByte(kAuxRecordEndByte);
  return HandOverRecord(writer, kRecordBufferSize, record);
}

void CGuideLine::SetMarkState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  m_state = kMarkedState;
  DrawOutline(dc, matrix, visible);
}

void CGuideLine::SetSelectState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  m_state = kSelectedState;
  DrawOutline(dc, matrix, visible);
}

void CGuideLine::Offset(float dx, float dy) {
  m_x += dx;
  m_y += dy;
}

BOOL CGuideLine::HitTest(float x, float y, float tolerance) {
  if (IsHorizontal(m_angle)) return std::fabs(y - m_y) <= tolerance;
  if (IsVertical(m_angle)) return std::fabs(x - m_x) <= tolerance;
  double slope = -std::tan(m_angle * kPi / 180.0);
  double distance = std::fabs(m_y - slope * m_x + slope * x - y) / std::sqrt(slope * slope + 1.0);
  return distance <= tolerance;
}
