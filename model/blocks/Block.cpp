#include "model/blocks/Block.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "framework/ByteWriter.h"
#include "framework/ClientDC.h"
#include "framework/GlobalLock.h"
#include "framework/KeyState.h"
#include "framework/ResourceModule.h"
#include "model/blocks/BlockView.h"
#include "model/editing/DragState.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/MainWindowNotice.h"
#include "model/geometry/MatrixFactories.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordWriter.h"
#include "model/undo/UndoAttrRecord.h"
#include "model/undo/UndoControlPointRecord.h"
#include "model/undo/UndoHandleRecord.h"
#include "model/undo/UndoManager.h"

namespace {

// Handles, control points, the drag threshold and the repaint margin, in screen pixels.
const int kHandlePixels = 3;
// Status command that shows the type of the current object.
const UINT kShowObjectTypeCommand = 32840;
// Modifier flags passed to the key handlers.
const UINT kShiftModifier = 4;
const UINT kCtrlModifier = 8;

LONG Truncate(float value) { return static_cast<LONG>(value); }

POINT ToDevice(const CMatrix2D* matrix, FPOINT point) {
  if (matrix) matrix->TransformPointTo(&point);
  return POINT{Truncate(point.x), Truncate(point.y)};
}

// Without a view a pixel is one page unit, as in a view that has no rulers yet.
double PixelTolerance(CBlockView* view, int pixels) {
  return (view ? view->GetScale() : 1.0) * pixels;
}

HWND ViewWindow(CBlockView* view) { return view ? view->GetViewWindow() : nullptr; }
CMatrix2D* DisplayMatrix(CBlockView* view) { return view ? view->GetDisplayMatrix() : nullptr; }
int CurrentTool(CBlockView* view) { return view ? view->GetCurrentTool() : 0; }

void SetViewCursor(CBlockView* view, HCURSOR cursor) {
  HWND window = ViewWindow(view);
  if (window) ::SetClassLongPtrA(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

// Selects a pen, the null brush and the NOT-XOR raster operation for its lifetime.
class XorDrawing {
public:
  XorDrawing(CDC* dc, CPen* pen) : m_dc(dc) {
    m_pen = dc->SelectObject(pen ? pen->m_hObject : ::GetStockObject(BLACK_PEN));
    m_brush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
    m_rop = dc->SetROP2(R2_NOTXORPEN);
  }
  ~XorDrawing() {
    m_dc->SetROP2(m_rop);
    m_dc->SelectObject(m_brush);
    m_dc->SelectObject(m_pen);
  }
  XorDrawing(const XorDrawing&) = delete;
  XorDrawing& operator=(const XorDrawing&) = delete;

private:
  CDC* m_dc;
  HGDIOBJ m_pen;
  HGDIOBJ m_brush;
  int m_rop;
};

CPen* RubberBandPen(WORD kind) {
  switch (kind & CDragState::kPenMask) {
    case 1:
      return nullptr;  // the black stock pen
    case 2:
      return CFeedbackTools::RedPen();
    case 3:
      return CFeedbackTools::BluePen();
    default:
      return CFeedbackTools::BlueDottedPen();
  }
}

void DrawClosed(CDC* dc, const POINT* corners) {
  POINT outline[5] = {corners[0], corners[1], corners[2], corners[3], corners[0]};
  dc->Polyline(outline, 5);
}

INT_PTR CALLBACK EmptyPanelProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Moves the panel host so that its bottom stays where it was.
void PlacePanelHost(HWND host, HWND panel, bool emptyPanel) {
  RECT frame;
  ::GetWindowRect(host, &frame);
  if (HWND parent = ::GetParent(host); parent && (::GetWindowLongA(host, GWL_STYLE) & WS_CHILD))
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&frame), 2);
  int width = 100;
  int height = 20;
  if (emptyPanel || !panel) {
    if (panel) ::ShowWindow(panel, SW_HIDE);
  } else {
    RECT client;
    ::GetClientRect(panel, &client);
    width = client.right + 10;
    height = client.bottom + 20;
  }
  ::SetWindowPos(host, nullptr, frame.left, frame.bottom - height, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CBlock::CBlock()
    : m_type(0),
      m_attributes(0),
      m_selected(0),
      m_heldHandle(kNoHandle),
      m_editMode(0),
      m_cursorOperation(0) {}

CBlock::~CBlock() { CUndoRecord::ForgetBlock(this); }

void CBlock::ReplaceFont(int, int, int, int) {}
void CBlock::RemountFonts(CFontRebinding&) {}
void CBlock::UpdateBox() {}
BOOL CBlock::IsEmpty() { return FALSE; }

void CBlock::FitToRect(float left, float top, float right, float bottom) {
  CMatrix2D fit = MakeFitMatrix(m_box, left, top, right, bottom);
  m_matrix.Multiply(fit);
  fit.TransformFRect(&m_box);
}

void CBlock::SetAttrBits(CBlockView* view, WORD bits, WORD mask) {
  CBlockView* undoView = view ? view : CBlockView::GetActive();
  if (IsRecording(undoView)) RecordUndo(undoView, new CUndoAttrRecord(this, m_attributes));
  m_attributes = static_cast<WORD>((m_attributes & ~mask) | bits);
  if (view) Invalidate(view, FALSE);
}

void CBlock::Draw(CDC* dc, CMatrix2D* matrix, int flag) {
  if (m_attributes & kSolidAttr)
    DrawFilled(dc, matrix, flag);
  else
    DrawOutline(dc, matrix, flag);
}

void CBlock::DrawForPrint(CDC*, CMatrix2D*, int) {}
BOOL CBlock::CanNodeEdit() { return FALSE; }
BOOL CBlock::CanTextEdit() { return FALSE; }

BOOL CBlock::CanEdit(int tool) {
  switch (tool) {
    case kTextTool:
      return CanTextEdit();
    case kNodeTool:
      return CanNodeEdit();
    default:
      return FALSE;
  }
}

BOOL CBlock::BeginEdit(int tool, CBlockView* view) {
  switch (tool) {
    case kTextTool:
      return BeginTextEdit(view);
    case kNodeTool:
      return BeginNodeEdit(view);
    default:
      return FALSE;
  }
}

void CBlock::NodeEditStarted(CBlockView*) {}

BOOL CBlock::BeginNodeEdit(CBlockView* view) {
  if (!CanNodeEdit()) return FALSE;
  m_editMode = kNodeTool;
  if (HWND window = ViewWindow(view)) {
    CClientDC dc(window);
    DrawEditOverlay(&dc, DisplayMatrix(view));
  }
  NodeEditStarted(view);
  return TRUE;
}

BOOL CBlock::BeginTextEdit(CBlockView* view) {
  if (!CanTextEdit()) return FALSE;
  m_editMode = kTextTool;
  if (HWND window = ViewWindow(view)) {
    CClientDC dc(window);
    DrawEditOverlay(&dc, DisplayMatrix(view));
  }
  return TRUE;
}

BOOL CBlock::ExecCommand(CBlockView*, UINT) { return FALSE; }
BOOL CBlock::HasCommand(CBlockView*, UINT) { return FALSE; }

void CBlock::EditDelete(CBlockView* view) {
  if (m_editMode == kTextTool)
    TextDelete(view);
  else if (m_editMode == kNodeTool)
    NodeDelete(view);
}

void CBlock::EditBackspace(CBlockView* view) {
  if (m_editMode == kTextTool)
    TextBackspace(view);
  else if (m_editMode == kNodeTool)
    NodeBackspace(view);
}

void CBlock::TextDelete(CBlockView*) {}
void CBlock::TextBackspace(CBlockView*) {}
void CBlock::NodeDelete(CBlockView*) {}
void CBlock::NodeBackspace(CBlockView*) {}
BOOL CBlock::HasEditSelection() { return FALSE; }

BOOL CBlock::EndEdit(CBlockView* view) {
  switch (m_editMode) {
    case kTextTool:
      return EndTextEdit(view);
    case kNodeTool:
      return EndNodeEdit(view);
    default:
      return TRUE;
  }
}

BOOL CBlock::EndNodeEdit(CBlockView* view) {
  if (HWND window = ViewWindow(view)) {
    CClientDC dc(window);
    dc.SetROP2(R2_NOTXORPEN);
    DrawEditOverlay(&dc, DisplayMatrix(view));
  }
  m_editMode = 0;
  return TRUE;
}

BOOL CBlock::EndTextEdit(CBlockView* view) {
  if (HWND window = ViewWindow(view)) {
    CClientDC dc(window);
    DrawEditOverlay(&dc, DisplayMatrix(view));
  }
  m_editMode = 0;
  return TRUE;
}

void CBlock::DrawEditOverlay(CDC* dc, CMatrix2D* matrix) {
  if (m_editMode == kTextTool)
    DrawTextEditOverlay(dc, matrix);
  else if (m_editMode == kNodeTool)
    DrawNodeEditOverlay(dc, matrix);
}

void CBlock::DrawTextEditOverlay(CDC*, CMatrix2D*) {}
void CBlock::DrawNodeEditOverlay(CDC*, CMatrix2D*) {}

BOOL CBlock::UpdateCursor(CBlockView* view, UINT keyFlags, float x, float y) {
  if (x < m_box.left || x > m_box.right || y < m_box.top || y > m_box.bottom) return FALSE;
  switch (CurrentTool(view)) {
    case kSelectTool:
      return SelectUpdateCursor(view, keyFlags, x, y);
    case kTextTool:
      return TextUpdateCursor(view, keyFlags, x, y);
    case kNodeTool:
      return NodeUpdateCursor(view, keyFlags, x, y);
    case kTextDragTool:
      return (keyFlags & MK_LBUTTON) ? DragUpdateCursor(view, keyFlags, x, y) : FALSE;
    default:
      return FALSE;
  }
}

BOOL CBlock::SelectUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y) {
  if ((keyFlags & MK_LBUTTON) || !HitTest(view, x, y)) return FALSE;
  SetViewCursor(view, CFeedbackTools::MoveCursor());
  m_cursorOperation = kSelectTool;
  return TRUE;
}

BOOL CBlock::TextUpdateCursor(CBlockView*, UINT, float, float) { return FALSE; }

BOOL CBlock::NodeUpdateCursor(CBlockView* view, UINT, float x, float y) {
  if (HitTestControlPoint(view, x, y, &m_heldHandle)) {
    m_cursorOperation = kNodeTool;
    SetViewCursor(view, ::LoadCursor(nullptr, IDC_CROSS));
  }
  return FALSE;
}

BOOL CBlock::DragUpdateCursor(CBlockView*, UINT, float, float) { return FALSE; }

BOOL CBlock::ResetCursor(CBlockView* view) {
  BOOL reset = FALSE;
  switch (m_cursorOperation) {
    case kSelectTool:
      reset = SelectResetCursor(view);
      break;
    case kTextTool:
      reset = TextResetCursor(view);
      break;
    case kNodeTool:
      reset = NodeResetCursor(view);
      break;
    case kTextDragTool:
      reset = DragResetCursor(view);
      break;
    default:
      return FALSE;
  }
  if (reset) {
    m_cursorOperation = 0;
    m_heldHandle = kNoHandle;
  }
  return reset;
}

BOOL CBlock::SelectResetCursor(CBlockView* view) {
  SetViewCursor(view, ::LoadCursor(nullptr, IDC_ARROW));
  m_cursorOperation = 0;
  m_heldHandle = kNoHandle;
  return TRUE;
}

BOOL CBlock::TextResetCursor(CBlockView* view) {
  SetViewCursor(view, ::LoadCursor(nullptr, IDC_IBEAM));
  m_cursorOperation = 0;
  m_heldHandle = kNoHandle;
  return TRUE;
}

BOOL CBlock::NodeResetCursor(CBlockView* view) {
  SetViewCursor(view, ::LoadCursor(nullptr, IDC_CROSS));
  m_cursorOperation = 0;
  m_heldHandle = kNoHandle;
  return TRUE;
}

BOOL CBlock::DragResetCursor(CBlockView* view) {
  SetViewCursor(view, ::LoadCursor(nullptr, IDC_IBEAM));
  m_heldHandle = kNoHandle;
  return TRUE;
}

BOOL CBlock::TextOnChar(CBlockView*, UINT, UINT) { return FALSE; }
BOOL CBlock::NodeOnChar(CBlockView*, UINT, UINT) { return FALSE; }
BOOL CBlock::NodeOnKeyDown(CBlockView*, UINT, UINT) { return FALSE; }
BOOL CBlock::TextOnKeyDown(CBlockView*, UINT, UINT) { return FALSE; }
BOOL CBlock::OnTimer(CBlockView*, UINT_PTR) { return FALSE; }

BOOL CBlock::OnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) {
  switch (CurrentTool(view)) {
    case kSelectTool:
      return SelectOnLButtonDown(view, keyFlags, x, y);
    case kTextTool:
      return TextOnLButtonDown(view, keyFlags, x, y);
    case kNodeTool:
      return NodeOnLButtonDown(view, keyFlags, x, y);
    default:
      return FALSE;
  }
}

BOOL CBlock::SelectOnLButtonDown(CBlockView* view, UINT, float x, float y) {
  if (!HitTestHandle(view, x, y, &m_heldHandle)) return FALSE;
  if (m_heldHandle < 0) ::MessageBeep(MB_OK);
  GetDragState().Press(x, y);
  return TRUE;
}

BOOL CBlock::TextOnLButtonDown(CBlockView*, UINT, float, float) { return FALSE; }

BOOL CBlock::OnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  CDragState& drag = GetDragState();
  WORD kind = drag.rubberBandKind;
  bool followsBezier = kind >= CDragState::kBezier && kind < CDragState::kBezierDone;
  if (followsBezier || kind == CDragState::kRubberRect) {
    DrawRubberBand(view, nullptr);
    if (kind == CDragState::kRubberRect)
      drag.SetCurrent(x, y);
    else if (drag.bezierIndex >= 0 && drag.bezierIndex < CDragState::kBezierPoints)
      drag.bezier[drag.bezierIndex] = FPOINT{x, y};
    DrawRubberBand(view, nullptr);
  }
  BOOL handled = FALSE;
  switch (CurrentTool(view)) {
    case kSelectTool:
      handled = SelectOnMouseMove(view, keyFlags, x, y);
      break;
    case kTextTool:
      handled = TextOnMouseMove(view, keyFlags, x, y);
      break;
    case kNodeTool:
      handled = NodeOnMouseMove(view, keyFlags, x, y);
      break;
    default:
      break;
  }
  if (handled) drag.SetCurrent(x, y);
  return handled;
}

