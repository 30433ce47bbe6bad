// CListBox: a list box, also owner-drawn (override DrawItem, MeasureItem, CompareItem) and
// multi-column.
#pragma once

#include "framework/Wnd.h"

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("LISTBOX", nullptr, style, rect, parent, id);
  }
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) {
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
  }
  int GetSel(int index) const {
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(index)));
  }
  int SetSel(int index, BOOL select = TRUE) {
    return static_cast<int>(SendMessage(LB_SETSEL, select, index));
  }
  int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
  int GetSelItems(int maxItems, LPINT items) const {
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(maxItems),
                                        reinterpret_cast<LPARAM>(items)));
  }
  int SelItemRange(BOOL select, int first, int last) {
    return static_cast<int>(SendMessage(LB_SELITEMRANGE, select, MAKELONG(first, last)));
  }
  int GetAnchorIndex() const { return static_cast<int>(SendMessage(LB_GETANCHORINDEX)); }
  int GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
  int SetCaretIndex(int index, BOOL scroll = TRUE) {
    return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(index), scroll));
  }
  int AddString(LPCSTR text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  int InsertString(int index, LPCSTR text) {
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  int DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int GetTextLen(int index) const {
    return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
  }
  int GetText(int index, LPSTR text) const {
    return static_cast<int>(
        SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  void GetText(int index, CString& text) const;
  int FindString(int startAfter, LPCSTR text) const {
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
  }
  int FindStringExact(int startAfter, LPCSTR text) const {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
  }
  int SelectString(int startAfter, LPCSTR text) {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(startAfter),
                                        reinterpret_cast<LPARAM>(text)));
  }
  DWORD_PTR GetItemData(int index) const {
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
  }
  int SetItemData(int index, DWORD_PTR data) {
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
  }
  void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(GetItemData(index)); }
  int SetItemDataPtr(int index, void* data) {
    return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
  }
  int GetItemRect(int index, LPRECT rect) const {
    return static_cast<int>(
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
  }
  int GetItemHeight(int index) const {
    return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(index)));
  }
  int SetItemHeight(int index, UINT height) {
    return static_cast<int>(
        SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), MAKELONG(height, 0)));
  }
  // The item under a client point; outside is TRUE when the point is below the last item.
  UINT ItemFromPoint(CPoint point, BOOL& outside) const;
  int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
  int SetTopIndex(int index) {
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index)));
  }
  void SetColumnWidth(int width) { SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width)); }
  void SetHorizontalExtent(int extent) {
    SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent));
  }

  virtual void DrawItem(LPDRAWITEMSTRUCT item);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT item);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT item);
  virtual void DeleteItem(LPDELETEITEMSTRUCT item);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
