// Hands the owner-draw messages that a parent reflects to a control to the control's DrawItem,
// MeasureItem, CompareItem and DeleteItem. True when the message was one of them.
#pragma once

#include <windows.h>

template <class Control>
BOOL AfxDispatchOwnerDraw(Control* control, UINT message, LPARAM lParam, LRESULT* result) {
  LRESULT answer = TRUE;
  switch (message) {
    case WM_DRAWITEM:
      control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      break;
    case WM_MEASUREITEM:
      control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      break;
    case WM_COMPAREITEM:
      answer = control->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
      break;
    case WM_DELETEITEM:
      control->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
      break;
    default:
      return FALSE;
  }
  if (result) *result = answer;
  return TRUE;
}