BOOL CBlock::SelectOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  if (!(keyFlags & MK_LBUTTON) || m_heldHandle < 0) return FALSE;
  CDragState& drag = GetDragState();
  if (!drag.moved) {
    if (!drag.LeavesDeadZone(x, y, PixelTolerance(view, kHandlePixels))) return TRUE;
    drag.moved = 1;
  }
  DrawHandleXor(view, m_heldHandle, x, y);
  MoveHandle(keyFlags, m_heldHandle, x, y);
  DrawHandleXor(view, m_heldHandle, x, y);
  return TRUE;
}

BOOL CBlock::TextOnMouseMove(CBlockView*, UINT keyFlags, float, float) {
  return (keyFlags & MK_LBUTTON) ? TRUE : FALSE;
}

BOOL CBlock::OnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) {
  GetDragState().SetCurrent(x, y);
  switch (CurrentTool(view)) {
    case kSelectTool:
      return FinishHandleDrag(view, keyFlags, x, y);
    case kTextTool:
      return TextOnLButtonUp(view, keyFlags, x, y);
    case kNodeTool:
      return NodeOnLButtonUp(view, keyFlags, x, y);
    default:
      return FALSE;
  }
}

BOOL CBlock::FinishHandleDrag(CBlockView* view, UINT keyFlags, float x, float y) {
  CDragState& drag = GetDragState();
  if (drag.moved) {
    if (IsRecording(view))
      RecordUndo(view,
                 new CUndoHandleRecord(this, keyFlags, m_heldHandle, drag.press, drag.current));
    MoveHandle(keyFlags, m_heldHandle, x, y);
    drag.moved = 0;
  }
  // No handle stays held once the button is up.
  m_heldHandle = kNoHandle;
  return TRUE;
}

