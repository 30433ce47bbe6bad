#include "framework/ImageList.h"

#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/ResourceModule.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Attach(HIMAGELIST list) {
  if (!list) return FALSE;
  DeleteImageList();
  m_hImageList = list;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST list = m_hImageList;
  m_hImageList = nullptr;
  return list;
}

BOOL CImageList::DeleteImageList() {
  HIMAGELIST list = Detach();
  return list ? ImageList_Destroy(list) : FALSE;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
  return Create(MAKEINTRESOURCEA(bitmapId), cx, grow, mask);
}

BOOL CImageList::Create(LPCSTR bitmapName, int cx, int grow, COLORREF mask) {
  return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), bitmapName, cx, grow, mask,
                                     IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int CImageList::Add(CBitmap* bitmap, CBitmap* mask) {
  return ImageList_Add(m_hImageList, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr,
                       mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
  return ImageList_AddMasked(m_hImageList, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr, mask);
}

BOOL CImageList::Replace(int image, CBitmap* bitmap, CBitmap* mask) {
  return ImageList_Replace(m_hImageList, image, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr,
                           mask ? static_cast<HBITMAP>(*mask) : nullptr);
}

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style) {
  return dc && ImageList_Draw(m_hImageList, image, dc->m_hDC, point.x, point.y, style);
}
