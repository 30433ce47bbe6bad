#include "framework/DockBar.h"

#include <algorithm>

#include "framework/FrameWnd.h"
#include "framework/MiniDockFrameWnd.h"
#include "framework/ReBar.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

// The edges in the order their dock bars are made and tried.
const DWORD kEdges[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

}  // namespace

CDockBar::CDockBar(BOOL floating) : m_bFloating(floating) { SetBorders(0, 0, 0, 0); }

CDockBar::~CDockBar() {
  for (auto& row : m_rows)
    for (CControlBar* bar : row)
      if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
}

UINT CDockBar::DockBarIdOf(DWORD align) {
  switch (align & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_TOP: return AFX_IDW_DOCKBAR_TOP;
    case CBRS_ALIGN_BOTTOM: return AFX_IDW_DOCKBAR_BOTTOM;
    case CBRS_ALIGN_LEFT: return AFX_IDW_DOCKBAR_LEFT;
    case CBRS_ALIGN_RIGHT: return AFX_IDW_DOCKBAR_RIGHT;
    default: return 0;
  }
}

BOOL CDockBar::Create(CWnd* parent, DWORD style, UINT id) {
  m_dwStyle = style & CBRS_ALIGN_ANY;
  DWORD windowStyle = (style & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return CreateEx(0, ControlBarClassName(), nullptr, windowStyle, CRect(0, 0, 0, 0), parent, id);
}

// Rows

bool CDockBar::FindBar(const CControlBar* bar, int* row, int* index) const {
  for (size_t r = 0; r < m_rows.size(); ++r) {
    auto found = std::find(m_rows[r].begin(), m_rows[r].end(), bar);
    if (found == m_rows[r].end()) continue;
    if (row) *row = static_cast<int>(r);
    if (index) *index = static_cast<int>(found - m_rows[r].begin());
    return true;
  }
  return false;
}

int CDockBar::GetDockedCount() const {
  int count = 0;
  for (const auto& row : m_rows) count += static_cast<int>(row.size());
  return count;
}

int CDockBar::GetDockedVisibleCount() const {
  int count = 0;
  for (const auto& row : m_rows)
    for (const CControlBar* bar : row)
      if (bar->IsVisible()) ++count;
  return count;
}

void CDockBar::PrepareBar(CControlBar* bar) {
  CDockBar* previous = bar->m_pDockBar;
  // Reparent first, so that a floating frame emptied below does not take the bar with it.
  if (bar->m_hWnd && ::GetParent(bar->m_hWnd) != m_hWnd) ::SetParent(bar->m_hWnd, m_hWnd);
  if (previous == this) {
    RemoveControlBar(bar, FALSE);
  } else if (previous) {
    previous->RemoveControlBar(bar, TRUE);
  }
  DWORD style = bar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY | CBRS_FLOATING);
  style |= m_dwStyle & CBRS_ALIGN_ANY;
  style |= m_bFloating ? CBRS_FLOATING : CBRS_BORDER_ANY;
  bar->SetBarStyle(style);
  bar->m_pDockBar = this;
}

void CDockBar::DockControlBar(CControlBar* bar, LPCRECT rect) {
  if (!bar) return;
  int row = GetRowCount();
  bool inside = false;
  size_t index = 0;
  if (rect && m_hWnd) {
    LayoutRows(false);
    CRect local(rect);
    ScreenToClient(local);
    bool horz = IsHorz() != FALSE;
    row = RowAt(horz ? local.CenterPoint().y : local.CenterPoint().x, &inside);
    if (inside) {
      // Before the first bar of that row that starts further along.
      for (CControlBar* other : m_rows[static_cast<size_t>(row)]) {
        if (other == bar) continue;
        CRect place;
        other->GetWindowRect(place);
        ScreenToClient(place);
        if ((horz ? place.left : place.top) < (horz ? local.left : local.top)) ++index;
      }
    }
  }
  int oldRow = -1;
  bool aloneInOldRow = false;
  if (bar->m_pDockBar == this && FindBar(bar, &oldRow, nullptr))
    aloneInOldRow = m_rows[static_cast<size_t>(oldRow)].size() == 1;
  PrepareBar(bar);
  if (aloneInOldRow) {
    // Its own row went away: dropped there, it keeps a row of its own.
    if (row == oldRow) inside = false;
    else if (row > oldRow) --row;
  }
  if (inside) {
    auto& cells = m_rows[static_cast<size_t>(row)];
    index = std::min(index, cells.size());
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(index), bar);
  } else {
    row = std::min(row, GetRowCount());
    m_rows.insert(m_rows.begin() + row, std::vector<CControlBar*>{bar});
  }
}

