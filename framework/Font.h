// CFont: a GDI font.
#pragma once

#include "framework/GdiObject.h"

class CDC;

class CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
public:
  CFont() = default;

  BOOL CreateFontIndirect(const LOGFONTA* logFont) {
    return TakeNew(::CreateFontIndirectA(logFont));
  }
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                  BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCSTR faceName) {
    return TakeNew(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                 strikeOut, charSet, outPrecision, clipPrecision, quality,
                                 pitchAndFamily, faceName));
  }
  // Size in tenths of a point on the given device (the screen when none).
  BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONTA* logFont, CDC* dc = nullptr);
  int GetLogFont(LOGFONTA* logFont) const { return GetObject(sizeof(LOGFONTA), logFont); }

  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  static CFont* FromHandle(HFONT handle) { return TypedFromHandle<CFont>(handle); }
};
