// CRgn: a GDI region.
#pragma once

#include "framework/GdiObject.h"

class CDC;

class CRgn : public CGdiObject {
  DECLARE_DYNAMIC(CRgn)
public:
  CRgn() = default;

  BOOL CreateRectRgn(int l, int t, int r, int b) { return TakeNew(::CreateRectRgn(l, t, r, b)); }
  BOOL CreateRectRgnIndirect(LPCRECT rect) { return TakeNew(::CreateRectRgnIndirect(rect)); }
  BOOL CreateEllipticRgn(int l, int t, int r, int b) {
    return TakeNew(::CreateEllipticRgn(l, t, r, b));
  }
  BOOL CreateEllipticRgnIndirect(LPCRECT rect) {
    return TakeNew(::CreateEllipticRgnIndirect(rect));
  }
  BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
    return TakeNew(::CreateRoundRectRgn(l, t, r, b, w, h));
  }
  BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode) {
    return TakeNew(::CreatePolygonRgn(points, count, fillMode));
  }
  BOOL CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode) {
    return TakeNew(::CreatePolyPolygonRgn(points, counts, polygons, fillMode));
  }
  // The region of the device context's closed path (the path is used up).
  BOOL CreateFromPath(CDC* dc);

  // The handle must exist already (CreateRectRgn(0, 0, 0, 0) is the usual start).
  int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
    return ::CombineRgn(*this, *a, b ? static_cast<HRGN>(*b) : nullptr, mode);
  }
  int CopyRgn(const CRgn* source) { return ::CombineRgn(*this, *source, nullptr, RGN_COPY); }
  BOOL EqualRgn(const CRgn* other) const { return ::EqualRgn(*this, *other); }
  int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
  int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
  int GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
  BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
  BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
  BOOL RectInRegion(LPCRECT rect) const { return ::RectInRegion(*this, rect); }
  void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn(*this, l, t, r, b); }
  void SetRectRgn(LPCRECT rect) { SetRectRgn(rect->left, rect->top, rect->right, rect->bottom); }

  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
  static CRgn* FromHandle(HRGN handle) { return TypedFromHandle<CRgn>(handle); }
};
