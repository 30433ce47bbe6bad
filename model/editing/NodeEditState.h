// CNodeEditState: what the node tool is doing with the one curve under edit, shared program-wide
// since only one curve is edited at a time: the drag the left button started, the press and last
// mouse points, the points placed so far by the contour-line and replace-by-curve tools, and the
// curve's points as the press found them (so that a drag's undo puts them back exactly).
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"
#include "model/geometry/PointRecord.h"

class CNodeEditState {
public:
  // What the left button is doing.
  enum : WORD {
    kIdle = 0,
    kContourLine = 19,     // the contour-line tool: a line follows the mouse from P0
    kReplaceCurve = 161,   // the replace-by-curve tool places its two control points
    kContourBezier = 163,  // the contour-line tool places a Bezier's controls and end
    kRubberBand = 544,
    kMoveNodes = 768,
    kMoveControlAfter = 1024,
    kMoveControlBefore = 1280,
    kDragLine = 1536,
    kDragBezier = 1792,
    kMoveSubpaths = 2048,
  };

  CNodeEditState() { Reset(); }
  void Reset();
  // The press and last points at (x, y).
  void Press(float x, float y);
  // The offset from the last point to (x, y), which becomes the last point.
  FPOINT Follow(float x, float y);
  void SetToolPoints(FPOINT p) {
    toolPoints[0] = toolPoints[1] = toolPoints[2] = toolPoints[3] = p;
  }

  WORD dragState;
  FPOINT press;
  FPOINT last;
  int clickCount;
  FPOINT toolPoints[4];
  std::vector<POINTREC> pointsAtPress;
};

// The program's one node-edit state.
CNodeEditState& GetNodeEditState();
