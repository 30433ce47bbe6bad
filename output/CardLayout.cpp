#include "output/CardLayout.h"

#include <cmath>

namespace {

const CCardLayout::Size kSheets[CCardLayout::kSheetTypes] = {
    {0, 0},     {190, 260}, {260, 190}, {200, 285}, {285, 200},
    {130, 185}, {185, 130}, {140, 203}, {203, 140},
};
const CCardLayout::Size kCards[CCardLayout::kCardTypes] = {{0, 0}, {90, 55}, {55, 90}};

}  // namespace

bool CCardLayout::SheetSize(int type, Size* size) {
  if (type < 1 || type >= kSheetTypes) return false;
  *size = kSheets[type];
  return true;
}

bool CCardLayout::CardSize(int type, Size* size) {
  if (type < 1 || type >= kCardTypes) return false;
  *size = kCards[type];
  return true;
}

CCardLayout::Size CCardLayout::CardFromFields(float width, float height) {
  return {width > 0 && std::isfinite(width) ? width : kDefaultCard.width,
          height > 0 && std::isfinite(height) ? height : kDefaultCard.height};
}

int CCardLayout::FillCount(float sheet, float card, float gap) {
  if (!(card > 0) || !(sheet > 0)) return 0;
  const double pitch = static_cast<double>(card) + Gap(gap);
  const double count = std::floor((static_cast<double>(sheet) + Gap(gap)) / pitch);
  return count > kMostCards ? static_cast<int>(kMostCards) + 1 : static_cast<int>(count);
}

bool CCardLayout::CountsAllowed(long long across, long long down) {
  return across >= 1 && down >= 1 && across <= kMostCards && down <= kMostCards &&
         across * down <= kMostCards;
}

bool CCardLayout::DrawingFits(const CFRect& drawing, Size card) {
  CFRect box = drawing;
  box.Normalize();
  return box.left >= -kFitTolerance && box.top >= -kFitTolerance &&
         box.right <= card.width + kFitTolerance && box.bottom <= card.height + kFitTolerance;
}

std::vector<FPOINT> CCardLayout::CopyOffsets(Size card, float gapX, float gapY, int across,
                                             int down) {
  std::vector<FPOINT> offsets;
  const float stepX = card.width + Gap(gapX), stepY = card.height + Gap(gapY);
  for (int row = 0; row < down; ++row)
    for (int column = 0; column < across; ++column)
      if (row != 0 || column != 0) offsets.push_back({column * stepX, row * stepY});
  return offsets;
}
