#include "editor/TALVEX42View.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/cut/CutFrame.h"
#include "editor/dialogs/2DCarveDlg.h"
#include "editor/dialogs/FontSizeDlg.h"
#include "editor/dialogs/LatinParamDlg.h"
#include "editor/dialogs/PageSetupDlg.h"
#include "editor/dialogs/PathTextPanel.h"
#include "editor/nodes/NodeCommands.h"
#include "editor/tools/ToolSwitch.h"
#include "editor/views/DocumentChange.h"
#include "editor/views/PaintBuffer.h"
#include "editor/views/ToolCursors.h"
#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/CmdUI.h"
#include "framework/ControlBar.h"
#include "framework/DC.h"
#include "framework/GbkText.h"
#include "framework/InvalidArgException.h"
#include "framework/KeyState.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"
#include "framework/Pen.h"
#include "framework/WinApp.h"
#include "model/blocks/AuxObject.h"
#include "model/blocks/Block.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/editing/DragTracker.h"
#include "model/editing/KeyboardCharset.h"
#include "model/editing/MainWindowNotice.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoEndEditRecord.h"
#include "model/undo/UndoToolRecord.h"
#include "resources/Resource.h"
#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/TextEffect.h"

IMPLEMENT_DYNCREATE(CTALVEX42View, CTALVEXView)

// clang-format off
BEGIN_MESSAGE_MAP(CTALVEX42View, CTALVEXView)
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_RBUTTONUP()
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_CHAR, OnChar)
  ON_MESSAGE(WM_IME_CHAR, OnImeChar)
  ON_MESSAGE(WM_INPUTLANGCHANGE, OnInputLanguageChange)
  ON_COMMAND(ID_FILE_CUT_OUTPUT, OnOpenCutWindow)
  ON_COMMAND(ID_FILE_FILL_OUTPUT, OnFillOutput)
  ON_COMMAND(ID_TEXT_FONT_SIZE, OnChangeFont)
  ON_COMMAND(ID_TEXT_LATIN_PARAMS, OnLatinParams)
  ON_COMMAND(ID_TEXT_LINE_START, OnAlignLineStart)
  ON_COMMAND(ID_TEXT_LINE_START_CANCEL, OnCancelLineStart)
  ON_COMMAND(ID_PAGE_SETUP, OnPageSetup)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kShadow = 5;
const COLORREF kOutputAreaPaper = RGB(240, 240, 240);
// The status protocol's pointer position (two floats, page units).
const UINT kStatusPointer = 32838;
// Control ids of the main frame's palette and property bars.
const UINT kPaletteBarId = 176;
const UINT kPropertyBarId = 158;
// Double-byte character sets (Shift-JIS to Big5): a "?" typed in one of them stands for a
// character the input method could not give, and is left to the default procedure.
const int kFirstDoubleByteCharset = 128;
const int kLastDoubleByteCharset = 134;
// Pixels Show All leaves between the blocks and the client area's edges.
const int kShowAllMarginPixels = 3;

CFRect Union(const CFRect& a, const CFRect& b) {
  return CFRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
}

COLORREF ToColorRef(int rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

CFrameWnd* MainFrame() {
  CWnd* main = AfxGetMainWnd();
  return main && main->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(main) : nullptr;
}

CControlBar* MainFrameBar(UINT id) {
  CFrameWnd* frame = MainFrame();
  CControlBar* bar = frame ? frame->GetControlBar(id) : nullptr;
  return bar && bar->m_hWnd ? bar : nullptr;
}

CTALVEX42View* ActiveDrawingView() {
  CFrameWnd* frame = MainFrame();
  CFrameWnd* active = frame ? frame->GetActiveFrame() : nullptr;
  CView* view = active ? active->GetActiveView() : nullptr;
  return dynamic_cast<CTALVEX42View*>(view);
}

CBlockView* ActiveBlockView() { return ActiveDrawingView(); }

BOOL ApplyPanelOfActiveView(HWND panel) {
  CTALVEX42View* view = ActiveDrawingView();
  return view ? view->ApplyPanel(panel) : FALSE;
}

// The byte of a single-byte keyboard character set's own code page for the character; false for
// a double-byte set or a character that code page does not hold.
bool KeyboardByteOf(wchar_t ch, int charset, BYTE* byte) {
  CHARSETINFO info = {};
  if (charset >= kFirstDoubleByteCharset && charset <= CHINESEBIG5_CHARSET) return false;
  if (!::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<INT_PTR>(charset)), &info,
                              TCI_SRCCHARSET))
    return false;
  char bytes[2] = {};
  BOOL unheld = FALSE;
  int length = ::WideCharToMultiByte(info.ciACP, WC_NO_BEST_FIT_CHARS, &ch, 1, bytes, sizeof bytes,
                                     nullptr, &unheld);
  if (length != 1 || unheld) return false;
  *byte = static_cast<BYTE>(bytes[0]);
  return true;
}

UINT CodePageOfCharset(int charset) {
  CHARSETINFO info = {};
  if (charset != ANSI_CHARSET && charset != DEFAULT_CHARSET &&
      ::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<INT_PTR>(charset)), &info,
                             TCI_SRCCHARSET))
    return info.ciACP;
  return CP_ACP;
}

}  // namespace

namespace {

// The drawing view of the main window's active document window: the view blocks and dialogs
// work on when no view is handed to them.
CBlockView* FindActiveDrawingView() {
  CFrameWnd* frame = MainFrame();
  CFrameWnd* child = frame ? frame->GetActiveFrame() : nullptr;
  CView* view = child ? child->GetActiveView() : nullptr;
  return view && view->m_hWnd ? dynamic_cast<CTALVEX42View*>(view) : nullptr;
}

}  // namespace

