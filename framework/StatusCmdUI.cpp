#include "framework/StatusCmdUI.h"

#include "framework/StatusBar.h"

void CStatusCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  auto* bar = static_cast<CStatusBar*>(m_pOther);
  int index = static_cast<int>(m_nIndex);
  UINT style = bar->GetPaneStyle(index) & ~SBPS_DISABLED;
  if (!on) style |= SBPS_DISABLED;
  bar->SetPaneStyle(index, style);
}

void CStatusCmdUI::SetCheck(int check) {
  auto* bar = static_cast<CStatusBar*>(m_pOther);
  int index = static_cast<int>(m_nIndex);
  UINT style = bar->GetPaneStyle(index) & ~SBPS_POPOUT;
  if (check) style |= SBPS_POPOUT;
  bar->SetPaneStyle(index, style);
}

void CStatusCmdUI::SetText(LPCSTR text) {
  static_cast<CStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), text, FALSE);
}
