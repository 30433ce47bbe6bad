// CImageList: owner of an image list handle; destroyed with the object unless detached.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Object.h"
#include "framework/Point.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
  DECLARE_DYNAMIC(CImageList)
public:
  CImageList() = default;
  ~CImageList() override;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;

  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  BOOL Attach(HIMAGELIST list);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  // From a bitmap resource of the current resource module, cut into images cx wide.
  BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
  BOOL Create(LPCSTR bitmapName, int cx, int grow, COLORREF mask);

  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
  BOOL GetIconSize(int* cx, int* cy) const { return ImageList_GetIconSize(m_hImageList, cx, cy); }
  BOOL GetImageInfo(int image, IMAGEINFO* info) const {
    return ImageList_GetImageInfo(m_hImageList, image, info);
  }
  int Add(CBitmap* bitmap, CBitmap* mask);
  int Add(CBitmap* bitmap, COLORREF mask);
  int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
  BOOL Replace(int image, CBitmap* bitmap, CBitmap* mask);
  int Replace(int image, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, image, icon); }
  BOOL Remove(int image) { return ImageList_Remove(m_hImageList, image); }
  BOOL Draw(CDC* dc, int image, POINT point, UINT style);
  COLORREF SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
  COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
  HICON ExtractIcon(int image) { return ImageList_GetIcon(m_hImageList, image, ILD_NORMAL); }
};
