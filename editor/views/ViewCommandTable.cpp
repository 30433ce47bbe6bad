#include "editor/views/ViewCommandTable.h"

#include <iterator>

#include "model/blocks/Block.h"
#include "resources/Resource.h"

namespace {

using Table = CViewCommandTable;

// The ids the main frame's bars carry.
const UINT kPaletteColourControl = 1011;
const UINT kPaletteNumberControl = 1012;
const UINT kOuterRect = ID_TOOL_OUTER_RECT;
const UINT kUndoCommand = 57643;
const UINT kDeleteCommand = 57632;
const UINT kCopyCommand = 57634;
const UINT kCutCommand = 57635;
const UINT kPasteCommand = 57637;
const UINT kPrintCommand = 57607;
const UINT kPrintPreviewCommand = 57609;
// A command no menu names: it writes the artwork record file.
const UINT kUnnamedCommand = 49010;

// Layout kinds of a text block, as the direction commands show them.
const int kLayoutHorizontal = 0;
const int kLayoutHorizontalReverse = 1;
const int kLayoutVertical = 2;
const int kLayoutVerticalReverse = 3;
const int kLayoutArch = 17;
const int kLayoutArc = 18;
const int kLayoutPath = 19;

// clang-format off
#define AREA_TOOL(id) {id, id, Table::kOutputAreaCommand, Table::kAlways, Table::kRadioCurrentTool, 0}
#define RUN(id, action, rule) {id, id, Table::action, Table::rule, Table::kNoMark, 0}
#define CREATION_TOOL(id) {id, id, Table::kSetTool, Table::kAlways, Table::kRadioCurrentTool, 0}
#define NODE_TOOL(id) {id, id, Table::kNodeCommand, Table::kCurveUnderEdit, Table::kRadioCurrentTool, 0}
#define EDIT(id, rule) {id, id, Table::kEditCommand, Table::rule, Table::kNoMark, 0}
#define EDIT_RANGE(first, last, rule) {first, last, Table::kEditCommand, Table::rule, Table::kNoMark, 0}
#define SIZE_MODE(id, mode) {id, id, Table::kViewHandler, Table::kAlways, Table::kRadioTextSizeMode, mode}
#define LAYOUT(id, kind) {id, id, Table::kViewHandler, Table::kAnySelected, Table::kCheckTextLayout, kind}

const Table::Row kRows[] = {
  // Tools: the radio mark follows the current tool.
  {ID_TOOL_SELECT, ID_TOOL_SELECT, Table::kSetTool, Table::kAlways, Table::kRadioCurrentTool, 0},
  {ID_TOOL_TEXT, ID_TOOL_TEXT, Table::kSetToolDeselected, Table::kAlways, Table::kRadioCurrentTool, 0},
  CREATION_TOOL(ID_TOOL_LIBRARY),
  CREATION_TOOL(ID_TOOL_LINE),
  CREATION_TOOL(ID_TOOL_POLYGON),
  CREATION_TOOL(ID_TOOL_RECT),
  CREATION_TOOL(ID_TOOL_CIRCLE),
  CREATION_TOOL(ID_TOOL_POLYLINE),
  CREATION_TOOL(ID_TOOL_BEZIER),
  CREATION_TOOL(ID_TOOL_REGULAR_POLYGON),
  CREATION_TOOL(ID_TOOL_TABLE),
  CREATION_TOOL(ID_TOOL_ZOOM_IN),
  CREATION_TOOL(ID_TOOL_ZOOM_OUT),
  CREATION_TOOL(ID_TOOL_MEASURE),
  {ID_TOOL_NODE, ID_TOOL_NODE, Table::kSetToolDeselected, Table::kAlways, Table::kRadioCurrentTool, 0},
  NODE_TOOL(ID_NODE_ADD),
  NODE_TOOL(ID_NODE_DELETE),
  NODE_TOOL(ID_NODE_BREAK),
  NODE_TOOL(ID_NODE_JOIN),
  NODE_TOOL(ID_NODE_TO_CURVE),
  NODE_TOOL(ID_NODE_TO_LINE),
  AREA_TOOL(ID_OUTPUT_AREA_DRAW),
  AREA_TOOL(ID_OUTPUT_AREA_SELECT),
  NODE_TOOL(ID_NODE_DRAW_CONTOUR),
  NODE_TOOL(ID_NODE_MOVE_CONTOUR),
  AREA_TOOL(ID_OUTPUT_AREA_TOOL),
  {ID_NODE_DELETE_CONTOUR, ID_NODE_REPLACE_CURVE, Table::kNodeCommand, Table::kCurveUnderEdit, Table::kNoMark, 0},
  // Shape dialogs.
  RUN(kOuterRect, kViewHandler, kAnySelected),
  RUN(ID_TOOL_POLYGON_SETTINGS, kViewHandler, kAlways),
  RUN(ID_OUTLINE_THICKNESS, kViewHandler, kAnySelected),
  // Clipboard, deletion and undo.
  RUN(kDeleteCommand, kDeleteSelection, kDeletable),
  // Copy, cut, paste and merge: the clipboard commands answer them before the table.
  RUN(kCopyCommand, kViewHandler, kAnySelected),
  RUN(kCutCommand, kViewHandler, kAnySelected),
  RUN(kPasteCommand, kViewHandler, kAlways),
  RUN(kUndoCommand, kUndo, kUndoAvailable),
  // Display.
  RUN(ID_VIEW_REDRAW, kRedraw, kAlways),
  RUN(ID_VIEW_WHOLE_PAGE, kWholePage, kAlways),
  RUN(ID_VIEW_SHOW_ALL, kShowAll, kAlways),
  RUN(ID_VIEW_ZOOM_IN_2X, kZoomInAtCursor, kAlways),
  RUN(ID_VIEW_ZOOM_OUT_2X, kZoomOutAtCursor, kAlways),
  {ID_VIEW_PALETTE_BAR, ID_VIEW_PALETTE_BAR, Table::kTogglePaletteBar, Table::kPaletteBarExists, Table::kCheckPaletteVisible, 0},
  {ID_VIEW_PROPERTY_BAR, ID_VIEW_PROPERTY_BAR, Table::kTogglePropertyBar, Table::kPropertyBarExists, Table::kCheckPropertyBarVisible, 0},
  {ID_SNAP_GRID, ID_SNAP_GRID, Table::kToggleSnapGrid, Table::kAlways, Table::kCheckScrollLock, 0},
  // Snapping to guides and edges works while Z or X is held; the entries have nothing to switch.
  RUN(ID_SNAP_GUIDES, kEnabledOnly, kAlways),
  RUN(ID_SNAP_EDGES, kEnabledOnly, kAlways),
  RUN(ID_VIEW_EXTENDED_PALETTE, kBarControl, kAlways),
  RUN(kPaletteColourControl, kBarControl, kAlways),
  RUN(kPaletteNumberControl, kBarControl, kAlways),
  // Arrangement of the selection.
  EDIT_RANGE(ID_ALIGN_LEFT, ID_ALIGN_CENTRE, kAnySelected),
  EDIT_RANGE(ID_PAGE_ALIGN_LEFT, ID_PAGE_ALIGN_VCENTRE, kAnySelected),
  EDIT(ID_PAGE_CENTRE, kAnySelected),
  EDIT(ID_EDIT_GROUP, kAnySelected),
  EDIT(ID_EDIT_UNGROUP, kAnySelected),
  EDIT(ID_CURVE_COMBINE, kAnySelected),
  EDIT(ID_CURVE_CONVERT, kAnySelected),
  EDIT(ID_CONTOUR_COMBINE, kAnySelected),
  EDIT(ID_CONTOUR_SPLIT, kAnySelected),
  EDIT(ID_EDIT_TO_FRONT, kAnySelected),
  EDIT(ID_EDIT_TO_BACK, kAnySelected),
  EDIT(ID_EDIT_SOLID, kTextEditedOrSelected),
  RUN(ID_FILE_MERGE, kViewHandler, kAlways),
  RUN(ID_FILE_READ_IMAGE, kViewHandler, kAlways),
  EDIT(ID_TRANSFORM_ROTATE_90, kAnySelected),
  EDIT(ID_TRANSFORM_MIRROR_HORZ, kAnySelected),
  RUN(ID_TRANSFORM_CANCEL_ROTATION, kCancelRotation, kAnySelected),
  // The artistic transformations: the chooser, the library's effects (inserted by the main frame)
  // applied directly, and the cancel.
  RUN(ID_ART_TRANSFORM, kViewHandler, kAlways),
  {ID_ART_TRANSFORM + 1, ID_ART_TRANSFORM_LAST, Table::kViewHandler, Table::kOneArtSourceSelected, Table::kNoMark, 0},
  RUN(ID_ART_TRANSFORM_CANCEL, kViewHandler, kOneTransformSelected),
  // Text.
  {ID_TEXT_AUTO_FILL, ID_TEXT_AUTO_FILL, Table::kEditCommand, Table::kAlways, Table::kCheckAutoFill, 0},
  SIZE_MODE(ID_TEXT_SIZE_ABSOLUTE, 2),
  SIZE_MODE(ID_TEXT_SIZE_UNIFORM, 1),
  SIZE_MODE(ID_TEXT_SIZE_NORMAL, 0),
  {ID_TEXT_HALF_WIDTH, ID_TEXT_HALF_WIDTH, Table::kViewHandler, Table::kAlways, Table::kCheckHalfWidthPunctuation, 0},
  {ID_TEXT_LINE_START, ID_TEXT_LINE_START, Table::kViewHandler, Table::kAlways, Table::kNoMark, 0},
  {ID_TEXT_LINE_START_CANCEL, ID_TEXT_LINE_START_CANCEL, Table::kViewHandler, Table::kAlways, Table::kNoMark, 0},
  RUN(ID_TEXT_JUSTIFY, kViewHandler, kFirstSelectedTextNotEditing),
  RUN(ID_TEXT_LEFT, kViewHandler, kFirstSelectedTextNotEditing),
  {ID_TEXT_ARC, ID_TEXT_ARC, Table::kViewHandler, Table::kFirstSelectedTextNotEditing, Table::kCheckTextLayout, kLayoutArc},
  {ID_TEXT_ARCH, ID_TEXT_ARCH, Table::kViewHandler, Table::kFirstSelectedTextNotEditing, Table::kCheckTextLayout, kLayoutArch},
  {ID_TEXT_ALONG_PATH, ID_TEXT_ALONG_PATH, Table::kViewHandler, Table::kTextAndCurveSelected, Table::kCheckTextLayout, kLayoutPath},
  LAYOUT(ID_TEXT_HORZ, kLayoutHorizontal),
  LAYOUT(ID_TEXT_VERT_REVERSE, kLayoutVerticalReverse),
  LAYOUT(ID_TEXT_VERT, kLayoutVertical),
  LAYOUT(ID_TEXT_HORZ_REVERSE, kLayoutHorizontalReverse),
  {ID_TEXT_FONT_SIZE, ID_TEXT_FONT_SIZE, Table::kViewHandler, Table::kAlways, Table::kNoMark, 0},
  RUN(ID_TEXT_LATIN_PARAMS, kViewHandler, kAlways),
  RUN(ID_FONT_PATHS, kViewHandler, kAlways),
  RUN(ID_FONT_FROM_SCREEN, kViewHandler, kAlways),
  // Dialogs.
  RUN(ID_TRANSFORM_ROTATE, kViewHandler, kAlways),
  RUN(ID_TRANSFORM_MIRROR, kViewHandler, kAlways),
  RUN(ID_TRANSFORM_SKEW, kViewHandler, kAlways),
  RUN(ID_TRANSFORM_SCALE, kViewHandler, kAlways),
  RUN(ID_TRANSFORM_COPIES, kViewHandler, kAlways),
  RUN(ID_TRANSFORM_POSITION, kViewHandler, kAlways),
  RUN(ID_PAGE_SETUP, kViewHandler, kAlways),
  RUN(ID_IMAGE_BARS, kViewHandler, kOneImageAmongSelected),
  // The outline dialog itself asks for an image when none is selected.
  RUN(ID_IMAGE_VECTORISE, kViewHandler, kAlways),
  RUN(ID_IMAGE_TRACE, kViewHandler, kAlways),
  RUN(ID_IMAGE_VECTOR_SETTINGS, kViewHandler, kAlways),
  RUN(ID_IMAGE_CURVE_FIT, kViewHandler, kAlways),
  RUN(ID_IMAGE_SCREEN_TRACE, kViewHandler, kAlways),
  RUN(ID_FILE_SCAN, kViewHandler, kAlways),
  RUN(ID_LIBRARY_FROM_FOLDER, kViewHandler, kAlways),
  RUN(ID_LIBRARY_MANAGE, kViewHandler, kAlways),
  RUN(ID_LIBRARY_BOOK, kViewHandler, kAlways),
  RUN(ID_LIBRARY_BUILD, kViewHandler, kAlways),
  RUN(ID_LIBRARY_CONVERT, kViewHandler, kAlways),
  RUN(ID_LIBRARY_ADD_ARTWORK, kViewHandler, kAlways),
  RUN(ID_LIBRARY_PRINT, kViewHandler, kAlways),
  // Output areas, cutting and printing.
  RUN(ID_OUTPUT_AREA_CLEAR, kViewHandler, kOutputAreaTool),
  // Areas are flagged for cutting with the area tool's own buttons; the entry has nothing to do.
  RUN(ID_OUTPUT_AREA_SET, kEnabledOnly, kAlways),
  RUN(ID_STAMP_NEW, kViewHandler, kAlways),
  RUN(ID_FILE_CUT_OUTPUT, kViewHandler, kAlways),
  RUN(kPrintPreviewCommand, kViewHandler, kAlways),
  RUN(kPrintCommand, kViewHandler, kAlways),
  RUN(ID_CARD_COPY, kViewHandler, kAlways),
  RUN(kUnnamedCommand, kViewHandler, kAlways),
  {ID_CUT_LINE, ID_CUT_LINE, Table::kSetTool, Table::kOneSelectedNoImage, Table::kRadioCurrentTool, 0},
  RUN(ID_CUT_RADIAL, kViewHandler, kOneSelectedNoImage),
  RUN(ID_CUT_RING, kViewHandler, kOneSelectedNoImage),
  RUN(ID_OUTLINE_WELD, kViewHandler, kTwoOrMoreNonImagesSelected),
  RUN(ID_OUTLINE_TRIM, kViewHandler, kTwoSelectedNoImage),
  RUN(ID_OUTLINE_INTERSECT, kViewHandler, kTwoSelectedNoImage),
  RUN(ID_OUTLINE_XOR, kViewHandler, kTwoSelectedNoImage),
  RUN(ID_OUTLINE_CONTOUR_CUT, kViewHandler, kTwoSelectedNoImage),
  RUN(ID_CUT_PARALLEL, kViewHandler, kSelectedNoImage),
  RUN(ID_OUTLINE_UNCROSS_TEXT, kViewHandler, kFirstSelectedTextNotEditing),
  RUN(ID_CUT_GUIDE, kViewHandler, kGuideSelectedWithNonImages),
  RUN(ID_FILE_FILL_OUTPUT, kViewHandler, kAlways),
  // The drawing as a whole: selection, fill, spacing and export.
  RUN(ID_EDIT_SELECT_ALL_BLOCKS, kViewHandler, kAlways),
  RUN(ID_EDIT_HOLLOW, kViewHandler, kAnySelected),
  RUN(ID_SPACE_HORZ, kViewHandler, kAnySelected),
  RUN(ID_SPACE_VERT, kViewHandler, kAnySelected),
  RUN(ID_FILE_EXPORT, kViewHandler, kAlways),
  RUN(ID_PROPERTY_REFRESH, kViewHandler, kAlways),
};
// clang-format on

bool IsOutputAreaTool(int tool) {
  return tool == ID_OUTPUT_AREA_DRAW || tool == ID_OUTPUT_AREA_SELECT;
}

}  // namespace

