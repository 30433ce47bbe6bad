#include "output/StampLayout.h"

namespace {

enum : int { kTwoColumns = 1, kSingleLeft = 2, kSingleRight = 3, kFourCharacters = 4 };

}  // namespace

CStampLayout::CStampLayout(const CFRect& frame, float border, float marginX, float marginY,
                           float gapX, float gapY)
    : m_gapY(gapY) {
  const float width = frame.right - frame.left;
  const float height = frame.bottom - frame.top;
  m_halfWidth = (width - 2 * border - 2 * marginX - gapX) / 2;
  m_halfHeight = (height - 2 * border - 2 * marginY - gapY) / 2;
  m_fullHeight = height - 2 * border - 2 * marginY;
  m_rightColumn = frame.right - border - marginX - m_halfWidth;
  m_leftColumn = frame.left + border + marginX;
  m_bottomLine = frame.bottom - border - marginY;
  m_topRowBottom = frame.top + border + marginY + m_halfHeight;
}

int CStampLayout::Capacity(int kind) {
  switch (kind) {
    case kTwoColumns:
      return -1;
    case kSingleLeft:
    case kSingleRight:
      return 3;
    case kFourCharacters:
      return 4;
    default:
      return 0;
  }
}

bool CStampLayout::HasRoom() const { return m_halfWidth > 0 && m_halfHeight > 0; }

std::vector<CFRect> CStampLayout::TwoColumns(int count) const {
  std::vector<CFRect> cells;
  if (count <= 0) return cells;
  // Seals read down the right column first: it takes the odd character.
  const int rightCount = (count + 1) / 2;
  for (int column = 0; column < 2; ++column) {
    const int rows = column == 0 ? rightCount : count - rightCount;
    if (rows == 0) break;
    const float height = (m_fullHeight - (rows - 1) * m_gapY) / rows;
    // Too many characters to stand in the frame: none is placed.
    if (height <= 0) return {};
    const float left = column == 0 ? m_rightColumn : m_leftColumn;
    const float top = m_bottomLine - m_fullHeight;
    for (int row = 0; row < rows; ++row)
      cells.push_back(Cell(left, top + (row + 1) * height + row * m_gapY, m_halfWidth, height));
  }
  return cells;
}

CFRect CStampLayout::Cell(float left, float bottom, float width, float height) const {
  return CFRect(left, bottom - height, left + width, bottom);
}

std::vector<CFRect> CStampLayout::Cells(int kind, int count) const {
  const float hw = m_halfWidth, hh = m_halfHeight, fh = m_fullHeight;
  const float xr = m_rightColumn, xl = m_leftColumn, yb = m_bottomLine, yt = m_topRowBottom;
  std::vector<CFRect> cells;
  switch (kind) {
    case kTwoColumns:
      return TwoColumns(count);
    case kSingleLeft:
      cells = {Cell(xr, yb - hh - m_gapY, hw, hh), Cell(xr, yb, hw, hh), Cell(xl, yb, hw, fh)};
      break;
    case kSingleRight:
      cells = {Cell(xr, yb, hw, fh), Cell(xl, yt, hw, hh), Cell(xl, yb, hw, hh)};
      break;
    case kFourCharacters:
      cells = {Cell(xr, yt, hw, hh), Cell(xr, yb, hw, hh), Cell(xl, yt, hw, hh),
               Cell(xl, yb, hw, hh)};
      break;
    default:
      return cells;
  }
  if (count < static_cast<int>(cells.size())) cells.resize(count < 0 ? 0 : count);
  return cells;
}
