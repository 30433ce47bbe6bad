// The selection tracker on a fake view without a window: the rectangle each handle drags to, the
// angles a drag describes, the cursor each handle shows, which block a click or a band selects,
// nudges, and that undoing a move, a scale or a rotation made with the mouse puts every box and
// matrix back exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "editor/views/RulerManager.h"
#include "editor/views/SelectTracker.h"
#include "editor/views/TALVEXView.h"
#include "framework/KeyState.h"
#include "framework/Wnd.h"
#include "model/FakeBlockView.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/RectBlock.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/MatrixFactories.h"
#include "resources/Resource.h"

namespace {

CRectBlock* MakeRect(float left, float top, float right, float bottom) {
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(left, top, right, bottom);
  return rect;
}

void ExpectRect(const CFRect& expected, const CFRect& actual, const char* what) {
  EXPECT_FLOAT_EQ(expected.left, actual.left) << what;
  EXPECT_FLOAT_EQ(expected.top, actual.top) << what;
  EXPECT_FLOAT_EQ(expected.right, actual.right) << what;
  EXPECT_FLOAT_EQ(expected.bottom, actual.bottom) << what;
}

// A rectangle with handles of its own wherever ownHandles says.
class HandledRect : public CRectBlock {
public:
  BOOL HitTestHandle(CBlockView*, float x, float y, int* handle) override {
    *handle = 0;
    return x >= ownHandles.left && x <= ownHandles.right && y >= ownHandles.top &&
           y <= ownHandles.bottom;
  }
  CFRect ownHandles{-1000, -1000, -999, -999};
};

class SelectTracker : public ::testing::Test {
protected:
  void SetUp() override {
    view.blocks = &blocks;
    tracker.Attach(&view, nullptr, nullptr, true);
  }
  void TearDown() override {
    while (view.undo.GetStepCount()) view.undo.RemoveLastStep();
    blocks.DeleteAll();
  }
  CRectBlock* Add(float left, float top, float right, float bottom) {
    CRectBlock* rect = MakeRect(left, top, right, bottom);
    blocks.AddBlock(rect);
    return rect;
  }
  BOOL Press(float x, float y, UINT flags = 0) {
    return tracker.OnLButtonDown({flags | MK_LBUTTON, x, y, {0, 0}});
  }
  void Drag(float x, float y, UINT flags = 0) {
    tracker.OnMouseMove({flags | MK_LBUTTON, x, y, {0, 0}});
  }
  BOOL Release(float x, float y, UINT flags = 0) {
    return tracker.OnLButtonUp({flags, x, y, {0, 0}});
  }
  void Hover(float x, float y) { tracker.OnMouseMove({0, x, y, {0, 0}}); }
  void DragFromTo(float x1, float y1, float x2, float y2, UINT flags = 0) {
    Press(x1, y1, flags);
    Drag((x1 + x2) / 2, (y1 + y2) / 2, flags);
    Drag(x2, y2, flags);
    Release(x2, y2, flags);
  }

