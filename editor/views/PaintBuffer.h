// CPaintBuffer: where a drawing view paints an update area. Normally a bitmap at the window's
// origin, as large as the area's far corner, which goes to the window at once when the buffer
// ends, so that nothing flickers; when that bitmap cannot be had (a window far larger than the
// screen, memory short) the window's own context, so that the area is still painted, only not in
// one piece. Either way drawing is clipped to the area and uses the window's own coordinates:
// the platform flattens curves at the device coordinates they are drawn at, and a bitmap of the
// area alone would draw a curve crossing its edge a pixel off the full repaint's. Only the area
// of the bitmap is ever drawn and copied.
#pragma once

#include <windows.h>

class CPaintBuffer {
public:
  // window: the context painting was given, which stays the caller's.
  CPaintBuffer(HDC window, const RECT& area);
  // Copies the area to the window (buffered), or puts the window's context back as it was.
  ~CPaintBuffer();
  CPaintBuffer(const CPaintBuffer&) = delete;
  CPaintBuffer& operator=(const CPaintBuffer&) = delete;

  // The context to draw into.
  HDC Context() const { return m_memory ? m_memory : m_window; }

private:
  HDC m_window;
  RECT m_area;
  HDC m_memory = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previousBitmap = nullptr;
  int m_savedWindow = 0;
};
