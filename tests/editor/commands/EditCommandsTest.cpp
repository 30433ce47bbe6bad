// The editing commands of the main drawing view, sent as commands to a real view in a document
// window under Xvfb. What each pins: the document after the command (list order, grouping,
// curves, positions) and that undoing its one step gives back the document exactly, byte for
// byte of every block's record; a command that cannot run leaves no step and no modified flag.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/DrawingWindow.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42App.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/ArrangeCommands.h"
#include "framework/KeyState.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/MatrixFactories.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"

namespace {

const UINT kUndoCommand = 57643;

// Sub-paths of the curve: points whose sub-path bits are the start bit alone.
int SubpathCount(const CCurveBlock& curve) {
  int count = 0;
  for (const POINTREC& point : curve.GetPoints())
    if (!IsSpecialPoint(point.flags) && (point.flags & kPointSubpathBits) == kPointStart) ++count;
  return count;
}
const UINT kDeleteCommand = 57632;
const BYTE kStartPoint = kPointStart | kPointOnCurve;

CRectBlock* MakeRect(float left, float top, float right, float bottom) {
  auto* rect = new CRectBlock;
  rect->m_rect = CFRect(left, top, right, bottom);
  rect->m_box = rect->m_rect;
  return rect;
}

// Two closed squares in one curve.
CCurveBlock* MakeTwoContourCurve(float x, float y) {
  CCurveBlock* curve = new CCurveBlock;
  curve->AddRectangle(x, y, x + 10, y + 10);
  curve->AddRectangle(x + 20, y, x + 30, y + 10);
  curve->EndCurve();
  return curve;
}

class EditCommands : public ::testing::Test {
protected:
  void SetUp() override {
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
  }
  void TearDown() override {
    AfxSetKeyStateHandler(nullptr);
    CloseDrawingWindow(app);
  }

  // Eight blocks: rectangles and curves, one of them of two contours, and a group.
  void AddMixedBlocks() {
    document->AddBlock(MakeRect(10, 10, 40, 30));
    document->AddBlock(MakeSquareCurve(50, 20, 15));
    document->AddBlock(MakeTwoContourCurve(100, 100));
    document->AddBlock(MakeRect(200, 50, 260, 90));
    auto* group = new CGroupBlock;
    group->AddChild(MakeRect(300, 300, 320, 320));
    group->AddChild(MakeSquareCurve(330, 300, 20));
    document->AddBlock(group);
    document->AddBlock(MakeSquareCurve(5, 200, 30));
    document->AddBlock(MakeRect(120, 220, 180, 240));
    document->AddBlock(MakeTwoContourCurve(150, 400));
  }
  CBlock* At(INT_PTR index) { return document->GetBlockAt(index); }
  void Select(std::initializer_list<INT_PTR> indexes) {
    for (INT_PTR i = 0; i < document->GetBlockList().GetSize(); ++i) At(i)->m_selected = 0;
    for (INT_PTR index : indexes) At(index)->m_selected = 1;
    view->GetSelectTracker().Recount();
    document->SetModifiedFlag(FALSE);
  }
  // Every block's record, in list order.
  std::vector<std::vector<BYTE>> Snapshot() {
    std::vector<std::vector<BYTE>> records;
    CSegArray& blocks = document->GetBlockList();
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i) records.push_back(RecordOf(*blocks.GetBlock(i)));
    return records;
  }
  INT_PTR Steps() { return view->GetUndoManager()->GetStepCount(); }
  void Send(UINT id) { view->SendMessage(WM_COMMAND, id); }

  CDrawingTestApp app{"TalvexEditCommandsTest"};
  CMDIFrameWnd* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
};