BOOL CBlock::TextOnLButtonUp(CBlockView*, UINT, float, float) { return FALSE; }
BOOL CBlock::OnRButtonDown(CBlockView*, UINT, float, float) { return FALSE; }
BOOL CBlock::OnRButtonUp(CBlockView*, UINT, float, float) { return FALSE; }
BOOL CBlock::OnLButtonDblClk(CBlockView*, UINT, float, float) { return FALSE; }
BOOL CBlock::Reserved60() { return FALSE; }
BOOL CBlock::NodeShortcutKey(CBlockView*, UINT, UINT) { return FALSE; }
BOOL CBlock::Reserved62() { return FALSE; }

CBlock* CBlock::GetEffectOutline() const { return nullptr; }

void CBlock::DrawXorOutline(CDC* dc, CMatrix2D* matrix) {
  FPOINT mapped[4];
  CMatrix2D identity;
  (matrix ? matrix : &identity)->TransformRectToQuad(&m_box, mapped);
  // Quad order is left-top, right-top, left-bottom, right-bottom; walk it round. The outline
  // stands a little outside the box: drawn in XOR over a block's own edge in the same colour it
  // would turn that edge white, and a selected red rectangle would vanish from the screen.
  const int gap = kSelectionOutlineGap;
  POINT corners[4] = {{Truncate(mapped[0].x) - gap, Truncate(mapped[0].y) - gap},
                      {Truncate(mapped[1].x) + gap, Truncate(mapped[1].y) - gap},
                      {Truncate(mapped[3].x) + gap, Truncate(mapped[3].y) + gap},
                      {Truncate(mapped[2].x) - gap, Truncate(mapped[2].y) + gap}};
  XorDrawing xor_(dc, CFeedbackTools::RedPen());
  DrawClosed(dc, corners);
}

