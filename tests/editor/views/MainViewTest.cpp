// The main drawing view in a document window under Xvfb: what it paints and in which order, where
// input goes (commands, typed characters, the mouse, timers), and that a user action marks the
// document modified exactly when it changed something. Blocks are honest fakes that record what
// the view asks of them; the end-to-end case saves a document of real blocks, opens it through the
// document template and reads the view's pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editor/DrawingWindow.h"
#include "editor/TALVEX42View.h"
#include "framework/CmdUI.h"
#include "framework/InvalidArgException.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/OutputArea.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoAttrRecord.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessagePump.h"
#include "support/MouseDrag.h"
#include "support/TempFolder.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

const UINT kStatusPointer = 32838;
const UINT kUndoCommand = 57643;
const BYTE kStartPoint = kPointStart | kPointOnCurve;

// A main window that keeps the pointer positions the view reports.
class PointerRecordingFrame : public CMDIFrameWnd {
public:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == kStatusPointer && lParam) {
      const float* point = reinterpret_cast<const float*>(lParam);
      pointers.push_back({point[0], point[1]});
      return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
  }
  std::vector<FPOINT> pointers;
};

// One log of who was asked what, shared by the fakes of a test.
std::vector<std::string> g_log;

// A block that logs its drawing and the edit events the view gives it; typed characters and
// timers are taken as a text block under edit would take them, recording an undo record per
// character.
class RecordingBlock : public CBlock {
public:
  RecordingBlock(const char* name, CFRect box, BYTE type = kCurveBlock) : m_name(name) {
    m_box = box;
    m_type = type;
  }
  void Draw(CDC*, CMatrix2D*, int) override { g_log.push_back(m_name); }
  BOOL OnLButtonDown(CBlockView*, UINT, float, float) override { return Log("edit press"); }
  BOOL OnMouseMove(CBlockView*, UINT, float, float) override { return Log("edit move"); }
  BOOL OnLButtonUp(CBlockView*, UINT, float, float) override { return Log("edit release"); }
  BOOL OnRButtonDown(CBlockView*, UINT, float, float) override { return Log("edit right"); }
  BOOL TextOnChar(CBlockView* view, UINT ch, UINT) override {
    characters.push_back(ch);
    if (IsRecording(view)) RecordUndo(view, new CUndoAttrRecord(this, m_attributes));
    return TRUE;
  }
  BOOL OnTimer(CBlockView*, UINT_PTR timer) override {
    timers.push_back(timer);
    return takesTimers;
  }

  std::vector<UINT> characters;
  std::vector<UINT_PTR> timers;
  BOOL takesEvents = FALSE;
  BOOL takesTimers = TRUE;

private:
  BOOL Log(const char* what) {
    g_log.push_back(what);
    return takesEvents;
  }
  std::string m_name;
};

class RecordingTarget : public CViewMouseTarget {
public:
  explicit RecordingTarget(const char* name) : m_name(name) {}
  BOOL OnLButtonDown(const Event&) override { return Log(" press"); }
  BOOL OnMouseMove(const Event&) override { return Log(" move"); }
  BOOL OnLButtonUp(const Event&) override { return Log(" release"); }
  BOOL OnRButtonDown(const Event&) override { return Log(" right"); }
  BOOL takes = FALSE;

private:
  BOOL Log(const char* what) {
    g_log.push_back(m_name + what);
    return takes;
  }
  std::string m_name;
};

class ItemRecorder : public CCmdUI {
public:
  void Enable(BOOL on) override { enabled = on; }
  BOOL enabled = -1;
};

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<short>(x), static_cast<short>(y)); }

