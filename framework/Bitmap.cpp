#include "framework/Bitmap.h"

#include "framework/DC.h"
#include "framework/ResourceModule.h"

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCEA(id)); }

BOOL CBitmap::LoadBitmap(LPCSTR name) {
  return TakeNew(::LoadBitmapA(AfxGetResourceHandle(), name));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  if (!dc || !dc->m_hDC) return FALSE;
  return TakeNew(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

CSize CBitmap::GetBitmapDimension() const {
  SIZE size = {0, 0};
  ::GetBitmapDimensionEx(*this, &size);
  return size;
}

CSize CBitmap::SetBitmapDimension(int width, int height) {
  SIZE previous = {0, 0};
  ::SetBitmapDimensionEx(*this, width, height, &previous);
  return previous;
}
