#include "editor/TALVEX42View.h"

#include <algorithm>
#include <cmath>

#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/cut/CutFrame.h"
#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/Pen.h"
#include "framework/WinApp.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"

IMPLEMENT_DYNCREATE(CTALVEX42View, CTALVEXView)

// clang-format off
BEGIN_MESSAGE_MAP(CTALVEX42View, CTALVEXView)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_COMMAND(ID_FILE_CUT_OUTPUT, OnOpenCutWindow)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kShadow = 5;

COLORREF ToColorRef(int rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

CTALVEX42View::CTALVEX42View() { m_currentTool = kSelectTool; }

CTALVEX42Doc* CTALVEX42View::GetDocument() const { return static_cast<CTALVEX42Doc*>(m_pDocument); }

CSegArray* CTALVEX42View::GetBlockArray() {
  return GetDocument() ? &GetDocument()->GetBlockList() : nullptr;
}

BOOL CTALVEX42View::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_HSCROLL | WS_VSCROLL;
  return CTALVEXView::PreCreateWindow(cs);
}

void CTALVEX42View::OnInitialUpdate() {
  CTALVEXView::OnInitialUpdate();
  if (m_rulers) return;
  CreateRulers(kRulerThickness);
  CTALVEX42Doc* document = GetDocument();
  if (!document) return;
  m_rulers->SetGuideList(&document->GetGuideLines());
  const CPageSettings& page = document->GetPageSettings();
  SetPageAndFit(0.0f, 0.0f, page.m_width, page.m_height);
}

void CTALVEX42View::OnSize(UINT, int, int) {
  if (!m_rulers) return;
  m_rulers->Layout();
  CSegArray* blocks = GetBlockArray();
  // An empty drawing follows the window: its page stays whole in view.
  if (blocks && blocks->GetSize() == 0) {
    ZoomToWholePage();
    m_rulers->InvalidateRulers(TRUE, TRUE);
    Invalidate(FALSE);
  }
}

void CTALVEX42View::OnDraw(CDC* dc) {
  RECT client;
  GetClientRect(&client);
  ::FillRect(dc->GetSafeHdc(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  CMatrix2D* matrix = GetDisplayMatrix();
  if (!matrix || !GetDocument()) return;
  DrawPage(dc, *matrix);
  DrawGrid(dc, *matrix);
  m_outputAreas.Draw(dc, *matrix);
  m_rulers->DrawGuides(dc, *matrix);
}

BOOL CTALVEX42View::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return m_outputAreas.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
         CTALVEXView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CTALVEX42View::OnOpenCutWindow() {
  CCutFrame::Open(this, GetDocument(), g_cutterDevice, g_cutSettings, theApp.GetLanguage());
}

void CTALVEX42View::DrawPage(CDC* dc, const CMatrix2D& matrix) {
  CPageSettings& settings = GetDocument()->GetPageSettings();
  CFRect page(0.0f, 0.0f, settings.m_width, settings.m_height);
  RECT pixels;
  matrix.TransformRectToInt(&page, &pixels);
  HDC hdc = dc->GetSafeHdc();
  HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(NULL_PEN));
  HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(GRAY_BRUSH));
  // Null-pen rectangles leave out their right and bottom edges: one pixel more each way.
  ::Rectangle(hdc, pixels.right, pixels.top + kShadow, pixels.right + kShadow + 1,
              pixels.bottom + kShadow + 1);
  ::Rectangle(hdc, pixels.left + kShadow, pixels.bottom, pixels.right + kShadow + 1,
              pixels.bottom + kShadow + 1);
  CBrush paper(ToColorRef(settings.m_backColor));
  CPen edge(PS_SOLID, 1, ToColorRef(settings.m_backColor));
  ::SelectObject(hdc, paper.m_hObject);
  ::SelectObject(hdc, edge.m_hObject);
  ::Rectangle(hdc, pixels.left, pixels.top, pixels.right, pixels.bottom);
  ::SelectObject(hdc, oldBrush);
  ::SelectObject(hdc, oldPen);
}

