#include "editor/dialogs/GlyphRetracer.h"

#include <algorithm>
#include <memory>

#include "framework/DC.h"
#include "model/blocks/Block.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"

namespace {

CContour* Moved(const CContour& glyph, float dx, float dy) {
  CMatrix2D shift;
  shift.m[6] = dx;
  shift.m[7] = dy;
  CContour* moved = glyph.Clone(&shift);
  if (moved) moved->ApplyMatrix();
  return moved;
}

// A white bitmap with the glyph filled in black; null when GDI gives none.
HBITMAP DrawFilled(const CContour& glyph) {
  const int size = CGlyphRetracer::kBitmapSize;
  HBITMAP bitmap = ::CreateBitmap(size, size, 1, 1, nullptr);
  HDC memory = ::CreateCompatibleDC(nullptr);
  if (!bitmap || !memory) {
    if (bitmap) ::DeleteObject(bitmap);
    if (memory) ::DeleteDC(memory);
    return nullptr;
  }
  HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
  ::PatBlt(memory, 0, 0, size, size, WHITENESS);
  HGDIOBJ oldPen = ::SelectObject(memory, ::GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = ::SelectObject(memory, ::GetStockObject(BLACK_BRUSH));
  ::SetPolyFillMode(memory, ALTERNATE);
  CDC wrapper;
  wrapper.Attach(memory);
  glyph.FillPath(&wrapper);
  wrapper.Detach();
  ::SelectObject(memory, oldBrush);
  ::SelectObject(memory, oldPen);
  // The tracer reads the pixels, which it cannot while the bitmap is selected.
  ::SelectObject(memory, oldBitmap);
  ::DeleteDC(memory);
  return bitmap;
}

}  // namespace

CGlyphRetracer::CGlyphRetracer(LPCSTR vectoriserPath) : m_tracer(vectoriserPath) {}

float CGlyphRetracer::FitShift(float low, float high) {
  if (low < 0) return kMargin - low;
  if (high > kBitmapSize) return kBitmapSize - kMargin - high;
  return 0;
}

CContour* CGlyphRetracer::Retrace(const CContour& glyph, HWND owner) {
  if (glyph.IsBoxEmpty()) return nullptr;
  const CFRect& box = glyph.GetBox();
  float dx = FitShift(std::min(box.left, box.right), std::max(box.left, box.right));
  float dy = FitShift(std::min(box.top, box.bottom), std::max(box.top, box.bottom));
  std::unique_ptr<CContour> placed(Moved(glyph, dx, dy));
  if (!placed) return nullptr;
  HBITMAP bitmap = DrawFilled(*placed);
  if (!bitmap) return nullptr;
  std::unique_ptr<CBlock> traced(m_tracer.TraceBitmap(bitmap, true, owner));
  ::DeleteObject(bitmap);
  std::unique_ptr<CContour> outline(traced ? traced->GetContour(nullptr, 0) : nullptr);
  return outline ? Moved(*outline, -dx, -dy) : nullptr;
}
