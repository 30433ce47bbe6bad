#include "framework/TextButton.h"

IMPLEMENT_DYNAMIC(CTextButton, CButton)

namespace {

// The focus rectangle lies this far inside the button's edge.
const int kFocusInset = 3;

}  // namespace

BOOL CTextButton::TakeOver(UINT id, CWnd* parent) {
  if (!SubclassDlgItem(id, parent)) return FALSE;
  SetButtonStyle(BS_OWNERDRAW);
  return TRUE;
}

void CTextButton::DrawItem(LPDRAWITEMSTRUCT item) {
  HDC dc = item->hDC;
  RECT face = item->rcItem;
  const bool pushed = (item->itemState & ODS_SELECTED) != 0;
  const bool disabled = (item->itemState & ODS_DISABLED) != 0;
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
    RECT focus = item->rcItem;
    ::InflateRect(&focus, -kFocusInset, -kFocusInset);
    ::DrawFocusRect(dc, &focus);
  }
}