  FakeBlockView view{0.5};
  CSegArray blocks;
  CSelectTracker tracker;
};

TEST(SelectTrackerArithmetic, EachHandleDragsTheBoxAsTheUserExpects) {
  const CFRect box(10, 10, 110, 60);  // 100 x 50
  struct Case {
    int handle;
    float dx, dy;
    CFRect expected;
    const char* what;
  } cases[] = {
      {CSelectTracker::kMove, 5, -5, {15, 5, 115, 55}, "move"},
      {CSelectTracker::kTop, 7, 5, {10, 15, 110, 60}, "top edge scales height only"},
      {CSelectTracker::kBottom, 7, 10, {10, 10, 110, 70}, "bottom edge"},
      {CSelectTracker::kLeft, -10, 9, {0, 10, 110, 60}, "left edge scales width only"},
      {CSelectTracker::kRight, 20, 9, {10, 10, 130, 60}, "right edge"},
      {CSelectTracker::kBottomRight, 100, 50, {10, 10, 210, 110}, "corner doubles"},
      {CSelectTracker::kBottomRight, 100, 0, {10, 10, 110, 60}, "corner keeps aspect"},
      {CSelectTracker::kTopLeft, -50, -25, {-40, -15, 110, 60}, "top-left grows"},
      {CSelectTracker::kTopRight, 50, 0, {10, 10, 110, 60}, "top-right, smaller factor"},
      {CSelectTracker::kBottomLeft, -100, 50, {-90, 10, 110, 110}, "bottom-left"},
      {CSelectTracker::kBottomRight, -200, -100, {10, 10, -90, -40}, "dragged past: flips"},
      {CSelectTracker::kTopLeft, 200, 100, {210, 110, 110, 60}, "top-left flips"},
  };
  for (const Case& c : cases)
    ExpectRect(c.expected, CSelectTracker::DraggedRect(box, c.handle, c.dx, c.dy), c.what);
  // A flat box is not scaled along its missing dimension and keeps no aspect.
  ExpectRect({10, 10, 120, 10},
             CSelectTracker::DraggedRect(CFRect(10, 10, 110, 10), CSelectTracker::kBottomRight, 10,
                                         10),
             "flat box");
}

TEST(SelectTrackerArithmetic, ARotationDragTurnsThePressPointOntoThePointer) {
  const FPOINT centre{50, 50};
  const FPOINT drags[][2] = {{{60, 50}, {50, 60}},
                             {{60, 50}, {50, 40}},
                             {{50, 40}, {40, 50}},
                             {{70, 70}, {30, 70}}};
  for (const auto& drag : drags) {
    float angle = CSelectTracker::RotationAngle(centre, drag[0], drag[1]);
    FPOINT turned = drag[0];
    MakeRotationMatrix(centre.x, centre.y, angle).TransformPoint(&turned);
    float wanted = std::atan2(drag[1].y - centre.y, drag[1].x - centre.x);
    float got = std::atan2(turned.y - centre.y, turned.x - centre.x);
    EXPECT_NEAR(0.0, std::remainder(wanted - got, 6.2831853), 1e-4) << angle;
  }
}

TEST(SelectTrackerArithmetic, SkewHandlesLeanTheBoxTheWayTheyAreDraggedAboutItsCentre) {
  const CFRect box(0, 0, 100, 100);
  FPOINT top{50, 0}, right{100, 50}, centre{50, 50};
  CMatrix2D horizontal = CSelectTracker::SkewMatrix(box, CSelectTracker::kTop, {50, -10},
                                                    {60, -10});
  horizontal.TransformPoint(&top);
  EXPECT_GT(top.x, 50.0f);
  EXPECT_NEAR(0.0f, top.y, 1e-3);
  CMatrix2D vertical = CSelectTracker::SkewMatrix(box, CSelectTracker::kRight, {110, 50},
                                                  {110, 60});
  vertical.TransformPoint(&right);
  EXPECT_GT(right.y, 50.0f);
  EXPECT_NEAR(100.0f, right.x, 1e-3);
  horizontal.TransformPoint(&centre);
  EXPECT_NEAR(50.0f, centre.x, 1e-3);
  EXPECT_NEAR(50.0f, centre.y, 1e-3);
}

TEST(SelectTrackerCursors, EachHandleShowsTheCursorOfWhatItDoes) {
  using T = CSelectTracker;
  struct Case {
    WORD mode;
    int handle;
    LPCSTR system;
    UINT resource;
  } cases[] = {
      {T::kScaleMode, T::kTopLeft, IDC_SIZENWSE, 0},
      {T::kScaleMode, T::kBottomRight, IDC_SIZENWSE, 0},
      {T::kScaleMode, T::kTop, IDC_SIZENS, 0},
      {T::kScaleMode, T::kBottom, IDC_SIZENS, 0},
      {T::kScaleMode, T::kTopRight, IDC_SIZENESW, 0},
      {T::kScaleMode, T::kBottomLeft, IDC_SIZENESW, 0},
      {T::kScaleMode, T::kLeft, IDC_SIZEWE, 0},
      {T::kScaleMode, T::kRight, IDC_SIZEWE, 0},
      {T::kScaleMode, T::kMove, nullptr, 0},  // the centre square keeps the cursor
      {T::kRotateMode, T::kTopLeft, nullptr, IDC_CUR_ROTATE},
      {T::kRotateMode, T::kBottomRight, nullptr, IDC_CUR_ROTATE},
      {T::kRotateMode, T::kTop, nullptr, IDC_CUR_SKEW_HORZ},
      {T::kRotateMode, T::kBottom, nullptr, IDC_CUR_SKEW_HORZ},
      {T::kRotateMode, T::kLeft, nullptr, IDC_CUR_SKEW_VERT},
      {T::kRotateMode, T::kRight, nullptr, IDC_CUR_SKEW_VERT},
      {T::kRotateMode, T::kCentre, IDC_CROSS, 0},
      {T::kBlockHandleMode, T::kNone, nullptr, IDC_CUR_TRACKER},
  };
  for (const Case& c : cases) {
    T::Cursor cursor = T::HandleCursor(c.mode, c.handle);
    EXPECT_EQ(c.system, cursor.system) << "mode " << c.mode << " handle " << c.handle;
    EXPECT_EQ(c.resource, cursor.resource) << "mode " << c.mode << " handle " << c.handle;
  }
}

TEST_F(SelectTracker, HoveringAHandleSetsItsCursorAndASingleBlocksOwnHandlesComeFirst) {
  auto* own = new HandledRect;
  own->m_rect = own->m_box = CFRect(10, 10, 50, 30);
  blocks.AddBlock(own);
  tracker.AddToSelection(own);
  const float x = 54, y = 34;  // handle 8: 8 pixels (4 units) beyond the bottom-right corner
  Hover(x, y);
  EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZENWSE), ::GetCursor());
  EXPECT_EQ(CSelectTracker::kBottomRight, tracker.GetActiveHandle());

  own->ownHandles = CFRect(52, 32, 56, 36);
  Hover(x, y);
  HCURSOR general = ::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CUR_TRACKER));
  ASSERT_NE(nullptr, general);
  EXPECT_EQ(general, ::GetCursor());
  EXPECT_EQ(own, tracker.GetCurrentBlock());

  // With two blocks selected the tracker's handles are the only ones.
  tracker.AddToSelection(Add(20, 12, 30, 20));
  Hover(x, y);
  EXPECT_EQ(::LoadCursorA(nullptr, IDC_SIZENWSE), ::GetCursor());
}

