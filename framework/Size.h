// CSize: a width and height (or a distance between two points).
#pragma once

#include <windows.h>

class CSize : public SIZE {
public:
  CSize() { cx = cy = 0; }
  CSize(int width, int height) { cx = width, cy = height; }
  CSize(SIZE size) { cx = size.cx, cy = size.cy; }
  CSize(POINT point) { cx = point.x, cy = point.y; }
  // Low word width, high word height, both signed.
  explicit CSize(DWORD packed) {
    cx = static_cast<short>(LOWORD(packed));
    cy = static_cast<short>(HIWORD(packed));
  }

  void SetSize(int width, int height) { cx = width, cy = height; }

  bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
  bool operator!=(SIZE other) const { return !(*this == other); }
  void operator+=(SIZE other) { cx += other.cx, cy += other.cy; }
  void operator-=(SIZE other) { cx -= other.cx, cy -= other.cy; }
  CSize operator+(SIZE other) const { return CSize(cx + other.cx, cy + other.cy); }
  CSize operator-(SIZE other) const { return CSize(cx - other.cx, cy - other.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};
