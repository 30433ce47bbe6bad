#include "editor/dialogs/PageSetupDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/ProgramObjects.h"
#include "editor/bars/ColorPalette.h"
#include "editor/views/TALVEXView.h"
#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/ComboBox.h"
#include "framework/DC.h"
#include "framework/Pen.h"
#include "framework/ResourceModule.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/IniFile.h"
#include "model/settings/SettingNames.h"

IMPLEMENT_DYNAMIC(CPageSetupDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CPageSetupDlg, CDialog)
  ON_CBN_SELCHANGE(CPageSetupDlg::kPageType, OnPageTypeChosen)
  ON_CBN_SELCHANGE(CPageSetupDlg::kPaletteType, OnPaletteTypeChosen)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

const UINT kSectionSuffixString = 59999;
const UINT kCheckBitmap = 182;
const int kColourItemHeight = 16;
const int kCheckWidth = 18;
// Preset values are short: "width,height".
const int kPresetValueLength = 30;
const int kKeyListBytes = 32 * 1024;

CComboBox* Combo(const CWnd* dialog, int id) {
  return static_cast<CComboBox*>(dialog->GetDlgItem(id));
}

// The profile's keys: the ones a new document reads (keys compare without regard to case).
const char kPageWidthKey[] = "PAGEWIDTH";
const char kPageHeightKey[] = "PAGEHEIGHT";
const char kPaletteTypeKey[] = "PALETTETYPE";
const char kBackColorKey[] = "BACKCOLOR";
const char kGridSizeKey[] = "GRIDSIZE";
const char kGridColorKey[] = "GRIDCOLOR";

}  // namespace

CPageSetupDlg::CPageSetupDlg(const CPageSettings& page, CColorPalette& palette,
                             const CIniFile& settings, const CAppProfile& profile, CWnd* parent)
    : CDialog(kTemplateId, parent),
      m_page(page),
      m_palette(palette),
      m_settings(settings),
      m_profile(profile) {}

// ---- Presets ----

CString CPageSetupDlg::PresetSection(LPCSTR suffix) {
  CString section = CString(settings::kPageSection) + (suffix ? suffix : "");
  section.TrimRight();
  return section;
}

std::vector<CString> CPageSetupDlg::ParseKeyList(const char* list, size_t size) {
  std::vector<CString> names;
  size_t start = 0;
  while (start < size && list[start] != '\0') {
    size_t end = start;
    while (end < size && list[end] != '\0') ++end;
    CString name(list + start, static_cast<int>(end - start));
    int equals = name.Find('=');
    if (equals >= 0) name = name.Left(equals);
    names.push_back(name);
    start = end + 1;
  }
  return names;
}

bool CPageSetupDlg::ParsePageSize(LPCSTR value, int* width, int* height) {
  const char* comma = strchr(value, ',');
  if (!comma) return false;
  *width = atoi(value);
  *height = atoi(comma + 1);
  return true;
}

CString CPageSetupDlg::PresetSize(const CIniFile& settings, LPCSTR name) {
  char value[kPresetValueLength + 1] = {};
  settings.ReadString(settings::kPageSection, name, value, sizeof value,
                      settings::kPageSizeDefault);
  return value;
}

// ---- Dialog ----

BOOL CPageSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int id : {kBackColour, kGridColour})
    if (CComboBox* combo = Combo(this, id)) combo->SetItemHeight(0, kColourItemHeight);
  FillPageTypes();
  CString number;
  number.Format("%.2f", m_page.m_width);
  SetDlgItemText(kWidth, number);
  number.Format("%.2f", m_page.m_height);
  SetDlgItemText(kHeight, number);
  FillPaletteTypes();
  OnPaletteTypeChosen();
  SetDlgItemInt(kGridSize, static_cast<UINT>(m_page.m_gridSize), TRUE);
  return TRUE;
}

void CPageSetupDlg::FillPageTypes() {
  CComboBox* combo = Combo(this, kPageType);
  if (!combo) return;
  combo->ResetContent();
  CString suffix;
  if (!suffix.LoadString(kSectionSuffixString)) suffix.Empty();
  std::vector<char> list(kKeyListBytes, '\0');
  DWORD length = m_settings.ReadString(PresetSection(suffix), nullptr, list.data(),
                                       static_cast<int>(list.size()), "");
  // The first preset of the page's own size shows as chosen; a size no preset has leaves none.
  for (const CString& name :
       ParseKeyList(list.data(), length + 1 < list.size() ? length + 1 : list.size())) {
    const int index = combo->AddString(name);
    int width = 0, height = 0;
    if (combo->GetCurSel() == CB_ERR &&
        ParsePageSize(PresetSize(m_settings, name), &width, &height) &&
        static_cast<float>(width) == m_page.m_width &&
        static_cast<float>(height) == m_page.m_height)
      combo->SetCurSel(index);
  }
}

void CPageSetupDlg::FillPaletteTypes() {
  CComboBox* combo = Combo(this, kPaletteType);
  if (!combo) return;
  combo->ResetContent();
  for (int i = 0; i < m_palette.GetPaletteCount(); ++i)
    combo->AddString(m_palette.GetPaletteName(i));
  // A palette type the list does not hold stays as it is: nothing is chosen for it.
  if (m_page.m_paletteType >= 0 && m_page.m_paletteType < combo->GetCount())
    combo->SetCurSel(m_page.m_paletteType);
}

