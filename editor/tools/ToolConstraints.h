// CToolConstraints: the arithmetic of the creation tools, kept apart from any window: the Shift
// constraints of lines and boxes, the click test, and the boxes the zoom tools zoom to. Distances
// are page units; scale is page units per pixel.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CToolConstraints {
public:
  // A release this many pixels or less from the press, in both directions, is a click.
  static constexpr double kClickPixels = 3.0;
  // A zoom-in drag must span more than this many pixels one way to zoom to its box.
  static constexpr double kZoomDragPixels = 4.0;
  // Half-sides of the box a zoom click shows, as shares of the visible extent: a quarter of the
  // visible width and height around the point (four times larger), or three times as much.
  static constexpr double kCloserHalfSide = 0.125;
  static constexpr double kFartherHalfSide = 1.5;

  // Tools whose Shift constraint snaps a line; tools whose Shift constraint makes a square.
  static bool IsLineTool(int tool);
  static bool IsBoxTool(int tool);

  // Shift on a line: horizontal when |dx| is at least twice |dy|, vertical when at most half,
  // else the 45-degree diagonal whose legs are both the smaller of |dx| and |dy|.
  static FPOINT ConstrainLine(const FPOINT& start, const FPOINT& end);
  // Shift on a box: both sides the smaller of |dx| and |dy|, each keeping its direction.
  static FPOINT ConstrainBox(const FPOINT& start, const FPOINT& end);
  static FPOINT Constrain(int tool, const FPOINT& start, const FPOINT& end);

  // Whether the pointer came back within the click distance of the press, whichever way it went.
  static bool IsClick(const FPOINT& start, const FPOINT& end, double scale);

  // The box of a zoom-in release: the dragged box when it is large enough, else the box around
  // the point (the farther one with Ctrl). visible is the visible extent in pixels.
  static CFRect ZoomInBox(const FPOINT& start, const FPOINT& end, SIZE visible, double scale,
                          bool ctrl);
  // The box of a zoom-out click: three times the visible extent around the point, a quarter
  // with Ctrl.
  static CFRect ZoomOutBox(const FPOINT& point, SIZE visible, double scale, bool ctrl);

private:
  static CFRect AroundPoint(const FPOINT& point, SIZE visible, double scale, double share);
};
