#include "editor/dialogs/TransformLayouts.h"

#include <cmath>

#include "model/settings/TextParsing.h"

namespace {

bool IsLeft(int origin) {
  return origin == CTransformLayouts::kTopLeft || origin == CTransformLayouts::kBottomLeft;
}
bool IsRight(int origin) {
  return origin == CTransformLayouts::kTopRight || origin == CTransformLayouts::kBottomRight;
}
bool IsTop(int origin) {
  return origin == CTransformLayouts::kTopLeft || origin == CTransformLayouts::kTopRight;
}
bool IsBottom(int origin) {
  return origin == CTransformLayouts::kBottomLeft || origin == CTransformLayouts::kBottomRight;
}

// The value of a three-column row: left or top origins, the centre, right or bottom origins.
float ByOrigin(bool nearSide, bool centre, bool farSide, float nearValue, float centreValue,
               float farValue, float current) {
  if (nearSide) return nearValue;
  if (centre) return centreValue;
  if (farSide) return farValue;
  return current;
}

// The gap of a list field; a missing or unreadable field keeps the last gap.
float GapAt(const char* list, int field, float* last) {
  float value = 0;
  if (GetFloatField(list ? list : "", &value, field)) *last = value;
  return *last;
}

}  // namespace

FPOINT CTransformLayouts::ReferencePoint(const CFRect& box, int origin) {
  switch (origin) {
    case kBottomLeft:
      return {box.left, box.bottom};
    case kCentre:
      return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    case kTopRight:
      return {box.right, box.top};
    case kBottomRight:
      return {box.right, box.bottom};
    default:
      return {box.left, box.top};
  }
}

float CTransformLayouts::Align(Alignment alignment, int origin, float w, float h, const Page& page,
                               float current) {
  const float W = page.width, H = page.height, mx = page.marginX, my = page.marginY;
  const bool centre = origin == kCentre;
  switch (alignment) {
    case kAlignLeft:
      return ByOrigin(IsLeft(origin), centre, IsRight(origin), mx, w / 2 + mx, w + mx, current);
    case kAlignRight:
      return ByOrigin(IsLeft(origin), centre, IsRight(origin), W - mx - w, W - mx - w / 2, W - mx,
                      current);
    case kAlignHCentre:
      return ByOrigin(IsLeft(origin), centre, IsRight(origin), W / 2 - w / 2, W / 2, (W + w) / 2,
                      current);
    case kAlignTop:
      return ByOrigin(IsTop(origin), centre, IsBottom(origin), my, h / 2 + my, h + my, current);
    case kAlignBottom:
      return ByOrigin(IsTop(origin), centre, IsBottom(origin), H - my - h, H - my - h / 2, H - my,
                      current);
    case kAlignVCentre:
      return ByOrigin(IsTop(origin), centre, IsBottom(origin), H / 2 - h / 2, H / 2, (H + h) / 2,
                      current);
  }
  return current;
}

FPOINT CTransformLayouts::ChangeOrigin(FPOINT point, float w, float h, int from, int to) {
  // The rectangle's top-left corner under the old origin, then its point for the new one.
  FPOINT offset = ReferencePoint(CFRect(0, 0, w, h), from);
  float left = point.x - offset.x, top = point.y - offset.y;
  return ReferencePoint(CFRect(left, top, left + w, top + h), to);
}

bool CTransformLayouts::RatioFromSize(float typed, float boxTyped, float boxOther, float* other,
                                      float* ratio) {
  if (boxTyped == 0) return false;
  *ratio = typed / boxTyped;
  *other = boxOther * *ratio;
  return true;
}

bool CTransformLayouts::CopyCountAllowed(long long columns, long long rows) {
  return columns >= 1 && rows >= 1 && columns <= kMaxCopies && rows <= kMaxCopies &&
         columns * rows <= kMaxCopies;
}

std::vector<FPOINT> CTransformLayouts::CopyOffsets(float w, float h, int columns, int rows,
                                                   const char* gapsX, const char* gapsY) {
  std::vector<FPOINT> offsets;
  if (!CopyCountAllowed(columns, rows)) return offsets;
  std::vector<float> xs(1, 0.0f);
  float gap = 0;
  for (int i = 1; i < columns; ++i) xs.push_back(xs.back() + w + GapAt(gapsX, i - 1, &gap));
  std::vector<float> ys(1, 0.0f);
  gap = 0;
  for (int j = 1; j < rows; ++j) ys.push_back(ys.back() + GapAt(gapsY, j - 1, &gap) + h);
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i)
      if (i || j) offsets.push_back({xs[i], ys[j]});
  return offsets;
}

std::vector<FPOINT> CTransformLayouts::GridOffsets(float columnStep, float rowStep, int columns,
                                                   int rows) {
  std::vector<FPOINT> offsets;
  if (!CopyCountAllowed(columns, rows)) return offsets;
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i)
      if (i || j) offsets.push_back({i * columnStep, j * rowStep});
  return offsets;
}

int CTransformLayouts::FillCount(float page, float size, float margin) {
  const double cell = size + 2.0 * FillMargin(margin);
  if (!(cell > 0) || !std::isfinite(page)) return 1;
  const double count = std::trunc(page / cell);
  if (!(count >= 1)) return 1;
  return count > kMaxCopies ? static_cast<int>(kMaxCopies + 1) : static_cast<int>(count);
}