class MainView : public ::testing::Test {
protected:
  void SetUp() override {
    g_log.clear();
    frame = new PointerRecordingFrame;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
  }
  void TearDown() override { CloseDrawingWindow(app); }
  void FindView() {
    document = static_cast<CTALVEX42Doc*>(frame->GetActiveDocument());
    ASSERT_NE(nullptr, document);
    view = static_cast<CTALVEX42View*>(frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(nullptr, view);
  }
  RecordingBlock* Add(const char* name, CFRect box, BYTE type = kCurveBlock) {
    auto* block = new RecordingBlock(name, box, type);
    document->AddBlock(block);
    return block;
  }
  // Repaints the whole view at once and returns the names of the blocks drawn, in order.
  std::vector<std::string> Repaint(const RECT* area = nullptr) {
    PumpMessages();
    g_log.clear();
    view->InvalidateRect(area, FALSE);
    view->UpdateWindow();
    return g_log;
  }
  FPOINT PageOf(int x, int y) {
    FPOINT page;
    view->DeviceToPage(x, y, &page.x, &page.y);
    return page;
  }
  POINT PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }
  void Press(UINT message, UINT flags, POINT at) {
    view->SendMessage(message, flags, At(at.x, at.y));
  }
  // Blackens the area and repaints it alone: it shows again what the window showed before.
  void ExpectRepaintedAlikeAlone(RECT area) {
    std::vector<DWORD> before = ClientPixels(view->m_hWnd, area);
    HDC dc = ::GetDC(view->m_hWnd);
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(view->m_hWnd, dc);
    Repaint(&area);
    EXPECT_EQ(before, ClientPixels(view->m_hWnd, area))
        << "area at " << area.left << ", " << area.top;
  }

  CDrawingTestApp app{"TalvexMainViewTest"};
  PointerRecordingFrame* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
  TempFolder folder;
};

TEST(MainViewPainting, ABlockIsPaintedUnlessDraggedOfType240OrWhollyOutsideTheArea) {
  const CFRect area(100, 100, 200, 200);
  struct Case {
    CFRect box;
    BYTE type;
    int selected;
    bool painted;
  };
  const Case cases[] = {
      {CFRect(120, 120, 180, 180), kCurveBlock, 0, true},
      {CFRect(120, 120, 180, 180), kCurveBlock, 1, true},
      {CFRect(120, 120, 180, 180), kCurveBlock, CTALVEX42View::kHiddenWhileDragged, false},
      {CFRect(120, 120, 180, 180), CTALVEX42View::kUnpaintedType, 0, false},
      // Touching an edge is meeting the area.
      {CFRect(200, 120, 250, 180), kCurveBlock, 0, true},
      {CFRect(50, 50, 100, 100), kCurveBlock, 0, true},
      {CFRect(200.5f, 120, 250, 180), kCurveBlock, 0, false},
      {CFRect(50, 50, 99.5f, 150), kCurveBlock, 0, false},
      {CFRect(120, 200.5f, 180, 250), kCurveBlock, 0, false},
      {CFRect(120, 50, 180, 99.5f), kCurveBlock, 0, false},
      // A box around the whole area.
      {CFRect(0, 0, 300, 300), kCurveBlock, 0, true},
  };
  for (const Case& c : cases) {
    RecordingBlock block("b", c.box, c.type);
    block.m_selected = c.selected;
    EXPECT_EQ(c.painted, CTALVEX42View::IsPainted(block, area)) << "case " << (&c - cases);
  }
}

TEST_F(MainView, PaintsTheBlocksFromTheLastToTheFirstSkippingThoseItMustNot) {
  Add("first", CFRect(20, 20, 60, 60));
  Add("second", CFRect(40, 40, 80, 80));
  Add("dragged", CFRect(40, 40, 80, 80))->m_selected = CTALVEX42View::kHiddenWhileDragged;
  Add("never", CFRect(40, 40, 80, 80), CTALVEX42View::kUnpaintedType);
  Add("far away", CFRect(90000, 90000, 90010, 90010));
  Add("last", CFRect(10, 10, 30, 30));
  EXPECT_EQ((std::vector<std::string>{"last", "second", "first"}), Repaint());

  // A repaint of a small area asks only the blocks that meet it.
  POINT corner = PixelOf(70, 70);
  RECT small = {corner.x, corner.y, corner.x + 4, corner.y + 4};
  EXPECT_EQ((std::vector<std::string>{"second"}), Repaint(&small));
}

