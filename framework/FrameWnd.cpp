#include "framework/FrameWnd.h"

#include <shellapi.h>

#include "framework/CmdUI.h"
#include "framework/DockBar.h"
#include "framework/DockState.h"
#include "framework/Document.h"
#include "framework/ResourceModule.h"
#include "framework/View.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_INITMENUPOPUP()
  ON_WM_DROPFILES()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

namespace {

CString FirstLine(const CString& text) {
  int newline = text.Find('\n');
  return newline < 0 ? text : text.Left(newline);
}

}  // namespace

BOOL CFrameWnd::LoadFrame(UINT idResource, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDHelp = idResource;
  CString title;
  title.LoadString(idResource);
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(idResource));
  LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS,
                                         ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                         reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
  LPCSTR menuName = nullptr;
  if (::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(idResource), MAKEINTRESOURCEA(4)))
    menuName = MAKEINTRESOURCEA(idResource);
  if (!Create(className, FirstLine(title), style, rectDefault, parent, menuName, 0, context))
    return FALSE;  // the window (and for a failed WM_CREATE, the object) is gone
  m_hMenuDefault = ::GetMenu(m_hWnd);
  LoadAccelTable(MAKEINTRESOURCEA(idResource));
  if (!context) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR menuName, DWORD exStyle, CCreateContext* context) {
  m_strTitle = title ? title : "";
  HMENU menu = nullptr;
  if (menuName) {
    menu = ::LoadMenuA(AfxGetResourceHandle(), menuName);
    if (!menu) {
      PostNcDestroy();
      return FALSE;
    }
  }
  bool useDefault = CRect(rect) == rectDefault;
  BOOL created = CreateEx(exStyle, className, title, style, useDefault ? CW_USEDEFAULT : rect.left,
                          useDefault ? CW_USEDEFAULT : rect.top,
                          useDefault ? CW_USEDEFAULT : rect.right - rect.left,
                          useDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                          parent ? parent->m_hWnd : nullptr, menu, context);
  if (!created && menu) ::DestroyMenu(menu);
  return created;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR name) {
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), name);
  return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTA cs) {
  return OnCreateHelper(cs, static_cast<CCreateContext*>(cs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCTA cs, CCreateContext* context) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  if (!OnCreateClient(cs, context)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTA, CCreateContext* context) {
  if (context && context->m_pNewViewClass)
    return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CObject* object = context->m_pNewViewClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete object;
    return nullptr;
  }
  auto* view = static_cast<CWnd*>(object);
  // A view whose creation fails has deleted itself.
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                    id, context))
    return nullptr;
  return view;
}

void CFrameWnd::OnDestroy() {
  // The menu bar may be a document template's shared menu: never let the window destroy it.
  if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) ::SetMenu(m_hWnd, m_hMenuDefault);
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    // Closing the main window asks about every modified document and closes them all.
    if (!app->SaveAllModified()) return;
    app->CloseAllDocuments(FALSE);
    if (!::IsWindow(m_hWnd)) return;
    DestroyWindow();
    return;
  }
  CDocument* document = GetActiveDocument();
  if (document && !document->CanCloseFrame(this)) return;
  if (document && document->m_bAutoDelete) {
    bool otherFrame = false;
    POSITION position = document->GetFirstViewPosition();
    while (position && !otherFrame)
      otherFrame = document->GetNextView(position)->GetParentFrame() != this;
    if (!otherFrame) {
      document->OnCloseDocument();  // destroys this frame too
      return;
    }
    document->PreCloseFrame(this);
  }
  DestroyWindow();
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* oldWindow) {
  if (m_pViewActive && m_pViewActive->m_hWnd)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(oldWindow);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc) {
  // The pane covers the client area; erasing under it only flickers.
  if (m_pViewActive) return TRUE;
  return CWnd::OnEraseBkgnd(dc);
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || !m_hWnd) return;
  m_bInRecalcLayout = TRUE;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* previous = m_pViewActive;
  if (view == previous) return;
  m_pViewActive = view;
  if (notify && previous && previous->m_hWnd) previous->OnActivateView(FALSE, view, previous);
  if (notify && view && view->m_hWnd) view->OnActivateView(TRUE, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) {
    if (!IsWindowVisible())
      cmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      cmdShow = SW_RESTORE;
  }
  if (cmdShow != -1) ShowWindow(cmdShow);
  if (cmdShow != SW_HIDE && !(GetStyle() & WS_CHILD)) BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* document, BOOL makeVisible) {
  CView* view = nullptr;
  if (!GetActiveView()) {
    CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      view = static_cast<CView*>(pane);
      SetActiveView(view, FALSE);
    }
  }
  if (makeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    int cmdShow = -1;
    CWinApp* app = AfxGetApp();
    if (app && !app->m_pMainWnd && !(GetStyle() & WS_CHILD)) {
      cmdShow = app->m_nCmdShow;
      app->m_nCmdShow = -1;
    }
    ActivateFrame(cmdShow);
    if (view && view->m_hWnd) view->OnActivateView(TRUE, view, view);
  }
  if (document) document->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* document = GetActiveDocument();
  if (addToTitle && document)
    UpdateFrameTitleForDocument(document->GetTitle());
  else
    UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR documentName) {
  CString title;
  CString name = documentName ? documentName : "";
  if (!name.IsEmpty() && m_nWindow > 0) name.AppendFormat(":%d", m_nWindow);
  if (name.IsEmpty()) {
    title = m_strTitle;
  } else if (m_strTitle.IsEmpty()) {
    title = name;
  } else if (GetStyle() & FWS_PREFIXTITLE) {
    title = name + " - " + m_strTitle;
  } else {
    title = m_strTitle + " - " + name;
  }
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU menuAlternative) {
  HMENU menu = menuAlternative ? menuAlternative : m_hMenuDefault;
  if (menu && ::GetMenu(m_hWnd) != menu) ::SetMenu(m_hWnd, menu);
}

