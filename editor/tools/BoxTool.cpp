#include "editor/tools/BoxTool.h"

#include "model/blocks/CircleBlock.h"
#include "model/blocks/RectBlock.h"
#include "resources/Resource.h"

bool CBoxTool::Serves(int tool) const {
  return tool == ID_TOOL_RECT || tool == ID_TOOL_CIRCLE || tool == ID_TOOL_TABLE ||
         tool == ID_TOOL_LIBRARY;
}

void CBoxTool::OnPress(const Input& input) {
  g_ToolState.start = g_ToolState.end = g_ToolState.previous = input.point;
  m_state = kDragging;
  Show(m_host->CurrentTool() == ID_TOOL_CIRCLE ? CToolState::kEllipse : CToolState::kBox);
}

void CBoxTool::OnDrag(const Input& input) {
  if (m_state == kDragging) Follow(input);
}

void CBoxTool::OnRelease(const Input& input) {
  if (m_state != kDragging) return;
  Hide();
  m_state = kIdle;
  g_ToolState.end = Constrained(input);
  g_ToolState.state = CToolState::kNone;
  g_ToolState.multiClick = CToolState::kNoBuild;
  Commit(m_host->CurrentTool());
}

void CBoxTool::Commit(int tool) {
  if (tool == ID_TOOL_TABLE || tool == ID_TOOL_LIBRARY) {
    m_host->RunShapeDialog(tool == ID_TOOL_TABLE ? kTableDialog : kLibraryDialog);
    return;
  }
  bool circle = tool == ID_TOOL_CIRCLE;
  if (IsClick()) {
    m_host->RunShapeDialog(circle ? kCircleDialog : kRectangleDialog);
    return;
  }
  CFRect box = g_ToolState.Band();
  box.Normalize();
  if (box.Width() <= 0.0f || box.Height() <= 0.0f) return;
  if (circle) {
    auto* ellipse = new CCircleBlock;
    ellipse->m_rect = ellipse->m_box = box;
    // A whole ellipse: no arc.
    ellipse->m_startAngle = ellipse->m_endAngle = 0.0f;
    ellipse->m_arcMode = CCircleBlock::kOpenArc;
    m_host->AddBlock(ellipse);
    return;
  }
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = box;
  m_host->AddBlock(rect);
}

bool CBoxTool::Cancel() {
  if (m_state != kDragging) return false;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  return true;
}
