#include "output/CutProgressDlg.h"

#include "output/CutterDevice.h"

CCutProgressDlg::CCutProgressDlg(CCutterDevice& device) : m_device(device), m_stopped(false) {
  m_device.m_stop = 0;
}

bool CCutProgressDlg::Open(LPCSTR title, CWnd* owner) {
  if (!Create(kDialogId, owner)) return false;
  if (title && *title) SetWindowText(title);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  return true;
}

BOOL CCutProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  AttachBar();
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return TRUE;
}

void CCutProgressDlg::OnCancel() {
  m_stopped = true;
  m_device.m_stop = 1;
}
