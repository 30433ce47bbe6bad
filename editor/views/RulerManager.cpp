#include "editor/views/RulerManager.h"

#include <algorithm>
#include <cmath>

#include "editor/ProgramObjects.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/dialogs/GuidePanelDlg.h"
#include "editor/views/TALVEXView.h"
#include "framework/ClientDC.h"
#include "framework/Document.h"
#include "framework/KeyState.h"
#include "framework/Pen.h"
#include "model/blocks/GuideLine.h"
#include "model/document/AuxObjectList.h"
#include "model/document/PageSettings.h"

namespace {

// One guide move runs at a time in the whole program.
FPOINT g_lastGuidePoint = {0.0f, 0.0f};
int g_guidesMoved = 0;

void DefaultBeep(UINT type) { ::MessageBeep(type); }
CRulerManager::BeepFunction g_beep = &DefaultBeep;

bool IsHorizontalAngle(double angle) { return angle == 0.0 || angle == 180.0 || angle == 360.0; }
bool IsVerticalAngle(double angle) { return angle == 90.0 || angle == 270.0; }
bool IsHeld(int key) { return (AfxGetAsyncKeyState(key) & 0x8000) != 0; }

// Moves the rectangle by the same amount on both of its sides of one axis.
void Shift(float* low, float* high, float by) {
  *low += by;
  *high += by;
}

}  // namespace

CRulerManager::CRulerManager(CTALVEXView* view)
    : m_horizontal(CRulerWnd::kHorizontal),
      m_vertical(CRulerWnd::kVertical),
      m_corner(CRulerWnd::kCorner),
      m_view(view) {}

CRulerManager::~CRulerManager() {
  // The guide list is the document's: it is only forgotten here.
  m_guides = nullptr;
}

CRulerManager::BeepFunction CRulerManager::SetBeepFunction(BeepFunction beep) {
  BeepFunction previous = g_beep;
  g_beep = beep ? beep : &DefaultBeep;
  return previous;
}

BOOL CRulerManager::Create(int thickness) {
  m_thickness = thickness;
  if (!m_view || !m_view->m_hWnd) return FALSE;
  if (!m_horizontal.CreateIn(m_view) || !m_vertical.CreateIn(m_view) || !m_corner.CreateIn(m_view))
    return FALSE;
  m_corner.MoveWindow(0, 0, thickness, thickness);
  m_corner.ShowWindow(SW_SHOW);
  return TRUE;
}

SIZE CRulerManager::ClientSize() const {
  SIZE size = {0, 0};
  if (!m_view || !m_view->m_hWnd) return size;
  RECT client;
  m_view->GetClientRect(&client);
  size.cx = client.right;
  size.cy = client.bottom;
  return size;
}

void CRulerManager::Layout() {
  if (!m_horizontal.m_hWnd || !m_vertical.m_hWnd) return;
  SIZE client = ClientSize();
  // A client no wider than the rulers leaves them empty instead of wrapping to a huge width.
  int width = std::max(0, static_cast<int>(client.cx) - m_thickness);
  int height = std::max(0, static_cast<int>(client.cy) - m_thickness);
  m_horizontal.MoveWindow(m_thickness, -1, width, m_thickness + 1);
  m_vertical.MoveWindow(-1, m_thickness, m_thickness + 1, height);
  m_horizontal.ShowWindow(SW_SHOW);
  m_vertical.ShowWindow(SW_SHOW);
  m_horizontal.UpdateWindow();
  m_vertical.UpdateWindow();
}

int CRulerManager::TickUnitFor(double scale) {
  // The power of ten just above the scale, so that a tick spans 1 to 10 pixels...
  int unit = 1;
  while (unit < kMaxUnit && !(scale < unit)) unit *= 10;
  // ...and at least 3, so that ticks stay apart.
  if (unit < kMaxUnit && unit < 3.0 * scale) unit *= 10;
  return unit;
}

