#include "editor/dialogs/ShapeLayouts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "model/blocks/CurveBlock.h"
#include "model/settings/TextParsing.h"

namespace {

// The numbers of a list until a field is missing or not a number; an empty text has none (the
// field reader would give it one field of 0).
std::vector<float> ReadList(const char* text, int max) {
  std::vector<float> values;
  if (!text || text[strspn(text, " ")] == '\0') return values;
  float value = 0;
  while (static_cast<int>(values.size()) < max &&
         GetFloatField(text, &value, static_cast<int>(values.size())))
    values.push_back(value);
  return values;
}

int SpinStep(int delta) { return delta <= 0 ? 1 : -1; }

}  // namespace

CShapeLayouts::TableLayout CShapeLayouts::LayOutTable(float x0, float y0, const Table& table) {
  TableLayout layout;
  if (!(table.outer > 0) || !(table.inner > 0)) return layout;
  const std::vector<float> widths = ReadList(table.widths, kMaxTableColumns);
  const std::vector<float> heights = ReadList(table.heights, kMaxTableRows);
  if (widths.empty() || heights.empty()) return layout;
  const float a = table.outer, b = table.inner;
  float top = y0 + a, right = x0 + a;
  for (float h : heights) {
    float x = x0 + a;
    for (float w : widths) {
      layout.cells.push_back(CFRect(x, top, x + w, top + h));
      right = x + w;
      x += w + b;
    }
    top += h + b;
  }
  const float bottom = top - b;
  layout.frame = CFRect(x0, y0, right + a, bottom + a);
  return layout;
}

CCurveBlock* CShapeLayouts::MakeTableCurve(const TableLayout& layout) {
  if (layout.cells.empty()) return nullptr;
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  for (const CFRect& cell : layout.cells)
    curve->AddRectangle(cell.left, cell.top, cell.right, cell.bottom);
  const CFRect& frame = layout.frame;
  curve->AddRectangle(frame.left, frame.top, frame.right, frame.bottom);
  curve->EndCurve();
  return curve.release();
}

std::vector<CFRect> CShapeLayouts::FramesAround(const CFRect& box, const Frame& frame) {
  CFRect inner(box.left - frame.xSpace, box.top - frame.ySpace, box.right + frame.xSpace,
               box.bottom + frame.ySpace);
  std::vector<CFRect> frames(1, inner);
  if (frame.doubleLine)
    frames.push_back(CFRect(inner.left - frame.yWidth, inner.top - frame.xWidth,
                            inner.right + frame.yWidth, inner.bottom + frame.xWidth));
  return frames;
}

CCurveBlock* CShapeLayouts::MakeFrameCurve(const CFRect& box, const Frame& frame) {
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  for (const CFRect& rect : FramesAround(box, frame))
    curve->AddRectangle(rect.left, rect.top, rect.right, rect.bottom);
  curve->EndCurve();
  return curve.release();
}

int CShapeLayouts::StepCorners(int current, int delta) {
  int next = current + delta;
  return next >= kMinCorners && next <= kMaxCorners ? next : current;
}

float CShapeLayouts::StepThickness(float value, int delta) { return value + SpinStep(delta); }

float CShapeLayouts::StepAngleThreshold(float value, int delta) {
  return std::min(180.0f, std::max(0.0f, value + SpinStep(delta)));
}

int CShapeLayouts::StepAccuracy(int value, int delta) {
  return std::min(-5, std::max(-15, value + SpinStep(delta)));
}

double CShapeLayouts::AccuracyNumber(int accuracy) {
  char text[16];
  snprintf(text, sizeof text, "1e%d", accuracy);
  return atof(text);
}