TEST_F(SelectTracker, AReleaseIsTheSelectionToolsEvenWithNothingDragged) {
  EXPECT_TRUE(Release(10, 10));
  view.tool = 40071;
  EXPECT_FALSE(Release(10, 10));
}

TEST_F(SelectTracker, AMoveLandsOnAGuideWhileZIsHeldAndAPressWithAltIsLeftToOthers) {
  CTALVEX42Doc document;
  document.m_bAutoDelete = FALSE;  // on the stack: losing its view must not delete it
  CTALVEXView rulerView;
  document.AddView(&rulerView);
  CRulerManager rulers(&rulerView);  // scale 1: snapping reaches 5 units
  rulers.SetGuideList(&document.GetGuideLines());
  document.GetGuideLines().AddObject(new CGuideLine(0, 54, 0));
  tracker.Attach(&view, nullptr, &rulers, true);
  std::set<int> held;
  AfxKeyStateHandler previous = AfxSetKeyStateHandler(
      [&held](int key) -> SHORT { return held.count(key) ? static_cast<SHORT>(0x8000) : 0; });

  CRectBlock* rect = Add(10, 10, 30, 20);
  Press(10, 15);
  Release(10, 15);
  held = {VK_MENU};
  EXPECT_FALSE(Press(20, 15));
  EXPECT_EQ(CSelectTracker::kIdle, tracker.GetDragState());
  held = {'Z'};
  DragFromTo(20, 15, 30, 55);  // the top would come to 50, 4 units above the guide
  ExpectRect({20, 54, 40, 64}, rect->m_box, "snapped onto the guide");
  held.clear();
  DragFromTo(30, 60, 31, 62);
  ExpectRect({21, 56, 41, 66}, rect->m_box, "free again");
  AfxSetKeyStateHandler(previous);
}

