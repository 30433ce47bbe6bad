#include "editor/views/PaintBuffer.h"

CPaintBuffer::CPaintBuffer(HDC window, const RECT& area) : m_window(window), m_area(area) {
  HDC memory = ::CreateCompatibleDC(window);
  m_bitmap = memory ? ::CreateCompatibleBitmap(window, area.right, area.bottom) : nullptr;
  if (m_bitmap) {
    m_memory = memory;
    m_previousBitmap = ::SelectObject(m_memory, m_bitmap);
  } else {
    if (memory) ::DeleteDC(memory);
    m_savedWindow = ::SaveDC(m_window);
  }
  ::IntersectClipRect(Context(), area.left, area.top, area.right, area.bottom);
}

CPaintBuffer::~CPaintBuffer() {
  if (!m_memory) {
    ::RestoreDC(m_window, m_savedWindow);
    return;
  }
  ::BitBlt(m_window, m_area.left, m_area.top, m_area.right - m_area.left,
           m_area.bottom - m_area.top, m_memory, m_area.left, m_area.top, SRCCOPY);
  ::SelectObject(m_memory, m_previousBitmap);
  ::DeleteObject(m_bitmap);
  ::DeleteDC(m_memory);
}