CRulerManager::Fit CRulerManager::FitRect(const CFRect& rect, int clientWidth, int clientHeight,
                                          int thickness) {
  // At least one pixel across, so that a client hidden under the rulers divides by no zero.
  double width = std::max(clientWidth - thickness, 1);
  double height = std::max(clientHeight - thickness, 1);
  double rectWidth = static_cast<double>(rect.right) - rect.left;
  double rectHeight = static_cast<double>(rect.bottom) - rect.top;
  double scale = std::max(rectWidth / width, rectHeight / height);
  if (!(scale >= kMinScale)) scale = kMinScale;
  if (scale > kMaxScale) scale = kMaxScale;
  Fit fit;
  fit.scale = scale;
  fit.unit = TickUnitFor(scale);
  fit.originX = static_cast<float>(rect.left - (scale * width - rectWidth) / 2.0);
  fit.originY = static_cast<float>(rect.top - (scale * height - rectHeight) / 2.0);
  return fit;
}

double CRulerManager::ZoomToRect(const CFRect* rect) {
  if (!rect) return 1.0;
  SIZE client = ClientSize();
  ApplyFit(FitRect(*rect, client.cx, client.cy, m_thickness));
  return m_scale;
}

void CRulerManager::ApplyFit(const Fit& fit) {
  m_scale = fit.scale;
  m_unit = fit.unit;
  m_originX = fit.originX;
  m_originY = fit.originY;
  if (!m_matrix) m_matrix = std::make_unique<CMatrix2D>();
  m_matrix->SetIdentity();
  m_matrix->m[0] = m_matrix->m[4] = static_cast<float>(1.0 / m_scale);
  m_matrix->m[6] = static_cast<float>(m_thickness - m_originX / m_scale);
  m_matrix->m[7] = static_cast<float>(m_thickness - m_originY / m_scale);
  RefreshRulers();
  InvalidateRulers(TRUE, FALSE);
}

void CRulerManager::RefreshRulers() {
  m_horizontal.SetMetrics(m_scale, m_unit, m_originX);
  m_vertical.SetMetrics(m_scale, m_unit, m_originY);
}

void CRulerManager::InvalidateRulers(BOOL erase, BOOL updateNow) {
  for (CRulerWnd* ruler : {&m_horizontal, &m_vertical}) {
    if (!ruler->m_hWnd) continue;
    ruler->Invalidate(erase);
    if (updateNow) ruler->UpdateWindow();
  }
}

void CRulerManager::Scroll(int dx, int dy) {
  if (dx != 0) {
    m_originX = static_cast<float>(m_originX - dx * m_scale);
    if (m_matrix) m_matrix->m[6] += static_cast<float>(dx);
    m_horizontal.SetOrigin(m_originX);
    if (m_horizontal.m_hWnd) {
      m_horizontal.ScrollWindow(dx, 0);
      m_horizontal.Invalidate(FALSE);
    }
  }
  if (dy != 0) {
    m_originY = static_cast<float>(m_originY - dy * m_scale);
    if (m_matrix) m_matrix->m[7] += static_cast<float>(dy);
    m_vertical.SetOrigin(m_originY);
    if (m_vertical.m_hWnd) {
      m_vertical.ScrollWindow(0, dy);
      m_vertical.Invalidate(FALSE);
    }
  }
}

void CRulerManager::DeviceToPage(int x, int y, float* pageX, float* pageY) const {
  *pageX = static_cast<float>((x - m_thickness) * m_scale + m_originX);
  *pageY = static_cast<float>((y - m_thickness) * m_scale + m_originY);
}

CFRect CRulerManager::GetVisiblePageRect() const {
  SIZE client = ClientSize();
  return CFRect(m_originX, m_originY, static_cast<float>(m_originX + client.cx * m_scale),
                static_cast<float>(m_originY + client.cy * m_scale));
}

void CRulerManager::UpdateCursorMarks(float x, float y) {
  m_horizontal.MoveMarker(x);
  m_vertical.MoveMarker(y);
}

