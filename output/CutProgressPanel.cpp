#include "output/CutProgressPanel.h"

#include "framework/WinApp.h"

CCutProgressPanel::~CCutProgressPanel() {
  if (m_hWnd) DestroyWindow();
}

void CCutProgressPanel::AttachBar() { m_bar.Attach(::GetDlgItem(m_hWnd, kProgressBar)); }

void CCutProgressPanel::SetStepText(LPCSTR text) {
  if (!m_hWnd) return;
  ::SetDlgItemTextA(m_hWnd, kStepText, text);
  Pump();
}

void CCutProgressPanel::SetRange(int points) {
  m_position = 0;
  if (m_bar.m_hWnd) m_bar.SetRange32(0, points);
}

void CCutProgressPanel::Advance(int points) {
  m_position += points;
  if (m_bar.m_hWnd) m_bar.SetPos(m_position);
  Pump();
}

// Cancel must be heard between curves, whatever the port does meanwhile.
void CCutProgressPanel::Pump() { AfxPumpWaitingMessages(m_hWnd); }
