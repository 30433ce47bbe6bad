#include "editor/cut/CUTView.h"

#include <cmath>
#include <cstdio>

#include "editor/cut/CutFrame.h"
#include "editor/views/PaintBuffer.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "media/WeldDll.h"
#include "model/blocks/Block.h"
#include "model/editing/FeedbackTools.h"
#include "output/CutSettings.h"

IMPLEMENT_DYNCREATE(CCUTView, CTALVEXView)

// clang-format off
BEGIN_MESSAGE_MAP(CCUTView, CTALVEXView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
END_MESSAGE_MAP()
// clang-format on

namespace {

// The rubber-band code of a black XOR line.
const WORD kBlackLine = CTALVEXView::kBandLine | 1;
// Blocks of this type never show in the preview; a selection state of 2 hides a block too.
const BYTE kHiddenType = 240;
const int kHiddenSelection = 2;
// The media is drawn clamped to the client area widened by this many pixels.
const int kMediaMargin = 2;

bool IsVerticalEdge(int tool) {
  return tool == CCUTView::kLeftEdgeTool || tool == CCUTView::kRightEdgeTool;
}

}  // namespace

CCUTView::CCUTView() : m_noUndo(0), m_press{0.0f, 0.0f}, m_dragStarted(false) {
  m_currentTool = kSelectTool;
  m_selection.Init();
}

CCUTView::~CCUTView() = default;

CCutFrame* CCUTView::Frame() const { return dynamic_cast<CCutFrame*>(GetParentFrame()); }

CSegArray* CCUTView::GetBlockArray() { return m_preview ? &m_preview->GetBlocks() : nullptr; }

CFRect& CCUTView::Media() { return m_preview->GetSettings().m_mediaRect; }

float CCUTView::Tolerance() { return static_cast<float>(kEdgePixels * GetScale()); }

bool CCUTView::IsEdgeTool() const {
  return m_currentTool >= kLeftEdgeTool && m_currentTool <= kBottomEdgeTool;
}

BOOL CCUTView::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_HSCROLL | WS_VSCROLL;
  if (!CTALVEXView::PreCreateWindow(cs)) return FALSE;
  // No class cursor: the view sets the arrow or an edge cursor as the pointer moves.
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr,
                                     static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  return TRUE;
}

int CCUTView::OnCreate(LPCREATESTRUCTA cs) {
  if (CTALVEXView::OnCreate(cs) == -1) return -1;
  CCutFrame* frame = Frame();
  if (!frame) return -1;
  m_preview.reset(new CCutPreview(frame->GetSettings()));
  m_preview->SetDocument(frame->GetDocument());
  frame->SetCutView(this);
  return 0;
}

