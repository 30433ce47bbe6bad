#include "editor/tools/MultiClickTool.h"

#include <memory>

#include "editor/tools/ToolConstraints.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/ShapeCurves.h"
#include "resources/Resource.h"

namespace {

// Points a finished curve needs: a polygon encloses something only from three on.
int LeastPoints(int kind) { return kind == ID_TOOL_POLYGON ? 3 : 2; }

}  // namespace

bool CMultiClickTool::Serves(int tool) const {
  return tool == ID_TOOL_POLYGON || tool == ID_TOOL_POLYLINE || tool == ID_TOOL_BEZIER;
}

void CMultiClickTool::OnPress(const Input& input) {
  // While a build runs the line starts at its last point.
  if (m_state == kIdle) g_ToolState.start = input.point;
  g_ToolState.end = g_ToolState.previous = input.point;
  g_ToolState.state = CToolState::kLine;
  g_ToolState.shown = false;
  m_state = kPlacing;
}

void CMultiClickTool::OnDrag(const Input& input) {
  if (m_state == kPlacing) Follow(input);
}

void CMultiClickTool::OnRelease(const Input& input) {
  if (m_state != kPlacing) return;
  Hide();
  g_ToolState.state = CToolState::kNone;
  bool building = m_points > 0;
  FPOINT point = building ? Constrained(input) : input.point;
  // A second click on the last point (a double click) adds no empty piece.
  if (building && CToolConstraints::IsClick(g_ToolState.start, point, m_host->Scale())) {
    m_state = kBetweenClicks;
    return;
  }
  AddPoint(point);
  g_ToolState.start = point;
  g_ToolState.multiClick = CToolState::kBuilding;
  m_state = kBetweenClicks;
}

void CMultiClickTool::AddPoint(const FPOINT& point) {
  CBlock* feedback = m_host->FeedbackBlock();
  if (m_points == 0 || !feedback || feedback->m_type != kCurveBlock) {
    auto* curve = new CCurveBlock;
    curve->AddPoint(point.x, point.y, kPointStart | kPointOnCurve);
    curve->EndCurve();
    m_host->SetFeedbackBlock(curve);
    m_kind = m_host->CurrentTool();
    m_points = 1;
  } else {
    auto* curve = static_cast<CCurveBlock*>(feedback);
    curve->OpenLastSubpath();
    curve->AddPoint(point.x, point.y, kPointOnCurve);
    curve->EndOpenSubpath();
    curve->EndCurve();
    ++m_points;
  }
  m_host->RefreshFeedbackBlock();
}

CCurveBlock* CMultiClickTool::Completed(CCurveBlock* curve) const {
  if (m_kind == ID_TOOL_POLYGON) {
    curve->OpenLastSubpath();
    curve->CloseLastSubpath();
    curve->EndCurve();
    return curve;
  }
  if (m_kind != ID_TOOL_BEZIER) return curve;
  std::unique_ptr<CCurveBlock> lines(curve);
  std::unique_ptr<CContour> contour(lines->GetContour(nullptr, 0));
  std::unique_ptr<CContour> smooth(contour ? ConvertLinesToCurves(*contour) : nullptr);
  return smooth ? MakeCurveFromContour(*smooth, lines->GetColour()) : nullptr;
}

void CMultiClickTool::Finish() {
  if (m_state == kPlacing) Hide();
  bool enough = m_points >= LeastPoints(m_kind);
  CBlock* feedback = m_points > 0 ? m_host->ReleaseFeedbackBlock() : nullptr;
  if (feedback && feedback->m_type == kCurveBlock && enough) {
    if (CCurveBlock* curve = Completed(static_cast<CCurveBlock*>(feedback))) {
      m_host->AddBlock(curve);
    }
  } else {
    delete feedback;
  }
  m_host->RefreshFeedbackBlock();
  Drop();
}

bool CMultiClickTool::Cancel() {
  switch (m_state) {
    case kIdle:
      return false;
    case kPlacing:
      // Back to waiting for the next click, or to nothing when no point was placed yet.
      Hide();
      g_ToolState.state = CToolState::kNone;
      m_state = m_points > 0 ? kBetweenClicks : kIdle;
      return true;
    case kBetweenClicks:
      m_host->SetFeedbackBlock(nullptr);
      m_host->RefreshFeedbackBlock();
      Drop();
      return true;
  }
  return false;
}

void CMultiClickTool::Drop() {
  m_state = kIdle;
  m_points = 0;
  m_kind = 0;
  g_ToolState.state = CToolState::kNone;
  g_ToolState.multiClick = CToolState::kNoBuild;
}
