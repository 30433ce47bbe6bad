// CCreationTool: the base of the drawing view's creation tools. Each tool is a small state machine
// driven by the view with page points: a press starts it, drags move its XOR feedback (through the
// program's one CToolState), the release commits once, and Cancel (the right button or Escape in
// the middle of a drag) backs out without making anything. Finish ends what is in progress when
// the user changes tools.
#pragma once

#include <windows.h>

#include "editor/tools/ToolHost.h"
#include "editor/tools/ToolState.h"

class CCreationTool {
public:
  struct Input {
    UINT flags;
    FPOINT point;
    POINT pixel;
  };
  // The read-outs the tools send to the main frame.
  static constexpr UINT kSizeReadout = 32839;
  static constexpr UINT kMeasureReadout = 32842;

  explicit CCreationTool(CToolHost* host) : m_host(host) {}
  virtual ~CCreationTool() = default;
  CCreationTool(const CCreationTool&) = delete;
  CCreationTool& operator=(const CCreationTool&) = delete;

  // Whether this object is the tool of a command id.
  virtual bool Serves(int tool) const = 0;
  virtual void OnPress(const Input& input) = 0;
  // A move with the left button down.
  virtual void OnDrag(const Input& input) = 0;
  virtual void OnRelease(const Input& input) = 0;
  // Backs out of a drag; true when there was one.
  virtual bool Cancel() = 0;
  // Nothing; the multi-click tools commit the shape they were building.
  virtual void Finish() {}
  // Whether the left button is down on this tool.
  virtual bool IsDragging() const = 0;

protected:
  // Draws the feedback of the code over the tool state's points.
  void Show(WORD code);
  // Erases whatever feedback is on the screen.
  void Hide();
  // The pointer moved: erase, take the point (Shift-constrained for the tool), report the size,
  // draw again.
  void Follow(const Input& input);
  // The point with the tool's Shift constraint applied.
  FPOINT Constrained(const Input& input) const;
  bool IsClick() const;

  CToolHost* m_host;
};
