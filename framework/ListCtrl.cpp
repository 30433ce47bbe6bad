#include "framework/ListCtrl.h"

#include "framework/ImageList.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem) {
  LVCOLUMNA info = {};
  info.mask = LVCF_TEXT | LVCF_FMT;
  info.pszText = const_cast<LPSTR>(heading ? heading : "");
  info.fmt = format;
  if (width >= 0) {
    info.mask |= LVCF_WIDTH;
    info.cx = width;
  }
  if (subItem >= 0) {
    info.mask |= LVCF_SUBITEM;
    info.iSubItem = subItem;
  }
  return InsertColumn(column, &info);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCSTR text, UINT state, UINT stateMask, int image,
                          LPARAM data) {
  LVITEMA item = {};
  item.mask = mask;
  item.iItem = index;
  item.pszText = const_cast<LPSTR>(text ? text : "");
  item.state = state;
  item.stateMask = stateMask;
  item.iImage = image;
  item.lParam = data;
  return InsertItem(&item);
}

int CListCtrl::GetItemText(int index, int subItem, LPSTR text, int length) const {
  LVITEMA item = {};
  item.iSubItem = subItem;
  item.pszText = text;
  item.cchTextMax = length;
  return static_cast<int>(
      SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int index, int subItem) const {
  // Grow until the text fits: the control does not say how long it is.
  for (int size = 256;; size *= 2) {
    CString text;
    int length = GetItemText(index, subItem, text.GetBufferSetLength(size), size);
    if (length < size - 1 || size >= (1 << 20)) {
      text.ReleaseBuffer(length);
      return text;
    }
  }
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCSTR text) {
  LVITEMA item = {};
  item.iSubItem = subItem;
  item.pszText = const_cast<LPSTR>(text ? text : "");
  return static_cast<BOOL>(
      SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(data);
  return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(
      SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
  rect->left = static_cast<LONG>(code);
  return static_cast<BOOL>(
      SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int area, CRect& rect) const {
  rect.top = subItem;
  rect.left = area;
  return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index),
                                       reinterpret_cast<LPARAM>(static_cast<LPRECT>(rect))));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int first = GetNextItem(-1, LVNI_SELECTED);
  return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(first) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
  int index = static_cast<int>(reinterpret_cast<INT_PTR>(position)) - 1;
  int next = GetNextItem(index, LVNI_SELECTED);
  position = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(next) + 1);
  return index;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  LVHITTESTINFO info = {};
  info.pt = point;
  int index = HitTest(&info);
  if (flags) *flags = info.flags;
  return index;
}

HIMAGELIST CListCtrl::SetImageList(CImageList* images, int which) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which),
                  reinterpret_cast<LPARAM>(images ? images->m_hImageList : nullptr)));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CWnd::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}