int CRulerManager::OnGuideButtonDown(UINT, int x, int y) {
  DeviceToPage(x, y, &g_lastGuidePoint.x, &g_lastGuidePoint.y);
  m_press = m_drag = {x, y};
  m_guideDrag = kNoDrag;
  if (x > 0 && x < m_thickness) m_guideDrag += kNewVertical;
  if (y > 0 && y < m_thickness) m_guideDrag += kNewHorizontal;
  if (m_guideDrag != kNoDrag) {
    DrawGuideDrag(nullptr);
    return 1;
  }
  return BeginGuideMove(x, y);
}

int CRulerManager::BeginGuideMove(int x, int y) {
  if (!m_guides || !m_matrix || !m_view) return 0;
  float pageX, pageY;
  DeviceToPage(x, y, &pageX, &pageY);
  CAuxObject* hit = m_guides->HitTest(pageX, pageY, static_cast<float>(kGuideTolerance * m_scale));
  CClientDC dc(m_view);
  CFRect visible = GetVisiblePageRect();
  if (!hit) {
    m_guides->DeselectAll(&dc, *m_matrix, visible);
    return 0;
  }
  if (hit->GetState() == CAuxObject::kNormalState) {
    m_guides->DeselectAll(&dc, *m_matrix, visible);
    m_guides->SelectObject(&dc, *m_matrix, visible, hit);
  }
  m_guides->MarkSelected(&dc, *m_matrix, visible);
  m_guideDrag = kMoveGuides;
  g_guidesMoved = 0;
  return 1;
}

int CRulerManager::OnGuideMouseMove(UINT, int x, int y) {
  if (m_guideDrag == kNoDrag) return 0;
  DrawGuideDrag(nullptr);
  m_drag = {x, y};
  float pageX, pageY;
  DeviceToPage(x, y, &pageX, &pageY);
  if (m_guideDrag == kMoveGuides && m_guides) {
    if (!g_guidesMoved && std::abs(x - m_press.x) < kGuideTolerance &&
        std::abs(y - m_press.y) < kGuideTolerance) {
      DrawGuideDrag(nullptr);
      return 1;
    }
    g_guidesMoved = 1;
    m_guides->OffsetSelected(pageX - g_lastGuidePoint.x, pageY - g_lastGuidePoint.y);
  }
  DrawGuideDrag(nullptr);
  g_lastGuidePoint = {pageX, pageY};
  return 1;
}

int CRulerManager::OnGuideButtonUp(UINT, int x, int y) {
  if (m_guideDrag == kNoDrag) return 0;
  DrawGuideDrag(nullptr);
  if (m_guideDrag == kMoveGuides)
    FinishGuideMove(x, y);
  else if (!IsOverRuler(x, y))
    AddNewGuides(x, y);
  m_guideDrag = kNoDrag;
  return 1;
}

void CRulerManager::AddNewGuides(int x, int y) {
  if (!m_guides) return;
  float pageX, pageY;
  DeviceToPage(x, y, &pageX, &pageY);
  std::unique_ptr<CClientDC> dc;
  if (m_view && m_view->m_hWnd) dc = std::make_unique<CClientDC>(m_view);
  CFRect visible = GetVisiblePageRect();
  for (double angle : {0.0, 90.0}) {
    bool wanted = angle == 0.0 ? (m_guideDrag & kNewHorizontal) : (m_guideDrag & kNewVertical);
    if (!wanted) continue;
    CGuideLine* guide = new CGuideLine(pageX, pageY, angle);
    m_guides->AddObject(guide);
    if (dc && m_matrix) guide->Draw(dc.get(), *m_matrix, visible);
  }
  // The guides are the document's: a new one must be offered for saving.
  if (m_view && m_view->GetDocument()) m_view->GetDocument()->SetModifiedFlag();
}

