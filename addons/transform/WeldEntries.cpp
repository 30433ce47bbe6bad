// The library's welding and cutting entries. Each takes 40-byte operand descriptors (record
// length, box, box, record handle) and gives new memory holding the result's block record, which
// the caller frees, or null: for a missing or damaged operand, for an empty result, and for
// anything the geometry refuses. The operands are read and left as they were.
#include <windows.h>

#include <vector>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineBuilder.h"
#include "addons/transform/ShapeRecords.h"
#include "media/WeldDll.h"
#include "model/blocks/CurveBlock.h"

namespace {

// The kerf a line cut leaves between its pieces unless told otherwise: far below the device step,
// so the pieces meet on the media.
const double kHairlineKerf = 0.001;

HGLOBAL CombinePair(const WeldOperand* first, const WeldOperand* second,
                    COutlineBoolean::Operation operation) {
  try {
    std::vector<FlatCurve> a, b;
    if (!CShapeRecords::ReadOperand(first, &a) || !CShapeRecords::ReadOperand(second, &b))
      return nullptr;
    OutlineShape result = COutlineBoolean::CombineCurves(a, b, operation);
    DWORD colour = 0;
    WORD attributes = 0;
    CShapeRecords::StyleOf(a.empty() ? b : a, &colour, &attributes);
    return CShapeRecords::Hand(COutlineBuilder::BuildCurve(result, colour, attributes));
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

extern "C" {

HGLOBAL __cdecl dllWeld(const WeldOperand* first, const WeldOperand* second) {
  return CombinePair(first, second, COutlineBoolean::kUnion);
}

HGLOBAL __cdecl dllWeldCut(const WeldOperand* first, const WeldOperand* second) {
  return CombinePair(first, second, COutlineBoolean::kDifference);
}

HGLOBAL __cdecl dllWeldAnd(const WeldOperand* first, const WeldOperand* second) {
  return CombinePair(first, second, COutlineBoolean::kIntersection);
}

HGLOBAL __cdecl dllWeldXor(const WeldOperand* first, const WeldOperand* second) {
  return CombinePair(first, second, COutlineBoolean::kExclusiveOr);
}

// The shape cut along the knife's lines and outlines into separate pieces (a group of curves, or
// one curve). A positive parameter is the kerf in hundredths of a page unit.
HGLOBAL __cdecl dllLineCut(const WeldOperand* shape, const WeldOperand* knife, int parameter) {
  try {
    std::vector<FlatCurve> curves, knives;
    if (!CShapeRecords::ReadOperand(shape, &curves) || !CShapeRecords::ReadOperand(knife, &knives))
      return nullptr;
    double kerf = parameter > 0 ? parameter / 100.0 : kHairlineKerf;
    OutlineShape pieces = COutlineBoolean::CutAlong(COutlineBoolean::ShapeOf(curves),
                                                    COutlineBoolean::ShapeOf(knives), kerf);
    DWORD colour = 0;
    WORD attributes = 0;
    CShapeRecords::StyleOf(curves, &colour, &attributes);
    return CShapeRecords::Hand(COutlineBuilder::BuildPieces(pieces, colour, attributes));
  } catch (...) {
    return nullptr;
  }
}

// The parts of the group's outlines inside the window's area, one curve per outline that keeps
// anything (with its colour), as a group or a lone curve. The parameter is not used.
HGLOBAL __cdecl dllFigureCut(const WeldOperand* group, const WeldOperand* window, int) {
  try {
    std::vector<FlatCurve> curves, frame;
    if (!CShapeRecords::ReadOperand(group, &curves) || !CShapeRecords::ReadOperand(window, &frame))
      return nullptr;
    std::vector<CBlock*> kept;
    for (const FlatCurve& curve : curves) {
      OutlineShape clipped = COutlineBoolean::CombineCurves(std::vector<FlatCurve>(1, curve), frame,
                                                            COutlineBoolean::kIntersection);
      if (CBlock* piece = COutlineBuilder::BuildCurve(clipped, curve.colour, curve.attributes))
        kept.push_back(piece);
    }
    return CShapeRecords::HandAll(kept);
  } catch (...) {
    return nullptr;
  }
}

// Every outline of the shape without its self-overlaps, each with its colour.
HGLOBAL __cdecl dllSelfWeld(const WeldOperand* shape) {
  try {
    std::vector<FlatCurve> curves;
    if (!CShapeRecords::ReadOperand(shape, &curves)) return nullptr;
    std::vector<CBlock*> welded;
    for (const FlatCurve& curve : curves) {
      OutlineShape clean = COutlineBoolean::RemoveSelfOverlaps(curve);
      if (CBlock* piece = COutlineBuilder::BuildCurve(clean, curve.colour, curve.attributes))
        welded.push_back(piece);
    }
    return CShapeRecords::HandAll(welded);
  } catch (...) {
    return nullptr;
  }
}

}  // extern "C"
