#include "framework/ListBox.h"

#include "framework/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

void CListBox::GetText(int index, CString& text) const {
  int length = GetTextLen(index);
  if (length <= 0) {
    text.Empty();
    return;
  }
  GetText(index, text.GetBufferSetLength(length));
  text.ReleaseBuffer();
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside) const {
  DWORD result = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELONG(point.x, point.y)));
  outside = HIWORD(result) != 0;
  return LOWORD(result);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (AfxDispatchOwnerDraw(this, message, lParam, result)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, result);
}
