// COutlineCombiner: welding, cutting, intersecting and exclusive-or of two blocks, and the cut of
// a block by each contour of a curve, through the transform library's entries. The library is
// bound for each call and let go afterwards; the blocks go over as their records and the result
// comes back as a record that is read into a new block.
//
// Ownership: the blocks given are never changed, deleted or returned; every result is a new block
// the caller owns. A null result (no library, an entry that answers nothing, a record that cannot
// be read) means the caller leaves its document as it was.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CBlock;
class CCurveBlock;

class COutlineCombiner {
public:
  // The status text sent while contours are cut, with the contour's number and the count.
  static const char kContourProgress[];

  // libraryPath: where the transform library is; null looks for it by its own name.
  explicit COutlineCombiner(LPCSTR libraryPath = nullptr);

  // command: 32830 weld, 32831 cut a by b, 32832 intersection, 32833 exclusive or.
  CBlock* WeldPair(UINT command, CBlock* a, CBlock* b);
  // The block cut by every sub-path of the curve in turn (the library's contour cut with the
  // parameter), reporting progress to the main window. Null when the curve has no sub-path or
  // any cut fails: a part-done result is never handed on.
  CBlock* WeldEachContour(CBlock* block, const CCurveBlock* curve, int parameter);

  // Sub-paths of the curve: points whose sub-path bits are the start bit alone.
  static int CountSubpaths(const CCurveBlock& curve);

private:
  CString m_libraryPath;
};
