#include "editor/views/SelectTracker.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/views/DocumentChange.h"
#include "editor/views/RulerManager.h"
#include "editor/views/ToolCursors.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/KeyState.h"
#include "framework/MDIChildWnd.h"
#include "framework/ResourceModule.h"
#include "framework/View.h"
#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"
#include "model/document/SegArray.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/MainWindowNotice.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/MatrixFactories.h"
#include "model/records/BlockRecord.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoDeselectRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoMoveRecord.h"
#include "model/undo/UndoScope.h"
#include "model/undo/UndoSelectRecord.h"
#include "model/undo/UndoTransformRecord.h"
#include "resources/Resource.h"

namespace {

const float kRadiansToDegrees = 57.29578f;
const float kPi = 3.14159265f;

bool IsCorner(int handle) {
  return handle == CSelectTracker::kTopLeft || handle == CSelectTracker::kTopRight ||
         handle == CSelectTracker::kBottomLeft || handle == CSelectTracker::kBottomRight;
}

bool Near(float x, float y, float px, float py, float q) {
  return std::fabs(x - px) <= q && std::fabs(y - py) <= q;
}

POINT ToDevice(const CMatrix2D& matrix, float x, float y) {
  FPOINT point{x, y};
  POINT out;
  matrix.TransformPointToInt(&point, &out);
  return out;
}

// The rotate and skew handles are bitmaps of the resources, inverted onto the drawing so that
// drawing them twice erases them.
void InvertBitmap(HDC dc, UINT id, int left, int top) {
  HBITMAP bitmap = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
  if (!bitmap) return;
  BITMAP info;
  ::GetObjectA(bitmap, sizeof info, &info);
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::BitBlt(dc, left, top, info.bmWidth, info.bmHeight, memory, 0, 0, SRCINVERT);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
}

}  // namespace

CSelectTracker::CSelectTracker() { Init(); }

void CSelectTracker::Init() {
  m_count = 0;
  m_hidden = m_moved = 0;
  m_texts = m_curves = m_libraries = m_images = m_others = 0;
  m_mode = kNoMode;
  m_dragState = kIdle;
  m_activeHandle = kNone;
  m_current = nullptr;
  m_editing = 0;
}

void CSelectTracker::Attach(CBlockView* view, CDocument* document, CRulerManager* rulers,
                            bool editing) {
  m_view = view;
  m_document = document;
  m_rulers = rulers;
  m_editing = editing ? 1 : 0;
}

CSegArray* CSelectTracker::Blocks() const { return m_view ? m_view->GetBlockList() : nullptr; }

float CSelectTracker::Pixel() const {
  return m_view ? static_cast<float>(m_view->GetScale()) : 1.0f;
}

bool CSelectTracker::Recording() const { return m_view && m_view->GetUndoDepth() != 0; }

void CSelectTracker::Record(CUndoRecord* record) const {
  m_view->GetUndoManager()->AppendRecord(record);
}

// --- Counting and picking ---

void CSelectTracker::CountType(BYTE type) {
  switch (type) {
    case kTextBlock:
      ++m_texts;
      break;
    case kCurveBlock:
      ++m_curves;
      break;
    case kLibBlock:
      ++m_libraries;
      break;
    case kImageBlock:
      ++m_images;
      break;
    default:
      ++m_others;
      break;
  }
}

DWORD CSelectTracker::Recount(CFRect* box) {
  m_count = 0;
  m_texts = m_curves = m_libraries = m_images = m_others = 0;
  m_current = nullptr;
  DWORD firstType = 0;
  if (CSegArray* blocks = Blocks()) {
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (!block || block->m_selected != 1) continue;
      CFRect blockBox = block->m_box;
      blockBox.Normalize();
      if (m_count++ == 0) {
        m_current = block;
        firstType = block->m_type;
        m_box = blockBox;
      } else {
        m_box.left = std::min(m_box.left, blockBox.left);
        m_box.top = std::min(m_box.top, blockBox.top);
        m_box.right = std::max(m_box.right, blockBox.right);
        m_box.bottom = std::max(m_box.bottom, blockBox.bottom);
      }
      CountType(block->m_type);
    }
  }
  if (box) *box = m_box;
  return firstType;
}

CBlock* CSelectTracker::FindSelected(BYTE type) const {
  CSegArray* blocks = Blocks();
  if (m_count == 0 || !blocks) return nullptr;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (block && block->m_selected == 1 && (type == 255 || block->m_type == type)) return block;
  }
  return nullptr;
}

