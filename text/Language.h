// CLanguage: the languages a text can be written in, read from TALVEX42.INI: for each of 30 rows a
// Windows character set ("ID", 255 when missing) and a name ("NAME", at most 20 bytes), under the
// sections "LANGUAGE%d" followed by the resources' section suffix. The row of a character set
// indexes every font table, character box and per-language text default. A font is named by a
// font key (low byte the character set, high byte the source: 0 installed Windows fonts, 1
// TrueType files, 2 + j own font files of mount j) and a font number, its index in the list the
// key selects; the language table resolves both to a glyph outline through the three font tables
// it is given, and names the lists of the document's font-mount section (CFontMountSection), which
// keeps the names of every non-empty list so that fonts can be found again on another machine:
// the lists follow the language rows, within a row the Windows list, the TrueType list and the own
// font lists by column.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/String.h"
#include "model/document/FontMountSection.h"
#include "model/settings/IniFile.h"

class CByteWriter;
class CCftFontTable;
class CContour;
class CFontTable;
class CTtfFontTable;
class CWinFontTable;
struct GlyphMetrics;

class CLanguage {
public:
  static constexpr int kRowCount = 30;
  static constexpr int kNameSize = 20;
  static constexpr int kSlotWidth = 40;
  static constexpr BYTE kNoCharset = 255;
  enum FontSource { kWindowsFonts = 0, kTrueTypeFiles = 1, kFirstMount = 2 };

  CLanguage();

  // Reads the 30 languages through the settings (kept for the mount queries) and the font-library
  // word and section suffix from the current resources (string 50001 and 59999; empty when the
  // resources have none). 1 when all 30 have a name.
  int Load(const CIniFile& settings);
  // The three tables glyph requests and the font-mount section go to (null: that source is empty).
  void AttachTables(CWinFontTable* windows, CTtfFontTable* trueType, CCftFontTable* own);

  // Copies the name of row i; 1 when it is not empty.
  int GetName(int i, CString& out) const;
  BYTE GetId(int i) const;
  int GetCount() const { return m_count; }
  // The first row whose character set is the low byte of charset; -1 when none.
  int FindIndex(int charset) const;
  const CString& GetFontLibraryWord() const { return m_fontLibraryWord; }
  const CString& GetSectionSuffix() const { return m_sectionSuffix; }

  // "Mounts" of "Language%d".
  int GetMountCount(int i) const;
  // The name of a font library (a source of row i): the language's name (or languageName), the
  // library's kind ("Win ", "TTF " or "MountName%d" of "Language%d" + suffix) and the
  // font-library word, joined as the resources' string 56400 says.
  CString LibraryName(int i, int source, LPCSTR languageName = nullptr) const;
  // LibraryName of mount j; returns the mount's font key.
  WORD GetMountName(int i, int j, CString& out) const;
  // "MountPath%d" of "Language%d", where start-up mounts from and the font paths dialog writes in
  // either interface language; returns the mount's font key.
  WORD GetMountPath(int i, int j, CString& out) const;
  // The folder of mount j whole (CIniFile::FolderPath); empty when it has none.
  CString GetMountFolder(int i, int j) const;
  // "TTFMountPath" of "Language%d"; returns the TrueType files' key of the language.
  WORD GetTtfMountPath(int i, CString& out) const;

  // The list of a source in a row, null when the source has no table; column receives its column.
  const CFontTable* TableOf(int source, int* column) const;
  // Index of the font known by that name in the list of the source (CFontTable::FindFont); -1
  // when none.
  int FindFont(int row, int source, LPCSTR text) const;
  // The outline of a character by font key, font number and code, in glyph units (1024 per em, y
  // down); null when the key's character set has no language or the font gives none. The caller
  // owns the result.
  CContour* GetGlyph(WORD key, int fontNumber, WORD code) const;
  // The metrics of a character in its own font, in glyph units: installed fonts as GDI measures
  // them, font files by the outline (black box, and its right edge plus a right bearing equal to
  // its left bearing as advance). False when the font gives no outline or measure.
  bool GetMetrics(WORD key, int fontNumber, WORD code, GlyphMetrics& metrics) const;

  // The non-empty font lists mounted now, as the font-mount section names them.
  std::vector<CFontMountSection::List> MountedLists() const;
  // Appends the font-mount section of the fonts mounted now; false when it could not be written.
  bool WriteToFile(CByteWriter& file) const;
  // Reads the section at offset of the file image (CFontMountSection::Read); false when something
  // was damaged and left out.
  static bool ReadFromFile(const BYTE* file, size_t fileSize, size_t offset,
                           CFontMountSection& section);
  // The current number of the font that a saved document named by key and number, through the
  // section it was saved with: the saved name is looked up in the list the key selects now. -1
  // when the section names no such font or it is not mounted here.
  int RemountFont(const CFontMountSection& section, WORD key, int savedNumber) const;

  static WORD MakeKey(BYTE charset, int source) {
    return static_cast<WORD>((source & 0xFF) << 8 | charset);
  }

private:
  CString Section(LPCSTR format, int i, bool withSuffix) const;
  CString ReadPath(int i, LPCSTR key) const;

  char m_names[kRowCount][kNameSize + 1];
  BYTE m_charsets[kRowCount];
  int m_count;
  CString m_fontLibraryWord;
  CString m_sectionSuffix;
  CString m_libraryNameFormat;
  CString m_windowsKind;
  CString m_trueTypeKind;
  CIniFile m_settings;
  CWinFontTable* m_windows;
  CTtfFontTable* m_trueType;
  CCftFontTable* m_own;
};
