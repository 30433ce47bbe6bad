#include "framework/MiniDockFrameWnd.h"

#include <vector>

IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::CreateFloating(CFrameWnd* site, DWORD align) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (!CreateEx(0, nullptr, "", style, CRect(0, 0, 60, 40), site)) return FALSE;
  m_wndDockBar.m_pDockSite = site;
  if (!m_wndDockBar.Create(this, WS_VISIBLE | (align & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT)) {
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL notify) {
  if (!m_hWnd || !m_wndDockBar.m_hWnd || m_inLayout) return;
  m_inLayout = true;
  bool anyVisible = m_wndDockBar.GetDockedVisibleCount() > 0;
  if (anyVisible) {
    // Fit the frame around the bars, keeping its place.
    CSize size = m_wndDockBar.CalcFixedLayout(FALSE, m_wndDockBar.IsHorz());
    CRect rect(0, 0, size.cx, size.cy);
    ::AdjustWindowRectEx(rect, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CMiniFrameWnd::RecalcLayout(notify);
  if (m_wndDockBar.GetDockedCount() == 1) {
    // The caption names the one bar it holds.
    CString title;
    m_wndDockBar.GetRow(0)[0]->GetWindowText(title);
    SetWindowText(title);
  }
  if (anyVisible && !IsWindowVisible()) ShowWindow(SW_SHOWNA);
  else if (!anyVisible && IsWindowVisible()) ShowWindow(SW_HIDE);
  m_inLayout = false;
}

void CMiniDockFrameWnd::OnClose() {
  std::vector<CControlBar*> bars;
  for (int row = 0; row < m_wndDockBar.GetRowCount(); ++row)
    for (CControlBar* bar : m_wndDockBar.GetRow(row)) bars.push_back(bar);
  for (CControlBar* bar : bars) bar->DelayShow(FALSE);
  RecalcLayout();
}
