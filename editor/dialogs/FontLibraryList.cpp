#include "editor/dialogs/FontLibraryList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/WideText.h"
#include "text/FontTable.h"
#include "text/Language.h"

namespace {

const char kUnknownLanguage[] = "未知";

// Opens a combo's list wide enough for its longest row (with room for the scroll bar).
void WidenDropDown(HWND combo) {
  HDC dc = ::GetDC(combo);
  if (!dc) return;
  HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(combo, WM_GETFONT, 0, 0)));
  int widest = 0;
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const std::wstring text = AfxGetComboEntry(combo, i);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  ::SelectObject(dc, previous);
  ::ReleaseDC(combo, dc);
  int wanted = widest + ::GetSystemMetrics(SM_CXVSCROLL) + 4 * ::GetSystemMetrics(SM_CXEDGE);
  if (wanted > ::SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0))
    ::SendMessageA(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(wanted), 0);
}

bool TableHasFonts(const CLanguage& language, int source, int row) {
  int column = 0;
  const CFontTable* table = language.TableOf(source, &column);
  return table && table->GetEntryCount(row, column) > 0;
}

}  // namespace

void CFontLibraryList::AppendLibraries(int row, LPCSTR name, bool emptyOnes,
                                       std::vector<Library>& libraries) const {
  BYTE charset = m_language.GetId(row);
  int sources = CLanguage::kFirstMount + m_language.GetMountCount(row);
  for (int source = 0; source < sources; ++source) {
    // Mounts keep their rows, fonts or not: their number is their place.
    if (source < CLanguage::kFirstMount && !emptyOnes && !TableHasFonts(m_language, source, row))
      continue;
    libraries.push_back(
        {m_language.LibraryName(row, source, name), CLanguage::MakeKey(charset, source), row});
  }
}

std::vector<CFontLibraryList::Library> CFontLibraryList::Libraries() const {
  std::vector<Library> libraries;
  CString name;
  // The languages end at the first row without a name.
  for (int row = 0; row < CLanguage::kRowCount && m_language.GetName(row, name); ++row)
    AppendLibraries(row, nullptr, false, libraries);
  return libraries;
}

std::vector<CFontLibraryList::Library> CFontLibraryList::LanguageLibraries(int row) const {
  std::vector<Library> libraries;
  if (row < 0 || row >= CLanguage::kRowCount) return libraries;
  CString name;
  if (!m_language.GetName(row, name)) name = kUnknownLanguage;
  AppendLibraries(row, name, true, libraries);
  return libraries;
}

std::vector<CString> CFontLibraryList::Fonts(WORD code) const {
  std::vector<CString> fonts;
  int row = m_language.FindIndex(code & 0xFF);
  int column = 0;
  const CFontTable* table = m_language.TableOf((code >> 8) & 0x0F, &column);
  if (!table || row < 0) return fonts;
  for (int i = 0; i < table->GetEntryCount(row, column); ++i) {
    // The entry's text is the font's name; its own name is empty or the file's path.
    CString name;
    table->GetEntryText(row, column, i, name);
    if (name.GetLength() >= kNameSlot) name = name.Left(kNameSlot - 1);
    fonts.push_back(name);
  }
  return fonts;
}

CString CFontLibraryList::ReplacementRow(const Library& library) {
  CString row;
  row.Format("%-40s -[%d,%d]", static_cast<LPCSTR>(library.name), library.code & 0xFF,
             (library.code >> 8) & 0xFF);
  return row;
}

void CFontLibraryList::FillFontCombos(HWND names, HWND codes) const {
  FillRows(names, codes, false, Libraries());
}

void CFontLibraryList::FillFontListBox(HWND names, HWND codes) const {
  FillRows(names, codes, true, Libraries());
}

std::vector<CFontLibraryList::Library> CFontLibraryList::LibrariesOf(int charset) const {
  std::vector<Library> libraries;
  int row = m_language.FindIndex(charset);
  if (row >= 0) AppendLibraries(row, nullptr, false, libraries);
  return libraries;
}

void CFontLibraryList::FillFontCombo(int charset, HWND combo) const {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const Library& library : LibrariesOf(charset)) {
    AfxAddGbkEntry(combo, CB_ADDSTRING, ReplacementRow(library));
  }
  WidenDropDown(combo);
}

void CFontLibraryList::FillLanguage(HWND names, HWND codes, int row) const {
  FillRows(names, codes, false, LanguageLibraries(row));
}

void CFontLibraryList::FillFontNames(HWND names, WORD code, bool listBox) const {
  UINT reset = listBox ? LB_RESETCONTENT : CB_RESETCONTENT;
  UINT add = listBox ? LB_ADDSTRING : CB_ADDSTRING;
  ::SendMessageA(names, reset, 0, 0);
  for (const CString& name : Fonts(code)) AfxAddGbkEntry(names, add, name);
}

void CFontLibraryList::FillRows(HWND names, HWND codes, bool listBox,
                                const std::vector<Library>& rows) {
  UINT reset = listBox ? LB_RESETCONTENT : CB_RESETCONTENT;
  UINT add = listBox ? LB_ADDSTRING : CB_ADDSTRING;
  ::SendMessageA(names, reset, 0, 0);
  ::SendMessageA(codes, CB_RESETCONTENT, 0, 0);
  for (const Library& library : rows) {
    char code[16];
    snprintf(code, sizeof code, "%d", library.code);
    AfxAddGbkEntry(names, add, library.name);
    ::SendMessageA(codes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code));
  }
  if (!listBox) WidenDropDown(names);
}

int CFontLibraryList::FindCode(HWND codes, WORD code) {
  char text[16];
  snprintf(text, sizeof text, "%d", code);
  LRESULT row = ::SendMessageA(codes, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(text));
  return row == CB_ERR ? -1 : static_cast<int>(row);
}

WORD CFontLibraryList::CodeAt(HWND codes, int row) {
  char text[16] = {};
  LRESULT length = ::SendMessageA(codes, CB_GETLBTEXTLEN, row, 0);
  if (row < 0 || length == CB_ERR || length >= static_cast<LRESULT>(sizeof text)) return 0;
  ::SendMessageA(codes, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
  return static_cast<WORD>(std::atoi(text));
}