void CSelectTracker::AddToSelection(CBlock* block) {
  // Shift-clicking a block already selected must not count it twice, nor leave an undo record
  // that would deselect it.
  if (block->m_selected == 1) {
    Update();
    return;
  }
  if (Recording()) Record(new CUndoSelectRecord(block));
  Recount();
  CFRect blockBox = block->m_box;
  blockBox.Normalize();
  if (m_count > 0) {
    Draw(nullptr, nullptr);
    m_box.left = std::min(m_box.left, blockBox.left);
    m_box.top = std::min(m_box.top, blockBox.top);
    m_box.right = std::max(m_box.right, blockBox.right);
    m_box.bottom = std::max(m_box.bottom, blockBox.bottom);
    ++m_count;
  } else {
    m_box = blockBox;
    m_current = block;
    m_mode = kScaleMode;
    m_count = 1;
  }
  block->m_selected = 1;
  if (block->m_type == kTextBlock || block->m_type == kCurveBlock || block->m_type == kLibBlock ||
      block->m_type == kImageBlock)
    CountType(block->m_type);
  m_centre = {(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
  Draw(nullptr, nullptr);
}

BOOL CSelectTracker::SelectAt(float x, float y, BOOL add) {
  CSegArray* blocks = Blocks();
  if (!blocks) return FALSE;
  const float slack = kPickSlack * Pixel();
  CBlock* boxed = nullptr;
  CBlock* hit = nullptr;
  for (INT_PTR i = 0; i < blocks->GetSize() && !hit; ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block) continue;
    CFRect box = block->m_box;
    box.Normalize();
    box.Inflate(slack, slack);
    if (!boxed && x >= box.left && x <= box.right && y >= box.top && y <= box.bottom) boxed = block;
    if (block->HitTest(m_view, x, y)) hit = block;
  }
  CBlock* picked = hit ? hit : boxed;
  if (!picked) return FALSE;
  if (add) AddToSelection(picked);
  return TRUE;
}

void CSelectTracker::SelectInRect(float left, float top, float right, float bottom) {
  // A band drawn with Shift adds to a selection still on screen: it goes before the box grows.
  if (!m_hidden) Draw(nullptr, nullptr);
  if (CSegArray* blocks = Blocks()) {
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (!block || block->m_selected == 1) continue;
      CFRect box = block->m_box;
      box.Normalize();
      if (left < box.left && top < box.top && right > box.right && bottom > box.bottom) {
        block->m_selected = 1;
        if (Recording()) Record(new CUndoSelectRecord(block));
      }
    }
  }
  Recount();
  if (m_count && m_mode == kNoMode) m_mode = kScaleMode;
  m_hidden = 0;
  m_centre = {(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
  Draw(nullptr, nullptr);
}

void CSelectTracker::Refresh(CDC* dc, BOOL deselectAll) {
  Draw(dc, nullptr);
  if (!deselectAll) {
    Recount();
    return;
  }
  m_count = 0;
  m_texts = m_curves = m_libraries = m_images = m_others = 0;
  m_mode = kNoMode;
  m_activeHandle = kNone;
  m_current = nullptr;
  if (CSegArray* blocks = Blocks()) {
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (!block || block->m_selected != 1) continue;
      block->m_selected = 0;
      if (Recording()) Record(new CUndoDeselectRecord(block));
    }
  }
}

void CSelectTracker::Update() {
  Draw(nullptr, nullptr);
  Recount();
  Draw(nullptr, nullptr);
}

void CSelectTracker::Hide(CDC* dc) {
  if (m_hidden) return;
  Draw(dc, nullptr);
  m_hidden = 1;
}

void CSelectTracker::Show(CDC* dc) {
  m_hidden = 0;
  Draw(dc, nullptr);
}

// --- Changing the selected blocks ---

void CSelectTracker::OffsetSelection(float dx, float dy) {
  CSegArray* blocks = Blocks();
  if (m_count == 0 || !blocks) return;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    block->Invalidate(m_view, FALSE);
    block->Offset(dx, dy);
    if (Recording()) Record(new CUndoMoveRecord(block, dx, dy));
    block->Invalidate(m_view, FALSE);
  }
  Recount();
  m_centre.x += dx;
  m_centre.y += dy;
}

void CSelectTracker::ScaleSelection(const CFRect& from, const CFRect& to) {
  CSegArray* blocks = Blocks();
  if (!blocks) return;
  const float oldWidth = from.right - from.left;
  const float oldHeight = from.bottom - from.top;
  const float sx = oldWidth != 0 ? (to.right - to.left) / oldWidth : 1.0f;
  const float sy = oldHeight != 0 ? (to.bottom - to.top) / oldHeight : 1.0f;
  CMatrix2D matrix;
  matrix.m[0] = sx;
  matrix.m[4] = sy;
  matrix.m[6] = to.left - sx * from.left;
  matrix.m[7] = to.top - sy * from.top;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    CFRect mapped = block->m_box;
    matrix.TransformFRect(&mapped);
    if (Recording()) Record(new CUndoTransformRecord(block, matrix));
    block->Invalidate(m_view, FALSE);
    block->FitToRect(mapped.left, mapped.top, mapped.right, mapped.bottom);
    block->Invalidate(m_view, FALSE);
  }
}

