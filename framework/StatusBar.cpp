#include "framework/StatusBar.h"

#include <algorithm>

#include "framework/FrameWnd.h"
#include "framework/GbkText.h"
#include "framework/StatusCmdUI.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
  ON_WM_SIZE()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_MESSAGE(WM_GETTEXT, OnGetText)
  ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

const int kPanePadding = 8;  // borders and margins around a pane's text

}  // namespace

CStatusBar::CStatusBar() { SetBorders(0, 2, 0, 0); }

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateEx(parent, 0, style, id);
}

BOOL CStatusBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  m_dwStyle = style & CBRS_ALL;
  DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY |
                      CCS_NODIVIDER | CCS_NORESIZE | WS_CHILD;
  if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 100, 20), parent, id))
    return FALSE;
  m_font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const {
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {0, 0};
  ::GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (count < 0 || (count > 0 && !ids) || !m_hWnd) return FALSE;
  std::vector<Pane> panes(static_cast<size_t>(count));
  for (size_t i = 0; i < panes.size(); ++i) {
    Pane& pane = panes[i];
    pane.id = ids[i];
    if (pane.id != 0) {
      if (!pane.text.LoadString(pane.id)) return FALSE;
      pane.width = TextWidth(pane.text);
    } else {
      // Reached by index only; the first such pane takes the free room.
      pane.width = ::GetSystemMetrics(SM_CXSCREEN) / 4;
      if (i == 0) pane.style |= SBPS_STRETCH | SBPS_NOBORDERS;
    }
  }
  m_panes.swap(panes);
  UpdateParts();
  for (int i = 0; i < GetCount(); ++i) ShowPaneText(i);
  return TRUE;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_panes[static_cast<size_t>(i)].id == id) return i;
  return -1;
}

UINT CStatusBar::GetItemID(int index) const {
  return IsValidIndex(index) ? m_panes[static_cast<size_t>(index)].id : 0;
}

void CStatusBar::GetItemRect(int index, LPRECT rect) const {
  ::SetRectEmpty(rect);
  if (IsValidIndex(index))
    SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  if (!IsValidIndex(index)) {
    id = style = 0;
    width = 0;
    return;
  }
  const Pane& pane = m_panes[static_cast<size_t>(index)];
  id = pane.id;
  style = pane.style;
  width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  if (!IsValidIndex(index)) return;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  pane.id = id;
  pane.style = style;
  pane.width = std::max(0, width);
  UpdateParts();
  ShowPaneText(index);
}

UINT CStatusBar::GetPaneStyle(int index) const {
  return IsValidIndex(index) ? m_panes[static_cast<size_t>(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style) {
  if (!IsValidIndex(index)) return;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  if (pane.style == style) return;
  bool stretchChanged = ((pane.style ^ style) & SBPS_STRETCH) != 0;
  pane.style = style;
  if (stretchChanged) UpdateParts();
  ShowPaneText(index);
}

CString CStatusBar::GetPaneText(int index) const {
  return IsValidIndex(index) ? m_panes[static_cast<size_t>(index)].text : CString();
}

BOOL CStatusBar::SetPaneText(int index, LPCSTR text, BOOL update) {
  if (!IsValidIndex(index)) return FALSE;
  Pane& pane = m_panes[static_cast<size_t>(index)];
  CString value(text ? text : "");
  if (pane.text == value) return TRUE;
  pane.text = value;
  ShowPaneText(index);
  if (update) UpdateWindow();
  return TRUE;
}

void CStatusBar::ShowPaneText(int index) {
  if (!m_hWnd || !IsValidIndex(index)) return;
  const Pane& pane = m_panes[static_cast<size_t>(index)];
  UINT type = pane.style & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
  // Panes hold GBK text: shown in its wide form it reads the same on any system.
  const std::wstring shown = CGbkText::ToWide(
      (pane.style & SBPS_DISABLED) ? "" : static_cast<LPCSTR>(pane.text));
  ::SendMessageW(m_hWnd, SB_SETTEXTW, static_cast<WPARAM>(index) | type,
                 reinterpret_cast<LPARAM>(shown.c_str()));
}

void CStatusBar::UpdateParts() {
  if (!m_hWnd || m_panes.empty()) return;
  CRect client;
  GetClientRect(client);
  int fixed = 0;
  int stretching = -1;
  for (size_t i = 0; i < m_panes.size(); ++i) {
    if ((m_panes[i].style & SBPS_STRETCH) && stretching < 0)
      stretching = static_cast<int>(i);
    else
      fixed += m_panes[i].width + kPanePadding;
  }
  std::vector<int> edges(m_panes.size());
  int x = 0;
  for (size_t i = 0; i < m_panes.size(); ++i) {
    int width = static_cast<int>(i) == stretching
                    ? std::max(0, static_cast<int>(client.Width()) - fixed)
                    : m_panes[i].width + kPanePadding;
    x += width;
    edges[i] = x;
  }
  SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  UpdateParts();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  int index = CommandToIndex(0);
  if (index < 0) return FALSE;
  return SetPaneText(index, reinterpret_cast<LPCSTR>(lParam));
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  CString text = GetPaneText(CommandToIndex(0));
  auto* buffer = reinterpret_cast<LPSTR>(lParam);
  int size = static_cast<int>(wParam);
  if (!buffer || size <= 0) return 0;
  lstrcpynA(buffer, text, size);
  return lstrlenA(buffer);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  return GetPaneText(CommandToIndex(0)).GetLength();
}

CSize CStatusBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
  CSize size = CControlBar::CalcFixedLayout(stretch, horz);
  HDC dc = ::GetDC(m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics = {};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
  size.cy += metrics.tmHeight + 6;  // the text and the panes' edges
  if (!stretch) {
    for (const Pane& pane : m_panes) size.cx += pane.width + kPanePadding;
  }
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_panes[state.m_nIndex].id;
    // Panes stay enabled without a handler: their texts are set by the program.
    if (state.m_nID != 0) state.DoUpdate(target, FALSE);
  }
}