CTALVEX42View::CTALVEX42View() {
  CBlockView::SetActiveViewFinder(&FindActiveDrawingView);
  m_currentTool = kSelectTool;
  m_targets[kOutputAreaTracker] = &m_outputAreas;
  m_targets[kSelectionTracker] = &m_selection;
  m_targets[kCurrentTool] = &m_creationTools;
  // What the blocks and their panels ask of the active view.
  CBlockView::SetActiveViewFinder(&ActiveBlockView);
  CTextEffect::SetPanelFactory(&CPathTextPanel::CreateForTemplate);
  CPathTextPanel::SetPanelApplier(&ApplyPanelOfActiveView);
}

BOOL CTALVEX42View::ApplyPanel(HWND panel) {
  CBlock* block = m_selection.GetCount() > 0 ? m_selection.GetCurrentBlock() : nullptr;
  if (!block) return FALSE;
  m_selection.Hide(nullptr);
  BOOL applied = FALSE;
  {
    CDocumentChange change(m_undo, GetDocument());
    block->Invalidate(this, TRUE);
    applied = block->ApplyPanel(panel);
    block->Invalidate(this, TRUE);
  }
  m_selection.Recount();
  m_selection.Show(nullptr);
  return applied;
}

CTALVEX42View::~CTALVEX42View() = default;

CTALVEX42Doc* CTALVEX42View::GetDocument() const { return static_cast<CTALVEX42Doc*>(m_pDocument); }

CSegArray* CTALVEX42View::GetBlockArray() {
  return GetDocument() ? &GetDocument()->GetBlockList() : nullptr;
}

// ---- Creation, size and activation ----

BOOL CTALVEX42View::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                           CWnd* parent, UINT id, CCreateContext* context) {
  if (!CTALVEXView::Create(className, windowName, style, rect, parent, id, context)) return FALSE;
  // A new window starts with the selection tool and its whole page in view.
  PostMessage(WM_COMMAND, ID_TOOL_SELECT, 0);
  PostMessage(WM_COMMAND, ID_VIEW_WHOLE_PAGE, 0);
  return TRUE;
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
  m_selection.Attach(this, document, m_rulers.get(), true);
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
  if (blocks && blocks->GetSize() == 0) ShowWholePage();
}

void CTALVEX42View::OnDestroy() {
  // With the last drawing closed nothing is selected any more: the status bar's size and type
  // panes show their names again, as at start-up.
  if (IsLastDrawingWindow()) {
    SendToMainWindow(ID_STATUS_SIZE, 0);
    SendToMainWindow(ID_STATUS_TYPE, 0);
  }
  CTALVEXView::OnDestroy();
}

bool CTALVEX42View::IsLastDrawingWindow() const {
  CFrameWnd* own = GetParentFrame();
  HWND client = own && own->m_hWnd ? ::GetParent(own->m_hWnd) : nullptr;
  if (!client) return false;
  for (HWND child = ::GetWindow(client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    CWnd* window = CWnd::FromHandlePermanent(child);
    if (child != own->m_hWnd && window && window->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
      return false;
  }
  return true;
}

void CTALVEX42View::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  CTALVEXView::OnActivateView(activate, activateView, deactiveView);
  if (!activate) return;
  CWnd* mainWindow = AfxGetMainWnd();
  if (!mainWindow || !mainWindow->IsKindOf(RUNTIME_CLASS(CMDIMainFrame))) return;
  CMDIMainFrame* frame = static_cast<CMDIMainFrame*>(mainWindow);
  frame->ShowControlBars(frame->GetBarsToShow(), 0xFFFF);
  frame->PostMessage(WM_COMMAND, ID_VIEW_ACTIVATED, 0);
  m_selection.ReportType();
}

// ---- Document updates ----

void CTALVEX42View::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  switch (hint) {
    case CTALVEX42Doc::kHintNewPage:
      return;
    case CTALVEX42Doc::kHintBlockAdded: {
      CMatrix2D* matrix = GetDisplayMatrix();
      if (!hintObject || !matrix || !m_hWnd) return;
      CClientDC dc(this);
      ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(BLACK_PEN));
      static_cast<CBlock*>(hintObject)->Draw(&dc, matrix, 0);
      return;
    }
    case CTALVEX42Doc::kHintBlocksAppended: {
      CSegArray* blocks = GetBlockArray();
      if (!blocks) return;
      for (INT_PTR i = reinterpret_cast<INT_PTR>(hintObject); i < blocks->GetSize(); ++i)
        if (CBlock* block = blocks->GetBlock(i)) block->Invalidate(this, FALSE);
      return;
    }
    default:
      if (m_hWnd) Invalidate(FALSE);
      return;
  }
}

// ---- Painting ----

bool CTALVEX42View::IsPainted(const CBlock& block, const CFRect& area) {
  if (block.m_selected == kHiddenWhileDragged || block.m_type == kUnpaintedType) return false;
  return DrawsInto(block, area);
}

void CTALVEX42View::OnDraw(CDC*) {}

void CTALVEX42View::OnPaint() {
  PAINTSTRUCT paint;
  HDC window = ::BeginPaint(m_hWnd, &paint);
  const RECT& update = paint.rcPaint;
  if (update.right > update.left && update.bottom > update.top) {
    CPaintBuffer buffer(window, update);
    PaintInto(CDC::FromHandle(buffer.Context()), update);
  }
  ::EndPaint(m_hWnd, &paint);
}