void CSelectTracker::TransformSelection(const CMatrix2D& matrix) {
  Refresh(nullptr, FALSE);
  if (CSegArray* blocks = Blocks()) {
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (!block || block->m_selected != 1) continue;
      block->Invalidate(m_view, TRUE);
      if (Recording()) Record(new CUndoTransformRecord(block, matrix));
      block->Transform(matrix);
      block->Invalidate(m_view, TRUE);
    }
  }
  Recount();
  Draw(nullptr, nullptr);
}

BOOL CSelectTracker::DeleteSelected() {
  CSegArray* blocks = Blocks();
  if (m_count == 0 || !blocks) return FALSE;
  CDocumentChange change(*m_view->GetUndoManager(), m_document);
  Hide(nullptr);
  BOOL removed = FALSE;
  for (INT_PTR i = blocks->GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    blocks->RemoveAt(i);
    block->Invalidate(m_view, TRUE);
    removed = TRUE;
    if (Recording()) {
      Record(new CUndoDeleteRecord(block, i));
    } else {
      delete block;
    }
  }
  m_current = nullptr;
  Refresh(nullptr, TRUE);
  m_hidden = 0;
  Draw(nullptr, nullptr);
  return removed;
}

void CSelectTracker::CancelRotation() {
  CSegArray* blocks = Blocks();
  if (m_count == 0 || !blocks) return;
  CDocumentChange change(*m_view->GetUndoManager(), m_document);
  Draw(nullptr, nullptr);
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    FPOINT origin{0, 0};
    FPOINT axis{100, 0};
    block->m_matrix.TransformPoint(&origin);
    block->m_matrix.TransformPoint(&axis);
    const float angle = static_cast<float>(
        (std::atan2(100.0, 0.0) + std::atan2(origin.x - axis.x, origin.y - axis.y)) *
        kRadiansToDegrees);
    CFRect box = block->m_box;
    CMatrix2D rotation = MakeRotationMatrixAboutBox(box.left, box.top, box.right, box.bottom,
                                                    angle);
    if (Recording()) Record(new CUndoTransformRecord(block, rotation));
    block->Transform(rotation);
  }
  if (HWND window = m_view->GetViewWindow()) ::InvalidateRect(window, nullptr, TRUE);
  Recount();
  Draw(nullptr, nullptr);
}

BOOL CSelectTracker::ShowCurrentPanel(HWND host, bool requested) {
  if (!m_current) return FALSE;
  return requested ? m_current->ShowPanel(host) : m_current->RefreshPanel(host);
}

void CSelectTracker::DrawBoxXor(float left, float top, float right, float bottom) const {
  HWND window = m_view ? m_view->GetViewWindow() : nullptr;
  CMatrix2D* display = m_view ? m_view->GetDisplayMatrix() : nullptr;
  if (!window || !display) return;
  CClientDC dc(window);
  const int rop = dc.SetROP2(R2_NOTXORPEN);
  HGDIOBJ pen = dc.SelectObject(::GetStockObject(BLACK_PEN));
  HGDIOBJ brush = dc.SelectObject(::GetStockObject(NULL_BRUSH));
  POINT a = ToDevice(*display, left, top);
  POINT b = ToDevice(*display, right, bottom);
  dc.Rectangle(a.x, a.y, b.x, b.y);
  dc.SelectObject(brush);
  dc.SelectObject(pen);
  dc.SetROP2(rop);
}

// --- Handle arithmetic ---

int CSelectTracker::HitHandle(WORD mode, const CFRect& box, FPOINT centre, float pixel, float x,
                              float y) {
  CFRect outer = box;
  outer.Inflate(kHandleGap * pixel, kHandleGap * pixel);
  const float q = kHandleTolerance * pixel;
  const float midX = (outer.left + outer.right) / 2;
  const float midY = (outer.top + outer.bottom) / 2;
  if (mode == kRotateMode) {
    if (Near(x, y, outer.left, outer.top, q)) return kTopLeft;
    if (std::fabs(x - midX) <= q && y >= outer.top - 2 * q && y <= outer.top) return kTop;
    if (Near(x, y, outer.right, outer.top, q)) return kTopRight;
    if (Near(x, y, outer.left, midY, q)) return kLeft;
    if (Near(x, y, centre.x, centre.y, q)) return kCentre;
    if (Near(x, y, outer.right, midY, q)) return kRight;
    if (Near(x, y, outer.left, outer.bottom, q)) return kBottomLeft;
    if (std::fabs(x - midX) <= q && y >= outer.bottom && y <= outer.bottom + 2 * q) return kBottom;
    if (Near(x, y, outer.right, outer.bottom, q)) return kBottomRight;
    return kNone;
  }
  const FPOINT points[] = {
      {outer.left, outer.top},    {midX, outer.top},    {outer.right, outer.top},
      {outer.left, midY},         {midX, midY},         {outer.right, midY},
      {outer.left, outer.bottom}, {midX, outer.bottom}, {outer.right, outer.bottom}};
  const int handles[] = {kTopLeft, kTop,        kTopRight, kLeft,       kMove,
                         kRight,   kBottomLeft, kBottom,   kBottomRight};
  for (int i = 0; i < 9; ++i)
    if (Near(x, y, points[i].x, points[i].y, q)) return handles[i];
  return kNone;
}

