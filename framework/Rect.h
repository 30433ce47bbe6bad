// CRect: a rectangle; right and bottom are exclusive as everywhere in GDI.
#pragma once

#include <windows.h>

#include "framework/Point.h"
#include "framework/Size.h"

class CRect : public RECT {
public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
  CRect(const RECT& rect) { CopyRect(&rect); }
  CRect(LPCRECT rect) { CopyRect(rect); }
  CRect(POINT topLeft, SIZE size) {
    SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
  }
  CRect(POINT topLeft, POINT bottomRight) {
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }

  void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  void SetRect(POINT topLeft, POINT bottomRight) {
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(LPCRECT source) {
    if (source)
      SetRect(source->left, source->top, source->right, source->bottom);
    else
      SetRectEmpty();
  }
  BOOL EqualRect(LPCRECT other) const {
    return other && left == other->left && top == other->top && right == other->right &&
           bottom == other->bottom;
  }

  void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
  void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT by) { InflateRect(by->left, by->top, by->right, by->bottom); }
  void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT by) { InflateRect(-by->left, -by->top, -by->right, -by->bottom); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
  void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
  void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
  void MoveToX(int x) { right += x - left, left = x; }
  void MoveToY(int y) { bottom += y - top, top = y; }
  void MoveToXY(int x, int y) { MoveToX(x), MoveToY(y); }
  void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }
  // Swaps the edges so that left <= right and top <= bottom.
  void NormalizeRect();

  // Each returns whether the result is not empty, as the GDI functions do.
  BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(LPCRECT a, LPCRECT b) { return ::SubtractRect(this, a, b); }

  bool operator==(const RECT& other) const { return EqualRect(&other); }
  bool operator!=(const RECT& other) const { return !EqualRect(&other); }
  void operator+=(POINT point) { OffsetRect(point); }
  void operator+=(SIZE size) { OffsetRect(size); }
  void operator+=(LPCRECT by) { InflateRect(by); }
  void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
  void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
  void operator-=(LPCRECT by) { DeflateRect(by); }
  void operator&=(const RECT& other) { IntersectRect(this, &other); }
  void operator|=(const RECT& other) { UnionRect(this, &other); }
  // clang-format off
  CRect operator+(POINT point) const { CRect r(*this); r.OffsetRect(point); return r; }
  CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size); return r; }
  CRect operator-(POINT point) const { CRect r(*this); r.OffsetRect(-point.x, -point.y); return r; }
  CRect operator-(SIZE size) const { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
  CRect operator&(const RECT& other) const { CRect r; r.IntersectRect(this, &other); return r; }
  CRect operator|(const RECT& other) const { CRect r; r.UnionRect(this, &other); return r; }
  // clang-format on
};