// A block's pixels may lie a little past its box: blocks within the margin of every edge are
// drawn too, exactly up to 3 pixels, and none further.
TEST_F(MainView, APartialRepaintAlsoAsksBlocksAFewPixelsShortOfItsAreaAndNoOthers) {
  POINT corner = PixelOf(100, 100);
  const RECT small = {corner.x, corner.y, corner.x + 6, corner.y + 5};
  // Boxes 5 x 2 page units that end (left, top) or begin (right, bottom) pixels off the edge;
  // the right and bottom edges are the first pixels outside the area.
  auto leftOf = [&](int pixels) {
    FPOINT end = PageOf(small.left - pixels, small.top + 2);
    return CFRect(end.x - 5, end.y - 1, end.x, end.y + 1);
  };
  auto above = [&](int pixels) {
    FPOINT end = PageOf(small.left + 3, small.top - pixels);
    return CFRect(end.x - 1, end.y - 5, end.x + 1, end.y);
  };
  auto rightOf = [&](int pixels) {
    FPOINT start = PageOf(small.right + pixels, small.top + 2);
    return CFRect(start.x, start.y - 1, start.x + 5, start.y + 1);
  };
  auto below = [&](int pixels) {
    FPOINT start = PageOf(small.left + 3, small.bottom + pixels);
    return CFRect(start.x - 1, start.y, start.x + 1, start.y + 5);
  };
  const struct {
    const char* name;
    CFRect box;
    bool drawn;
  } cases[] = {
      {"a pixel left", leftOf(1), true},    {"3 left", leftOf(3), true},
      {"4 left", leftOf(4), false},         {"far left", leftOf(12), false},
      {"3 above", above(3), true},          {"4 above", above(4), false},
      {"3 right", rightOf(3), true},        {"4 right", rightOf(4), false},
      {"two pixels below", below(2), true}, {"3 below", below(3), true},
      {"4 below", below(4), false},         {"far below", below(12), false},
  };
  std::vector<std::string> expected;
  for (const auto& c : cases) {
    Add(c.name, c.box);
    // The view draws the list from its end.
    if (c.drawn) expected.insert(expected.begin(), c.name);
  }
  RECT area = small;
  EXPECT_EQ(expected, Repaint(&area));
}

TEST_F(MainView, FindsTheFirstBlockUnderAPointOfAType) {
  Add("curve", CFRect(0, 0, 100, 100));
  Add("text", CFRect(50, 50, 150, 150), kTextBlock);
  INT_PTR index = 7;
  EXPECT_EQ(document->GetBlockAt(0), view->FindBlockAt(60, 60, 0, &index));
  EXPECT_EQ(0, index);
  EXPECT_EQ(document->GetBlockAt(1), view->FindBlockAt(60, 60, kTextBlock, &index));
  EXPECT_EQ(1, index);
  EXPECT_EQ(nullptr, view->FindBlockAt(120, 120, kCurveBlock, &index));
  EXPECT_EQ(-1, index);
  EXPECT_EQ(nullptr, view->FindBlockAt(200, 10, 0, &index));
  EXPECT_EQ(-1, index);

  // The text block is found; its characters cannot answer yet.
  int character = 5;
  EXPECT_EQ(0, view->HitTestTextBlock(60, 60, &index, &character, 0));
  EXPECT_EQ(1, index);
  EXPECT_EQ(-1, character);

  EXPECT_EQ(document->GetBlockAt(1), view->GetBlock(1));
  for (INT_PTR outside : {INT_PTR(-1), INT_PTR(2)}) {
    try {
      view->GetBlock(outside);
      ADD_FAILURE() << "no exception for index " << outside;
    } catch (CInvalidArgException* error) {
      error->Delete();
    }
  }
}

TEST_F(MainView, TheMouseReachesTrackersTheEditedBlockAndTheToolInOrder) {
  RecordingTarget areas("areas"), tracker("tracker"), tool("tool");
  view->SetMouseTarget(CTALVEX42View::kOutputAreaTracker, &areas);
  view->SetMouseTarget(CTALVEX42View::kSelectionTracker, &tracker);
  view->SetMouseTarget(CTALVEX42View::kCurrentTool, &tool);
  RecordingBlock* edited = Add("edited", CFRect(0, 0, 50, 50));
  view->SetEditBlock(edited);
  document->SetModifiedFlag(FALSE);
  POINT inside = PixelOf(100, 100);

  g_log.clear();
  Press(WM_LBUTTONDOWN, MK_LBUTTON, inside);
  Press(WM_MOUSEMOVE, MK_LBUTTON, inside);
  Press(WM_LBUTTONUP, 0, inside);
  Press(WM_RBUTTONDOWN, MK_RBUTTON, inside);
  EXPECT_EQ((std::vector<std::string>{"areas press", "edit press", "tracker press", "tool press",
                                      "areas move", "tracker move", "edit move", "tool move",
                                      "areas release", "tracker release", "edit release",
                                      "tool release", "tracker right", "edit right", "tool right"}),
            g_log);

  // The first that takes an event ends it.
  edited->takesEvents = TRUE;
  tracker.takes = TRUE;
  g_log.clear();
  Press(WM_LBUTTONDOWN, MK_LBUTTON, inside);
  Press(WM_MOUSEMOVE, MK_LBUTTON, inside);
  EXPECT_EQ((std::vector<std::string>{"areas press", "edit press", "areas move", "tracker move"}),
            g_log);
  Press(WM_LBUTTONUP, 0, inside);

  // Every move reports the page point to the main window.
  ASSERT_FALSE(frame->pointers.empty());
  EXPECT_NEAR(100.0f, frame->pointers.back().x, view->GetScale());
  EXPECT_NEAR(100.0f, frame->pointers.back().y, view->GetScale());
  EXPECT_FALSE(document->IsModified());
}

