#include "text/layout/ArchEffect.h"

#include <cmath>
#include <utility>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "model/blocks/CircleConstruction.h"
#include "model/geometry/Geometry.h"
#include "text/layout/TextDefaults.h"

CArchEffect::CArchEffect(CBoxArray* boxes, CMatrix2D* blockMatrix)
    : CCurvedTextEffect(kArch, boxes, blockMatrix), m_first{0, 0}, m_second{0, 0}, m_apex{0, 0} {}

CArchEffect::CArchEffect(float x1, float y1, float x2, float y2, CBoxArray* boxes,
                         CMatrix2D* blockMatrix)
    : CArchEffect(boxes, blockMatrix) {
  m_textHeight = CTextDefaults::Global().fontSizeY;
  bool overTheTop = y2 > y1;
  float ends = overTheTop ? y2 : y1;
  m_first = {x1, ends};
  m_second = {x2, ends};
  m_apex = {(x1 + x2) / 2, overTheTop ? y1 : y2};
  m_attributes = overTheTop ? (kSpread | kReversed) : kSpread;
}

CArchEffect* CArchEffect::FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                     CMatrix2D* blockMatrix) {
  CByteReader reader(record, record ? available : 0);
  BYTE tag = 0, kind = 0;
  DWORD length = 0, zero = 0;
  WORD attributes = 0;
  float points[6], height = 0;
  if (!reader.ReadByte(tag) || tag != kTag || !reader.ReadDWord(length) || length != kRecordSize ||
      available < length || !reader.ReadByte(kind))
    return nullptr;
  for (float& value : points)
    if (!reader.ReadFloat(value) || !std::isfinite(value)) return nullptr;
  if (!reader.ReadWord(attributes) || !reader.ReadDWord(zero) || !reader.ReadFloat(height) ||
      !std::isfinite(height))
    return nullptr;
  CArchEffect* effect = new CArchEffect(boxes, blockMatrix);
  effect->m_first = {points[0], points[1]};
  effect->m_second = {points[2], points[3]};
  effect->m_apex = {points[4], points[5]};
  effect->m_attributes = attributes;
  effect->m_textHeight = height;
  return effect;
}

int CArchEffect::WriteRecord(CByteWriter& out) const {
  BYTE record[kRecordSize];
  CByteWriter writer(record, sizeof record);
  writer.WriteByte(kTag);
  writer.WriteDWord(kRecordSize);
  writer.WriteByte(kArch);
  for (const FPOINT& point : {m_first, m_second, m_apex}) {
    writer.WriteFloat(point.x);
    writer.WriteFloat(point.y);
  }
  writer.WriteWord(m_attributes);
  writer.WriteDWord(0);
  writer.WriteFloat(m_textHeight);
  return out.WriteBytes(record, sizeof record) ? static_cast<int>(kRecordSize) : 0;
}

FPOINT CArchEffect::CentreOf(float* radius) const {
  FPOINT centre = m_apex;
  float circle = CircleFromPoints(m_first.x, m_first.y, m_apex.x, m_apex.y, m_second.x, m_second.y,
                                  &centre);
  if (circle < kNoCircleRadius) {
    if (radius) *radius = Distance(centre.x, centre.y, m_apex.x, m_apex.y);
    return centre;
  }
  // No circle: one far enough away that the text runs almost straight.
  if (radius) *radius = kNoCircleRadius;
  float away = (m_attributes & kReversed) ? kNoCircleRadius : -kNoCircleRadius;
  if (IsVerticalChord()) return {m_apex.x + away, m_apex.y};
  return {m_apex.x, m_apex.y + away};
}

void CArchEffect::GetCircle(FPOINT* centre, float* radius, float* start, float* end) const {
  FPOINT c = CentreOf(radius);
  *centre = c;
  float first = AngleOf(c.x, c.y, m_first.x, m_first.y);
  float second = RaiseAngleToAtLeast(AngleOf(c.x, c.y, m_second.x, m_second.y), first);
  float apex = RaiseAngleToAtLeast(AngleOf(c.x, c.y, m_apex.x, m_apex.y), first);
  // Counter-clockwise from the first end the walk meets the apex before the second end, or the
  // arc through the apex runs the other way round.
  if (apex <= second) {
    *start = first;
    *end = second;
  } else {
    *start = AngleOf(c.x, c.y, m_second.x, m_second.y);
    *end = RaiseAngleToAtLeast(first, *start);
  }
}

