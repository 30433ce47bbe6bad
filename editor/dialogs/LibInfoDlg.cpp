#include "editor/dialogs/LibInfoDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/views/ToolCursors.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "model/blocks/LibBlock.h"
#include "model/editing/DragTracker.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibInfoDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_LIB_TYPE, OnTypeChosen)
  ON_CBN_SELCHANGE(IDC_LIB_KIND, OnKindChosen)
  ON_BN_CLICKED(IDC_LIB_SINGLE, OnSingleView)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_HSCROLL()
END_MESSAGE_MAP()
// clang-format on

namespace {

const COLORREF kNumberColour = RGB(255, 0, 0);
const int kInset = 2;
const int kShrink = 5;
const int kMarkInset = 3;
const int kMarkWidth = 5;
const int kNumberFromRight = 50;
const int kNumberFromBottom = 20;
const int kLastNumber = 255;

void SetText(HWND dialog, int id, LPCSTR text) { ::SetDlgItemTextA(dialog, id, text); }

CString TextOf(HWND dialog, int id) {
  char text[64] = {};
  ::GetDlgItemTextA(dialog, id, text, sizeof text);
  return CString(text);
}

// An inverted frame of the width inside the rectangle.
void InvertFrame(HDC dc, RECT outer, int width) {
  RECT strips[4] = {{outer.left, outer.top, outer.right, outer.top + width},
                    {outer.left, outer.bottom - width, outer.right, outer.bottom},
                    {outer.left, outer.top + width, outer.left + width, outer.bottom - width},
                    {outer.right - width, outer.top + width, outer.right, outer.bottom - width}};
  for (const RECT& strip : strips) ::InvertRect(dc, &strip);
}

}  // namespace

CLibInfoDlg::CLibInfoDlg(CTALVEX42View* view, const CFRect& target)
    : CDialog(kTemplateId, view), m_view(view), m_target(target) {
  m_target.Normalize();
}

BOOL CLibInfoDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The cells are places only: the dialog draws the graphics there itself.
  for (int i = 0; i < kCellCount; ++i) {
    HWND cell = ::GetDlgItem(m_hWnd, IDC_LIB_CELL_FIRST + i);
    ::GetWindowRect(cell, &m_cells[i]);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_cells[i]), 2);
    ::ShowWindow(cell, SW_HIDE);
  }
  bool flat = m_target.Width() <= 0 || m_target.Height() <= 0;
  ::CheckDlgButton(m_hWnd, IDC_LIB_KEEP_RATIO, flat ? BST_CHECKED : BST_UNCHECKED);
  char size[32];
  snprintf(size, sizeof size, "%10.2f", m_target.Width());
  SetText(m_hWnd, IDC_LIB_WIDTH, size);
  snprintf(size, sizeof size, "%10.2f", m_target.Height());
  SetText(m_hWnd, IDC_LIB_HEIGHT, size);
  CLibrarySource::FillTypes(::GetDlgItem(m_hWnd, IDC_LIB_TYPE));
  CLibrarySource::Choice choice = CLibrarySource::LoadChoice();
  if (!CLibrarySource::ChooseData(::GetDlgItem(m_hWnd, IDC_LIB_TYPE), choice.type)) {
    choice.type = 1;
    choice.number = 1;
  }
  ShowType(choice.type);
  if (::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, choice.kind, 0) == CB_ERR)
    ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, 0, 0);
  SetRange();
  ScrollTo(choice.number);
  return TRUE;
}

void CLibInfoDlg::ShowType(int type) {
  CLibrarySource::ChooseData(::GetDlgItem(m_hWnd, IDC_LIB_TYPE), type);
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_RESETCONTENT, 0, 0);
  if (m_source.SetType(type, m_hWnd)) m_source.FillKinds(::GetDlgItem(m_hWnd, IDC_LIB_KIND));
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, 0, 0);
  SetRange();
  m_selected = 0;
  ScrollTo(m_low);
}

