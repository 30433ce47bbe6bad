#include "editor/tools/PanDrag.h"

#include <cstdlib>

void CPanDrag::OnPress(const Input& input) {
  g_ToolState.start = g_ToolState.end = g_ToolState.previous = input.point;
  m_pressPixel = input.pixel;
  m_state = kDragging;
  Show(CToolState::kLine);
}

void CPanDrag::OnDrag(const Input& input) {
  if (m_state != kDragging) return;
  Hide();
  g_ToolState.end = g_ToolState.previous = input.point;
  Show(CToolState::kLine);
}

void CPanDrag::OnRelease(const Input& input) {
  if (m_state != kDragging) return;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  int dx = input.pixel.x - m_pressPixel.x;
  int dy = input.pixel.y - m_pressPixel.y;
  if (std::abs(dx) < kLeastPixels && std::abs(dy) < kLeastPixels) return;
  m_host->ScrollPixels(dx, dy);
}

bool CPanDrag::Cancel() {
  if (m_state != kDragging) return false;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  return true;
}
