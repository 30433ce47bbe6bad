#include "framework/DockState.h"

#include <algorithm>

#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

namespace {

const int kMaxBars = 256;  // more entries than any frame has bars: the rest is damage

const UINT kDockBarIds[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                            AFX_IDW_DOCKBAR_RIGHT};

DWORD EdgeOf(UINT dockBarId) {
  // clang-format off
  switch (dockBarId) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    default: return 0;
  }
  // clang-format on
}

int ReadInt(CWinApp* app, LPCSTR section, LPCSTR entry, int defaultValue) {
  return static_cast<int>(app->GetProfileInt(section, entry, defaultValue));
}

// A floating frame stays where the user can reach it, even after the screen got smaller.
CPoint KeepOnScreen(CPoint point) {
  int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  int right = left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 40;
  int bottom = top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN) - 20;
  return CPoint(std::max(left, std::min(static_cast<int>(point.x), right)),
                std::max(top, std::min(static_cast<int>(point.y), bottom)));
}

}  // namespace

CString CDockState::SummarySection(LPCSTR profileName) {
  CString section;
  section.Format("%s-Summary", profileName);
  return section;
}

CString CDockState::BarSection(LPCSTR profileName, int index) {
  CString section;
  section.Format("%s-Bar%d", profileName, index);
  return section;
}

void CDockState::GetState(CFrameWnd* site) {
  Clear();
  if (!site) return;
  CPtrArray bars;
  CControlBar::GetBars(site, bars);
  std::vector<CControlBar*> listed;
  for (UINT dockBarId : kDockBarIds) {
    CDockBar* dock = CDockBar::GetDockBar(site, dockBarId);
    if (!dock) continue;
    for (int row = 0; row < dock->GetRowCount(); ++row) {
      const auto& cells = dock->GetRow(row);
      for (size_t position = 0; position < cells.size(); ++position) {
        BarInfo info;
        info.barId = static_cast<UINT>(cells[position]->GetDlgCtrlID());
        info.visible = cells[position]->IsVisible();
        info.dockBarId = dockBarId;
        info.row = row;
        info.position = static_cast<int>(position);
        m_bars.push_back(info);
        listed.push_back(cells[position]);
      }
    }
  }
  for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
    auto* bar = static_cast<CControlBar*>(bars[i]);
    if (bar->IsDockBar() || std::find(listed.begin(), listed.end(), bar) != listed.end()) continue;
    BarInfo info;
    info.barId = static_cast<UINT>(bar->GetDlgCtrlID());
    info.visible = bar->IsVisible();
    if (bar->IsFloating() && bar->m_pDockBar) {
      info.floating = TRUE;
      info.horz = bar->IsHorz();
      info.mruWidth = bar->m_nMRUWidth;
      CRect place;
      bar->m_pDockBar->GetParent()->GetWindowRect(place);
      info.floatPos = place.TopLeft();
    }
    m_bars.push_back(info);
  }
}

void CDockState::SetState(CFrameWnd* site) const {
  if (!site) return;
  // Docked bars go back row by row, in the order of their places.
  std::vector<BarInfo> ordered = m_bars;
  std::stable_sort(ordered.begin(), ordered.end(), [](const BarInfo& a, const BarInfo& b) {
    if (a.dockBarId != b.dockBarId) return a.dockBarId < b.dockBarId;
    if (a.row != b.row) return a.row < b.row;
    return a.position < b.position;
  });
  const BarInfo* previous = nullptr;
  CControlBar* previousBar = nullptr;
  for (const BarInfo& info : ordered) {
    CControlBar* bar = CControlBar::FindBar(site, info.barId);
    if (!bar || bar->IsDockBar()) continue;
    bar->DelayShow(info.visible);
    if (info.floating) {
      bar->m_nMRUWidth = std::max(0, info.mruWidth);
      CDockBar::FloatBarInFrame(site, bar, KeepOnScreen(info.floatPos),
                                info.horz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      continue;
    }
    CDockBar* dock = info.dockBarId ? CDockBar::GetDockBar(site, info.dockBarId) : nullptr;
    if (!dock || !(bar->m_dwDockStyle & EdgeOf(info.dockBarId))) continue;
    int row = -1;  // a new row
    if (previous && previousBar && previous->dockBarId == info.dockBarId &&
        previous->row == info.row)
      dock->FindBar(previousBar, &row, nullptr);
    dock->DockControlBarInRow(bar, row);
    previous = &info;
    previousBar = bar;
  }
  site->RecalcLayout();
  // Floating frames show or hide with their bars.
  CPtrArray bars;
  CControlBar::GetBars(site, bars);
  for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
    auto* bar = static_cast<CControlBar*>(bars[i]);
    if (bar->IsFloating() && !bar->IsDockBar())
      CDockBar::ShowBarInFrame(site, bar, bar->IsVisible(), FALSE);
  }
}

