// CBrush: a GDI brush.
#pragma once

#include "framework/GdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  CBrush(int hatchStyle, COLORREF color) { CreateHatchBrush(hatchStyle, color); }
  explicit CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }

  BOOL CreateSolidBrush(COLORREF color) { return TakeNew(::CreateSolidBrush(color)); }
  BOOL CreateHatchBrush(int hatchStyle, COLORREF color) {
    return TakeNew(::CreateHatchBrush(hatchStyle, color));
  }
  BOOL CreateBrushIndirect(const LOGBRUSH* logBrush) {
    return TakeNew(::CreateBrushIndirect(logBrush));
  }
  BOOL CreatePatternBrush(CBitmap* bitmap);
  BOOL CreateSysColorBrush(int index) { return TakeNew(::CreateSolidBrush(::GetSysColor(index))); }
  int GetLogBrush(LOGBRUSH* logBrush) const { return GetObject(sizeof(LOGBRUSH), logBrush); }

  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
  static CBrush* FromHandle(HBRUSH handle) { return TypedFromHandle<CBrush>(handle); }
};
