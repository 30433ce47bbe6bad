// CTransformLayouts: what the transform, copy and position dialogs compute, apart from their
// windows: the alignment of the selection on the page and the change of the point that stands
// for it, the sizes the scale dialog derives from each other, and the places of multiple copies.
// Coordinates are page units.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"

class CTransformLayouts {
public:
  // ---- Position ----
  // The point of the selection's box that X and Y stand for (no choice, -1, counts as top-left).
  enum Origin { kTopLeft = 0, kBottomLeft, kCentre, kTopRight, kBottomRight };
  enum Alignment { kAlignLeft, kAlignHCentre, kAlignRight, kAlignTop, kAlignVCentre, kAlignBottom };
  struct Page {
    float width;
    float height;
    float marginX;
    float marginY;
  };
  static FPOINT ReferencePoint(const CFRect& box, int origin);
  // The coordinate an alignment button writes (X for the first three, Y for the others) for a
  // selection of size w x h. Without an origin the current value stays.
  static float Align(Alignment alignment, int origin, float w, float h, const Page& page,
                     float current);
  // X, Y of a w x h rectangle described under one origin, rewritten for another.
  static FPOINT ChangeOrigin(FPOINT point, float w, float h, int from, int to);

  // ---- Scale ----
  // The other size and the ratio when one size is typed with the proportions kept; false (and
  // nothing set) when the box has no extent along the typed side.
  static bool RatioFromSize(float typed, float boxTyped, float boxOther, float* other,
                            float* ratio);

  // ---- Multiple copies ----
  // More copies than this at once are refused: they would take minutes and memory to no end.
  static constexpr long long kMaxCopies = 2000;
  // Offsets of every copy but the selection itself at (0, 0), row by row. The gap before
  // column i is field i - 1 of gapsX, the gap after row j field j of gapsY; a missing field
  // repeats the last gap read (0 before any).
  static std::vector<FPOINT> CopyOffsets(float w, float h, int columns, int rows, const char* gapsX,
                                         const char* gapsY);
  // Offsets of a page filled with cells of the given steps.
  static std::vector<FPOINT> GridOffsets(float columnStep, float rowStep, int columns, int rows);
  // How many cells of the object's size plus twice the margin fit the page side, at least 1.
  static int FillCount(float page, float size, float margin);
  // A negative margin is taken as 1.
  static float FillMargin(float margin) { return margin < 0 ? 1.0f : margin; }
  // Whether columns x rows copies can be made at all (both at least 1, not too many).
  static bool CopyCountAllowed(long long columns, long long rows);
};
