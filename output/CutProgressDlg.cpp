#include "output/CutProgressDlg.h"

#include "output/CutterDevice.h"

CCutProgressDlg::CCutProgressDlg(CCutterDevice& device)
    : m_device(device), m_stopped(false), m_position(0) {
  m_device.m_stop = 0;
}

CCutProgressDlg::~CCutProgressDlg() {
  if (m_hWnd) DestroyWindow();
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
  m_bar.Attach(::GetDlgItem(m_hWnd, kProgressBar));
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return TRUE;
}

void CCutProgressDlg::OnCancel() {
  m_stopped = true;
  m_device.m_stop = 1;
}

void CCutProgressDlg::SetStepText(LPCSTR text) {
  if (!m_hWnd) return;
  ::SetDlgItemTextA(m_hWnd, kStepText, text);
  Pump();
}

void CCutProgressDlg::SetRange(int points) {
  m_position = 0;
  if (m_bar.m_hWnd) m_bar.SetRange32(0, points);
}

void CCutProgressDlg::Advance(int points) {
  m_position += points;
  if (m_bar.m_hWnd) m_bar.SetPos(m_position);
  Pump();
}

// Cancel must be heard between curves, whatever the port does meanwhile.
void CCutProgressDlg::Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (m_hWnd && ::IsDialogMessageA(m_hWnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
