// Cutting curves at the edges of a box, for the cut preview and the strips of a cut job.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CBlock;
class CCurveBlock;

// A new curve of the block's colour holding the parts of the curve inside the box (edges
// included); null when the block is not a curve or fewer than two records are kept. The source
// is not changed; its points are taken as stored (callers bake its matrix first).
CCurveBlock* ClipCurveBlockToBox(CBlock* block, float left, float top, float right, float bottom);

// Moves the ends of the straight segment that lie outside the box onto its edges, each end from
// the coordinates both had on entry. 1 when both ends are inside or could be placed; else 0 and
// the points are unchanged.
int ClipSegmentToBox(FPOINT* first, FPOINT* second, float left, float top, float right,
                     float bottom);
