// COutlineBoolean: the Boolean operations on flattened outlines behind welding, cutting and the
// figure cut. Areas follow the even-odd rule within a curve and the union across curves (see
// OutlineTypes.h). Open lines take part as lines: a union keeps the parts of each operand's lines
// outside the other's area, a difference the first operand's lines outside the second's area, an
// intersection the parts of either operand's lines inside the other's area, an exclusive or the
// same as a union.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

class COutlineBoolean {
public:
  enum Operation { kUnion, kDifference, kIntersection, kExclusiveOr };

  // The filled area and lines of the curves.
  static OutlineShape ShapeOf(const std::vector<FlatCurve>& curves);
  // One curve's area: its rings by the even-odd rule.
  static OutlineArea EvenOddArea(const FlatCurve& curve);

  static OutlineShape Combine(const OutlineShape& first, const OutlineShape& second,
                              Operation operation);
  // The parts of the shape inside the window.
  static OutlineShape Clip(const OutlineShape& shape, const OutlineArea& window);
  // The shape cut into pieces along the knife's lines and outlines, with a kerf of the given width
  // left between the pieces.
  static OutlineShape CutAlong(const OutlineShape& shape, const OutlineShape& knife, double kerf);
  // The curve without self-overlaps: sub-paths that overlap are united, while a sub-path that lies
  // wholly inside an odd number of others stays a hole (even-odd nesting).
  static OutlineShape RemoveSelfOverlaps(const FlatCurve& curve);
};
