#include "editor/dialogs/LibInfoDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/commands/LibraryCommands.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "model/blocks/LibBlock.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibInfoDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_LIB_TYPE, OnTypeChosen)
  ON_CBN_SELCHANGE(IDC_LIB_KIND, OnKindChosen)
  ON_BN_CLICKED(IDC_LIB_SINGLE, OnSingleView)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
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
  if (::SendDlgItemMessageA(m_hWnd, IDC_LIB_TYPE, CB_SETCURSEL, choice.type, 0) == CB_ERR) {
    choice.type = 1;
    choice.number = 1;
  }
  ShowType(choice.type);
  if (::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, choice.kind, 0) == CB_ERR)
    ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, 0, 0);
  ScrollTo(choice.number);
  return TRUE;
}

void CLibInfoDlg::ShowType(int type) {
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_TYPE, CB_SETCURSEL, type, 0);
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_RESETCONTENT, 0, 0);
  if (m_source.SetType(type, m_hWnd)) m_source.FillKinds(::GetDlgItem(m_hWnd, IDC_LIB_KIND));
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, 0, 0);
  SetRange();
  m_selected = 0;
  ScrollTo(m_low);
}

void CLibInfoDlg::SetRange() {
  m_low = m_source.IsFontType() ? CLibrarySource::kFirstCode : 0;
  m_high = kLastNumber;
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
  ShowType(static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_LIB_TYPE, CB_GETCURSEL, 0, 0)));
}

void CLibInfoDlg::OnKindChosen() { RedrawCells(); }

void CLibInfoDlg::ScrollTo(int number) {
  m_first = std::max(m_low, std::min(m_high, number));
  ::SetScrollPos(::GetDlgItem(m_hWnd, IDC_LIB_SCROLL), SB_CTL, m_first, TRUE);
  ShowChosenNumber();
  RedrawCells();
}

void CLibInfoDlg::ChooseCell(int index) {
  if (index < 0 || index >= m_cellCount) return;
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

void CLibInfoDlg::DrawCell(CDC& dc, int index) {
  RECT cell = CellRect(index);
  int saved = dc.SaveDC();
  dc.FillSolidRect(&cell, RGB(255, 255, 255));
  ::FrameRect(dc.m_hDC, &cell, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  dc.IntersectClipRect(&cell);
  int number = m_first + index;
  int kind = ChosenKind();
  std::unique_ptr<CContour> outline;
  CString chosen = TextOf(m_hWnd, IDC_LIB_NUMBER);
  if (m_source.IsFontType() && chosen.Left(1) == CString(" ")) {
    // Characters typed after a blank are shown one per cell.
    int code = index + 1 < chosen.GetLength() ? static_cast<BYTE>(chosen[index + 1]) : ' ';
    outline.reset(m_source.ReadOutline(kind, code, nullptr));
  } else {
    outline.reset(m_source.ReadOutline(kind, number, nullptr));
  }
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
      ChooseCell(i);
      return;
    }
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

CFRect CLibInfoDlg::PlacementBox(const CFRect& outlineBox, bool keepProportions) const {
  CFRect box = m_target;
  // A rectangle without extent cannot take the graphic: it is placed with its proportions.
  if (!keepProportions && box.Width() > 0 && box.Height() > 0) return box;
  float larger = kProportionalPixels * static_cast<float>(m_view ? m_view->GetScale() : 1.0);
  float width = outlineBox.Width(), height = outlineBox.Height();
  float longer = std::max(width, height);
  float shareX = longer > 0 ? width / longer : 1.0f;
  float shareY = longer > 0 ? height / longer : 1.0f;
  return CFRect(box.left, box.top, box.left + larger * shareX, box.top + larger * shareY);
}

void CLibInfoDlg::OnOK() {
  CLibrarySource::Choice choice;
  choice.type = m_source.GetType();
  choice.kind = ChosenKind();
  choice.number = atoi(TextOf(m_hWnd, IDC_LIB_NUMBER));
  CLibrarySource::StoreChoice(choice);
  if (choice.type < 0 || choice.kind < 0 || choice.number < 0 || choice.number > 0xFFFF) {
    EndDialog(IDOK);
    return;
  }
  auto block = std::make_unique<CLibBlock>(static_cast<WORD>(choice.type),
                                           static_cast<WORD>(choice.kind),
                                           static_cast<WORD>(choice.number));
  std::unique_ptr<CContour> outline(block->GetContour(nullptr, 0));
  if (outline && !m_source.HasNames()) {
    bool keep = ::IsDlgButtonChecked(m_hWnd, IDC_LIB_KEEP_RATIO) == BST_CHECKED;
    CFRect box = PlacementBox(block->m_box, keep);
    block->SetBox(box.left, box.top, box.right, box.bottom);
  }
  if (outline) CLibraryCommands::PlaceBlock(m_view, block.release());
  EndDialog(IDOK);
}

void CLibInfoDlg::OnCancel() {
  CLibrarySource::Choice choice;
  choice.type = m_source.GetType();
  choice.kind = ChosenKind();
  choice.number = GetChosenNumber();
  CLibrarySource::StoreChoice(choice);
  EndDialog(IDCANCEL);
}
