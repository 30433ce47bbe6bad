#include "framework/ControlBar.h"

#include <algorithm>
#include <vector>

#include "framework/DockBar.h"
#include "framework/DockContext.h"
#include "framework/FrameWnd.h"
#include "framework/GbkText.h"
#include "framework/ResourceModule.h"
#include "framework/WideText.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_NCHITTEST()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

namespace {

const int kEdge = 2;     // a CBRS_BORDER_ edge
const int kGripper = 8;  // room of the gripper across the bar

std::vector<CControlBar*>& AllBars() {
  static std::vector<CControlBar*> bars;
  return bars;
}

void Forget(CControlBar* bar) {
  auto& bars = AllBars();
  bars.erase(std::remove(bars.begin(), bars.end(), bar), bars.end());
}

}  // namespace

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  Forget(this);
  delete m_pDockContext;
  m_pDockContext = nullptr;
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

// Registry of bars

CControlBar* CControlBar::FindBar(const CFrameWnd* site, UINT id) {
  for (CControlBar* bar : AllBars())
    if (bar->m_pDockSite == site && bar->m_hWnd &&
        static_cast<UINT>(::GetDlgCtrlID(bar->m_hWnd)) == id)
      return bar;
  return nullptr;
}

void CControlBar::GetBars(const CFrameWnd* site, CPtrArray& bars) {
  for (CControlBar* bar : AllBars())
    if (bar->m_pDockSite == site && bar->m_hWnd) bars.Add(bar);
}

LPCSTR CControlBar::ControlBarClassName() {
  return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
}

// Styles and borders

void CControlBar::SetBarStyle(DWORD style) {
  if (m_dwStyle == style) return;
  DWORD previous = m_dwStyle;
  m_dwStyle = style;
  if (m_hWnd && ((previous ^ style) & CBRS_TOOLTIPS)) EnableToolTips((style & CBRS_TOOLTIPS) != 0);
  if (m_hWnd && ((previous ^ style) & (CBRS_BORDER_ANY | CBRS_GRIPPER | CBRS_ORIENT_ANY)))
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::SetBorders(int left, int top, int right, int bottom) {
  m_cxLeftBorder = left;
  m_cyTopBorder = top;
  m_cxRightBorder = right;
  m_cyBottomBorder = bottom;
}

void CControlBar::SetBorders(LPCRECT borders) {
  if (borders)
    SetBorders(borders->left, borders->top, borders->right, borders->bottom);
  else
    SetBorders();
}

CRect CControlBar::GetBorders() const {
  return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
}

BOOL CControlBar::HasGripper() const {
  return (m_dwStyle & CBRS_GRIPPER) && !(m_dwStyle & CBRS_FLOATING);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL horz) const {
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kEdge;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kEdge;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kEdge;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kEdge;
  if (HasGripper()) {
    if (horz)
      rect.left += kGripper;
    else
      rect.top += kGripper;
  }
  rect.left += m_cxLeftBorder;
  rect.top += m_cyTopBorder;
  rect.right -= m_cxRightBorder;
  rect.bottom -= m_cyBottomBorder;
}

// Layout

CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
  CSize size(stretch && horz ? 32767 : 0, stretch && !horz ? 32767 : 0);
  CRect inside;
  CalcInsideRect(inside, horz);
  // The inside of an empty rectangle is negative by the room of edges and borders.
  size.cx -= inside.Width();
  size.cy -= inside.Height();
  return size;
}

CSize CControlBar::CalcDynamicLayout(int length, DWORD mode) {
  if (length == -1 && !(mode & (LM_MRUWIDTH | LM_COMMIT)) && (mode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZDOCK) != 0);
  return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

BOOL CControlBar::IsFloating() const { return (m_dwStyle & CBRS_FLOATING) != 0; }

BOOL CControlBar::IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  return (m_nStateFlags & delayShow) || (m_hWnd && (GetStyle() & WS_VISIBLE));
}