TEST(ArrangeOffsets, AlignmentMovesEachBlockOntoTheReferenceEdgeOrCentre) {
  const CFRect reference(10, 20, 50, 60);  // centre (30, 40)
  const CFRect box(100, 200, 120, 260);    // centre (110, 230)
  struct Case {
    UINT id;
    FPOINT offset;
  } const cases[] = {
      {ID_ALIGN_LEFT, {-90, 0}},      {ID_ALIGN_RIGHT, {-70, 0}},   {ID_ALIGN_TOP, {0, -180}},
      {ID_ALIGN_BOTTOM, {0, -200}},   {ID_ALIGN_HCENTRE, {-80, 0}}, {ID_ALIGN_VCENTRE, {0, -190}},
      {ID_ALIGN_CENTRE, {-80, -190}},
  };
  for (const Case& c : cases) {
    FPOINT offset = CArrangeCommands::AlignOffset(c.id, reference, box);
    EXPECT_FLOAT_EQ(c.offset.x, offset.x) << c.id;
    EXPECT_FLOAT_EQ(c.offset.y, offset.y) << c.id;
  }
  // A box stored with its corners swapped aligns by its real edges.
  FPOINT swapped = CArrangeCommands::AlignOffset(ID_ALIGN_LEFT, reference,
                                                 CFRect(120, 260, 100, 200));
  EXPECT_FLOAT_EQ(-90, swapped.x);
}

TEST(ArrangeOffsets, PageAlignmentWithShiftReachesTheFourCorners) {
  const CFRect box(100, 200, 140, 260);
  const float width = 400, height = 900;
  struct Case {
    UINT id;
    bool shift;
    FPOINT offset;
  } const cases[] = {
      {ID_PAGE_ALIGN_LEFT, false, {-100, 0}},  {ID_PAGE_ALIGN_LEFT, true, {-100, -200}},
      {ID_PAGE_ALIGN_RIGHT, false, {260, 0}},  {ID_PAGE_ALIGN_RIGHT, true, {260, -200}},
      {ID_PAGE_ALIGN_TOP, false, {0, -200}},   {ID_PAGE_ALIGN_TOP, true, {-100, 640}},
      {ID_PAGE_ALIGN_BOTTOM, false, {0, 640}}, {ID_PAGE_ALIGN_BOTTOM, true, {260, 640}},
      {ID_PAGE_ALIGN_HCENTRE, true, {80, 0}},  {ID_PAGE_ALIGN_VCENTRE, false, {0, 220}},
      {ID_PAGE_CENTRE, true, {80, 220}},
  };
  for (const Case& c : cases) {
    FPOINT offset = CArrangeCommands::PageAlignOffset(c.id, c.shift, box, width, height);
    EXPECT_FLOAT_EQ(c.offset.x, offset.x) << c.id << " shift " << c.shift;
    EXPECT_FLOAT_EQ(c.offset.y, offset.y) << c.id << " shift " << c.shift;
  }
}

TEST_F(EditCommands, EachCommandChangesTheDocumentInOneStepWhoseUndoRestoresItExactly) {
  struct Case {
    UINT id;
    std::initializer_list<INT_PTR> selected;
  } const cases[] = {
      {ID_EDIT_GROUP, {5, 2, 7}},
      {ID_EDIT_UNGROUP, {4, 6}},
      {ID_CURVE_COMBINE, {0, 2, 4}},
      {ID_CURVE_CONVERT, {0, 3, 4}},
      {ID_CONTOUR_COMBINE, {1, 2, 7}},
      {ID_CONTOUR_SPLIT, {2, 3, 7}},
      {ID_ALIGN_LEFT, {6, 1, 3}},
      {ID_ALIGN_CENTRE, {2, 4}},
      {ID_ALIGN_BOTTOM, {0, 7}},
      {ID_PAGE_ALIGN_RIGHT, {1, 5}},
      {ID_PAGE_CENTRE, {3}},
      {ID_EDIT_TO_BACK, {0, 3, 5}},
      {ID_EDIT_TO_FRONT, {2, 6, 7}},
      {ID_TRANSFORM_ROTATE_90, {1, 4}},
      {ID_TRANSFORM_MIRROR_HORZ, {2, 3}},
      {ID_EDIT_SOLID, {0, 1}},
      {kDeleteCommand, {1, 4, 6}},
  };
  for (const Case& c : cases) {
    document->GetBlockList().DeleteAll();
    AddMixedBlocks();
    Select(c.selected);
    const auto before = Snapshot();
    const INT_PTR steps = Steps();
    Send(c.id);
    EXPECT_EQ(steps + 1, Steps()) << c.id;
    EXPECT_TRUE(document->IsModified()) << c.id;
    EXPECT_NE(before, Snapshot()) << c.id;
    Send(kUndoCommand);
    EXPECT_EQ(before, Snapshot()) << c.id;
  }
}