CFRect CSelectTracker::DraggedRect(const CFRect& box, int handle, float dx, float dy) {
  CFRect r = box;
  const float w = std::fabs(box.right - box.left);
  const float h = std::fabs(box.bottom - box.top);
  const bool hasW = w != 0;
  const bool hasH = h != 0;
  switch (handle) {
    case kMove:
      r.left += dx;
      r.right += dx;
      r.top += dy;
      r.bottom += dy;
      return r;
    case kTop:
      if (hasH) r.top += dy;
      return r;
    case kBottom:
      if (hasH) r.bottom += dy;
      return r;
    case kLeft:
      if (hasW) r.left += dx;
      return r;
    case kRight:
      if (hasW) r.right += dx;
      return r;
    case kTopLeft:
      if (hasW) r.left += dx;
      if (hasH) r.top += dy;
      break;
    case kTopRight:
      if (hasW) r.right += dx;
      if (hasH) r.top += dy;
      break;
    case kBottomLeft:
      if (hasW) r.left += dx;
      if (hasH) r.bottom += dy;
      break;
    case kBottomRight:
      if (hasW) r.right += dx;
      if (hasH) r.bottom += dy;
      break;
    default:
      return r;
  }
  if (!hasW || !hasH) return r;
  const float s = std::min(std::fabs((r.right - r.left) / w), std::fabs((r.bottom - r.top) / h));
  const float sx = r.left > r.right ? -1.0f : 1.0f;
  const float sy = r.top > r.bottom ? -1.0f : 1.0f;
  if (handle == kTopLeft || handle == kBottomLeft)
    r.left = box.right - sx * s * w;
  else
    r.right = box.left + sx * s * w;
  if (handle == kTopLeft || handle == kTopRight)
    r.top = box.bottom - sy * s * h;
  else
    r.bottom = box.top + sy * s * h;
  return r;
}

float CSelectTracker::RotationAngle(FPOINT centre, FPOINT press, FPOINT current) {
  return (AngleOf(centre.x, centre.y, press.x, press.y) -
          AngleOf(centre.x, centre.y, current.x, current.y)) *
         180.0f / kPi;
}

CMatrix2D CSelectTracker::SkewMatrix(const CFRect& box, int handle, FPOINT press, FPOINT current) {
  const float cx = (box.left + box.right) / 2;
  const float cy = (box.top + box.bottom) / 2;
  const float toPress = AngleOf(cx, cy, press.x, press.y);
  const float toCurrent = AngleOf(cx, cy, current.x, current.y);
  float ax = 0, ay = 0;
  if (handle == kTop || handle == kBottom)
    ax = (toCurrent - toPress) * 180.0f / kPi;
  else
    ay = (toPress - toCurrent) * 180.0f / kPi;
  return MakeSkewMatrix(box.left, box.top, box.right, box.bottom, ax, ay);
}

// --- Mouse and keys ---

bool CSelectTracker::InBox(float x, float y, float slack) const {
  if (m_count == 0) return false;
  return x >= m_box.left - slack && x <= m_box.right + slack && y >= m_box.top - slack &&
         y <= m_box.bottom + slack;
}

void CSelectTracker::StartMove() {
  m_dragState = kClickOrMove;
  m_activeHandle = kMove;
  Hide(nullptr);
  m_feedbackShown = false;
  DrawFeedback(nullptr);
  m_moved = 0;
}

bool CSelectTracker::HitsOwnHandle(float x, float y) const {
  if (m_count != 1 || !m_current) return false;
  int handle = kNone;
  return m_current->HitTestHandle(m_view, x, y, &handle) != FALSE;
}

