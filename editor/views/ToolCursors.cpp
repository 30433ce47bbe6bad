#include "editor/views/ToolCursors.h"

#include <iterator>

#include "editor/MDIMainFrame.h"
#include "framework/ResourceModule.h"
#include "framework/WinApp.h"
#include "resources/Resource.h"

namespace {

struct ToolCursor {
  int tool;
  UINT resource;
};

const int kTextDragTool = 48000;
// A tool id that points with the cross; no command of the menus carries it.
const int kCrossTool = 40048;

// clang-format off
const ToolCursor kProgramCursors[] = {
  {ID_OUTPUT_AREA_DRAW,     IDC_CUR_OUTPUT_AREA},
  {ID_CUT_LINE,             IDC_CUR_LINE_CUT},
  {ID_CUT_PARALLEL,         IDC_CUR_PARALLEL_CUT},
  {ID_CUT_RADIAL,           IDC_CUR_RADIAL_CUT},
  {ID_CUT_RING,             IDC_CUR_RING_CUT},
  {ID_NODE_DRAW_CONTOUR,    IDC_CUR_CONTOUR_LINE},
  {ID_FILE_MERGE,           IDC_CUR_PLACE},
  {ID_FILE_READ_IMAGE,      IDC_CUR_IMAGE},
  {ID_TOOL_LIBRARY,         IDC_CUR_LIBRARY},
  {ID_TOOL_LINE,            IDC_CUR_LINE},
  {ID_TOOL_POLYLINE,        IDC_CUR_LINE},
  {ID_TOOL_POLYGON,         IDC_CUR_POLYGON},
  {ID_TOOL_RECT,            IDC_CUR_RECT},
  {ID_TOOL_CIRCLE,          IDC_CUR_CIRCLE},
  {ID_TOOL_BEZIER,          IDC_CUR_BEZIER},
  {ID_TOOL_REGULAR_POLYGON, IDC_CUR_REGULAR_POLYGON},
  {ID_TOOL_TABLE,           IDC_CUR_TABLE},
  {ID_TOOL_ZOOM_IN,         IDC_CUR_ZOOM_IN},
  {ID_TOOL_ZOOM_OUT,        IDC_CUR_ZOOM_OUT},
  {ID_TOOL_NODE,            IDC_CUR_NODE},
  {ID_NODE_ADD,             IDC_CUR_ADD_NODE},
  {ID_NODE_DELETE,          IDC_CUR_DELETE_NODE},
  {ID_NODE_TO_CURVE,        IDC_CUR_TO_CURVE},
  {ID_NODE_TO_LINE,         IDC_CUR_TO_LINE},
  {kTextDragTool,           IDC_CUR_TEXT_DRAG},
};
// clang-format on

}  // namespace

CToolCursors::Choice CToolCursors::For(int tool) {
  switch (tool) {
    case ID_FILE_CUT_OUTPUT:
    case ID_OUTPUT_AREA_SELECT:
    case ID_TOOL_SELECT:
      return {kArrow, 0};
    case ID_TOOL_MEASURE:
    case kCrossTool:
      return {kCross, 0};
    case ID_TOOL_TEXT:
      return {kIBeam, 0};
    default:
      break;
  }
  for (const ToolCursor& entry : kProgramCursors)
    if (entry.tool == tool) return {kProgram, entry.resource};
  return {kUnchanged, 0};
}

HCURSOR CToolCursors::Load(const Choice& choice) {
  switch (choice.kind) {
    case kArrow:
      return ::LoadCursorA(nullptr, IDC_ARROW);
    case kCross:
      return ::LoadCursorA(nullptr, IDC_CROSS);
    case kIBeam:
      return ::LoadCursorA(nullptr, IDC_IBEAM);
    case kProgram:
      break;
    case kUnchanged:
      return nullptr;
  }
  CWnd* main = AfxGetMainWnd();
  if (main && main->IsKindOf(RUNTIME_CLASS(CMDIMainFrame)))
    if (HCURSOR cursor = static_cast<CMDIMainFrame*>(main)->GetToolCursor(choice.resource))
      return cursor;
  return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(choice.resource));
}