TEST_F(MainView, TypedCharactersGoToTheEditedBlockADoubleByteOneAsOneUndoStep) {
  RecordingBlock* edited = Add("edited", CFRect(0, 0, 50, 50));
  document->SetModifiedFlag(FALSE);
  // Nothing under edit: the character is dropped.
  view->SendMessage(WM_CHAR, 'A', 1);
  EXPECT_TRUE(edited->characters.empty());
  EXPECT_FALSE(document->IsModified());

  edited->m_editMode = kTextTool;
  view->SetEditBlock(edited);
  view->SendMessage(WM_CHAR, 'A', 1);
  // "中" in GBK comes as a lead and a trail byte.
  view->SendMessage(WM_CHAR, 0xD6, 1);
  view->SendMessage(WM_CHAR, 0xD0, 1);
  view->SendMessage(WM_IME_CHAR, 0xCEC4, 1);
  EXPECT_EQ((std::vector<UINT>{'A', 0xD6D0, 0xCEC4}), edited->characters);
  EXPECT_EQ(3, view->GetUndoManager()->GetStepCount());
  EXPECT_TRUE(document->IsModified());
}

TEST_F(MainView, APaletteColourIsOneUndoStepAndColourNothingLeavesTheDocumentUnmodified) {
  CCurveBlock* first = MakeSquareCurve(10, 10, 20, 0x0000FF);
  CCurveBlock* second = MakeSquareCurve(40, 10, 20, 0x00FF00);
  CCurveBlock* untouched = MakeSquareCurve(70, 10, 20, 0x000000);
  for (CBlock* block :
       {static_cast<CBlock*>(first), static_cast<CBlock*>(second), static_cast<CBlock*>(untouched)})
    document->AddBlock(block);
  document->SetModifiedFlag(FALSE);

  view->SendMessage(WM_COMMAND, CTALVEX42View::kColourCommand, 0xFF0000);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(0, view->GetUndoManager()->GetStepCount());

  first->m_selected = second->m_selected = 1;
  view->SendMessage(WM_COMMAND, CTALVEX42View::kColourCommand, 0xFF0000);
  EXPECT_EQ(0xFF0000u, first->GetColour());
  EXPECT_EQ(0xFF0000u, second->GetColour());
  EXPECT_EQ(0x000000u, untouched->GetColour());
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(1, view->GetUndoManager()->GetStepCount());

  ItemRecorder undo;
  undo.m_nID = kUndoCommand;
  undo.DoUpdate(view, TRUE);
  EXPECT_TRUE(undo.enabled);
  view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_EQ(0x0000FFu, first->GetColour());
  EXPECT_EQ(0x00FF00u, second->GetColour());
  EXPECT_EQ(0, view->GetUndoManager()->GetStepCount());
  undo.DoUpdate(view, TRUE);
  EXPECT_FALSE(undo.enabled);
}

TEST_F(MainView, CommandsTheSelectionDoesNotAllowAreDisabledAndDoNothingWhenSentAnyway) {
  CCurveBlock* a = MakeSquareCurve(10, 10, 20);
  CCurveBlock* b = MakeSquareCurve(40, 10, 20);
  document->AddBlock(a);
  document->AddBlock(b);
  a->m_selected = b->m_selected = 1;
  document->SetModifiedFlag(FALSE);
  for (UINT id :
       {UINT(ID_ART_TRANSFORM_CANCEL), UINT(ID_TEXT_ARC), UINT(ID_OUTLINE_UNCROSS_TEXT)}) {
    ItemRecorder item;
    item.m_nID = id;
    EXPECT_TRUE(item.DoUpdate(view, TRUE)) << id;
    EXPECT_FALSE(item.enabled) << id;
    view->SendMessage(WM_COMMAND, id);
  }
  PumpMessages();
  EXPECT_EQ(2, document->GetBlockList().GetSize());
  EXPECT_EQ(CTALVEX42View::kSelectTool, view->GetCurrentTool());
  EXPECT_FALSE(document->IsModified());
}

