// The node tool on a curve under edit, driven through the curve's own mouse and key slots on a fake
// view without a window: selection by click and band, node drags with their undo putting back the
// exact points, joining by dropping, the right-button delete, the letter and movement keys, the
// replace-by-curve and contour-line tools, and a curve emptied of every sub-path leaving the
// document in the same undo step.
#include <gtest/gtest.h>

#include "model/FakeBlockView.h"
#include "model/NodePathText.h"
#include "model/editing/DragState.h"
#include "model/editing/NodeEditState.h"
#include "model/geometry/NodePath.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoScope.h"

namespace {

const UINT kCtrlModifier = 8;
const UINT kShiftModifier = 4;

class CurveNodeEdit : public ::testing::Test {
protected:
  CurveNodeEdit() : view(0.5) {}
  void SetUp() override {
    GetNodeEditState().Reset();
    GetDragState().Reset();
    view.tool = kNodeTool;
  }
  void TearDown() override {
    GetNodeEditState().Reset();
    GetDragState().Reset();
  }
  CCurveBlock& Edit(const char* text) {
    curve.reset(CurveFromText(text));
    curve->BeginEdit(kNodeTool, &view);
    return *curve;
  }
  void Drag(UINT flags, FPOINT from, FPOINT to) {
    curve->OnLButtonDown(&view, MK_LBUTTON | flags, from.x, from.y);
    curve->OnMouseMove(&view, MK_LBUTTON | flags, (from.x + to.x) / 2, (from.y + to.y) / 2);
    curve->OnMouseMove(&view, MK_LBUTTON | flags, to.x, to.y);
    curve->OnLButtonUp(&view, flags, to.x, to.y);
  }
  std::string Text() const { return CurveText(*curve); }
  void Undo() { view.undo.PlayLastStep(&view); }