BOOL CSelectTracker::OnLButtonDown(const Event& event) {
  if (!m_view || m_view->GetCurrentTool() != kSelectTool || AfxIsKeyDown(VK_MENU)) return 0;
  m_press = m_point = {event.x, event.y};
  m_dragState = kIdle;
  if (m_editing) {
    if (m_count == 1 && m_current &&
        m_current->OnLButtonDown(m_view, event.flags, event.x, event.y)) {
      m_dragState = kBlockHandle;
      if (HWND window = m_view->GetViewWindow()) ::SetCapture(window);
      return 1;
    }
    int handle = m_count ? HitHandle(m_mode & 0x7f, m_box, m_centre, Pixel(), event.x, event.y)
                         : kNone;
    if (handle != kNone) {
      SetHandleCursor(m_mode & 0x7f, handle, m_press);
      Hide(nullptr);
      m_feedbackShown = false;
      DrawFeedback(nullptr);
      m_moved = 0;
      m_dragState = kTrackerHandle;
      return 1;
    }
  }
  const float slack = kMoveSlack * Pixel();
  CUndoScope step(*m_view->GetUndoManager());
  if (event.flags & MK_SHIFT) {
    if (SelectAt(event.x, event.y, TRUE)) {
      StartMove();
      m_mode |= kJustSelected;
    } else if (InBox(event.x, event.y, slack)) {
      StartMove();
    } else {
      m_dragState = kRubberBand;
    }
  } else if (InBox(event.x, event.y, slack)) {
    StartMove();
  } else {
    Refresh(nullptr, TRUE);
    if (SelectAt(event.x, event.y, TRUE)) {
      StartMove();
      m_mode = kScaleMode | kJustSelected;
    } else {
      m_dragState = kRubberBand;
    }
  }
  if (m_dragState == kRubberBand) DrawBand(nullptr);
  return m_dragState;
}

BOOL CSelectTracker::OnMouseMove(const Event& event) {
  if (!m_view || m_view->GetCurrentTool() != kSelectTool) return 0;
  if (!(event.flags & MK_LBUTTON) || m_dragState == kIdle) {
    // Handles are shown, and so hovered, only where the selection can be edited.
    if (!m_editing || m_count == 0) return 0;
    const FPOINT point{event.x, event.y};
    if (HitsOwnHandle(event.x, event.y)) {
      SetHandleCursor(kBlockHandleMode, kNone, point);
      return 0;
    }
    int handle = HitHandle(m_mode & 0x7f, m_box, m_centre, Pixel(), event.x, event.y);
    if (handle != kNone) SetHandleCursor(m_mode & 0x7f, handle, point);
    return 0;
  }
  const float threshold = kDragThreshold * Pixel();
  if (!m_moved &&
      (std::fabs(m_press.x - event.x) > threshold || std::fabs(m_press.y - event.y) > threshold))
    m_moved = 1;
  switch (m_dragState) {
    case kClickOrMove:
    case kTrackerHandle:
      if (!m_moved) break;
      DrawFeedback(nullptr);
      m_point = {event.x, event.y};
      DrawFeedback(nullptr);
      break;
    case kBlockHandle:
      if (m_current) m_current->OnMouseMove(m_view, event.flags, event.x, event.y);
      break;
    case kRubberBand:
      DrawBand(nullptr);
      m_point = {event.x, event.y};
      DrawBand(nullptr);
      SendObjectSize(event.x - m_press.x, event.y - m_press.y);
      break;
    default:
      break;
  }
  if (m_moved) m_point = {event.x, event.y};
  return 1;
}

