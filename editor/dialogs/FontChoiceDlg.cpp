#include "editor/dialogs/FontChoiceDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/FontLibraryList.h"
#include "framework/WideText.h"
#include "resources/Resource.h"
#include "text/Language.h"

IMPLEMENT_DYNAMIC(CFontChoiceDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CFontChoiceDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_FONT_LIBRARY, OnLibraryChosen)
  ON_CBN_SELCHANGE(IDC_FONT_NAMES, OnFontChosen)
  ON_CBN_SELCHANGE(IDC_FONT_SIZE, OnSizeChosen)
  ON_CBN_EDITCHANGE(IDC_FONT_SIZE, OnSizeEdited)
  ON_CBN_KILLFOCUS(IDC_FONT_SIZE, OnSizeLeft)
  ON_WM_DRAWITEM()
  ON_CBN_DROPDOWN(IDC_FONT_NAMES, OnFontsDropped)
  ON_CBN_CLOSEUP(IDC_FONT_NAMES, OnFontsClosed)
  ON_CBN_SELCHANGE(IDC_FONT_CODES, OnCodeChosen)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kDropWidth = 120;
const char kSystemParam[] = "SystemParam";
const COLORREF kChosenBack = RGB(0, 0, 128);

bool IsEastAsian(int charset) {
  return charset == 128 || charset == 129 || charset == 134 || charset == 136;
}

}  // namespace

CFontChoiceDlg::CFontChoiceDlg() : CDialog(kTemplateId, nullptr) {}

BOOL CFontChoiceDlg::CreatePage(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

CTALVEX42View* CFontChoiceDlg::ActiveView() {
  return dynamic_cast<CTALVEX42View*>(CBlockView::GetActive());
}

void CFontChoiceDlg::ReturnFocus() const {
  if (CTALVEX42View* view = ActiveView())
    if (view->m_hWnd) ::SetFocus(view->m_hWnd);
}

BOOL CFontChoiceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_NAMES, CB_SETDROPPEDWIDTH, kDropWidth, 0);
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_SETDROPPEDWIDTH, kDropWidth, 0);
  m_values = CTextDefaults::Global();
  HWND codes = ::GetDlgItem(m_hWnd, IDC_FONT_CODES);
  CFontLibraryList(g_language).FillFontCombos(::GetDlgItem(m_hWnd, IDC_FONT_LIBRARY), codes);
  // Without a first Chinese mount nothing is chosen rather than a row that is not there.
  int row = CFontLibraryList::FindCode(codes, kFirstChineseMount);
  if (row >= 0) {
    ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_SETCURSEL, row, 0);
    ::SendMessageA(codes, CB_SETCURSEL, row, 0);
    FillFonts(kFirstChineseMount);
  }
  char size[32];
  snprintf(size, sizeof size, "%.0f", std::max(m_values.fontSizeX, m_values.fontSizeY));
  ::SetDlgItemTextA(m_hWnd, IDC_FONT_SIZE, size);
  return TRUE;
}

int CFontChoiceDlg::ChosenLibrary() const {
  return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_GETCURSEL, 0, 0));
}

void CFontChoiceDlg::FillFonts(WORD code) {
  HWND names = ::GetDlgItem(m_hWnd, IDC_FONT_NAMES);
  CFontLibraryList(g_language).FillFontNames(names, code, false);
  int row = g_language.FindIndex(code & 0xFF);
  ::SendMessageA(names, CB_SETCURSEL, m_values.DefaultFontNumber(row), 0);
}

int CFontChoiceDlg::LanguageRowOf(int charset) {
  charset &= 0xFF;
  if (charset != 128 && charset != 129 && charset != 133 && charset != 134) return 0;
  return std::max(0, g_language.FindIndex(charset));
}

