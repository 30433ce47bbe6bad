// CFontLibraryList: the one filler of every font list of the text dialogs (the property bar's text
// page, the change-font dialog, the font replacement dialog). A font library is one font source of
// one language: its installed Windows fonts ("Win "), its TrueType files ("TTF ") or one of its
// mounted font files; its font code holds the language's character set in bits 0-7 and the source
// in bits 8-11 (0 Windows, 1 TrueType, 2 + j mount j), and the dialogs keep the codes as "%d" in a
// hidden combo parallel to the library names.
//
// Library rows follow the language table: every language row from 0 while it has a name, its
// Windows and TrueType rows only when that table lists a font for it, then each of its mounts;
// a row reads as the language table names the library (CLanguage::LibraryName). The fonts of a
// library are its entries' texts: installed fonts by their face names, own font files by the names
// in their headers, each cut to a 40-byte slot.
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
  // Bytes of a font name slot: a name is cut to one less.
  static constexpr int kNameSlot = 40;

  explicit CFontLibraryList(const CLanguage& language) : m_language(language) {}

  // The libraries of every language, as the library combos list them.
  std::vector<Library> Libraries() const;
  // The libraries of one language row as the application's settings name them ("未知" when the
  // row has no name): its Windows fonts, its TrueType files, then each of its mounts, whether or
  // not they hold fonts.
  std::vector<Library> LanguageLibraries(int row) const;
  // The libraries of one character set's language as the font replacement dialog lists them;
  // empty when the character set has no language.
  std::vector<Library> LibrariesOf(int charset) const;
  // The font names of a library, in font-number order; empty when its source has no table or the
  // character set no language.
  std::vector<CString> Fonts(WORD code) const;
  // A row of the font replacement dialog's library combo: "%-40s -[%d,%d]" with the library's
  // name, character set and source.
  static CString ReplacementRow(const Library& library);

  // The library combo and its hidden code combo filled with Libraries().
  void FillFontCombos(HWND names, HWND codes) const;
  // The same with a list box of names beside the code combo.
  void FillFontListBox(HWND names, HWND codes) const;
  // The combo of one character set's libraries in ReplacementRow form; empty when the character
  // set has no language.
  void FillFontCombo(int charset, HWND combo) const;
  // The combo and its hidden code combo filled with LanguageLibraries(row).
  void FillLanguage(HWND names, HWND codes, int row) const;
  // A font combo or list box filled with Fonts(code).
  void FillFontNames(HWND names, WORD code, bool listBox) const;

  // The row whose code text is the code; -1 when none.
  static int FindCode(HWND codes, WORD code);
  // The code of the row; 0 without one.
  static WORD CodeAt(HWND codes, int row);

private:
  // The libraries of a language row under its own name or name; emptyOnes keeps the Windows and
  // TrueType libraries that list no font.
  void AppendLibraries(int row, LPCSTR name, bool emptyOnes, std::vector<Library>& libraries) const;
  static void FillRows(HWND names, HWND codes, bool listBox, const std::vector<Library>& rows);

  const CLanguage& m_language;
};
