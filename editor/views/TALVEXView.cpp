#include "editor/views/TALVEXView.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "editor/views/ScrollThrottle.h"
#include "framework/ClientDC.h"
#include "framework/CmdUI.h"
#include "framework/KeyState.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/XorScope.h"

IMPLEMENT_DYNAMIC(CTALVEXView, CView)

// clang-format off
BEGIN_MESSAGE_MAP(CTALVEXView, CView)
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_COMMAND(kPolygonSettingsCommand, OnPolygonSettings)
  ON_UPDATE_COMMAND_UI(kSnapGridCommand, OnUpdateSnapGrid)
END_MESSAGE_MAP()
// clang-format on

namespace {

// A page of absurd size must not overflow the scroll bars' integers.
int ToScrollUnits(double value) {
  const double limit = INT_MAX / 4;
  if (!(value > -limit)) return static_cast<int>(-limit);
  if (!(value < limit)) return static_cast<int>(limit);
  return static_cast<int>(value);
}

CPen* PenForCode(WORD code) {
  switch (code & 0x000F) {
    case 0:
      return CFeedbackTools::BlueDottedPen();
    case 2:
      return CFeedbackTools::RedPen();
    case 3:
      return CFeedbackTools::BluePen();
    default:
      return nullptr;  // the stock black pen
  }
}

}  // namespace

CTALVEXView::~CTALVEXView() = default;

bool CTALVEXView::DrawsInto(const CBlock& block, const CFRect& area) {
  // Most blocks draw inside their boxes: only those that miss the area are asked for more.
  return block.m_box.Meets(area) || block.GetDrawnBox().Meets(area);
}

BOOL CTALVEXView::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                         CWnd* parent, UINT id, CCreateContext* context) {
  return CView::Create(className, windowName, style | WS_MAXIMIZE, rect, parent, id, context);
}

BOOL CTALVEXView::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  return CView::PreCreateWindow(cs);
}

BOOL CTALVEXView::CreateRulers(int thickness) {
  m_rulers = std::make_unique<CRulerManager>(this);
  return m_rulers->Create(thickness);
}

CMatrix2D* CTALVEXView::GetDisplayMatrix() {
  return m_rulers ? m_rulers->GetDisplayMatrix() : nullptr;
}

double CTALVEXView::GetScale() { return m_rulers ? m_rulers->GetScale() : 1.0; }

CPageSettings* CTALVEXView::GetPageSettings() {
  CDocument* document = GetDocument();
  if (!document || !document->IsKindOf(RUNTIME_CLASS(CTALVEX42Doc))) return nullptr;
  return &static_cast<CTALVEX42Doc*>(document)->GetPageSettings();
}

SIZE CTALVEXView::ClientSize() const {
  SIZE size = {0, 0};
  if (!m_hWnd) return size;
  RECT client;
  GetClientRect(&client);
  size.cx = client.right;
  size.cy = client.bottom;
  return size;
}

void CTALVEXView::DeviceToPage(int x, int y, float* pageX, float* pageY) const {
  if (!m_rulers) {
    *pageX = static_cast<float>(x);
    *pageY = static_cast<float>(y);
    return;
  }
  m_rulers->DeviceToPage(x, y, pageX, pageY);
}

void CTALVEXView::DeviceRectToPage(int left, int top, int right, int bottom, CFRect* page) const {
  DeviceToPage(left, top, &page->left, &page->top);
  DeviceToPage(right, bottom, &page->right, &page->bottom);
}

void CTALVEXView::ZoomToRect(const CFRect& rect) {
  if (!m_rulers) return;
  m_rulers->ZoomToRect(&rect);
  m_rulers->Layout();
}

void CTALVEXView::ZoomToWholePage() {
  ZoomToRect(CFRect(-10.0f, -10.0f, m_pageWidth, m_pageHeight));
}

void CTALVEXView::ZoomOutAroundCentre() {
  SIZE client = ClientSize();
  CFRect area;
  DeviceRectToPage(-client.cx / 2, -client.cy / 2, client.cx + client.cx / 2,
                   client.cy + client.cy / 2, &area);
  ZoomToRect(area);
}

void CTALVEXView::SetPageAndFit(float left, float top, float width, float height) {
  m_pageWidth = width;
  m_pageHeight = height;
  // Callers pass a box at the origin: its size is its far corner.
  ZoomToRect(CFRect(left, top, width, height));
  if (!m_rulers || !m_hWnd) return;
  double larger = std::max(width, height);
  for (int bar : {SB_HORZ, SB_VERT})
    SetScrollRange(bar, ToScrollUnits(-2.0 * larger), ToScrollUnits(3.0 * larger), TRUE);
  UpdateScrollPositions();
  m_rulers->InvalidateRulers(TRUE, TRUE);
}

void CTALVEXView::UpdateScrollPositions() {
  FPOINT origin = m_rulers->GetOrigin();
  SetScrollPos(SB_HORZ, ToScrollUnits(origin.x), TRUE);
  SetScrollPos(SB_VERT, ToScrollUnits(origin.y), TRUE);
}

bool CTALVEXView::ScrollDistance(UINT code, int clientExtent, int* distance) {
  switch (code) {
    case SB_LINEUP:
      *distance = clientExtent / 10;
      return true;
    case SB_LINEDOWN:
      *distance = -(clientExtent / 10);
      return true;
    case SB_PAGEUP:
      *distance = clientExtent / 3;
      return true;
    case SB_PAGEDOWN:
      *distance = -(clientExtent / 3);
      return true;
    default:
      return false;
  }
}