BOOL CSelectTracker::OnLButtonUp(const Event& event) {
  if (!m_view || m_view->GetCurrentTool() != kSelectTool) return 0;
  // The feedback is erased where it was drawn, at the last point the drag moved to; a release
  // with nothing dragged is still the selection tool's and goes no further.
  switch (m_dragState) {
    case kClickOrMove:
    case kTrackerHandle:
      DrawFeedback(nullptr);
      if (m_moved) {
        ApplyDrag(event.flags);
      } else if (m_editing && !(m_mode & kJustSelected) && m_count) {
        m_mode = (m_mode & 0x7f) == kRotateMode ? kScaleMode : kRotateMode;
      }
      m_hidden = 0;
      m_mode &= ~kJustSelected;
      Draw(nullptr, nullptr);
      break;
    case kBlockHandle: {
      Hide(nullptr);
      if (::GetCapture() == m_view->GetViewWindow() && ::GetCapture()) ::ReleaseCapture();
      CDocumentChange change(*m_view->GetUndoManager(), m_document);
      if (m_current) m_current->OnLButtonUp(m_view, event.flags, event.x, event.y);
      Recount();
      m_centre = {(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
      Show(nullptr);
      if (m_current) m_current->Invalidate(m_view, TRUE);
      break;
    }
    case kRubberBand: {
      DrawBand(nullptr);
      CFRect band(m_press.x, m_press.y, m_point.x, m_point.y);
      band.Normalize();
      CUndoScope step(*m_view->GetUndoManager());
      SelectInRect(band.left, band.top, band.right, band.bottom);
      break;
    }
    default:
      break;
  }
  FinishMouseUp();
  return 1;
}

void CSelectTracker::FinishMouseUp() {
  m_moved = 0;
  m_dragState = kIdle;
  if (m_current && m_current->GetPanelId() != kEmptyPanelId) ReportCurrentBlock();
  // After the panel, which names the first block only.
  SendObjectType();
  if (!m_current) return;
  // A straight text has the empty panel, yet the property bar shows its characters.
  CWnd* main = AfxGetMainWnd();
  if (main && main->IsKindOf(RUNTIME_CLASS(CMDIMainFrame))) {
    CPropertyBar& bar = static_cast<CMDIMainFrame*>(main)->GetPropertyBar();
    if (bar.m_hWnd) bar.ShowPageForSelection();
  }
}

void CSelectTracker::ReportCurrentBlock() const {
  // The property window exists only once the user has opened it.
  HWND panelHost = g_propertyWnd ? g_propertyWnd->m_hWnd : nullptr;
  m_current->RefreshPanel(panelHost);
  SendObjectSize(m_box.right - m_box.left, m_box.bottom - m_box.top);
}

CFRect CSelectTracker::DraggedBox(float dx, float dy) const {
  CFRect r = DraggedRect(m_box, m_activeHandle, dx, dy);
  if (m_activeHandle == kMove && m_rulers) m_rulers->SnapRect(&r, 0);
  return r;
}

void CSelectTracker::ApplyDrag(UINT flags) {
  CDocumentChange change(*m_view->GetUndoManager(), m_document);
  const float dx = m_point.x - m_press.x;
  const float dy = m_point.y - m_press.y;
  const bool copy = m_editing && (flags & MK_CONTROL);
  const WORD mode = m_mode & 0x7f;
  if (m_activeHandle == kMove) {
    const CFRect moved = DraggedBox(dx, dy);
    if (copy) LeaveCopies();
    OffsetSelection(moved.left - m_box.left, moved.top - m_box.top);
  } else if (mode != kRotateMode) {
    InvalidateBox();
    ScaleSelection(m_box, DraggedBox(dx, dy));
    Recount();
    m_centre = {(m_box.left + m_box.right) / 2, (m_box.top + m_box.bottom) / 2};
    InvalidateBox();
  } else if (IsCorner(m_activeHandle)) {
    if (copy) LeaveCopies();
    TransformSelection(
        MakeRotationMatrix(m_centre.x, m_centre.y, RotationAngle(m_centre, m_press, m_point)));
    RepaintNow();
    Recount();
  } else if (m_activeHandle == kCentre) {
    m_centre.x += dx;
    m_centre.y += dy;
    Recount();
  } else {
    TransformSelection(SkewMatrix(m_box, m_activeHandle, m_press, m_point));
    RepaintNow();
    Recount();
  }
  // Drawing happens once the caller clears hidden.
  m_hidden = 1;
}

// The copies stay where the selection was and join the end of the list, as pasted blocks do;
// they are written and read back through the block records, so the user's clipboard keeps what
// the user put there.
void CSelectTracker::LeaveCopies() {
  CSegArray* blocks = Blocks();
  if (!blocks) return;
  std::vector<CBlock*> copies;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    if (CBlock* copy = block->Clone()) copies.push_back(copy);
  }
  for (CBlock* copy : copies) {
    copy->m_selected = 0;
    blocks->AddBlock(copy);
    if (Recording()) Record(new CUndoInsertRecord(copy));
    copy->Invalidate(m_view, FALSE);
  }
}

void CSelectTracker::RepaintNow() const {
  if (HWND window = m_view->GetViewWindow()) ::UpdateWindow(window);
}

BOOL CSelectTracker::OnKeyDown(UINT key) {
  if (m_count == 0 || !m_view) return 0;
  const float p = Pixel();
  float dx = 0, dy = 0;
  switch (key) {
    case VK_LEFT:
      dx = -p;
      break;
    case VK_RIGHT:
      dx = p;
      break;
    case VK_UP:
      dy = -p;
      break;
    case VK_DOWN:
      dy = p;
      break;
    case VK_HOME:
      dx = -10 * p;
      break;
    case VK_END:
      dx = 10 * p;
      break;
    case VK_PRIOR:
      dy = -10 * p;
      break;
    case VK_NEXT:
      dy = 10 * p;
      break;
    default:
      return 0;
  }
  CDocumentChange change(*m_view->GetUndoManager(), m_document);
  Hide(nullptr);
  OffsetSelection(dx, dy);
  Show(nullptr);
  return 1;
}

// --- Drawing ---

CDC* CSelectTracker::DrawingContext(CDC* dc, std::unique_ptr<CClientDC>& own) const {
  if (dc) return dc;
  HWND window = m_view->GetViewWindow();
  if (!window) return nullptr;
  own = std::make_unique<CClientDC>(window);
  return own.get();
}

void CSelectTracker::Draw(CDC* dc, CMatrix2D* matrix) {
  if (m_count == 0 || m_hidden || !m_view) return;
  std::unique_ptr<CClientDC> own;
  dc = DrawingContext(dc, own);
  if (!dc) return;
  CMatrix2D* display = matrix ? matrix : m_view->GetDisplayMatrix();
  if (!display) return;
  if (CSegArray* blocks = Blocks()) {
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (block && block->m_selected == 1) block->DrawXorOutline(dc, display);
    }
  }
  if (m_editing) DrawHandles(dc->GetSafeHdc(), *display);
}

