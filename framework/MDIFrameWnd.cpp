#include "framework/MDIFrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/ResourceModule.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_DESTROY()
  ON_WM_SIZE()
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
  ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::LoadFrame(UINT idResource, DWORD style, CWnd* parent, CCreateContext* context) {
  if (!CFrameWnd::LoadFrame(idResource, style, parent, context)) return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTA cs, CCreateContext*) {
  HMENU menu = ::GetMenu(m_hWnd);
  HMENU windowMenu = menu ? GetWindowMenuPopup(menu) : nullptr;
  return CreateClient(cs, windowMenu ? CMenu::FromHandle(windowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTA, CMenu* windowMenu) {
  CLIENTCREATESTRUCT client = {};
  client.hWindowMenu = windowMenu ? windowMenu->m_hMenu : nullptr;
  client.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  m_hWndMDIClient = ::CreateWindowExA(
      WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
          MDIS_ALLCHILDSTYLES,
      0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
      AfxGetInstanceHandle(), &client);
  return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU menuBar) {
  int count = ::GetMenuItemCount(menuBar);
  for (int i = count - 1; i >= 0; --i) {
    HMENU popup = ::GetSubMenu(menuBar, i);
    if (!popup) continue;
    int items = ::GetMenuItemCount(popup);
    for (int j = 0; j < items; ++j) {
      UINT id = ::GetMenuItemID(popup, j);
      if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT) return popup;
    }
  }
  return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnDestroy() {
  // The menu bar may belong to a document template; put the frame's own back before it goes.
  if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) {
    ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(m_hMenuDefault), 0);
    ::SetMenu(m_hWnd, m_hMenuDefault);
  }
  CFrameWnd::OnDestroy();
}

void CMDIFrameWnd::OnSize(UINT type, int cx, int cy) {
  // DefFrameProc would size the MDI client over the bars: the layout does it instead.
  if (type != SIZE_MINIMIZED) RecalcLayout();
  (void)cx;
  (void)cy;
}

void CMDIFrameWnd::RecalcLayout(BOOL notify) { CFrameWnd::RecalcLayout(notify); }

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  BOOL isMaximized = FALSE;
  HWND active = m_hWndMDIClient
                    ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                            reinterpret_cast<LPARAM>(&isMaximized)))
                    : nullptr;
  if (maximized) *maximized = active ? isMaximized : FALSE;
  CWnd* child = FromHandlePermanent(active);
  return child && child->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(child)
                                                               : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
  if (child)
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* child) {
  if (child)
    ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* child) {
  if (child)
    ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int how) {
  ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(how), 0);
}
void CMDIFrameWnd::MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* frameMenu, CMenu* windowMenu) {
  HMENU previous = reinterpret_cast<HMENU>(
      ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                     reinterpret_cast<WPARAM>(frameMenu ? frameMenu->m_hMenu : nullptr),
                     reinterpret_cast<LPARAM>(windowMenu ? windowMenu->m_hMenu : nullptr)));
  ::DrawMenuBar(m_hWnd);
  return CMenu::FromHandle(previous);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU menuAlternative) {
  CMDIChildWnd* active = MDIGetActive();
  if (active) {
    active->OnUpdateFrameMenu(TRUE, active, menuAlternative);
    return;
  }
  HMENU menu = menuAlternative ? menuAlternative : m_hMenuDefault;
  if (!menu || ::GetMenu(m_hWnd) == menu) return;
  HMENU windowMenu = GetWindowMenuPopup(menu);
  MDISetMenu(CMenu::FromHandle(menu), windowMenu ? CMenu::FromHandle(windowMenu) : nullptr);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* active = MDIGetActive();
  return active ? static_cast<CFrameWnd*>(active) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  CMDIChildWnd* active = MDIGetActive();
  return active ? active->GetActiveDocument() : CFrameWnd::GetActiveDocument();
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  // A maximised child's name is shown by the system next to the frame's title.
  BOOL maximized = FALSE;
  CMDIChildWnd* active = MDIGetActive(&maximized);
  CDocument* document = active ? active->GetActiveDocument() : nullptr;
  if (addToTitle && active && !maximized && document)
    UpdateFrameTitleForDocument(document->GetTitle());
  else
    UpdateFrameTitleForDocument(nullptr);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active child (its view, document and frame) first, then this frame and the application.
  CMDIChildWnd* active = MDIGetActive();
  if (active && active->RouteToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
    CMDIChildWnd* active = MDIGetActive();
    if (active && ::TranslateMDISysAccel(m_hWndMDIClient, msg)) return TRUE;
    // The active document's accelerators first, then the frame's own.
    if (active) {
      HACCEL childAccelerators = active->GetDefaultAccelerator();
      if (childAccelerators && ::TranslateAcceleratorW(m_hWnd, childAccelerators, msg)) return TRUE;
    }
  }
  return CFrameWnd::PreTranslateMessage(msg);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* ui) { ui->Enable(MDIGetActive() != nullptr); }

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT id) {
  switch (id) {
    case ID_WINDOW_ARRANGE:
      MDIIconArrange();
      return TRUE;
    case ID_WINDOW_CASCADE:
      MDICascade();
      return TRUE;
    case ID_WINDOW_TILE_HORZ:
      MDITile(MDITILE_HORIZONTAL);
      return TRUE;
    case ID_WINDOW_TILE_VERT:
      MDITile(MDITILE_VERTICAL);
      return TRUE;
    default:
      return FALSE;
  }
}

void CMDIFrameWnd::OnWindowNew() {
  CMDIChildWnd* active = MDIGetActive();
  CDocument* document = active ? active->GetActiveDocument() : nullptr;
  CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
  if (!docTemplate) return;
  CFrameWnd* frame = docTemplate->CreateNewFrame(document, active);
  if (frame) docTemplate->InitialUpdateFrame(frame, document);
}
