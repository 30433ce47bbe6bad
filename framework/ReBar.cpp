#include "framework/ReBar.h"

#include "framework/Bitmap.h"
#include "framework/CmdUI.h"
#include "framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
  ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar() { SetBorders(0, 0, 0, 0); }

BOOL CReBar::Create(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_COOL_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  m_dwStyle = style & CBRS_ALL;
  DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                      CCS_NORESIZE | WS_CHILD;
  if (!CWnd::CreateEx(0, REBARCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 100, 30), parent, id)) return FALSE;
  REBARINFO info = {};
  info.cbSize = sizeof info;
  SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
  return TRUE;
}

BOOL CReBar::InsertBand(CWnd* window, REBARBANDINFOA& band) {
  if (!m_hWnd || !window || !window->m_hWnd) return FALSE;
  band.cbSize = sizeof band;
  band.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE;
  band.hwndChild = window->m_hWnd;
  CRect rect;
  window->GetWindowRect(rect);
  CSize size = rect.Size();
  if (window->IsKindOf(RUNTIME_CLASS(CControlBar)))
    size = static_cast<CControlBar*>(window)->CalcFixedLayout(FALSE, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  if (!SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band))) return FALSE;
  if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
  return TRUE;
}

BOOL CReBar::AddBar(CWnd* window, LPCSTR text, CBitmap* background, DWORD bandStyle) {
  REBARBANDINFOA band = {};
  band.fStyle = bandStyle;
  if (text) {
    band.fMask |= RBBIM_TEXT;
    band.lpText = const_cast<LPSTR>(text);
  }
  if (background && background->m_hObject) {
    band.fMask |= RBBIM_BACKGROUND;
    band.hbmBack = static_cast<HBITMAP>(background->m_hObject);
  }
  return InsertBand(window, band);
}

BOOL CReBar::AddBar(CWnd* window, COLORREF foreground, COLORREF background, LPCSTR text, DWORD bandStyle) {
  REBARBANDINFOA band = {};
  band.fStyle = bandStyle;
  band.fMask = RBBIM_COLORS;
  band.clrFore = foreground;
  band.clrBack = background;
  if (text) {
    band.fMask |= RBBIM_TEXT;
    band.lpText = const_cast<LPSTR>(text);
  }
  return InsertBand(window, band);
}

int CReBar::GetBandCount() const { return m_hWnd ? static_cast<int>(SendMessage(RB_GETBANDCOUNT)) : 0; }

int CReBar::FindBand(const CWnd* window) const {
  if (!window) return -1;
  for (int index = 0; index < GetBandCount(); ++index) {
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD;
    if (SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band)) &&
        band.hwndChild == window->m_hWnd)
      return index;
  }
  return -1;
}

BOOL CReBar::ShowBand(CWnd* window, BOOL show) {
  int index = FindBand(window);
  if (index < 0) return FALSE;
  return SendMessage(RB_SHOWBAND, static_cast<WPARAM>(index), show) != 0;
}

CSize CReBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
  CSize size = CControlBar::CalcFixedLayout(stretch, horz);
  int thickness = m_hWnd ? static_cast<int>(SendMessage(RB_GETBARHEIGHT)) : 0;
  if (horz) size.cy += thickness;
  else size.cx += thickness;
  return size;
}

void CReBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  // Bars in the bands update themselves; other controls update like dialog controls.
  for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CWnd* permanent = CWnd::FromHandlePermanent(child);
    if (permanent && permanent->IsKindOf(RUNTIME_CLASS(CControlBar))) continue;
    CCmdUI state;
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
    state.m_pOther = CWnd::FromHandle(child);
    state.DoUpdate(target, disableIfNoHandler);
  }
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* result) {
  *result = 0;
  if (CFrameWnd* frame = GetParentFrame()) frame->DelayRecalcLayout();
}
