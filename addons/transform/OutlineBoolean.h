// COutlineBoolean: the Boolean operations on flattened outlines behind welding, cutting and the
// figure cut. Areas follow the even-odd rule within a curve and the union across curves (see
// OutlineTypes.h), for any outline: self-crossing, touching or overlapping rings all go through
// one winding sweep (CWindingSweep), and every area handed out is clean (rings that neither cross
// nor overlap). Open lines take part as lines: a union keeps the parts of each operand's lines
// outside the other's area (and, within one operand, outside the other curves' areas), a
// difference the first operand's lines outside the second's area, an intersection the parts of
// either operand's lines inside the other's area, an exclusive or the same as a union.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

class COutlineBoolean {
public:
  enum Operation { kUnion, kDifference, kIntersection, kExclusiveOr };

  // The filled area and lines of the curves, all united in one sweep.
  static OutlineShape ShapeOf(const std::vector<FlatCurve>& curves);
  // One curve's area: its rings by the even-odd rule.
  static OutlineArea EvenOddArea(const FlatCurve& curve);

  static OutlineShape Combine(const OutlineShape& first, const OutlineShape& second,
                              Operation operation);
  // The same straight from the operands' curves: their areas in one sweep with the operation's.
  static OutlineShape CombineCurves(const std::vector<FlatCurve>& first,
                                    const std::vector<FlatCurve>& second, Operation operation);
  static OutlineArea CombineAreas(const OutlineArea& first, const OutlineArea& second,
                                  Operation operation);
  // The shape cut into pieces along the knife's lines and outlines, with a kerf of the given width
  // left between the pieces.
  static OutlineShape CutAlong(const OutlineShape& shape, const OutlineShape& knife, double kerf);
  // The curve without self-overlaps: each sub-path stands for its own even-odd area; sub-paths
  // that overlap are united, while a sub-path that lies wholly inside an odd number of others
  // stays a hole (even-odd nesting).
  static OutlineShape RemoveSelfOverlaps(const FlatCurve& curve);

  // The area of a clean area, and the length of its rings.
  static double AreaOf(const OutlineArea& area);
  static double PerimeterOf(const OutlineArea& area);
};
