// The creation tools as state machines on a fake host, without a window (scale 0.5 page units per
// pixel): what each tool makes from a press, drags and a release, the clicks that open the
// typed-input dialogs instead, Shift constraints, zero-size results that make nothing, backing out
// with the right button or Escape, the multi-click curves finished by a tool change, zooming,
// panning and the right-click tool switch. Every XOR figure drawn is erased again.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/tools/CreationTools.h"
#include "editor/tools/RegularPolygonTool.h"
#include "editor/tools/ToolConstraints.h"
#include "editor/tools/ToolSwitch.h"
#include "framework/KeyState.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "resources/Resource.h"

namespace {

class FakeToolHost : public CToolHost {
public:
  int CurrentTool() override { return tool; }
  double Scale() override { return 0.5; }
  void DrawFeedback(WORD code, const CFRect&) override { draws.push_back(code); }
  CBlock* FeedbackBlock() override { return feedback.get(); }
  void SetFeedbackBlock(CBlock* block) override { feedback.reset(block); }
  CBlock* ReleaseFeedbackBlock() override { return feedback.release(); }
  void RefreshFeedbackBlock() override { ++refreshes; }
  void AddBlock(CBlock* block) override { blocks.emplace_back(block); }
  void RunShapeDialog(UINT dialog) override { dialogs.push_back(dialog); }
  void CutSelectionByLine(const FPOINT& from, const FPOINT& to) override {
    cuts.push_back(CFRect(from.x, from.y, to.x, to.y));
  }
  SIZE VisiblePixels() override { return {800, 400}; }
  void ZoomTo(const CFRect& box) override { zooms.push_back(box); }
  void ScrollPixels(int dx, int dy) override { scrolls.push_back({dx, dy}); }
  void Report(UINT command, const float* values) override {
    reports.push_back({command, values[0], values[1]});
  }
  void SwitchTool(int newTool, bool directly) override {
    switches.push_back(directly ? -newTool : newTool);
  }
  PolygonToolSettings PolygonSettings() override { return polygon; }
  BOOL DoubleClickInSelection(UINT, const FPOINT&) override { return FALSE; }
  // A pattern stands for itself by its box: a point at the place it was made for.
  CBlock* MakeCutPattern(int cutTool, const FPOINT& point, int pass) override {
    patterns.push_back({cutTool, point.x, point.y, pass});
    if (!selection) return nullptr;
    auto* pattern = new CCurveBlock;
    pattern->m_box = CFRect(point.x, point.y, point.x, point.y);
    return pattern;
  }
  void ApplyCutPatterns(int cutTool, const FPOINT& point) override {
    applied.push_back({cutTool, point.x, point.y, -1});
  }

  struct Pattern {
    int tool;
    float x, y;
    int pass;
    bool operator==(const Pattern& o) const {
      return tool == o.tool && x == o.x && y == o.y && pass == o.pass;
    }
  };
  struct Readout {
    UINT command;
    float first, second;
  };

  int tool = ID_TOOL_LINE;
  std::vector<WORD> draws;
  std::unique_ptr<CBlock> feedback;
  int refreshes = 0;
  std::vector<std::unique_ptr<CBlock>> blocks;
  std::vector<UINT> dialogs;
  std::vector<CFRect> cuts;
  std::vector<CFRect> zooms;
  std::vector<POINT> scrolls;
  std::vector<Readout> reports;
  std::vector<int> switches;
  PolygonToolSettings polygon;
  bool selection = true;
  std::vector<Pattern> patterns;
  std::vector<Pattern> applied;
};

void ExpectBox(const CFRect& expected, const CFRect& actual, const char* what = "") {
  EXPECT_FLOAT_EQ(expected.left, actual.left) << what;
  EXPECT_FLOAT_EQ(expected.top, actual.top) << what;
  EXPECT_FLOAT_EQ(expected.right, actual.right) << what;
  EXPECT_FLOAT_EQ(expected.bottom, actual.bottom) << what;
}

class CreationTools : public ::testing::Test {
protected:
  void SetUp() override {
    g_ToolState.Reset();
    AfxSetKeyStateHandler([this](int key) -> SHORT {
      return key == VK_MENU && alt ? static_cast<SHORT>(0x8000) : 0;
    });
  }
  void TearDown() override {
    AfxSetKeyStateHandler(nullptr);
    g_ToolState.Reset();
  }

