#include "editor/bars/PaletteBar.h"

#include "editor/bars/ColorPalette.h"
#include "framework/Brush.h"
#include "framework/ColorDialog.h"
#include "framework/DC.h"
#include "framework/FrameWnd.h"
#include "framework/ListBox.h"
#include "framework/Pen.h"
#include "framework/ScrollBar.h"
#include "framework/View.h"

IMPLEMENT_DYNAMIC(CPaletteBar, CDialogBar)

namespace {

const int kSwatchList = 1226;
const int kExtendedButton = 1134;
const int kPageScrollBar = 1113;
const int kCustomColours = 16;

// Room the bar keeps around the scroll bar and the list.
const int kSideMargin = 5;
const int kScrollBarBottomMargin = 35;
const int kListBelowScrollTop = 18;
const int kListBottomMargin = 71;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CPaletteBar, CDialogBar)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_VSCROLL()
  ON_WM_SIZE()
  ON_LBN_SELCHANGE(kSwatchList, OnSwatchChosen)
  ON_BN_CLICKED(kExtendedButton, OnExtendedPalette)
END_MESSAGE_MAP()
// clang-format on

BOOL CPaletteBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id) {
  if (!CDialogBar::Create(parent, templateId, style, id)) return FALSE;
  ModifyStyle(0, WS_THICKFRAME);
  auto* list = static_cast<CListBox*>(GetDlgItem(kSwatchList));
  if (list) {
    list->SetColumnWidth(kColumnWidth);
    list->SetItemHeight(0, kItemHeight);
  }
  LayListOverScrollBar();
  Fill();
  return TRUE;
}

void CPaletteBar::LayListOverScrollBar() {
  CWnd* list = GetDlgItem(kSwatchList);
  CWnd* scrollBar = GetDlgItem(kPageScrollBar);
  if (!list || !scrollBar) return;
  // The scroll bar lies under the list with only its arrows showing above and below it: the list
  // must be on top, or the scroll bar takes the clicks meant for the swatches and paints over them.
  ::SetWindowPos(list->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  scrollBar->ModifyStyle(0, WS_CLIPSIBLINGS);
}

void CPaletteBar::Fill() {
  auto* list = static_cast<CListBox*>(GetDlgItem(kSwatchList));
  if (!list) return;
  list->ResetContent();
  for (int i = 0; i < m_palette.GetCount(); ++i) {
    CString text;
    text.Format("%lu", static_cast<unsigned long>(m_palette.GetValue(i)));
    list->AddString(text);
  }
}

CWnd* CPaletteBar::GetColourTarget() const {
  CFrameWnd* frame = GetDockingFrame();
  if (!frame) return nullptr;
  CFrameWnd* active = frame->GetActiveFrame();
  CView* view = active ? active->GetActiveView() : nullptr;
  return view && view->m_hWnd ? view : nullptr;
}

void CPaletteBar::SendColour(DWORD value) const {
  if (CWnd* view = GetColourTarget())
    view->SendMessage(WM_COMMAND, kColourCommand, static_cast<LPARAM>(value));
}

void CPaletteBar::FocusView() const {
  if (CWnd* view = GetColourTarget()) view->SetFocus();
}

void CPaletteBar::OnSwatchChosen() {
  auto* list = static_cast<CListBox*>(GetDlgItem(kSwatchList));
  int index = list ? list->GetCurSel() : LB_ERR;
  if (index == LB_ERR || !GetColourTarget()) return;
  SendColour(m_palette.GetValue(index));
  FocusView();
}

void CPaletteBar::OnExtendedPalette() {
  FocusView();
  CColorDialog dialog(0, CC_FULLOPEN, this);
  if (dialog.DoModal() != IDOK) return;
  TakeDialogColours(dialog.GetColor(), dialog.m_cc.lpCustColors, kCustomColours);
}

void CPaletteBar::TakeDialogColours(COLORREF chosen, const COLORREF* custom, int customCount) {
  SendColour(SwapRedBlue(chosen));
  const int before = m_palette.GetCount();
  for (int i = 0; custom && i < customCount; ++i) m_palette.Add(custom[i]);
  if (m_palette.GetCount() != before) Fill();
}

void CPaletteBar::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
  if (id == kSwatchList) item->itemHeight = kItemHeight;
}

void CPaletteBar::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != kSwatchList) return;
  if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) DrawSwatch(item);
}

void CPaletteBar::DrawSwatch(LPDRAWITEMSTRUCT item) const {
  std::unique_ptr<CBrush> brush = m_palette.CreateBrush(static_cast<int>(item->itemID));
  if (!brush) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  CPen pen(PS_SOLID, 2, selected ? RGB(0, 0, 128) : RGB(255, 255, 255));
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(brush.get());
  CRect rect(item->rcItem);
  rect.DeflateRect(1, 0);
  dc->Rectangle(rect);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

void CPaletteBar::OnVScroll(UINT code, UINT, CScrollBar*) {
  auto* list = static_cast<CListBox*>(GetDlgItem(kSwatchList));
  if (!list) return;
  CRect client;
  list->GetClientRect(client);
  const int rows = client.Height() / kItemHeight;
  const int step = static_cast<int>(rows * 0.8);
  int top = list->GetTopIndex();
  if (code == SB_LINEUP) {
    top -= step;
    if (top < 0) top = 0;
  } else if (code == SB_LINEDOWN) {
    top += step;
    if (top > list->GetCount() - step) top = list->GetCount() - step;
  } else {
    return;
  }
  list->SetTopIndex(top);
}

void CPaletteBar::OnSize(UINT, int cx, int cy) {
  CWnd* scrollBar = GetDlgItem(kPageScrollBar);
  CWnd* list = GetDlgItem(kSwatchList);
  if (!scrollBar || cx == 0) return;
  CRect bar;
  scrollBar->GetWindowRect(bar);
  ScreenToClient(bar);
  scrollBar->MoveWindow(bar.left, bar.top, cx - kSideMargin, cy - kScrollBarBottomMargin);
  if (list)
    list->MoveWindow(bar.left, bar.top + kListBelowScrollTop, cx - kSideMargin,
                     cy - kListBottomMargin);
}