BOOL CDockState::LoadState(LPCSTR profileName) {
  Clear();
  CWinApp* app = AfxGetApp();
  if (!app || !profileName) return FALSE;
  CString summary = SummarySection(profileName);
  int count = ReadInt(app, summary, "Bars", -1);
  if (count < 0) return FALSE;
  count = std::min(count, kMaxBars);
  for (int i = 0; i < count; ++i) {
    CString section = BarSection(profileName, i);
    BarInfo info;
    info.barId = static_cast<UINT>(ReadInt(app, section, "BarID", 0));
    if (info.barId == 0 || info.barId > 0xFFFF) continue;
    info.visible = ReadInt(app, section, "Visible", 1) != 0;
    info.floating = ReadInt(app, section, "Floating", 0) != 0;
    info.dockBarId = static_cast<UINT>(ReadInt(app, section, "DockBarID", 0));
    if (info.dockBarId && !EdgeOf(info.dockBarId)) info.dockBarId = 0;
    info.row = std::max(0, ReadInt(app, section, "Row", 0));
    info.position = std::max(0, ReadInt(app, section, "Position", 0));
    info.horz = ReadInt(app, section, "Horz", 1) != 0;
    info.floatPos = CPoint(ReadInt(app, section, "XPos", 0), ReadInt(app, section, "YPos", 0));
    info.mruWidth = std::max(0, ReadInt(app, section, "MRUWidth", 32767));
    m_bars.push_back(info);
  }
  return TRUE;
}

void CDockState::SaveState(LPCSTR profileName) const {
  CWinApp* app = AfxGetApp();
  if (!app || !profileName) return;
  CString summary = SummarySection(profileName);
  // Entries of an earlier, longer state would be read back as bars.
  int stale = std::min(ReadInt(app, summary, "Bars", 0), kMaxBars);
  for (int i = static_cast<int>(m_bars.size()); i < stale; ++i)
    app->WriteProfileString(BarSection(profileName, i), nullptr, nullptr);
  app->WriteProfileInt(summary, "Bars", static_cast<int>(m_bars.size()));
  for (size_t i = 0; i < m_bars.size(); ++i) {
    const BarInfo& info = m_bars[i];
    CString section = BarSection(profileName, static_cast<int>(i));
    app->WriteProfileString(section, nullptr, nullptr);
    app->WriteProfileInt(section, "BarID", static_cast<int>(info.barId));
    app->WriteProfileInt(section, "Visible", info.visible ? 1 : 0);
    if (info.floating) {
      app->WriteProfileInt(section, "Floating", 1);
      app->WriteProfileInt(section, "Horz", info.horz ? 1 : 0);
      app->WriteProfileInt(section, "XPos", info.floatPos.x);
      app->WriteProfileInt(section, "YPos", info.floatPos.y);
      app->WriteProfileInt(section, "MRUWidth", info.mruWidth);
    } else if (info.dockBarId) {
      app->WriteProfileInt(section, "DockBarID", static_cast<int>(info.dockBarId));
      app->WriteProfileInt(section, "Row", info.row);
      app->WriteProfileInt(section, "Position", info.position);
    }
  }
}
