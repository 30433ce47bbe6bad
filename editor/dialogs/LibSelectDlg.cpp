#include "editor/dialogs/LibSelectDlg.h"

#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/LibraryCommands.h"
#include "framework/DC.h"
#include "framework/GbkText.h"
#include "model/blocks/LibBlock.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CLibSelectDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CLibSelectDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_LIB_TYPE, OnTypeChosen)
  ON_CBN_SELCHANGE(IDC_LIB_KIND, OnKindChosen)
  ON_CBN_SELENDOK(IDC_LIB_GRAPHIC, OnGraphicChosen)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

const COLORREF kChosenBack = RGB(0, 0, 128);
const COLORREF kLabelColour = RGB(196, 0, 0);
const int kLeftMargin = 25;
const int kInset = 2;
const int kShrink = 5;
// Room for the name under the graphic.
const int kNameRoom = 15;

int SelectionOf(HWND combo) { return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

}  // namespace

CLibSelectDlg::CLibSelectDlg() : CDialog(kTemplateId, nullptr) {}

BOOL CLibSelectDlg::CreatePage(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

BOOL CLibSelectDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_LIB_GRAPHIC);
  ::SendMessageA(graphics, CB_SETITEMHEIGHT, 0, kItemHeight);
  ::SendMessageA(graphics, CB_SETDROPPEDWIDTH, kDropWidth, 0);
  CLibrarySource::FillTypes(::GetDlgItem(m_hWnd, IDC_LIB_TYPE));
  ShowType(CLibrarySource::LoadChoice().type);
  return TRUE;
}

void CLibSelectDlg::ShowType(int type) {
  if (!CLibrarySource::ChooseData(::GetDlgItem(m_hWnd, IDC_LIB_TYPE), type)) type = -1;
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_RESETCONTENT, 0, 0);
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_GRAPHIC, CB_RESETCONTENT, 0, 0);
  if (!m_source.SetType(type, m_hWnd)) return;
  m_source.FillKinds(::GetDlgItem(m_hWnd, IDC_LIB_KIND));
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, 0, 0);
  FillGraphics();
}

void CLibSelectDlg::OnTypeChosen() {
  ShowType(CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_LIB_TYPE)));
}

void CLibSelectDlg::OnKindChosen() { FillGraphics(); }

int CLibSelectDlg::GetChosenKind() const {
  return m_hWnd ? SelectionOf(::GetDlgItem(m_hWnd, IDC_LIB_KIND)) : -1;
}

void CLibSelectDlg::FillGraphics() {
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_LIB_GRAPHIC);
  ::SendMessageA(graphics, CB_RESETCONTENT, 0, 0);
  int kind = GetChosenKind();
  int count = m_source.GetEntryCount(kind);
  for (int entry = 0; entry < count; ++entry) {
    // Owner-drawn without strings: each entry's data is its number.
    ::SendMessageA(graphics, CB_ADDSTRING, 0, m_source.NumberOfEntry(entry));
  }
  ::SendMessageA(graphics, CB_SETCURSEL, 0, 0);
}

void CLibSelectDlg::RefreshGraphics() {
  if (!m_hWnd) return;
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_LIB_GRAPHIC);
  int chosen = SelectionOf(graphics);
  FillGraphics();
  if (chosen > 0) ::SendMessageA(graphics, CB_SETCURSEL, chosen, 0);
}

void CLibSelectDlg::RefreshLibraries() {
  if (!m_hWnd) return;
  int type = m_source.GetType();
  CLibrarySource::FillTypes(::GetDlgItem(m_hWnd, IDC_LIB_TYPE));
  ShowType(type);
}

void CLibSelectDlg::OnGraphicChosen() { PlaceChosenGraphic(); }

