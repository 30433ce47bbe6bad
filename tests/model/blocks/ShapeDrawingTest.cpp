// Drawing of the shape blocks: the colour's red and blue are swapped into the platform order,
// outlines are stroked, solid blocks filled, node-edit overlays erase themselves; also colour
// changes, colour combo entries and fitting into a box.
#include <gtest/gtest.h>

#include <memory>

#include "model/FakeBlockView.h"
#include "model/MemoryCanvas.h"
#include "model/TestWindow.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/Contour.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
// 0x00RRGGBB with red 0x20, green 0x40, blue 0xC0.
const DWORD kColour = 0x002040C0;
const COLORREF kPlatformColour = RGB(0x20, 0x40, 0xC0);

CRectBlock* MakeRect() {
  CRectBlock* rect = new CRectBlock;
  rect->m_rect = CFRect(10, 10, 50, 40);
  rect->m_box = rect->m_rect;
  rect->m_colour = kColour;
  return rect;
}

TEST(ShapeDrawing, OutlinesAreStrokedAndSolidBlocksFilledInTheirColour) {
  std::unique_ptr<CRectBlock> rect(MakeRect());
  {
    MemoryCanvas canvas(60, 60);
    rect->Draw(&canvas.DC(), nullptr, 0);
    EXPECT_EQ(kPlatformColour, canvas.Pixel(30, 10));
    EXPECT_EQ(kWhite, canvas.Pixel(30, 25));
  }
  rect->m_attributes = kSolidAttr;
  {
    MemoryCanvas canvas(60, 60);
    rect->Draw(&canvas.DC(), nullptr, 0);
    EXPECT_EQ(kPlatformColour, canvas.Pixel(30, 25));
  }
  {
    MemoryCanvas canvas(60, 60);
    rect->DrawForPrint(&canvas.DC(), nullptr, 0);
    EXPECT_EQ(kPlatformColour, canvas.Pixel(30, 25));
  }
  rect->m_attributes = 0;
  MemoryCanvas canvas(60, 60);
  rect->DrawForPrint(&canvas.DC(), nullptr, 0);
  EXPECT_EQ(kPlatformColour, canvas.Pixel(10, 25));
  EXPECT_EQ(kWhite, canvas.Pixel(30, 25));
}

TEST(ShapeDrawing, ThePrintedOutlineOfAnEllipseAndAPolygonIsStroked) {
  CCircleBlock circle;
  circle.m_rect = CFRect(10, 10, 50, 50);
  circle.m_colour = kColour;
  CPolygonBlock polygon;
  polygon.m_centre = {30, 30};
  polygon.m_outerRadius = 20;
  polygon.m_cornerCount = 4;
  polygon.m_colour = kColour;
  for (CBlock* block : {static_cast<CBlock*>(&circle), static_cast<CBlock*>(&polygon)}) {
    MemoryCanvas canvas(60, 60);
    block->DrawForPrint(&canvas.DC(), nullptr, 0);
    EXPECT_EQ(kPlatformColour, canvas.Pixel(50, 30));
    EXPECT_EQ(kWhite, canvas.Pixel(30, 30));
  }
}