void CRulerManager::FinishGuideMove(int x, int y) {
  if (!m_guides || !m_matrix || !m_view) return;
  CClientDC dc(m_view);
  CFRect visible = GetVisiblePageRect();
  m_guides->SetSelectedState(&dc, *m_matrix, visible);
  if (IsOverRuler(x, y)) {
    g_beep(0);
    m_guides->DeleteSelected(m_view);
    // A guide leaves no picture of its own to invalidate: repaint where it was drawn.
    m_view->Invalidate(FALSE);
  } else {
    // Selected guides show their highlight too, as painting shows them; without it the next
    // deselection would draw the highlight instead of erasing it.
    m_guides->DrawSelected(&dc, *m_matrix, visible);
    if (g_propertyWnd && g_propertyWnd->m_hWnd) ShowGuidePanel(g_propertyWnd->m_hWnd);
  }
  if (g_guidesMoved || IsOverRuler(x, y)) {
    if (m_view->GetDocument()) m_view->GetDocument()->SetModifiedFlag();
  }
}

void CRulerManager::DrawGuideDrag(CDC* dc) {
  if (m_guideDrag == kNoDrag || !m_matrix || !m_view || !m_view->m_hWnd) return;
  std::unique_ptr<CClientDC> own;
  if (!dc) {
    own = std::make_unique<CClientDC>(m_view);
    dc = own.get();
  }
  if (m_guideDrag == kMoveGuides) {
    if (m_guides) m_guides->DrawSelected(dc, *m_matrix, GetVisiblePageRect());
    return;
  }
  SIZE client = ClientSize();
  CPen pen(PS_DASHDOT, 1, RGB(255, 0, 0));
  CPen* previousPen = dc->SelectObject(&pen);
  int previousMode = dc->SetROP2(R2_NOTXORPEN);
  if (m_guideDrag & kNewHorizontal) {
    dc->MoveTo(0, m_drag.y);
    dc->LineTo(client.cx, m_drag.y);
  }
  if (m_guideDrag & kNewVertical) {
    dc->MoveTo(m_drag.x, 0);
    dc->LineTo(m_drag.x, client.cy);
  }
  dc->SetROP2(previousMode);
  dc->SelectObject(previousPen);
}

void CRulerManager::DrawGuides(CDC* dc, const CMatrix2D& matrix) {
  if (!m_guides || !dc) return;
  CFRect visible = GetVisiblePageRect();
  for (INT_PTR i = 0; i < m_guides->GetSize(); ++i) {
    CAuxObject* guide = m_guides->GetObjectAt(i);
    switch (guide->GetState()) {
      case CAuxObject::kSelectedState:
        guide->DrawXor(dc, matrix, visible);
        guide->Draw(dc, matrix, visible);
        break;
      case CAuxObject::kMarkedState:
        guide->DrawXor(dc, matrix, visible);
        break;
      default:
        guide->Draw(dc, matrix, visible);
        break;
    }
  }
}

BOOL CRulerManager::AnyGuideSelected() const { return FirstSelectedGuide() != nullptr; }

BOOL CRulerManager::ShowGuidePanel(HWND host) {
  auto* guide = dynamic_cast<CGuideLine*>(FirstSelectedGuide());
  if (!guide || !host) return FALSE;
  return CGuidePanelDlg::ShowIn(host, *guide, m_scale) != nullptr;
}

BOOL CRulerManager::ApplyGuidePanel(HWND panel) {
  auto* guide = dynamic_cast<CGuideLine*>(FirstSelectedGuide());
  if (!guide || !CGuidePanelDlg::Apply(panel, *guide, m_scale)) {
    g_beep(0);
    return FALSE;
  }
  if (m_view) {
    // The guides are the document's, drawn by the view's paint.
    if (m_view->GetDocument()) m_view->GetDocument()->SetModifiedFlag();
    if (m_view->m_hWnd) {
      m_view->Invalidate(FALSE);
      m_view->SetFocus();
    }
  }
  return TRUE;
}