void CArchEffect::Layout(INT_PTR /*from*/) {
  FPOINT centre;
  float radius, start, end;
  GetCircle(&centre, &radius, &start, &end);
  LayOutOnCircle(centre, radius, start, end);
}

CMatrix2D CArchEffect::GetBoxMatrix(const CCharBox* box) const {
  return CircleBoxMatrix(box, CentreOf());
}

void CArchEffect::Offset(float dx, float dy) {
  for (FPOINT* point : {&m_first, &m_second, &m_apex}) {
    point->x += dx;
    point->y += dy;
  }
}

FPOINT CArchEffect::EmptyTextPoint() const {
  FPOINT centre;
  float radius, start, end;
  GetCircle(&centre, &radius, &start, &end);
  float at = (m_attributes & kReversed) ? end : start;
  return {static_cast<float>(centre.x + radius * std::cos(at)),
          static_cast<float>(centre.y - radius * std::sin(at))};
}

void CArchEffect::BuildLayoutLine(std::vector<POINTREC>* points) const {
  FPOINT centre;
  float radius, start, end;
  GetCircle(&centre, &radius, &start, &end);
  BuildArcLine(centre, radius, start, end, points);
}

void CArchEffect::DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) {
  DrawGuide(dc, toDevice, {m_first, m_second, m_apex}, static_cast<COLORREF>(-1));
}

bool CArchEffect::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  float tolerance = HandleTolerance(view);
  const std::pair<int, FPOINT> points[] = {{kFirstEndHandle, m_first},
                                           {kSecondEndHandle, m_second},
                                           {kApexHandle, m_apex}};
  for (const auto& point : points) {
    FPOINT p = point.second;
    if (PointInBox(x, y, p.x - tolerance, p.y - tolerance, p.x + tolerance, p.y + tolerance)) {
      if (handle) *handle = point.first;
      return true;
    }
  }
  if (handle) *handle = -1;
  return false;
}

int CArchEffect::MoveHandle(CBlockView* /*view*/, int handle, float x, float y) {
  bool vertical = IsVerticalChord();
  switch (handle) {
    case kFirstEndHandle:
    case kSecondEndHandle: {
      FPOINT& moved = handle == kFirstEndHandle ? m_first : m_second;
      FPOINT& other = handle == kFirstEndHandle ? m_second : m_first;
      // The other end mirrors the moved one about the apex and the chord stays as it was.
      if (vertical) {
        m_first.x = m_second.x = x;
        moved.y = y;
        other.y = 2 * m_apex.y - y;
      } else {
        moved = {x, y};
        other = {2 * m_apex.x - x, y};
      }
      return 1;
    }
    case kApexHandle:
      if (vertical)
        m_apex.x = x;
      else
        m_apex.y = y;
      return 1;
    default:
      return 0;
  }
}

void CArchEffect::WritePanelValues(HWND panel) const {
  if (IsVerticalChord()) {
    WritePanelNumber(panel, kWidthEdit, std::fabs(m_second.y - m_first.y));
    WritePanelNumber(panel, kHeightEdit, m_first.x - m_apex.x);
  } else {
    WritePanelNumber(panel, kWidthEdit, std::fabs(m_second.x - m_first.x));
    WritePanelNumber(panel, kHeightEdit, m_first.y - m_apex.y);
  }
}

void CArchEffect::ReadPanelValues(HWND panel) {
  bool vertical = IsVerticalChord();
  double width = 0, height = 0;
  bool newWidth = ReadChangedPanelNumber(panel, kWidthEdit,
                                         vertical ? std::fabs(m_second.y - m_first.y)
                                                  : std::fabs(m_second.x - m_first.x),
                                         &width);
  bool newHeight = ReadChangedPanelNumber(panel, kHeightEdit,
                                          vertical ? m_first.x - m_apex.x : m_first.y - m_apex.y,
                                          &height);
  float w = static_cast<float>(width), h = static_cast<float>(height);
  if (!std::isfinite(w) || !std::isfinite(h)) return;
  if (vertical) {
    if (newWidth) {
      m_first.y = m_apex.y - w / 2;
      m_second.y = m_apex.y + w / 2;
    }
    // A height of 0 leaves the apex where it is.
    if (newHeight && h != 0) m_apex.x = m_first.x - h;
  } else {
    if (newWidth) {
      m_first.x = m_apex.x - w / 2;
      m_second.x = m_apex.x + w / 2;
    }
    if (newHeight && h != 0) m_apex.y = m_first.y - h;
  }
}
