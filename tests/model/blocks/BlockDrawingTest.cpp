// XOR feedback of blocks: drawing it twice gives the picture back, and the device context is left
// as it was found. Also the parameter panel a block shows in the property window.
#include <gtest/gtest.h>

#include "framework/ResourceModule.h"
#include "model/FakeBlockView.h"
#include "model/MainWindowCapture.h"
#include "model/MemoryCanvas.h"
#include "model/TestWindow.h"
#include "model/blocks/Block.h"
#include "model/editing/DragState.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

struct DcState {
  explicit DcState(CDC& dc)
      : pen(::GetCurrentObject(dc, OBJ_PEN)),
        brush(::GetCurrentObject(dc, OBJ_BRUSH)),
        rop(dc.GetROP2()) {}
  bool operator==(const DcState& other) const {
    return pen == other.pen && brush == other.brush && rop == other.rop;
  }
  HGDIOBJ pen;
  HGDIOBJ brush;
  int rop;
};

TEST(BlockXorDrawing, TheOutlineIsRedAndErasesItselfLeavingTheContextAsItWas) {
  MemoryCanvas canvas(100, 100);
  CBlock block;
  block.m_box = CFRect(10, 10, 40, 30);
  DcState before(canvas.DC());
  CMatrix2D doubled;
  doubled.m[0] = doubled.m[4] = 2;
  block.DrawXorOutline(&canvas.DC(), &doubled);
  EXPECT_TRUE(DcState(canvas.DC()) == before);
  // The box maps to (20, 20)-(80, 60); the outline stands two pixels outside it, off the
  // block's own edge, which an outline of the block's colour drawn in XOR would turn white.
  const int gap = CBlock::kSelectionOutlineGap;
  EXPECT_EQ(kRed, canvas.Pixel(20 - gap, 20 - gap));
  EXPECT_EQ(kRed, canvas.Pixel(50, 60 + gap));
  EXPECT_EQ(kRed, canvas.Pixel(80 + gap, 40));
  EXPECT_EQ(kWhite, canvas.Pixel(20, 20));  // the box's own edge stays as it was
  EXPECT_EQ(kWhite, canvas.Pixel(50, 40));  // inside too
  block.DrawXorOutline(&canvas.DC(), &doubled);
  EXPECT_TRUE(canvas.AllWhite());

  block.DrawXorFrame(&canvas.DC(), nullptr);
  EXPECT_EQ(kRed, canvas.Pixel(10, 30));
  block.DrawXorFrame(&canvas.DC(), nullptr);
  EXPECT_TRUE(canvas.AllWhite());
}

class RubberBand : public ::testing::Test {
protected:
  RubberBand() : view(1.0) {}
  void SetUp() override {
    CDragState& drag = GetDragState();
    drag.Reset();
    drag.Press(5, 5);
    drag.SetCurrent(40, 30);
    drag.bezier[0] = {5, 40};
    drag.bezier[1] = {10, 5};
    drag.bezier[2] = {40, 5};
    drag.bezier[3] = {45, 40};
  }
  void TearDown() override { GetDragState().Reset(); }

  FakeBlockView view;
  MemoryCanvas canvas{60, 60};
};

TEST_F(RubberBand, EveryShapeErasesItselfWhenDrawnAgain) {
  const WORD kinds[] = {CDragState::kLine + 2,   CDragState::kRectangle + 3,
                        CDragState::kRubberRect, CDragState::kEllipse + 1,
                        CDragState::kBezier + 2, CDragState::kBezierDone};
  DcState before(canvas.DC());
  for (WORD kind : kinds) {
    SCOPED_TRACE(kind);
    GetDragState().rubberBandKind = kind;
    CBlock::DrawRubberBand(&view, &canvas.DC());
    EXPECT_FALSE(canvas.AllWhite());
    EXPECT_TRUE(DcState(canvas.DC()) == before);
    CBlock::DrawRubberBand(&view, &canvas.DC());
    EXPECT_TRUE(canvas.AllWhite());
  }
}

TEST_F(RubberBand, ThePenFollowsTheLowBitsAndPointsTheDisplayMatrix) {
  GetDragState().rubberBandKind = CDragState::kLine + 2;
  CBlock::DrawRubberBand(&view, &canvas.DC());
  EXPECT_EQ(kRed, canvas.Pixel(5, 5));
  CBlock::DrawRubberBand(&view, &canvas.DC());

  GetDragState().rubberBandKind = CDragState::kLine + 1;
  view.SetScale(0.5);  // the band doubles on the device
  GetDragState().SetCurrent(20, 5);
  CBlock::DrawRubberBand(&view, &canvas.DC());
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(39, 10));
  EXPECT_EQ(kWhite, canvas.Pixel(5, 5));
}

