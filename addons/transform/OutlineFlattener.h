// COutlineFlattener: turns blocks into flattened outlines. A block of any kind is converted to
// curves the way the program converts it for cutting; groups give every curve inside them with
// the groups' matrices applied; Bezier segments become straight pieces that stay within the
// tolerance of the curve (finer than the 0.025 mm device step of the plotters).
#pragma once

#include <windows.h>

#include <vector>

#include "addons/transform/OutlineTypes.h"

class CBlock;
class CCurveBlock;
class CMatrix2D;

class COutlineFlattener {
public:
  // Largest distance of a straight piece from the curve it stands for, in page units.
  static const double kTolerance;

  // One entry per curve inside the block, in drawing order; the block itself is not changed.
  static std::vector<FlatCurve> Flatten(CBlock* block);
  // The curve's sub-paths with its matrix (and outer, when given) applied.
  static FlatCurve FlattenCurve(const CCurveBlock& curve, const CMatrix2D* outer);

private:
  static void Collect(CBlock* block, const CMatrix2D* outer, std::vector<FlatCurve>* curves);
};
