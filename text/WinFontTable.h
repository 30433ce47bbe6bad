// CWinFontTable: the TrueType fonts installed in Windows, one list per language row (column 0),
// read through GDI. Faces are listed by the names GDI gives in wide form, kept in GBK. Outlines
// come from GetGlyphOutlineA at a 1024-unit font and are mapped to glyph units with the baseline at
// 860 for double-byte codes and at 1024 x (1 - Latin baseline ratio) for single-byte ones; Latin
// text may be drawn at a zoom percentage of its own.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "text/FontTable.h"

class CAppProfile;
class CContour;
class CLanguage;
class CMatrix2D;

class CWinFontTable : public CFontTable {
public:
  static constexpr char kSystemParam[] = "SystemParam";
  static constexpr char kLatinBaselineKey[] = "EnBaseLine";
  static constexpr char kLatinBaselineDefault[] = "0.20";
  static constexpr char kLatinZoomKey[] = "EnZoom";
  static constexpr int kLatinZoomDefault = 100;

  CWinFontTable() = default;
  ~CWinFontTable() override;

  // Empties the rows and lists every installed TrueType face under the row of each character
  // set it supports (faces whose names begin below 'A', such as the vertical "@" faces, are left
  // out). The language table stays in use for the glyph requests.
  void EnumFonts(const CLanguage& language);

  // The outline of a character of font fontNumber of the character set's row, mapped by the
  // matrix after the glyph-unit mapping; null when there is no such font or the character has no
  // outline (a blank has none and is no error).
  CContour* GetCharOutline(int charset, int fontNumber, WORD code, const CMatrix2D* matrix);
  // The font's family names in every language its name table holds (GDI lists a face under the
  // name of the system's language only), asked of the font once after each enumeration.
  std::vector<CString> OtherNames(int row, int col, int i) const override;

  // Whether GDI draws the font itself in the character set: asked for a face that lacks it, GDI
  // quietly takes another face that has it.
  bool HasCharset(int charset, int fontNumber) const;
  // Whether the font itself maps the character (a double-byte code as its two bytes) to a glyph;
  // for a character it lacks GDI would draw its empty-box glyph or a linked font's.
  bool HasGlyph(int charset, int fontNumber, WORD code) const;
  // GDI's glyph metrics of the character at the 1024-unit font; all zero when it has none.
  BOOL GetCharMetrics(int charset, int fontNumber, WORD code, GLYPHMETRICS* metrics);

  // The Latin base line and zoom the user last chose ("EnBaseLine" and "EnZoom" of the profile's
  // "SystemParam"), so that they hold from start-up on, not only after the dialog was opened.
  void LoadLatinValues(const CAppProfile& profile);
  static float BaselineFromText(LPCSTR text);

  int m_latinZoom = 100;
  int m_secondZoom = 100;
  float m_latinBaseline = 0.2f;

private:
  HFONT CreateCharFont(int charset, int fontNumber, int zoom) const;
  static int CALLBACK OnFont(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type,
                             LPARAM table);

  const CLanguage* m_language = nullptr;
  HFONT m_font = nullptr;
  // Family names by face name, filled as fonts are looked up by other names.
  mutable std::map<std::string, std::vector<CString>> m_familyNames;
};