  static CViewMouseTarget::Event At(float x, float y, UINT flags = 0) {
    // The fake's scale: two pixels a page unit.
    return {flags, x, y, {static_cast<LONG>(x * 2), static_cast<LONG>(y * 2)}};
  }
  void Press(float x, float y, UINT flags = 0) { tools.OnLButtonDown(At(x, y, flags)); }
  void Move(float x, float y, UINT flags = 0) { tools.OnMouseMove(At(x, y, flags | MK_LBUTTON)); }
  void Release(float x, float y, UINT flags = 0) { tools.OnLButtonUp(At(x, y, flags)); }
  void Drag(float x0, float y0, float x1, float y1, UINT flags = 0) {
    Press(x0, y0, flags);
    Move((x0 + x1) / 2, (y0 + y1) / 2, flags);
    Move(x1, y1, flags);
    Release(x1, y1, flags);
  }
  void Click(float x, float y) {
    Press(x, y);
    Release(x, y);
  }
  void RightClick(UINT flags = 0) {
    tools.OnRButtonDown(At(0, 0, flags));
    tools.OnRButtonUp(At(0, 0, flags));
  }
  // Every XOR figure drawn was drawn twice, so none is left on the screen.
  void ExpectFeedbackErased() {
    std::vector<int> count(1024, 0);
    for (WORD code : host.draws) ++count[code];
    for (size_t code = 0; code < count.size(); ++code)
      EXPECT_EQ(0, count[code] % 2) << "feedback " << code << " left on the screen";
    EXPECT_FALSE(g_ToolState.shown);
  }
  template <class T>
  T* Only(BYTE type) {
    EXPECT_EQ(1u, host.blocks.size());
    if (host.blocks.size() != 1 || host.blocks[0]->m_type != type) return nullptr;
    return static_cast<T*>(host.blocks[0].get());
  }