void CDockBar::DockControlBarInRow(CControlBar* bar, int row) {
  if (!bar) return;
  PrepareBar(bar);
  if (row < 0 || row >= GetRowCount()) m_rows.push_back({bar});
  else m_rows[static_cast<size_t>(row)].push_back(bar);
}

BOOL CDockBar::RemoveControlBar(CControlBar* bar, BOOL updateFrame) {
  int row = 0, index = 0;
  if (!FindBar(bar, &row, &index)) return FALSE;
  auto& cells = m_rows[static_cast<size_t>(row)];
  cells.erase(cells.begin() + index);
  if (cells.empty()) m_rows.erase(m_rows.begin() + row);
  if (bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
  if (m_bFloating && m_hWnd && updateFrame) {
    CWnd* frame = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
      if (GetDockedCount() == 0) frame->DestroyWindow();
      else static_cast<CMiniDockFrameWnd*>(frame)->RecalcLayout();
    }
  }
  return TRUE;
}

int CDockBar::RowAt(int across, bool* inside) {
  *inside = false;
  for (size_t r = 0; r < m_rowBands.size() && r < m_rows.size(); ++r) {
    if (across < m_rowBands[r].first) return static_cast<int>(r);
    if (across < m_rowBands[r].second) {
      *inside = true;
      return static_cast<int>(r);
    }
  }
  return GetRowCount();
}

// Layout

DWORD CDockBar::LayoutModeFor(const CControlBar* bar) const {
  bool horz = IsHorz() != FALSE;
  if (m_bFloating) {
    if (bar->m_dwStyle & CBRS_SIZE_DYNAMIC) return LM_HORZ | LM_MRUWIDTH;
    return horz ? LM_HORZ : 0;
  }
  return horz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;
}

CSize CDockBar::LayoutRows(bool apply) {
  bool horz = IsHorz() != FALSE;
  int across = 0;
  int longest = 0;
  m_rowBands.clear();
  for (auto& row : m_rows) {
    int along = 0;
    int thickness = 0;
    for (CControlBar* bar : row) {
      if (!bar->m_hWnd || !bar->IsVisible()) continue;
      CSize size = bar->CalcDynamicLayout(-1, LayoutModeFor(bar));
      if (apply) {
        int x = horz ? along : across;
        int y = horz ? across : along;
        bar->SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      along += horz ? size.cx : size.cy;
      thickness = std::max(thickness, static_cast<int>(horz ? size.cy : size.cx));
    }
    m_rowBands.emplace_back(across, across + thickness);
    across += thickness;
    longest = std::max(longest, along);
  }
  return horz ? CSize(longest, across) : CSize(across, longest);
}

CSize CDockBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
  CSize size = LayoutRows(false);
  if (size.cx == 0 || size.cy == 0) return CSize(0, 0);
  if (stretch) {
    if (horz) size.cx = 32767;
    else size.cy = 32767;
  }
  return size;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (layout->hDWP)
    for (auto& row : m_rows)
      for (CControlBar* bar : row) bar->RecalcDelayShow(layout);
  if (m_bFloating) {
    // The whole inside of the floating frame.
    CRect rect(layout->rect);
    if (layout->hDWP)
      layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                      rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    CSize size = LayoutRows(layout->hDWP != nullptr);
    layout->sizeTotal = size;
    layout->rect.left = layout->rect.right;
    layout->rect.top = layout->rect.bottom;
    return 0;
  }
  LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
  if (layout->hDWP) LayoutRows(true);
  return result;
}