void CTALVEX42View::PaintInto(CDC* dc, const RECT& update) {
  HDC hdc = dc->GetSafeHdc();
  RECT client;
  GetClientRect(&client);
  CTALVEX42Doc* document = GetDocument();
  CMatrix2D* matrix = GetDisplayMatrix();
  bool outputAreas = IsOutputAreaTool(m_currentTool);
  ::FillRect(hdc, &client,
             static_cast<HBRUSH>(::GetStockObject(outputAreas ? LTGRAY_BRUSH : WHITE_BRUSH)));
  if (!document || !matrix) return;
  // With the output-area tools the page is greyed while the document has output areas; the
  // document keeps its own colour.
  COLORREF paper = ToColorRef(document->GetPageSettings().m_backColor);
  if (outputAreas && document->GetOutputAreas().GetSize() > 0) paper = kOutputAreaPaper;
  DrawPage(dc, *matrix, paper);
  DrawGrid(dc, *matrix);
  if (outputAreas) DrawOutputAreas(dc, *matrix);

  ::IntersectClipRect(hdc, update.left, update.top, update.right, update.bottom);
  // Blocks are chosen by their boxes before anything is drawn, but a block's pixels may lie a
  // little past its box (its one-pixel pen at truncated positions, the rounding of the area's
  // own corners): blocks within a few pixels of the area are drawn too, and the clip keeps them
  // inside it.
  CFRect area;
  DeviceRectToPage(update.left - kPaintMarginPixels, update.top - kPaintMarginPixels,
                   update.right + kPaintMarginPixels, update.bottom + kPaintMarginPixels, &area);
  HGDIOBJ previousPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
  DrawBlocks(dc, matrix, area);
  // A curve built click by click shows as it is so far.
  if (m_feedbackBlock && g_ToolState.multiClick == CToolState::kBuilding)
    m_feedbackBlock->Draw(dc, matrix, 0);
  m_rulers->DrawGuides(dc, *matrix);
  if (m_editBlock)
    m_editBlock->DrawEditOverlay(dc, matrix);
  else if (m_targets[kSelectionTracker])
    m_targets[kSelectionTracker]->Draw(dc, matrix);
  ::SelectObject(hdc, previousPen);
}

void CTALVEX42View::DrawBlocks(CDC* dc, CMatrix2D* matrix, const CFRect& area) {
  CSegArray* blocks = GetBlockArray();
  if (!blocks) return;
  // Last to first: the first block of the list ends on top.
  for (INT_PTR i = blocks->GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks->GetBlock(i);
    if (block && IsPainted(*block, area)) block->Draw(dc, matrix, 0);
  }
}

void CTALVEX42View::DrawOutputAreas(CDC* dc, const CMatrix2D& matrix) {
  CAuxObjectList& areas = GetDocument()->GetOutputAreas();
  CFRect visible = m_rulers->GetVisiblePageRect();
  for (INT_PTR i = 0; i < areas.GetSize(); ++i) areas.GetObjectAt(i)->Draw(dc, matrix, visible);
  if (m_targets[kOutputAreaTracker])
    m_targets[kOutputAreaTracker]->Draw(dc, const_cast<CMatrix2D*>(&matrix));
}

void CTALVEX42View::DrawPage(CDC* dc, const CMatrix2D& matrix, COLORREF paper) {
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
  CBrush brush(paper);
  CPen edge(PS_SOLID, 1, paper);
  ::SelectObject(hdc, brush.m_hObject);
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

// ---- Blocks and tools ----

CBlock* CTALVEX42View::GetBlock(INT_PTR index) {
  CSegArray* blocks = GetBlockArray();
  if (!blocks || index < 0 || index >= blocks->GetSize()) AfxThrowInvalidArgException();
  return blocks->GetBlock(index);
}

CBlock* CTALVEX42View::FindBlockAt(float x, float y, BYTE type, INT_PTR* index) {
  if (index) *index = -1;
  CSegArray* blocks = GetBlockArray();
  if (!blocks) return nullptr;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || (type != 0 && block->m_type != type)) continue;
    const CFRect& box = block->m_box;
    if (x < box.left || x > box.right || y < box.top || y > box.bottom) continue;
    if (index) *index = i;
    return block;
  }
  return nullptr;
}

int CTALVEX42View::HitTestTextBlock(float x, float y, INT_PTR* blockIndex, int* charIndex, int) {
  INT_PTR index = -1;
  CBlock* block = FindBlockAt(x, y, kTextBlock, &index);
  if (blockIndex) *blockIndex = index;
  int character = -1;
  BOOL hit = block && HitTestCharacters(block, x, y, &character);
  if (charIndex) *charIndex = character;
  return hit ? 1 : 0;
}

BOOL CTALVEX42View::HitTestCharacters(CBlock* block, float x, float y, int* charIndex) {
  auto* text = dynamic_cast<CTextBlock*>(block);
  INT_PTR index = -1;
  if (!text || !text->HitTestChars(x, y, CTextBlock::kAnyChar, &index)) return FALSE;
  if (charIndex) *charIndex = static_cast<int>(index);
  return TRUE;
}

