// CListCtrl: a list-view control (report lists included); owner-drawn reports override DrawItem.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/PtrList.h"
#include "framework/Wnd.h"

class CImageList;

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_LISTVIEWA, nullptr, style, rect, parent, id);
  }

  int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1,
                   int subItem = -1);
  int InsertColumn(int column, const LVCOLUMNA* info) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(info)));
  }
  BOOL DeleteColumn(int column) {
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
  }
  BOOL GetColumn(int column, LVCOLUMNA* info) const {
    return static_cast<BOOL>(
        SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
  }
  BOOL SetColumn(int column, const LVCOLUMNA* info) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)));
  }
  int GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
  }
  BOOL SetColumnWidth(int column, int width) {
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
  }
  CWnd* GetHeaderCtrl() const {
    return FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)));
  }

  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int InsertItem(int index, LPCSTR text) { return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0); }
  int InsertItem(int index, LPCSTR text, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
  }
  int InsertItem(const LVITEMA* item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
  }
  int InsertItem(UINT mask, int index, LPCSTR text, UINT state, UINT stateMask, int image,
                 LPARAM data);
  BOOL DeleteItem(int index) {
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)));
  }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
  BOOL GetItem(LVITEMA* item) const {
    return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)));
  }
  BOOL SetItem(const LVITEMA* item) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)));
  }
  CString GetItemText(int index, int subItem) const;
  int GetItemText(int index, int subItem, LPSTR text, int length) const;
  BOOL SetItemText(int index, int subItem, LPCSTR text);
  DWORD_PTR GetItemData(int index) const;
  BOOL SetItemData(int index, DWORD_PTR data);
  UINT GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
  }
  BOOL SetItemState(int index, UINT state, UINT mask);
  BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
  BOOL GetSubItemRect(int index, int subItem, int area, CRect& rect) const;
  int GetNextItem(int start, int flags) const {
    return static_cast<int>(
        SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }
  UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  // Positions are index + 1 of selected items; null ends the walk.
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& position) const;
  int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int index) {
    return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, index));
  }
  BOOL EnsureVisible(int index, BOOL partialOK) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOK));
  }
  int HitTest(LVHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int SubItemHitTest(LVHITTESTINFO* info) {
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  int FindItem(LVFINDINFOA* info, int start = -1) const {
    return static_cast<int>(
        SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(info)));
  }
  BOOL RedrawItems(int first, int last) {
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
  }
  BOOL Update(int index) {
    return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(index)));
  }
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    return static_cast<BOOL>(
        SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
  }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
  int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
  void SetItemCount(int count) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count)); }
  BOOL Scroll(CSize size) {
    return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
  }
  DWORD GetExtendedStyle() const {
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
  }
  DWORD SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style));
  }
  BOOL SetBkColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, color));
  }
  BOOL SetTextColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, color));
  }
  BOOL SetTextBkColor(COLORREF color) {
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, color));
  }
  HIMAGELIST SetImageList(CImageList* images, int which);
  HIMAGELIST GetImageList(int which) const {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(which)));
  }

  virtual void DrawItem(LPDRAWITEMSTRUCT item);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
