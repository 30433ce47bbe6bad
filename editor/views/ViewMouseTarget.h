// CViewMouseTarget: one of the things in the main drawing view that the mouse reaches before, or
// as, the current tool: the output-area tracker, the selection tracker and the tool itself (the
// block under edit and the guide lines are reached by the view directly). Each event carries the
// key flags, the page point and the pixel; a handler answers TRUE when it took the event, which
// ends the routing. A target may also draw what it shows over the drawing when the view paints.
#pragma once

#include <windows.h>

class CDC;
class CMatrix2D;

class CViewMouseTarget {
public:
  struct Event {
    UINT flags;
    float x;
    float y;
    POINT pixel;
  };

  virtual ~CViewMouseTarget() = default;

  // FALSE: the event goes on to the next target.
  virtual BOOL OnLButtonDown(const Event&) { return FALSE; }
  virtual BOOL OnMouseMove(const Event&) { return FALSE; }
  virtual BOOL OnLButtonUp(const Event&) { return FALSE; }
  virtual BOOL OnLButtonDblClk(const Event&) { return FALSE; }
  virtual BOOL OnRButtonDown(const Event&) { return FALSE; }
  virtual BOOL OnRButtonUp(const Event&) { return FALSE; }
  // Nothing; the selection tracker draws its frame and handles.
  virtual void Draw(CDC*, CMatrix2D*) {}
};