void CPageSetupDlg::OnPageTypeChosen() {
  CComboBox* combo = Combo(this, kPageType);
  int index = combo ? combo->GetCurSel() : CB_ERR;
  if (index == CB_ERR) return;
  CString name;
  combo->GetLBText(index, name);
  int width = 0, height = 0;
  if (!ParsePageSize(PresetSize(m_settings, name), &width, &height)) return;
  SetDlgItemInt(kWidth, static_cast<UINT>(width), TRUE);
  SetDlgItemInt(kHeight, static_cast<UINT>(height), TRUE);
}

void CPageSetupDlg::OnPaletteTypeChosen() {
  for (int id : {kBackColour, kGridColour}) {
    if (CComboBox* combo = Combo(this, id)) {
      combo->ResetContent();
      m_palette.FillCombo(combo);
    }
  }
  SelectColour(kGridColour, m_page.m_gridColor);
  SelectColour(kBackColour, m_page.m_backColor);
}

void CPageSetupDlg::SelectColour(int control, int colour) {
  CComboBox* combo = Combo(this, control);
  if (!combo) return;
  char number[16];
  snprintf(number, sizeof number, "%d", colour);
  // The whole text must match: a prefix would take colour 1677 for white (16777215), and OK would
  // then store white in place of a colour the palette does not hold.
  combo->SetCurSel(combo->FindStringExact(-1, number));
}

int CPageSetupDlg::ChosenColour(int control, int fallback) const {
  CComboBox* combo = Combo(this, control);
  int index = combo ? combo->GetCurSel() : CB_ERR;
  if (index == CB_ERR) return fallback;
  CString text;
  combo->GetLBText(index, text);
  return atoi(text);
}

int CPageSetupDlg::ReadInteger(int control) const {
  // The leading integer of the text: the edits show "%.2f" until the user types.
  CString text;
  GetDlgItemText(control, text);
  return atoi(text);
}

void CPageSetupDlg::OnOK() {
  const int width = ReadInteger(kWidth);
  if (width < kSmallestSide) return;
  const int height = ReadInteger(kHeight);
  if (height < kSmallestSide) return;
  m_page.m_width = static_cast<float>(width);
  m_page.m_height = static_cast<float>(height);
  m_page.m_gridSize = ReadInteger(kGridSize);
  CComboBox* paletteType = Combo(this, kPaletteType);
  if (paletteType && paletteType->GetCurSel() != CB_ERR)
    m_page.m_paletteType = paletteType->GetCurSel();
  m_page.m_backColor = ChosenColour(kBackColour, m_page.m_backColor);
  m_page.m_gridColor = ChosenColour(kGridColour, m_page.m_gridColor);
  StoreDefaults();
  EndDialog(IDOK);
}

void CPageSetupDlg::StoreDefaults() const {
  m_profile.WriteFloat(settings::kSystemParam, kPageWidthKey, m_page.m_width);
  m_profile.WriteFloat(settings::kSystemParam, kPageHeightKey, m_page.m_height);
  m_profile.WriteInt(settings::kSystemParam, kPaletteTypeKey, m_page.m_paletteType);
  m_profile.WriteInt(settings::kSystemParam, kBackColorKey, m_page.m_backColor);
  m_profile.WriteInt(settings::kSystemParam, kGridSizeKey, m_page.m_gridSize);
  m_profile.WriteInt(settings::kSystemParam, kGridColorKey, m_page.m_gridColor);
}

// ---- Colour items ----

void CPageSetupDlg::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
  if (id == kBackColour || id == kGridColour) item->itemHeight = kColourItemHeight;
}

void CPageSetupDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if ((id == kBackColour || id == kGridColour) && item->CtlType == ODT_COMBOBOX)
    DrawColourItem(item);
}

void CPageSetupDlg::DrawColourItem(LPDRAWITEMSTRUCT item) const {
  if (!(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;
  std::unique_ptr<CBrush> brush = m_palette.CreateBrush(static_cast<int>(item->itemID));
  if (!brush) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  CRect rect(item->rcItem);
  if (item->itemAction & ODA_SELECT) {
    if (HBITMAP check = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kCheckBitmap))) {
      CDC memory;
      memory.CreateCompatibleDC(dc);
      HGDIOBJ old = memory.SelectObject(check);
      BITMAP size = {};
      ::GetObjectA(check, sizeof size, &size);
      dc->BitBlt(rect.left + 2, rect.top, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
      memory.SelectObject(old);
      ::DeleteObject(check);
    }
    if (selected) rect.left += kCheckWidth;
  }
  CPen pen(PS_SOLID, 2, selected ? RGB(0, 0, 128) : RGB(255, 255, 255));
  CPen* oldPen = dc->SelectObject(&pen);
  CBrush* oldBrush = dc->SelectObject(brush.get());
  dc->Rectangle(rect);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}

// ---- Running it for a view ----

BOOL CPageSetupDlg::RunForView(CTALVEXView* view) {
  CTALVEX42Doc* document = view ? dynamic_cast<CTALVEX42Doc*>(view->GetDocument()) : nullptr;
  if (!document) return FALSE;
  CPageSetupDlg dialog(document->GetPageSettings(), g_palette, g_settings, g_appProfile, view);
  if (dialog.DoModal() != IDOK) return FALSE;
  const CPageSettings& result = dialog.GetResult();
  document->GetPageSettings() = result;
  theApp.InitializeApplicationData(CTALVEX42App::kLoadTextDefaults);
  document->SetModifiedFlag(TRUE);
  document->UpdateAllViews(nullptr);
  view->SetPageAndFit(-10.0f, -10.0f, result.m_width, result.m_height);
  view->Invalidate(TRUE);
  return TRUE;
}
