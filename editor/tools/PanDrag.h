// CPanDrag: an Alt-drag in the drawing view, in any tool: a line follows the pointer from the
// press, and the release moves the picture by the drag in pixels. A drag of less than three pixels
// both ways moves nothing.
#pragma once

#include "editor/tools/CreationTool.h"

class CPanDrag : public CCreationTool {
public:
  enum State { kIdle, kDragging };
  static constexpr int kLeastPixels = 3;

  explicit CPanDrag(CToolHost* host) : CCreationTool(host) {}

  // Any tool: the view decides by the Alt key.
  bool Serves(int) const override { return true; }
  void OnPress(const Input& input) override;
  void OnDrag(const Input& input) override;
  void OnRelease(const Input& input) override;
  bool Cancel() override;
  bool IsDragging() const override { return m_state == kDragging; }

private:
  State m_state = kIdle;
  POINT m_pressPixel = {0, 0};
};