void CLibInfoDlg::SetRange() {
  m_low = m_source.IsFontType() ? CLibrarySource::kFirstCode : 0;
  m_entries = std::min(m_source.GetEntryCount(ChosenKind()), kLastNumber + 1 - m_low);
  m_high = m_low + std::max(m_entries, 1) - 1;
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = m_low;
  info.nMax = m_high;
  info.nPage = kPage;
  ::SetScrollInfo(::GetDlgItem(m_hWnd, IDC_LIB_SCROLL), SB_CTL, &info, TRUE);
}

int CLibInfoDlg::ChosenKind() const {
  return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_GETCURSEL, 0, 0));
}

void CLibInfoDlg::OnTypeChosen() {
  ShowType(CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_LIB_TYPE)));
}

void CLibInfoDlg::OnKindChosen() {
  SetRange();
  ScrollTo(m_first);
}

void CLibInfoDlg::ScrollTo(int number) {
  m_first = std::max(m_low, std::min(m_high, number));
  m_selected = std::max(0, std::min(m_selected, m_high - m_first));
  ::SetScrollPos(::GetDlgItem(m_hWnd, IDC_LIB_SCROLL), SB_CTL, m_first, TRUE);
  ShowChosenNumber();
  RedrawCells();
}

void CLibInfoDlg::ChooseCell(int index) {
  if (index < 0 || index >= m_cellCount || !CellHoldsGraphic(index)) return;
  m_selected = index;
  ShowChosenNumber();
  RedrawCells();
}

void CLibInfoDlg::ShowChosenNumber() {
  // A text that begins with a blank chooses characters to show; it is left as typed.
  if (TextOf(m_hWnd, IDC_LIB_NUMBER).Left(1) == CString(" ")) return;
  char number[16];
  snprintf(number, sizeof number, "%d", GetChosenNumber());
  SetText(m_hWnd, IDC_LIB_NUMBER, number);
}

void CLibInfoDlg::RedrawCells() {
  RECT all = m_cells[0];
  for (const RECT& cell : m_cells) ::UnionRect(&all, &all, &cell);
  ::InvalidateRect(m_hWnd, &all, TRUE);
}

void CLibInfoDlg::OnSingleView() {
  bool single = ::IsDlgButtonChecked(m_hWnd, IDC_LIB_SINGLE) == BST_CHECKED;
  if (single) {
    int chosen = GetChosenNumber();
    m_cellCount = 1;
    m_selected = 0;
    ScrollTo(chosen);
  } else {
    m_cellCount = kCellCount;
    RedrawCells();
  }
}

RECT CLibInfoDlg::CellRect(int index) const {
  if (m_cellCount == kCellCount) return m_cells[index];
  RECT all = m_cells[0];
  for (const RECT& cell : m_cells) ::UnionRect(&all, &all, &cell);
  return all;
}

void CLibInfoDlg::OnPaint() {
  CPaintDC dc(this);
  for (int i = 0; i < m_cellCount; ++i) DrawCell(dc, i);
}

bool CLibInfoDlg::InCharacterView() const {
  return m_source.IsFontType() && TextOf(m_hWnd, IDC_LIB_NUMBER).Left(1) == CString(" ");
}

int CLibInfoDlg::CellNumber(int index) {
  if (!InCharacterView()) return m_first + index;
  // Characters typed after a blank are shown one per cell.
  CString chosen = TextOf(m_hWnd, IDC_LIB_NUMBER);
  return index + 1 < chosen.GetLength() ? static_cast<BYTE>(chosen[index + 1]) : ' ';
}

bool CLibInfoDlg::CellHoldsGraphic(int index) const {
  return InCharacterView() || (m_entries > 0 && m_first + index <= m_high);
}

