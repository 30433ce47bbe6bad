// CScreenGlyphs: glyphs made from curves drawn on the page, for the font-from-screen build. The
// curve blocks (type 128) whose boxes lie wholly inside a cell make one glyph, in glyph units
// (1024 per em, y down): a Latin cell is scaled by 1024 and moved by -1024 x its left edge; a
// square cell of the Chinese build is scaled so that its side becomes 1024 with its top-left
// corner at the origin, a curve counting as inside when it lies within the cell widened by a
// fifteenth of its side on every side. No curve inside: no glyph.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CContour;
class CMatrix2D;
class CSegArray;

class CScreenGlyphs {
public:
  // The side of a square cell by which it is widened on each side, as a part of its side.
  static constexpr float kMarginPart = 1.0f / 15.0f;

  // The curves whose boxes lie inside the area, one after another, mapped by the matrix; null
  // when none does. The caller owns the result.
  static CContour* CurvesInside(CSegArray& blocks, const CFRect& area, const CMatrix2D& matrix);
  // The glyph of a Latin cell (left, top, right, bottom in page units).
  static CContour* GetCellGlyph(CSegArray& blocks, const CFRect& cell);
  // The glyph of a square cell of the Chinese build.
  static CContour* GetRectGlyph(CSegArray& blocks, const CFRect& cell);
};
