#include "framework/ComboBox.h"

#include "framework/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

void CComboBox::GetLBText(int index, CString& text) const {
  int length = GetLBTextLen(index);
  if (length <= 0) {
    text.Empty();
    return;
  }
  GetLBText(index, text.GetBufferSetLength(length));
  text.ReleaseBuffer();
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (AfxDispatchOwnerDraw(this, message, lParam, result)) return TRUE;
  return CWnd::OnChildNotify(message, wParam, lParam, result);
}
