// CStampLayout: where a stamp's characters go in the classic seal arrangements. Given the frame
// (page units, y down), the border width, the margins and the gaps, it gives the cells of the
// characters in reading order for a layout kind:
//   1  two columns, right to left, each read from the top: the right column takes the first
//      half of the characters (the odd one too), the left the rest, each character as high as
//      its column's share of the full height less the row gaps (two characters stand in full
//      height, four as in kind 4);
//   2  three characters: the first two above each other on the right, the third in full height
//      on the left;
//   3  three characters: the first in full height on the right, the other two above each other
//      on the left;
//   4  four characters, two rows and two columns: top right, bottom right, top left, bottom left.
// Other kinds place nothing. A cell is never made for a character that is not there.
#pragma once

#include <vector>

#include "model/geometry/FRect.h"

class CStampLayout {
public:
  CStampLayout(const CFRect& frame, float border, float marginX, float marginY, float gapX,
               float gapY);

  // How many characters the kind places; -1 for the columns of kind 1, which take any number.
  static int Capacity(int kind);
  // The cells of the first count characters that the kind places (fewer when it holds fewer).
  std::vector<CFRect> Cells(int kind, int count) const;
  // Whether a half cell keeps a positive width and height.
  bool HasRoom() const;

private:
  std::vector<CFRect> TwoColumns(int count) const;
  CFRect Cell(float left, float bottom, float width, float height) const;

  float m_halfWidth;
  float m_halfHeight;
  float m_fullHeight;
  float m_rightColumn;
  float m_leftColumn;
  float m_bottomLine;
  float m_topRowBottom;
  float m_gapY;
};