void CTALVEXView::OnHScroll(UINT code, UINT, CScrollBar*) {
  int distance = 0;
  if (!m_rulers || !ScrollDistance(code, ClientSize().cx, &distance)) return;
  if (!CScrollThrottle::Horizontal().Accept()) return;
  ScrollPicture(distance, 0);
}

void CTALVEXView::OnVScroll(UINT code, UINT, CScrollBar*) {
  int distance = 0;
  if (!m_rulers || !ScrollDistance(code, ClientSize().cy, &distance)) return;
  if (!CScrollThrottle::Vertical().Accept()) return;
  ScrollPicture(0, distance);
}

void CTALVEXView::ScrollPicture(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  DrawOverlay(nullptr);
  m_rulers->Scroll(dx, dy);
  SIZE client = ClientSize();
  int thickness = m_rulers->GetThickness();
  RECT picture = {thickness, thickness, std::max(thickness, static_cast<int>(client.cx)),
                  std::max(thickness, static_cast<int>(client.cy))};
  ScrollWindow(dx, dy, &picture, &picture);
  // The overlay goes back onto the moved picture before the uncovered strip is painted: painting
  // draws the overlay there itself, and drawing it once more would erase it.
  DrawOverlay(nullptr);
  UpdateWindow();
  UpdateScrollPositions();
}

void CTALVEXView::OnMouseMove(UINT flags, CPoint point) {
  if (!m_rulers) return;
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  m_rulers->UpdateCursorMarks(x, y);
  // Only a drag pressed in this view scrolls it: the button may be down from elsewhere, as when a
  // double click closes a file dialog over the view.
  if ((flags & MK_LBUTTON) && ::GetCapture() == m_hWnd) EdgeScroll(point);
  if (m_rubberBandState == kNoBand) return;
  DrawRubberBand();
  m_rubberBand.right = x;
  m_rubberBand.bottom = y;
  DrawRubberBand();
}

void CTALVEXView::EdgeScroll(CPoint point) {
  SIZE client = ClientSize();
  int thickness = m_rulers->GetThickness();
  if (point.x > thickness && point.x < thickness + kEdgeInside)
    OnHScroll(SB_LINELEFT, 0, nullptr);
  else if (point.x > client.cx - kEdgeOutside && point.x < client.cx)
    OnHScroll(SB_LINERIGHT, 0, nullptr);
  if (point.y > thickness && point.y < thickness + kEdgeInside)
    OnVScroll(SB_LINEUP, 0, nullptr);
  else if (point.y > client.cy - kEdgeOutside && point.y < client.cy)
    OnVScroll(SB_LINEDOWN, 0, nullptr);
}

void CTALVEXView::OnRButtonDown(UINT flags, CPoint point) {
  SetCapture();
  if (!(flags & MK_SHIFT)) return;
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  m_rubberBand = CFRect(x, y, x, y);
  m_rubberBandState = kZoomBox;
  DrawRubberBand();
}

void CTALVEXView::OnRButtonUp(UINT flags, CPoint) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  WORD state = m_rubberBandState;
  if (state != kNoBand) {
    DrawRubberBand();
    m_rubberBand.Normalize();
  }
  // The band is gone from the screen whatever follows; a state left behind would draw it again
  // on the next move.
  m_rubberBandState = kNoBand;
  if (!m_rulers) return;
  if (AfxIsKeyDown(VK_MENU)) {
    ZoomOutAroundCentre();
  } else if ((flags & MK_SHIFT) && (state & kBandRect)) {
    double least = 3.0 * GetScale();
    if (m_rubberBand.Width() >= least && m_rubberBand.Height() >= least)
      ZoomToRect(m_rubberBand);
    else if (m_currentTool == kNodeTool)
      ZoomOutAroundCentre();
    else
      ZoomToWholePage();
  } else {
    return;
  }
  m_rulers->InvalidateRulers(TRUE, TRUE);
  Invalidate(TRUE);
}

void CTALVEXView::OnUpdateSnapGrid(CCmdUI* cmdUI) {
  cmdUI->SetCheck((AfxGetKeyState(VK_SCROLL) & 0x0001) ? 1 : 0);
}

void CTALVEXView::DrawRubberBand() {
  if (m_rubberBandState == kNoBand || !m_hWnd) return;
  CClientDC dc(this);
  DrawShape(&dc, m_rubberBandState, m_rubberBand);
}

void CTALVEXView::DrawShapeFeedback(WORD code) {
  if (!m_hWnd) return;
  CClientDC dc(this);
  DrawShape(&dc, code, m_rubberBand);
}

void CTALVEXView::DrawShape(CDC* dc, WORD code, const CFRect& band) {
  CMatrix2D* matrix = GetDisplayMatrix();
  if (!matrix || code == kNoBand) return;
  CFRect corners = band;
  RECT pixels;
  matrix->TransformRectToInt(&corners, &pixels);
  CXorScope scope(dc, PenForCode(code));
  WORD shape = code == kBandNodeRect ? static_cast<WORD>(kBandRect)
                                     : static_cast<WORD>(code & ~0x000F);
  switch (shape) {
    case kBandLine:
      dc->MoveTo(pixels.left, pixels.top);
      dc->LineTo(pixels.right, pixels.bottom);
      break;
    case kBandRect:
      dc->Rectangle(&pixels);
      break;
    case kBandEllipse:
      dc->Ellipse(&pixels);
      break;
    case kBandRoundRect: {
      SIZE corner;
      if (GetRoundCorner(pixels, &corner))
        dc->RoundRect(&pixels, CPoint(corner.cx, corner.cy));
      else
        dc->Rectangle(&pixels);
      break;
    }
    default:
      break;
  }
}