void CTALVEX42View::SetToolCursor(int tool) {
  HCURSOR cursor = CToolCursors::Load(CToolCursors::For(tool));
  if (!cursor || !m_hWnd) return;
  // The class cursor, so that the window shows it whenever the pointer is over it.
  ::SetClassLongPtrA(m_hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
  ::SetCursor(cursor);
}

void CTALVEX42View::SetCurrentTool(int tool) {
  if (!FinishTool(tool)) return;
  // Choosing the tool in use again changes nothing and leaves nothing to undo.
  if (tool != m_currentTool && GetUndoDepth() != 0)
    m_undo.AppendRecord(new CUndoToolRecord(m_currentTool));
  SetToolCursor(tool);
  m_currentTool = tool;
  // The text tool takes the mouse while it is chosen; the creation tools take it otherwise.
  if (tool == kTextTool)
    m_targets[kCurrentTool] = &m_textTool;
  else if (m_targets[kCurrentTool] == &m_textTool)
    m_targets[kCurrentTool] = &m_creationTools;
  // The main frame sets its tool box and property bar from the active view's tool.
  CFrameWnd* frame = MainFrame();
  if (frame && frame->IsKindOf(RUNTIME_CLASS(CMDIMainFrame)) && m_hWnd)
    frame->PostMessage(WM_COMMAND, ID_VIEW_ACTIVATED, 0);
}

BOOL CTALVEX42View::FinishTool(int newTool) {
  switch (m_currentTool) {
    case ID_OUTPUT_AREA_SELECT:
      // The areas' selection marks go with the tool.
      if (!IsOutputAreaTool(newTool)) Repaint();
      break;
    case kTextTool:
    case kTextDragTool:
      if (!EndTextEditing()) return FALSE;
      break;
    default:
      // A node command may have made one of its own tools current: node editing goes on under
      // any of them and ends with the last.
      if (IsNodeEditingTool(m_currentTool) && !IsNodeEditingTool(newTool)) EndNodeEditing();
      break;
  }
  // A curve built click by click is committed; nothing else a drawing tool was building survives
  // a change of tool.
  m_creationTools.Finish();
  if (m_feedbackBlock) {
    m_feedbackBlock.reset();
    Repaint();
  }
  return TRUE;
}

BOOL CTALVEX42View::EndTextEditing() {
  CBlock* block = m_editBlock;
  if (!block) return TRUE;
  if (!block->EndEdit(this)) return FALSE;
  if (GetUndoDepth() != 0) m_undo.AppendRecord(new CUndoEndEditRecord(block, m_currentTool));
  m_editBlock = nullptr;
  // A text left without characters is not kept.
  if (block->IsEmpty() && GetDocument()) {
    INT_PTR index = GetDocument()->RemoveBlock(block);
    if (GetUndoDepth() != 0 && index >= 0)
      m_undo.AppendRecord(new CUndoDeleteRecord(block, index));
    else if (index >= 0)
      delete block;
    Invalidate(FALSE);
  }
  return TRUE;
}

void CTALVEX42View::EndNodeEditing() {
  CBlock* block = m_editBlock;
  if (!block || !block->EndEdit(this)) return;
  m_editBlock = nullptr;
  // A curve whose nodes were all deleted while nothing recorded is still in the list: it draws
  // nothing and would write no record, so it leaves now, as it would have with undo recording.
  auto* curve = dynamic_cast<CCurveBlock*>(block);
  CTALVEX42Doc* document = GetDocument();
  if (curve && curve->HasNoNodes() && document) {
    INT_PTR index = document->RemoveBlock(curve);
    if (index >= 0 && GetUndoDepth() != 0)
      m_undo.AppendRecord(new CUndoDeleteRecord(curve, index));
    else if (index >= 0)
      delete curve;
  }
  if (document) document->UpdateAllViews(nullptr);
}

void CTALVEX42View::SetFeedbackBlock(CBlock* block) { m_feedbackBlock.reset(block); }

bool CTALVEX42View::IsNodeEditingTool(int tool) {
  return tool == kNodeTool || tool == kCurveReplaceTool || CToolSwitch::IsNodeSubTool(tool);
}

bool CTALVEX42View::IsOutputAreaTool(int tool) {
  return tool == ID_OUTPUT_AREA_DRAW || tool == ID_OUTPUT_AREA_SELECT;
}

void CTALVEX42View::StartRelayoutTimer() {
  if (m_hWnd) ::SetTimer(m_hWnd, kRelayoutTimer, kRelayoutDelay, nullptr);
}

void CTALVEX42View::OnTimer(UINT_PTR timer) {
  if (m_editBlock && m_editBlock->OnTimer(this, timer)) return;
  // Nobody wants it any more: it would only keep firing.
  ::KillTimer(m_hWnd, timer);
}

// ---- Colour ----

BOOL CTALVEX42View::ApplyColour(DWORD colour) {
  if (m_editBlock) return ColourSelectedCharacters(colour);
  CSegArray* blocks = GetBlockArray();
  if (!blocks) return FALSE;
  CDocumentChange change(m_undo, GetDocument());
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (block && block->m_selected == 1) block->SetColour(this, colour, TRUE);
  }
  return change.Changed();
}

BOOL CTALVEX42View::ColourSelectedCharacters(DWORD colour) {
  auto* text = dynamic_cast<CTextBlock*>(m_editBlock);
  if (!text) return FALSE;
  INT_PTR first = -1, last = -1;
  CBoxArray* boxes = text->GetBoxArray();
  if (!boxes->FindFirstSelected(&first) || !boxes->FindLastSelected(&last)) return FALSE;
  CDocumentChange change(m_undo, GetDocument());
  // The highlight is XOR: off while the characters change, on again after.
  text->DrawSelection(this, false);
  text->SetCharsColour(this, first, last, colour, TRUE);
  text->DrawSelection(this, false);
  return change.Changed();
}

// ---- Commands ----

BOOL CTALVEX42View::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case kColourCommand:
      ApplyColour(static_cast<DWORD>(lParam));
      return TRUE;
    // A FALSE answer leaves the query to the default procedure, which answers 0: refused.
    case CDragTracker::kQueryDropCommand:
      return CanTakeGraphic();
    case CLibraryCommands::kDropGraphicCommand:
      TakeDroppedGraphic(reinterpret_cast<CDragTracker*>(lParam));
      return TRUE;
    default:
      return CTALVEXView::OnCommand(wParam, lParam);
  }
}

