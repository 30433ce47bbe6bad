#include "output/StampLayout.h"

namespace {

enum : int { kTwoColumns = 1, kSingleLeft = 2, kSingleRight = 3, kFourCharacters = 4 };

}  // namespace

CStampLayout::CStampLayout(const CFRect& frame, float border, float marginX, float marginY,
                           float gapX, float gapY)
    : m_gapX(gapX), m_gapY(gapY) {
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

CFRect CStampLayout::Cell(float left, float bottom, float width, float height) const {
  return CFRect(left, bottom - height, left + width, bottom);
}

std::vector<CFRect> CStampLayout::Cells(int kind, int count) const {
  const float hw = m_halfWidth, hh = m_halfHeight, fh = m_fullHeight;
  const float xr = m_rightColumn, xl = m_leftColumn, yb = m_bottomLine, yt = m_topRowBottom;
  std::vector<CFRect> cells;
  switch (kind) {
    case kTwoColumns:
      for (int i = 0; i < count; ++i) cells.push_back(Cell(xr - i * (hw + m_gapX), yb, hw, fh));
      return cells;
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
