#include "editor/dialogs/FontReplaceDlg.h"

#include <algorithm>

#include "framework/GbkText.h"
#include "model/document/FontRebinding.h"

namespace {

const int kMissingList = 1196;
const int kLibraryCombo = 1099;
const int kFontList = 1197;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CFontReplaceDlg, CDialog)
  ON_LBN_SELCHANGE(kMissingList, OnLineChosen)
  ON_CBN_SELCHANGE(kLibraryCombo, OnLibraryChosen)
  ON_LBN_SELCHANGE(kFontList, OnFontChosen)
END_MESSAGE_MAP()
// clang-format on

CFontReplaceDlg::CFontReplaceDlg(CFontRebinding& fonts, const CLanguage& language, CWnd* parent)
    : CDialog(kTemplateId, parent), m_fonts(fonts), m_libraries(language) {
  for (size_t index : fonts.Missing()) m_choices.push_back({index, 0, 0});
}

CString CFontReplaceDlg::LineOf(size_t i) const {
  const Choice& choice = m_choices[i];
  return CFontRebinding::MissingLine(m_fonts.GetFont(choice.font), choice.library,
                                     choice.fontIndex);
}

void CFontReplaceDlg::PutLine(int at, size_t i) {
  // The saved names are GBK, whatever code page this system has.
  ::SendDlgItemMessageW(m_hWnd, kMissingList, LB_INSERTSTRING, static_cast<WPARAM>(at),
                        reinterpret_cast<LPARAM>(CGbkText::ToWide(LineOf(i)).c_str()));
}

BOOL CFontReplaceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // The dialog's own font may hold no Chinese characters (an English system's has none): the
  // list takes the same font of the GB2312 character set, whose characters GBK names use most.
  HWND list = ::GetDlgItem(m_hWnd, kMissingList);
  LOGFONTA font = {};
  if (::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(list, WM_GETFONT, 0, 0)), sizeof font,
                   &font)) {
    font.lfCharSet = GB2312_CHARSET;
    if (m_namesFont.CreateFontIndirect(&font))
      ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(m_namesFont)),
                     FALSE);
  }
  for (size_t i = 0; i < m_choices.size(); ++i) PutLine(-1, i);
  if (m_choices.empty()) {
    EndDialog(1);
    return TRUE;
  }
  ShowLine(0);
  return TRUE;
}

int CFontReplaceDlg::ChosenLine() const {
  int line = static_cast<int>(::SendDlgItemMessageA(m_hWnd, kMissingList, LB_GETCURSEL, 0, 0));
  return line >= 0 && static_cast<size_t>(line) < m_choices.size() ? line : -1;
}

void CFontReplaceDlg::ShowLine(int line) {
  ::SendDlgItemMessageA(m_hWnd, kMissingList, LB_SETCURSEL, line, 0);
  const Choice& choice = m_choices[static_cast<size_t>(line)];
  HWND combo = ::GetDlgItem(m_hWnd, kLibraryCombo);
  m_libraries.FillFontCombo(m_fonts.GetFont(choice.font).key & 0xFF, combo);
  ::SendMessageA(combo, CB_SETCURSEL, choice.library, 0);
  FillFonts(line);
  ::SendDlgItemMessageA(m_hWnd, kFontList, LB_SETCURSEL, choice.fontIndex, 0);
}

void CFontReplaceDlg::FillFonts(int line) {
  const Choice& choice = m_choices[static_cast<size_t>(line)];
  std::vector<CFontLibraryList::Library> libraries = m_libraries.LibrariesOf(
      m_fonts.GetFont(choice.font).key & 0xFF);
  HWND list = ::GetDlgItem(m_hWnd, kFontList);
  if (choice.library < 0 || static_cast<size_t>(choice.library) >= libraries.size()) {
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    return;
  }
  m_libraries.FillFontNames(list, libraries[static_cast<size_t>(choice.library)].code, true);
}

void CFontReplaceDlg::OnLineChosen() {
  int line = ChosenLine();
  if (line >= 0) ShowLine(line);
}

void CFontReplaceDlg::OnLibraryChosen() {
  int line = ChosenLine();
  if (line < 0) return;
  int library = static_cast<int>(::SendDlgItemMessageA(m_hWnd, kLibraryCombo, CB_GETCURSEL, 0, 0));
  Choice& choice = m_choices[static_cast<size_t>(line)];
  if (library < 0 || library == choice.library) return;
  choice.library = library;
  choice.fontIndex = 0;
  FillFonts(line);
}

void CFontReplaceDlg::OnFontChosen() {
  int line = ChosenLine();
  int font = static_cast<int>(::SendDlgItemMessageA(m_hWnd, kFontList, LB_GETCURSEL, 0, 0));
  if (line < 0 || font < 0) return;
  Choice& choice = m_choices[static_cast<size_t>(line)];
  choice.library = std::max(0, static_cast<int>(::SendDlgItemMessageA(m_hWnd, kLibraryCombo,
                                                                      CB_GETCURSEL, 0, 0)));
  choice.fontIndex = font;
  ::SendDlgItemMessageA(m_hWnd, kMissingList, LB_DELETESTRING, line, 0);
  PutLine(line, static_cast<size_t>(line));
  if (static_cast<size_t>(line) + 1 < m_choices.size()) {
    ShowLine(line + 1);
  } else {
    ::SendDlgItemMessageA(m_hWnd, kMissingList, LB_SETCURSEL, line, 0);
  }
}

void CFontReplaceDlg::OnOK() {
  for (const Choice& choice : m_choices) {
    const CFontRebinding::Font& font = m_fonts.GetFont(choice.font);
    // The line's own language decides where its library lies, not the one shown last.
    std::vector<CFontLibraryList::Library> libraries = m_libraries.LibrariesOf(font.key & 0xFF);
    if (choice.library < 0 || static_cast<size_t>(choice.library) >= libraries.size()) continue;
    WORD code = libraries[static_cast<size_t>(choice.library)].code;
    m_fonts.Replace(choice.font, static_cast<WORD>((code & 0x0F00) | (font.key & 0xFF)),
                    std::max(0, choice.fontIndex));
  }
  EndDialog(IDOK);
}
