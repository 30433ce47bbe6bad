#include "editor/dialogs/ScreenSnapshot.h"

CScreenSnapshot::CScreenSnapshot() = default;

CScreenSnapshot::~CScreenSnapshot() {
  if (m_bitmap) ::DeleteObject(m_bitmap);
}

bool CScreenSnapshot::Take() {
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  if (width <= 0 || height <= 0) return false;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool taken = false;
  if (bitmap && bits) {
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    taken = ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
    ::GdiFlush();
    ::SelectObject(memory, previous);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!taken) {
    if (bitmap) ::DeleteObject(bitmap);
    return false;
  }
  if (m_bitmap) ::DeleteObject(m_bitmap);
  m_bitmap = bitmap;
  m_width = width;
  m_height = height;
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  m_pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
  return true;
}

DWORD CScreenSnapshot::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF;
}

void CScreenSnapshot::Paint(HDC dc, POINT origin, const RECT& area) const {
  if (!m_bitmap) return;
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ previous = ::SelectObject(memory, m_bitmap);
  ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory,
           area.left + origin.x, area.top + origin.y, SRCCOPY);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
}
