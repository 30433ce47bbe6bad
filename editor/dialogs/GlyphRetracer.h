// CGlyphRetracer: draws a glyph filled on a 1024 x 1024 two-colour bitmap (one pixel per glyph
// unit, y downwards as glyphs are stored) and traces it again with the vectorising library, which
// gives a cleaner outline of what the glyph shows. A glyph reaching past the bitmap is moved in
// until it lies 2 pixels from the edge, drawn there and moved back by as much, so nothing is cut
// off. The traced outlines belong to the caller.
#pragma once

#include <windows.h>

#include "media/tracing/ImageTracer.h"

class CContour;

class CGlyphRetracer {
public:
  static constexpr int kBitmapSize = 1024;
  static constexpr int kMargin = 2;

  // The vectoriser by its own file name, or by the path given (tests).
  explicit CGlyphRetracer(LPCSTR vectoriserPath = nullptr);

  // The vectoriser could be loaded.
  bool IsReady() const { return m_tracer.IsBound(true); }
  // The traced outline in glyph units, or null when nothing was traced.
  CContour* Retrace(const CContour& glyph, HWND owner);
  // How far a glyph with this extent along one axis is moved to lie on the bitmap.
  static float FitShift(float low, float high);

private:
  CImageTracer m_tracer;
};
