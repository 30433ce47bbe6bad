// CGlyphSource: what a character box asks of the fonts: the language row of a charset, the
// outline of a character and its metrics, by font key (low byte the charset, bits 8-11 the font
// source) and font number. Outlines and metrics are in glyph units (1024 per em, y down). The
// program's font services install one; tests install fakes with known advances. Installations
// nest: the constructor installs, the destructor brings back the one installed before. Without
// one, boxes find no row, no outline and no metrics (a character then advances like a space).
#pragma once

#include <windows.h>

class CContour;

struct GlyphMetrics {
  int blackBoxX = 0;
  int blackBoxY = 0;
  // The cell advance, signed as GDI gives it.
  int advance = 0;
};

class CGlyphSource {
public:
  CGlyphSource();
  virtual ~CGlyphSource();
  CGlyphSource(const CGlyphSource&) = delete;
  CGlyphSource& operator=(const CGlyphSource&) = delete;

  // The installed source, null when none is.
  static CGlyphSource* Installed();

  // The language row of a charset; -1 when no language carries it.
  virtual int FindRow(int charset) = 0;
  // A new outline (the caller owns it) or null.
  virtual CContour* GetGlyph(WORD key, int fontNumber, WORD code) = 0;
  // False (and zero metrics) when the font has no such character.
  virtual bool GetMetrics(WORD key, int fontNumber, WORD code, GlyphMetrics& metrics) = 0;

private:
  CGlyphSource* m_previous;
};