const CViewCommandTable::Row* CViewCommandTable::Rows(size_t* count) {
  *count = std::size(kRows);
  return kRows;
}

const CViewCommandTable::Row* CViewCommandTable::Find(UINT id) {
  for (const Row& row : kRows)
    if (id >= row.first && id <= row.last) return &row;
  return nullptr;
}

bool CViewCommandTable::Holds(Enable rule, const ViewCommandState& state) {
  bool noImage = state.selectedImages == 0;
  switch (rule) {
    case kAlways:
      return true;
    case kNever:
      return false;
    case kAnySelected:
      return state.selected > 0;
    case kOneSelectedNoImage:
      return state.selected == 1 && noImage;
    case kTwoSelectedNoImage:
      return state.selected == 2 && noImage;
    case kTwoOrMoreNonImagesSelected:
      return state.selected - state.selectedImages >= 2;
    case kSelectedNoImage:
      return state.selected > 0 && noImage;
    case kOneImageAmongSelected:
      return state.selected > 0 && state.selectedImages == 1;
    case kFirstSelectedTextNotEditing:
      return !state.editing && state.firstSelectedType == kTextBlock;
    case kGuideSelectedWithNonImages:
      return state.guideSelected && state.selectedImages < state.selected;
    case kUndoAvailable:
      return state.undoSteps > 0 && !state.feedbackBlock;
    case kOutputAreaTool:
      return IsOutputAreaTool(state.currentTool);
    case kPaletteBarExists:
      return state.paletteBar;
    case kPropertyBarExists:
      return state.propertyBar;
    case kDeletable:
      return state.deletable;
    case kCurveUnderEdit:
      return state.editing && state.editType == kCurveBlock;
    case kTextEditedOrSelected:
      return state.editing ? state.editType == kTextBlock : state.selected > 0;
    case kTextAndCurveSelected:
      return state.textAndCurveSelected;
    case kOneArtSourceSelected:
      return state.selected == 1 && state.firstSelectedType != kImageBlock &&
             state.firstSelectedType != kTransformBlock;
    case kOneTransformSelected:
      return state.selected == 1 && state.firstSelectedType == kTransformBlock;
  }
  return false;
}

CViewCommandTable::ItemState CViewCommandTable::Evaluate(const Row& row, UINT id,
                                                         const ViewCommandState& state) {
  ItemState item = {row.action != kPending && Holds(row.enable, state), -1, -1};
  switch (row.mark) {
    case kNoMark:
      break;
    case kRadioCurrentTool:
      item.radio = state.currentTool == static_cast<int>(id);
      break;
    case kCheckPaletteVisible:
      item.check = state.paletteVisible ? 1 : 0;
      break;
    case kCheckPropertyBarVisible:
      item.check = state.propertyVisible ? 1 : 0;
      break;
    case kCheckScrollLock:
      item.check = state.scrollLock ? 1 : 0;
      break;
    case kCheckTextLayout:
      item.check = state.firstSelectedType == kTextBlock &&
                   state.firstSelectedLayout == row.markValue;
      break;
    case kRadioTextSizeMode:
      item.radio = state.textSizeMode == row.markValue;
      break;
    case kCheckHalfWidthPunctuation:
      item.check = state.halfWidthPunctuation ? 1 : 0;
      break;
    case kCheckAutoFill:
      item.check = state.autoFill ? 1 : 0;
      break;
  }
  return item;
}
