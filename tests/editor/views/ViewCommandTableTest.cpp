// The main view's command table without a window: which entries a state of the view enables,
// checks or radio-marks, and that every command whose feature is still to come stays disabled
// whatever the state, so that no enabled entry silently does nothing.
#include <gtest/gtest.h>

#include <set>

#include "editor/views/ViewCommandTable.h"
#include "framework/AfxRes.h"
#include "model/blocks/Block.h"
#include "resources/Resource.h"

namespace {

using Table = CViewCommandTable;

ViewCommandState Selection(int selected, int images, BYTE firstType = kCurveBlock) {
  ViewCommandState state;
  state.selected = selected;
  state.selectedImages = images;
  state.firstSelectedType = selected ? firstType : 0;
  return state;
}

TEST(ViewCommandTable, EachRuleEnablesExactlyTheStatesItNames) {
  ViewCommandState nothing;
  ViewCommandState oneCurve = Selection(1, 0);
  ViewCommandState oneImage = Selection(1, 1, kImageBlock);
  ViewCommandState twoCurves = Selection(2, 0);
  ViewCommandState curveAndImage = Selection(2, 1);
  ViewCommandState threeCurves = Selection(3, 0);
  ViewCommandState text = Selection(1, 0, kTextBlock);
  ViewCommandState textEdited = text;
  textEdited.editing = true;
  ViewCommandState guide = nothing;
  guide.guideSelected = true;
  ViewCommandState guideAndCurve = oneCurve;
  guideAndCurve.guideSelected = true;
  ViewCommandState guideAndImage = oneImage;
  guideAndImage.guideSelected = true;
  ViewCommandState undoable = nothing;
  undoable.undoSteps = 1;
  ViewCommandState undoableWhileDrawing = undoable;
  undoableWhileDrawing.feedbackBlock = true;
  ViewCommandState areaTool = nothing;
  areaTool.currentTool = ID_OUTPUT_AREA_SELECT;
  ViewCommandState areaDrawTool = nothing;
  areaDrawTool.currentTool = ID_OUTPUT_AREA_DRAW;
  ViewCommandState deletable = nothing;
  deletable.deletable = true;
  ViewCommandState curveEdited = oneCurve;
  curveEdited.editing = true;
  curveEdited.editType = kCurveBlock;
  textEdited.editType = kTextBlock;
  ViewCommandState textAndCurve = Selection(2, 0, kTextBlock);
  textAndCurve.textAndCurveSelected = true;
  ViewCommandState oneTransform = Selection(1, 0, kTransformBlock);
  ViewCommandState twoTransforms = Selection(2, 0, kTransformBlock);

  struct Case {
    Table::Enable rule;
    const ViewCommandState* state;
    bool enabled;
  };
  const Case cases[] = {
      {Table::kAlways, &nothing, true},
      {Table::kNever, &oneCurve, false},
      {Table::kAnySelected, &nothing, false},
      {Table::kAnySelected, &oneImage, true},
      {Table::kOneSelectedNoImage, &oneCurve, true},
      {Table::kOneSelectedNoImage, &oneImage, false},
      {Table::kOneSelectedNoImage, &twoCurves, false},
      {Table::kTwoSelectedNoImage, &twoCurves, true},
      {Table::kTwoSelectedNoImage, &curveAndImage, false},
      {Table::kTwoSelectedNoImage, &threeCurves, false},
      {Table::kTwoOrMoreNonImagesSelected, &threeCurves, true},
      {Table::kTwoOrMoreNonImagesSelected, &twoCurves, true},
      {Table::kTwoOrMoreNonImagesSelected, &curveAndImage, false},
      {Table::kTwoOrMoreNonImagesSelected, &oneCurve, false},
      {Table::kSelectedNoImage, &threeCurves, true},
      {Table::kSelectedNoImage, &nothing, false},
      {Table::kSelectedNoImage, &curveAndImage, false},
      {Table::kOneImageAmongSelected, &curveAndImage, true},
      {Table::kOneImageAmongSelected, &oneCurve, false},
      {Table::kFirstSelectedTextNotEditing, &text, true},
      {Table::kFirstSelectedTextNotEditing, &textEdited, false},
      {Table::kFirstSelectedTextNotEditing, &oneCurve, false},
      {Table::kGuideSelectedWithNonImages, &guideAndCurve, true},
      {Table::kGuideSelectedWithNonImages, &guideAndImage, false},
      {Table::kGuideSelectedWithNonImages, &guide, false},
      {Table::kGuideSelectedWithNonImages, &oneCurve, false},
      {Table::kUndoAvailable, &undoable, true},
      {Table::kUndoAvailable, &undoableWhileDrawing, false},
      {Table::kUndoAvailable, &nothing, false},
      {Table::kOutputAreaTool, &areaTool, true},
      {Table::kOutputAreaTool, &areaDrawTool, true},
      {Table::kOutputAreaTool, &nothing, false},
      {Table::kDeletable, &deletable, true},
      {Table::kDeletable, &oneCurve, false},
      {Table::kCurveUnderEdit, &curveEdited, true},
      {Table::kCurveUnderEdit, &textEdited, false},
      {Table::kCurveUnderEdit, &oneCurve, false},
      {Table::kTextEditedOrSelected, &textEdited, true},
      {Table::kTextEditedOrSelected, &curveEdited, false},
      {Table::kTextEditedOrSelected, &oneCurve, true},
      {Table::kTextEditedOrSelected, &nothing, false},
      {Table::kTextAndCurveSelected, &textAndCurve, true},
      {Table::kTextAndCurveSelected, &text, false},
      {Table::kTextAndCurveSelected, &twoCurves, false},
      {Table::kOneArtSourceSelected, &oneCurve, true},
      {Table::kOneArtSourceSelected, &text, true},
      {Table::kOneArtSourceSelected, &oneImage, false},
      {Table::kOneArtSourceSelected, &oneTransform, false},
      {Table::kOneArtSourceSelected, &twoCurves, false},
      {Table::kOneTransformSelected, &oneTransform, true},
      {Table::kOneTransformSelected, &twoTransforms, false},
      {Table::kOneTransformSelected, &oneCurve, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.enabled, Table::Holds(c.rule, *c.state))
        << "rule " << int(c.rule) << " case " << (&c - cases);
}

TEST(ViewCommandTable, CommandsStillToComeStayDisabledInEveryState) {
  ViewCommandState busy = Selection(2, 0);
  busy.guideSelected = true;
  busy.undoSteps = 3;
  busy.currentTool = ID_OUTPUT_AREA_DRAW;
  busy.paletteBar = busy.propertyBar = true;
  size_t count = 0;
  const Table::Row* rows = Table::Rows(&count);
  ASSERT_GE(count, 90u);
  for (size_t i = 0; i < count; ++i) {
    for (UINT id = rows[i].first; id <= rows[i].last; ++id) {
      for (const ViewCommandState& state : {ViewCommandState(), busy, Selection(1, 0)}) {
        Table::ItemState item = Table::Evaluate(rows[i], id, state);
        if (rows[i].action == Table::kPending) {
          EXPECT_FALSE(item.enabled) << id;
        }
      }
    }
  }
}

TEST(ViewCommandTable, EveryIdHasOneRowAndTheTableAnswersTheViewsOwnCommandsOnly) {
  size_t count = 0;
  const Table::Row* rows = Table::Rows(&count);
  std::set<UINT> seen;
  for (size_t i = 0; i < count; ++i)
    for (UINT id = rows[i].first; id <= rows[i].last; ++id)
      EXPECT_TRUE(seen.insert(id).second) << id;
  // The frame's and the application's commands are theirs.
  const UINT frameCommands[] = {ID_VIEW_ZONE_TABLE, ID_VIEW_TEXT_EDITOR, ID_VIEW_PROPERTY_WINDOW,
                                ID_VIEW_ACTIVATED,  ID_FONT_BUILD_WIN,   ID_FILE_NEW};
  for (UINT frameCommand : frameCommands)
    EXPECT_EQ(nullptr, Table::Find(frameCommand)) << frameCommand;
  // The polygon settings have their dialog: the view hands the command on, always enabled.
  ASSERT_NE(nullptr, Table::Find(ID_TOOL_POLYGON_SETTINGS));
  EXPECT_EQ(Table::kViewHandler, Table::Find(ID_TOOL_POLYGON_SETTINGS)->action);
  EXPECT_TRUE(Table::Evaluate(*Table::Find(ID_TOOL_POLYGON_SETTINGS), ID_TOOL_POLYGON_SETTINGS,
                              ViewCommandState())
                  .enabled);
}

// A weld takes the whole selection at once (a line of letters); trimming, intersection, exclusive
// or and the contour cut work on a pair.
TEST(ViewCommandTable, WeldTakesAnySelectionOfOutlinesTheOtherOutlineOperationsAPair) {
  const ViewCommandState states[] = {Selection(1, 0), Selection(2, 0), Selection(7, 0),
                                     Selection(3, 1)};
  struct Row {
    UINT id;
    bool enabled[4];
  };
  const Row rows[] = {
      {ID_OUTLINE_WELD, {false, true, true, true}},
      {ID_OUTLINE_TRIM, {false, true, false, false}},
      {ID_OUTLINE_INTERSECT, {false, true, false, false}},
      {ID_OUTLINE_XOR, {false, true, false, false}},
      {ID_OUTLINE_CONTOUR_CUT, {false, true, false, false}},
  };
  for (const Row& row : rows) {
    ASSERT_NE(nullptr, Table::Find(row.id)) << row.id;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(row.enabled[i], !!Table::Evaluate(*Table::Find(row.id), row.id, states[i]).enabled)
          << row.id << " state " << i;
  }
}

TEST(ViewCommandTable, MarksFollowTheToolTheBarsScrollLockAndTheTextLayout) {
  ViewCommandState state;
  state.currentTool = ID_TOOL_SELECT;
  EXPECT_EQ(1, Table::Evaluate(*Table::Find(ID_TOOL_SELECT), ID_TOOL_SELECT, state).radio);
  EXPECT_EQ(0, Table::Evaluate(*Table::Find(ID_TOOL_LINE), ID_TOOL_LINE, state).radio);
  state.currentTool = ID_TOOL_LINE;
  EXPECT_EQ(1, Table::Evaluate(*Table::Find(ID_TOOL_LINE), ID_TOOL_LINE, state).radio);

  const Table::Row& palette = *Table::Find(ID_VIEW_PALETTE_BAR);
  EXPECT_FALSE(
      Table::Evaluate(palette, ID_VIEW_PALETTE_BAR, state).enabled);  // no bar, nothing to show
  state.paletteBar = state.paletteVisible = true;
  Table::ItemState paletteItem = Table::Evaluate(palette, ID_VIEW_PALETTE_BAR, state);
  EXPECT_TRUE(paletteItem.enabled);
  EXPECT_EQ(1, paletteItem.check);

  state.scrollLock = true;
  EXPECT_EQ(1, Table::Evaluate(*Table::Find(ID_SNAP_GRID), ID_SNAP_GRID, state).check);

  // Horizontal 0, reverse horizontal 1, vertical 2, reverse vertical 3.
  const UINT layouts[] = {ID_TEXT_HORZ, ID_TEXT_HORZ_REVERSE, ID_TEXT_VERT, ID_TEXT_VERT_REVERSE};
  ViewCommandState text = Selection(1, 0, kTextBlock);
  for (int kind = 0; kind < 4; ++kind) {
    text.firstSelectedLayout = kind;
    for (int other = 0; other < 4; ++other)
      EXPECT_EQ(kind == other ? 1 : 0,
                Table::Evaluate(*Table::Find(layouts[other]), layouts[other], text).check);
  }
  ViewCommandState curve = Selection(1, 0);
  curve.firstSelectedLayout = 0;
  EXPECT_EQ(0, Table::Evaluate(*Table::Find(ID_TEXT_HORZ), ID_TEXT_HORZ, curve).check);
}

}  // namespace