void CBlock::DrawHandleXor(CBlockView*, int, float, float) {}
void CBlock::MoveHandle(UINT, int, float, float) {}

void CBlock::DrawXorFrame(CDC* dc, CMatrix2D* matrix) {
  CFRect box = m_box;
  RECT rect;
  CMatrix2D identity;
  (matrix ? matrix : &identity)->TransformRectToInt(&box, &rect);
  POINT corners[4] = {{rect.left, rect.top},
                      {rect.right, rect.top},
                      {rect.right, rect.bottom},
                      {rect.left, rect.bottom}};
  XorDrawing xor_(dc, CFeedbackTools::RedPen());
  DrawClosed(dc, corners);
}

BOOL CBlock::HitTest(CBlockView* view, float x, float y) {
  CFRect box = m_box;
  box.Normalize();
  double pixel = PixelTolerance(view, 1);
  // Along a side of zero length the box is a line: hit within the handle tolerance of it.
  double toleranceX = box.left == box.right ? PixelTolerance(view, kHandlePixels) : pixel;
  double toleranceY = box.top == box.bottom ? PixelTolerance(view, kHandlePixels) : pixel;
  return box.left - toleranceX < x && x < box.right + toleranceX && box.top - toleranceY < y &&
         y < box.bottom + toleranceY;
}

