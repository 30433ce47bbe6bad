#include "editor/tools/CreationTools.h"

#include "editor/tools/BoxTool.h"
#include "editor/tools/CutPatternTool.h"
#include "editor/tools/LineTool.h"
#include "editor/tools/MultiClickTool.h"
#include "editor/tools/RegularPolygonTool.h"
#include "editor/tools/ToolSwitch.h"
#include "editor/tools/ZoomTool.h"
#include "framework/KeyState.h"
#include "model/blocks/Block.h"
#include "resources/Resource.h"

CCreationTools::CCreationTools(CToolHost* host) : m_host(host), m_pan(host) {
  m_tools.emplace_back(new CLineTool(host));
  m_tools.emplace_back(new CBoxTool(host));
  m_tools.emplace_back(new CMultiClickTool(host));
  m_tools.emplace_back(new CRegularPolygonTool(host));
  m_tools.emplace_back(new CZoomTool(host));
  m_tools.emplace_back(new CCutPatternTool(host));
}

CCreationTools::~CCreationTools() = default;

CCreationTool* CCreationTools::ToolFor(int tool) const {
  for (const auto& each : m_tools)
    if (each->Serves(tool)) return each.get();
  return nullptr;
}

CCreationTool::Input CCreationTools::InputOf(const Event& event) {
  return {event.flags, {event.x, event.y}, event.pixel};
}

namespace {

// The kind of block a tool draws, 0 for tools that draw none.
int BlockTypeDrawnBy(int tool) {
  switch (tool) {
    case ID_TOOL_LINE:
      return kLineBlock;
    case ID_TOOL_RECT:
      return kRectBlock;
    case ID_TOOL_CIRCLE:
      return kCircleBlock;
    case ID_TOOL_REGULAR_POLYGON:
      return kPolygonBlock;
    case ID_TOOL_POLYGON:
    case ID_TOOL_POLYLINE:
    case ID_TOOL_BEZIER:
      return kCurveBlock;
    default:
      return 0;
  }
}

}  // namespace

BOOL CCreationTools::OnLButtonDown(const Event& event) {
  const bool pan = AfxIsKeyDown(VK_MENU);
  m_pressed = pan ? &m_pan : ToolFor(m_host->CurrentTool());
  if (!m_pressed) return FALSE;
  // A curve built click by click began with its first click.
  const int drawn = pan ? 0 : BlockTypeDrawnBy(m_host->CurrentTool());
  if (drawn && g_ToolState.multiClick == CToolState::kNoBuild) m_host->BeginShape(drawn);
  m_pressed->OnPress(InputOf(event));
  return TRUE;
}

BOOL CCreationTools::OnMouseMove(const Event& event) {
  if (!(event.flags & MK_LBUTTON) || !m_pressed || !m_pressed->IsDragging()) return FALSE;
  m_pressed->OnDrag(InputOf(event));
  return TRUE;
}

BOOL CCreationTools::OnLButtonUp(const Event& event) {
  CCreationTool* tool = m_pressed;
  m_pressed = nullptr;
  if (!tool && m_host->CurrentTool() == kNodeTool)
    return m_host->StartNodeEditAt({event.x, event.y});
  if (!tool || !tool->IsDragging()) return FALSE;
  tool->OnRelease(InputOf(event));
  return TRUE;
}

BOOL CCreationTools::OnRButtonDown(const Event&) {
  m_rightBackedOut = m_pressed && m_pressed->IsDragging() && m_pressed->Cancel();
  if (m_rightBackedOut) m_pressed = nullptr;
  return m_rightBackedOut ? TRUE : FALSE;
}

BOOL CCreationTools::OnRButtonUp(const Event& event) {
  if (m_rightBackedOut) {
    m_rightBackedOut = false;
    return TRUE;
  }
  // Shift and Alt belong to the view's zoom box.
  if ((event.flags & MK_SHIFT) || AfxIsKeyDown(VK_MENU)) return FALSE;
  CToolSwitch::Target target = CToolSwitch::OnRightClick(m_host->CurrentTool(),
                                                         g_ToolState.multiClick);
  m_host->SwitchTool(target.tool, target.how == CToolSwitch::kDirectly);
  return TRUE;
}

BOOL CCreationTools::OnLButtonDblClk(const Event& event) {
  if (m_host->CurrentTool() != kSelectTool) return FALSE;
  return m_host->DoubleClickInSelection(event.flags, {event.x, event.y});
}

bool CCreationTools::Cancel() {
  if (m_pressed && m_pressed->IsDragging()) {
    bool dropped = m_pressed->Cancel();
    m_pressed = nullptr;
    return dropped;
  }
  CCreationTool* tool = ToolFor(m_host->CurrentTool());
  return tool && tool->Cancel();
}

void CCreationTools::Finish() {
  if (m_pressed && m_pressed->IsDragging()) m_pressed->Cancel();
  m_pressed = nullptr;
  if (CCreationTool* tool = ToolFor(m_host->CurrentTool())) tool->Finish();
  g_ToolState.state = CToolState::kNone;
  g_ToolState.multiClick = CToolState::kNoBuild;
  g_ToolState.shown = false;
}