void CTALVEX42View::DrawGrid(CDC* dc, const CMatrix2D& matrix) {
  CPageSettings& settings = GetDocument()->GetPageSettings();
  int grid = settings.m_gridSize;
  if (grid < 1) return;
  double scale = GetScale();
  CFRect visible = m_rulers->GetVisiblePageRect();
  CPen pen(PS_SOLID, 1, ToColorRef(settings.m_gridColor));
  CPen* previousPen = dc->SelectObject(&pen);
  int previousMode = dc->SetROP2(R2_NOTXORPEN);
  auto clip = [](float value, float low, float high) {
    return std::min(std::max(value, low), high);
  };
  // Only the lines in view: a fine grid on a large page would otherwise draw millions.
  double firstX = std::max(1.0, std::ceil(visible.left / static_cast<double>(grid))) * grid;
  for (double x = firstX; x < settings.m_width && x <= visible.right; x += grid) {
    FPOINT top = {static_cast<float>(x),
                  clip(static_cast<float>(scale), visible.top, visible.bottom)};
    FPOINT bottom = {static_cast<float>(x), clip(settings.m_height, visible.top, visible.bottom)};
    POINT from, to;
    matrix.TransformPointToInt(&top, &from);
    matrix.TransformPointToInt(&bottom, &to);
    dc->MoveTo(from);
    dc->LineTo(to);
  }
  double firstY = std::max(1.0, std::ceil(visible.top / static_cast<double>(grid))) * grid;
  for (double y = firstY; y < settings.m_height && y <= visible.bottom; y += grid) {
    FPOINT left = {clip(static_cast<float>(scale), visible.left, visible.right),
                   static_cast<float>(y)};
    FPOINT right = {clip(settings.m_width, visible.left, visible.right), static_cast<float>(y)};
    POINT from, to;
    matrix.TransformPointToInt(&left, &from);
    matrix.TransformPointToInt(&right, &to);
    dc->MoveTo(from);
    dc->LineTo(to);
  }
  dc->SetROP2(previousMode);
  dc->SelectObject(previousPen);
}

void CTALVEX42View::DrawOverlay(CDC* dc) {
  CMatrix2D* matrix = GetDisplayMatrix();
  if (!matrix || !m_hWnd) return;
  if (dc) {
    m_rulers->DrawGuides(dc, *matrix);
    return;
  }
  CClientDC own(this);
  m_rulers->DrawGuides(&own, *matrix);
}

void CTALVEX42View::OnLButtonDown(UINT flags, CPoint point) {
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  if (m_outputAreas.OnLButtonDown(flags, x, y)) {
    SetCapture();
    return;
  }
  if (m_rulers && ToolTakesGuides() && m_rulers->OnGuideButtonDown(flags, point.x, point.y))
    SetCapture();
}

void CTALVEX42View::OnMouseMove(UINT flags, CPoint point) {
  CTALVEXView::OnMouseMove(flags, point);
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  if (m_outputAreas.OnMouseMove(flags, x, y)) return;
  if (m_rulers) m_rulers->OnGuideMouseMove(flags, point.x, point.y);
}

void CTALVEX42View::OnLButtonUp(UINT flags, CPoint point) {
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  if (m_outputAreas.OnLButtonUp(flags, x, y)) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    return;
  }
  if (m_rulers && m_rulers->OnGuideButtonUp(flags, point.x, point.y) && ::GetCapture() == m_hWnd)
    ::ReleaseCapture();
}

void CTALVEX42View::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  CTALVEXView::OnActivateView(activate, activateView, deactiveView);
  if (!activate) return;
  CWnd* mainWindow = AfxGetMainWnd();
  if (!mainWindow || !mainWindow->IsKindOf(RUNTIME_CLASS(CMDIMainFrame))) return;
  CMDIMainFrame* frame = static_cast<CMDIMainFrame*>(mainWindow);
  frame->ShowControlBars(frame->GetBarsToShow(), 0xFFFF);
  frame->PostMessage(WM_COMMAND, ID_VIEW_ACTIVATED, 0);
}
