#include "framework/Wnd.h"

#include <shellapi.h>

#include <cstdlib>
#include <new>
#include <set>
#include <string>

#include "framework/CmdUI.h"
#include "framework/DataExchange.h"
#include "framework/Exception.h"
#include "framework/FrameWnd.h"
#include "framework/MemoryException.h"
#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"
#include "framework/UserException.h"
#include "framework/WinApp.h"
#include "framework/WndCreationHook.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_COMPAREITEM()
  ON_WM_DELETEITEM()
END_MESSAGE_MAP()

namespace {

MSG g_currentMessage = {};

}  // namespace

HHOOK CWndCreationHook::s_hook = nullptr;
CWnd* CWndCreationHook::s_creating = nullptr;

CWndCreationHook::CWndCreationHook(CWnd* wnd) : m_previous(s_creating) {
  if (!s_hook) s_hook = ::SetWindowsHookExA(WH_CBT, &Filter, nullptr, ::GetCurrentThreadId());
  s_creating = wnd;
}

CWndCreationHook::~CWndCreationHook() { s_creating = m_previous; }

LRESULT CALLBACK CWndCreationHook::Filter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && s_creating) {
    CWnd* wnd = s_creating;
    s_creating = nullptr;
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    wnd->Attach(hwnd);
    auto procedure = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (procedure != &AfxWndProc) {
      wnd->m_pfnSuper = procedure;
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
    }
  }
  return ::CallNextHookEx(s_hook, code, wParam, lParam);
}

void AfxReportHandlerException(CException* e) {
  if (!e) return;
  e->ReportError();
  e->Delete();
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (!wnd) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  return AfxCallWndProc(wnd, hwnd, message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG saved = g_currentMessage;
  g_currentMessage.hwnd = hwnd;
  g_currentMessage.message = message;
  g_currentMessage.wParam = wParam;
  g_currentMessage.lParam = lParam;
  LRESULT result = 0;
  try {
    result = wnd->WindowProc(message, wParam, lParam);
  } catch (CException* e) {
    AfxReportHandlerException(e);
    if (message == WM_CREATE) result = -1;
  } catch (const std::bad_alloc&) {
    CMemoryException memory;
    memory.ReportError();
    if (message == WM_CREATE) result = -1;
  }
  g_currentMessage = saved;
  return result;
}

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::set<std::string> names;
  char name[96];
  wsprintfA(name, "TalvexWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
            static_cast<void*>(background), static_cast<void*>(icon));
  auto inserted = names.insert(name);
  if (inserted.second) {
    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = inserted.first->c_str();
    ::RegisterClassA(&windowClass);
  }
  return inserted.first->c_str();
}

// Handle maps

CWnd::Map& CWnd::HandleMap() {
  static Map map;
  return map;
}

CWnd* CWnd::FromHandle(HWND window) { return HandleMap().FromHandle<CWnd>(window); }

CWnd* CWnd::FromHandlePermanent(HWND window) { return HandleMap().LookupPermanent(window); }

void CWnd::DeleteTempMap() { HandleMap().DeleteTemporary(); }

BOOL CWnd::Attach(HWND window) {
  if (!window) return FALSE;
  m_hWnd = window;
  HandleMap().SetPermanent(window, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (window && HandleMap().LookupPermanent(window) == this) HandleMap().RemoveHandle(window);
  m_hWnd = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!window || !Attach(window)) return FALSE;
  auto previous = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (previous != &AfxWndProc) m_pfnSuper = previous;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper) ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

// Creation

LPCSTR CWnd::DefaultClassName() {
  return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) cs.lpszClass = DefaultClassName();
  return TRUE;
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, CCreateContext* context) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
  return CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  CREATESTRUCTA cs = {};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = windowName;
  cs.style = style;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = idOrMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = param;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HWND hwnd;
  {
    CWndCreationHook hook(this);
    hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                             cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  }
  // A window refused in WM_CREATE has already been detached (and the object may be gone).
  return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  if (FromHandlePermanent(m_hWnd) == this) return ::DestroyWindow(m_hWnd);
  HWND window = m_hWnd;
  m_hWnd = nullptr;
  return ::DestroyWindow(window);
}

void CWnd::OnNcDestroy() {
  WNDPROC super = m_pfnSuper;
  Default();
  if (super && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
  m_pfnSuper = nullptr;
  // The program ends when its main window goes.
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    AfxPostQuitMessage(0);
  }
  Detach();
  PostNcDestroy();
}

// Message processing

