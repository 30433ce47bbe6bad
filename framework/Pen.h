// CPen: a GDI pen.
#pragma once

#include "framework/GdiObject.h"

class CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
public:
  CPen() = default;
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

  BOOL CreatePen(int style, int width, COLORREF color) {
    return TakeNew(::CreatePen(style, width, color));
  }
  BOOL CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount = 0,
                 const DWORD* styles = nullptr) {
    return TakeNew(::ExtCreatePen(style, width, brush, styleCount, styles));
  }
  BOOL CreatePenIndirect(LPLOGPEN logPen) { return TakeNew(::CreatePenIndirect(logPen)); }
  int GetLogPen(LOGPEN* logPen) const { return GetObject(sizeof(LOGPEN), logPen); }

  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
  static CPen* FromHandle(HPEN handle) { return TypedFromHandle<CPen>(handle); }
};
