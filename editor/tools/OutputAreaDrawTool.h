// COutputAreaDrawTool: the tool (32792) that draws a new output area: press at one corner, drag
// the XOR rectangle to the other, release to add the area through the tracker. A rectangle
// smaller than the drag tolerance in either direction adds nothing.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CBlockView;
class COutputAreaTracker;

class COutputAreaDrawTool {
public:
  static constexpr int kDrawTool = 32792;
  enum State { kIdle, kDragging };
  // Pixels an area must span in each direction.
  static constexpr float kSmallestPixels = 3.0f;

  COutputAreaDrawTool(CBlockView* view, COutputAreaTracker* tracker);

  // Each returns false unless tool 32792 is current (and, after the press, it is dragging).
  bool OnLButtonDown(float x, float y);
  bool OnMouseMove(float x, float y);
  bool OnLButtonUp(float x, float y);
  // Right button or Escape: the rectangle is dropped.
  void Cancel();
  State GetState() const { return m_state; }

private:
  bool IsCurrent() const;
  void DrawBand();

  CBlockView* m_view;
  COutputAreaTracker* m_tracker;
  State m_state;
  CFRect m_band;
};
