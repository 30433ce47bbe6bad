// The drawing view in a document window under Xvfb: it shows its page under rulers, scrolls and
// zooms by itself, and guides pulled out of its rulers belong to the document. The clock and the
// keyboard are the tests' own; mouse input is sent as the window would receive it.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/views/ScrollThrottle.h"
#include "framework/CmdUI.h"
#include "framework/KeyState.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MultiDocTemplate.h"
#include "framework/WinApp.h"
#include "model/blocks/GuideLine.h"
#include "model/document/TALVEX42Doc.h"
#include "support/ClientPicture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

namespace {

const UINT kMainFrameResource = 128;
const UINT kDrawingResource = 129;
const int kRulers = 15;

class CViewTestApp : public CWinApp {
public:
  CViewTestApp() : CWinApp("TalvexViewTest") {}

protected:
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CViewTestApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

DWORD g_now = 100000;
DWORD FakeClock() { return g_now; }
int g_beeps = 0;
void CountBeep(UINT) { ++g_beeps; }

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<short>(x), static_cast<short>(y)); }

// Records what an update handler does to a menu item.
class CheckRecorder : public CCmdUI {
public:
  void SetCheck(int value) override { check = value; }
  void Enable(BOOL on) override { enabled = on; }
  int check = -1;
  BOOL enabled = -1;
};

class DrawingView : public ::testing::Test {
protected:
  void SetUp() override {
    previousClock = CScrollThrottle::SetTickSource(&FakeClock);
    previousBeep = CRulerManager::SetBeepFunction(&CountBeep);
    previousKeys = AfxSetKeyStateHandler([this](int key) -> SHORT {
      SHORT state = held.count(key) ? static_cast<SHORT>(0x8000) : 0;
      if (toggled.count(key)) state |= 1;
      return state;
    });
    g_beeps = 0;
    CScrollThrottle::Horizontal().Reset();
    CScrollThrottle::Vertical().Reset();
    app.AddDocTemplate(new CMultiDocTemplate(kDrawingResource, RUNTIME_CLASS(CTALVEX42Doc),
                                             RUNTIME_CLASS(CTALVEX42Frame),
                                             RUNTIME_CLASS(CTALVEX42View)));
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(kMainFrameResource));
    app.m_pMainWnd = frame;
    frame->MoveWindow(640, 300, 600, 520);
    frame->ShowWindow(SW_SHOW);
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    document = static_cast<CTALVEX42Doc*>(frame->GetActiveDocument());
    ASSERT_NE(nullptr, document);
    view = static_cast<CTALVEX42View*>(frame->MDIGetActive()->GetActiveView());
    ASSERT_NE(nullptr, view);
    ASSERT_TRUE(view->IsKindOf(RUNTIME_CLASS(CTALVEX42View)));
    rulers = view->GetRulerManager();
    ASSERT_NE(nullptr, rulers);
    view->GetClientRect(&client);
  }
  void TearDown() override {
    app.CloseAllDocuments(FALSE);
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    PumpMessages();
    AfxSetKeyStateHandler(previousKeys);
    CRulerManager::SetBeepFunction(previousBeep);
    CScrollThrottle::SetTickSource(previousClock);
  }

  FPOINT PageAt(int x, int y) {
    FPOINT page;
    view->DeviceToPage(x, y, &page.x, &page.y);
    return page;
  }
  double FitScale(const CFRect& rect) {
    return CRulerManager::FitRect(rect, client.right, client.bottom, kRulers).scale;
  }
  void Send(UINT message, UINT flags, int x, int y) { view->SendMessage(message, flags, At(x, y)); }
  void RightClick(UINT flags, int x1, int y1, int x2, int y2) {
    Send(WM_RBUTTONDOWN, flags | MK_RBUTTON, x1, y1);
    Send(WM_MOUSEMOVE, flags | MK_RBUTTON, x2, y2);
    Send(WM_RBUTTONUP, flags, x2, y2);
  }
  void DragWithLeft(int x1, int y1, int x2, int y2, HWND pressWindow = nullptr, int pressX = 0,
                    int pressY = 0) {
    if (pressWindow)
      ::SendMessageA(pressWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(pressX, pressY));
    else
      Send(WM_LBUTTONDOWN, MK_LBUTTON, x1, y1);
    Send(WM_MOUSEMOVE, MK_LBUTTON, (x1 + x2) / 2, (y1 + y2) / 2);
    Send(WM_MOUSEMOVE, MK_LBUTTON, x2, y2);
    Send(WM_LBUTTONUP, 0, x2, y2);
  }
  CGuideLine* Guide(INT_PTR index) {
    return static_cast<CGuideLine*>(document->GetGuideLines().GetObjectAt(index));
  }

  CViewTestApp app;
  CMDIFrameWnd* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
  CRulerManager* rulers = nullptr;
  RECT client = {};
  std::set<int> held;
  std::set<int> toggled;
  AfxKeyStateHandler previousKeys;
  CRulerManager::BeepFunction previousBeep = nullptr;
  CScrollThrottle::TickSource previousClock = nullptr;
  TempFolder folder;
};

