#include "text/ScreenGlyphs.h"

#include <memory>

#include "model/blocks/Block.h"
#include "model/document/SegArray.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"

namespace {

const float kGlyphUnits = 1024.0f;

bool Inside(const CFRect& box, const CFRect& area) {
  return box.left >= area.left && box.right <= area.right && box.top >= area.top &&
         box.bottom <= area.bottom;
}

CMatrix2D ScaleAndMove(float scale, float dx, float dy) {
  CMatrix2D matrix;
  matrix.m[0] = matrix.m[4] = scale;
  matrix.m[6] = dx;
  matrix.m[7] = dy;
  return matrix;
}

}  // namespace

CContour* CScreenGlyphs::CurvesInside(CSegArray& blocks, const CFRect& area,
                                      const CMatrix2D& matrix) {
  std::unique_ptr<CContour> glyph;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_type != kCurveBlock) continue;
    CFRect box = block->m_box;
    box.Normalize();
    if (!Inside(box, area)) continue;
    std::unique_ptr<CContour> curve(block->GetContour(&matrix, 0));
    if (!curve || curve->GetCount() == 0) continue;
    curve->ApplyMatrix();
    if (!glyph) {
      glyph = std::move(curve);
    } else {
      glyph->Append(curve.get());
    }
  }
  return glyph.release();
}

CContour* CScreenGlyphs::GetCellGlyph(CSegArray& blocks, const CFRect& cell) {
  return CurvesInside(blocks, cell, ScaleAndMove(kGlyphUnits, -kGlyphUnits * cell.left, 0));
}

CContour* CScreenGlyphs::GetRectGlyph(CSegArray& blocks, const CFRect& cell) {
  float width = cell.right - cell.left;
  if (!(width > 0)) return nullptr;
  float margin = width * kMarginPart;
  CFRect area(cell.left - margin, cell.top - margin, cell.right + margin, cell.bottom + margin);
  float scale = kGlyphUnits / width;
  return CurvesInside(blocks, area, ScaleAndMove(scale, -cell.left * scale, -cell.top * scale));
}
