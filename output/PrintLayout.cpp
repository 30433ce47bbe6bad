#include "output/PrintLayout.h"

#include <algorithm>
#include <cmath>

float CPrintLayout::DrawingWidth() const {
  if (!m_g.hasDrawing) return 0;
  return std::fabs(m_g.rotate ? m_g.drawing.Height() : m_g.drawing.Width());
}

float CPrintLayout::DrawingHeight() const {
  if (!m_g.hasDrawing) return 0;
  return std::fabs(m_g.rotate ? m_g.drawing.Width() : m_g.drawing.Height());
}

float CPrintLayout::Inset(Side side) const {
  return std::max(0.0f, m_g.margins[side] - std::max(0.0f, m_g.printer.borders[side]));
}

float CPrintLayout::AreaWidth() const {
  return m_g.printer.paperWidth - Inset(kLeft) - Inset(kRight);
}

float CPrintLayout::AreaHeight() const {
  return m_g.printer.paperHeight - Inset(kTop) - Inset(kBottom);
}

float CPrintLayout::Fit(float roomW, float roomH, float w, float h) {
  if (!(roomW > 0) || !(roomH > 0)) return kSmallestRatio;
  float ratio = 0;
  bool limited = false;
  if (w > 0) {
    ratio = roomW / w;
    limited = true;
  }
  if (h > 0) {
    ratio = limited ? std::min(ratio, roomH / h) : roomH / h;
    limited = true;
  }
  if (!limited || !std::isfinite(ratio)) return 1.0f;
  return std::max(ratio, kSmallestRatio);
}

float CPrintLayout::FitToPage() const {
  return Fit(AreaWidth(), AreaHeight(), PageWidth(), PageHeight());
}

float CPrintLayout::FitToDrawing() const {
  if (DrawingWidth() <= 0 && DrawingHeight() <= 0) return FitToPage();
  return Fit(AreaWidth(), AreaHeight(), DrawingWidth(), DrawingHeight());
}

float CPrintLayout::Ratio(int zoomType, float custom) const {
  switch (zoomType) {
    case kFitPage:
      return FitToPage();
    case kFitDrawing:
      return FitToDrawing();
    default:
      return custom;
  }
}

float CPrintLayout::ShownRatio(float ratio) {
  return std::max(ratio - kSmallestRatio, kSmallestRatio);
}

float CPrintLayout::ShownMargin(float stored, float border) {
  float rounded = std::floor(std::max(0.0f, border) + 0.5f);
  return std::max(stored, rounded);
}

CMatrix2D CPrintLayout::Orientation() const {
  CMatrix2D matrix;
  if (m_g.mirror) {
    matrix.m[0] = -1;
    matrix.m[6] = m_g.pageWidth;
  }
  if (m_g.rotate) {
    // A quarter turn counter-clockwise moves the page above the paper; its width brings it back.
    CMatrix2D turn;
    turn.m[0] = 0;
    turn.m[1] = -1;
    turn.m[3] = 1;
    turn.m[4] = 0;
    turn.m[7] = m_g.pageWidth;
    matrix.Multiply(turn);
  }
  return matrix;
}

CMatrix2D CPrintLayout::Matrix(float ratio, int zoomType, float pixelsPerMmX,
                               float pixelsPerMmY) const {
  CMatrix2D matrix = Orientation();
  float dx = Inset(kLeft), dy = Inset(kTop);
  if (zoomType == kFitDrawing && m_g.hasDrawing) {
    CFRect box = m_g.drawing;
    box.Normalize();
    matrix.TransformRect(&box);
    dx -= box.left * ratio;
    dy -= box.top * ratio;
  }
  CMatrix2D place;
  place.m[0] = ratio * pixelsPerMmX;
  place.m[4] = ratio * pixelsPerMmY;
  place.m[6] = dx * pixelsPerMmX;
  place.m[7] = dy * pixelsPerMmY;
  matrix.Multiply(place);
  return matrix;
}