void CCUTView::OnInitialUpdate() {
  CTALVEXView::OnInitialUpdate();
  m_currentTool = kSelectTool;
  if (!m_preview) return;
  m_preview->GetBlocks().DeleteAll();
  const CFRect& media = Media();
  if (!m_rulers) {
    CreateRulers(kRulerThickness);
    SetPageBox(media.left, media.top, media.right - media.left, media.bottom - media.top);
  }
  // The job is a private copy: the tracker changes no document and edits nothing but positions.
  m_selection.Attach(this, nullptr, m_rulers.get(), false);
  // One binding of the transform library serves every build of this window.
  m_library.reset(new CWeldDll);
  m_library->Bind();
  m_preview->SetLibrary(m_library.get());
  m_preview->BuildPreview();
  FillColourList();
  CFRect box = m_preview->GetViewBox();
  SetPageBox(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

void CCUTView::FillColourList() {
  CCutFrame* frame = Frame();
  if (!frame || !frame->GetOptionsBar().m_hWnd) return;
  HWND list = frame->GetOptionsBar().GetOptionsPage().GetColourList();
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  m_preview->GetBlocks().AddColoursToCombo(list);
}

void CCUTView::OnSize(UINT, int, int) {
  if (m_rulers) m_rulers->Layout();
}

// ---- Painting ----

void CCUTView::OnDraw(CDC* dc) {
  CMatrix2D* matrix = GetDisplayMatrix();
  RECT client, repaint;
  GetClientRect(&client);
  if (::GetClipBox(dc->GetSafeHdc(), &repaint) == NULLREGION || !matrix || !m_preview) return;
  // Blocks are chosen by their boxes, but their pixels may lie a little past them.
  CFRect repaintPage;
  DeviceRectToPage(repaint.left - kPaintMarginPixels, repaint.top - kPaintMarginPixels,
                   repaint.right + kPaintMarginPixels, repaint.bottom + kPaintMarginPixels,
                   &repaintPage);
  CPaintBuffer buffer(dc->GetSafeHdc(), repaint);
  ::FillRect(buffer.Context(), &client, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  CDC* target = CDC::FromHandle(buffer.Context());
  DrawMedia(target, *matrix, client);
  DrawJob(target, matrix, repaintPage);
  m_selection.Draw(target, matrix);
  DrawPageRect(target, *matrix);
}

void CCUTView::DrawMedia(CDC* dc, const CMatrix2D& matrix, const RECT& client) {
  CFRect media = Media();
  RECT pixels;
  matrix.TransformRect(&media, &pixels);
  // A far zoom would take the rectangle beyond what GDI draws reliably.
  pixels.left = std::max<LONG>(pixels.left, -kMediaMargin);
  pixels.top = std::max<LONG>(pixels.top, -kMediaMargin);
  pixels.right = std::min<LONG>(pixels.right, client.right + kMediaMargin);
  pixels.bottom = std::min<LONG>(pixels.bottom, client.bottom + kMediaMargin);
  HDC hdc = dc->GetSafeHdc();
  HGDIOBJ pen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
  HGDIOBJ brush = ::SelectObject(hdc, ::GetStockObject(WHITE_BRUSH));
  ::Rectangle(hdc, pixels.left, pixels.top, pixels.right, pixels.bottom);
  ::SelectObject(hdc, brush);
  ::SelectObject(hdc, pen);
}

void CCUTView::DrawJob(CDC* dc, CMatrix2D* matrix, const CFRect& repaint) {
  CSegArray& blocks = m_preview->GetBlocks();
  for (INT_PTR i = blocks.GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_selected == kHiddenSelection || block->m_type == kHiddenType) continue;
    if (DrawsInto(*block, repaint)) block->Draw(dc, matrix, 0);
  }
}

void CCUTView::DrawPageRect(CDC* dc, const CMatrix2D& matrix) {
  CFRect page = m_preview->GetPageRect();
  RECT pixels;
  matrix.TransformRect(&page, &pixels);
  HDC hdc = dc->GetSafeHdc();
  HGDIOBJ pen = ::SelectObject(hdc, CFeedbackTools::GreyPen()->GetSafeHandle());
  HGDIOBJ brush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
  ::Rectangle(hdc, pixels.left, pixels.top, pixels.right, pixels.bottom);
  ::SelectObject(hdc, brush);
  ::SelectObject(hdc, pen);
}

// ---- Media edges ----

int CCUTView::EdgeToolAt(const CFRect& media, float t, float x, float y) {
  if (x < media.left - t || x > media.right + t || y < media.top - t || y > media.bottom + t)
    return 0;
  if (std::fabs(x - media.left) < t) return kLeftEdgeTool;
  if (std::fabs(x - media.right) < t) return kRightEdgeTool;
  if (std::fabs(y - media.top) < t) return kTopEdgeTool;
  if (std::fabs(y - media.bottom) < t) return kBottomEdgeTool;
  return 0;
}

CFRect CCUTView::MoveEdge(const CFRect& media, int tool, float x, float y) {
  CFRect moved = media;
  const float width = media.right - media.left, height = media.bottom - media.top;
  switch (tool) {
    case kLeftEdgeTool:
      moved.left = x;
      moved.right = x + width;
      break;
    case kRightEdgeTool:
      moved.right = media.left + std::fabs(x - media.left);
      break;
    case kTopEdgeTool:
      moved.top = y;
      moved.bottom = y + height;
      break;
    case kBottomEdgeTool:
      moved.bottom = media.top + std::fabs(y - media.top);
      break;
    default:
      break;
  }
  return moved;
}

void CCUTView::SetEdgeCursor(int tool) {
  LPCSTR cursor = tool == 0 ? IDC_ARROW : IsVerticalEdge(tool) ? IDC_SIZEWE : IDC_SIZENS;
  ::SetCursor(::LoadCursorA(nullptr, cursor));
}

void CCUTView::PlaceEdgeLine(int tool, float x, float y) {
  const CFRect& media = Media();
  if (IsVerticalEdge(tool))
    m_rubberBand = CFRect(x, media.top, x, media.bottom);
  else
    m_rubberBand = CFRect(media.left, y, media.right, y);
}

void CCUTView::ShowMediaSize(UINT control, float size) {
  CCutFrame* frame = Frame();
  if (!frame || !frame->GetDeviceBar().m_hWnd) return;
  char text[32];
  snprintf(text, sizeof text, "%.1f", size);
  ::SetDlgItemTextA(frame->GetDeviceBar().m_hWnd, static_cast<int>(control), text);
}

CViewMouseTarget::Event CCUTView::MouseEvent(UINT flags, CPoint point) const {
  CViewMouseTarget::Event event = {flags, 0.0f, 0.0f, {point.x, point.y}};
  DeviceToPage(point.x, point.y, &event.x, &event.y);
  return event;
}

// A press on a media edge takes the edge; any other press goes to the selection tracker.
void CCUTView::OnLButtonDown(UINT flags, CPoint point) {
  if (!m_preview) return;
  SetFocus();
  SetCapture();
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  if (m_rulers) m_rulers->UpdateCursorMarks(x, y);
  m_press = FPOINT{x, y};
  m_dragStarted = false;
  const CFRect& media = Media();
  int tool = EdgeToolAt(media, Tolerance(), x, y);
  SetEdgeCursor(tool);
  if (tool == 0) {
    m_selection.OnLButtonDown(MouseEvent(flags, point));
    return;
  }
  PlaceEdgeLine(tool, tool == kLeftEdgeTool ? media.left : media.right,
                tool == kTopEdgeTool ? media.top : media.bottom);
  DrawShapeFeedback(kBlackLine);
  m_currentTool = tool;
}

void CCUTView::OnMouseMove(UINT flags, CPoint point) {
  if (!m_preview) return;
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  if (!(flags & MK_LBUTTON) || !IsEdgeTool()) {
    CTALVEXView::OnMouseMove(flags, point);
    if (!(flags & MK_LBUTTON)) SetEdgeCursor(EdgeToolAt(Media(), Tolerance(), x, y));
    m_selection.OnMouseMove(MouseEvent(flags, point));
    return;
  }
  if (m_rulers) m_rulers->UpdateCursorMarks(x, y);
  const float t = Tolerance();
  if (!m_dragStarted && std::fabs(x - m_press.x) <= t && std::fabs(y - m_press.y) <= t) return;
  m_dragStarted = true;
  DrawShapeFeedback(kBlackLine);
  PlaceEdgeLine(m_currentTool, x, y);
  DrawShapeFeedback(kBlackLine);
  CFRect& media = Media();
  if (m_currentTool == kRightEdgeTool) {
    media = MoveEdge(media, m_currentTool, x, y);
    ShowMediaSize(CCutDeviceBar::kMediaWidth, media.right - media.left);
  } else if (m_currentTool == kBottomEdgeTool) {
    media = MoveEdge(media, m_currentTool, x, y);
    ShowMediaSize(CCutDeviceBar::kMediaHeight, media.bottom - media.top);
  }
}

// A click on an edge without a drag changes nothing and gives the pointer back: an edge tool left
// current would move that edge on the next drag anywhere in the view.
void CCUTView::OnLButtonUp(UINT flags, CPoint point) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  if (!m_preview) return;
  if (!IsEdgeTool()) {
    m_selection.OnLButtonUp(MouseEvent(flags, point));
    return;
  }
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  DrawShapeFeedback(kBlackLine);
  if (m_dragStarted) {
    CFRect& media = Media();
    media = MoveEdge(media, m_currentTool, x, y);
    ShowMediaSize(CCutDeviceBar::kMediaWidth, media.right - media.left);
    ShowMediaSize(CCutDeviceBar::kMediaHeight, media.bottom - media.top);
  }
  m_dragStarted = false;
  m_currentTool = kSelectTool;
  Invalidate(FALSE);
}

void CCUTView::OnRButtonDown(UINT flags, CPoint point) { CTALVEXView::OnRButtonDown(flags, point); }

void CCUTView::OnRButtonUp(UINT flags, CPoint point) { CTALVEXView::OnRButtonUp(flags, point); }

// ---- Job commands ----

void CCUTView::FitJobAndMedia() {
  if (!m_preview) return;
  ZoomToRect(m_preview->GetViewBox());
  if (m_rulers) m_rulers->InvalidateRulers(TRUE, TRUE);
  Invalidate(FALSE);
}

// The rebuild deletes the blocks the tracker holds: it lets go of them first.
void CCUTView::Rebuild() {
  if (!m_preview) return;
  m_selection.Refresh(nullptr, TRUE);
  m_preview->RebuildPreview();
  Invalidate(FALSE);
}

void CCUTView::JobMoved() {
  m_selection.Recount();
  Invalidate(FALSE);
}

void CCUTView::SetSavePaper(bool on) {
  if (!m_preview) return;
  m_preview->SetSavePaper(on);
  JobMoved();
}

void CCUTView::MirrorJob() {
  if (!m_preview) return;
  m_preview->MirrorJob();
  JobMoved();
}

void CCUTView::RotateJob() {
  if (!m_preview) return;
  m_preview->RotateJob();
  JobMoved();
}

bool CCUTView::ScaleJob(float zoom) {
  if (!m_preview || !m_preview->ScaleJob(zoom)) return false;
  JobMoved();
  return true;
}

void CCUTView::StepMedia(CCutPreview::Step step) {
  if (!m_preview) return;
  if (!m_preview->StepMedia(step)) ::MessageBeep(0);
  Invalidate(FALSE);
}