BOOL CBlock::HitTestHandle(CBlockView*, float, float, int*) { return FALSE; }

void CBlock::Offset(float dx, float dy) {
  m_box.left += dx;
  m_box.right += dx;
  m_box.top += dy;
  m_box.bottom += dy;
}

void CBlock::SetBox(float left, float top, float right, float bottom) {
  m_box = CFRect(left, top, right, bottom);
}

void CBlock::Transform(const CMatrix2D&) {}
CContour* CBlock::GetContour(const CMatrix2D*, UINT) { return nullptr; }
void CBlock::Relayout(CBlockView*, int) {}
void CBlock::AppendText(CString&) {}
void CBlock::AppendClipboardText(char*, size_t) {}

int CBlock::WriteRecord(HGLOBAL* record) {
  *record = nullptr;
  return 0;
}

CBlock* CBlock::ToCurve(DWORD) { return nullptr; }
void CBlock::SetColour(CBlockView*, DWORD, BOOL) {}

CBlock* CBlock::Clone() {
  CByteWriter record;
  int length = AppendRecordTo(record);
  return length > 0 ? CreateBlockFromRecord(record.Data(), static_cast<size_t>(length)) : nullptr;
}

CBlock* CBlock::CreateTransformed(HANDLE, const CFRect&) { return nullptr; }