TEST_F(MainView, OutputAreaCommandsAnswerBeforeTheTableAndTheAreasTakeTheMouse) {
  auto* area = new COutputArea(100, 100, 300, 200);
  document->GetOutputAreas().AddObject(area);
  document->SetModifiedFlag(FALSE);
  auto enabled = [this](UINT id) {
    ItemRecorder item;
    item.m_nID = id;
    item.DoUpdate(view, TRUE);
    return item.enabled;
  };
  // The table alone would grey these in the selection tool; the cut output is the view's own.
  EXPECT_TRUE(enabled(ID_OUTPUT_AREA_TOOL));
  EXPECT_TRUE(enabled(ID_OUTPUT_AREA_CLEAR));
  EXPECT_TRUE(enabled(ID_FILE_CUT_OUTPUT));
  EXPECT_FALSE(enabled(ID_EDIT_SOLID));  // nothing selected, not in the area tools

  view->SendMessage(WM_COMMAND, ID_OUTPUT_AREA_TOOL);
  EXPECT_EQ(ID_OUTPUT_AREA_SELECT, view->GetCurrentTool());
  EXPECT_FALSE(enabled(ID_EDIT_SOLID));
  Press(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(200, 150));
  Press(WM_LBUTTONUP, 0, PixelOf(200, 150));
  EXPECT_TRUE(enabled(ID_EDIT_SOLID));
  EXPECT_TRUE(enabled(ID_EDIT_HOLLOW));
  view->SendMessage(WM_COMMAND, ID_EDIT_SOLID);
  EXPECT_NE(0, area->GetFlags() & CAuxObject::kSolidFlag);

  // Clearing them is a change of its own, which a close must not lose.
  document->SetModifiedFlag(FALSE);
  view->SendMessage(WM_COMMAND, ID_OUTPUT_AREA_CLEAR);
  EXPECT_EQ(0, document->GetOutputAreas().GetSize());
  EXPECT_TRUE(document->IsModified());
}

TEST_F(MainView, TheRelayoutTimerGoesToTheEditedBlockAndIsKilledWhenNobodyTakesIt) {
  RecordingBlock* edited = Add("edited", CFRect(0, 0, 50, 50));
  view->SetEditBlock(edited);
  view->StartRelayoutTimer();
  ::Sleep(2 * CTALVEX42View::kRelayoutDelay);
  PumpMessages();
  ASSERT_FALSE(edited->timers.empty());
  EXPECT_EQ(CTALVEX42View::kRelayoutTimer, edited->timers.front());

  edited->takesTimers = FALSE;
  ::Sleep(2 * CTALVEX42View::kRelayoutDelay);
  PumpMessages();
  // Declined once, the timer is gone.
  EXPECT_FALSE(::KillTimer(view->m_hWnd, CTALVEX42View::kRelayoutTimer));
}

// Searches a 5 x 5 neighbourhood: the outline may fall a pixel either side of the mapped point.
bool ColourNear(HDC dc, POINT at, COLORREF colour) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      if (::GetPixel(dc, at.x + dx, at.y + dy) == colour) return true;
  return false;
}

TEST_F(MainView, TheSelectionToolMovesAndRotatesARectangleDraggedWithTheMouseAndUndoPutsItBack) {
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(60, 60, 120, 100);
  document->AddBlock(rect);
  document->SetModifiedFlag(FALSE);
  Repaint();
  CSelectTracker& tracker = view->GetSelectTracker();

  POINT edge = PixelOf(60, 80);
  DragMouse(*view, edge, edge);
  ASSERT_EQ(1, rect->m_selected);

  POINT inside = PixelOf(90, 80);
  DragMouse(*view, inside, {inside.x + 40, inside.y + 20});
  const float scale = static_cast<float>(view->GetScale());
  EXPECT_NEAR(60 + 40 * scale, rect->m_box.left, 1.5f * scale);
  EXPECT_NEAR(60 + 20 * scale, rect->m_box.top, 1.5f * scale);
  EXPECT_TRUE(document->IsModified());
  const CFRect moved = rect->m_box;
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(view->m_hWnd, "screenshots\\select_scale_handles.bmp");

  inside = PixelOf((moved.left + moved.right) / 2, (moved.top + moved.bottom) / 2 + 5);
  DragMouse(*view, inside, inside);
  ASSERT_EQ(CSelectTracker::kRotateMode, tracker.GetMode());
  SaveClientPicture(view->m_hWnd, "screenshots\\select_rotate_handles.bmp");

  POINT corner = PixelOf(moved.right, moved.bottom);
  corner.x += 8;
  corner.y += 8;
  DragMouse(*view, corner, {corner.x - 40, corner.y + 40});
  EXPECT_FALSE(rect->m_matrix.IsIdentity());

  view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_TRUE(rect->m_matrix.IsIdentity());
  EXPECT_EQ(0, std::memcmp(&moved, &rect->m_box, sizeof moved));
  // A move is undone by moving back, exact up to the rounding of the pixel's page size.
  view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_NEAR(60.0f, rect->m_box.left, 1e-4f);
  EXPECT_NEAR(60.0f, rect->m_box.top, 1e-4f);
  EXPECT_NEAR(120.0f, rect->m_box.right, 1e-4f);
  EXPECT_NEAR(100.0f, rect->m_box.bottom, 1e-4f);
}

