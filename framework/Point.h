// CPoint: a point in device or logical coordinates.
#pragma once

#include <windows.h>

#include "framework/Size.h"

class CPoint : public POINT {
public:
  CPoint() { x = y = 0; }
  CPoint(int px, int py) { x = px, y = py; }
  CPoint(POINT point) { x = point.x, y = point.y; }
  CPoint(SIZE size) { x = size.cx, y = size.cy; }
  // From a mouse message's lParam: low word x, high word y, both signed.
  explicit CPoint(LPARAM packed) {
    x = static_cast<short>(LOWORD(packed));
    y = static_cast<short>(HIWORD(packed));
  }

  void SetPoint(int px, int py) { x = px, y = py; }
  void Offset(int dx, int dy) { x += dx, y += dy; }
  void Offset(POINT point) { Offset(point.x, point.y); }
  void Offset(SIZE size) { Offset(size.cx, size.cy); }

  bool operator==(POINT other) const { return x == other.x && y == other.y; }
  bool operator!=(POINT other) const { return !(*this == other); }
  void operator+=(SIZE size) { Offset(size); }
  void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
  void operator+=(POINT point) { Offset(point); }
  void operator-=(POINT point) { Offset(-point.x, -point.y); }
  CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
  CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
  CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
  // The distance from another point.
  CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
  CPoint operator-() const { return CPoint(-x, -y); }
};
