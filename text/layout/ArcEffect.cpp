#include "text/layout/ArcEffect.h"

#include <cmath>
#include <limits>
#include <utility>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "model/blocks/CircleConstruction.h"
#include "model/geometry/Geometry.h"
#include "text/layout/TextDefaults.h"

namespace {

const double kPi = 3.14159265358979323846;
// The float step of an end angle the arc keeps (below two turns).
const double kTurnStep = std::nextafter(2 * kFullTurn, std::numeric_limits<float>::infinity()) -
                         2 * kFullTurn;

}  // namespace

void ReduceArcAngles(float* start, float* end) {
  double turn = kFullTurn;
  double from = *start, span = static_cast<double>(*end) - *start;
  from = std::fmod(from, turn);
  if (from < 0) from += turn;
  // A start a hair below zero comes round to a whole turn, in the sum or in the float it is kept
  // in: that is where the turn starts, or the next reading would move the arc.
  if (static_cast<float>(from) >= kFullTurn) from = 0;
  // A whole turn typed or stored lands a float step to either side of this one's value (360
  // degrees is the float just above 2 pi): it stays a whole turn, not a sliver of one.
  if (std::fabs(span - turn) <= kTurnStep) span = turn;
  if (!(span >= 0 && span <= turn)) {
    span = std::fmod(span, turn);
    if (span < 0) span += turn;
  }
  *start = static_cast<float>(from);
  *end = static_cast<float>(from + span);
}

CArcEffect::CArcEffect(CBoxArray* boxes, CMatrix2D* blockMatrix)
    : CCurvedTextEffect(kArc, boxes, blockMatrix),
      m_radius(1),
      m_centre{0, 0},
      m_start(0),
      m_end(0),
      m_reserved(0) {}

CArcEffect::CArcEffect(float x1, float y1, float x2, float y2, CBoxArray* boxes,
                       CMatrix2D* blockMatrix)
    : CArcEffect(boxes, blockMatrix) {
  m_radius = CircleThroughArch(x1, y1, x2, y2);
  m_textHeight = CTextDefaults::Global().fontSizeY;
  m_attributes = kSpread;
  bool overTheTop = y2 > y1;
  m_centre = {(x1 + x2) / 2, overTheTop ? y1 + m_radius : y1 - m_radius};
  FPOINT first = {overTheTop ? x2 : x1, y2}, second = {overTheTop ? x1 : x2, y2};
  if (overTheTop) m_attributes |= kReversed;
  m_start = AngleOf(m_centre.x, m_centre.y, first.x, first.y);
  m_end = AngleOf(m_centre.x, m_centre.y, second.x, second.y);
  ReduceArcAngles(&m_start, &m_end);
}

CArcEffect* CArcEffect::FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                   CMatrix2D* blockMatrix) {
  CByteReader reader(record, record ? available : 0);
  BYTE tag = 0, kind = 0;
  DWORD length = 0;
  WORD attributes = 0;
  float radius = 0, cx = 0, cy = 0, start = 0, end = 0, reserved = 0, height = 0;
  if (!reader.ReadByte(tag) || tag != kTag || !reader.ReadDWord(length) || length != kRecordSize ||
      available < length || !reader.ReadByte(kind) || !reader.ReadFloat(radius) ||
      !reader.ReadFloat(cx) || !reader.ReadFloat(cy) || !reader.ReadFloat(start) ||
      !reader.ReadFloat(end) || !reader.ReadWord(attributes) || !reader.ReadFloat(reserved) ||
      !reader.ReadFloat(height))
    return nullptr;
  for (float value : {radius, cx, cy, start, end, reserved, height})
    if (!std::isfinite(value)) return nullptr;
  if (!(radius > 0)) return nullptr;
  CArcEffect* effect = new CArcEffect(boxes, blockMatrix);
  effect->m_radius = radius;
  effect->m_centre = {cx, cy};
  effect->m_start = start;
  effect->m_end = end;
  ReduceArcAngles(&effect->m_start, &effect->m_end);
  effect->m_attributes = attributes;
  effect->m_reserved = reserved;
  effect->m_textHeight = height;
  return effect;
}

int CArcEffect::WriteRecord(CByteWriter& out) const {
  BYTE record[kRecordSize];
  CByteWriter writer(record, sizeof record);
  writer.WriteByte(kTag);
  writer.WriteDWord(kRecordSize);
  writer.WriteByte(kArc);
  writer.WriteFloat(m_radius);
  writer.WriteFloat(m_centre.x);
  writer.WriteFloat(m_centre.y);
  writer.WriteFloat(m_start);
  writer.WriteFloat(m_end);
  writer.WriteWord(m_attributes);
  writer.WriteFloat(m_reserved);
  writer.WriteFloat(m_textHeight);
  return out.WriteBytes(record, sizeof record) ? static_cast<int>(kRecordSize) : 0;
}