BOOL CTALVEX42View::CanTakeGraphic() const {
  // A text or a curve under edit would lose its editing to a new block.
  return GetDocument() && !m_editBlock;
}

void CTALVEX42View::TakeDroppedGraphic(CDragTracker* tracker) {
  auto* graphic = tracker ? static_cast<CLibraryCommands::DroppedGraphic*>(tracker->GetDropData())
                          : nullptr;
  if (!graphic || !CanTakeGraphic()) return;
  POINT point = tracker->GetLastPoint();
  ::ScreenToClient(m_hWnd, &point);
  float x, y;
  DeviceToPage(point.x, point.y, &x, &y);
  CLibraryCommands::PlaceDroppedGraphic(this, *graphic, x, y);
}

BOOL CTALVEX42View::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
  // The areas answer their own commands and update handlers before the table, whose rows for the
  // same ids would otherwise grey them out or swallow them.
  if (m_outputAreas.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  if (m_clipboard.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
  const CViewCommandTable::Row* row = CViewCommandTable::Find(id);
  if (!row || (code != CN_COMMAND && code != CN_UPDATE_COMMAND_UI) || handlerInfo)
    return CTALVEXView::OnCmdMsg(id, code, extra, handlerInfo);
  // A command still to come is not the view's yet: whoever else has it may take it.
  if (code == CN_COMMAND && row->action == CViewCommandTable::kPending)
    return CTALVEXView::OnCmdMsg(id, code, extra, handlerInfo);
  CViewCommandTable::ItemState item = CViewCommandTable::Evaluate(*row, id, GetCommandState());
  if (code == CN_UPDATE_COMMAND_UI) {
    auto* ui = static_cast<CCmdUI*>(extra);
    ui->Enable(item.enabled);
    if (item.check >= 0) ui->SetCheck(item.check);
    if (item.radio >= 0) ui->SetRadio(item.radio);
    return TRUE;
  }
  // A disabled command does nothing, however it was sent.
  if (!item.enabled) return TRUE;
  if (row->action == CViewCommandTable::kViewHandler) {
    if (m_shapeDialogs.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_drawingCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_textCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_curvedTextCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_imageCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_scanCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_libraryCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_artTransforms.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_printCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_fontCommands.OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return CTALVEXView::OnCmdMsg(id, code, extra, handlerInfo);
  }
  RunCommand(*row, id);
  return TRUE;
}

ViewCommandState CTALVEX42View::GetCommandState() {
  ViewCommandState state;
  state.currentTool = m_currentTool;
  state.textSizeMode = CTextDefaults::Global().styleWord & CTextCommands::kSizeModeMask;
  state.halfWidthPunctuation = (CTextDefaults::Global().styleWord & CTextCommands::kHalfWidth) != 0;
  state.autoFill = CDirectionEffect::IsAutoFill();
  state.editing = m_editBlock != nullptr;
  state.feedbackBlock = m_feedbackBlock != nullptr;
  state.editType = m_editBlock ? m_editBlock->m_type : 0;
  state.deletable = m_editCommands.CanDelete();
  state.undoSteps = m_undo.GetStepCount();
  state.scrollLock = (AfxGetKeyState(VK_SCROLL) & 0x0001) != 0;
  state.guideSelected = m_rulers && m_rulers->AnyGuideSelected();
  bool textSelected = false, curveSelected = false;
  if (CSegArray* blocks = GetBlockArray()) {
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (!block || block->m_selected != 1) continue;
      if (state.selected++ == 0) {
        state.firstSelectedType = block->m_type;
        if (auto* text = dynamic_cast<CTextBlock*>(block))
          state.firstSelectedLayout = text->GetEffectKind();
      }
      if (block->m_type == kImageBlock) ++state.selectedImages;
      if (block->m_type == kTextBlock) textSelected = true;
      if (block->m_type == kCurveBlock) curveSelected = true;
    }
  }
  state.textAndCurveSelected = textSelected && curveSelected;
  CControlBar* palette = MainFrameBar(kPaletteBarId);
  state.paletteBar = palette != nullptr;
  state.paletteVisible = palette && palette->IsVisible();
  CControlBar* propertyBar = MainFrameBar(kPropertyBarId);
  state.propertyBar = propertyBar != nullptr;
  state.propertyVisible = propertyBar && propertyBar->IsVisible();
  return state;
}

void CTALVEX42View::RunCommand(const CViewCommandTable::Row& row, UINT id) {
  switch (row.action) {
    case CViewCommandTable::kPending:
    case CViewCommandTable::kBarControl:
    case CViewCommandTable::kViewHandler:
    case CViewCommandTable::kOutputAreaCommand:
    case CViewCommandTable::kEnabledOnly:
      return;
    case CViewCommandTable::kSetTool: {
      CUndoScope step(m_undo);
      SetCurrentTool(static_cast<int>(id));
      return;
    }
    case CViewCommandTable::kSetToolDeselected: {
      CDocumentChange change(m_undo, GetDocument());
      m_selection.Refresh(nullptr, TRUE);
      SetCurrentTool(static_cast<int>(id));
      return;
    }
    case CViewCommandTable::kRedraw:
      Invalidate(FALSE);
      return;
    case CViewCommandTable::kWholePage:
      ShowWholePage();
      return;
    case CViewCommandTable::kShowAll:
      ShowAll();
      return;
    case CViewCommandTable::kZoomInAtCursor:
      ZoomAtCursor(0.25);
      return;
    case CViewCommandTable::kZoomOutAtCursor:
      ZoomAtCursor(1.0);
      return;
    case CViewCommandTable::kUndo:
      Undo();
      return;
    case CViewCommandTable::kTogglePaletteBar:
      TogglePaletteBar();
      return;
    case CViewCommandTable::kTogglePropertyBar:
      TogglePropertyBar();
      return;
    case CViewCommandTable::kToggleSnapGrid:
      // The Scroll Lock light is the grid snapping switch.
      ::keybd_event(VK_SCROLL, 0x46, KEYEVENTF_EXTENDEDKEY, 0);
      ::keybd_event(VK_SCROLL, 0x46, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
      return;
    case CViewCommandTable::kDeleteSelection:
      m_editCommands.Delete();
      return;
    case CViewCommandTable::kCancelRotation:
      m_selection.CancelRotation();
      return;
    case CViewCommandTable::kNodeCommand:
      RunNodeCommand(id);
      return;
    case CViewCommandTable::kEditCommand:
      m_editCommands.Run(id);
      return;
  }
}

void CTALVEX42View::RunNodeCommand(UINT id) {
  CDocumentChange change(m_undo, GetDocument());
  // The node sub-tools leave the curve's editing running: the tool changes without FinishTool.
  CNodeCommands commands(*this, m_editBlock, [this](int tool) {
    SetToolCursor(tool);
    m_currentTool = tool;
  });
  commands.Run(id);
}

void CTALVEX42View::OnOpenCutWindow() {
  CCutFrame::Open(this, GetDocument(), g_cutterDevice, g_cutSettings, theApp.GetLanguage());
}

void CTALVEX42View::OnFillOutput() {
  C2DCarveDlg dialog(GetDocument(), g_cutSettings.m_textLine != 0, theApp.GetLanguage(), this);
  dialog.DoModal();
}

void CTALVEX42View::OnChangeFont() {
  CFontSizeDlg dialog(this, this);
  if (dialog.DoModal() == IDOK) Invalidate(FALSE);
}

void CTALVEX42View::OnLatinParams() {
  CLatinParamDlg dialog(g_winFontTable, this);
  dialog.DoModal();
}

void CTALVEX42View::OnPageSetup() { CPageSetupDlg::RunForView(this); }

void CTALVEX42View::OnAlignLineStart() {
  auto* text = dynamic_cast<CTextBlock*>(m_editBlock);
  if (!text) return;
  CDocumentChange change(m_undo, GetDocument());
  text->AlignLineStart(this);
}

void CTALVEX42View::OnCancelLineStart() {
  auto* text = dynamic_cast<CTextBlock*>(m_editBlock);
  if (!text) return;
  // The selection's alignment, or the whole text's when nothing is selected.
  INT_PTR first = 0, last = text->GetBoxArray()->GetSize() - 1;
  if (text->GetBoxArray()->FindFirstSelected(&first)) text->GetBoxArray()->FindLastSelected(&last);
  CDocumentChange change(m_undo, GetDocument());
  text->RemoveAttrBoxes(this, first, last + 1);
}

void CTALVEX42View::Repaint() {
  if (!m_hWnd) return;
  if (m_rulers) m_rulers->InvalidateRulers(TRUE, TRUE);
  Invalidate(FALSE);
}

void CTALVEX42View::ShowWholePage() {
  if (!m_rulers) return;
  ZoomToWholePage();
  Repaint();
}

void CTALVEX42View::ShowAll() {
  CTALVEX42Doc* document = GetDocument();
  if (!m_rulers || !document) return;
  CFRect bounds;
  bool any = false;
  // The selection when there is one, else every block.
  for (int pass = 0; pass < 2 && !any; ++pass) {
    CSegArray& blocks = document->GetBlockList();
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
      CBlock* block = blocks.GetBlock(i);
      if (!block || (pass == 0 && block->m_selected != 1)) continue;
      bounds = any ? Union(bounds, block->m_box) : block->m_box;
      any = true;
    }
  }
  if (!any) return;
  // Fitted exactly, the blocks' right or bottom edge would fall on the first pixel past the client
  // area: they are kept a few pixels inside it, at the scale the fit gives.
  const CFRect page(-10.0f, -10.0f, m_pageWidth, m_pageHeight);
  RECT client;
  GetClientRect(&client);
  const double scale = CRulerManager::FitRect(Union(bounds, page), client.right, client.bottom,
                                              m_rulers->GetThickness())
                           .scale;
  const float margin = static_cast<float>(kShowAllMarginPixels * scale);
  bounds.Inflate(margin, margin);
  ZoomToRect(Union(bounds, page));
  Repaint();
}

void CTALVEX42View::ZoomAtCursor(double factor) {
  if (!m_rulers) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  ::ScreenToClient(m_hWnd, &cursor);
  float x, y;
  DeviceToPage(cursor.x, cursor.y, &x, &y);
  RECT client;
  GetClientRect(&client);
  double scale = GetScale();
  int thickness = m_rulers->GetThickness();
  float halfWidth = static_cast<float>(factor * (client.right - thickness) * scale);
  float halfHeight = static_cast<float>(factor * (client.bottom - thickness) * scale);
  ZoomToRect(CFRect(x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight));
  Repaint();
}

// Arrow and page keys nudge the selection while the selection tool has no block under edit.
void CTALVEX42View::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  // Escape backs out of what a creation tool has in progress, and out of node editing.
  if (key == VK_ESCAPE && m_creationTools.Cancel()) return;
  if (key == VK_ESCAPE && IsNodeEditingTool(m_currentTool)) {
    SendMessage(WM_COMMAND, ID_TOOL_SELECT, 0);
    return;
  }
  if (m_currentTool == kSelectTool && !m_editBlock && m_selection.OnKeyDown(key)) return;
  if (m_editBlock) {
    CDocumentChange change(m_undo, GetDocument());
    // Text under edit takes Delete as its own; every block under edit takes the keys it knows.
    if (key == VK_DELETE && m_editBlock->m_editMode == kTextTool) {
      m_editBlock->EditDelete(this);
      return;
    }
    if (m_editBlock->EditKeyDown(this, key)) return;
  }
  CTALVEXView::OnKeyDown(key, repeat, flags);
}

