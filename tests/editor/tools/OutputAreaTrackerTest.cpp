// The output-area tracker on a document's areas through a fake view without a window (scale 0.5
// page units per pixel): its hit tests, selection by press, Shift and rubber band, moves and
// handle drags with their dead zone, and the resize and scale arithmetic.
#include <gtest/gtest.h>

#include "editor/tools/OutputAreaTracker.h"
#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/blocks/OutputArea.h"
#include "model/document/AuxObjectList.h"
#include "model/document/TALVEX42Doc.h"

namespace {

void ExpectRect(const CFRect& expected, const CFRect& actual) {
  EXPECT_FLOAT_EQ(expected.left, actual.left);
  EXPECT_FLOAT_EQ(expected.top, actual.top);
  EXPECT_FLOAT_EQ(expected.right, actual.right);
  EXPECT_FLOAT_EQ(expected.bottom, actual.bottom);
}

class OutputAreaTrackerTest : public ::testing::Test {
protected:
  OutputAreaTrackerTest() : m_view(0.5), m_tracker(&m_view) {
    m_view.tool = COutputAreaTracker::kSelectTool;
    m_tracker.SetDocument(&m_document);
    m_first = Add(10, 10, 30, 20);
    m_second = Add(50, 10, 70, 20);
    m_document.SetModifiedFlag(FALSE);
  }
  COutputArea* Add(float l, float t, float r, float b) {
    COutputArea* area = new COutputArea(l, t, r, b);
    m_document.GetOutputAreas().AddObject(area);
    return area;
  }
  void Click(float x, float y, UINT flags = 0) {
    m_tracker.OnLButtonDown(flags, x, y);
    m_tracker.OnLButtonUp(flags, x, y);
  }
  void Drag(float x0, float y0, float x1, float y1, UINT flags = 0) {
    m_tracker.OnLButtonDown(flags, x0, y0);
    m_tracker.OnMouseMove(flags | MK_LBUTTON, x1, y1);
    m_tracker.OnLButtonUp(flags, x1, y1);
  }
  CFRect RectOf(COutputArea* area) { return area->Rect(); }