void CSelectTracker::DrawHandles(HDC dc, const CMatrix2D& matrix) {
  SendObjectSize(m_box.right - m_box.left, m_box.bottom - m_box.top);
  SendObjectType();
  const float gap = kHandleGap * Pixel();
  CFRect outer = m_box;
  outer.Inflate(gap, gap);
  const float midX = (outer.left + outer.right) / 2;
  const float midY = (outer.top + outer.bottom) / 2;
  if ((m_mode & 0x7f) != kRotateMode) m_mode = (m_mode & kJustSelected) | kScaleMode;
  if ((m_mode & 0x7f) == kRotateMode) {
    POINT tl = ToDevice(matrix, outer.left, outer.top);
    POINT br = ToDevice(matrix, outer.right, outer.bottom);
    POINT mid = ToDevice(matrix, midX, midY);
    POINT centre = ToDevice(matrix, m_centre.x, m_centre.y);
    InvertBitmap(dc, IDB_ROTATE_TOPLEFT, tl.x - 7, tl.y - 7);
    InvertBitmap(dc, IDB_ROTATE_TOPRIGHT, br.x - 7, tl.y - 7);
    InvertBitmap(dc, IDB_ROTATE_BOTTOMLEFT, tl.x - 7, br.y - 7);
    InvertBitmap(dc, IDB_ROTATE_BOTTOMRIGHT, br.x - 7, br.y - 7);
    InvertBitmap(dc, IDB_SKEW_HORZ, mid.x - 7, tl.y - 7);
    InvertBitmap(dc, IDB_SKEW_HORZ, mid.x - 7, br.y);
    InvertBitmap(dc, IDB_SKEW_VERT, tl.x - 4, mid.y - 7);
    InvertBitmap(dc, IDB_SKEW_VERT, br.x - 4, mid.y - 7);
    InvertBitmap(dc, IDB_ROTATE_CENTRE, centre.x - 7, centre.y - 7);
    return;
  }
  const FPOINT points[] = {{outer.left, outer.top},  {midX, outer.top},
                           {outer.right, outer.top}, {outer.left, midY},
                           {outer.right, midY},      {outer.left, outer.bottom},
                           {midX, outer.bottom},     {outer.right, outer.bottom}};
  int rop = SetROP2(dc, R2_NOTXORPEN);
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  for (const FPOINT& point : points) {
    POINT at = ToDevice(matrix, point.x, point.y);
    Rectangle(dc, at.x - 3, at.y - 3, at.x + 3, at.y + 3);
  }
  SelectObject(dc, brush);
  SelectObject(dc, pen);
  SetROP2(dc, rop);
}

void CSelectTracker::DrawFeedback(CDC* dc) {
  // Calls alternate between drawing and erasing; a rectangle is erased exactly as it was drawn,
  // even when the snapping keys changed in between.
  const bool erasing = m_feedbackShown;
  m_feedbackShown = !m_feedbackShown;
  const float dx = m_point.x - m_press.x;
  const float dy = m_point.y - m_press.y;
  const WORD mode = m_mode & 0x7f;
  const bool rectangle = m_activeHandle == kMove || (mode != kRotateMode && m_activeHandle > kMove);
  if (rectangle && !erasing) m_feedbackRect = DraggedBox(dx, dy);
  if (!m_view) return;
  CMatrix2D* display = m_view->GetDisplayMatrix();
  std::unique_ptr<CClientDC> own;
  dc = display ? DrawingContext(dc, own) : nullptr;
  if (!dc) return;
  CXorScope xorScope(dc, CFeedbackTools::BlueDottedPen());
  FPOINT quad[4];
  if (rectangle) {
    const CFRect& r = m_feedbackRect;
    POINT a = ToDevice(*display, r.left, r.top);
    POINT b = ToDevice(*display, r.right, r.bottom);
    if (a.x == b.x || a.y == b.y) {
      dc->MoveTo(a);
      dc->LineTo(b);
    } else {
      dc->Rectangle(a.x, a.y, b.x, b.y);
    }
    SendObjectSize(r.right - r.left, r.bottom - r.top);
    return;
  }
  if (m_activeHandle == kCentre) {
    POINT at = ToDevice(*display, m_centre.x + dx, m_centre.y + dy);
    InvertBitmap(dc->GetSafeHdc(), IDB_ROTATE_CENTRE, at.x - 7, at.y - 7);
    return;
  }
  CMatrix2D transform = IsCorner(m_activeHandle)
                            ? MakeRotationMatrix(m_centre.x, m_centre.y,
                                                 RotationAngle(m_centre, m_press, m_point))
                            : SkewMatrix(m_box, m_activeHandle, m_press, m_point);
  transform.TransformRectToQuad(&m_box, quad);
  POINT corners[5];
  const int order[] = {0, 1, 3, 2, 0};
  for (int i = 0; i < 5; ++i) corners[i] = ToDevice(*display, quad[order[i]].x, quad[order[i]].y);
  Polyline(dc->GetSafeHdc(), corners, 5);
  if (IsCorner(m_activeHandle)) {
    POINT at = ToDevice(*display, m_centre.x, m_centre.y);
    InvertBitmap(dc->GetSafeHdc(), IDB_ROTATE_CENTRE, at.x - 7, at.y - 7);
  }
}