TEST_F(RubberBand, NoKindOrNoPlaceToDrawDrawsNothing) {
  GetDragState().rubberBandKind = CDragState::kNone;
  CBlock::DrawRubberBand(&view, &canvas.DC());
  EXPECT_TRUE(canvas.AllWhite());
  GetDragState().rubberBandKind = CDragState::kLine;
  CBlock::DrawRubberBand(&view, nullptr);  // the view has no window
}

INT_PTR CALLBACK IgnoreDialogMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A block with a panel of its own (dialog 265) that counts how often it is filled.
class PanelBlock : public CBlock {
public:
  UINT GetPanelId() override { return panelId; }
  HWND CreatePanel(HWND parent) override {
    if (panelId == kEmptyPanelId) return CBlock::CreatePanel(parent);
    HWND panel = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(265), parent,
                                      IgnoreDialogMessage, 0);
    ::SetWindowLongPtrA(panel, GWLP_USERDATA, 265);
    return panel;
  }
  void FillPanel(HWND) override { ++fills; }
  UINT panelId = kEmptyPanelId;
  int fills = 0;
};

// The host is a child of a hidden window here: a shown top-level window is slow to go under a
// bare X server. Its position is in the parent's client coordinates.
class PanelHost : public ::testing::Test {
protected:
  void SetUp() override {
    host = ::CreateWindowExA(0, "STATIC", "Property", WS_CHILD | WS_CAPTION, 100, 100, 200, 100,
                             parent.Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, host);
  }
  void TearDown() override { ::DestroyWindow(host); }
  RECT HostRect() const {
    RECT rect;
    ::GetWindowRect(host, &rect);
    ::MapWindowPoints(nullptr, parent.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  TestWindow parent{500, 400, false};
  HWND host = nullptr;
};

TEST_F(PanelHost, TheEmptyPanelShrinksTheHostAndShowsNoProperties) {
  PanelBlock block;
  EXPECT_TRUE(block.ShowPanel(host));
  HWND panel = ::GetWindow(host, GW_CHILD);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(264, ::GetWindowLongPtrA(panel, GWLP_USERDATA));
  EXPECT_FALSE(::IsWindowVisible(panel));
  EXPECT_TRUE(::GetWindowLongA(host, GWL_STYLE) & WS_VISIBLE);
  RECT rect = HostRect();
  EXPECT_EQ(100, rect.left);
  EXPECT_EQ(200, rect.bottom);
  EXPECT_EQ(100, rect.right - rect.left);
  EXPECT_EQ(20, rect.bottom - rect.top);
  char caption[64] = {};
  ::GetWindowTextA(host, caption, sizeof caption);
  EXPECT_STREQ("无属性", caption);
  EXPECT_EQ(1, block.fills);

  // The same panel stays; it is only filled again.
  EXPECT_TRUE(block.ShowPanel(host));
  EXPECT_EQ(panel, ::GetWindow(host, GW_CHILD));
  EXPECT_EQ(2, block.fills);
}

TEST_F(PanelHost, AnotherPanelReplacesTheOldOneAndSizesTheHostToIt) {
  PanelBlock empty;
  empty.ShowPanel(host);
  HWND old = ::GetWindow(host, GW_CHILD);
  PanelBlock own;
  own.panelId = 265;
  EXPECT_TRUE(own.ShowPanel(host));
  EXPECT_FALSE(::IsWindow(old));
  HWND panel = ::GetWindow(host, GW_CHILD);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(265, ::GetWindowLongPtrA(panel, GWLP_USERDATA));
  RECT client;
  ::GetClientRect(panel, &client);
  RECT rect = HostRect();
  EXPECT_EQ(100, rect.left);
  EXPECT_EQ(200, rect.bottom);
  EXPECT_EQ(client.right + 10, rect.right - rect.left);
  EXPECT_EQ(client.bottom + 20, rect.bottom - rect.top);
  EXPECT_EQ(1, own.fills);
}

TEST_F(PanelHost, WithoutAHostThereIsNoPanel) {
  PanelBlock block;
  EXPECT_FALSE(block.ShowPanel(nullptr));
  EXPECT_EQ(0, block.fills);
}

TEST_F(PanelHost, TheMainWindowIsToldTheObjectType) {
  MainWindowCapture mainWindow;
  PanelBlock block;
  block.m_type = kLineBlock;
  block.ShowPanel(nullptr);
  block.m_type = 4;
  block.ShowPanel(host);
  ASSERT_EQ(2u, mainWindow.Commands().size());
  EXPECT_EQ(32840u, mainWindow.Commands()[0].id);
  EXPECT_EQ("直线块", mainWindow.Commands()[0].text);
  EXPECT_EQ("未知块", mainWindow.Commands()[1].text);
}

}  // namespace