void CControlBar::DelayShow(BOOL show) {
  m_nStateFlags &= ~(delayHide | delayShow);
  BOOL visible = m_hWnd && (GetStyle() & WS_VISIBLE);
  if (show && !visible)
    m_nStateFlags |= delayShow;
  else if (!show && visible)
    m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* layout) {
  DWORD style = (GetStyle() & WS_VISIBLE) | (m_dwStyle & ~WS_VISIBLE);
  if (!(m_nStateFlags & (delayHide | delayShow))) return style;
  bool show = (m_nStateFlags & delayShow) != 0;
  style = show ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE);
  if (!layout || layout->hDWP) {  // a real layout, not a query
    m_nStateFlags &= ~(delayHide | delayShow);
    ::ShowWindow(m_hWnd, show ? SW_SHOWNA : SW_HIDE);
  }
  return style;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD style = RecalcDelayShow(layout);
  if (!(style & WS_VISIBLE) || !(style & CBRS_ALIGN_ANY) || (m_dwStyle & CBRS_FLOATING)) return 0;
  CRect rect(layout->rect);
  CSize available = rect.Size();
  DWORD mode = layout->bStretch ? LM_STRETCH : 0;
  if (style & CBRS_ORIENT_HORZ)
    mode |= LM_HORZ | LM_HORZDOCK;
  else
    mode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, mode);
  size.cx = std::max(0L, std::min(size.cx, available.cx));
  size.cy = std::max(0L, std::min(size.cy, available.cy));
  if (style & CBRS_ORIENT_HORZ) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, size.cx);
    if (style & CBRS_ALIGN_TOP) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(layout->sizeTotal.cy, size.cy);
    if (style & CBRS_ALIGN_LEFT) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (layout->hDWP)
    layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top,
                                    rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
  return 0;
}

// Idle update

CFrameWnd* CControlBar::GetCommandTarget() const {
  CWnd* owner = GetOwner();
  if (owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(owner);
  return GetParentFrame();
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CFrameWnd* frame = GetParentFrame();
  return frame ? frame : m_pDockSite;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  RecalcDelayShow(nullptr);
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if (m_pDockBar && !(m_pDockBar->GetStyle() & WS_VISIBLE)) return 0;
  if (CFrameWnd* target = GetCommandTarget()) OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
  return 0;
}

// Creation

int CControlBar::OnCreate(LPCREATESTRUCTA cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
  if (!m_pDockSite) {
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
      m_pDockSite = static_cast<CFrameWnd*>(parent);
    else
      m_pDockSite = GetParentFrame();
  }
  if (!m_hWndOwner && parent) SetOwner(parent);
  AllBars().push_back(this);
  if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  return 0;
}

void CControlBar::OnDestroy() {
  EnableToolTips(FALSE);
  // A floating frame going away takes its bars with it: it must not be laid out meanwhile.
  if (m_pDockBar) m_pDockBar->RemoveControlBar(this, FALSE);
  m_pDockBar = nullptr;
  Forget(this);
  CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CControlBar::EnableDocking(DWORD dockStyle) {
  m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
  if (m_dwDockStyle && !m_pDockContext) m_pDockContext = new CDockContext(this);
  if (!m_dwDockStyle && m_pDockContext) {
    delete m_pDockContext;
    m_pDockContext = nullptr;
  }
}

// Edges and gripper

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params) {
  CRect rect(params->rgrc[0]);
  CalcInsideRect(rect, IsHorz());
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  params->rgrc[0] = rect;
}

LRESULT CControlBar::OnNcHitTest(CPoint) {
  // The gripper and borders act as the bar itself: a press there starts dragging.
  return HTCLIENT;
}

void CControlBar::DrawBorders(CDC* dc, CRect& rect) {
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (m_dwStyle & CBRS_BORDER_TOP) {
    dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
    dc->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, light);
    rect.top += kEdge;
  }
  if (m_dwStyle & CBRS_BORDER_BOTTOM) {
    dc->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
    dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, light);
    rect.bottom -= kEdge;
  }
  if (m_dwStyle & CBRS_BORDER_LEFT) {
    dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
    dc->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), light);
    rect.left += kEdge;
  }
  if (m_dwStyle & CBRS_BORDER_RIGHT) {
    dc->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
    dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), light);
    rect.right -= kEdge;
  }
}

void CControlBar::DrawGripper(CDC* dc, const CRect& rect) {
  if (!HasGripper()) return;
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (IsHorz()) {
    int x = rect.left + 2;
    for (int line = 0; line < 2; ++line, x += 3) {
      dc->FillSolidRect(x, rect.top + 2, 1, rect.Height() - 4, light);
      dc->FillSolidRect(x + 1, rect.top + 2, 1, rect.Height() - 4, shadow);
    }
  } else {
    int y = rect.top + 2;
    for (int line = 0; line < 2; ++line, y += 3) {
      dc->FillSolidRect(rect.left + 2, y, rect.Width() - 4, 1, light);
      dc->FillSolidRect(rect.left + 2, y + 1, rect.Width() - 4, 1, shadow);
    }
  }
}

