// COutlineBoolean: the Boolean operations on flattened outlines behind welding, cutting and the
// figure cut. Areas follow the even-odd rule within a curve and the union across curves (see
// OutlineTypes.h), for any outline: self-crossing, touching or overlapping rings all go through
// one winding sweep (CWindingSweep), and every area handed out is clean (rings that neither cross
// nor overlap). Open lines take part as lines, cut by one sweep of all the curves with the
// sweep's own rule, however the curves are shared between the operands: a union keeps the parts
// of each curve's lines outside every other curve's area, a difference the first operand's lines
// likewise, an intersection the parts of either operand's lines inside the other's area (and
// outside the other curves of its own), an exclusive or the same as a union. A line along the
// edge of another area goes from a union and stays in an intersection.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

class COutlineBoolean {
public:
  enum Operation { kUnion, kDifference, kIntersection, kExclusiveOr };

  // The filled area and lines of the curves, all united.
  static OutlineShape ShapeOf(const std::vector<FlatCurve>& curves);
  // One curve's area: its rings by the even-odd rule.
  static OutlineArea EvenOddArea(const FlatCurve& curve);

  // The operation on the operands' curves: their areas in one sweep, their lines in another.
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