void CTALVEX42View::Undo() {
  if (!m_undo.PlayLastStep(this)) return;
  if (GetDocument()) GetDocument()->SetModifiedFlag(TRUE);
  m_selection.Recount();
  Invalidate(FALSE);
}

void CTALVEX42View::TogglePaletteBar() {
  CControlBar* palette = MainFrameBar(kPaletteBarId);
  if (!palette) return;
  bool show = !palette->IsVisible();
  MainFrame()->ShowControlBar(palette, show, FALSE);
  // The frame shows the bars of the active view's bar bits when it becomes active again.
  m_barBits = static_cast<WORD>(show ? (m_barBits | kPaletteBarBit)
                                     : (m_barBits & ~kPaletteBarBit));
}

void CTALVEX42View::TogglePropertyBar() {
  CControlBar* bar = MainFrameBar(kPropertyBarId);
  if (bar) MainFrame()->ShowControlBar(bar, !bar->IsVisible(), FALSE);
}

// ---- Characters ----

LRESULT CTALVEX42View::OnInputLanguageChange(WPARAM charset, LPARAM) {
  m_keyboardCharset = static_cast<int>(charset);
  m_leadByte = 0;
  return Default();
}

LRESULT CTALVEX42View::OnChar(WPARAM ch, LPARAM flags) {
  if (!TypeCharacter(static_cast<UINT>(ch), static_cast<UINT>(flags))) return Default();
  return 0;
}