TEST_F(DrawingView, IsTheBlockViewOfItsDocumentWithTheRulersMapping) {
  CBlockView* blockView = view;
  EXPECT_EQ(view->m_hWnd, blockView->GetViewWindow());
  EXPECT_EQ(rulers->GetDisplayMatrix(), blockView->GetDisplayMatrix());
  EXPECT_EQ(rulers->GetScale(), blockView->GetScale());
  EXPECT_EQ(0, blockView->GetUndoDepth());
  EXPECT_EQ(&document->GetBlockList(), blockView->GetBlockList());
  EXPECT_EQ(40070, blockView->GetCurrentTool());
  EXPECT_EQ(&document->GetGuideLines(), rulers->GetGuideList());
  LONG style = ::GetWindowLongA(view->m_hWnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(style & WS_HSCROLL);
  EXPECT_TRUE(style & WS_VSCROLL);
}

TEST_F(DrawingView, ZoomingToARectangleMapsItsCornersIntoTheViewCentred) {
  view->ZoomToRect(CFRect(0, 0, 1000, 500));
  double scale = FitScale(CFRect(0, 0, 1000, 500));
  EXPECT_DOUBLE_EQ(scale, view->GetScale());
  FPOINT origin = rulers->GetOrigin();
  FPOINT corner = PageAt(kRulers, kRulers);
  EXPECT_EQ(origin.x, corner.x);
  EXPECT_EQ(origin.y, corner.y);
  EXPECT_FLOAT_EQ(origin.x, rulers->HorizontalRuler().GetOrigin());
  EXPECT_FLOAT_EQ(origin.y, rulers->VerticalRuler().GetOrigin());

  // Pixels map back to themselves; points between pixels go to the pixel nearer zero, on both
  // sides of it.
  const CMatrix2D& matrix = *view->GetDisplayMatrix();
  for (int x : {kRulers, 100, 399}) {
    FPOINT page = PageAt(x, x);
    POINT pixel;
    matrix.TransformPointToInt(&page, &pixel);
    EXPECT_NEAR(x, pixel.x, 1) << x;
  }
  FPOINT between = PageAt(-3, 7);
  between.x -= static_cast<float>(0.4 * scale);
  between.y += static_cast<float>(0.4 * scale);
  POINT pixel;
  matrix.TransformPointToInt(&between, &pixel);
  EXPECT_EQ(-3, pixel.x);
  EXPECT_EQ(7, pixel.y);
}

TEST_F(DrawingView, ShowsRulersWithTicksOverThePageAndItsShadow) {
  document->GetPageSettings().m_backColor = 0xFFFFC0;  // pale yellow paper on the white view
  view->ZoomToRect(CFRect(-20, -20, 300, 200));
  document->GetPageSettings().m_width = 200;
  document->GetPageSettings().m_height = 100;
  frame->BringWindowToTop();
  view->Invalidate(TRUE);
  rulers->InvalidateRulers(TRUE, TRUE);
  PumpMessages();
  view->UpdateWindow();

  RECT horizontal, vertical;
  rulers->HorizontalRuler().GetWindowRect(&horizontal);
  rulers->VerticalRuler().GetWindowRect(&vertical);
  view->ScreenToClient(&horizontal);
  view->ScreenToClient(&vertical);
  EXPECT_EQ(kRulers, horizontal.left);
  EXPECT_EQ(-1, horizontal.top);
  EXPECT_EQ(client.right, horizontal.right);
  EXPECT_EQ(kRulers, horizontal.bottom);
  EXPECT_EQ(-1, vertical.left);
  EXPECT_EQ(kRulers, vertical.top);
  EXPECT_EQ(client.bottom, vertical.bottom);

  std::string picture = "view_rulers.bmp";
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(view->m_hWnd, ("screenshots\\" + picture).c_str());

  HDC dc = ::GetDC(view->m_hWnd);
  int tickPixels = 0, facePixels = 0;
  for (int x = kRulers + 1; x < client.right - 1; ++x) {
    COLORREF colour = ::GetPixel(dc, x, 12);
    if (colour == RGB(0, 0, 0)) ++tickPixels;
    if (colour == ::GetSysColor(COLOR_3DFACE)) ++facePixels;
  }
  int verticalTicks = 0;
  for (int y = kRulers + 1; y < client.bottom - 1; ++y)
    if (::GetPixel(dc, 12, y) == RGB(0, 0, 0)) ++verticalTicks;
  const CMatrix2D& matrix = *view->GetDisplayMatrix();
  CFRect page(0, 0, 200, 100);
  RECT pixels;
  matrix.TransformRectToInt(&page, &pixels);
  COLORREF paper = ::GetPixel(dc, (pixels.left + pixels.right) / 2,
                              (pixels.top + pixels.bottom) / 2);
  COLORREF shadow = ::GetPixel(dc, pixels.right + 2, (pixels.top + pixels.bottom) / 2);
  COLORREF outside = ::GetPixel(dc, (kRulers + pixels.left) / 2, (pixels.top + pixels.bottom) / 2);
  ::ReleaseDC(view->m_hWnd, dc);

  // Ticks every 10 mm at this scale: dozens of black ticks on the ruler's face.
  EXPECT_GT(tickPixels, 10) << picture;
  EXPECT_GT(facePixels, client.right / 2) << picture;
  EXPECT_GT(verticalTicks, 5) << picture;
  EXPECT_EQ(RGB(255, 255, 192), paper) << picture;
  EXPECT_EQ(RGB(128, 128, 128), shadow) << picture;
  EXPECT_EQ(RGB(255, 255, 255), outside) << picture;
}

TEST_F(DrawingView, LineAndPageScrollsMoveTheOriginAtMostTenTimesASecond) {
  view->ZoomToRect(CFRect(0, 0, 400, 300));
  double scale = view->GetScale();
  FPOINT start = rulers->GetOrigin();
  float translation = view->GetDisplayMatrix()->m[6];

  view->SendMessage(WM_HSCROLL, SB_LINELEFT);
  int line = client.right / 10;
  EXPECT_FLOAT_EQ(static_cast<float>(start.x - line * scale), rulers->GetOrigin().x);
  EXPECT_FLOAT_EQ(translation + line, view->GetDisplayMatrix()->m[6]);
  EXPECT_FLOAT_EQ(rulers->GetOrigin().x, rulers->HorizontalRuler().GetOrigin());

  g_now += 60;
  view->SendMessage(WM_HSCROLL, SB_LINELEFT);  // too soon: dropped
  view->SendMessage(WM_HSCROLL, SB_THUMBTRACK);
  EXPECT_FLOAT_EQ(static_cast<float>(start.x - line * scale), rulers->GetOrigin().x);
  g_now += 40;
  view->SendMessage(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_NEAR(start.x, rulers->GetOrigin().x, 1e-4);

  view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_FLOAT_EQ(static_cast<float>(start.y + (client.bottom / 3) * scale), rulers->GetOrigin().y);
  EXPECT_FLOAT_EQ(rulers->GetOrigin().y, rulers->VerticalRuler().GetOrigin());
}

TEST_F(DrawingView, DraggingNearTheRulersScrollsTowardsThem) {
  view->ZoomToRect(CFRect(0, 0, 400, 300));
  FPOINT start = rulers->GetOrigin();
  g_now += 1000;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 200, 200);
  Send(WM_MOUSEMOVE, MK_LBUTTON, kRulers + 5, 200);
  Send(WM_MOUSEMOVE, MK_LBUTTON, kRulers + 5, 201);  // the same tenth of a second
  Send(WM_LBUTTONUP, 0, kRulers + 5, 201);
  EXPECT_LT(rulers->GetOrigin().x, start.x);
  EXPECT_FLOAT_EQ(static_cast<float>(start.x - (client.right / 10) * view->GetScale()),
                  rulers->GetOrigin().x);
  EXPECT_EQ(start.y, rulers->GetOrigin().y);

  Send(WM_MOUSEMOVE, 0, kRulers + 5, 200);  // without the button nothing scrolls
  g_now += 1000;
  Send(WM_MOUSEMOVE, 0, kRulers + 5, 200);
  EXPECT_FLOAT_EQ(static_cast<float>(start.x - (client.right / 10) * view->GetScale()),
                  rulers->GetOrigin().x);
}

TEST_F(DrawingView, TheRulersMarkThePointer) {
  Send(WM_MOUSEMOVE, 0, 120, 140);
  FPOINT page = PageAt(120, 140);
  EXPECT_FLOAT_EQ(page.x, rulers->HorizontalRuler().GetMarker());
  EXPECT_FLOAT_EQ(page.y, rulers->VerticalRuler().GetMarker());
}

TEST_F(DrawingView, ShiftRightDragZoomsToTheBoxAndAShiftClickShowsTheWholePage) {
  view->ZoomToRect(CFRect(0, 0, 400, 300));
  CFRect box;
  view->DeviceRectToPage(100, 100, 300, 250, &box);
  RightClick(MK_SHIFT, 100, 100, 300, 250);
  EXPECT_DOUBLE_EQ(FitScale(box), view->GetScale());
  EXPECT_EQ(0, view->GetRubberBandState());

  RightClick(MK_SHIFT, 200, 200, 201, 202);
  CFRect whole(-10, -10, view->GetPageWidth(), view->GetPageHeight());
  EXPECT_DOUBLE_EQ(FitScale(whole), view->GetScale());

  double before = view->GetScale();
  RightClick(0, 100, 100, 300, 250);  // no Shift: no zoom box
  EXPECT_EQ(before, view->GetScale());
}

TEST_F(DrawingView, AltRightClickAndTheNodeToolsShiftClickDoubleTheVisibleArea) {
  view->ZoomToRect(CFRect(0, 0, 400, 300));
  CFRect doubled;
  view->DeviceRectToPage(-client.right / 2, -client.bottom / 2, client.right + client.right / 2,
                         client.bottom + client.bottom / 2, &doubled);
  held = {VK_MENU};
  RightClick(0, 200, 200, 200, 200);
  EXPECT_DOUBLE_EQ(FitScale(doubled), view->GetScale());
  held.clear();

  view->ZoomToRect(CFRect(0, 0, 400, 300));
  view->SetCurrentTool(CTALVEXView::kNodeTool);
  RightClick(MK_SHIFT, 200, 200, 201, 201);
  EXPECT_DOUBLE_EQ(FitScale(doubled), view->GetScale());
}

TEST_F(DrawingView, ScrollLockChecksSnapToGridAndPolygonSettingsStaysEnabled) {
  for (bool on : {true, false}) {
    toggled.clear();
    if (on) toggled.insert(VK_SCROLL);
    CheckRecorder item;
    item.m_nID = CTALVEXView::kSnapGridCommand;
    EXPECT_TRUE(item.DoUpdate(view, TRUE));
    EXPECT_EQ(on ? 1 : 0, item.check);
  }
  CheckRecorder polygon;
  polygon.m_nID = CTALVEXView::kPolygonSettingsCommand;
  polygon.DoUpdate(view, TRUE);
  EXPECT_NE(FALSE, polygon.enabled);
}

TEST_F(DrawingView, AGuidePulledOutOfTheTopRulerIsTheDocumentsAndIsSavedWithIt) {
  HWND ruler = rulers->HorizontalRuler().m_hWnd;
  // Pressed on the ruler at its x 100 (the view's 115), released in the drawing.
  DragWithLeft(115, 6, 115, 200, ruler, 100, 7);
  ASSERT_EQ(1, document->GetGuideLines().GetSize());
  EXPECT_EQ(0.0, Guide(0)->GetAngle());
  EXPECT_FLOAT_EQ(PageAt(115, 200).y, Guide(0)->GetY());
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(0, rulers->GetGuideDrag());

  // Released over a ruler, a new guide is not made.
  DragWithLeft(115, 6, 115, 5, ruler, 100, 7);
  EXPECT_EQ(1, document->GetGuideLines().GetSize());

  float y = Guide(0)->GetY();
  std::string path = folder.File("guides.T42");
  ASSERT_TRUE(document->DoSave(path.c_str()));
  app.CloseAllDocuments(FALSE);
  PumpMessages();
  CTALVEX42Doc* opened = static_cast<CTALVEX42Doc*>(app.OpenDocumentFile(path.c_str()));
  ASSERT_NE(nullptr, opened);
  ASSERT_EQ(1, opened->GetGuideLines().GetSize());
  CGuideLine* saved = static_cast<CGuideLine*>(opened->GetGuideLines().GetObjectAt(0));
  EXPECT_EQ(y, saved->GetY());
  EXPECT_EQ(0.0, saved->GetAngle());
}

TEST_F(DrawingView, TheCornerBoxMakesAHorizontalAndAVerticalGuide) {
  DragWithLeft(7, 7, 200, 150, rulers->CornerBox().m_hWnd, 7, 7);
  ASSERT_EQ(2, document->GetGuideLines().GetSize());
  FPOINT release = PageAt(200, 150);
  EXPECT_EQ(0.0, Guide(0)->GetAngle());
  EXPECT_EQ(90.0, Guide(1)->GetAngle());
  EXPECT_FLOAT_EQ(release.y, Guide(0)->GetY());
  EXPECT_FLOAT_EQ(release.x, Guide(1)->GetX());
}

TEST_F(DrawingView, AGuideMovesWithTheMouseAndDroppedOnARulerIsDeletedWithABeep) {
  FPOINT at = PageAt(200, 150);
  document->GetGuideLines().AddObject(new CGuideLine(at.x, at.y, 90));
  document->SetModifiedFlag(FALSE);

  DragWithLeft(200, 150, 250, 150);
  ASSERT_EQ(1, document->GetGuideLines().GetSize());
  EXPECT_NEAR(PageAt(250, 150).x, Guide(0)->GetX(), 1e-3);
  EXPECT_EQ(CAuxObject::kSelectedState, Guide(0)->GetState());
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(0, g_beeps);

  // A press that stays within 3 pixels leaves the guide where it is.
  float x = Guide(0)->GetX();
  DragWithLeft(250, 150, 252, 151);
  EXPECT_EQ(x, Guide(0)->GetX());

  DragWithLeft(250, 150, 5, 150);
  EXPECT_EQ(0, document->GetGuideLines().GetSize());
  EXPECT_EQ(1, g_beeps);
}

}  // namespace
