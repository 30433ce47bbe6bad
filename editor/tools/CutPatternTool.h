// CCutPatternTool: the cut-pattern tools used with the mouse (parallel 32835, radial 32836, ring
// 32837). While the button is down the first pass of the pattern follows the pointer as the
// view's feedback block; the release builds both passes at the release point and either adds them
// to the document or cuts the selection by them, as the tool's settings say, and hands the view
// back to the selection tool. Escape or the right button in the drag drops the pattern.
#pragma once

#include "editor/tools/CreationTool.h"

class CCutPatternTool : public CCreationTool {
public:
  enum State { kIdle, kPlacing };

  explicit CCutPatternTool(CToolHost* host) : CCreationTool(host) {}

  bool Serves(int tool) const override;
  void OnPress(const Input& input) override;
  void OnDrag(const Input& input) override;
  void OnRelease(const Input& input) override;
  bool Cancel() override;
  bool IsDragging() const override { return m_state == kPlacing; }

private:
  // Replaces the feedback pattern by the first pass at the point and shows it.
  void ShowPatternAt(const FPOINT& point);
  void DropPattern();

  State m_state = kIdle;
};