LRESULT CTALVEX42View::OnImeChar(WPARAM ch, LPARAM flags) {
  // The input method hands a double-byte character over whole; a lead byte still waiting
  // belonged to nothing.
  m_leadByte = 0;
  if (!TypeCharacter(static_cast<UINT>(ch), static_cast<UINT>(flags))) return Default();
  return 0;
}

BOOL CTALVEX42View::PreTranslateMessage(MSG* msg) {
  // The message loops take characters wide: taken through the system's code page, a Chinese
  // character typed on an English system would come to the window as a question mark.
  const bool typed = msg->message == WM_CHAR || msg->message == WM_IME_CHAR;
  if (msg->hwnd != m_hWnd || !typed || msg->wParam < 0x80)
    return CTALVEXView::PreTranslateMessage(msg);
  TypeWideCharacter(static_cast<wchar_t>(msg->wParam), static_cast<UINT>(msg->lParam));
  return TRUE;
}

void CTALVEX42View::TypeWideCharacter(wchar_t ch, UINT flags) {
  // A whole character: a lead byte still waiting belonged to nothing. Nothing under edit, or the
  // second half of a character GBK cannot hold (refused with its first): it is dropped.
  m_leadByte = 0;
  if (!m_editBlock || CGbkText::IsSecondHalf(ch)) return;
  // A character of a single-byte keyboard's own code page (an accented Latin letter on an
  // English keyboard) stays a character of that set; any other goes as its GBK code.
  BYTE byte = 0;
  WORD code = 0;
  if (KeyboardByteOf(ch, ::GetKeyboardCharset(), &byte)) {
    code = byte;
  } else if (!CGbkText::CodeOf(ch, &code)) {
    CGbkText::ShowRefusal(m_hWnd);
    return;
  }
  CDocumentChange change(m_undo, GetDocument());
  m_editBlock->EditChar(this, code, flags);
}

BOOL CTALVEX42View::TypeCharacter(UINT ch, UINT flags) {
  // Nothing under edit: the character is dropped.
  if (!m_editBlock) {
    m_leadByte = 0;
    return TRUE;
  }
  m_keyboardCharset = ::GetKeyboardCharset();
  bool doubleByteSet = m_keyboardCharset >= kFirstDoubleByteCharset &&
                       m_keyboardCharset <= kLastDoubleByteCharset;
  if (ch == '?' && doubleByteSet && !m_leadByte) return FALSE;
  if (ch <= 0xFF) {
    if (m_leadByte) {
      // The second half: the character goes to the block as one, (lead << 8) | trail.
      ch = (m_leadByte << 8) | ch;
      m_leadByte = 0;
    } else if (::IsDBCSLeadByteEx(CodePageOfCharset(m_keyboardCharset), static_cast<BYTE>(ch))) {
      m_leadByte = ch;
      return TRUE;
    }
  }
  CDocumentChange change(m_undo, GetDocument());
  m_editBlock->EditChar(this, ch, flags);
  return TRUE;
}

// ---- Mouse ----

BOOL CTALVEX42View::OfferToTarget(CViewMouseTarget* target, MouseEvent event,
                                  const CViewMouseTarget::Event& data) {
  if (!target) return FALSE;
  switch (event) {
    case kPress:
      return target->OnLButtonDown(data);
    case kMove:
      return target->OnMouseMove(data);
    case kRelease:
      return target->OnLButtonUp(data);
    case kDoubleClick:
      return target->OnLButtonDblClk(data);
    case kRightPress:
      return target->OnRButtonDown(data);
    case kRightRelease:
      return target->OnRButtonUp(data);
  }
  return FALSE;
}

