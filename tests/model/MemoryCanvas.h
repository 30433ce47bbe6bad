// A white memory bitmap with its device context, for tests that check drawn pixels.
#pragma once

#include <vector>

#include "framework/Bitmap.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"

class MemoryCanvas {
public:
  MemoryCanvas(int width, int height) : m_width(width), m_height(height) {
    CClientDC screen(static_cast<HWND>(nullptr));
    m_dc.CreateCompatibleDC(&screen);
    m_bitmap.CreateCompatibleBitmap(&screen, width, height);
    m_previous = m_dc.SelectObject(m_bitmap.m_hObject);
    m_dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  }
  ~MemoryCanvas() { m_dc.SelectObject(m_previous); }
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  CDC& DC() { return m_dc; }
  COLORREF Pixel(int x, int y) const { return m_dc.GetPixel(x, y); }
  bool AllWhite() const {
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x)
        if (m_dc.GetPixel(x, y) != RGB(255, 255, 255)) return false;
    return true;
  }

private:
  int m_width, m_height;
  CDC m_dc;
  CBitmap m_bitmap;
  HGDIOBJ m_previous = nullptr;
};
