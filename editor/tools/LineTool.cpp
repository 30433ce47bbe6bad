#include "editor/tools/LineTool.h"

#include <algorithm>

#include "model/blocks/LineBlock.h"
#include "resources/Resource.h"

bool CLineTool::Serves(int tool) const {
  return tool == ID_TOOL_LINE || tool == ID_TOOL_MEASURE || tool == ID_CUT_LINE;
}

void CLineTool::OnPress(const Input& input) {
  g_ToolState.start = g_ToolState.end = g_ToolState.previous = input.point;
  m_state = kDragging;
  Show(m_host->CurrentTool() == ID_TOOL_MEASURE ? CToolState::kMeasureLine : CToolState::kLine);
}

void CLineTool::OnDrag(const Input& input) {
  if (m_state != kDragging) return;
  if (m_host->CurrentTool() == ID_TOOL_MEASURE) {
    const float box[4] = {g_ToolState.start.x, g_ToolState.start.y, input.point.x, input.point.y};
    m_host->Report(kMeasureReadout, box);
  }
  Follow(input);
}

void CLineTool::OnRelease(const Input& input) {
  if (m_state != kDragging) return;
  Hide();
  m_state = kIdle;
  g_ToolState.end = Constrained(input);
  g_ToolState.state = CToolState::kNone;
  g_ToolState.multiClick = CToolState::kNoBuild;
  Commit(m_host->CurrentTool());
}

void CLineTool::Commit(int tool) {
  if (tool == ID_TOOL_MEASURE) return;
  if (IsClick()) {
    // A click asks for the line's points by typing them instead.
    if (tool == ID_TOOL_LINE) m_host->RunShapeDialog(kLineDialog);
    return;
  }
  const FPOINT& from = g_ToolState.start;
  const FPOINT& to = g_ToolState.end;
  if (tool == ID_CUT_LINE) {
    m_host->CutSelectionByLine(from, to);
    return;
  }
  auto* line = new CLineBlock;
  line->m_start = from;
  line->m_end = to;
  line->m_box = CFRect(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
                       std::max(from.y, to.y));
  m_host->AddBlock(line);
}

bool CLineTool::Cancel() {
  if (m_state != kDragging) return false;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  return true;
}
