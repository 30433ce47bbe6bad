// CBoxPlacements: where a layout put the characters of a box array (each character box's point,
// turn, rectangle and style word, by index), taken before a layout so that one whose arithmetic
// overflowed can be undone. Boxes are not owned; the array must keep its boxes while this lives.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"

class CBoxArray;

class CBoxPlacements {
public:
  explicit CBoxPlacements(const CBoxArray& boxes);

  // Every character the layout placed (placed mark set) has a finite point, turn and rectangle.
  static bool ArePlacedFinite(const CBoxArray& boxes);
  // Puts each character box back where it was taken.
  void Restore(CBoxArray& boxes) const;

private:
  struct Placement {
    float x = 0, y = 0, angle = 0;
    CFRect rect;
    WORD style = 0;
  };
  std::vector<Placement> m_placements;
};
