#include "framework/TextButton.h"

IMPLEMENT_DYNAMIC(CTextButton, CButton)

namespace {

// The focus rectangle lies this far inside the button's edge.
const int kFocusInset = 3;

}  // namespace

BOOL CTextButton::TakeOver(UINT id, CWnd* parent) {
  if (!SubclassDlgItem(id, parent)) return FALSE;
  m_default = (GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  SetButtonStyle(BS_OWNERDRAW);
  return TRUE;
}

// The dialog manager finds its default button by the code a button answers and moves the default
// with BM_SETSTYLE: the button answers as a push button and keeps drawing itself.
LRESULT CTextButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE)
    return DLGC_BUTTON | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
  if (message == BM_SETSTYLE) {
    const UINT kind = static_cast<UINT>(wParam) & BS_TYPEMASK;
    if (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON) m_default = kind == BS_DEFPUSHBUTTON;
    wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
  }
  return CButton::WindowProc(message, wParam, lParam);
}

void CTextButton::DrawItem(LPDRAWITEMSTRUCT item) {
  HDC dc = item->hDC;
  RECT face = item->rcItem;
  const bool pushed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
  if (m_default) {
    ::FrameRect(dc, &face, ::GetSysColorBrush(COLOR_WINDOWFRAME));
    ::InflateRect(&face, -1, -1);
  }
  ::DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));

  char text[128] = {};
  ::GetWindowTextA(m_hWnd, text, sizeof text);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
  HGDIOBJ previousFont = font ? ::SelectObject(dc, font) : nullptr;
  const int previousMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF previousColour = ::SetTextColor(dc, ::GetSysColor(disabled ? COLOR_GRAYTEXT
                                                                            : COLOR_BTNTEXT));
  RECT label = item->rcItem;
  if (pushed) ::OffsetRect(&label, 1, 1);
  ::DrawTextA(dc, text, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ::SetTextColor(dc, previousColour);
  ::SetBkMode(dc, previousMode);
  if (previousFont) ::SelectObject(dc, previousFont);

  if (item->itemState & ODS_FOCUS) {
    RECT focus = face;
    ::InflateRect(&focus, -kFocusInset, -kFocusInset);
    ::DrawFocusRect(dc, &focus);
  }
}
