#include "addons/transform/TransformPreview.h"

#include <vector>

#include "addons/transform/ArtTransform.h"

namespace {

const COLORREF kBackground = RGB(255, 255, 255);
const COLORREF kInk = RGB(0, 0, 128);
const int kMargin = 12;
const int kLines = 5;
const int kSteps = 24;

}  // namespace

HBITMAP CTransformPreview::Create(int kind) {
  if (!CArtTransform::IsKind(kind)) return nullptr;
  HDC screen = ::GetDC(nullptr);
  if (!screen) return nullptr;
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kSize, kSize);
  HDC memory = bitmap ? ::CreateCompatibleDC(screen) : nullptr;
  ::ReleaseDC(nullptr, screen);
  if (!memory) {
    if (bitmap) ::DeleteObject(bitmap);
    return nullptr;
  }
  HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
  RECT all = {0, 0, kSize, kSize};
  HBRUSH background = ::CreateSolidBrush(kBackground);
  ::FillRect(memory, &all, background);
  ::DeleteObject(background);
  HPEN pen = ::CreatePen(PS_SOLID, 2, kInk);
  HGDIOBJ oldPen = ::SelectObject(memory, pen);
  DrawGrid(memory, kind);
  ::SelectObject(memory, oldPen);
  ::DeleteObject(pen);
  ::SelectObject(memory, oldBitmap);
  ::DeleteDC(memory);
  return bitmap;
}

void CTransformPreview::DrawGrid(HDC dc, int kind) {
  CArtTransform transform(kind, CFRect(kMargin, kMargin, kSize - kMargin, kSize - kMargin));
  const CFRect& box = transform.GetBox();
  double w = box.right - box.left, h = box.bottom - box.top;
  std::vector<POINT> line;
  for (int across = 0; across < 2; ++across) {
    for (int i = 0; i < kLines; ++i) {
      line.clear();
      double fixed = static_cast<double>(i) / (kLines - 1);
      for (int k = 0; k <= kSteps; ++k) {
        double t = static_cast<double>(k) / kSteps;
        double u = across ? fixed : t, v = across ? t : fixed;
        OutlinePoint p = transform.Map(OutlinePoint(box.left + u * w, box.top + v * h), box, box);
        line.push_back(POINT{static_cast<LONG>(p.x() + 0.5), static_cast<LONG>(p.y() + 0.5)});
      }
      ::Polyline(dc, line.data(), static_cast<int>(line.size()));
    }
  }
}
