// CCmdUI: the state of one user-interface item (menu item, bar button, control) that an update
// handler (ON_UPDATE_COMMAND_UI) sets. The base class updates menu items and plain controls;
// control bars derive their own kind.
#pragma once

#include "framework/CmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  UINT m_nID = 0;
  UINT m_nIndex = 0;            // position in the menu or bar
  CMenu* m_pMenu = nullptr;     // the menu holding the item, or null
  CMenu* m_pSubMenu = nullptr;  // the popup at the position, when the item is one
  CWnd* m_pOther = nullptr;     // the control or bar holding the item, or null
  UINT m_nIndexMax = 0;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;

  virtual void Enable(BOOL on = TRUE);
  virtual void SetCheck(int check = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(LPCSTR text);
  // Lets the next target in the routing update the item too.
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Routes the update through the target; when no update handler answers and disableIfNoHandler
  // is set, the item is enabled exactly when a command handler exists for it. True when handled.
  BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};