// Handles are XOR squares: a change that does not erase them first leaves them on the screen.
TEST_F(SelectTracker, NoHandlesAreLeftBehindWhenABandAddsOrATransformMovesTheSelection) {
  LPCSTR white = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  view.window = CreateWindowExA(WS_EX_TOPMOST, white, "tracker", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, view.window);
  UpdateWindow(view.window);
  HDC dc = GetDC(view.window);
  const COLORREF black = RGB(0, 0, 0), paper = RGB(255, 255, 255);
  // Two pixels a unit; handles 8 pixels outside the box.
  CRectBlock* a = Add(20, 20, 40, 30);
  Add(60, 20, 80, 30);
  tracker.AddToSelection(a);
  EXPECT_EQ(black, GetPixel(dc, 88, 32)) << "top-right handle of the first block";

  DragFromTo(55, 15, 85, 35, MK_SHIFT);
  ASSERT_EQ(2, tracker.GetCount());
  EXPECT_EQ(paper, GetPixel(dc, 88, 32)) << "the first block's handle erased";
  EXPECT_EQ(black, GetPixel(dc, 168, 32)) << "top-right handle of both";

  CMatrix2D down;
  down.m[7] = 40;
  tracker.TransformSelection(down);
  EXPECT_EQ(paper, GetPixel(dc, 168, 32)) << "the handle before the move erased";
  EXPECT_EQ(black, GetPixel(dc, 168, 112)) << "top-right handle after the move";

  ReleaseDC(view.window, dc);
  tracker.Refresh(nullptr, TRUE);
  DestroyWindow(view.window);
  view.window = nullptr;
}

TEST_F(SelectTracker, AClickPicksTheFirstOutlineHitElseTheFirstBoxAroundThePoint) {
  CRectBlock* big = Add(0, 0, 100, 100);
  CRectBlock* small = Add(40, 40, 60, 60);
  EXPECT_TRUE(Press(40, 50));
  Release(40, 50);
  EXPECT_EQ(0, big->m_selected);
  EXPECT_EQ(1, small->m_selected);
  EXPECT_EQ(small, tracker.GetCurrentBlock());

  tracker.Refresh(nullptr, TRUE);
  Press(150, 150);  // nothing there: a rubber band that selects nothing
  Release(150, 150);
  EXPECT_EQ(0, tracker.GetCount());
  Press(50, 52);
  Release(50, 52);
  EXPECT_EQ(1, big->m_selected);
  EXPECT_EQ(0, small->m_selected);
  EXPECT_EQ(CSelectTracker::kScaleMode, tracker.GetMode());
}

TEST_F(SelectTracker, ShiftClickAddsAndASecondClickSwitchesToRotateHandlesAndBack) {
  CRectBlock* a = Add(0, 0, 20, 20);
  CRectBlock* b = Add(50, 0, 70, 20);
  Press(0, 10);
  Release(0, 10);
  Press(50, 10, MK_SHIFT);
  Release(50, 10, MK_SHIFT);
  EXPECT_EQ(1, a->m_selected);
  EXPECT_EQ(1, b->m_selected);
  EXPECT_EQ(2, tracker.GetCount());
  ExpectRect({0, 0, 70, 20}, tracker.GetBox(), "union box");
  EXPECT_EQ(CSelectTracker::kScaleMode, tracker.GetMode());

  // Shift-clicking a block already selected keeps it selected once, also after an undo.
  const INT_PTR steps = view.undo.GetStepCount();
  Press(50, 10, MK_SHIFT);
  Release(50, 10, MK_SHIFT);
  EXPECT_EQ(2, tracker.GetCount());
  while (view.undo.GetStepCount() > steps) view.undo.PlayLastStep(&view);
  EXPECT_EQ(1, b->m_selected);

  Press(30, 10);
  Release(31, 10);  // within the drag threshold: a click
  EXPECT_EQ(CSelectTracker::kRotateMode, tracker.GetMode());
  Press(30, 10);
  Release(30, 10);
  EXPECT_EQ(CSelectTracker::kScaleMode, tracker.GetMode());
  ExpectRect({0, 0, 70, 20}, tracker.GetBox(), "nothing moved");
}

