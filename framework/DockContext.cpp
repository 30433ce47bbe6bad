#include "framework/DockContext.h"

#include <cstdlib>

#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/FrameWnd.h"

namespace {

// How far into the frame's client area a drop still docks on an edge.
const int kDockZone = 24;

const DWORD kEdges[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};

// The band of the frame's client area next to an edge, together with its dock bar.
CRect DockZone(CFrameWnd* frame, CDockBar* dock, DWORD edge) {
  CRect client;
  frame->GetClientRect(client);
  frame->ClientToScreen(client);
  CRect zone;
  dock->GetWindowRect(zone);
  switch (edge) {
    case CBRS_ALIGN_TOP:
      zone.SetRect(client.left, zone.top - kDockZone, client.right, zone.bottom + kDockZone);
      break;
    case CBRS_ALIGN_BOTTOM:
      zone.SetRect(client.left, zone.top - kDockZone, client.right, zone.bottom + kDockZone);
      break;
    case CBRS_ALIGN_LEFT:
      zone.SetRect(zone.left - kDockZone, client.top, zone.right + kDockZone, client.bottom);
      break;
    default:
      zone.SetRect(zone.left - kDockZone, client.top, zone.right + kDockZone, client.bottom);
      break;
  }
  return zone;
}

}  // namespace

CDockContext::CDockContext(CControlBar* bar) : m_pBar(bar) {}

CDockContext::~CDockContext() { EraseTracker(); }

UINT CDockContext::DropTarget(CPoint point, CRect* rect) const {
  CRect place = m_startRect;
  place.OffsetRect(point.x - m_start.x, point.y - m_start.y);
  if (rect) *rect = place;
  CFrameWnd* site = m_pBar->m_pDockSite;
  if (!site || !site->m_hWnd) return 0;
  for (DWORD edge : kEdges) {
    if (!(m_pBar->m_dwDockStyle & edge)) continue;
    CDockBar* dock = CDockBar::GetDockBar(site, CDockBar::DockBarIdOf(edge));
    if (dock && dock->m_hWnd && DockZone(site, dock, edge).PtInRect(point))
      return CDockBar::DockBarIdOf(edge);
  }
  return 0;
}

void CDockContext::StartDrag(CPoint point) {
  if (m_dragging || !m_pBar->m_hWnd) return;
  m_dragging = true;
  m_moved = false;
  m_start = point;
  m_pBar->GetWindowRect(m_startRect);
  m_pBar->SetCapture();
}

void CDockContext::Move(CPoint point) {
  if (!m_dragging) return;
  if (!m_moved && std::abs(point.x - m_start.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
      std::abs(point.y - m_start.y) <= ::GetSystemMetrics(SM_CYDRAG))
    return;
  m_moved = true;
  CRect place;
  DropTarget(point, &place);
  DrawTracker(place);
}

void CDockContext::StopTracking() {
  m_dragging = false;
  EraseTracker();
  if (::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
}

void CDockContext::CancelDrag() {
  if (m_dragging) StopTracking();
}

void CDockContext::EndDrag(CPoint point) {
  if (!m_dragging) return;
  Move(point);
  bool moved = m_moved;
  StopTracking();
  if (!moved) return;  // a click, not a drag
  CFrameWnd* site = m_pBar->m_pDockSite;
  if (!site) return;
  CRect place;
  UINT dockId = DropTarget(point, &place);
  if (dockId) {
    CDockBar::DockBarInFrame(site, m_pBar, dockId, place);
  } else {
    m_ptMRUFloatPos = place.TopLeft();
    CDockBar::FloatBarInFrame(site, m_pBar, place.TopLeft(), CBRS_ALIGN_TOP);
  }
}

void CDockContext::ToggleDocking() {
  CFrameWnd* site = m_pBar->m_pDockSite;
  if (!site || !m_pBar->m_hWnd) return;
  if (m_pBar->IsFloating()) {
    CRect place;
    m_pBar->GetParent()->GetWindowRect(place);
    m_ptMRUFloatPos = place.TopLeft();
    CDockBar::DockBarInFrame(site, m_pBar, m_uMRUDockID, nullptr);
    return;
  }
  if (m_pBar->m_pDockBar) m_uMRUDockID = static_cast<UINT>(m_pBar->m_pDockBar->GetDlgCtrlID());
  CPoint point = m_ptMRUFloatPos;
  if (point.x < 0 && point.y < 0) {
    CRect place;
    m_pBar->GetWindowRect(place);
    point = place.TopLeft() + CSize(20, 20);
  }
  CDockBar::FloatBarInFrame(site, m_pBar, point, CBRS_ALIGN_TOP);
}

void CDockContext::DrawTracker(const CRect& rect) {
  EraseTracker();
  HDC screen = ::GetDC(nullptr);
  ::DrawFocusRect(screen, &rect);
  ::ReleaseDC(nullptr, screen);
  m_tracker = rect;
  m_trackerShown = true;
}

void CDockContext::EraseTracker() {
  if (!m_trackerShown) return;
  HDC screen = ::GetDC(nullptr);
  ::DrawFocusRect(screen, &m_tracker);  // drawn twice it is gone
  ::ReleaseDC(nullptr, screen);
  m_trackerShown = false;
}