HACCEL CFrameWnd::GetDefaultAccelerator() { return m_hAccelTable; }

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCSTR text) {
  if (CWnd* bar = GetMessageBar()) bar->SetWindowText(text);
}

void CFrameWnd::SetMessageText(UINT stringId) {
  // A command's string is its prompt, then after a line break its tip.
  CString text;
  text.LoadString(stringId);
  SetMessageText(FirstLine(text));
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  if (lParam)
    SetMessageText(reinterpret_cast<LPCSTR>(lParam));
  else
    SetMessageText(static_cast<UINT>(wParam));
  return 0;
}

BOOL CFrameWnd::RouteToViewAndSelf(UINT nID, int nCode, void* pExtra,
                                   AFX_CMDHANDLERINFO* pHandlerInfo) {
  CView* view = GetActiveView();
  if (view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (RouteToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    HACCEL accelerators = GetDefaultAccelerator();
    if (accelerators && ::TranslateAcceleratorW(m_hWnd, accelerators, msg)) return TRUE;
  }
  return CWnd::PreTranslateMessage(msg);
}

void CFrameWnd::UpdateMenuCmdUI(CMenu* menu, BOOL recurse) {
  if (!menu || !menu->m_hMenu) return;
  CCmdUI state;
  state.m_pMenu = menu;
  state.m_nIndexMax = menu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = menu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    state.m_pSubMenu = nullptr;
    if (state.m_nID == static_cast<UINT>(-1)) {
      HMENU popup = ::GetSubMenu(menu->m_hMenu, static_cast<int>(state.m_nIndex));
      if (recurse && popup) UpdateMenuCmdUI(CMenu::FromHandle(popup), TRUE);
      continue;
    }
    if (state.m_nID == 0) continue;  // separator
    // System commands are left to the system.
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    // An update handler may have inserted or removed items (the recent-file list does).
    UINT count = menu->GetMenuItemCount();
    if (count < state.m_nIndexMax) {
      state.m_nIndex -= (state.m_nIndexMax - count);
      while (state.m_nIndex < count &&
             menu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = count;
  }
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu) {
  if (sysMenu) {
    CWnd::OnInitMenuPopup(popup, index, sysMenu);
    return;
  }
  UpdateMenuCmdUI(popup, FALSE);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
  if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  m_nIdleFlags = 0;
  // Menu bars keep their items' states current, so that they are right before any popup opens.
  if (!(GetStyle() & WS_CHILD)) {
    HMENU menu = ::GetMenu(m_hWnd);
    if (menu) UpdateMenuCmdUI(CMenu::FromHandle(menu), TRUE);
  }
  return 0;
}

void CFrameWnd::OnDropFiles(HDROP drop) {
  SetActiveWindow();
  UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  CWinApp* app = AfxGetApp();
  for (UINT i = 0; i < count && app; ++i) {
    UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
    CString path;
    ::DragQueryFileA(drop, i, path.GetBufferSetLength(static_cast<int>(length)), length + 1);
    path.ReleaseBuffer();
    app->OpenDocumentFile(path);
  }
  ::DragFinish(drop);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* ui) {
  if (CControlBar* bar = GetControlBar(ui->m_nID)) {
    ui->SetCheck(bar->IsVisible() ? 1 : 0);
    return;
  }
  CWnd* window = GetDescendantWindow(static_cast<int>(ui->m_nID), TRUE);
  if (!window) {
    ui->ContinueRouting();
    return;
  }
  ui->SetCheck(window->IsWindowVisible() ? 1 : 0);
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
  // Floating bars are no descendants of the frame: the frame's bars are found by id first.
  if (CControlBar* bar = GetControlBar(id)) {
    ShowControlBar(bar, !bar->IsVisible(), FALSE);
    return TRUE;
  }
  CWnd* window = GetDescendantWindow(static_cast<int>(id), TRUE);
  if (!window) return FALSE;
  window->ShowWindow(window->IsWindowVisible() ? SW_HIDE : SW_SHOWNA);
  RecalcLayout();
  return TRUE;
}

// Control bars

void CFrameWnd::EnableDocking(DWORD dockStyle) { CDockBar::EnableDocking(this, dockStyle); }

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect) {
  CDockBar::DockBarInFrame(this, bar, dockBarId, rect);
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint point, DWORD style) {
  CDockBar::FloatBarInFrame(this, bar, point, style);
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
  CDockBar::ShowBarInFrame(this, bar, show, delay);
}

CControlBar* CFrameWnd::GetControlBar(UINT id) { return CControlBar::FindBar(this, id); }

void CFrameWnd::GetDockState(CDockState& state) { state.GetState(this); }

void CFrameWnd::SetDockState(const CDockState& state) { state.SetState(this); }

void CFrameWnd::LoadBarState(LPCSTR profileName) {
  CDockState state;
  if (state.LoadState(profileName)) SetDockState(state);
}

void CFrameWnd::SaveBarState(LPCSTR profileName) {
  CDockState state;
  GetDockState(state);
  state.SaveState(profileName);
}
