#include "editor/tools/ToolSwitch.h"

#include "editor/tools/ToolState.h"
#include "model/blocks/Block.h"
#include "resources/Resource.h"

namespace {

const int kCurveReplaceTool = 40168;
const int kFirstNodeSubTool = 32855;
const int kLastNodeSubTool = 32862;

}  // namespace

bool CToolSwitch::IsNodeSubTool(int tool) {
  if (tool >= kFirstNodeSubTool && tool <= kLastNodeSubTool) return true;
  return tool == ID_NODE_ADD || tool == ID_NODE_DELETE || tool == ID_NODE_TO_CURVE ||
         tool == ID_NODE_TO_LINE;
}

CToolSwitch::Target CToolSwitch::OnRightClick(int tool, int multiClick) {
  if (tool == ID_OUTPUT_AREA_DRAW) return {ID_OUTPUT_AREA_SELECT, kByCommand};
  if (IsNodeSubTool(tool)) return {kNodeTool, kDirectly};
  if (tool == kSelectTool) return {kTextTool, kByCommand};
  if (tool == kTextTool || tool == kTextDragTool) return {kSelectTool, kByCommand};
  if (tool == kCurveReplaceTool && multiClick == CToolState::kBuilding)
    return {kNodeTool, kByCommand};
  return {kSelectTool, kByCommand};
}
