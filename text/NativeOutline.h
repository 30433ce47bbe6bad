// Conversion of a glyph outline as GDI's GetGlyphOutlineA returns it with GGO_NATIVE (a run of
// TTPOLYGONHEADER records, each followed by its TTPOLYCURVE records) into a CContour. Lines stay
// lines; quadratic splines (TT_PRIM_QSPLINE) become one cubic piece per control point, with the
// implied on-curve midpoints; cubic splines (TT_PRIM_CSPLINE, fonts with PostScript outlines) are
// taken as cubics, three points per piece. Each polygon ends with a copy of its start (flag 0x41).
// The buffer is read through the bounded reader: a record running past it ends the outline there.
#pragma once

#include <windows.h>

#include <cstddef>

class CContour;
class CMatrix2D;

// Null when the buffer holds no polygon. Every point is mapped by the matrix.
CContour* ContourFromNativeOutline(const BYTE* data, size_t size, const CMatrix2D& matrix);