TEST_F(MainView, SideHandlesScaleOneAxisOfASelectionAwayFromTheOriginAboutItsOppositeEdge) {
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(60, 80, 120, 100);
  document->AddBlock(rect);
  CCurveBlock* curve = MakeSquareCurve(130, 90, 30);
  document->AddBlock(curve);
  rect->m_selected = curve->m_selected = 1;
  view->GetSelectTracker().Recount();
  Repaint();
  const float pixel = static_cast<float>(view->GetScale());
  // The box runs from (60, 80) to (160, 120); its handles stand 8 pixels outside it. The bottom
  // handle pulled down 40 pixels makes it 40 page pixels higher: y stretches about y = 80.
  const float gap = CSelectTracker::kHandleGap * pixel;
  POINT bottom = PixelOf(110, 120 + gap);
  DragMouse(*view, bottom, {bottom.x, bottom.y + 40});
  const float sy = (40 + 40 * pixel) / 40;
  EXPECT_NEAR(60, rect->m_box.left, 0.01f);
  EXPECT_NEAR(80, rect->m_box.top, 0.01f);
  EXPECT_NEAR(80 + 20 * sy, rect->m_box.bottom, 1.5f * pixel);
  EXPECT_NEAR(80 + 10 * sy, curve->m_box.top, 1.5f * pixel);
  EXPECT_NEAR(130, curve->m_box.left, 0.01f);
  // The right handle pulled left 30 pixels: x shrinks about x = 60, y stays.
  const CFRect before = curve->m_box;
  POINT right = PixelOf(160 + gap, (80 + curve->m_box.bottom) / 2);
  DragMouse(*view, right, {right.x - 30, right.y});
  const float sx = (100 - 30 * pixel) / 100;
  EXPECT_NEAR(60 + 70 * sx, curve->m_box.left, 1.5f * pixel);
  EXPECT_NEAR(60 + 100 * sx, curve->m_box.right, 1.5f * pixel);
  EXPECT_NEAR(before.top, curve->m_box.top, 0.01f);
  EXPECT_NEAR(before.bottom, curve->m_box.bottom, 0.01f);
  EXPECT_NEAR(60, rect->m_box.left, 0.01f);
}

