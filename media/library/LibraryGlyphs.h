// CLibraryGlyphs: the outlines library blocks and the library dialogs show, by source number:
// source 0 the installed fonts of character set 2, source 1 those of character set 0 (group is
// the font's number in that character set's list, item the character code), source 2 and up
// the graphics of mounted library source - 2 (group the kind, item the graphic's number). The
// program builds one over its font table and mounted-library list; it is the model's glyph source
// from then on.
#pragma once

#include <windows.h>

#include "model/blocks/LibGlyphSource.h"

class CMountLibList;
class CWinFontTable;

class CLibraryGlyphs : public CLibGlyphSource {
public:
  static constexpr int kFontSourceCount = 2;

  CLibraryGlyphs(CWinFontTable& fonts, CMountLibList& libraries);

  // The character set whose fonts a font source offers; -1 for a library source.
  static int FontCharset(int source);

  CContour* ReadGlyph(int source, int group, int item, const CMatrix2D* matrix) override;

private:
  CWinFontTable& m_fonts;
  CMountLibList& m_libraries;
};
