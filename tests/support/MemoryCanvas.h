// A memory context on a screen-compatible bitmap, filled white, for tests that draw and then
// look at pixels.
#pragma once

#include "framework/ClientDC.h"
#include "framework/DC.h"

class MemoryCanvas {
public:
  MemoryCanvas(int width, int height) {
    CClientDC screen(static_cast<HWND>(nullptr));
    m_dc.CreateCompatibleDC(&screen);
    m_bitmap.CreateCompatibleBitmap(&screen, width, height);
    m_previous = m_dc.SelectObject(&m_bitmap);
    m_dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  }
  ~MemoryCanvas() { m_dc.SelectObject(m_previous); }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  CDC& DC() { return m_dc; }
  bool IsWhite(int x, int y) const { return m_dc.GetPixel(x, y) == RGB(255, 255, 255); }

private:
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_previous = nullptr;
};
