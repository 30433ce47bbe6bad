// CFontLibraryList: the font libraries of the languages as the text dialogs list them, one row
// per library: the language's installed Windows fonts ("Win "), its TrueType files ("TTF ") and
// each mounted font file, with the library's font code (charset in bits 0-7, source in bits 8-11)
// in a hidden parallel combo as "%d". Rows and codes come from the program's language table.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

class CLanguage;

class CFontLibraryList {
public:
  struct Library {
    CString name;
    WORD code;
    int row;
  };

  explicit CFontLibraryList(const CLanguage& language) : m_language(language) {}

  std::vector<Library> Libraries() const;
  // The libraries of one language row, named after it ("未知" when it has no name) and the
  // library word: its Windows fonts, its TrueType files, then each of its mounts.
  std::vector<Library> LanguageLibraries(int row) const;
  // The font names of a library; empty when its source has no table.
  std::vector<CString> Fonts(WORD code) const;
  // The library combo (or list box) and its hidden code combo filled alike.
  void Fill(HWND names, HWND codes, bool listBox) const;
  // The combo and its hidden code combo filled with the libraries of one language row.
  void FillLanguage(HWND names, HWND codes, int row) const;
  // The row whose code text is the code; -1 when none.
  static int FindCode(HWND codes, WORD code);
  // The code of the row; 0 without one.
  static WORD CodeAt(HWND codes, int row);

private:
  static void FillRows(HWND names, HWND codes, bool listBox, const std::vector<Library>& rows);

  const CLanguage& m_language;
};
