// CTraceRecord: the traced outlines as the block record the tracing and vectorising libraries
// hand back: one curve block (closed sub-paths in pixels of the picture, its top-left corner at
// the origin, y downwards; no matrix; colour 0) in new movable global memory that the caller owns.
// Outlines beyond what one curve record may hold go on in further curves, and then the record is
// a group of those curves. Only a single outline longer than a whole curve record can hold (some
// 65,000 segments) cannot be stored and is left out.
#pragma once

#include <windows.h>

#include <vector>

#include "addons/trace/TraceTypes.h"

class CBlock;

class CTraceRecord {
public:
  // Point records one curve of the result holds at most, its end record included.
  static int CurveCapacity();

  // The block of the outlines (a curve, or a group of curves); null when there are none.
  static CBlock* MakeBlock(const std::vector<TracedOutline>& outlines, int curveCapacity);
  // The block's record in new memory; null when there are no outlines.
  static HGLOBAL Write(const std::vector<TracedOutline>& outlines);

  // Point records of an outline in a curve.
  static int RecordsOf(const TracedOutline& outline);
};