void CControlBar::OnNcPaint() {
  CRect window;
  GetWindowRect(window);
  CRect client;
  GetClientRect(client);
  ClientToScreen(client);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  CDC* dc = GetWindowDC();
  if (!dc) return;
  dc->ExcludeClipRect(client);
  dc->FillSolidRect(window, ::GetSysColor(COLOR_BTNFACE));
  CRect inside = window;
  DrawBorders(dc, inside);
  DrawGripper(dc, inside);
  ReleaseDC(dc);
}

// Mouse: dragging, fly-by texts and tips

void CControlBar::OnLButtonDown(UINT, CPoint point) {
  if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    CPoint screen = point;
    ClientToScreen(&screen);
    m_pDockContext->StartDrag(screen);
    return;
  }
  Default();
}

void CControlBar::OnLButtonDblClk(UINT, CPoint point) {
  if (m_pDockContext && OnToolHitTest(point, nullptr) == -1) {
    m_pDockContext->ToggleDocking();
    return;
  }
  Default();
}

void CControlBar::OnLButtonUp(UINT, CPoint point) {
  if (m_pDockContext && m_pDockContext->IsDragging()) {
    CPoint screen = point;
    ClientToScreen(&screen);
    m_pDockContext->EndDrag(screen);
    return;
  }
  Default();
}

void CControlBar::OnMouseMove(UINT, CPoint point) {
  if (m_pDockContext && m_pDockContext->IsDragging()) {
    CPoint screen = point;
    ClientToScreen(&screen);
    m_pDockContext->Move(screen);
    return;
  }
  if (m_dwStyle & CBRS_FLYBY) UpdateFlyBy(point);
  Default();
}

void CControlBar::OnMouseLeave() {
  m_leaveTracked = false;
  if (m_flyByHit != -1) {
    m_flyByHit = -1;
    SetStatusText(-1);
  }
  Default();
}

void CControlBar::OnCaptureChanged(CWnd* window) {
  if (m_pDockContext && m_pDockContext->IsDragging() && (!window || window->m_hWnd != m_hWnd))
    m_pDockContext->CancelDrag();
  Default();
}

void CControlBar::UpdateFlyBy(CPoint point) {
  TOOLINFOA info = {};
  info.cbSize = sizeof info;
  INT_PTR hit = OnToolHitTest(point, &info);
  if (hit != -1 && (info.uFlags & TTF_NOTBUTTON)) hit = -1;  // tabs and the like have no prompt
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKA) free(info.lpszText);
  if (hit == m_flyByHit) return;
  m_flyByHit = hit;
  SetStatusText(hit);
  if (!m_leaveTracked) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
    m_leaveTracked = ::TrackMouseEvent(&track) != FALSE;
  }
}

void CControlBar::SetStatusText(INT_PTR id) {
  CWnd* owner = GetOwner();
  if (!owner || !owner->m_hWnd) return;
  owner->SendMessage(WM_SETMESSAGESTRING, id == -1 ? AFX_IDS_IDLEMESSAGE : static_cast<WPARAM>(id));
}

INT_PTR CControlBar::OnToolHitTest(CPoint, TOOLINFOA*) const { return -1; }

BOOL CControlBar::EnableToolTips(BOOL enable) {
  if (!enable) {
    if (m_toolTip) ::DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    m_toolTipHit = -1;
    return TRUE;
  }
  if (m_toolTip || !m_hWnd) return m_toolTip != nullptr;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  m_toolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd,
                                nullptr, AfxGetInstanceHandle(), nullptr);
  if (m_toolTip) ::SendMessageA(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 300);
  return m_toolTip != nullptr;
}