TEST_F(EditCommands, GroupingKeepsListOrderAndUndoPutsEachBlockBackAtItsIndex) {
  AddMixedBlocks();
  std::vector<CBlock*> original;
  for (INT_PTR i = 0; i < 8; ++i) original.push_back(At(i));
  Select({5, 2, 7});
  Send(ID_EDIT_GROUP);
  ASSERT_EQ(6, document->GetBlockList().GetSize());
  ASSERT_EQ(kGroupBlock, At(5)->m_type);
  auto* group = static_cast<CGroupBlock*>(At(5));
  ASSERT_EQ(3, group->GetChildCount());
  EXPECT_EQ(original[2], group->GetChild(0));
  EXPECT_EQ(original[5], group->GetChild(1));
  EXPECT_EQ(original[7], group->GetChild(2));
  EXPECT_EQ(1, group->m_selected);

  Send(kUndoCommand);
  for (INT_PTR i = 0; i < 8; ++i) EXPECT_EQ(original[i], At(i)) << i;
}

TEST_F(EditCommands, CommandsWhosePreconditionFailsLeaveNoStepAndNoChange) {
  AddMixedBlocks();
  struct Case {
    UINT id;
    std::initializer_list<INT_PTR> selected;
  } const cases[] = {
      {ID_EDIT_GROUP, {3}},
      {ID_CONTOUR_COMBINE, {1, 3}},
      {ID_CONTOUR_SPLIT, {0}},
      {ID_EDIT_UNGROUP, {0, 1}},
      {ID_ALIGN_LEFT, {2}},
      {ID_CURVE_COMBINE, {}},
      {ID_EDIT_TO_FRONT, {0, 1, 2, 3, 4, 5, 6, 7}},
  };
  for (const Case& c : cases) {
    Select(c.selected);
    const auto before = Snapshot();
    const INT_PTR steps = Steps();
    Send(c.id);
    EXPECT_EQ(before, Snapshot()) << c.id;
    EXPECT_EQ(steps, Steps()) << c.id;
    EXPECT_FALSE(document->IsModified()) << c.id;
  }
  // Send to back needs two blocks in the document.
  document->GetBlockList().DeleteAll();
  document->AddBlock(MakeRect(0, 0, 10, 10));
  Select({0});
  Send(ID_EDIT_TO_BACK);
  EXPECT_FALSE(document->IsModified());
}

