#include "model/geometry/StrokeBuffer.h"

#include "framework/DC.h"

namespace {

// The shared buffer keeps its storage up to this many points; a longer outline's goes back to the
// system once it is drawn.
const size_t kKeptPoints = 16384;

CStrokeBuffer g_shared;
LONG g_sharedTaken = 0;

template <class T>
void EmptyKeepingSmallStorage(std::vector<T>* values) {
  if (values->capacity() > kKeptPoints)
    std::vector<T>().swap(*values);
  else
    values->clear();
}

}  // namespace

CStrokeBuffer::Lease::Lease() : m_buffer(&g_shared) {
  if (::InterlockedCompareExchange(&g_sharedTaken, 1, 0) == 0) return;
  m_own.reset(new CStrokeBuffer);
  m_buffer = m_own.get();
}

CStrokeBuffer::Lease::~Lease() {
  if (m_own) return;
  g_shared.Clear();
  ::InterlockedExchange(&g_sharedTaken, 0);
}

void CStrokeBuffer::Clear() {
  EmptyKeepingSmallStorage(&m_points);
  EmptyKeepingSmallStorage(&m_types);
  EmptyKeepingSmallStorage(&m_strokeLengths);
  m_position = POINT{0, 0};
  m_moved = false;
  m_hasBeziers = false;
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