  FakeBlockView m_view;
  CTALVEX42Doc m_document;
  COutputAreaTracker m_tracker;
  COutputArea* m_first;
  COutputArea* m_second;
};

// Handles lie 8 pixels (4 units) outside the box, squares of 3 pixels around their points.
TEST_F(OutputAreaTrackerTest, HandlesAndTheTrackerBoxAreHitAroundTheSelection) {
  EXPECT_EQ(COutputAreaTracker::kNoHandle, m_tracker.HitTestHandle(6, 6));  // nothing selected
  Click(10, 15);
  ASSERT_EQ(1, m_tracker.GetSelectedCount());
  struct Case {
    float x, y;
    short handle;
  };
  const Case cases[] = {{6, 6, 1},   {20, 6, 2},      {34, 6, 3},    {6, 15, 4},
                        {34, 15, 5}, {6, 24, 6},      {20, 24, 7},   {34, 24, 8},
                        {20, 15, 0}, {7.4f, 7.4f, 1}, {7.6f, 6, -1}, {50, 50, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(c.handle, m_tracker.HitTestHandle(c.x, c.y)) << c.x << "," << c.y;
  EXPECT_TRUE(m_tracker.HitTracker(7.5f, 7.5f));  // 5 pixels around the box
  EXPECT_FALSE(m_tracker.HitTracker(7.4f, 15));
}

TEST_F(OutputAreaTrackerTest, PressesSelectShiftAddsAndAnotherPressReplaces) {
  EXPECT_EQ(COutputAreaTracker::kMoving, m_tracker.OnLButtonDown(0, 11, 15));  // beside the edge
  m_tracker.OnLButtonUp(0, 11, 15);
  EXPECT_EQ(m_first, m_tracker.GetCurrentArea());
  Click(50, 15, MK_SHIFT);
  EXPECT_EQ(2, m_tracker.GetSelectedCount());
  ExpectRect(CFRect(10, 10, 70, 20), m_tracker.GetBox());
  Click(70, 20);  // inside the tracker: the selection stays
  EXPECT_EQ(2, m_tracker.GetSelectedCount());
  Click(200, 200);  // beside every area: a rubber band of nothing clears it
  EXPECT_EQ(0, m_tracker.GetSelectedCount());
  Click(50, 15);
  EXPECT_EQ(1, m_tracker.GetSelectedCount());
  EXPECT_EQ(m_second, m_tracker.GetCurrentArea());
  EXPECT_EQ(CAuxObject::kNormalState, m_first->GetState());
  EXPECT_FALSE(m_document.IsModified());
}

// Only areas strictly inside the band are taken: the second one touches its right edge.
TEST_F(OutputAreaTrackerTest, ARubberBandSelectsOnlyAreasStrictlyInside) {
  EXPECT_EQ(COutputAreaTracker::kRubberBand, m_tracker.OnLButtonDown(0, 0, 0));
  m_tracker.OnMouseMove(MK_LBUTTON, 70, 30);
  m_tracker.OnLButtonUp(0, 70, 30);
  EXPECT_EQ(1, m_tracker.GetSelectedCount());
  EXPECT_EQ(CAuxObject::kSelectedState, m_first->GetState());
  EXPECT_EQ(CAuxObject::kNormalState, m_second->GetState());
  EXPECT_EQ(COutputAreaTracker::kIdle, m_tracker.GetDragState());
}

// A drag within 3 pixels (1.5 units) is a click; a longer one moves the selection, with Ctrl as
// without it: the document's blocks are neither copied nor pasted.
TEST_F(OutputAreaTrackerTest, MovesStartBeyondTheDeadZoneAndCtrlPastesNothing) {
  m_document.GetBlockList().AddBlock(MakeSquareCurve(0, 0, 5));
  Click(10, 15);
  Drag(20, 15, 21.4f, 16.4f);
  ExpectRect(CFRect(10, 10, 30, 20), RectOf(m_first));
  EXPECT_FALSE(m_document.IsModified());
  Drag(20, 15, 30, 20, MK_CONTROL);
  ExpectRect(CFRect(20, 15, 40, 25), RectOf(m_first));
  ExpectRect(CFRect(20, 15, 40, 25), m_tracker.GetBox());
  EXPECT_TRUE(m_document.IsModified());
  EXPECT_EQ(1, m_document.GetBlockList().GetSize());
  EXPECT_EQ(1, m_tracker.GetSelectedCount());
  EXPECT_FALSE(m_tracker.IsHidden());
}

TEST_F(OutputAreaTrackerTest, AHandleDragResizesTheSelectedAreas) {
  Click(10, 15);
  Click(50, 15, MK_SHIFT);  // box 10..70 x 10..20
  EXPECT_EQ(COutputAreaTracker::kHandleDrag, m_tracker.OnLButtonDown(0, 74, 15));  // handle 5
  m_tracker.OnMouseMove(MK_LBUTTON, 134, 15);
  m_tracker.OnLButtonUp(0, 134, 15);
  // The box doubles its width from its left: each area is mapped with it.
  ExpectRect(CFRect(10, 10, 130, 20), m_tracker.GetBox());
  ExpectRect(CFRect(10, 10, 50, 20), RectOf(m_first));
  ExpectRect(CFRect(90, 10, 130, 20), RectOf(m_second));
}

TEST(OutputAreaTrackerArithmetic, ResizeMovesTheHandlesSidesOnlyWhereTheBoxHasExtent) {
  const CFRect box(10, 10, 30, 20);
  struct Case {
    int handle;
    CFRect expected;
  };
  const Case cases[] = {
      {1, {15, 13, 30, 20}}, {2, {10, 13, 30, 20}}, {3, {10, 13, 35, 20}},
      {4, {15, 10, 30, 20}}, {5, {10, 10, 35, 20}}, {6, {15, 10, 30, 23}},
      {7, {10, 10, 30, 23}}, {8, {10, 10, 35, 23}}, {0, {10, 10, 30, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.handle);
    ExpectRect(c.expected, COutputAreaTracker::ResizeBox(box, c.handle, 5, 3));
  }
  // A box without width keeps its x sides; without height its y sides.
  ExpectRect(CFRect(10, 13, 10, 20),
             COutputAreaTracker::ResizeBox(CFRect(10, 10, 10, 20), 1, 5, 3));
  ExpectRect(CFRect(15, 10, 30, 10),
             COutputAreaTracker::ResizeBox(CFRect(10, 10, 30, 10), 1, 5, 3));
}

TEST(OutputAreaTrackerArithmetic, ScalingMapsRectanglesFromTheOldBoxToTheNew) {
  const CFRect from(0, 0, 10, 10), to(0, 0, 20, 5);
  ExpectRect(CFRect(10, 2.5f, 20, 5), COutputAreaTracker::MapRect(CFRect(5, 5, 10, 10), from, to));
  // Flipped past its other side, the result is normalised.
  ExpectRect(CFRect(-10, 0, 0, 10),
             COutputAreaTracker::MapRect(CFRect(0, 0, 10, 10), from, CFRect(0, 0, -10, 10)));
  // A box without width scales by 1 in x.
  ExpectRect(CFRect(7, 0, 8, 20),
             COutputAreaTracker::MapRect(CFRect(7, 0, 8, 10), CFRect(5, 0, 5, 10),
                                         CFRect(5, 0, 9, 20)));
}

TEST_F(OutputAreaTrackerTest, FlagsAndDeletionActOnTheSelectionOnly) {
  m_tracker.SetSolid(0);  // nothing selected: nothing changes
  EXPECT_TRUE(m_first->GetFlags() & CAuxObject::kSolidFlag);
  Click(10, 15);
  m_tracker.SetSolid(0);
  EXPECT_FALSE(m_first->GetFlags() & CAuxObject::kSolidFlag);
  EXPECT_TRUE(m_second->GetFlags() & CAuxObject::kSolidFlag);
  m_tracker.SetSolid(1);
  EXPECT_TRUE(m_first->GetFlags() & CAuxObject::kSolidFlag);
  EXPECT_TRUE(m_tracker.DeleteSelected());
  EXPECT_EQ(1, m_document.GetOutputAreas().GetSize());
  EXPECT_EQ(0, m_tracker.GetSelectedCount());
  EXPECT_FALSE(m_tracker.DeleteSelected());
  m_tracker.ClearAll();
  EXPECT_EQ(0, m_document.GetOutputAreas().GetSize());
}

TEST_F(OutputAreaTrackerTest, OtherToolsLeaveTheMouseToTheView) {
  m_view.tool = 40070;
  EXPECT_EQ(0, m_tracker.OnLButtonDown(0, 10, 15));
  EXPECT_EQ(0, m_tracker.OnMouseMove(MK_LBUTTON, 20, 15));
  EXPECT_EQ(0, m_tracker.OnLButtonUp(0, 20, 15));
  EXPECT_EQ(0, m_tracker.GetSelectedCount());
}

}  // namespace
