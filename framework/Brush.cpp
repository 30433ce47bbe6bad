#include "framework/Brush.h"

#include "framework/Bitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap) {
  if (!bitmap || !bitmap->m_hObject) return FALSE;
  return TakeNew(::CreatePatternBrush(*bitmap));
}
