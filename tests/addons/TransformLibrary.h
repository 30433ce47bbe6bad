// Helpers of the transform library's tests: the stand-in DLL as the program folder holds it,
// outlines made as curve records, and results measured by reading them back with the model.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "media/WeldDll.h"
#include "model/geometry/FRect.h"

class CBlock;
class CCurveBlock;
struct FlatCurve;

namespace addon_test {

// The library as the build puts it into the program folder.
extern const char kLibraryPath[];

// A curve of closed rectangles (each left, top, right, bottom), as one outline.
CCurveBlock* Rectangles(const std::vector<CFRect>& rectangles, DWORD colour = 0);
// The points of a ring or a line as the tests draw them (mm).
typedef std::vector<std::pair<double, double>> Path;
// One curve of closed rings (a ring of two points or on one line is still closed), then open
// lines.
CCurveBlock* Outline(const std::vector<Path>& rings, const std::vector<Path>& lines = {});
// A flattened curve's rings and lines as the tests draw them.
std::vector<Path> RingsOf(const FlatCurve& curve);
std::vector<Path> LinesOf(const FlatCurve& curve);
// The record of a group holding the block (the group takes it), as the outline thickness dialog
// hands it over.
HGLOBAL GroupRecordOf(CBlock* block);

// An operand holding the block's record (the block stays the caller's); Free releases it.
WeldOperand OperandOf(CBlock* block);
void Free(WeldOperand& operand);

// The block a result holds; the memory is freed. Null for null.
CBlock* TakeResult(HGLOBAL result);
// The blocks (taken) welded in one call, all but the last as one group, as the editor's weld of a
// selection hands them over; with self, all of them as one group welded with itself.
CBlock* WeldAll(const CWeldDll& weld, const std::vector<CBlock*>& blocks, bool self = false);
// The filled area of a block's outlines (even-odd within a curve, united across curves).
double AreaOf(CBlock* block);
// The bytes of a memory block, to tell whether a call changed it.
std::vector<BYTE> BytesOf(HGLOBAL memory);

}  // namespace addon_test
