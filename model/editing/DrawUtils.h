// Small drawing helpers on a device context: handle marks, transformed outlines, bitmaps, the
// rotated caption font and text shortened to fit a width. Float inputs are mapped to device
// integers through a matrix (truncated toward zero).
#pragma once

#include <windows.h>

#include "framework/DC.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

// Rectangle from (x - h, y - h) to (x + h, y + h) with the current pen and brush: node and handle
// marks.
void DrawMarkSquare(CDC* dc, int x, int y, int h);
// The closed outline p0-p1-p3-p2-p0 (the corner order of CMatrix2D::TransformRectToQuad).
void DrawTransformedQuad(CDC* dc, FPOINT p0, FPOINT p1, FPOINT p2, FPOINT p3,
                         const CMatrix2D& matrix);
// Polygon of the four corners of the rectangle.
void DrawTransformedRect(CDC* dc, const CFRect& rect, const CMatrix2D& matrix);

// The whole bitmap at its own size at (x, y), through a compatible memory context.
BOOL DrawBitmap(CDC* dc, CBitmap* bitmap, int x, int y, DWORD rop);
// The whole bitmap stretched into the rectangle x, y, width, height.
BOOL StretchBitmap(CDC* dc, CBitmap* bitmap, int x, int y, int width, int height, DWORD rop);

// A new bold font turned 90 degrees clockwise (escapement -900), character set 1, "Arial" when no
// face is given; null when it cannot be made. The caller deletes it.
CFont* CreateVerticalFont(LPCSTR faceName, int width, int height);

// The text itself when its width plus the margin fits; else a copy shortened at its end and ended
// with "...", keeping at least one character. Double-byte characters are removed whole. The copy
// lives in one static buffer that the next call overwrites.
LPCSTR FitTextToWidth(CDC* dc, LPCSTR text, int width, int margin);