int CBlock::AppendRecordTo(CByteWriter& out) {
  HGLOBAL record = nullptr;
  int length = WriteRecord(&record);
  bool appended = false;
  if (record) {
    CGlobalLock lock(record);
    if (length > 0 && lock.Data() && static_cast<size_t>(length) <= lock.Size())
      appended = out.WriteBytes(lock.Data(), static_cast<size_t>(length));
  }
  if (record) ::GlobalFree(record);
  return appended ? length : 0;
}

CFRect CBlock::GetDrawnBox() const { return m_box; }

int CBlock::WriteRecordThroughAppend(HGLOBAL* record) {
  CByteWriter out;
  int length = AppendRecordTo(out);
  *record = length > 0 ? CBlockRecordWriter::CopyToGlobal(out.Data(), out.Size()) : nullptr;
  return *record ? length : 0;
}
void CBlock::AddColourToCombo(HWND) {}

void CBlock::AddColourNumber(HWND combo, DWORD colour) {
  if (!combo) return;
  char text[16];
  snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(colour));
  if (::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text)) == CB_ERR)
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

BOOL CBlock::NodeOnLButtonDown(CBlockView* view, UINT, float x, float y) {
  if (!HitTestControlPoint(view, x, y, &m_heldHandle)) return FALSE;
  GetDragState().Press(x, y);
  return TRUE;
}

BOOL CBlock::NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  if (!(keyFlags & MK_LBUTTON)) {
    int index = kNoHandle;
    if (HitTestControlPoint(view, x, y, &index)) ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
    return FALSE;
  }
  if (m_heldHandle < 0) return FALSE;
  CDragState& drag = GetDragState();
  if (!drag.moved) {
    if (!drag.LeavesDeadZone(x, y, PixelTolerance(view, kHandlePixels))) return TRUE;
    drag.moved = 1;
  }
  DrawControlPointXor(view, m_heldHandle, x, y);
  MoveControlPoint(view, keyFlags, m_heldHandle, x, y);
  DrawControlPointXor(view, m_heldHandle, x, y);
  return TRUE;
}

BOOL CBlock::NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float, float) {
  CDragState& drag = GetDragState();
  if (drag.moved && IsRecording(view))
    RecordUndo(view,
               new CUndoControlPointRecord(this, keyFlags, m_heldHandle, drag.press, drag.current));
  m_heldHandle = kNoHandle;
  drag.moved = 0;
  return FALSE;
}

BOOL CBlock::HitTestControlPoint(CBlockView*, float, float, int*) { return FALSE; }
void CBlock::MoveControlPoint(CBlockView*, UINT, int, float, float) {}
void CBlock::DrawControlPointXor(CBlockView*, int, float, float) {}
UINT CBlock::GetPanelId() { return kEmptyPanelId; }

BOOL CBlock::ShowPanel(HWND host) {
  CString typeName;
  GetBlockTypeName(m_type, typeName);
  SendToMainWindow(kShowObjectTypeCommand, reinterpret_cast<LPARAM>(typeName.GetString()));
  if (!host) return FALSE;
  HWND current = ::GetWindow(host, GW_CHILD);
  UINT panelId = GetPanelId();
  if (!current || static_cast<UINT>(::GetWindowLongPtrA(current, GWLP_USERDATA)) != panelId) {
    if (current) ::DestroyWindow(current);
    HWND panel = CreatePanel(host);
    PlacePanelHost(host, panel, panelId == kEmptyPanelId);
    ::ShowWindow(host, SW_SHOWNA);
    SetPanelCaption(host);
  }
  FillPanel(host);
  return TRUE;
}

