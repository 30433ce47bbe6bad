#include "framework/CmdUI.h"

#include "framework/Menu.h"
#include "framework/Wnd.h"

void CCmdUI::Enable(BOOL on) {
  if (m_pMenu) {
    if (m_pSubMenu) return;  // popups stay enabled
    m_pMenu->EnableMenuItem(m_nIndex,
                            MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    // A control losing the focus while disabled would trap the keyboard: move it on first.
    if (!on && ::GetFocus() == m_pOther->m_hWnd) {
      HWND parent = ::GetParent(m_pOther->m_hWnd);
      if (parent) ::SendMessageA(parent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(on);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)) {
    m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(check));
  }
}

void CCmdUI::SetRadio(BOOL on) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE);
    info.fType = on ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
    info.fState = on ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
    m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
  } else {
    SetCheck(on ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCSTR text) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPSTR>(text ? text : "");
    m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
  } else if (m_pOther) {
    m_pOther->SetWindowText(text);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators and invalid ids
  m_bEnableChanged = FALSE;
  m_bContinueRouting = FALSE;
  BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (m_bContinueRouting) handled = FALSE;
  if (!handled && disableIfNoHandler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}