bool CLibSelectDlg::PlaceChosenGraphic() {
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_LIB_GRAPHIC);
  int entry = SelectionOf(graphics);
  int kind = GetChosenKind();
  if (entry < 0 || kind < 0 || m_source.GetType() < 0) return false;
  CLibrarySource::Choice choice;
  choice.type = m_source.GetType();
  choice.kind = kind;
  choice.number = entry;
  CLibrarySource::StoreChoice(choice);
  int number = m_source.NumberOfEntry(entry);
  auto block = std::make_unique<CLibBlock>(static_cast<WORD>(choice.type), static_cast<WORD>(kind),
                                           static_cast<WORD>(number));
  // Computes the box; a graphic without an outline adds nothing.
  std::unique_ptr<CContour> outline(block->GetContour(nullptr, 0));
  if (!outline) return false;
  return CLibraryCommands::PlaceBlock(CLibraryCommands::ActiveView(), block.release());
}

void CLibSelectDlg::SelectCurrentLibBlock() {
  CTALVEX42View* view = CLibraryCommands::ActiveView();
  if (!m_hWnd || !view) return;
  auto* block = dynamic_cast<CLibBlock*>(view->GetSelectTracker().FindSelected(kLibBlock));
  if (!block) return;
  if (m_source.GetType() != block->m_source) ShowType(block->m_source);
  if (m_source.GetType() != block->m_source) return;
  ::SendDlgItemMessageA(m_hWnd, IDC_LIB_KIND, CB_SETCURSEL, block->m_group, 0);
  FillGraphics();
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_LIB_GRAPHIC);
  int entry = static_cast<int>(
      ::SendMessageA(graphics, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), block->m_item));
  if (entry != CB_ERR) ::SendMessageA(graphics, CB_SETCURSEL, entry, 0);
}

void CLibSelectDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id == IDC_LIB_GRAPHIC && item && item->itemID != static_cast<UINT>(-1))
    DrawGraphicEntry(*item);
}

void CLibSelectDlg::DrawGraphicEntry(const DRAWITEMSTRUCT& item) {
  CDC dc;
  dc.Attach(item.hDC);
  int saved = dc.SaveDC();
  bool chosen = (item.itemState & ODS_SELECTED) != 0;
  const RECT& r = item.rcItem;
  dc.FillSolidRect(&r, chosen ? kChosenBack : RGB(255, 255, 255));
  int number = static_cast<int>(item.itemData);
  int kind = GetChosenKind();
  bool named = m_source.HasNames();
  // The closed list's field is one line high: the graphic in a square before its label.
  bool field = (item.itemState & ODS_COMBOBOXEDIT) != 0 || r.bottom - r.top < kItemHeight / 2;
  int side = r.bottom - r.top - 2 * kInset;
  RECT area = field
                  ? RECT{r.left + kInset, r.top + kInset, r.left + kInset + side, r.bottom - kInset}
                  : RECT{r.left + kLeftMargin + kInset, r.top + kInset, r.right - kShrink,
                         r.bottom - kShrink - (named ? kNameRoom : 0)};
  HPEN pen = ::CreatePen(PS_SOLID, 1, chosen ? RGB(255, 255, 255) : RGB(0, 0, 0));
  HGDIOBJ oldPen = dc.SelectObject(pen);
  std::unique_ptr<CContour> outline(m_source.ReadOutline(kind, number, nullptr));
  dc.IntersectClipRect(&r);
  CLibrarySource::DrawFitted(&dc, outline.get(), area);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(kLabelColour);
  CString label = m_source.LabelOf(kind, number, theApp.GetLanguage());
  int x = field ? area.right + 2 * kInset : r.left + kInset;
  int y = field || !named ? r.top + kInset : r.bottom - kNameRoom;
  std::wstring text = CGbkText::ToWide(label);
  ::TextOutW(dc.m_hDC, x, y, text.c_str(), static_cast<int>(text.size()));
  if (!field) {
    dc.MoveTo(r.left, r.bottom - 1);
    dc.LineTo(r.right, r.bottom - 1);
  }
  dc.SelectObject(oldPen);
  ::DeleteObject(pen);
  dc.RestoreDC(saved);
  dc.Detach();
}