TEST_F(MainView, AnOpenedDocumentShowsEachBlocksOutlineWhereItIsAndNowhereElse) {
  std::string path = folder.File("known.t42");
  {
    CTALVEX42Doc known;
    ASSERT_TRUE(known.OnNewDocument());
    CPageSettings& page = known.GetPageSettings();
    page.m_width = 400.0f;
    page.m_height = 300.0f;
    page.m_gridSize = 0;
    page.m_backColor = 0xFFFFFF;
    auto* line = new CLineBlock;
    line->m_start = {20, 30};
    line->m_end = {180, 30};
    line->m_box = CFRect(20, 30, 180, 30);
    line->m_colour = 0xFF0000;
    known.AddBlock(line);
    auto* rect = new CRectBlock;
    rect->m_rect = rect->m_box = CFRect(220, 20, 380, 120);
    rect->m_colour = 0x0000FF;
    known.AddBlock(rect);
    auto* circle = new CCircleBlock;
    circle->m_rect = circle->m_box = CFRect(20, 100, 180, 260);
    circle->m_colour = 0x00C000;
    known.AddBlock(circle);
    known.AddBlock(MakeSquareCurve(220, 150, 100, 0xFF00FF));
    auto* group = new CGroupBlock;
    group->AddChild(MakeCurve({{340, 150, kStartPoint}, {340, 260, kPointOnCurve}}, 0x008080));
    group->AddChild(MakeCurve({{360, 150, kStartPoint}, {360, 260, kPointOnCurve}}, 0x008080));
    known.AddBlock(group);
    ASSERT_TRUE(known.OnSaveDocument(path.c_str()));
  }
  app.CloseAllDocuments(FALSE);
  PumpMessages();
  ASSERT_NE(nullptr, app.OpenDocumentFile(path.c_str()));
  PumpMessages();
  FindView();
  ASSERT_EQ(5, document->GetBlockList().GetSize());
  view->SendMessage(WM_COMMAND, ID_VIEW_WHOLE_PAGE);
  view->UpdateWindow();
  PumpMessages();

  struct Probe {
    float x, y;
    COLORREF colour;
    const char* what;
  };
  const COLORREF paper = RGB(255, 255, 255);
  const Probe outlines[] = {
      {100, 30, RGB(255, 0, 0), "the line"},
      {300, 20, RGB(0, 0, 255), "the rectangle's top"},
      {380, 70, RGB(0, 0, 255), "the rectangle's right side"},
      {20, 180, RGB(0, 192, 0), "the circle's left"},
      {100, 260, RGB(0, 192, 0), "the circle's bottom"},
      {270, 250, RGB(255, 0, 255), "the curve's bottom"},
      {220, 200, RGB(255, 0, 255), "the curve's left"},
      {340, 200, RGB(0, 128, 128), "the group's first line"},
      {360, 200, RGB(0, 128, 128), "the group's second line"},
  };
  const Probe empty[] = {
      {100, 60, paper, "below the line"},
      {300, 70, paper, "inside the rectangle"},
      {100, 180, paper, "inside the circle"},
      {270, 200, paper, "inside the curve"},
      {350, 200, paper, "between the group's lines"},
  };
  HDC dc = ::GetDC(view->m_hWnd);
  for (const Probe& probe : outlines)
    EXPECT_TRUE(ColourNear(dc, PixelOf(probe.x, probe.y), probe.colour)) << probe.what;
  for (const Probe& probe : empty) {
    POINT at = PixelOf(probe.x, probe.y);
    EXPECT_EQ(probe.colour, ::GetPixel(dc, at.x, at.y)) << probe.what;
  }
  ::ReleaseDC(view->m_hWnd, dc);
  EXPECT_FALSE(document->IsModified());
}

// Nothing near the area is left out, and curves crossing its edges are flattened where the full
// repaint flattened them.
TEST_F(MainView, APartialRepaintDrawsItsAreaAsTheFullRepaintDid) {
  auto* ring = new CCircleBlock;
  ring->m_rect = ring->m_box = CFRect(90.5f, 80.25f, 180.75f, 150.5f);
  document->AddBlock(ring);
  auto* rounded = new CRectBlock;
  rounded->m_rect = rounded->m_box = CFRect(31.3f, 42.7f, 121.9f, 97.1f);
  rounded->m_cornerRatioX = rounded->m_cornerRatioY = 0.3f;
  document->AddBlock(rounded);
  document->AddBlock(MakeCurve(
      {{20.4f, 160.6f, kStartPoint}, {70.2f, 110.3f, kPointOnCurve}, {150.7f, 200.9f, 0x21}}));
  POINT a = PixelOf(31.3f, 42.7f), b = PixelOf(90.5f, 80.25f), c = PixelOf(70.2f, 110.3f);
  const RECT areas[] = {{a.x - 2, a.y - 2, a.x + 9, a.y + 7},
                        {b.x + 3, b.y + 5, b.x + 40, b.y + 30},
                        {c.x - 1, c.y - 1, c.x + 1, c.y + 1}};
  Repaint();
  for (const RECT& area : areas) ExpectRepaintedAlikeAlone(area);
}

