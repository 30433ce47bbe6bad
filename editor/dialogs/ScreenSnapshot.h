// CScreenSnapshot: a picture of the whole screen taken once, kept as a bitmap to paint back and
// as 32-bit pixels to read, in screen coordinates. The screen trace takes it before its own
// full-screen window appears, so that what is traced is what the user saw, never the window
// laid over it.
#pragma once

#include <windows.h>

#include <vector>

class CScreenSnapshot {
public:
  CScreenSnapshot();
  ~CScreenSnapshot();
  CScreenSnapshot(const CScreenSnapshot&) = delete;
  CScreenSnapshot& operator=(const CScreenSnapshot&) = delete;

  // Takes the picture; false when the screen could not be read.
  bool Take();

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // The pixel at a screen point as 0x00RRGGBB; 0 outside the picture.
  DWORD Pixel(int x, int y) const;
  // Copies the picture into dc, its screen point origin at the context's (0, 0).
  void Paint(HDC dc, POINT origin, const RECT& area) const;

private:
  int m_width = 0;
  int m_height = 0;
  HBITMAP m_bitmap = nullptr;
  // Top row first.
  std::vector<DWORD> m_pixels;
};