  bool alt = false;
  FakeToolHost host;
  CCreationTools tools{&host};
};

// ---- The arithmetic ----

TEST(ToolConstraints, ShiftSnapsLinesAndSquaresBoxesKeepingTheirDirection) {
  struct Case {
    int tool;
    FPOINT end;
    FPOINT expected;
  } cases[] = {
      {ID_TOOL_LINE, {20, 10}, {20, 0}},     // |dx| = 2|dy|: horizontal
      {ID_TOOL_LINE, {-5, 10}, {0, 10}},     // |dx| = |dy| / 2: vertical
      {ID_TOOL_LINE, {30, 0}, {30, 0}},      // dy 0
      {ID_TOOL_LINE, {15, -10}, {10, -10}},  // between: the diagonal of the smaller leg
      {ID_TOOL_POLYLINE, {-12, -9}, {-9, -9}},
      {ID_CUT_LINE, {0, -8}, {0, -8}},
      {ID_TOOL_RECT, {30, -10}, {10, -10}},  // a square
      {ID_TOOL_CIRCLE, {-4, 25}, {-4, 4}},
      {ID_TOOL_REGULAR_POLYGON, {7, 3}, {7, 3}},  // no constraint
  };
  for (const Case& c : cases) {
    FPOINT got = CToolConstraints::Constrain(c.tool, {0, 0}, c.end);
    EXPECT_FLOAT_EQ(c.expected.x, got.x) << c.tool << " " << c.end.x << "," << c.end.y;
    EXPECT_FLOAT_EQ(c.expected.y, got.y) << c.tool << " " << c.end.x << "," << c.end.y;
  }
}

TEST(ToolConstraints, AClickStaysWithinThreePixelsEitherWayAndALongDragUpOrLeftIsNoClick) {
  const double scale = 0.5;  // three pixels are 1.5 page units
  EXPECT_TRUE(CToolConstraints::IsClick({10, 10}, {11.5f, 8.5f}, scale));
  EXPECT_FALSE(CToolConstraints::IsClick({10, 10}, {12, 10}, scale));
  EXPECT_FALSE(CToolConstraints::IsClick({100, 100}, {20, 100}, scale));
  EXPECT_FALSE(CToolConstraints::IsClick({100, 100}, {100, 20}, scale));
  EXPECT_FALSE(CToolConstraints::IsClick({100, 100}, {20, 20}, scale));
}

TEST(ToolConstraints, ZoomBoxesAreAQuarterOrThreeTimesTheVisibleExtentAroundThePoint) {
  SIZE visible = {800, 400};
  // A click zooming in shows a quarter of the visible width and height (400 x 200 page units).
  ExpectBox(CFRect(50, 75, 150, 125),
            CToolConstraints::ZoomInBox({100, 100}, {100, 100}, visible, 0.5, false));
  ExpectBox(CFRect(-500, -200, 700, 400),
            CToolConstraints::ZoomInBox({100, 100}, {100, 100}, visible, 0.5, true));
  // A drag of more than four pixels zooms to its box, normalised.
  ExpectBox(CFRect(40, 90, 100, 100),
            CToolConstraints::ZoomInBox({100, 100}, {40, 90}, visible, 0.5, false));
  ExpectBox(CFRect(-500, -200, 700, 400),
            CToolConstraints::ZoomOutBox({100, 100}, visible, 0.5, false));
  ExpectBox(CFRect(50, 75, 150, 125), CToolConstraints::ZoomOutBox({100, 100}, visible, 0.5, true));
}

TEST(ToolSwitch, ARightClickSwitchesEachToolAsTheTableSays) {
  struct Case {
    int tool;
    int multiClick;
    int expected;
    CToolSwitch::How how;
  } cases[] = {
      {ID_OUTPUT_AREA_DRAW, 0, ID_OUTPUT_AREA_SELECT, CToolSwitch::kByCommand},
      {32855, 0, kNodeTool, CToolSwitch::kDirectly},
      {32862, 0, kNodeTool, CToolSwitch::kDirectly},
      {ID_NODE_ADD, 0, kNodeTool, CToolSwitch::kDirectly},
      {ID_NODE_TO_LINE, 0, kNodeTool, CToolSwitch::kDirectly},
      {kSelectTool, 0, kTextTool, CToolSwitch::kByCommand},
      {kTextTool, 0, kSelectTool, CToolSwitch::kByCommand},
      {kTextDragTool, 0, kSelectTool, CToolSwitch::kByCommand},
      {kNodeTool, 0, kSelectTool, CToolSwitch::kByCommand},
      {40168, 1, kNodeTool, CToolSwitch::kByCommand},
      {40168, 0, kSelectTool, CToolSwitch::kByCommand},
      {ID_TOOL_POLYGON, 1, kSelectTool, CToolSwitch::kByCommand},
      {ID_TOOL_ZOOM_IN, 0, kSelectTool, CToolSwitch::kByCommand},
  };
  for (const Case& c : cases) {
    CToolSwitch::Target target = CToolSwitch::OnRightClick(c.tool, c.multiClick);
    EXPECT_EQ(c.expected, target.tool) << c.tool;
    EXPECT_EQ(c.how, target.how) << c.tool;
  }
}

// ---- Lines ----

TEST_F(CreationTools, TheLineToolDragsALineAndReportsItsSize) {
  Drag(10, 20, 50, 5);
  auto* line = Only<CLineBlock>(kLineBlock);
  ASSERT_NE(nullptr, line);
  EXPECT_FLOAT_EQ(10, line->m_start.x);
  EXPECT_FLOAT_EQ(20, line->m_start.y);
  EXPECT_FLOAT_EQ(50, line->m_end.x);
  EXPECT_FLOAT_EQ(5, line->m_end.y);
  ExpectBox(CFRect(10, 5, 50, 20), line->m_box);
  ASSERT_FALSE(host.reports.empty());
  EXPECT_EQ(CCreationTool::kSizeReadout, host.reports.back().command);
  EXPECT_FLOAT_EQ(40, host.reports.back().first);
  EXPECT_FLOAT_EQ(-15, host.reports.back().second);
  EXPECT_EQ(CToolState::kLine, host.draws.front());
  ExpectFeedbackErased();
  EXPECT_EQ(CToolState::kNone, g_ToolState.state);
}

TEST_F(CreationTools, AClickOfTheLineToolOpensTheLineDialogButALongDragUpAndLeftIsALine) {
  Press(100, 100);
  Move(101, 99);
  Release(101, 99);
  EXPECT_TRUE(host.blocks.empty());
  EXPECT_EQ(std::vector<UINT>{314}, host.dialogs);
  Drag(100, 100, 20, 30);
  ASSERT_EQ(1u, host.blocks.size());
  ExpectBox(CFRect(20, 30, 100, 100), host.blocks[0]->m_box);
  ExpectFeedbackErased();
}

TEST_F(CreationTools, TheMeasuringToolReportsTheDistanceAndMakesNothing) {
  host.tool = ID_TOOL_MEASURE;
  Drag(5, 5, 35, 45);
  EXPECT_TRUE(host.blocks.empty());
  EXPECT_TRUE(host.dialogs.empty());
  bool measured = false;
  for (const auto& report : host.reports)
    measured |= report.command == CCreationTool::kMeasureReadout;
  EXPECT_TRUE(measured);
  EXPECT_EQ(CToolState::kMeasureLine, host.draws.front());
  ExpectFeedbackErased();
}

TEST_F(CreationTools, TheLineCutToolCutsAlongADraggedLineOnly) {
  host.tool = ID_CUT_LINE;
  Click(50, 50);
  EXPECT_TRUE(host.cuts.empty());
  Drag(0, 10, 80, 10);
  ASSERT_EQ(1u, host.cuts.size());
  ExpectBox(CFRect(0, 10, 80, 10), host.cuts[0]);
  EXPECT_TRUE(host.blocks.empty());
}

// ---- Boxes ----

TEST_F(CreationTools, TheRectangleAndCircleToolsMakeTheirBlockInTheNormalisedBox) {
  host.tool = ID_TOOL_RECT;
  Drag(60, 50, 20, 10);
  host.tool = ID_TOOL_CIRCLE;
  Drag(100, 100, 140, 120);
  ASSERT_EQ(2u, host.blocks.size());
  ASSERT_EQ(kRectBlock, host.blocks[0]->m_type);
  ExpectBox(CFRect(20, 10, 60, 50), static_cast<CRectBlock*>(host.blocks[0].get())->m_rect);
  ExpectBox(CFRect(20, 10, 60, 50), host.blocks[0]->m_box);
  ASSERT_EQ(kCircleBlock, host.blocks[1]->m_type);
  auto* circle = static_cast<CCircleBlock*>(host.blocks[1].get());
  ExpectBox(CFRect(100, 100, 140, 120), circle->m_rect);
  EXPECT_TRUE(circle->IsWholeEllipse());
  EXPECT_EQ(CToolState::kEllipse, host.draws.back());
  ExpectFeedbackErased();
}

TEST_F(CreationTools, BoxClicksOpenTheirDialogsAndFlatBoxesMakeNothing) {
  host.tool = ID_TOOL_RECT;
  Click(10, 10);
  host.tool = ID_TOOL_CIRCLE;
  Click(10, 10);
  Drag(10, 10, 90, 10);
  host.tool = ID_TOOL_RECT;
  Drag(10, 10, 10, 90);
  EXPECT_EQ((std::vector<UINT>{190, 191}), host.dialogs);
  EXPECT_TRUE(host.blocks.empty());
}

TEST_F(CreationTools, ShiftSnapsTheDraggedLineAndSquaresTheRectangle) {
  Drag(0, 0, 40, 19, MK_SHIFT);
  host.tool = ID_TOOL_RECT;
  Drag(0, 0, -30, 12, MK_SHIFT);
  ASSERT_EQ(2u, host.blocks.size());
  ExpectBox(CFRect(0, 0, 40, 0), host.blocks[0]->m_box, "line");
  ExpectBox(CFRect(-12, 0, 0, 12), host.blocks[1]->m_box, "square");
}

TEST_F(CreationTools, ARightPressOrEscapeInADragBacksOutAndSwitchesNothing) {
  host.tool = ID_TOOL_RECT;
  Press(0, 0);
  Move(30, 30);
  RightClick();
  Release(30, 30);
  host.tool = ID_TOOL_LINE;
  Press(0, 0);
  Move(30, 30);
  EXPECT_TRUE(tools.Cancel());
  Release(30, 30);
  EXPECT_TRUE(host.blocks.empty());
  EXPECT_TRUE(host.switches.empty());
  EXPECT_FALSE(tools.Cancel());
  ExpectFeedbackErased();
}

// ---- Curves click by click ----

TEST_F(CreationTools, APolygonIsBuiltClickByClickAndClosedWhenTheToolChanges) {
  host.tool = ID_TOOL_POLYGON;
  Click(0, 0);
  EXPECT_EQ(CToolState::kBuilding, g_ToolState.multiClick);
  Press(40, 0);
  Move(40, 0);
  Release(40, 0);
  Click(40, 30);
  ASSERT_NE(nullptr, host.feedback);
  EXPECT_TRUE(host.blocks.empty());
  tools.Finish();
  auto* curve = Only<CCurveBlock>(kCurveBlock);
  ASSERT_NE(nullptr, curve);
  std::vector<POINTREC> points = curve->GetPoints();
  ASSERT_GE(points.size(), 5u);
  EXPECT_EQ(kPointStart | kPointOnCurve, points[0].flags);
  EXPECT_FLOAT_EQ(40, points[2].x);
  EXPECT_FLOAT_EQ(30, points[2].y);
  EXPECT_EQ(kPointClose | kPointOnCurve, points[3].flags);
  EXPECT_EQ(kPointEnd, points.back().flags);
  ExpectBox(CFRect(0, 0, 40, 30), curve->m_box);
  EXPECT_EQ(nullptr, host.feedback);
  EXPECT_EQ(CToolState::kNoBuild, g_ToolState.multiClick);
  ExpectFeedbackErased();
}

TEST_F(CreationTools, APolylineStaysOpenAndASecondClickOnTheLastPointAddsNothing) {
  host.tool = ID_TOOL_POLYLINE;
  Click(0, 0);
  Click(20, 10);
  Click(20.5f, 10);  // the second click of a double click
  tools.Finish();
  auto* curve = Only<CCurveBlock>(kCurveBlock);
  ASSERT_NE(nullptr, curve);
  std::vector<POINTREC> points = curve->GetPoints();
  ASSERT_EQ(3u, points.size());
  EXPECT_EQ(kPointOpenEnd | kPointOnCurve, points[1].flags);
  EXPECT_FLOAT_EQ(20, points[1].x);
}

TEST_F(CreationTools, ABezierCurveIsSmoothedThroughItsClicks) {
  host.tool = ID_TOOL_BEZIER;
  Click(0, 0);
  Click(50, 40);
  Click(100, 0);
  tools.Finish();
  auto* curve = Only<CCurveBlock>(kCurveBlock);
  ASSERT_NE(nullptr, curve);
  int controls = 0;
  for (const POINTREC& point : curve->GetPoints()) controls += IsControlPoint(point.flags);
  EXPECT_GT(controls, 0);
  EXPECT_FLOAT_EQ(0, curve->m_box.left);
  EXPECT_FLOAT_EQ(100, curve->m_box.right);
}

TEST_F(CreationTools, TooFewPointsMakeNoCurveAndEscapeDropsTheBuild) {
  host.tool = ID_TOOL_POLYGON;
  Click(0, 0);
  Click(10, 0);
  tools.Finish();  // two points enclose nothing
  host.tool = ID_TOOL_POLYLINE;
  Click(0, 0);
  tools.Finish();
  Click(0, 0);
  Click(10, 10);
  EXPECT_TRUE(tools.Cancel());
  EXPECT_EQ(nullptr, host.feedback);
  tools.Finish();
  EXPECT_TRUE(host.blocks.empty());
  EXPECT_EQ(CToolState::kNoBuild, g_ToolState.multiClick);
}

TEST_F(CreationTools, ARightClickInABuildSwitchesToTheSelectionTool) {
  host.tool = ID_TOOL_POLYLINE;
  Click(0, 0);
  Click(10, 10);
  RightClick();
  EXPECT_EQ(std::vector<int>{kSelectTool}, host.switches);
}

// ---- Regular polygons ----

TEST_F(CreationTools, TheRegularPolygonIsSizedByTheSmallerSideAndAClickAddsNone) {
  host.tool = ID_TOOL_REGULAR_POLYGON;
  host.polygon = {1.5f, 6, true};
  Press(100, 100);
  ASSERT_NE(nullptr, host.feedback);
  ASSERT_EQ(kPolygonBlock, host.feedback->m_type);
  Move(130, 80);
  auto* sizing = static_cast<CPolygonBlock*>(host.feedback.get());
  EXPECT_FLOAT_EQ(20, sizing->m_outerRadius);
  EXPECT_FLOAT_EQ(10, sizing->m_innerRadius);
  Release(130, 80);
  auto* polygon = Only<CPolygonBlock>(kPolygonBlock);
  ASSERT_NE(nullptr, polygon);
  EXPECT_EQ(6, polygon->m_cornerCount);
  EXPECT_FLOAT_EQ(1.5f, polygon->m_bandWidth);
  EXPECT_NEAR(3.1415926f / 6, polygon->m_starAngle, 1e-6);
  EXPECT_FLOAT_EQ(CRegularPolygonTool::kUpright, polygon->m_startAngle);
  EXPECT_LE(polygon->m_box.left, 100.0f - 10.0f);
  EXPECT_GE(polygon->m_box.right, 100.0f + 10.0f);
  EXPECT_EQ(nullptr, host.feedback);

  Click(50, 50);
  EXPECT_EQ(1u, host.blocks.size());
  EXPECT_EQ(nullptr, host.feedback);
  ExpectFeedbackErased();
}

// ---- Cut patterns and tables ----

TEST_F(CreationTools, ACutToolShowsItsPatternAtThePointerAndCutsWhereItIsReleased) {
  for (int cutTool : {ID_CUT_PARALLEL, ID_CUT_RADIAL, ID_CUT_RING}) {
    host = FakeToolHost();
    host.tool = cutTool;
    Press(10, 10);
    ASSERT_NE(nullptr, host.feedback) << cutTool;
    EXPECT_FLOAT_EQ(10, host.feedback->m_box.left);
    EXPECT_EQ(CToolState::kFeedbackBlock, g_ToolState.state);
    Move(30, 20);
    ASSERT_NE(nullptr, host.feedback);
    EXPECT_FLOAT_EQ(30, host.feedback->m_box.left);
    Release(40, 25);
    EXPECT_EQ(nullptr, host.feedback) << cutTool;
    // Only the first pass follows the pointer; both are built where the button comes up.
    using P = FakeToolHost::Pattern;
    EXPECT_EQ((std::vector<P>{{cutTool, 10, 10, 0}, {cutTool, 30, 20, 0}}), host.patterns);
    EXPECT_EQ((std::vector<P>{{cutTool, 40, 25, -1}}), host.applied);
    EXPECT_EQ(std::vector<int>{-kSelectTool}, host.switches);
    EXPECT_TRUE(host.blocks.empty());
    ExpectFeedbackErased();
  }
}

TEST_F(CreationTools, EscapeOrARightPressDropsTheCutPatternAndCutsNothing) {
  host.tool = ID_CUT_RING;
  Press(10, 10);
  Move(20, 20);
  EXPECT_TRUE(tools.Cancel());
  EXPECT_EQ(nullptr, host.feedback);
  Release(20, 20);
  Press(10, 10);
  RightClick();
  Release(10, 10);
  EXPECT_EQ(nullptr, host.feedback);
  EXPECT_TRUE(host.applied.empty());
  EXPECT_TRUE(host.switches.empty());
  // Without a selection there is no pattern to show, but the release still ends the tool.
  host.selection = false;
  Press(10, 10);
  Move(20, 20);
  Release(20, 20);
  EXPECT_EQ(nullptr, host.feedback);
  EXPECT_EQ(1u, host.applied.size());
  ExpectFeedbackErased();
}

TEST_F(CreationTools, TheTableToolOpensTheTableDialogAtThePressAfterAClickOrADrag) {
  host.tool = ID_TOOL_TABLE;
  Click(10, 10);
  Press(30, 40);
  Move(60, 50);
  EXPECT_EQ(CToolState::kBox, g_ToolState.state);
  Release(60, 50);
  EXPECT_EQ((std::vector<UINT>{166, 166}), host.dialogs);
  EXPECT_FLOAT_EQ(30, g_ToolState.start.x);
  EXPECT_FLOAT_EQ(40, g_ToolState.start.y);
  EXPECT_TRUE(host.blocks.empty());
  ExpectFeedbackErased();
}

// ---- Zooming and panning ----

TEST_F(CreationTools, ZoomToolsZoomToTheDraggedBoxOrAroundTheClick) {
  host.tool = ID_TOOL_ZOOM_IN;
  Drag(10, 10, 110, 60);
  Click(100, 100);
  host.tool = ID_TOOL_ZOOM_OUT;
  Click(100, 100);
  Press(100, 100, MK_CONTROL);
  Release(100, 100, MK_CONTROL);
  ASSERT_EQ(4u, host.zooms.size());
  ExpectBox(CFRect(10, 10, 110, 60), host.zooms[0], "dragged");
  ExpectBox(CFRect(50, 75, 150, 125), host.zooms[1], "zoom-in click");
  ExpectBox(CFRect(-500, -200, 700, 400), host.zooms[2], "zoom-out click");
  ExpectBox(CFRect(50, 75, 150, 125), host.zooms[3], "zoom-out click with Ctrl");
  ExpectFeedbackErased();
}

TEST_F(CreationTools, AnAltDragPansByItsPixelsInAnyToolButNotForTwoPixels) {
  host.tool = ID_TOOL_RECT;
  alt = true;
  Drag(10, 10, 10.5f, 11);  // one and two pixels
  Drag(10, 10, 30, 5);
  alt = false;
  ASSERT_EQ(1u, host.scrolls.size());
  EXPECT_EQ(40, host.scrolls[0].x);
  EXPECT_EQ(-10, host.scrolls[0].y);
  EXPECT_TRUE(host.blocks.empty());
  ExpectFeedbackErased();
}

TEST_F(CreationTools, ToolsThatAreNotCreationToolsLeaveTheMouseToOthers) {
  host.tool = kSelectTool;
  EXPECT_FALSE(tools.OnLButtonDown(At(1, 1)));
  EXPECT_FALSE(tools.OnMouseMove(At(2, 2, MK_LBUTTON)));
  EXPECT_FALSE(tools.OnLButtonUp(At(2, 2)));
  // Shift belongs to the view's zoom box.
  tools.OnRButtonDown(At(0, 0, MK_SHIFT));
  EXPECT_FALSE(tools.OnRButtonUp(At(0, 0, MK_SHIFT)));
  RightClick();
  EXPECT_EQ(std::vector<int>{kTextTool}, host.switches);
}

}  // namespace