void CArcEffect::SetArc(FPOINT centre, float radius, float start, float end) {
  for (float value : {centre.x, centre.y, radius, start, end})
    if (!std::isfinite(value)) return;
  if (!(radius > 0)) return;
  m_centre = centre;
  m_radius = radius;
  m_start = start;
  m_end = end;
  ReduceArcAngles(&m_start, &m_end);
}

FPOINT CArcEffect::PointAt(float angle) const {
  return {static_cast<float>(m_centre.x + m_radius * std::cos(angle)),
          static_cast<float>(m_centre.y - m_radius * std::sin(angle))};
}

void CArcEffect::Layout(INT_PTR /*from*/) { LayOutOnCircle(m_centre, m_radius, m_start, m_end); }

CMatrix2D CArcEffect::GetBoxMatrix(const CCharBox* box) const {
  return CircleBoxMatrix(box, m_centre);
}

void CArcEffect::Offset(float dx, float dy) {
  m_centre.x += dx;
  m_centre.y += dy;
}

FPOINT CArcEffect::EmptyTextPoint() const {
  return PointAt((m_attributes & kReversed) ? m_end : m_start);
}

void CArcEffect::BuildLayoutLine(std::vector<POINTREC>* points) const {
  BuildArcLine(m_centre, m_radius, m_start, m_end, points);
}

void CArcEffect::DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) {
  DrawGuide(dc, toDevice, {PointAt(m_start), PointAt(m_end), PointAt(MidAngle(m_start, m_end))},
            static_cast<COLORREF>(-1));
}

bool CArcEffect::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  float tolerance = HandleTolerance(view);
  const std::pair<int, FPOINT> points[] = {{kMiddleHandle, PointAt(MidAngle(m_start, m_end))},
                                           {kStartHandle, PointAt(m_start)},
                                           {kEndHandle, PointAt(m_end)}};
  for (const auto& point : points) {
    FPOINT p = point.second;
    if (PointInBox(x, y, p.x - tolerance, p.y - tolerance, p.x + tolerance, p.y + tolerance)) {
      if (handle) *handle = point.first;
      return true;
    }
  }
  float angle = RaiseAngleToAtLeast(AngleOf(m_centre.x, m_centre.y, x, y), m_start);
  float off = std::fabs(Distance(m_centre.x, m_centre.y, x, y) - m_radius);
  if (angle > m_start && angle < m_end && off < tolerance) {
    if (handle) *handle = kArcHandle;
    return true;
  }
  if (handle) *handle = -1;
  return false;
}

int CArcEffect::MoveHandle(CBlockView* /*view*/, int handle, float x, float y) {
  float angle = AngleOf(m_centre.x, m_centre.y, x, y);
  float start = m_start, end = m_end;
  switch (handle) {
    case kMiddleHandle: {
      float turn = angle - (start + end) / 2;
      SetArc(m_centre, m_radius, start + turn, end + turn);
      return 1;
    }
    case kStartHandle:
      SetArc(m_centre, m_radius, angle, end);
      return 1;
    case kEndHandle:
      SetArc(m_centre, m_radius, start, angle);
      return 1;
    case kArcHandle: {
      FPOINT from = PointAt(start), to = PointAt(end), centre;
      float radius = CircleFromPoints(from.x, from.y, x, y, to.x, to.y, &centre);
      // Three points on one line make no circle: the arc stays as it was.
      if (radius >= kNoCircleRadius) return 1;
      float a0 = AngleOf(centre.x, centre.y, from.x, from.y);
      float a1 = RaiseAngleToAtLeast(AngleOf(centre.x, centre.y, to.x, to.y), a0);
      float dragged = RaiseAngleToAtLeast(AngleOf(centre.x, centre.y, x, y), a0);
      // The arc runs through the dragged point: from the end round to the start when the point
      // lies beyond the end.
      if (dragged > a1) std::swap(a0, a1);
      SetArc(centre, radius, a0, a1);
      return 1;
    }
    default:
      return 0;
  }
}

void CArcEffect::WritePanelValues(HWND panel) const {
  WritePanelNumber(panel, kStartAngleEdit, m_start * 180 / kPi);
  WritePanelNumber(panel, kEndAngleEdit, m_end * 180 / kPi);
  WritePanelNumber(panel, kRadiusEdit, m_radius);
}

void CArcEffect::ReadPanelValues(HWND panel) {
  double start = m_start, end = m_end, radius = m_radius, value = 0;
  if (ReadChangedPanelNumber(panel, kStartAngleEdit, m_start * 180 / kPi, &value))
    start = value * kPi / 180;
  if (ReadChangedPanelNumber(panel, kEndAngleEdit, m_end * 180 / kPi, &value))
    end = value * kPi / 180;
  // A radius of 0 or less leaves the radius as it was.
  if (ReadChangedPanelNumber(panel, kRadiusEdit, m_radius, &value) && value > 0) radius = value;
  // More than a whole turn typed is the whole circle, not what is left over past it.
  if (end - start > kFullTurn) end = start + kFullTurn;
  SetArc(m_centre, static_cast<float>(radius), static_cast<float>(start), static_cast<float>(end));
}