void CFontChoiceDlg::Refresh(CTALVEX42View* view) {
  if (!m_hWnd) return;
  m_values = CTextDefaults::Global();
  if (view) view->GetTextCommands().GetSelectedText(nullptr, &m_values, 0);
  HWND codes = ::GetDlgItem(m_hWnd, IDC_FONT_CODES);
  WORD code = static_cast<WORD>(m_values.fontCode & 0x0FFF);
  int library = CFontLibraryList::FindCode(codes, code);
  if (library < 0) return;
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_SETCURSEL, library, 0);
  ::SendMessageA(codes, CB_SETCURSEL, library, 0);
  FillFonts(code);
  int row = LanguageRowOf(code);
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_NAMES, CB_SETCURSEL, m_values.DefaultFontNumber(row), 0);
  char size[32];
  snprintf(size, sizeof size, "%.2f", std::max(m_values.fontSizeX, m_values.fontSizeY));
  ::SetDlgItemTextA(m_hWnd, IDC_FONT_SIZE, size);
  m_sizeEdited = false;
}

void CFontChoiceDlg::OnLibraryChosen() {
  int row = ChosenLibrary();
  HWND codes = ::GetDlgItem(m_hWnd, IDC_FONT_CODES);
  ::SendMessageA(codes, CB_SETCURSEL, row, 0);
  WORD code = CFontLibraryList::CodeAt(codes, row);
  int charset = code & 0xFF;
  CTextDefaults& defaults = CTextDefaults::Global();
  if (IsEastAsian(charset))
    defaults.eastAsianCharset = static_cast<BYTE>(charset);
  else
    defaults.singleByteCharset = static_cast<BYTE>(charset);
  FillFonts(code);
  ReturnFocus();
}

void CFontChoiceDlg::OnSizeChosen() {
  HWND size = ::GetDlgItem(m_hWnd, IDC_FONT_SIZE);
  int chosen = static_cast<int>(::SendMessageA(size, CB_GETCURSEL, 0, 0));
  char text[32] = {};
  if (chosen >= 0 && ::SendMessageA(size, CB_GETLBTEXTLEN, chosen, 0) < 31)
    ::SendMessageA(size, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text));
  ::SetWindowTextA(size, text);
  Apply(kApplySize);
}

void CFontChoiceDlg::OnSizeLeft() {
  if (!m_sizeEdited) return;
  m_sizeEdited = false;
  Apply(kApplySize);
}

void CFontChoiceDlg::Apply(int flags) {
  int font = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_NAMES, CB_GETCURSEL, 0, 0));
  if (font < 0) {
    ::MessageBeep(MB_OK);
    return;
  }
  int library = ChosenLibrary();
  WORD code = CFontLibraryList::CodeAt(::GetDlgItem(m_hWnd, IDC_FONT_CODES), library);
  int row = g_language.FindIndex(code & 0xFF);
  int changed = 0;
  if ((flags & kApplyFont) && library >= 0 && row >= 0 && row < CTextDefaults::kRowCount) {
    m_values.fontCode = code;
    m_values.defaultSource[row] = static_cast<BYTE>((code >> 8) & 0x0F);
    m_values.defaultFontNumber[row] = static_cast<WORD>(font);
    changed |= kApplyFont;
  }
  float size = 0;
  if (flags & kApplySize) {
    char text[32] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_FONT_SIZE, text, sizeof text);
    size = static_cast<float>(std::atof(text));
    int current = static_cast<int>(std::max(m_values.fontSizeX, m_values.fontSizeY));
    if (size > 0 && static_cast<int>(size) != current) {
      m_values.fontSizeX = m_values.fontSizeY = size;
      changed |= kApplySize;
      HWND list = ::GetDlgItem(m_hWnd, IDC_FONT_SIZE);
      if (::SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text)) == CB_ERR) {
        if (::SendMessageA(list, CB_GETCOUNT, 0, 0) >= kSizeListLength)
          ::SendMessageA(list, CB_DELETESTRING, kSizeListLength, 0);
        ::SendMessageA(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
      }
    }
  }
  CTALVEX42View* view = ActiveView();
  const bool applied = view && changed &&
                       view->GetTextCommands().ApplyFontToSelection(m_values, changed);
  if (!applied) {
    CTextDefaults& defaults = CTextDefaults::Global();
    if (changed & kApplySize) {
      defaults.fontSizeX = defaults.fontSizeY = size;
      g_appProfile.WriteFloat(kSystemParam, "FontSizeX", size);
      g_appProfile.WriteFloat(kSystemParam, "FontSizeY", size);
    }
    if (changed & kApplyFont) {
      defaults.fontCode = code;
      defaults.defaultSource[row] = m_values.defaultSource[row];
      defaults.defaultFontNumber[row] = m_values.defaultFontNumber[row];
      char section[16];
      snprintf(section, sizeof section, "Language%d", row);
      g_settings.WriteInt(section, "DefaultType", defaults.defaultSource[row]);
      g_settings.WriteInt(section, "DefaultID", defaults.defaultFontNumber[row]);
    }
  }
  ReturnFocus();
}

void CFontChoiceDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != IDC_FONT_NAMES || !item || item->itemID == static_cast<UINT>(-1)) return;
  bool chosen = (item->itemState & ODS_SELECTED) != 0;
  bool inList = (item->itemState & ODS_COMBOBOXEDIT) == 0;
  if (chosen && inList && m_preview && static_cast<int>(item->itemID) != m_previewed) {
    m_previewed = static_cast<int>(item->itemID);
    WORD code = CFontLibraryList::CodeAt(::GetDlgItem(m_hWnd, IDC_FONT_CODES), ChosenLibrary());
    m_preview->ShowFont(code, m_previewed, g_language.FindIndex(code & 0xFF));
  }
  HBRUSH brush = ::CreateSolidBrush(chosen ? kChosenBack : RGB(255, 255, 255));
  ::FillRect(item->hDC, &item->rcItem, brush);
  ::DeleteObject(brush);
  const std::wstring text = AfxGetComboEntry(item->hwndItem, static_cast<int>(item->itemID));
  ::SetBkMode(item->hDC, TRANSPARENT);
  ::SetTextColor(item->hDC, chosen ? RGB(255, 255, 255) : RGB(0, 0, 0));
  ::TextOutW(item->hDC, item->rcItem.left + 3, item->rcItem.top + 1, text.c_str(),
             static_cast<int>(text.size()));
}

void CFontChoiceDlg::OnFontsDropped() {
  if (!m_preview) {
    auto preview = std::make_unique<CFontPreviewPopup>();
    if (!preview->CreatePopup(this)) return;
    m_preview = std::move(preview);
  }
  m_previewed = -1;
  RECT list = {};
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_NAMES, CB_GETDROPPEDCONTROLRECT, 0,
                        reinterpret_cast<LPARAM>(&list));
  ::SetWindowPos(m_preview->m_hWnd, HWND_TOPMOST, list.right, list.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CFontChoiceDlg::OnFontsClosed() {
  if (m_preview && m_preview->m_hWnd) ::ShowWindow(m_preview->m_hWnd, SW_HIDE);
}

void CFontChoiceDlg::OnCodeChosen() {
  HWND codes = ::GetDlgItem(m_hWnd, IDC_FONT_CODES);
  int chosen = static_cast<int>(::SendMessageA(codes, CB_GETCURSEL, 0, 0));
  int charset = CFontLibraryList::CodeAt(codes, chosen) & 0xFF;
  int row = g_language.FindIndex(charset);
  if (chosen < 0 || row < 0) return;
  CFontLibraryList(g_language).FillLanguage(::GetDlgItem(m_hWnd, IDC_FONT_LIBRARY), codes, row);
  // The library the language used last, else its first one.
  WORD remembered = CLanguage::MakeKey(static_cast<BYTE>(charset), m_values.DefaultSource(row));
  int library = std::max(0, CFontLibraryList::FindCode(codes, remembered));
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, CB_SETCURSEL, library, 0);
  OnLibraryChosen();
}
