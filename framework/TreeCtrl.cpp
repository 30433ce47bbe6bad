#include "framework/TreeCtrl.h"

#include "framework/ImageList.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

HTREEITEM CTreeCtrl::InsertItem(UINT mask, LPCSTR text, int image, int selectedImage, UINT state,
                                UINT stateMask, LPARAM data, HTREEITEM parent, HTREEITEM after) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = mask;
  insert.item.pszText = const_cast<LPSTR>(text ? text : "");
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.state = state;
  insert.item.stateMask = stateMask;
  insert.item.lParam = data;
  return InsertItem(&insert);
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const {
  for (int size = 256;; size *= 2) {
    CString text;
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text.GetBufferSetLength(size);
    info.cchTextMax = size;
    if (!GetItem(&info)) return CString();
    int length = lstrlenA(info.pszText);
    if (info.pszText != text.GetString()) return CString(info.pszText);
    if (length < size - 1 || size >= (1 << 20)) {
      text.ReleaseBuffer(length);
      return text;
    }
  }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCSTR text) {
  TVITEMA info = {};
  info.mask = TVIF_TEXT;
  info.hItem = item;
  info.pszText = const_cast<LPSTR>(text ? text : "");
  return SetItem(&info);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEMA info = {};
  info.mask = TVIF_PARAM;
  info.hItem = item;
  return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data) {
  TVITEMA info = {};
  info.mask = TVIF_PARAM;
  info.hItem = item;
  info.lParam = static_cast<LPARAM>(data);
  return SetItem(&info);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const {
  TVITEMA info = {};
  info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  info.hItem = item;
  if (!GetItem(&info)) return FALSE;
  image = info.iImage;
  selectedImage = info.iSelectedImage;
  return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage) {
  TVITEMA info = {};
  info.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  info.hItem = item;
  info.iImage = image;
  info.iSelectedImage = selectedImage;
  return SetItem(&info);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const {
  return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) {
  TVITEMA info = {};
  info.mask = TVIF_STATE;
  info.hItem = item;
  info.state = state;
  info.stateMask = mask;
  return SetItem(&info);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const { return GetChildItem(item) != nullptr; }

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const {
  *reinterpret_cast<HTREEITEM*>(rect) = item;
  return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(rect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const {
  TVHITTESTINFO info = {};
  info.pt = point;
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags) *flags = info.flags;
  return item;
}

HIMAGELIST CTreeCtrl::SetImageList(CImageList* images, int which) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(which),
                  reinterpret_cast<LPARAM>(images ? images->m_hImageList : nullptr)));
}
