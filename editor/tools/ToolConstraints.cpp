#include "editor/tools/ToolConstraints.h"

#include <algorithm>
#include <cmath>

#include "resources/Resource.h"

namespace {

float WithSign(float length, float like) { return like < 0.0f ? -length : length; }

}  // namespace

bool CToolConstraints::IsLineTool(int tool) {
  switch (tool) {
    case ID_CUT_LINE:
    case ID_TOOL_LINE:
    case ID_TOOL_POLYGON:
    case ID_TOOL_POLYLINE:
    case ID_TOOL_BEZIER:
      return true;
    default:
      return false;
  }
}

bool CToolConstraints::IsBoxTool(int tool) {
  switch (tool) {
    case ID_FILE_READ_IMAGE:
    case ID_TOOL_LIBRARY:
    case ID_TOOL_RECT:
    case ID_TOOL_CIRCLE:
    case ID_TOOL_TABLE:
      return true;
    default:
      return false;
  }
}

FPOINT CToolConstraints::ConstrainLine(const FPOINT& start, const FPOINT& end) {
  float dx = end.x - start.x;
  float dy = end.y - start.y;
  float ax = std::fabs(dx);
  float ay = std::fabs(dy);
  double ratio = ay == 0.0f ? 3.0 : static_cast<double>(ax) / ay;
  if (ratio >= 2.0) return {end.x, start.y};
  if (ratio <= 0.5) return {start.x, end.y};
  float leg = std::min(ax, ay);
  return {start.x + WithSign(leg, dx), start.y + WithSign(leg, dy)};
}

FPOINT CToolConstraints::ConstrainBox(const FPOINT& start, const FPOINT& end) {
  float dx = end.x - start.x;
  float dy = end.y - start.y;
  float side = std::min(std::fabs(dx), std::fabs(dy));
  return {start.x + WithSign(side, dx), start.y + WithSign(side, dy)};
}

FPOINT CToolConstraints::Constrain(int tool, const FPOINT& start, const FPOINT& end) {
  if (IsLineTool(tool)) return ConstrainLine(start, end);
  if (IsBoxTool(tool)) return ConstrainBox(start, end);
  return end;
}

bool CToolConstraints::IsClick(const FPOINT& start, const FPOINT& end, double scale) {
  // Measured both ways: a long drag up or to the left is a drag, not a click.
  double least = kClickPixels * scale;
  return std::fabs(end.x - start.x) <= least && std::fabs(end.y - start.y) <= least;
}

CFRect CToolConstraints::AroundPoint(const FPOINT& point, SIZE visible, double scale,
                                     double share) {
  float halfWidth = static_cast<float>(share * visible.cx * scale);
  float halfHeight = static_cast<float>(share * visible.cy * scale);
  return CFRect(point.x - halfWidth, point.y - halfHeight, point.x + halfWidth,
                point.y + halfHeight);
}

CFRect CToolConstraints::ZoomInBox(const FPOINT& start, const FPOINT& end, SIZE visible,
                                   double scale, bool ctrl) {
  CFRect box(start.x, start.y, end.x, end.y);
  box.Normalize();
  double least = kZoomDragPixels * scale;
  if (box.Width() > least || box.Height() > least) return box;
  return AroundPoint(end, visible, scale, ctrl ? kFartherHalfSide : kCloserHalfSide);
}

CFRect CToolConstraints::ZoomOutBox(const FPOINT& point, SIZE visible, double scale, bool ctrl) {
  return AroundPoint(point, visible, scale, ctrl ? kCloserHalfSide : kFartherHalfSide);
}