BOOL CTALVEX42View::OfferToEditBlock(MouseEvent event, const CViewMouseTarget::Event& data) {
  if (!m_editBlock) return FALSE;
  switch (event) {
    case kPress:
      return m_editBlock->OnLButtonDown(this, data.flags, data.x, data.y);
    case kMove:
      return m_editBlock->OnMouseMove(this, data.flags, data.x, data.y);
    case kRelease:
      return m_editBlock->OnLButtonUp(this, data.flags, data.x, data.y);
    case kDoubleClick:
      return m_editBlock->OnLButtonDblClk(this, data.flags, data.x, data.y);
    case kRightPress:
      return m_editBlock->OnRButtonDown(this, data.flags, data.x, data.y);
    case kRightRelease:
      return m_editBlock->OnRButtonUp(this, data.flags, data.x, data.y);
  }
  return FALSE;
}

BOOL CTALVEX42View::OfferToGuides(MouseEvent event, const CViewMouseTarget::Event& data) {
  if (!m_rulers) return FALSE;
  switch (event) {
    case kPress:
      if (!ToolTakesGuides() ||
          !m_rulers->OnGuideButtonDown(data.flags, data.pixel.x, data.pixel.y))
        return FALSE;
      SetCapture();
      return TRUE;
    case kMove:
      return m_rulers->OnGuideMouseMove(data.flags, data.pixel.x, data.pixel.y);
    case kRelease:
      return m_rulers->OnGuideButtonUp(data.flags, data.pixel.x, data.pixel.y);
    default:
      return FALSE;
  }
}

BOOL CTALVEX42View::OfferTo(Stage stage, MouseEvent event, const CViewMouseTarget::Event& data) {
  switch (stage) {
    case kOutputAreaStage:
      return OfferToTarget(m_targets[kOutputAreaTracker], event, data);
    case kEditBlockStage:
      return OfferToEditBlock(event, data);
    case kGuideStage:
      return OfferToGuides(event, data);
    case kSelectionStage:
      return OfferToTarget(m_targets[kSelectionTracker], event, data);
    case kToolStage:
      if (OfferToTarget(m_targets[kCurrentTool], event, data)) return TRUE;
      // What the text tool leaves (right-click tool switching, double clicks) is the creation
      // tools' as for every other tool.
      return m_targets[kCurrentTool] == &m_textTool && OfferToTarget(&m_creationTools, event, data);
  }
  return FALSE;
}

BOOL CTALVEX42View::RouteMouse(MouseEvent event, UINT flags, CPoint point) {
  // A press goes first to whatever may start something under the pointer; moves and releases go
  // first to whatever may be dragging already.
  static const Stage kPressOrder[] = {kOutputAreaStage, kEditBlockStage, kGuideStage,
                                      kSelectionStage, kToolStage};
  static const Stage kDragOrder[] = {kGuideStage, kOutputAreaStage, kSelectionStage,
                                     kEditBlockStage, kToolStage};
  static const Stage kRightOrder[] = {kSelectionStage, kEditBlockStage, kToolStage};
  static const Stage kDoubleClickOrder[] = {kEditBlockStage, kToolStage};
  const Stage* order = kPressOrder;
  size_t count = std::size(kPressOrder);
  switch (event) {
    case kPress:
      break;
    case kMove:
    case kRelease:
      order = kDragOrder;
      count = std::size(kDragOrder);
      break;
    case kRightPress:
    case kRightRelease:
      order = kRightOrder;
      count = std::size(kRightOrder);
      break;
    case kDoubleClick:
      order = kDoubleClickOrder;
      count = std::size(kDoubleClickOrder);
      break;
  }
  CViewMouseTarget::Event data = {flags, 0.0f, 0.0f, {point.x, point.y}};
  DeviceToPage(point.x, point.y, &data.x, &data.y);
  for (size_t i = 0; i < count; ++i)
    if (OfferTo(order[i], event, data)) return TRUE;
  return FALSE;
}

void CTALVEX42View::OnLButtonDown(UINT flags, CPoint point) {
  SetCapture();
  SetFocus();
  CDocumentChange change(m_undo, GetDocument());
  RouteMouse(kPress, flags, point);
}

void CTALVEX42View::OnMouseMove(UINT flags, CPoint point) {
  CTALVEXView::OnMouseMove(flags, point);
  float position[2];
  DeviceToPage(point.x, point.y, &position[0], &position[1]);
  SendToMainWindow(kStatusPointer, reinterpret_cast<LPARAM>(position));
  RouteMouse(kMove, flags, point);
}

void CTALVEX42View::OnLButtonUp(UINT flags, CPoint point) {
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  {
    CDocumentChange change(m_undo, GetDocument());
    RouteMouse(kRelease, flags, point);
  }
  // The text page shows the characters of the text clicked into.
  if (m_currentTool == kTextTool || m_currentTool == kTextDragTool) ShowPropertyPage();
}

void CTALVEX42View::ShowPropertyPage() {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->IsKindOf(RUNTIME_CLASS(CMDIMainFrame))) return;
  CPropertyBar& bar = static_cast<CMDIMainFrame*>(main)->GetPropertyBar();
  if (bar.m_hWnd) bar.ShowPageForSelection();
}

void CTALVEX42View::OnLButtonDblClk(UINT flags, CPoint point) {
  CDocumentChange change(m_undo, GetDocument());
  RouteMouse(kDoubleClick, flags, point);
}

void CTALVEX42View::OnRButtonDown(UINT flags, CPoint point) {
  CTALVEXView::OnRButtonDown(flags, point);
  CDocumentChange change(m_undo, GetDocument());
  RouteMouse(kRightPress, flags, point);
}

void CTALVEX42View::OnRButtonUp(UINT flags, CPoint point) {
  CTALVEXView::OnRButtonUp(flags, point);
  CDocumentChange change(m_undo, GetDocument());
  RouteMouse(kRightRelease, flags, point);
}
