#include "editor/tools/ZoomTool.h"

#include "editor/tools/ToolConstraints.h"
#include "resources/Resource.h"

bool CZoomTool::Serves(int tool) const {
  return tool == ID_TOOL_ZOOM_IN || tool == ID_TOOL_ZOOM_OUT;
}

void CZoomTool::OnPress(const Input& input) {
  g_ToolState.start = g_ToolState.end = g_ToolState.previous = input.point;
  m_state = kDragging;
  // Only zooming in has a box to drag.
  if (m_host->CurrentTool() == ID_TOOL_ZOOM_IN) Show(CToolState::kBox);
}

void CZoomTool::OnDrag(const Input& input) {
  if (m_state == kDragging) Follow(input);
}

void CZoomTool::OnRelease(const Input& input) {
  if (m_state != kDragging) return;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  g_ToolState.end = input.point;
  bool ctrl = (input.flags & MK_CONTROL) != 0;
  SIZE visible = m_host->VisiblePixels();
  double scale = m_host->Scale();
  if (m_host->CurrentTool() == ID_TOOL_ZOOM_IN)
    m_host->ZoomTo(
        CToolConstraints::ZoomInBox(g_ToolState.start, input.point, visible, scale, ctrl));
  else
    m_host->ZoomTo(CToolConstraints::ZoomOutBox(input.point, visible, scale, ctrl));
}

bool CZoomTool::Cancel() {
  if (m_state != kDragging) return false;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  return true;
}