TEST_F(EditCommands, CurvesContoursAndUngroupGiveTheBlocksAUserExpects) {
  document->AddBlock(MakeRect(10, 10, 40, 30));
  Select({0});
  Send(ID_EDIT_SOLID);
  Send(ID_CURVE_CONVERT);
  ASSERT_EQ(1, document->GetBlockList().GetSize());
  EXPECT_EQ(kCurveBlock, At(0)->m_type);  // one curve, not a group of one
  EXPECT_EQ(1, At(0)->m_selected);
  EXPECT_EQ(kSolidAttr, At(0)->m_attributes & kSolidAttr);  // still filled

  document->AddBlock(MakeTwoContourCurve(100, 100));
  Select({0, 1});
  Send(ID_CONTOUR_COMBINE);
  ASSERT_EQ(1, document->GetBlockList().GetSize());
  auto* combined = static_cast<CCurveBlock*>(At(0));
  EXPECT_EQ(3, SubpathCount(*combined));

  Select({0});
  Send(ID_CONTOUR_SPLIT);
  ASSERT_EQ(3, document->GetBlockList().GetSize());
  for (INT_PTR i = 0; i < 3; ++i) {
    EXPECT_EQ(1, SubpathCount(*static_cast<CCurveBlock*>(At(i))));
    EXPECT_EQ(1, At(i)->m_selected);
  }

  // A placed group hands its matrix down: the children stay where the group showed them.
  document->GetBlockList().DeleteAll();
  auto* group = new CGroupBlock;
  group->AddChild(MakeRect(0, 0, 10, 10));
  group->AddChild(MakeRect(20, 0, 30, 10));
  group->FitToRect(100, 50, 130, 60);
  document->AddBlock(group);
  Select({0});
  Send(ID_EDIT_UNGROUP);
  ASSERT_EQ(2, document->GetBlockList().GetSize());
  EXPECT_FLOAT_EQ(100, At(0)->m_box.left);
  EXPECT_FLOAT_EQ(120, At(1)->m_box.left);
  EXPECT_FLOAT_EQ(50, At(1)->m_box.top);
}

TEST_F(EditCommands, UndoingTheUngroupOfAPlacedGroupGivesTheGroupBackAsItWas) {
  // Placed as a group read from a file is: its matrix stretches unevenly, turns and moves its
  // children, so that a child transformed twice, or not put back, shows.
  auto* group = new CGroupBlock;
  group->AddChild(MakeRect(0, 0, 10, 10));
  group->AddChild(MakeSquareCurve(20, 5, 10));
  CMatrix2D placing = MakeRotationMatrixAboutBox(0, 0, 30, 15, 30.0f);
  CMatrix2D stretch;
  stretch.m[0] = 2.0f;
  stretch.m[4] = 0.5f;
  stretch.m[6] = 100.0f;
  stretch.m[7] = 50.0f;
  placing.Multiply(stretch);
  group->m_matrix = placing;
  group->m_box = CFRect(0, 0, 30, 15);
  placing.TransformFRect(&group->m_box);
  document->AddBlock(MakeRect(300, 300, 310, 320));
  document->AddBlock(group);
  ASSERT_FALSE(group->m_matrix.IsIdentity());
  Select({1});
  const std::vector<std::vector<BYTE>> before = Snapshot();
  for (int run = 0; run < 2; ++run) {
    Send(ID_EDIT_UNGROUP);
    ASSERT_EQ(3, document->GetBlockList().GetSize()) << run;
    EXPECT_NE(before, Snapshot()) << run;
    Send(kUndoCommand);
    ASSERT_EQ(2, document->GetBlockList().GetSize()) << run;
    EXPECT_EQ(before, Snapshot()) << run;
    EXPECT_EQ(kGroupBlock, At(1)->m_type) << run;
    Select({1});
  }
}