TEST_F(SelectTracker, ARubberBandTakesOnlyBlocksStrictlyInside) {
  CRectBlock* inside = Add(10, 10, 20, 20);
  CRectBlock* touching = Add(30, 10, 40, 20);
  CRectBlock* across = Add(35, 30, 60, 40);
  DragFromTo(5, 5, 40, 45);
  EXPECT_EQ(1, inside->m_selected);
  EXPECT_EQ(0, touching->m_selected);
  EXPECT_EQ(0, across->m_selected);
  EXPECT_EQ(1, tracker.GetCount());
  EXPECT_EQ(CSelectTracker::kIdle, tracker.GetDragState());
}

TEST_F(SelectTracker, KeysNudgeTheSelectionByOneOrTenPixelsAndUndoTakesEachBack) {
  CRectBlock* rect = Add(10, 10, 20, 20);
  tracker.AddToSelection(rect);
  const float p = 0.5f;  // one pixel at the fake view's scale
  struct Nudge {
    UINT key;
    float dx, dy;
  } nudges[] = {{VK_LEFT, -p, 0},       {VK_RIGHT, p, 0},      {VK_UP, 0, -p},
                {VK_DOWN, 0, p},        {VK_HOME, -10 * p, 0}, {VK_END, 10 * p, 0},
                {VK_PRIOR, 0, -10 * p}, {VK_NEXT, 0, 10 * p}};
  for (const Nudge& nudge : nudges) {
    EXPECT_TRUE(tracker.OnKeyDown(nudge.key));
    ExpectRect({10 + nudge.dx, 10 + nudge.dy, 20 + nudge.dx, 20 + nudge.dy}, rect->m_box, "nudged");
    ASSERT_TRUE(view.undo.PlayLastStep(&view));
    ExpectRect({10, 10, 20, 20}, rect->m_box, "undone");
  }
  EXPECT_FALSE(tracker.OnKeyDown('A'));
  tracker.Refresh(nullptr, TRUE);
  EXPECT_FALSE(tracker.OnKeyDown(VK_LEFT));
}

TEST_F(SelectTracker, UndoingAMouseMoveScaleOrRotationRestoresBoxesAndMatricesExactly) {
  CRectBlock* a = Add(10, 10, 50, 30);
  CRectBlock* b = Add(60, 10, 80, 50);
  DragFromTo(0, 0, 90, 60);  // band around both
  ASSERT_EQ(2, tracker.GetCount());
  const CFRect boxA = a->m_box, boxB = b->m_box;
  const CMatrix2D matrixA = a->m_matrix, matrixB = b->m_matrix;
  auto expectRestored = [&](const char* what) {
    EXPECT_EQ(0, std::memcmp(&boxA, &a->m_box, sizeof boxA)) << what;
    EXPECT_EQ(0, std::memcmp(&boxB, &b->m_box, sizeof boxB)) << what;
    EXPECT_EQ(0, std::memcmp(matrixA.m, a->m_matrix.m, sizeof matrixA.m)) << what;
    EXPECT_EQ(0, std::memcmp(matrixB.m, b->m_matrix.m, sizeof matrixB.m)) << what;
  };

  DragFromTo(30, 20, 43.5f, 27.25f);
  ExpectRect({23.5f, 17.25f, 63.5f, 37.25f}, a->m_box, "moved");
  ASSERT_TRUE(view.undo.PlayLastStep(&view));
  expectRestored("move undone");
  tracker.Recount();  // as the view does after an undo

  // Handle 8 sits 8 pixels (4 units) beyond the bottom-right corner (80, 50).
  DragFromTo(84, 54, 119, 74);
  ExpectRect({10, 10, 115, 70}, tracker.GetBox(), "scaled by 1.5");
  ASSERT_TRUE(view.undo.PlayLastStep(&view));
  expectRestored("scale undone");

  tracker.Recount();
  Press(45, 30);
  Release(45, 30);
  ASSERT_EQ(CSelectTracker::kRotateMode, tracker.GetMode());
  DragFromTo(84, 54, 45, 90);  // the bottom-right corner swung round the centre
  EXPECT_NE(0, std::memcmp(matrixA.m, a->m_matrix.m, sizeof matrixA.m));
  ASSERT_TRUE(view.undo.PlayLastStep(&view));
  expectRestored("rotation undone");
}