void CLibInfoDlg::DrawCell(CDC& dc, int index) {
  if (!CellHoldsGraphic(index)) return;
  RECT cell = CellRect(index);
  int saved = dc.SaveDC();
  dc.FillSolidRect(&cell, RGB(255, 255, 255));
  ::FrameRect(dc.m_hDC, &cell, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  dc.IntersectClipRect(&cell);
  int number = m_first + index;
  std::unique_ptr<CContour> outline(m_source.ReadOutline(ChosenKind(), CellNumber(index), nullptr));
  RECT area = {cell.left + kInset, cell.top + kInset, cell.right - kShrink, cell.bottom - kShrink};
  HGDIOBJ oldPen = dc.SelectObject(::GetStockObject(BLACK_PEN));
  CLibrarySource::DrawFitted(&dc, outline.get(), area);
  dc.SelectObject(oldPen);
  char label[16];
  snprintf(label, sizeof label, "%05d", number);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(kNumberColour);
  ::TextOutA(dc.m_hDC, cell.right - kNumberFromRight, cell.bottom - kNumberFromBottom, label,
             static_cast<int>(strlen(label)));
  if (index == m_selected) {
    RECT mark = cell;
    ::InflateRect(&mark, -kMarkInset, -kMarkInset);
    InvertFrame(dc.m_hDC, mark, kMarkWidth);
  }
  dc.RestoreDC(saved);
}

void CLibInfoDlg::OnLButtonDown(UINT, CPoint point) {
  for (int i = 0; i < m_cellCount; ++i) {
    RECT cell = CellRect(i);
    if (::PtInRect(&cell, point)) {
      if (!CellHoldsGraphic(i)) return;
      ChooseCell(i);
      m_drag = kPressed;
      m_moves = 0;
      ::SetCapture(m_hWnd);
      return;
    }
  }
}

void CLibInfoDlg::OnMouseMove(UINT flags, CPoint point) {
  if (m_drag == kNoDrag) return;
  // The release went to another window.
  if (!(flags & MK_LBUTTON)) {
    EndDrag();
    return;
  }
  if (m_drag == kPressed) {
    if (++m_moves <= kMovesBeforeDrag) return;
    BeginDrag(point);
  }
  FollowPointer(point);
}

void CLibInfoDlg::OnLButtonUp(UINT, CPoint point) {
  if (m_drag == kDragging) {
    FollowPointer(point);
    if (g_dragTracker.IsAccepted()) DropGraphic();
  }
  EndDrag();
}

void CLibInfoDlg::OnCaptureChanged(CWnd* window) {
  if (m_drag != kNoDrag && (!window || window->GetSafeHwnd() != m_hWnd)) EndDrag();
}

void CLibInfoDlg::BeginDrag(CPoint point) {
  m_drag = kDragging;
  HCURSOR accept = CToolCursors::Load({CToolCursors::kProgram, IDC_CUR_LIBRARY});
  g_dragTracker.Begin(accept, ::LoadCursorA(nullptr, IDC_NO));
  CContour* outline = m_source.ReadOutline(ChosenKind(), CellNumber(m_selected), nullptr);
  SIZE size = DragImageSize(outline);
  POINT screen = point;
  ::ClientToScreen(m_hWnd, &screen);
  m_dragImage.Show(this, outline, size, screen);
}

void CLibInfoDlg::FollowPointer(CPoint point) {
  POINT screen = point;
  ::ClientToScreen(m_hWnd, &screen);
  m_dragImage.MoveTo(screen);
  g_dragTracker.Track(screen.x, screen.y);
}

void CLibInfoDlg::DropGraphic() {
  CLibraryCommands::DroppedGraphic graphic = ReadGraphic(ChosenKind(), CellNumber(m_selected));
  if (!graphic.block) return;
  // The target reads the graphic while it handles the drop; what it does not take goes here.
  g_dragTracker.SetDropData(&graphic);
  g_dragTracker.Drop(CLibraryCommands::kDropGraphicCommand);
  g_dragTracker.SetDropData(nullptr);
}

void CLibInfoDlg::EndDrag() {
  DragState was = m_drag;
  // Cleared first: releasing the mouse comes back here as a lost capture.
  m_drag = kNoDrag;
  m_moves = 0;
  m_dragImage.Hide();
  if (was == kDragging) g_dragTracker.End();
  if (was != kNoDrag && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

SIZE CLibInfoDlg::DragImageSize(CContour* outline) const {
  const LONG side = static_cast<LONG>(CLibraryCommands::kProportionalPixels);
  if (!outline || outline->IsBoxEmpty()) return {side, side};
  const CFRect& box = outline->GetBox();
  double scale = m_view ? m_view->GetScale() : 1.0;
  if (m_source.HasNames() && scale > 0)
    return {static_cast<LONG>(box.Width() / scale), static_cast<LONG>(box.Height() / scale)};
  CFRect placed = CLibraryCommands::PlacementBox(CFRect(0, 0, 0, 0), box, true, 1.0);
  return {static_cast<LONG>(placed.Width()), static_cast<LONG>(placed.Height())};
}

BOOL CLibInfoDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case kRedrawCommand:
      RedrawCells();
      return TRUE;
    // The browser takes no drop, not even its own graphics.
    case CDragTracker::kQueryDropCommand:
    case CLibraryCommands::kDropGraphicCommand:
      return FALSE;
    default:
      return CDialog::OnCommand(wParam, lParam);
  }
}

void CLibInfoDlg::OnHScroll(UINT code, UINT position, CScrollBar*) {
  int first = m_first;
  switch (code) {
    case SB_LINELEFT:
      --first;
      break;
    case SB_LINERIGHT:
      ++first;
      break;
    case SB_PAGELEFT:
      first -= kPage;
      break;
    case SB_PAGERIGHT:
      first += kPage;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      first = static_cast<int>(position);
      break;
    default:
      return;
  }
  ScrollTo(first);
}

CLibraryCommands::DroppedGraphic CLibInfoDlg::ReadGraphic(int kind, int number) {
  CLibraryCommands::DroppedGraphic graphic;
  int type = m_source.GetType();
  if (type < 0 || kind < 0 || number < 0 || number > 0xFFFF) return graphic;
  auto block = std::make_unique<CLibBlock>(static_cast<WORD>(type), static_cast<WORD>(kind),
                                           static_cast<WORD>(number));
  std::unique_ptr<CContour> outline(block->GetContour(nullptr, 0));
  if (!outline) return graphic;
  graphic.block = std::move(block);
  graphic.ownSize = m_source.HasNames();
  return graphic;
}

void CLibInfoDlg::OnOK() {
  EndDrag();
  CLibrarySource::Choice choice;
  choice.type = m_source.GetType();
  choice.kind = ChosenKind();
  choice.number = atoi(TextOf(m_hWnd, IDC_LIB_NUMBER));
  CLibrarySource::StoreChoice(choice);
  CLibraryCommands::DroppedGraphic graphic = ReadGraphic(choice.kind, choice.number);
  if (graphic.block) {
    // Every graphic goes where the user dragged or clicked, a library with stored sizes too: its
    // own place would be far from the rectangle just drawn. Without a rectangle to fill (a click,
    // or "keep proportions") it goes to the rectangle's corner as a dropped graphic does.
    bool keep = ::IsDlgButtonChecked(m_hWnd, IDC_LIB_KEEP_RATIO) == BST_CHECKED;
    if (keep || m_target.Width() <= 0 || m_target.Height() <= 0) {
      CLibraryCommands::PlaceDroppedGraphic(m_view, graphic, m_target.left, m_target.top);
    } else {
      graphic.block->SetBox(m_target.left, m_target.top, m_target.right, m_target.bottom);
      CLibraryCommands::PlaceBlock(m_view, graphic.block.release());
    }
  }
  EndDialog(IDOK);
}

void CLibInfoDlg::OnCancel() {
  // Escape during a drag ends the drag, not the browser.
  if (m_drag != kNoDrag) {
    EndDrag();
    return;
  }
  CLibrarySource::Choice choice;
  choice.type = m_source.GetType();
  choice.kind = ChosenKind();
  choice.number = GetChosenNumber();
  CLibrarySource::StoreChoice(choice);
  EndDialog(IDCANCEL);
}
