#include "framework/Menu.h"

#include "framework/ResourceModule.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

CMenu::Map& CMenu::HandleMap() {
  static Map map;
  return map;
}

BOOL CMenu::Attach(HMENU menu) {
  if (!menu) return FALSE;
  if (m_hMenu) DestroyMenu();
  m_hMenu = menu;
  HandleMap().SetPermanent(menu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  if (menu && HandleMap().LookupPermanent(menu) == this) HandleMap().RemoveHandle(menu);
  m_hMenu = nullptr;
  return menu;
}

CMenu* CMenu::FromHandle(HMENU menu) { return HandleMap().FromHandle<CMenu>(menu); }

void CMenu::DeleteTempMap() { HandleMap().DeleteTemporary(); }

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCEA(id)); }

BOOL CMenu::LoadMenu(LPCSTR name) { return Attach(::LoadMenuA(AfxGetResourceHandle(), name)); }

BOOL CMenu::DestroyMenu() {
  HMENU menu = Detach();
  return menu ? ::DestroyMenu(menu) : FALSE;
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
  if (length <= 0) {
    text.Empty();
    return 0;
  }
  ::GetMenuStringA(m_hMenu, item, text.GetBufferSetLength(length), length + 1, flags);
  text.ReleaseBuffer();
  return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, rect);
}