const MSG* CWnd::GetCurrentMessage() { return &g_currentMessage; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    return header && header->hwndFrom && OnNotify(wParam, lParam, result);
  }
  UINT lookup = message;
  int code = 0;
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    lookup = WM_CTLCOLOR;
    code = static_cast<int>(message - WM_CTLCOLORMSGBOX);
  }
  const AFX_MSGMAP_ENTRY* entry = FindEntry(lookup, 0, 0, FALSE);
  if (!entry) return FALSE;
  AFX_MSGCALL call = {message, wParam, lParam, 0, code, nullptr, 0, TRUE};
  entry->pfn(this, call);
  *result = call.result;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG* current = GetCurrentMessage();
  return DefWindowProc(current->message, current->wParam, current->lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  int code = HIWORD(wParam);
  auto control = reinterpret_cast<HWND>(lParam);
  if (control && ::IsWindow(control) && ::IsChild(m_hWnd, control)) {
    if (ReflectLastMsg(control)) return TRUE;
  } else {
    code = CN_COMMAND;  // menu, accelerator, or a command whose lParam carries data
  }
  return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (ReflectLastMsg(header->hwndFrom, result)) return TRUE;
  AFX_NOTIFY notify = {result, header};
  return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify,
                  nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
  CWnd* control = FromHandlePermanent(child);
  if (!control) return FALSE;
  const MSG message = *GetCurrentMessage();
  return control->OnChildNotify(message.message, message.wParam, message.lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0,
                                              TRUE);
    if (!entry) return FALSE;
    AFX_MSGCALL call = {message, wParam, lParam, 0, HIWORD(wParam), nullptr, 0, TRUE};
    entry->pfn(this, call);
    if (result) *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const AFX_MSGMAP_ENTRY* entry = FindEntry(WM_REFLECT_BASE + WM_NOTIFY, header->code, 0, TRUE);
    if (!entry) return FALSE;
    LRESULT ignored = 0;
    AFX_NOTIFY notify = {result ? result : &ignored, header};
    AFX_MSGCALL call = {message, wParam, lParam, 0, static_cast<int>(header->code),
                        &notify, 0,      TRUE};
    entry->pfn(this, call);
    return TRUE;
  }
  return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep,
                                    BOOL onlyPermanent) {
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (CWnd* wnd = FromHandlePermanent(child)) {
      AfxCallWndProc(wnd, child, message, wParam, lParam);
    } else if (!onlyPermanent) {
      ::SendMessageA(child, message, wParam, lParam);
    }
    if (deep && ::GetTopWindow(child)) {
      CWnd wrapper(child);
      wrapper.SendMessageToDescendants(message, wParam, lParam, deep, onlyPermanent);
      wrapper.m_hWnd = nullptr;
    }
  }
}

// State and geometry

namespace {

BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT swpFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(hwnd, index));
  DWORD changed = (style & ~remove) | add;
  if (style == changed) return FALSE;
  ::SetWindowLongPtrA(hwnd, index, static_cast<LONG_PTR>(changed));
  if (swpFlags)
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyLong(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

void CWnd::ClientToScreen(LPRECT rect) const {
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ScreenToClient(LPRECT rect) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
  HWND center = alternateOwner ? alternateOwner->m_hWnd : nullptr;
  if (!center)
    center = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
  RECT area;
  if (center && !(GetStyle() & WS_CHILD) && ::IsWindowVisible(center) && !::IsIconic(center)) {
    ::GetWindowRect(center, &area);
  } else if (center && (GetStyle() & WS_CHILD)) {
    ::GetClientRect(center, &area);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own;
  ::GetWindowRect(m_hWnd, &own);
  int width = own.right - own.left;
  int height = own.bottom - own.top;
  int x = (area.left + area.right - width) / 2;
  int y = (area.top + area.bottom - height) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& text) const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  if (length <= 0) {
    text.Empty();
    return;
  }
  ::GetWindowTextA(m_hWnd, text.GetBufferSetLength(length), length + 1);
  text.ReleaseBuffer();
}

void CWnd::SetDlgItemNumber(int id, double value, LPCSTR format) {
  CString text;
  text.Format(format, value);
  SetDlgItemText(id, text);
}

double CWnd::GetDlgItemNumber(int id) const {
  CString text;
  GetDlgItemText(id, text);
  return atof(text);
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (!item) {
    text.Empty();
    return 0;
  }
  CWnd wrapper(item);
  wrapper.GetWindowText(text);
  wrapper.m_hWnd = nullptr;
  return text.GetLength();
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (int id = first; id <= last; ++id)
    if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) return id;
  return 0;
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent(); }

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND parent = ::GetParent(m_hWnd); parent; parent = ::GetParent(parent)) {
    CWnd* wnd = FromHandlePermanent(parent);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
    if (!(::GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD)) break;  // owners are not parents
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CWnd* self = FromHandlePermanent(m_hWnd);
  CFrameWnd* frame = self && self->IsKindOf(RUNTIME_CLASS(CFrameWnd))
                         ? static_cast<CFrameWnd*>(self)
                         : GetParentFrame();
  while (frame) {
    CFrameWnd* parent = frame->GetParentFrame();
    if (!parent) break;
    frame = parent;
  }
  return frame;
}