CAuxObject* CRulerManager::FirstSelectedGuide() const {
  if (!m_guides) return nullptr;
  for (INT_PTR i = 0; i < m_guides->GetSize(); ++i) {
    CAuxObject* guide = m_guides->GetObjectAt(i);
    if (guide->GetState() != CAuxObject::kNormalState) return guide;
  }
  return nullptr;
}

int CRulerManager::SnapRect(CFRect* rect, float tolerance) {
  if (!rect) return 0;
  if (tolerance == 0.0f) tolerance = static_cast<float>(kSnapPixels * m_scale);
  int snapped = 0;
  if (IsHeld('Z')) snapped |= SnapToGuides(rect, tolerance);
  if (IsHeld('X')) snapped |= SnapToPage(rect, tolerance);
  // The grid only when nothing nearer snapped: it would pull the rectangle off a guide or edge.
  if (!snapped && IsHeld('C')) snapped = SnapToGrid(rect, tolerance);
  return snapped;
}

int CRulerManager::SnapToGuides(CFRect* rect, float tolerance) const {
  if (!m_guides) return 0;
  int snapped = 0;
  for (INT_PTR i = 0; i < m_guides->GetSize(); ++i) {
    CAuxObject* object = m_guides->GetObjectAt(i);
    if (object->GetType() != CAuxObject::kGuideLineType) continue;
    CGuideLine* guide = static_cast<CGuideLine*>(object);
    if (IsHorizontalAngle(guide->GetAngle())) {
      float y = guide->GetY();
      if (std::fabs(rect->top - y) <= tolerance)
        Shift(&rect->top, &rect->bottom, y - rect->top);
      else if (std::fabs(rect->bottom - y) <= tolerance)
        Shift(&rect->top, &rect->bottom, y - rect->bottom);
      else
        continue;
      snapped = 1;
    } else if (IsVerticalAngle(guide->GetAngle())) {
      float x = guide->GetX();
      if (std::fabs(rect->left - x) <= tolerance)
        Shift(&rect->left, &rect->right, x - rect->left);
      else if (std::fabs(rect->right - x) <= tolerance)
        Shift(&rect->left, &rect->right, x - rect->right);
      else
        continue;
      snapped = 1;
    }
  }
  return snapped;
}

int CRulerManager::SnapToPage(CFRect* rect, float tolerance) const {
  const CPageSettings* page = m_view ? m_view->GetPageSettings() : nullptr;
  if (!page) return 0;
  int snapped = 0;
  if (std::fabs(rect->left) <= tolerance) {
    Shift(&rect->left, &rect->right, -rect->left);
    snapped = 1;
  } else if (std::fabs(rect->right - page->m_width) < tolerance) {
    Shift(&rect->left, &rect->right, page->m_width - rect->right);
    snapped = 1;
  }
  if (std::fabs(rect->top) <= tolerance) {
    Shift(&rect->top, &rect->bottom, -rect->top);
    snapped = 1;
  } else if (std::fabs(rect->bottom - page->m_height) < tolerance) {
    Shift(&rect->top, &rect->bottom, page->m_height - rect->bottom);
    snapped = 1;
  }
  return snapped;
}

int CRulerManager::SnapToGrid(CFRect* rect, float tolerance) const {
  const CPageSettings* page = m_view ? m_view->GetPageSettings() : nullptr;
  if (!page || page->m_gridSize <= 0) return 0;
  double grid = page->m_gridSize;
  auto nearestLine = [grid](float value) {
    return static_cast<float>(grid * std::trunc(value / grid + 0.5));
  };
  int snapped = 0;
  float* edges[4] = {&rect->left, &rect->right, &rect->top, &rect->bottom};
  for (int i = 0; i < 4; ++i) {
    float line = nearestLine(*edges[i]);
    float by = line - *edges[i];
    if (!(std::fabs(by) < tolerance)) continue;
    if (i < 2)
      Shift(&rect->left, &rect->right, by);
    else
      Shift(&rect->top, &rect->bottom, by);
    snapped = 1;
  }
  return snapped;
}
