#include "editor/tools/CreationTool.h"

#include "editor/tools/ToolConstraints.h"

void CCreationTool::Show(WORD code) {
  g_ToolState.state = code;
  m_host->DrawFeedback(code, g_ToolState.Band());
  g_ToolState.shown = true;
}

void CCreationTool::Hide() {
  if (g_ToolState.shown && g_ToolState.state != CToolState::kNone)
    m_host->DrawFeedback(g_ToolState.state, g_ToolState.Band());
  g_ToolState.shown = false;
}

FPOINT CCreationTool::Constrained(const Input& input) const {
  if (!(input.flags & MK_SHIFT)) return input.point;
  return CToolConstraints::Constrain(m_host->CurrentTool(), g_ToolState.start, input.point);
}

void CCreationTool::Follow(const Input& input) {
  WORD code = g_ToolState.state;
  Hide();
  g_ToolState.end = g_ToolState.previous = Constrained(input);
  const float size[2] = {g_ToolState.end.x - g_ToolState.start.x,
                         g_ToolState.end.y - g_ToolState.start.y};
  m_host->Report(kSizeReadout, size);
  if (code != CToolState::kNone) Show(code);
}

bool CCreationTool::IsClick() const {
  return CToolConstraints::IsClick(g_ToolState.start, g_ToolState.end, m_host->Scale());
}