BOOL CBlock::RefreshPanel(HWND host) { return ShowPanel(host); }

void CBlock::SetPanelCaption(HWND panel) {
  if (panel) ::SetWindowTextA(panel, "无属性");
}

HWND CBlock::CreatePanel(HWND parent) {
  HWND panel = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kEmptyPanelId), parent,
                                    EmptyPanelProc, 0);
  if (panel) ::SetWindowLongPtrA(panel, GWLP_USERDATA, kEmptyPanelId);
  return panel;
}

void CBlock::FillPanel(HWND) {}
BOOL CBlock::ApplyPanel(HWND) { return FALSE; }
CBoxArray* CBlock::GetBoxArray() { return nullptr; }
void CBlock::DrawOutline(CDC*, CMatrix2D*, int) {}
void CBlock::DrawFilled(CDC*, CMatrix2D*, int) {}

BOOL CBlock::EditChar(CBlockView* view, UINT ch, UINT flags) {
  switch (m_editMode) {
    case kTextTool:
      return TextOnChar(view, ch, flags);
    case kNodeTool:
      return NodeOnChar(view, ch, flags);
    default:
      return FALSE;
  }
}

BOOL CBlock::EditKeyDown(CBlockView* view, UINT key) {
  UINT modifiers = (AfxIsKeyDown(VK_SHIFT) ? kShiftModifier : 0) |
                   (AfxIsKeyDown(VK_CONTROL) ? kCtrlModifier : 0);
  switch (m_editMode) {
    case kTextTool:
      return TextOnKeyDown(view, key, modifiers);
    case kNodeTool:
      return NodeOnKeyDown(view, key, modifiers);
    default:
      return FALSE;
  }
}

void CBlock::Invalidate(CBlockView* view, BOOL erase) {
  HWND window = ViewWindow(view);
  if (!window) return;
  CFRect box = GetDrawnBox();
  RECT rect;
  CMatrix2D identity;
  CMatrix2D* display = DisplayMatrix(view);
  (display ? display : &identity)->TransformRect(&box, &rect);
  ::InflateRect(&rect, kHandlePixels, kHandlePixels);
  ::InvalidateRect(window, &rect, erase);
}

void CBlock::DrawRubberBand(CBlockView* view, CDC* dc) {
  const CDragState& drag = GetDragState();
  if (drag.rubberBandKind == CDragState::kNone) return;
  std::unique_ptr<CClientDC> windowDC;
  if (!dc) {
    HWND window = ViewWindow(view);
    if (!window) return;
    windowDC = std::make_unique<CClientDC>(window);
    dc = windowDC.get();
  }
  const CMatrix2D* display = DisplayMatrix(view);
  XorDrawing xor_(dc, RubberBandPen(drag.rubberBandKind));
  POINT from = ToDevice(display, drag.press);
  POINT to = ToDevice(display, drag.current);
  WORD shape = drag.Shape();
  if (drag.rubberBandKind == CDragState::kRubberRect || shape == CDragState::kRectangle) {
    dc->Rectangle(from.x, from.y, to.x, to.y);
  } else if (shape == CDragState::kLine) {
    dc->MoveTo(from);
    dc->LineTo(to);
  } else if (shape == CDragState::kEllipse) {
    dc->Ellipse(from.x, from.y, to.x, to.y);
  } else if (shape == CDragState::kBezier) {
    POINT points[CDragState::kBezierPoints];
    for (int i = 0; i < CDragState::kBezierPoints; ++i)
      points[i] = ToDevice(display, drag.bezier[i]);
    dc->MoveTo(points[0]);
    dc->LineTo(points[1]);
    dc->MoveTo(points[2]);
    dc->LineTo(points[3]);
    dc->PolyBezier(points, CDragState::kBezierPoints);
  }
}

bool CBlock::IsRecording(CBlockView* view) { return view && view->GetUndoDepth() != 0; }

void CBlock::RecordUndo(CBlockView* view, CUndoRecord* record) {
  CUndoManager* manager = view ? view->GetUndoManager() : nullptr;
  if (manager)
    manager->AppendRecord(record);
  else
    delete record;
}
