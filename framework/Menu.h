// CMenu: owner of a menu handle; the handle is destroyed with the object unless detached.
#pragma once

#include "framework/HandleMap.h"
#include "framework/Object.h"
#include "framework/String.h"

class CWnd;

class CMenu : public CObject {
  DECLARE_DYNAMIC(CMenu)
public:
  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;

  operator HMENU() const { return m_hMenu; }
  HMENU GetSafeHmenu() const { return m_hMenu; }
  BOOL Attach(HMENU menu);
  HMENU Detach();
  static CMenu* FromHandle(HMENU menu);
  static void DeleteTempMap();
  using Map = CHandleMap<HMENU, CMenu, &CMenu::m_hMenu>;
  static Map& HandleMap();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  // From the current resource module.
  BOOL LoadMenu(UINT id);
  BOOL LoadMenu(LPCSTR name);
  BOOL DestroyMenu();

  UINT GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
  // The command id at a position; -1 (as UINT) for a popup, 0 for a separator.
  UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
  UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
  int GetMenuString(UINT item, LPSTR text, int size, UINT flags) const {
    return ::GetMenuStringA(m_hMenu, item, text, size, flags);
  }
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  CMenu* GetSubMenu(int position) const;
  BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE) const {
    return ::GetMenuItemInfoA(m_hMenu, item, byPosition, info);
  }
  BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE) {
    return ::SetMenuItemInfoA(m_hMenu, item, byPosition, info);
  }

  UINT EnableMenuItem(UINT item, UINT enable) { return ::EnableMenuItem(m_hMenu, item, enable); }
  UINT CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }
  BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
    return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
  }
  BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr) {
    return ::AppendMenuA(m_hMenu, flags, idOrPopup, text);
  }
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr) {
    return ::InsertMenuA(m_hMenu, position, flags, idOrPopup, text);
  }
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr) {
    return ::ModifyMenuA(m_hMenu, position, flags, idOrPopup, text);
  }
  BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
  BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
  BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE) {
    return ::SetMenuDefaultItem(m_hMenu, item, byPosition);
  }
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};
