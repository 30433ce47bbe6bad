// CDockContext: dragging a control bar by its gripper or background. While the button is held a
// tracking rectangle follows the mouse; released near an edge the bar may dock on, the bar docks
// there, elsewhere it floats in a mini frame. A double click toggles between floating and the
// last docked place.
#pragma once

#include "framework/Rect.h"

class CControlBar;

class CDockContext {
public:
  explicit CDockContext(CControlBar* bar);
  ~CDockContext();
  CDockContext(const CDockContext&) = delete;
  CDockContext& operator=(const CDockContext&) = delete;

  // Points are in screen coordinates.
  void StartDrag(CPoint point);
  void Move(CPoint point);
  void EndDrag(CPoint point);
  void CancelDrag();
  void ToggleDocking();
  BOOL IsDragging() const { return m_dragging; }

  // Where a drop at point goes: the dock bar's id, 0 to float; rect gets the bar's new place.
  UINT DropTarget(CPoint point, CRect* rect) const;

  CPoint m_ptMRUFloatPos = CPoint(-1, -1);  // last floating place of the bar
  UINT m_uMRUDockID = 0;                    // the dock bar it was last docked in

private:
  void DrawTracker(const CRect& rect);
  void EraseTracker();
  void StopTracking();

  CControlBar* m_pBar;
  bool m_dragging = false;
  bool m_moved = false;
  CPoint m_start;
  CRect m_startRect;
  CRect m_tracker;
  bool m_trackerShown = false;
};