// The frame's docking operations

CDockBar* CDockBar::GetDockBar(const CFrameWnd* frame, UINT dockBarId) {
  CControlBar* bar = CControlBar::FindBar(frame, dockBarId);
  return bar && bar->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(bar) : nullptr;
}

void CDockBar::EnableDocking(CFrameWnd* frame, DWORD dockStyle) {
  for (DWORD edge : kEdges) {
    if (!(dockStyle & edge) || GetDockBar(frame, DockBarIdOf(edge))) continue;
    auto* dock = new CDockBar;
    dock->m_bAutoDelete = TRUE;
    if (!dock->Create(frame, WS_VISIBLE | edge, DockBarIdOf(edge))) delete dock;
  }
}

BOOL CDockBar::DockBarInFrame(CFrameWnd* frame, CControlBar* bar, UINT dockBarId, LPCRECT rect) {
  if (!frame || !bar || !bar->m_hWnd) return FALSE;
  CDockBar* dock = dockBarId ? GetDockBar(frame, dockBarId) : nullptr;
  if (!dock && !dockBarId) {
    DWORD align = bar->m_dwStyle & CBRS_ALIGN_ANY;
    if (align & bar->m_dwDockStyle) dock = GetDockBar(frame, DockBarIdOf(align));
    for (size_t i = 0; !dock && i < 4; ++i)
      if (bar->m_dwDockStyle & kEdges[i]) dock = GetDockBar(frame, DockBarIdOf(kEdges[i]));
  }
  if (!dock) return FALSE;
  CFrameWnd* previousFrame = bar->GetDockingFrame();
  dock->DockControlBar(bar, rect);
  frame->RecalcLayout();
  if (previousFrame && previousFrame != frame && ::IsWindow(previousFrame->m_hWnd)) previousFrame->RecalcLayout();
  return TRUE;
}

void CDockBar::FloatBarInFrame(CFrameWnd* frame, CControlBar* bar, CPoint point, DWORD style) {
  if (!frame || !bar || !bar->m_hWnd) return;
  CDockBar* dock = bar->m_pDockBar;
  if (dock && dock->m_bFloating && dock->GetDockedCount() == 1 &&
      (style & dock->m_dwStyle & CBRS_ALIGN_ANY)) {
    CWnd* floating = dock->GetParent();
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  auto* floating = new CMiniDockFrameWnd;
  if (!floating->CreateFloating(frame, style & CBRS_ALIGN_ANY ? style & CBRS_ALIGN_ANY : CBRS_ALIGN_TOP)) return;
  floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  floating->m_wndDockBar.DockControlBar(bar);
  floating->RecalcLayout();
  frame->RecalcLayout();
}

void CDockBar::ShowBarInFrame(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay) {
  if (!bar || !bar->m_hWnd) return;
  bar->DelayShow(show);
  CWnd* parent = CWnd::FromHandlePermanent(::GetParent(bar->m_hWnd));
  if (parent && parent->IsKindOf(RUNTIME_CLASS(CReBar))) {
    // A bar in a band goes with its band, at once.
    bar->RecalcDelayShow(nullptr);
    static_cast<CReBar*>(parent)->ShowBand(bar, show);
  }
  CFrameWnd* layoutFrame = bar->GetDockingFrame();
  if (!layoutFrame) layoutFrame = frame;
  if (!layoutFrame) return;
  // A hidden floating frame gets no idle time, so it lays out at once.
  if (delay && !bar->IsFloating()) layoutFrame->DelayRecalcLayout();
  else layoutFrame->RecalcLayout();
}
