#include "editor/AboutDlg.h"

#include "resources/Resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (HWND picture = ::GetDlgItem(m_hWnd, IDC_ABOUT_ICON)) ::ShowWindow(picture, SW_SHOW);
  return TRUE;
}
