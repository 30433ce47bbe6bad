// CTabCtrl: a tab control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Wnd.h"

class CImageList;

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(WC_TABCONTROLA, nullptr, style, rect, parent, id);
  }
  int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
  LONG InsertItem(int index, LPCSTR text, int image = -1);
  LONG InsertItem(int index, TCITEMA* item) {
    return static_cast<LONG>(
        SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
  }
  BOOL GetItem(int index, TCITEMA* item) const {
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
  }
  BOOL SetItem(int index, TCITEMA* item) {
    return static_cast<BOOL>(
        SendMessage(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
  }
  BOOL DeleteItem(int index) {
    return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index)));
  }
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
  int SetCurSel(int index) {
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
  }
  int GetCurFocus() const { return static_cast<int>(SendMessage(TCM_GETCURFOCUS)); }
  void SetCurFocus(int index) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }
  BOOL GetItemRect(int index, LPRECT rect) const {
    return static_cast<BOOL>(
        SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
  }
  // larger: the window rectangle for a display area; otherwise the display area of a window
  // rectangle.
  void AdjustRect(BOOL larger, LPRECT rect) {
    SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect));
  }
  CSize SetItemSize(CSize size) {
    return CSize(static_cast<DWORD>(SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy))));
  }
  void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
  int SetMinTabWidth(int width) {
    return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, width));
  }
  int GetRowCount() const { return static_cast<int>(SendMessage(TCM_GETROWCOUNT)); }
  int HitTest(TCHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
  HIMAGELIST SetImageList(CImageList* images);
  HIMAGELIST GetImageList() const {
    return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST));
  }
};
