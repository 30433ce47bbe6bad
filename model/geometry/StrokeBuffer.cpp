#include "model/geometry/StrokeBuffer.h"

#include <algorithm>

#include "framework/DC.h"

CStrokeBuffer::CStrokeBuffer(int expectedPoints) {
  size_t room = static_cast<size_t>(std::max(expectedPoints, 0)) + 1;
  m_points.reserve(room);
  m_types.reserve(room);
}

void CStrokeBuffer::MoveTo(const POINT& point) {
  m_position = point;
  m_moved = true;
}

void CStrokeBuffer::OpenStrokeIfMoved() {
  if (!m_moved && !m_points.empty()) return;
  m_points.push_back(m_position);
  m_types.push_back(PT_MOVETO);
  m_strokeLengths.push_back(1);
  m_moved = false;
}

void CStrokeBuffer::LineTo(const POINT& point) {
  OpenStrokeIfMoved();
  m_points.push_back(point);
  m_types.push_back(PT_LINETO);
  ++m_strokeLengths.back();
  m_position = point;
}

void CStrokeBuffer::BezierTo(const POINT pieces[3]) {
  OpenStrokeIfMoved();
  for (int i = 0; i < 3; ++i) {
    m_points.push_back(pieces[i]);
    m_types.push_back(PT_BEZIERTO);
  }
  m_strokeLengths.back() += 3;
  m_position = pieces[2];
  m_hasBeziers = true;
}

void CStrokeBuffer::StrokeAsPath(CDC* dc) const {
  dc->BeginPath();
  if (!m_points.empty())
    dc->PolyDraw(m_points.data(), m_types.data(), static_cast<int>(m_points.size()));
  dc->EndPath();
  dc->StrokePath();
}

void CStrokeBuffer::StrokeThin(CDC* dc) const {
  if (m_hasBeziers) {
    StrokeAsPath(dc);
    return;
  }
  if (!m_points.empty())
    dc->PolyPolyline(m_points.data(), m_strokeLengths.data(),
                     static_cast<int>(m_strokeLengths.size()));
}
