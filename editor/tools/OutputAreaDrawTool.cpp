#include "editor/tools/OutputAreaDrawTool.h"

#include <cmath>

#include "editor/tools/OutputAreaTracker.h"
#include "framework/DC.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/OutputArea.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Matrix2D.h"

COutputAreaDrawTool::COutputAreaDrawTool(CBlockView* view, COutputAreaTracker* tracker)
    : m_view(view), m_tracker(tracker), m_state(kIdle) {}

bool COutputAreaDrawTool::IsCurrent() const {
  return m_view && m_view->GetCurrentTool() == kDrawTool;
}

void COutputAreaDrawTool::DrawBand() {
  HWND window = m_view->GetViewWindow();
  CMatrix2D* matrix = m_view->GetDisplayMatrix();
  if (!window || !matrix) return;
  HDC hdc = ::GetDC(window);
  {
    CDC dc;
    dc.Attach(hdc);
    CFRect corners = m_band;
    RECT pixels;
    matrix->TransformRectToInt(&corners, &pixels);
    {
      CXorScope scope(&dc, nullptr);
      dc.Rectangle(&pixels);
    }
    dc.Detach();
  }
  ::ReleaseDC(window, hdc);
}

bool COutputAreaDrawTool::OnLButtonDown(float x, float y) {
  if (!IsCurrent()) return false;
  m_band = CFRect(x, y, x, y);
  m_state = kDragging;
  DrawBand();
  return true;
}

bool COutputAreaDrawTool::OnMouseMove(float x, float y) {
  if (!IsCurrent() || m_state != kDragging) return false;
  DrawBand();
  m_band.right = x;
  m_band.bottom = y;
  DrawBand();
  return true;
}

bool COutputAreaDrawTool::OnLButtonUp(float x, float y) {
  if (!IsCurrent() || m_state != kDragging) return false;
  DrawBand();
  m_state = kIdle;
  m_band.right = x;
  m_band.bottom = y;
  const float least = static_cast<float>(kSmallestPixels * m_view->GetScale());
  if (std::fabs(m_band.right - m_band.left) < least ||
      std::fabs(m_band.bottom - m_band.top) < least)
    return true;
  m_tracker->Add(new COutputArea(m_band.left, m_band.top, m_band.right, m_band.bottom));
  return true;
}

void COutputAreaDrawTool::Cancel() {
  if (m_state != kDragging) return;
  DrawBand();
  m_state = kIdle;
}