TEST_F(SelectTracker, CtrlMoveLeavesACopyWithoutTouchingTheClipboard) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(::GlobalLock(text), "mine!", 6);
  ::GlobalUnlock(text);
  ::SetClipboardData(CF_TEXT, text);
  ::CloseClipboard();

  CRectBlock* rect = Add(10, 10, 30, 30);
  Press(10, 20);
  Release(10, 20);
  DragFromTo(20, 20, 60, 20, MK_CONTROL);
  ASSERT_EQ(2, blocks.GetSize());
  ExpectRect({50, 10, 70, 30}, rect->m_box, "moved original");
  CBlock* copy = blocks.GetBlock(0) == rect ? blocks.GetBlock(1) : blocks.GetBlock(0);
  EXPECT_EQ(copy, blocks.GetBlock(1)) << "copies join the end of the list, as pasted blocks do";
  ExpectRect({10, 10, 30, 30}, copy->m_box, "copy left behind");
  EXPECT_EQ(0, copy->m_selected);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  HANDLE kept = ::GetClipboardData(CF_TEXT);
  ASSERT_NE(nullptr, kept);
  EXPECT_STREQ("mine!", static_cast<const char*>(::GlobalLock(kept)));
  ::GlobalUnlock(kept);
  ::CloseClipboard();

  ASSERT_TRUE(view.undo.PlayLastStep(&view));
  EXPECT_EQ(1, blocks.GetSize());
  ExpectRect({10, 10, 30, 30}, rect->m_box, "move and copy undone");
}

TEST_F(SelectTracker, CancelRotationTurnsEachBlocksAxisBackToHorizontal) {
  CRectBlock* rect = Add(10, 10, 50, 30);
  rect->Transform(MakeRotationMatrixAboutBox(10, 10, 50, 30, 30));
  tracker.AddToSelection(rect);
  tracker.CancelRotation();
  FPOINT origin{0, 0}, axis{100, 0};
  rect->m_matrix.TransformPoint(&origin);
  rect->m_matrix.TransformPoint(&axis);
  EXPECT_NEAR(origin.y, axis.y, 1e-3);
  EXPECT_GT(axis.x, origin.x);
  EXPECT_EQ(1, view.undo.GetStepCount());
}

TEST_F(SelectTracker, DeleteRemovesTheSelectionInOneStepThatUndoPutsBack) {
  Add(0, 0, 10, 10);
  CRectBlock* b = Add(20, 0, 30, 10);
  tracker.AddToSelection(b);
  EXPECT_TRUE(tracker.DeleteSelected());
  EXPECT_EQ(1, blocks.GetSize());
  EXPECT_EQ(0, tracker.GetCount());
  EXPECT_FALSE(tracker.DeleteSelected());
  ASSERT_TRUE(view.undo.PlayLastStep(&view));
  ASSERT_EQ(2, blocks.GetSize());
  EXPECT_EQ(b, blocks.GetBlock(1));
}

}  // namespace
