#include "framework/Font.h"

#include <cstdlib>

#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc) {
  LOGFONTA logFont = {};
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfHeight = pointSize;
  if (faceName) lstrcpynA(logFont.lfFaceName, faceName, LF_FACESIZE);
  return CreatePointFontIndirect(&logFont, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* logFont, CDC* dc) {
  HDC hdc = dc ? dc->m_hDC : ::GetDC(nullptr);
  LOGFONTA scaled = *logFont;
  // Tenths of a point to device pixels, then to logical units of the device context.
  POINT height = {0, ::MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), logFont->lfHeight, 720)};
  POINT origin = {0, 0};
  ::DPtoLP(hdc, &height, 1);
  ::DPtoLP(hdc, &origin, 1);
  scaled.lfHeight = -std::abs(height.y - origin.y);
  if (!dc) ::ReleaseDC(nullptr, hdc);
  return CreateFontIndirect(&scaled);
}
