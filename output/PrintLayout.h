// CPrintLayout: the arithmetic of printing a drawing page: the sizes the print dialog shows, the
// ratios that fit the page or the drawing onto the paper, and the matrix that takes page
// millimetres to the printer's pixels. Lengths are millimetres, y downward.
//
// The paper is the printer's printable area; its edges lie the printer's unprintable borders
// inside the sheet's edges. Margins are measured from the sheet's edges: a margin smaller than
// the border on its side is the border (nothing can be printed there), a larger one moves the
// drawing in and takes its room from the printable area. The fit ratios fill the area left
// inside the margins; with rotation the page and the drawing are laid on their side first.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

// What a printer reports, in millimetres and pixels per millimetre.
struct PrinterMetrics {
  float paperWidth = 0;
  float paperHeight = 0;
  // Unprintable borders of the sheet: left, top, right, bottom.
  float borders[4] = {};
  float pixelsPerMmX = 0;
  float pixelsPerMmY = 0;
};

struct PrintGeometry {
  float pageWidth = 0;
  float pageHeight = 0;
  // The drawing's box on the page; hasDrawing is false for a page without blocks.
  CFRect drawing;
  bool hasDrawing = false;
  PrinterMetrics printer;
  // Left, top, right, bottom, from the sheet's edges.
  float margins[4] = {};
  bool rotate = false;
  bool mirror = false;
};

class CPrintLayout {
public:
  enum ZoomType { kFitPage = 0, kFitDrawing = 1, kCustom = 2 };
  enum Side { kLeft = 0, kTop, kRight, kBottom };
  // No ratio is smaller: a fit never gives 0.
  static constexpr float kSmallestRatio = 0.00001f;
  // A printer's resolution in pixels per inch to pixels per millimetre.
  static constexpr float kMmPerInchFactor = 0.03937008f;

  explicit CPrintLayout(const PrintGeometry& geometry) : m_g(geometry) {}

  // The page and the drawing as printed: their sides exchanged when rotated.
  float PageWidth() const { return m_g.rotate ? m_g.pageHeight : m_g.pageWidth; }
  float PageHeight() const { return m_g.rotate ? m_g.pageWidth : m_g.pageHeight; }
  float DrawingWidth() const;
  float DrawingHeight() const;
  // How far inside the printable area the margin on a side puts the drawing (0 or more).
  float Inset(Side side) const;
  // The room inside the margins; 0 or less when the margins leave none.
  float AreaWidth() const;
  float AreaHeight() const;
  bool HasArea() const { return AreaWidth() > 0 && AreaHeight() > 0; }

  float FitToPage() const;
  // An empty drawing (or one of no extent) fits as the page does; a side of no extent does not
  // limit the ratio.
  float FitToDrawing() const;
  // The ratio of a zoom type; custom is the given one.
  float Ratio(int zoomType, float custom) const;
  // What the ratio field shows of a fit: a hair less, so that rounding never takes the drawing
  // past the paper, and never less than the smallest ratio.
  static float ShownRatio(float ratio);

  // Page millimetres to printer pixels: mirrored about the page's middle, laid on its side
  // (counter-clockwise, back onto the paper), scaled by the ratio, moved to the margins (fit to
  // drawing brings the drawing's corner there) and scaled to the pixels.
  CMatrix2D Matrix(float ratio, int zoomType, float pixelsPerMmX, float pixelsPerMmY) const;
  CMatrix2D PrinterMatrix(float ratio, int zoomType) const {
    return Matrix(ratio, zoomType, m_g.printer.pixelsPerMmX, m_g.printer.pixelsPerMmY);
  }

  // The margin a dialog shows first for a side: the stored one, at least the printer's border
  // rounded to whole millimetres.
  static float ShownMargin(float stored, float border);

private:
  // Mirror and rotation only.
  CMatrix2D Orientation() const;
  static float Fit(float roomW, float roomH, float w, float h);

  PrintGeometry m_g;
};
