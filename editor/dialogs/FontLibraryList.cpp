#include "editor/dialogs/FontLibraryList.h"

#include <cstdio>
#include <cstdlib>

#include "text/FontTable.h"
#include "text/Language.h"

namespace {

const char kUnknownLanguage[] = "未知";

}  // namespace

std::vector<CFontLibraryList::Library> CFontLibraryList::Libraries() const {
  std::vector<Library> libraries;
  for (int row = 0; row < CLanguage::kRowCount; ++row) {
    CString name;
    if (!m_language.GetName(row, name)) continue;
    BYTE charset = m_language.GetId(row);
    libraries.push_back({CString("Win ") + name, CLanguage::MakeKey(charset, 0), row});
    libraries.push_back({CString("TTF ") + name, CLanguage::MakeKey(charset, 1), row});
    for (int mount = 0; mount < m_language.GetMountCount(row); ++mount) {
      CString mountName;
      WORD key = m_language.GetMountName(row, mount, mountName);
      libraries.push_back({mountName, key, row});
    }
  }
  return libraries;
}

std::vector<CFontLibraryList::Library> CFontLibraryList::LanguageLibraries(int row) const {
  std::vector<Library> libraries;
  if (row < 0 || row >= CLanguage::kRowCount) return libraries;
  CString name;
  if (!m_language.GetName(row, name)) name = kUnknownLanguage;
  const CString& word = m_language.GetFontLibraryWord();
  BYTE charset = m_language.GetId(row);
  libraries.push_back({name + "Win " + word, CLanguage::MakeKey(charset, 0), row});
  libraries.push_back({name + "TTF " + word, CLanguage::MakeKey(charset, 1), row});
  for (int mount = 0; mount < m_language.GetMountCount(row); ++mount) {
    CString mountName;
    WORD key = m_language.GetMountName(row, mount, mountName);
    libraries.push_back({mountName, key, row});
  }
  return libraries;
}

std::vector<CString> CFontLibraryList::Fonts(WORD code) const {
  std::vector<CString> fonts;
  int row = m_language.FindIndex(code & 0xFF);
  int column = 0;
  const CFontTable* table = m_language.TableOf((code >> 8) & 0x0F, &column);
  if (!table || row < 0) return fonts;
  for (int i = 0; i < table->GetEntryCount(row, column); ++i) {
    CString name;
    table->GetEntryName(row, column, i, name);
    fonts.push_back(name);
  }
  return fonts;
}

void CFontLibraryList::Fill(HWND names, HWND codes, bool listBox) const {
  FillRows(names, codes, listBox, Libraries());
}

void CFontLibraryList::FillLanguage(HWND names, HWND codes, int row) const {
  FillRows(names, codes, false, LanguageLibraries(row));
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
    ::SendMessageA(names, add, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(library.name)));
    ::SendMessageA(codes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code));
  }
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
