#include "framework/ColorDialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

COLORREF* CColorDialog::GetSavedCustomColors() {
  static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255)};
  return colors;
}

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent)
    : CCommonDialog(parent), m_cc() {
  m_cc.lStructSize = sizeof m_cc;
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = flags;
  if (initial != 0 || (flags & CC_RGBINIT)) SetCurrentColor(initial);
}

void CColorDialog::SetCurrentColor(COLORREF color) {
  m_cc.rgbResult = color;
  m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = OwnerWindow();
  INT_PTR result;
  if (AnsweredByHandler(&result)) return result;
  return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}
