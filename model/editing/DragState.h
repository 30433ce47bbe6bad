// CDragState: the one drag in progress in the whole program. Handle and control-point drags of
// every block and the curve's node tools share it; only one drag runs at a time.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CDragState {
public:
  // Rubber-band kinds: the low four bits choose the pen, the rest the shape.
  enum : WORD {
    kPenMask = 0x000F,
    kNone = 0,
    kLine = 16,         // 16-19
    kRectangle = 32,    // 32-35
    kEllipse = 48,      // 48-51
    kBezier = 160,      // 160-163
    kBezierDone = 163,  // the segment is complete and no longer follows the mouse
    kRubberRect = 544,  // the node tool's selection rectangle, blue dotted
  };
  enum { kBezierPoints = 4 };

  CDragState() { Reset(); }
  void Reset();
  // Press point and current point at (x, y), not yet moved.
  void Press(float x, float y);
  void SetCurrent(float x, float y);
  // Whether (x, y) lies outside the dead zone of the given size around the press point.
  bool LeavesDeadZone(float x, float y, double tolerance) const;
  WORD Shape() const { return static_cast<WORD>(rubberBandKind & ~kPenMask); }

  FPOINT press;
  FPOINT current;
  int moved;
  WORD rubberBandKind;
  // The Bezier segment a rubber band draws: anchor, control, control, anchor.
  FPOINT bezier[kBezierPoints];
  // Index of the Bezier point that follows the mouse.
  int bezierIndex;
};

// The program's one drag state.
CDragState& GetDragState();
