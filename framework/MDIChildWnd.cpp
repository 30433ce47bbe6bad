#include "framework/MDIChildWnd.h"

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MDIFrameWnd.h"
#include "framework/ResourceModule.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "framework/WndCreationHook.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_MDIACTIVATE()
  ON_WM_SIZE()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = ::GetParent(m_hWnd);
  CWnd* frame = client ? FromHandlePermanent(::GetParent(client)) : nullptr;
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame)
                                                               : nullptr;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_CHILD;
  return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::LoadFrame(UINT idResource, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDHelp = idResource;
  CString title;
  title.LoadString(idResource);
  int newline = title.Find('\n');
  if (newline >= 0) title = title.Left(newline);
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(idResource));
  LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS,
                                         ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                         reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
  CWnd* frame = parent ? parent : AfxGetMainWnd();
  if (!frame || !frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
    PostNcDestroy();
    return FALSE;
  }
  if (!Create(className, title, style, rectDefault, static_cast<CMDIFrameWnd*>(frame), context))
    return FALSE;
  if (context && context->m_pNewDocTemplate) {
    m_hMenuShared = context->m_pNewDocTemplate->m_hMenuShared;
    m_hAccelTable = context->m_pNewDocTemplate->m_hAccelTable;
  }
  return TRUE;
}

BOOL CMDIChildWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect,
                          CMDIFrameWnd* parent, CCreateContext* context) {
  if (!parent) {
    CWnd* main = AfxGetMainWnd();
    if (main && main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
      parent = static_cast<CMDIFrameWnd*>(main);
  }
  if (!parent || !parent->m_hWndMDIClient) {
    PostNcDestroy();
    return FALSE;
  }
  m_strTitle = title ? title : "";
  CREATESTRUCTA cs = {};
  cs.style = style | WS_CHILD;
  cs.lpszClass = className;
  cs.lpszName = title;
  cs.hwndParent = parent->m_hWnd;
  bool useDefault = CRect(rect) == rectDefault;
  cs.x = useDefault ? CW_USEDEFAULT : rect.left;
  cs.y = useDefault ? CW_USEDEFAULT : rect.top;
  cs.cx = useDefault ? CW_USEDEFAULT : rect.right - rect.left;
  cs.cy = useDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = context;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  // The window is made hidden and not maximised; it is shown (maximised if asked) when activated.
  m_bShowMaximized = (cs.style & WS_MAXIMIZE) != 0;
  MDICREATESTRUCTA create = {};
  create.szClass = cs.lpszClass;
  create.szTitle = cs.lpszName;
  create.hOwner = cs.hInstance;
  create.x = cs.x;
  create.y = cs.y;
  create.cx = cs.cx;
  create.cy = cs.cy;
  create.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
  create.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
  HWND hwnd;
  {
    CWndCreationHook hook(this);
    hwnd = reinterpret_cast<HWND>(::SendMessageA(parent->m_hWndMDIClient, WM_MDICREATE, 0,
                                                 reinterpret_cast<LPARAM>(&create)));
  }
  if (!hwnd) return FALSE;
  if (cs.style & WS_VISIBLE) ActivateFrame(m_bShowMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTA cs) {
  // The creation context travels in the MDI creation data.
  auto* create = static_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
  auto* context = create ? reinterpret_cast<CCreateContext*>(create->lParam) : nullptr;
  return OnCreateHelper(cs, context);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  // MDI children must be destroyed through their client window.
  HWND client = ::GetParent(m_hWnd);
  if (client) {
    ::SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return TRUE;
  }
  return CFrameWnd::DestroyWindow();
}

void CMDIChildWnd::ActivateFrame(int cmdShow) {
  bool visibleBefore = IsWindowVisible() != FALSE;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (cmdShow == -1) {
    BOOL activeMaximized = FALSE;
    if (frame) frame->MDIGetActive(&activeMaximized);
    if (activeMaximized || m_bShowMaximized || (GetStyle() & WS_MAXIMIZE))
      cmdShow = SW_SHOWMAXIMIZED;
    else if (!visibleBefore)
      cmdShow = SW_SHOWNORMAL;
  }
  m_bShowMaximized = FALSE;
  if (cmdShow != -1) ShowWindow(cmdShow);
  if (frame) frame->MDIActivate(this);
  if (!visibleBefore) ::SendMessageA(::GetParent(m_hWnd), WM_MDIREFRESHMENU, 0, 0);
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activateWindow, CWnd* deactivateWindow) {
  Default();
  // The menu: this document's while active; the frame's own when the last child goes.
  if (activate)
    OnUpdateFrameMenu(TRUE, activateWindow, nullptr);
  else if (!activateWindow)
    OnUpdateFrameMenu(FALSE, nullptr, nullptr);
  CView* view = GetActiveView();
  if (view && view->m_hWnd) {
    if (activate)
      view->OnActivateView(TRUE, view, view);
    else
      view->OnActivateView(FALSE, view, view);
  }
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->DelayUpdateFrameTitle();
  (void)deactivateWindow;
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL activate, CWnd*, HMENU menuAlternative) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame) return;
  HMENU menu = menuAlternative;
  if (activate && !menu) menu = m_hMenuShared;
  if (!activate || !menu) menu = frame->m_hMenuDefault;
  if (!menu) return;
  HMENU windowMenu = frame->GetWindowMenuPopup(menu);
  frame->MDISetMenu(CMenu::FromHandle(menu), windowMenu ? CMenu::FromHandle(windowMenu) : nullptr);
}

HACCEL CMDIChildWnd::GetDefaultAccelerator() {
  if (m_hAccelTable) return m_hAccelTable;
  CDocument* document = GetActiveDocument();
  return document && document->GetDocTemplate() ? document->GetDocTemplate()->m_hAccelTable
                                                : nullptr;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CMDIFrameWnd* frame = GetMDIFrame();
  if (GetStyle() & FWS_ADDTOTITLE) {
    CString before;
    GetWindowText(before);
    CDocument* document = GetActiveDocument();
    if (addToTitle && document)
      UpdateFrameTitleForDocument(document->GetTitle());
    else
      UpdateFrameTitleForDocument(nullptr);
    CString after;
    GetWindowText(after);
    // The window menu lists the children by the texts they had when it was last built.
    if (after != before && frame && frame->m_hWndMDIClient) {
      ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
      ::DrawMenuBar(frame->m_hWnd);
    }
  }
  if (frame) frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnSize(UINT type, int cx, int cy) {
  CFrameWnd::OnSize(type, cx, cy);
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::OnClose() { CFrameWnd::OnClose(); }

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // View, document, this frame, the main frame, the application.
  if (RouteToViewAndSelf(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (frame && frame->CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*) {
  // Accelerators are translated by the MDI frame, so that their commands reach it first.
  return FALSE;
}