void CControlBar::RelayToolTipEvent(UINT message, WPARAM wParam, LPARAM lParam) {
  CPoint point(lParam);
  TOOLINFOA info = {};
  info.cbSize = sizeof info;
  INT_PTR hit = OnToolHitTest(point, &info);
  if (hit != m_toolTipHit) {
    TOOLINFOA old = {};
    old.cbSize = sizeof old;
    old.hwnd = m_hWnd;
    old.uId = static_cast<UINT_PTR>(m_toolTipHit);
    if (m_toolTipHit != -1)
      ::SendMessageA(m_toolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
    m_toolTipHit = hit;
    if (hit != -1) {
      info.hwnd = m_hWnd;
      info.uId = static_cast<UINT_PTR>(hit);
      info.uFlags &= ~(TTF_NOTBUTTON | TTF_IDISHWND);
      if (!info.lpszText) info.lpszText = LPSTR_TEXTCALLBACKA;
      ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKA) free(info.lpszText);
  MSG msg = {m_hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {0, 0}};
  ::SendMessageA(m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

BOOL CControlBar::SupplyToolTipText(NMHDR* header, LRESULT* result) {
  UINT id = static_cast<UINT>(header->idFrom);
  CString full;
  if (id == 0 || id > 0xFFFF || !full.LoadString(id)) return FALSE;
  int newline = full.Find('\n');
  CString tip = newline < 0 ? full : full.Mid(newline + 1);
  if (header->code == TTN_NEEDTEXTA) {
    auto* text = reinterpret_cast<NMTTDISPINFOA*>(header);
    lstrcpynA(text->szText, tip, static_cast<int>(sizeof text->szText));
    text->lpszText = text->szText;
  } else {
    auto* text = reinterpret_cast<NMTTDISPINFOW*>(header);
    lstrcpynW(text->szText, CGbkText::ToWide(tip).c_str(),
              static_cast<int>(sizeof text->szText / sizeof(WCHAR)));
    text->lpszText = text->szText;
  }
  if (result) *result = 0;
  return TRUE;
}

// A handler written for the 8-bit request answers the wide one too: its GBK text is widened.
BOOL CControlBar::AskNarrowTipHandler(UINT tipId, NMHDR* header, LRESULT* result) {
  NMTTDISPINFOA narrow = {};
  narrow.hdr = *header;
  narrow.hdr.code = TTN_NEEDTEXTA;
  AFX_NOTIFY notify = {result, &narrow.hdr};
  if (!OnCmdMsg(tipId, MAKELONG(TTN_NEEDTEXTA, WM_NOTIFY), &notify, nullptr)) return FALSE;
  auto* wide = reinterpret_cast<NMTTDISPINFOW*>(header);
  m_wideTip = CGbkText::ToWide(narrow.lpszText ? narrow.lpszText : narrow.szText);
  wide->lpszText = const_cast<LPWSTR>(m_wideTip.c_str());
  return TRUE;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->code != TTN_NEEDTEXTA && header->code != TTN_NEEDTEXTW)
    return CWnd::OnNotify(wParam, lParam, result);
  // A tip asks for its text as a notification of the tip window (control id 0); the item is in
  // idFrom. Without a handler the text comes from the item's string resource.
  AFX_NOTIFY notify = {result, header};
  UINT tipId = static_cast<UINT>(::GetDlgCtrlID(header->hwndFrom));
  if (OnCmdMsg(tipId, MAKELONG(header->code, WM_NOTIFY), &notify, nullptr)) return TRUE;
  if (header->code == TTN_NEEDTEXTW && AskNarrowTipHandler(tipId, header, result)) return TRUE;
  SupplyToolTipText(header, result);
  return TRUE;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_toolTip && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST && message != WM_MOUSEWHEEL)
    RelayToolTipEvent(message, wParam, lParam);
  switch (message) {
    case WM_NOTIFYFORMAT:
      // The bar's tip asks for its texts in their wide form, which shows GBK on any system.
      if (m_toolTip && reinterpret_cast<HWND>(wParam) == m_toolTip && lParam == NF_QUERY)
        return NFR_UNICODE;
      return CWnd::WindowProc(message, wParam, lParam);
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
      // What the bar's controls tell it goes on to the frame when the bar does not handle it.
      LRESULT result = 0;
      if (OnWndMsg(message, wParam, lParam, &result)) return result;
      CWnd* owner = GetOwner();
      auto control = reinterpret_cast<HWND>(lParam);
      if (message == WM_COMMAND && owner && control && ::IsChild(m_hWnd, control)) {
        // Keep it a notification of the bar's control even where the bar floats outside the frame.
        return owner->OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
      }
      if (owner && owner->m_hWnd && owner->m_hWnd != m_hWnd)
        return owner->SendMessage(message, wParam, lParam);
      return DefWindowProc(message, wParam, lParam);
    }
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}