// Two characters 30 mm high, skewed 20 degrees as the change-font dialog leaves them, each glyph
// a filled square of its whole cell: the tops lean tan 20 x 15 = 5.5 mm left of their cells and
// the bottoms as far right, some 20 pixels past the text's box at this zoom. Whatever shows that
// lean, a partial repaint of it or the place the text was moved from, shows what a full repaint
// shows.
TEST_F(MainView, SkewedTextIsRepaintedAndMovedWithAllItDrawsPastItsBox) {
  const WORD kCharacter = 0xB0A1;
  FakeGlyphSource glyphs;
  AppendRectangle(glyphs.glyphs[kCharacter], 0, 0, 1024, 1024);
  CTextDefaults format = CTextDefaults::Global();
  format.fontSizeX = format.fontSizeY = 30;
  format.fontSkewX = 20;
  format.boxGaps = format.lineGaps = 0;
  CTextBlock* text = CTextBlock::CreateAt(0, 100.5f, 100.25f, 200, 100.25f);
  for (int i = 0; i < 2; ++i) {
    auto* box = new CCharBox;
    box->Init(134, kCharacter, format);
    box->m_style |= CCharBox::kFilled;
    box->m_colour = 0x0000FF;
    text->InsertChar(box);
  }
  // As the dialog gives its values to the text's characters.
  text->ApplyFormat(nullptr, format, CBoxArray::kApplySkew, 0, text->GetBoxArray()->GetSize() - 1);
  text->Relayout(view, -1);
  text->UpdateBox();
  document->AddBlock(text);
  view->ZoomToRect(CFRect(80, 80, 240, 150));
  Repaint();
  ASSERT_GT(view->GetScale(), 0.0);
  const float lean = 5.0f;
  const CFRect box = text->m_box;
  ASSERT_NEAR(60, box.right - box.left, 0.5f);
  // Past the box's top left and bottom right corners, more than the paint margin away.
  POINT topLeft = PixelOf(box.left - lean, box.top), bottomRight = PixelOf(box.right, box.bottom);
  POINT inner = PixelOf(box.left, box.top), outer = PixelOf(box.right + lean, box.bottom);
  const RECT leans[] = {{topLeft.x, topLeft.y, inner.x - 4, topLeft.y + 6},
                        {bottomRight.x + 4, bottomRight.y - 6, outer.x, bottomRight.y}};
  const DWORD blue = 0x0000FF;  // as a 32-bit pixel, blue, green, red
  for (const RECT& area : leans) {
    std::vector<DWORD> full = ClientPixels(view->m_hWnd, area);
    ASSERT_NE(full.end(), std::find(full.begin(), full.end(), blue)) << "no lean at " << area.left;
    ExpectRepaintedAlikeAlone(area);
  }

  // Selected, then dragged 50 mm down: the old leans are paper again.
  POINT inside = PixelOf(box.left + 15, box.top + 15);
  DragMouse(*view, inside, inside);
  ASSERT_EQ(1, text->m_selected);
  POINT down = PixelOf(box.left + 15, box.top + 65);
  DragMouse(*view, inside, down);
  ASSERT_GT(text->m_box.top, box.top + 40);
  for (const RECT& area : leans) {
    std::vector<DWORD> shown = ClientPixels(view->m_hWnd, area);
    Repaint();
    EXPECT_EQ(ClientPixels(view->m_hWnd, area), shown) << "area at " << area.left;
  }
}

// A view far larger than the screen with its bottom right corner in sight: a repaint there would
// need a bitmap of 30000 x 30000 pixels from the window's origin, which cannot be had, and the
// view paints on the window itself.
TEST_F(MainView, AnAreaTooFarOutForAPaintBitmapIsPaintedOnTheWindowItself) {
  RECT client;
  view->GetClientRect(&client);
  const int size = 30000;
  auto* rect = new CRectBlock;
  rect->m_colour = 0xFF0000;
  document->AddBlock(rect);
  view->MoveWindow(client.right - size, client.bottom - size, size, size);
  PumpMessages();
  const RECT area = {size - 100, size - 80, size - 20, size - 20};
  FPOINT corner = PageOf(area.left + 20, area.top + 20);
  FPOINT opposite = PageOf(area.left + 60, area.top + 40);
  rect->m_rect = rect->m_box = CFRect(corner.x, corner.y, opposite.x, opposite.y);
  HDC dc = ::GetDC(view->m_hWnd);
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  ::ReleaseDC(view->m_hWnd, dc);
  RECT repainted = area;
  Repaint(&repainted);
  dc = ::GetDC(view->m_hWnd);
  EXPECT_TRUE(ColourNear(dc, PixelOf(corner.x, (corner.y + opposite.y) / 2), RGB(255, 0, 0)));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(dc, area.left + 5, area.top + 5));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(dc, area.left + 40, area.top + 30));
  ::ReleaseDC(view->m_hWnd, dc);
}

}  // namespace