// Every node-edit overlay, and the line's XOR outline, erase themselves when drawn again.
TEST(ShapeDrawing, FeedbackErasesItselfAndLeavesTheContextAsItWas) {
  std::unique_ptr<CRectBlock> rect(MakeRect());
  rect->m_cornerRatioX = rect->m_cornerRatioY = 0.5f;
  CCircleBlock circle;
  circle.m_rect = CFRect(10, 10, 50, 40);
  circle.m_startAngle = 0;
  circle.m_endAngle = 2;
  circle.m_arcMode = 4;
  CPolygonBlock polygon;
  polygon.m_centre = {30, 30};
  polygon.m_outerRadius = 20;
  polygon.m_innerRadius = 10;
  polygon.m_starAngle = 0.3f;
  CLineBlock line;
  line.m_start = {5, 5};
  line.m_end = {50, 40};
  CBlock* blocks[] = {rect.get(), &circle, &polygon};
  for (CBlock* block : blocks) {
    MemoryCanvas canvas(80, 80);
    HGDIOBJ pen = ::GetCurrentObject(canvas.DC(), OBJ_PEN);
    block->DrawNodeEditOverlay(&canvas.DC(), nullptr);
    EXPECT_FALSE(canvas.AllWhite());
    EXPECT_EQ(pen, ::GetCurrentObject(canvas.DC(), OBJ_PEN));
    EXPECT_EQ(R2_COPYPEN, canvas.DC().GetROP2());
    block->DrawNodeEditOverlay(&canvas.DC(), nullptr);
    EXPECT_TRUE(canvas.AllWhite());
  }
  MemoryCanvas canvas(80, 80);
  line.DrawXorOutline(&canvas.DC(), nullptr);
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(5, 5));
  line.DrawXorOutline(&canvas.DC(), nullptr);
  EXPECT_TRUE(canvas.AllWhite());

  // A red line keeps part of its pixels under its selection outline instead of turning white.
  MemoryCanvas drawn(80, 80);
  HGDIOBJ previous = ::SelectObject(drawn.DC(), ::CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
  drawn.DC().MoveTo(5, 5);
  drawn.DC().LineTo(50, 40);
  ::DeleteObject(::SelectObject(drawn.DC(), previous));
  line.DrawXorOutline(&drawn.DC(), nullptr);
  int red = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 12; x < 44; ++x) red += drawn.Pixel(x, y) == RGB(255, 0, 0);
  EXPECT_GT(red, 8);
}

TEST(ShapeDrawing, ANewColourRepaintsTheBlockAndTheSameOneDoesNothing) {
  TestWindow window;
  FakeBlockView view(1.0);
  view.window = window.Handle();
  std::unique_ptr<CRectBlock> rect(MakeRect());
  rect->SetColour(&view, kColour, TRUE);
  RECT update = window.UpdateRect();
  EXPECT_TRUE(::IsRectEmpty(&update));
  rect->SetColour(&view, 0x00FF0000, FALSE);
  EXPECT_EQ(0x00FF0000u, rect->m_colour);
  update = window.UpdateRect();
  EXPECT_TRUE(::IsRectEmpty(&update));
  rect->SetColour(&view, 0x0000FF00, TRUE);
  update = window.UpdateRect();
  EXPECT_EQ(7, update.left);
  EXPECT_EQ(53, update.right);
}

TEST(ShapeDrawing, TheColourIsAddedToComboOnceAsDecimalText) {
  TestWindow window;
  HWND combo = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                                 window.Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, combo);
  std::unique_ptr<CRectBlock> rect(MakeRect());
  CCircleBlock circle;
  circle.m_colour = kColour;
  rect->AddColourToCombo(combo);
  circle.AddColourToCombo(combo);
  ASSERT_EQ(1, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  char text[32] = {};
  ::SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("2113728", text);
  CPolygonBlock polygon;  // adds nothing
  polygon.m_colour = 5;
  polygon.AddColourToCombo(combo);
  EXPECT_EQ(1, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  // A colour whose text begins another's is a colour of its own.
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  circle.m_colour = 12;
  circle.AddColourToCombo(combo);
  rect->m_colour = 1;
  rect->AddColourToCombo(combo);
  rect->AddColourToCombo(combo);
  EXPECT_EQ(2, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  EXPECT_NE(CB_ERR, ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>("1")));
  ::DestroyWindow(combo);
}

TEST(ShapeDrawing, SetBoxFitsTheShapeIntoTheBoxExactly) {
  std::unique_ptr<CRectBlock> rect(MakeRect());
  rect->SetBox(0, 0, 20, 60);
  EXPECT_EQ(0.0f, rect->m_box.left);
  EXPECT_EQ(60.0f, rect->m_box.bottom);
  std::unique_ptr<CContour> contour(rect->GetContour(nullptr, 0));
  POINTREC corner;
  ASSERT_TRUE(contour->GetPoint(2, &corner));
  EXPECT_NEAR(20, corner.x, 1e-4);
  EXPECT_NEAR(60, corner.y, 1e-4);
}

}  // namespace
