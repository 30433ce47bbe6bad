// CLineTool: the tools that drag one straight line from the press to the release: the line tool
// (40093) makes a line block, or opens the line dialog (314) for a click; the measuring tool
// (32841) only reports the distance while it is dragged; the line-cut tool (32834) cuts the
// selected block along the line. Shift snaps the line to horizontal, vertical or 45 degrees.
#pragma once

#include "editor/tools/CreationTool.h"

class CLineTool : public CCreationTool {
public:
  enum State { kIdle, kDragging };
  static constexpr UINT kLineDialog = 314;

  explicit CLineTool(CToolHost* host) : CCreationTool(host) {}

  bool Serves(int tool) const override;
  void OnPress(const Input& input) override;
  void OnDrag(const Input& input) override;
  void OnRelease(const Input& input) override;
  bool Cancel() override;
  bool IsDragging() const override { return m_state == kDragging; }

private:
  void Commit(int tool);

  State m_state = kIdle;
};
