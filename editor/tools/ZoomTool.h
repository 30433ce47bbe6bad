// CZoomTool: the zoom tools. Zoom-in (40112) zooms to a dragged box, or for a click to a quarter
// of the visible width and height around the point (Ctrl: three times as much); zoom-out (40113)
// shows three times the visible width and height around the clicked point (Ctrl: a quarter).
#pragma once

#include "editor/tools/CreationTool.h"

class CZoomTool : public CCreationTool {
public:
  enum State { kIdle, kDragging };

  explicit CZoomTool(CToolHost* host) : CCreationTool(host) {}

  bool Serves(int tool) const override;
  void OnPress(const Input& input) override;
  void OnDrag(const Input& input) override;
  void OnRelease(const Input& input) override;
  bool Cancel() override;
  bool IsDragging() const override { return m_state == kDragging; }

private:
  State m_state = kIdle;
};
