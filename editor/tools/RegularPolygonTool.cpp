#include "editor/tools/RegularPolygonTool.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/blocks/PolygonBlock.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

namespace {

const float kPi = 3.1415926f;

}  // namespace

bool CRegularPolygonTool::Serves(int tool) const { return tool == ID_TOOL_REGULAR_POLYGON; }

CPolygonBlock* CRegularPolygonTool::Polygon() const {
  CBlock* block = m_host->FeedbackBlock();
  return block && block->m_type == kPolygonBlock ? static_cast<CPolygonBlock*>(block) : nullptr;
}

void CRegularPolygonTool::OnPress(const Input& input) {
  g_ToolState.start = g_ToolState.end = g_ToolState.previous = input.point;
  PolygonToolSettings settings = m_host->PolygonSettings();
  auto* polygon = new CPolygonBlock;
  polygon->m_centre = input.point;
  polygon->m_bandWidth = settings.outlineWidth;
  polygon->m_cornerCount = settings.corners;
  polygon->m_outerRadius = 0.0f;
  polygon->m_startAngle = kUpright;
  polygon->m_innerRadius = 0.0f;
  polygon->m_starAngle = settings.sharp && settings.corners > 0 ? kPi / settings.corners : 0.0f;
  polygon->m_box = CFRect(input.point.x, input.point.y, input.point.x, input.point.y);
  m_host->SetFeedbackBlock(polygon);
  m_state = kSizing;
  Show(CToolState::kFeedbackBlock);
}

void CRegularPolygonTool::Resize(const FPOINT& point) {
  CPolygonBlock* polygon = Polygon();
  if (!polygon) return;
  g_ToolState.end = g_ToolState.previous = point;
  float radius = std::min(std::fabs(point.x - g_ToolState.start.x),
                          std::fabs(point.y - g_ToolState.start.y));
  polygon->m_outerRadius = radius;
  polygon->m_innerRadius = radius / 2.0f;
  const FPOINT& centre = polygon->m_centre;
  polygon->m_box = CFRect(centre.x - radius, centre.y - radius, centre.x + radius,
                          centre.y + radius);
}

void CRegularPolygonTool::OnDrag(const Input& input) {
  if (m_state != kSizing) return;
  Hide();
  Resize(input.point);
  const float size[2] = {g_ToolState.end.x - g_ToolState.start.x,
                         g_ToolState.end.y - g_ToolState.start.y};
  m_host->Report(kSizeReadout, size);
  Show(CToolState::kFeedbackBlock);
}

void CRegularPolygonTool::OnRelease(const Input& input) {
  if (m_state != kSizing) return;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  Resize(input.point);
  CPolygonBlock* polygon = Polygon();
  // A click would add a polygon of no size that nobody could see or pick.
  if (!polygon || IsClick() || !(polygon->m_outerRadius > 0.0f)) {
    m_host->SetFeedbackBlock(nullptr);
    return;
  }
  std::unique_ptr<CContour> outline(polygon->GetContour(nullptr, 0));
  if (outline && !outline->IsBoxEmpty()) polygon->m_box = outline->GetBox();
  m_host->AddBlock(m_host->ReleaseFeedbackBlock());
}

bool CRegularPolygonTool::Cancel() {
  if (m_state != kSizing) return false;
  Hide();
  m_state = kIdle;
  g_ToolState.state = CToolState::kNone;
  m_host->SetFeedbackBlock(nullptr);
  return true;
}