CFrameWnd* CWnd::EnsureParentFrame() const { return GetParentFrame(); }

CWnd* CWnd::GetTopLevelParent() const {
  HWND top = m_hWnd;
  for (HWND parent = top; parent; parent = ::GetParent(parent)) top = parent;
  return FromHandle(top);
}

CWnd* CWnd::GetParentOwner() const {
  HWND parent = m_hWnd;
  while (parent && (::GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD))
    parent = ::GetParent(parent);
  return FromHandle(parent);
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const {
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == id) {
      CWnd* wnd = onlyPermanent ? FromHandlePermanent(child) : FromHandle(child);
      if (wnd) return wnd;
    }
    CWnd wrapper(child);
    CWnd* found = wrapper.GetDescendantWindow(id, onlyPermanent);
    wrapper.m_hWnd = nullptr;
    if (found) return found;
  }
  return nullptr;
}

namespace {

bool IsCommandButton(HWND control) {
  if (!(::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) return false;
  switch (::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON:
    case BS_GROUPBOX:
      return false;
    default:
      return true;
  }
}

}  // namespace

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler) {
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CCmdUI state;
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
    state.m_pOther = FromHandle(child);
    // Only command buttons are disabled for want of a handler: edits, lists, check boxes and
    // buttons that close the window belong to the user.
    BOOL disable = disableIfNoHandler && state.m_nID != IDOK && state.m_nID != IDCANCEL &&
                   IsCommandButton(child);
    state.DoUpdate(target, disable);
  }
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (CUserException* e) {
    e->Delete();  // the user has been told what is wrong
    return FALSE;
  }
  return TRUE;
}

int CWnd::ReleaseDC(CDC* dc) {
  if (!dc) return 0;
  HDC hdc = dc->m_hDC;
  if (CDC::HandleMap().LookupTemporary(hdc) == dc) {
    // The temporary wrapper stays in the map until idle; it must not outlive the context.
    dc->m_hDC = dc->m_hAttribDC = nullptr;
  }
  return ::ReleaseDC(m_hWnd, hdc);
}

CPoint CWnd::GetCaretPos() {
  POINT point = {0, 0};
  ::GetCaretPos(&point);
  return point;
}

BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) const {
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}

int CWnd::GetScrollLimit(int bar) const {
  SCROLLINFO info = {};
  if (!GetScrollInfo(bar, &info, SIF_RANGE | SIF_PAGE)) return 0;
  int limit = info.nMax - (info.nPage ? static_cast<int>(info.nPage) - 1 : 0);
  return limit < info.nMin ? info.nMin : limit;
}

void CWnd::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(m_hWnd, accept); }

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
  return AfxShowMessageBox(m_hWnd, text, caption, type);
}

void CWnd::RepositionBars(UINT first, UINT last, UINT leftOver, UINT flags, LPRECT param,
                          LPCRECT clientRect, BOOL stretch) {
  AFX_SIZEPARENTPARAMS layout = {};
  layout.bStretch = stretch;
  bool query = (flags & reposQuery) != 0;
  if (clientRect)
    layout.rect = *clientRect;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  if (!query) layout.hDWP = ::BeginDeferWindowPos(8);
  HWND leftOverWindow = nullptr;
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id == leftOver)
      leftOverWindow = child;
    else if (id >= first && id <= last)
      ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (query) {
    if (param) *param = layout.rect;
    return;
  }
  if ((flags & reposExtra) && param) {
    layout.rect.left += param->left;
    layout.rect.top += param->top;
    layout.rect.right -= param->right;
    layout.rect.bottom -= param->bottom;
  }
  if (leftOverWindow && !(flags & reposNoPosLeftOver) && layout.hDWP) {
    layout.hDWP = ::DeferWindowPos(layout.hDWP, leftOverWindow, nullptr, layout.rect.left,
                                   layout.rect.top, layout.rect.right - layout.rect.left,
                                   layout.rect.bottom - layout.rect.top,
                                   SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

// Default handlers

int CWnd::OnCreate(LPCREATESTRUCTA) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCTA) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item) {
  if (item->CtlType != ODT_MENU && ReflectLastMsg(item->hwndItem)) return;
  Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT item) {
  if (item->CtlType != ODT_MENU &&
      ReflectLastMsg(::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID))))
    return;
  Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT item) {
  LRESULT result = 0;
  if (ReflectLastMsg(item->hwndItem, &result)) return static_cast<int>(result);
  return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT item) {
  if (ReflectLastMsg(item->hwndItem)) return;
  Default();
}

void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnDestroyClipboard() { Default(); }
BOOL CWnd::OnDeviceChange(UINT, DWORD_PTR) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
