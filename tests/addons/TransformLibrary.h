// Helpers of the transform library's tests: the stand-in DLL as the program folder holds it,
// outlines made as curve records, and results measured by reading them back with the model.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "media/WeldDll.h"
#include "model/geometry/FRect.h"

class CBlock;
class CCurveBlock;

namespace addon_test {

// The library as the build puts it into the program folder.
extern const char kLibraryPath[];

// A curve of closed rectangles (each left, top, right, bottom), as one outline.
CCurveBlock* Rectangles(const std::vector<CFRect>& rectangles, DWORD colour = 0);

// An operand holding the block's record (the block stays the caller's); Free releases it.
WeldOperand OperandOf(CBlock* block);
void Free(WeldOperand& operand);

// The block a result holds; the memory is freed. Null for null.
CBlock* TakeResult(HGLOBAL result);
// The filled area of a block's outlines (even-odd within a curve, united across curves).
double AreaOf(CBlock* block);
// The bytes of a memory block, to tell whether a call changed it.
std::vector<BYTE> BytesOf(HGLOBAL memory);

}  // namespace addon_test