TEST_F(EditCommands, AlignmentFollowsListOrderAndShiftTakesTheTopCommandToTheBottomLeftCorner) {
  document->AddBlock(MakeRect(50, 50, 70, 70));
  document->AddBlock(MakeRect(10, 100, 30, 120));
  document->AddBlock(MakeRect(80, 150, 90, 160));
  Select({2, 0, 1});
  Send(ID_ALIGN_LEFT);
  for (INT_PTR i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(50, At(i)->m_box.left) << i;

  AfxSetKeyStateHandler([](int key) -> SHORT { return key == VK_SHIFT ? SHORT(0x8000) : 0; });
  Send(ID_PAGE_ALIGN_TOP);
  const CPageSettings& page = document->GetPageSettings();
  CFRect box;
  view->GetSelectTracker().Recount(&box);
  EXPECT_FLOAT_EQ(0, box.left);
  EXPECT_FLOAT_EQ(page.m_height, box.bottom);
}

TEST_F(EditCommands, ZoomInAtTheCursorHalvesTheViewAroundItsPointAndShowAllWidensToThePage) {
  CRulerManager* rulers = view->GetRulerManager();
  ASSERT_NE(nullptr, rulers);
  Send(ID_VIEW_WHOLE_PAGE);
  const double pageScale = view->GetScale();
  // Show all on an empty document changes nothing; blocks inside the page show the whole page.
  Send(ID_VIEW_ZOOM_IN_2X);
  const double zoomed = view->GetScale();
  Send(ID_VIEW_SHOW_ALL);
  EXPECT_DOUBLE_EQ(zoomed, view->GetScale());
  document->AddBlock(MakeRect(20, 20, 60, 60));
  Send(ID_VIEW_SHOW_ALL);
  EXPECT_DOUBLE_EQ(pageScale, view->GetScale());

  RECT client;
  view->GetClientRect(&client);
  const POINT middle = {(client.right + CTALVEX42View::kRulerThickness) / 2,
                        (client.bottom + CTALVEX42View::kRulerThickness) / 2};
  const POINT cursor = {middle.x + 40, middle.y + 30};
  POINT screen = cursor;
  view->ClientToScreen(&screen);
  ASSERT_TRUE(::SetCursorPos(screen.x, screen.y));
  for (int time = 1; time <= 2; ++time) {
    float x, y;
    view->DeviceToPage(cursor.x, cursor.y, &x, &y);
    const CFRect before = rulers->GetVisiblePageRect();
    Send(ID_VIEW_ZOOM_IN_2X);
    const CFRect after = rulers->GetVisiblePageRect();
    const double tolerance = 3 * view->GetScale();
    EXPECT_NEAR((before.right - before.left) / 2, after.right - after.left, tolerance) << time;
    EXPECT_NEAR((before.bottom - before.top) / 2, after.bottom - after.top, tolerance) << time;
    // The point under the cursor is now in the middle of the drawing area.
    float middleX, middleY;
    view->DeviceToPage(middle.x, middle.y, &middleX, &middleY);
    EXPECT_NEAR(x, middleX, tolerance) << time;
    EXPECT_NEAR(y, middleY, tolerance) << time;
  }
}

TEST_F(EditCommands, ShowAllKeepsADrawingFarLargerThanThePageWholeInsideTheClientArea) {
  // Drawings in metres as they merge: a frame of 0.5 x 3 m with a circle in it, and one of
  // 3 x 0.5 m; the one fills the client area's height, the other its width.
  const CFRect drawings[][2] = {{{100, 50, 600, 3050}, {150, 2650, 450, 2950}},
                                {{50, 100, 3050, 600}, {150, 250, 450, 550}}};
  RECT client;
  view->GetClientRect(&client);
  for (const auto& boxes : drawings) {
    document->GetBlockList().DeleteAll();
    for (const CFRect& box : boxes)
      document->AddBlock(MakeRect(box.left, box.top, box.right, box.bottom));
    Send(ID_VIEW_SHOW_ALL);
    // The first and the last pixel of the drawing area, in page units.
    CFRect visible;
    view->DeviceRectToPage(CTALVEX42View::kRulerThickness, CTALVEX42View::kRulerThickness,
                           client.right - 1, client.bottom - 1, &visible);
    for (const CFRect& box : boxes)
      EXPECT_TRUE(box.IsInside(visible.left, visible.top, visible.right, visible.bottom))
          << box.right << " x " << box.bottom << " in " << visible.right << " x " << visible.bottom;
  }
}

TEST_F(EditCommands, AutomaticSpacingTogglesTheProgramWideSwitchEachTime) {
  const BOOL before = theApp.IsAutoFill();
  Send(ID_TEXT_AUTO_FILL);
  EXPECT_EQ(!before, theApp.IsAutoFill());
  Send(ID_TEXT_AUTO_FILL);
  EXPECT_EQ(before, theApp.IsAutoFill());
}

}  // namespace