  FakeBlockView view;
  std::unique_ptr<CCurveBlock> curve;
};

TEST_F(CurveNodeEdit, AShiftSnappedDragIsUndoneToTheExactFormerPoints) {
  Edit("M0,0 L15.3,20.7 L30,0");
  const std::vector<POINTREC> before = curve->GetPoints();
  curve->OnLButtonDown(&view, MK_LBUTTON, 15.3f, 20.7f);
  curve->OnMouseMove(&view, MK_LBUTTON | MK_SHIFT, 16, 19);
  EXPECT_EQ("M 0,0 L 15,0* L 30,0", Text());
  curve->OnMouseMove(&view, MK_LBUTTON | MK_SHIFT, 25.3f, 3);
  curve->OnLButtonUp(&view, MK_SHIFT, 25.3f, 3);
  EXPECT_EQ("M 0,0 L 30,0* L 30,0", Text());
  Undo();
  Undo();
  EXPECT_EQ(before, curve->GetPoints());
  EXPECT_EQ(0, view.undo.GetStepCount());
}

TEST_F(CurveNodeEdit, AClickOnNothingClearsTheSelectionUnlessShiftWhichLetsTheBandAdd) {
  Edit("M0,0* L10,0 L20,0 L30,0");
  Drag(MK_SHIFT, {5, -5}, {25, 5});
  EXPECT_EQ("M 0,0* L 10,0* L 20,0* L 30,0", Text());
  EXPECT_EQ(3, curve->m_selectedCount);
  Drag(0, {50, 50}, {50, 50});
  EXPECT_EQ("M 0,0 L 10,0 L 20,0 L 30,0", Text());
  EXPECT_EQ(0, curve->m_selectedCount);
  // With nothing left to clear a click changes nothing and leaves nothing to undo.
  INT_PTR steps = view.undo.GetStepCount();
  Drag(0, {50, 50}, {50, 50});
  EXPECT_EQ(steps, view.undo.GetStepCount());
}

TEST_F(CurveNodeEdit, DroppingAnEndOnAnotherEndJoinsThemAndOnAnInteriorNodeIsRefused) {
  Edit("M0,0 L10,0 M20,0 L30,0 L40,0");
  Drag(0, {10, 0}, {20, 0});
  EXPECT_EQ("M 0,0 L 20,0 L 30,0 L 40,0", Text());
  Undo();
  Undo();
  EXPECT_EQ("M 0,0 L 10,0 M 20,0 L 30,0 L 40,0", Text());

  Edit("M0,0 L10,0 M20,0 L30,0 L40,0");
  Drag(0, {10, 0}, {30, 0});
  EXPECT_EQ("M 0,0 L 30,0* M 20,0 L 30,0 L 40,0", Text());
  EXPECT_EQ(1, curve->m_selectedCount);
}

TEST_F(CurveNodeEdit, ASegmentDragBendsABezierAndADoubleClickAddsANodeOnALine) {
  Edit("M0,0 C0,10 10,10 10,0 L20,0");
  const std::vector<POINTREC> bezier = curve->GetPathRecords();
  Drag(0, {5, 7.5f}, {5, 11.5f});
  ASSERT_EQ(CCurveBlock::kBezierHit, curve->m_hitKind);
  // The point grabbed moves exactly with the mouse; the ends stay.
  float t = curve->m_hitParam;
  FPOINT grabbed = CNodePath::PointOnSegment(bezier, 3, t);
  FPOINT now = CNodePath::PointOnSegment(curve->GetPathRecords(), 3, t);
  EXPECT_NEAR(grabbed.x, now.x, 1e-3f);
  EXPECT_NEAR(grabbed.y + 4.0f, now.y, 1e-3f);
  EXPECT_EQ(10.0f, curve->GetPathRecords()[3].x);
  Undo();
  EXPECT_EQ("M 0,0 C 0,10 10,10 10,0 L 20,0", Text());

  curve->OnLButtonDown(&view, MK_LBUTTON, 15, 0);
  curve->OnLButtonUp(&view, 0, 15, 0);
  curve->OnLButtonDblClk(&view, MK_LBUTTON, 15, 0);
  EXPECT_EQ("M 0,0 C 0,10 10,10 10,0 L 15,0 L 20,0", Text());
}

TEST_F(CurveNodeEdit, CtrlRightClickOnTheFirstNodeDeletesIt) {
  Edit("M0,0 L10,0 L20,0");
  EXPECT_TRUE(curve->OnRButtonDown(&view, MK_RBUTTON | MK_CONTROL, 0, 0));
  EXPECT_TRUE(curve->OnRButtonUp(&view, MK_CONTROL, 0.5f, 0));
  EXPECT_EQ("M 10,0 L 20,0", Text());
  // Shift alone does nothing.
  EXPECT_FALSE(curve->OnRButtonDown(&view, MK_RBUTTON | MK_SHIFT, 10, 0));
  EXPECT_FALSE(curve->OnRButtonUp(&view, MK_SHIFT, 10, 0));
  EXPECT_EQ("M 10,0 L 20,0", Text());
}

TEST_F(CurveNodeEdit, PageKeysNudgeOnlySelectedNodesAndCtrlMovesTheirSubpath) {
  Edit("M0,0 L10,0 M20,20 L30,30");
  EXPECT_TRUE(curve->NodeOnKeyDown(&view, VK_PRIOR, 0));
  EXPECT_EQ("M 0,0 L 10,0 M 20,20 L 30,30", Text());
  EXPECT_FALSE(curve->NodeOnKeyDown(&view, 'A', 0));

  Edit("M0,0 L10,0* M20,20 L30,30");
  curve->m_selectedCount = 1;
  EXPECT_TRUE(curve->NodeOnKeyDown(&view, VK_PRIOR, kCtrlModifier));
  // Ten pixels of half a page unit.
  EXPECT_EQ("M 0,-5 L 10,-5* M 20,20 L 30,30", Text());
  EXPECT_TRUE(curve->NodeOnKeyDown(&view, VK_RIGHT, 0));
  EXPECT_EQ("M 0,-5 L 10.5,-5* M 20,20 L 30,30", Text());
  Undo();
  Undo();
  EXPECT_EQ("M 0,0 L 10,0* M 20,20 L 30,30", Text());

  Edit("M0,0* L10,4* L20,20");
  EXPECT_TRUE(curve->NodeOnKeyDown(&view, VK_LEFT, kShiftModifier));
  EXPECT_EQ("M 5,0* L 5,4* L 20,20", Text());
  EXPECT_TRUE(curve->NodeOnKeyDown(&view, VK_DOWN, kShiftModifier));
  EXPECT_EQ("M 5,2* L 5,2* L 20,20", Text());
}

TEST_F(CurveNodeEdit, LetterKeysToggleTheHitSegmentAddAtTheHitAndDeleteTheSelection) {
  Edit("M0,0 L9,0* L20,0");
  ASSERT_EQ(CCurveBlock::kLineHit, curve->HitSegment(&view, 3, 0));
  EXPECT_TRUE(curve->NodeOnChar(&view, ' ', 0));
  EXPECT_EQ("M 0,0 C 3,0 6,0 9,0* L 20,0", Text());
  ASSERT_EQ(CCurveBlock::kLineHit, curve->HitSegment(&view, 14.5f, 0));
  EXPECT_TRUE(curve->NodeOnChar(&view, '+', 0));
  EXPECT_EQ("M 0,0 C 3,0 6,0 9,0* L 14.5,0 L 20,0", Text());
  EXPECT_TRUE(curve->NodeOnChar(&view, '-', 0));
  EXPECT_EQ("M 0,0 L 14.5,0 L 20,0", Text());
  EXPECT_FALSE(curve->NodeOnChar(&view, 'x', 0));
  EXPECT_EQ(3, view.undo.GetStepCount());
}

TEST_F(CurveNodeEdit, EachCommandIsOneUndoStepThatPutsBackTheExactPoints) {
  struct Case {
    const char* before;
    BOOL (CCurveBlock::*command)(CBlockView*);
    const char* after;
  };
  const Case cases[] = {
      {"M0,0 L10,0* L10,10 Z", &CCurveBlock::BreakNode, "M 10,0 L 10,10 L 0,0 L 10,0"},
      {"M0,0* L10,0 L10,10 M20,20 L30,30", &CCurveBlock::DeleteContour, "M 20,20 L 30,30"},
      {"M0,0* L10,0 L10,10 L0,10 Z", &CCurveBlock::ReplaceBySquare,
       "M 0,0 L 10,0 L 10,10 L 0,10 Z"},
      {"M0,0* L10,0 L10,10 L0,10 Z", &CCurveBlock::ReplaceByCircle,
       "M 0,5 C 0,2.235 2.235,0 5,0 C 7.765,0 10,2.235 10,5 C 10,7.765 7.765,10 5,10 "
       "C 2.235,10 0,7.765 Z"},
  };
  for (const Case& c : cases) {
    Edit(c.before);
    const std::vector<POINTREC> before = curve->GetPoints();
    {
      CUndoScope step(view.undo);
      EXPECT_TRUE((curve.get()->*c.command)(&view)) << c.before;
    }
    EXPECT_EQ(c.after, Text()) << c.before;
    EXPECT_EQ(0, curve->m_selectedCount) << c.before;
    Undo();
    EXPECT_EQ(before, curve->GetPoints()) << c.before;
  }
  Edit("M0,0* L10,0 M20,0* L30,0");
  {
    CUndoScope step(view.undo);
    EXPECT_EQ(1, curve->JoinNodes(&view));
  }
  EXPECT_EQ("M 10,0 L 0,0 L 20,0 L 30,0", Text());
  Undo();
  EXPECT_EQ("M 0,0* L 10,0 M 20,0* L 30,0", Text());
}

TEST_F(CurveNodeEdit, JoiningAClosedSubpathsFirstPointIsRefusedAndKeepsItAlone) {
  Edit("M0,0* L10,0 L10,10 Z M20,0* L30,0");
  curve->m_selectedCount = 2;
  EXPECT_EQ(0, curve->JoinNodes(&view));
  EXPECT_EQ("M 0,0* L 10,0 L 10,10 Z M 20,0 L 30,0", Text());
  EXPECT_EQ(1, curve->m_selectedCount);
  EXPECT_EQ(0, curve->m_currentIndex);
}

TEST_F(CurveNodeEdit, ACurveEmptiedOfEverySubpathLeavesTheDocumentInTheSameUndoStep) {
  CSegArray blocks;
  view.blocks = &blocks;
  CCurveBlock* own = CurveFromText("M0,0* L10,0*");
  blocks.AddBlock(own);
  own->BeginEdit(kNodeTool, &view);
  view.editBlock = own;
  {
    CUndoScope step(view.undo);
    own->NodeDelete(&view);
  }
  EXPECT_EQ(0, blocks.GetSize());
  EXPECT_EQ(nullptr, view.editBlock);
  EXPECT_EQ(1, view.undo.GetStepCount());
  Undo();
  ASSERT_EQ(1, blocks.GetSize());
  EXPECT_EQ(own, blocks.GetBlock(0));
  EXPECT_EQ(own, view.editBlock);
  EXPECT_EQ(kNodeTool, own->m_editMode);
  EXPECT_EQ("M 0,0* L 10,0*", CurveText(*own));
  view.blocks = nullptr;
}

TEST_F(CurveNodeEdit, TheReplaceByCurveToolPlacesTwoControlsThenReturnsToTheNodeTool) {
  Edit("M0,0* L10,0* L10,10* Z");
  EXPECT_FALSE(curve->ReplaceByCurve(&view));

  Edit("M0,0 L10,0* L20,0* L30,0");
  ASSERT_TRUE(curve->ReplaceByCurve(&view));
  CNodeEditState& state = GetNodeEditState();
  EXPECT_EQ(CNodeEditState::kReplaceCurve, state.dragState);
  EXPECT_EQ(15.0f, state.toolPoints[1].x);
  view.tool = 40168;
  curve->OnMouseMove(&view, 0, 5, 5);
  curve->OnLButtonUp(&view, 0, 5, 5);
  curve->OnRButtonUp(&view, 0, 5, 5);  // takes the placed point back
  curve->OnLButtonUp(&view, 0, 5, 6);
  EXPECT_EQ("M 0,0 L 10,0* L 20,0* L 30,0", Text());
  curve->OnLButtonUp(&view, 0, 25, 6);
  EXPECT_EQ("M 0,0 C 5,6 25,6 30,0", Text());
  EXPECT_EQ(kNodeTool, view.tool);
  EXPECT_EQ(CNodeEditState::kIdle, state.dragState);
}

TEST_F(CurveNodeEdit, TheContourLineToolDrawnBackOntoTheStartClosesThePath) {
  Edit("M0,0 L10,0 L10,10*");
  view.tool = 32855;
  ASSERT_TRUE(curve->HasCommand(&view, 32855));
  curve->ExecCommand(&view, 32855);
  EXPECT_EQ(1, GetNodeEditState().clickCount);
  curve->OnLButtonDown(&view, MK_LBUTTON, 0.4f, 0.3f);
  curve->OnLButtonDblClk(&view, MK_LBUTTON, 0.4f, 0.3f);
  EXPECT_EQ("M 0,0 L 10,0 L 10,10 Z", Text());
  EXPECT_EQ(0, GetNodeEditState().clickCount);

  // A Bezier drawn on an empty curve starts a sub-path of its own.
  curve.reset(new CCurveBlock);
  curve->BeginEdit(kNodeTool, &view);
  for (FPOINT p : {FPOINT{0, 0}, FPOINT{0, 5}, FPOINT{5, 5}, FPOINT{5, 0}})
    curve->OnLButtonDown(&view, MK_LBUTTON, p.x, p.y);
  EXPECT_EQ("M 0,0 C 0,5 5,5 5,0*", Text());
  curve->OnRButtonUp(&view, 0, 5, 0);
  curve->OnRButtonUp(&view, 0, 5, 0);
  EXPECT_EQ(kNodeTool, view.tool);
}

}  // namespace
