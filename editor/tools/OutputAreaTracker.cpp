#include "editor/tools/OutputAreaTracker.h"

#include <algorithm>
#include <cmath>

#include "framework/DC.h"
#include "model/blocks/AuxObject.h"
#include "model/blocks/BlockView.h"
#include "model/document/AuxObjectList.h"
#include "model/document/TALVEX42Doc.h"
#include "model/editing/DrawUtils.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Matrix2D.h"

namespace {

// Tolerances in pixels: the handles lie this far outside the box, with this half-size; a press
// this close to an area or inside the widened box hits it; a drag must exceed the last.
const float kHandleDistance = 8.0f;
const float kHandleHalf = 3.0f;
const float kTrackerMargin = 5.0f;
const float kAreaTolerance = 2.0f;
const float kDragStart = 3.0f;
// What an invalidation of the tracker adds on each side: the handles outside the box.
const int kTrackerPixels = 8 + 3 + 1;
// The handles are tested in this order.
const int kHandleOrder[] = {1, 2, 3, 4, 0, 5, 6, 7, 8};

bool InRect(const CFRect& r, float x, float y) {
  return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

// A device context of the window for drawing outside painting.
class WindowDC {
public:
  explicit WindowDC(HWND window) : m_window(window), m_hdc(window ? ::GetDC(window) : nullptr) {
    if (m_hdc) m_dc.Attach(m_hdc);
  }
  ~WindowDC() {
    if (!m_hdc) return;
    m_dc.Detach();
    ::ReleaseDC(m_window, m_hdc);
  }
  CDC* Get() { return m_hdc ? &m_dc : nullptr; }

private:
  HWND m_window;
  HDC m_hdc;
  CDC m_dc;
};

}  // namespace

COutputAreaTracker::COutputAreaTracker(CBlockView* view)
    : m_count(0),
      m_hidden(false),
      m_dragStarted(false),
      m_mayScale(false),
      m_mayRotate(false),
      m_handleMode(kScaleHandles),
      m_handle(kNoHandle),
      m_current(nullptr),
      m_press{0.0f, 0.0f},
      m_point{0.0f, 0.0f},
      m_centre{0.0f, 0.0f},
      m_dragState(kIdle),
      m_view(view),
      m_document(nullptr) {}

CAuxObjectList* COutputAreaTracker::Areas() const {
  return m_document ? &m_document->GetOutputAreas() : nullptr;
}

float COutputAreaTracker::Scale() const {
  return m_view ? static_cast<float>(m_view->GetScale()) : 1.0f;
}

HWND COutputAreaTracker::Window() const { return m_view ? m_view->GetViewWindow() : nullptr; }

void COutputAreaTracker::MarkModified() {
  if (m_document) m_document->SetModifiedFlag(TRUE);
}

// ---- Called by the view ----

void COutputAreaTracker::Add(CAuxObject* area) {
  CAuxObjectList* areas = Areas();
  if (!area || !areas) return;
  areas->AddObject(area);
  MarkModified();
  if (areas->GetSize() > 1)
    area->Invalidate(m_view, FALSE);
  else if (HWND window = Window())
    ::InvalidateRect(window, nullptr, FALSE);
}

void COutputAreaTracker::ClearAll() {
  CAuxObjectList* areas = Areas();
  if (!areas || areas->GetSize() == 0) return;
  areas->DeleteAll();
  MarkModified();
  m_count = 0;
  m_current = nullptr;
  m_handle = kNoHandle;
  m_hidden = false;
  if (HWND window = Window()) ::InvalidateRect(window, nullptr, FALSE);
}

void COutputAreaTracker::DrawAll(CDC* dc, const CMatrix2D* matrix) {
  CAuxObjectList* areas = Areas();
  const CMatrix2D* display = matrix ? matrix : (m_view ? m_view->GetDisplayMatrix() : nullptr);
  if (!areas || !display) return;
  WindowDC own(dc ? nullptr : Window());
  CDC* target = dc ? dc : own.Get();
  if (!target) return;
  CFRect visible;
  for (INT_PTR i = areas->GetSize() - 1; i >= 0; --i)
    if (CAuxObject* area = areas->GetObjectAt(i)) area->Draw(target, *display, visible);
}

void COutputAreaTracker::DrawSelected(CDC* dc, const CMatrix2D* matrix) {
  CAuxObjectList* areas = Areas();
  const CMatrix2D* display = matrix ? matrix : (m_view ? m_view->GetDisplayMatrix() : nullptr);
  if (!areas || areas->GetSize() == 0 || m_count == 0 || m_hidden || !display) return;
  WindowDC own(dc ? nullptr : Window());
  CDC* target = dc ? dc : own.Get();
  if (target) DrawTracker(target, *display);
}

void COutputAreaTracker::SetSolid(int flag) {
  CAuxObjectList* areas = Areas();
  if (!areas || areas->GetSize() == 0 || m_count == 0) return;
  for (INT_PTR i = areas->GetSize() - 1; i >= 0; --i) {
    CAuxObject* area = areas->GetObjectAt(i);
    if (!area || area->GetState() != CAuxObject::kSelectedState) continue;
    WORD flags = area->GetFlags() & ~CAuxObject::kSolidFlag;
    area->SetFlags(flag ? flags | CAuxObject::kSolidFlag : flags);
    area->Invalidate(m_view, FALSE);
  }
  MarkModified();
}

bool COutputAreaTracker::DeleteSelected() {
  CAuxObjectList* areas = Areas();
  if (!areas || m_count == 0) return false;
  HideTracker();
  bool deleted = false;
  for (INT_PTR i = areas->GetSize() - 1; i >= 0; --i) {
    CAuxObject* area = areas->GetObjectAt(i);
    if (!area || area->GetState() == CAuxObject::kNormalState) continue;
    areas->RemoveAt(i);
    area->Invalidate(m_view, TRUE);
    delete area;
    deleted = true;
  }
  ClearSelection(true);
  m_hidden = false;
  if (areas->GetSize() == 0)
    if (HWND window = Window()) ::InvalidateRect(window, nullptr, FALSE);
  if (deleted) MarkModified();
  return deleted;
}

// ---- Hit tests ----

FPOINT COutputAreaTracker::HandlePoint(int handle) const {
  const float d = kHandleDistance * Scale();
  const float left = m_box.left - d, right = m_box.right + d;
  const float top = m_box.top - d, bottom = m_box.bottom + d;
  const float midX = (m_box.left + m_box.right) / 2, midY = (m_box.top + m_box.bottom) / 2;
  switch (handle) {
    case 1:
      return {left, top};
    case 2:
      return {midX, top};
    case 3:
      return {right, top};
    case 4:
      return {left, midY};
    case 5:
      return {right, midY};
    case 6:
      return {left, bottom};
    case 7:
      return {midX, bottom};
    case 8:
      return {right, bottom};
    default:
      return {midX, midY};
  }
}

short COutputAreaTracker::HitTestHandle(float x, float y) const {
  if (m_count == 0 || (m_handleMode & ~kJustSelected) != kScaleHandles) return kNoHandle;
  const float half = kHandleHalf * Scale();
  for (int handle : kHandleOrder) {
    FPOINT p = HandlePoint(handle);
    if (std::fabs(x - p.x) <= half && std::fabs(y - p.y) <= half) return static_cast<short>(handle);
  }
  return kNoHandle;
}

bool COutputAreaTracker::HitTracker(float x, float y) const {
  if (m_count == 0) return false;
  CFRect widened = m_box;
  widened.Inflate(kTrackerMargin * Scale(), kTrackerMargin * Scale());
  return InRect(widened, x, y);
}

bool COutputAreaTracker::HitSelect(float x, float y, bool select) {
  CAuxObjectList* areas = Areas();
  if (!areas) return false;
  const float t = kAreaTolerance * Scale();
  CAuxObject* taken = nullptr;
  CAuxObject* nearest = nullptr;
  for (INT_PTR i = 0; i < areas->GetSize() && !taken; ++i) {
    CAuxObject* area = areas->GetObjectAt(i);
    CFRect rect;
    if (!area || !area->GetRect(&rect)) continue;
    rect.Normalize();
    rect.Inflate(t, t);
    if (!InRect(rect, x, y)) continue;
    if (area->HitTest(x, y, t)) taken = area;
    if (!nearest) nearest = area;
  }
  if (!taken) taken = nearest;
  if (!taken) return false;
  if (select && taken->GetState() == CAuxObject::kNormalState) AddToSelection(taken);
  return true;
}

// ---- Selection ----

void COutputAreaTracker::AddToSelection(CAuxObject* area) {
  CFRect rect;
  bool hasRect = area->GetRect(&rect) != FALSE;
  rect.Normalize();
  if (m_count > 0) {
    HideTracker();
    if (hasRect) {
      m_box.left = std::min(m_box.left, rect.left);
      m_box.top = std::min(m_box.top, rect.top);
      m_box.right = std::max(m_box.right, rect.right);
      m_box.bottom = std::max(m_box.bottom, rect.bottom);
    }
    ++m_count;
    m_mayScale = m_mayScale && !area->IsGuide();
    m_mayRotate = m_mayRotate && area->IsGuide();
  } else {
    m_current = area;
    m_count = 1;
    m_mayScale = !area->IsGuide();
    m_mayRotate = area->IsGuide() != FALSE;
    m_handleMode = hasRect ? kScaleHandles : kNoHandles;
    if (hasRect) m_box = rect;
  }
  area->SetState(CAuxObject::kSelectedState);
  m_centre = FPOINT{(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
  m_hidden = false;
  WindowDC dc(Window());
  if (dc.Get() && m_view->GetDisplayMatrix()) DrawTracker(dc.Get(), *m_view->GetDisplayMatrix());
}

void COutputAreaTracker::ClearSelection(bool reset) {
  if (m_count > 0 && !m_hidden) HideTracker();
  m_hidden = false;
  if (!reset) return;
  m_count = 0;
  m_handle = kNoHandle;
  m_current = nullptr;
  m_mayScale = m_mayRotate = false;
  if (CAuxObjectList* areas = Areas())
    for (INT_PTR i = 0; i < areas->GetSize(); ++i)
      if (CAuxObject* area = areas->GetObjectAt(i)) area->SetState(CAuxObject::kNormalState);
}

void COutputAreaTracker::ComputeBox() {
  m_count = 0;
  m_current = nullptr;
  CAuxObjectList* areas = Areas();
  if (!areas) return;
  for (INT_PTR i = 0; i < areas->GetSize(); ++i) {
    CAuxObject* area = areas->GetObjectAt(i);
    CFRect rect;
    if (!area || area->GetState() == CAuxObject::kNormalState || !area->GetBoundsRect(&rect))
      continue;
    rect.Normalize();
    if (m_count++ == 0) {
      m_current = area;
      m_box = rect;
      continue;
    }
    m_box.left = std::min(m_box.left, rect.left);
    m_box.top = std::min(m_box.top, rect.top);
    m_box.right = std::max(m_box.right, rect.right);
    m_box.bottom = std::max(m_box.bottom, rect.bottom);
  }
}

void COutputAreaTracker::SelectInRect(CFRect band) {
  band.Normalize();
  CAuxObjectList* areas = Areas();
  if (!areas) return;
  HideTracker();
  for (INT_PTR i = 0; i < areas->GetSize(); ++i) {
    CAuxObject* area = areas->GetObjectAt(i);
    CFRect r;
    if (!area || area->GetState() != CAuxObject::kNormalState || !area->GetRect(&r)) continue;
    r.Normalize();
    if (r.left > band.left && r.top > band.top && r.right < band.right && r.bottom < band.bottom)
      area->SetState(CAuxObject::kSelectedState);
  }
  ComputeBox();
  if (m_count > 0 && m_current) {
    CFRect rect;
    m_handleMode = m_current->GetRect(&rect) ? kScaleHandles : kNoHandles;
  }
  m_centre = FPOINT{(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
  ShowTracker();
}

// ---- Geometry of a drag ----

CFRect COutputAreaTracker::ResizeBox(const CFRect& box, int handle, float dx, float dy) {
  CFRect out = box;
  const bool moveX = box.right - box.left != 0.0f;
  const bool moveY = box.bottom - box.top != 0.0f;
  const bool left = handle == 1 || handle == 4 || handle == 6;
  const bool right = handle == 3 || handle == 5 || handle == 8;
  const bool top = handle == 1 || handle == 2 || handle == 3;
  const bool bottom = handle == 6 || handle == 7 || handle == 8;
  if (moveX && left) out.left += dx;
  if (moveX && right) out.right += dx;
  if (moveY && top) out.top += dy;
  if (moveY && bottom) out.bottom += dy;
  return out;
}

CFRect COutputAreaTracker::MapRect(const CFRect& rect, const CFRect& from, const CFRect& to) {
  const float fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;
  const float sx = fromWidth != 0.0f ? (to.right - to.left) / fromWidth : 1.0f;
  const float sy = fromHeight != 0.0f ? (to.bottom - to.top) / fromHeight : 1.0f;
  CFRect out(to.left + sx * (rect.left - from.left), to.top + sy * (rect.top - from.top),
             to.left + sx * (rect.right - from.left), to.top + sy * (rect.bottom - from.top));
  out.Normalize();
  return out;
}

void COutputAreaTracker::ScaleSelected(const CFRect& from, const CFRect& to) {
  CAuxObjectList* areas = Areas();
  for (INT_PTR i = 0; areas && i < areas->GetSize(); ++i) {
    CAuxObject* area = areas->GetObjectAt(i);
    CFRect rect;
    if (!area || area->GetState() == CAuxObject::kNormalState || !area->GetRect(&rect)) continue;
    CFRect mapped = MapRect(rect, from, to);
    area->Invalidate(m_view, TRUE);
    area->SetRect(mapped.left, mapped.top, mapped.right, mapped.bottom);
    area->Invalidate(m_view, TRUE);
  }
}

void COutputAreaTracker::OffsetSelected(float dx, float dy) {
  CAuxObjectList* areas = Areas();
  for (INT_PTR i = 0; areas && i < areas->GetSize(); ++i) {
    CAuxObject* area = areas->GetObjectAt(i);
    if (!area || area->GetState() == CAuxObject::kNormalState) continue;
    area->Invalidate(m_view, TRUE);
    area->Offset(dx, dy);
    area->Invalidate(m_view, TRUE);
  }
}

CFRect COutputAreaTracker::DragBox() const {
  const float dx = m_point.x - m_press.x, dy = m_point.y - m_press.y;
  if (m_handle > 0) return ResizeBox(m_box, m_handle, dx, dy);
  return CFRect(m_box.left + dx, m_box.top + dy, m_box.right + dx, m_box.bottom + dy);
}

// Ctrl changes nothing here: the areas move as they always do, and the drawing's blocks are
// never copied or pasted by a move of areas.
void COutputAreaTracker::FinishDrag() {
  const float dx = m_point.x - m_press.x, dy = m_point.y - m_press.y;
  if (m_handle >= 1 && m_handle <= 8 && (m_handleMode & ~kJustSelected) == kScaleHandles) {
    InvalidateTracker();
    CFRect resized = ResizeBox(m_box, m_handle, dx, dy);
    ScaleSelected(m_box, resized);
    ComputeBox();
    m_centre = FPOINT{(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
    InvalidateTracker();
    MarkModified();
  } else if (m_handle == 0) {
    OffsetSelected(dx, dy);
    ComputeBox();
    m_centre.x += dx;
    m_centre.y += dy;
    MarkModified();
  }
}

// ---- Drawing ----

void COutputAreaTracker::DrawTracker(CDC* dc, const CMatrix2D& matrix) {
  CAuxObjectList* areas = Areas();
  if (!areas || m_count == 0) return;
  CFRect visible;
  for (INT_PTR i = areas->GetSize() - 1; i >= 0; --i) {
    CAuxObject* area = areas->GetObjectAt(i);
    if (area && area->GetState() == CAuxObject::kSelectedState) area->DrawXor(dc, matrix, visible);
  }
  if ((m_handleMode & ~kJustSelected) != kScaleHandles) return;
  int mode = dc->SetROP2(R2_NOTXORPEN);
  for (int handle = 1; handle <= 8; ++handle) {
    FPOINT p = HandlePoint(handle);
    POINT pixel;
    matrix.TransformPointToInt(&p, &pixel);
    DrawMarkSquare(dc, pixel.x, pixel.y, static_cast<int>(kHandleHalf));
  }
  dc->SetROP2(mode);
}

void COutputAreaTracker::DrawXorRect(const CFRect& rect) {
  WindowDC dc(Window());
  CMatrix2D* matrix = m_view ? m_view->GetDisplayMatrix() : nullptr;
  if (!dc.Get() || !matrix) return;
  CFRect corners = rect;
  RECT pixels;
  matrix->TransformRectToInt(&corners, &pixels);
  CXorScope scope(dc.Get(), nullptr);
  dc.Get()->Rectangle(&pixels);
}

void COutputAreaTracker::DrawDragFeedback() { DrawXorRect(DragBox()); }

void COutputAreaTracker::DrawRubberBand() {
  DrawXorRect(CFRect(m_press.x, m_press.y, m_point.x, m_point.y));
}

void COutputAreaTracker::InvalidateTracker() {
  HWND window = Window();
  CMatrix2D* matrix = m_view ? m_view->GetDisplayMatrix() : nullptr;
  if (!window || !matrix) return;
  CFRect box = m_box;
  RECT pixels;
  matrix->TransformRect(&box, &pixels);
  ::InflateRect(&pixels, kTrackerPixels, kTrackerPixels);
  ::InvalidateRect(window, &pixels, FALSE);
}

void COutputAreaTracker::HideTracker() {
  if (m_hidden || m_count == 0) {
    m_hidden = true;
    return;
  }
  WindowDC dc(Window());
  if (dc.Get() && m_view->GetDisplayMatrix()) DrawTracker(dc.Get(), *m_view->GetDisplayMatrix());
  m_hidden = true;
}

void COutputAreaTracker::ShowTracker() {
  if (!m_hidden) return;
  m_hidden = false;
  WindowDC dc(Window());
  if (dc.Get() && m_view->GetDisplayMatrix()) DrawTracker(dc.Get(), *m_view->GetDisplayMatrix());
}

void COutputAreaTracker::SetHandleCursor(short handle) {
  LPCSTR cursor = nullptr;
  switch (handle) {
    case 2:
    case 7:
      cursor = IDC_SIZENS;
      break;
    case 3:
    case 6:
      cursor = IDC_SIZENESW;
      break;
    case 4:
    case 5:
      cursor = IDC_SIZEWE;
      break;
    case 1:
    case 8:
      cursor = IDC_SIZENWSE;
      break;
    default:
      return;
  }
  ::SetCursor(::LoadCursorA(nullptr, cursor));
}

// ---- Mouse ----

void COutputAreaTracker::StartDrag(WORD state) {
  m_dragState = state;
  m_dragStarted = false;
  HideTracker();
  DrawDragFeedback();
}

int COutputAreaTracker::OnLButtonDown(UINT flags, float x, float y) {
  if (!m_view || m_view->GetCurrentTool() != kSelectTool || !Areas()) return 0;
  m_press = m_point = FPOINT{x, y};
  m_dragState = kIdle;
  short handle = HitTestHandle(x, y);
  if (handle != kNoHandle) {
    m_handle = handle;
    SetHandleCursor(handle);
    StartDrag(kHandleDrag);
    return m_dragState;
  }
  const bool shift = (flags & MK_SHIFT) != 0;
  m_handle = 0;
  if (shift && HitSelect(x, y, true)) {
    m_handleMode |= kJustSelected;
    StartDrag(kMoving);
  } else if (HitTracker(x, y)) {
    StartDrag(kMoving);
  } else {
    if (!shift) ClearSelection(true);
    if (HitSelect(x, y, true)) {
      m_handleMode = kScaleHandles | kJustSelected;
      StartDrag(kMoving);
    } else {
      m_handle = kNoHandle;
      m_dragState = kRubberBand;
      DrawRubberBand();
    }
  }
  return m_dragState;
}

int COutputAreaTracker::OnMouseMove(UINT flags, float x, float y) {
  if (!m_view || m_view->GetCurrentTool() != kSelectTool || !Areas()) return 0;
  if (!(flags & MK_LBUTTON) || m_dragState == kIdle) {
    int areaHandle = 0;
    if (m_count == 1 && m_current && m_current->HitTestHandle(m_view, x, y, &areaHandle))
      ::SetCursor(CFeedbackTools::MoveCursor() ? CFeedbackTools::MoveCursor()
                                               : ::LoadCursorA(nullptr, IDC_SIZEALL));
    else
      SetHandleCursor(HitTestHandle(x, y));
    return 1;
  }
  if (m_dragState == kRubberBand) {
    DrawRubberBand();
    m_point = FPOINT{x, y};
    DrawRubberBand();
    return 1;
  }
  const float t = kDragStart * Scale();
  if (!m_dragStarted && std::fabs(x - m_press.x) <= t && std::fabs(y - m_press.y) <= t) return 1;
  DrawDragFeedback();
  m_dragStarted = true;
  m_point = FPOINT{x, y};
  DrawDragFeedback();
  return 1;
}

int COutputAreaTracker::OnLButtonUp(UINT, float x, float y) {
  if (!m_view || m_view->GetCurrentTool() != kSelectTool || !Areas()) return 0;
  if (m_dragState == kMoving || m_dragState == kHandleDrag) {
    DrawDragFeedback();
    if (m_dragStarted) {
      m_point = FPOINT{x, y};
      FinishDrag();
    } else if (!(m_handleMode & kJustSelected)) {
      m_handleMode = kScaleHandles;
    }
    ShowTracker();
    m_handleMode &= ~kJustSelected;
  } else if (m_dragState == kRubberBand) {
    DrawRubberBand();
    SelectInRect(CFRect(m_press.x, m_press.y, m_point.x, m_point.y));
  }
  m_dragStarted = false;
  m_dragState = kIdle;
  return 1;
}
