// CLibGlyphSource: where library blocks get their outlines without the model linking the font
// and library code: a character of an installed font (sources 0 and 1: the fonts of character
// set 2 and of character set 0) or a graphic of a mounted graphics library (source 2 and up:
// library source - 2). A program installs one in its program-objects file; the installed source
// stays until it is destroyed, when the one installed before comes back (so a test may install
// its own for its duration). Without one, library blocks have no outline.
#pragma once

#include <windows.h>

class CContour;
class CMatrix2D;

class CLibGlyphSource {
public:
  CLibGlyphSource();
  virtual ~CLibGlyphSource();
  CLibGlyphSource(const CLibGlyphSource&) = delete;
  CLibGlyphSource& operator=(const CLibGlyphSource&) = delete;

  static CLibGlyphSource* Installed();

  // Item of group of the source as a new contour with its box, each point mapped by the matrix
  // (may be null); null when there is no such outline (a blank character has none). The caller
  // owns it.
  virtual CContour* ReadGlyph(int source, int group, int item, const CMatrix2D* matrix) = 0;

private:
  CLibGlyphSource* m_previous;
};
