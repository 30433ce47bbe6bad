#include "framework/TabCtrl.h"

#include "framework/ImageList.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

LONG CTabCtrl::InsertItem(int index, LPCSTR text, int image) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT | (image >= 0 ? TCIF_IMAGE : 0);
  item.pszText = const_cast<LPSTR>(text ? text : "");
  item.iImage = image;
  return InsertItem(index, &item);
}

HIMAGELIST CTabCtrl::SetImageList(CImageList* images) {
  return reinterpret_cast<HIMAGELIST>(SendMessage(
      TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->m_hImageList : nullptr)));
}
