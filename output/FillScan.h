// The run scan of the 2-D fill: one row of a one-bit raster (packed, the leftmost pixel in the
// high bit of the first byte, as a top-down DIB keeps it) becomes the runs of ink pixels that the
// engraver removes, each one straight line. Whole bytes without ink, and whole bytes of ink
// inside a run, are passed over at once: a fill of a large page scans billions of pixels.
#pragma once

#include <windows.h>

#include <vector>

// One run of ink pixels in the order it is engraved: from start to end, both inclusive. A run
// found left to right has start <= end, one found right to left start >= end.
struct FillRun {
  int start;
  int end;
  bool operator==(const FillRun& other) const { return start == other.start && end == other.end; }
};

// The runs of pixels whose bit is inkBit (0 or 1) among the first width pixels of row, found
// left to right, or right to left when backward is set. runs is replaced.
void ScanFillRow(const BYTE* row, int width, int inkBit, bool backward, std::vector<FillRun>& runs);
