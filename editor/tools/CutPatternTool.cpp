#include "editor/tools/CutPatternTool.h"

#include "model/blocks/Block.h"
#include "resources/Resource.h"

bool CCutPatternTool::Serves(int tool) const {
  return tool == ID_CUT_PARALLEL || tool == ID_CUT_RADIAL || tool == ID_CUT_RING;
}

void CCutPatternTool::ShowPatternAt(const FPOINT& point) {
  Hide();
  g_ToolState.end = g_ToolState.previous = point;
  m_host->SetFeedbackBlock(m_host->MakeCutPattern(m_host->CurrentTool(), point, 0));
  Show(CToolState::kFeedbackBlock);
}

void CCutPatternTool::DropPattern() {
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  m_host->SetFeedbackBlock(nullptr);
}

void CCutPatternTool::OnPress(const Input& input) {
  g_ToolState.start = input.point;
  m_state = kPlacing;
  ShowPatternAt(input.point);
}

void CCutPatternTool::OnDrag(const Input& input) {
  if (m_state != kPlacing) return;
  ShowPatternAt(input.point);
  const float size[2] = {g_ToolState.end.x - g_ToolState.start.x,
                         g_ToolState.end.y - g_ToolState.start.y};
  m_host->Report(kSizeReadout, size);
}

void CCutPatternTool::OnRelease(const Input& input) {
  if (m_state != kPlacing) return;
  const int tool = m_host->CurrentTool();
  DropPattern();
  g_ToolState.end = input.point;
  m_host->ApplyCutPatterns(tool, input.point);
  m_host->SwitchTool(kSelectTool, true);
}

bool CCutPatternTool::Cancel() {
  if (m_state != kPlacing) return false;
  DropPattern();
  return true;
}