void CSelectTracker::DrawBand(CDC* dc) {
  if (!m_view) return;
  CMatrix2D* display = m_view->GetDisplayMatrix();
  std::unique_ptr<CClientDC> own;
  dc = display ? DrawingContext(dc, own) : nullptr;
  if (!dc) return;
  CXorScope xorScope(dc, CFeedbackTools::BlueDottedPen());
  POINT a = ToDevice(*display, m_press.x, m_press.y);
  POINT b = ToDevice(*display, m_point.x, m_point.y);
  dc->Rectangle(a.x, a.y, b.x, b.y);
}

bool CSelectTracker::SpeaksInStatusBar() const {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return true;
  CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(main)->MDIGetActive();
  CView* active = child ? child->GetActiveView() : nullptr;
  return !active || !m_view || active->m_hWnd == m_view->GetViewWindow();
}

void CSelectTracker::SendObjectSize(float width, float height) const {
  if (!SpeaksInStatusBar()) return;
  float size[2] = {width, height};
  SendToMainWindow(kObjectSizeCommand, reinterpret_cast<LPARAM>(size));
}

void CSelectTracker::SendObjectType() const {
  if (!SpeaksInStatusBar()) return;
  CString name;
  if (m_count == 1 && m_current)
    GetBlockTypeName(m_current->m_type, name);
  else if (m_count > 1)
    name.LoadString(IDS_STATUS_SEVERAL_BLOCKS);
  SendToMainWindow(kObjectTypeCommand, reinterpret_cast<LPARAM>(name.GetString()));
}

void CSelectTracker::InvalidateBox() const {
  HWND window = m_view ? m_view->GetViewWindow() : nullptr;
  CMatrix2D* display = m_view ? m_view->GetDisplayMatrix() : nullptr;
  if (!window || !display) return;
  POINT a = ToDevice(*display, m_box.left, m_box.top);
  POINT b = ToDevice(*display, m_box.right, m_box.bottom);
  RECT rect = {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
  if (rect.left == rect.right) InflateRect(&rect, 1, 0);
  if (rect.top == rect.bottom) InflateRect(&rect, 0, 1);
  ::InvalidateRect(window, &rect, FALSE);
}

CSelectTracker::Cursor CSelectTracker::HandleCursor(WORD mode, int handle) {
  const bool corner = IsCorner(handle);
  const bool horizontalEdge = handle == kTop || handle == kBottom;
  const bool verticalEdge = handle == kLeft || handle == kRight;
  if (mode == kScaleMode) {
    if (handle == kTopLeft || handle == kBottomRight) return {IDC_SIZENWSE, 0};
    if (handle == kTopRight || handle == kBottomLeft) return {IDC_SIZENESW, 0};
    if (horizontalEdge) return {IDC_SIZENS, 0};
    if (verticalEdge) return {IDC_SIZEWE, 0};
    return {nullptr, 0};
  }
  if (mode == kRotateMode) {
    if (corner) return {nullptr, IDC_CUR_ROTATE};
    if (horizontalEdge) return {nullptr, IDC_CUR_SKEW_HORZ};
    if (verticalEdge) return {nullptr, IDC_CUR_SKEW_VERT};
    if (handle == kCentre) return {IDC_CROSS, 0};
    return {nullptr, 0};
  }
  return {nullptr, IDC_CUR_TRACKER};
}

void CSelectTracker::SetHandleCursor(WORD mode, int handle, FPOINT point) {
  m_activeHandle = handle;
  m_press = m_point = point;
  const Cursor choice = HandleCursor(mode, handle);
  HCURSOR cursor = nullptr;
  if (choice.system)
    cursor = ::LoadCursorA(nullptr, choice.system);
  else if (choice.resource)
    cursor = CToolCursors::Load({CToolCursors::kProgram, choice.resource});
  if (cursor && ::GetCursor() != cursor) ::SetCursor(cursor);
}
