#include "framework/ToolCmdUI.h"

#include "framework/ToolBar.h"

void CToolCmdUI::Enable(BOOL on) {
  m_bEnableChanged = TRUE;
  auto* bar = static_cast<CToolBar*>(m_pOther);
  int index = static_cast<int>(m_nIndex);
  UINT style = bar->GetButtonStyle(index) & ~TBBS_DISABLED;
  if (!on) style = (style | TBBS_DISABLED) & ~TBBS_PRESSED;  // a disabled button cannot stay pressed
  if (style != bar->GetButtonStyle(index)) bar->SetButtonStyle(index, style);
}

void CToolCmdUI::SetCheck(int check) {
  auto* bar = static_cast<CToolBar*>(m_pOther);
  int index = static_cast<int>(m_nIndex);
  UINT style = bar->GetButtonStyle(index) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
  if (check == 1) style |= TBBS_CHECKED;
  else if (check == 2) style |= TBBS_INDETERMINATE;
  style |= TBBS_CHECKBOX;
  if (style != bar->GetButtonStyle(index)) bar->SetButtonStyle(index, style);
}
