// CMultiClickTool: the tools that build one curve click by click: the polygon (40095), the
// polyline (40099) and the Bezier curve (40103). Each click adds its point to the feedback curve
// and a line follows the pointer from the last point while the button is down. Changing tools
// (a right click does) finishes the curve: the polygon closed, the polyline open, the Bezier
// curve smoothed through its points; a curve with too few points is dropped. Escape drops the
// build.
#pragma once

#include "editor/tools/CreationTool.h"

class CCurveBlock;

class CMultiClickTool : public CCreationTool {
public:
  enum State { kIdle, kPlacing, kBetweenClicks };

  explicit CMultiClickTool(CToolHost* host) : CCreationTool(host) {}

  bool Serves(int tool) const override;
  void OnPress(const Input& input) override;
  void OnDrag(const Input& input) override;
  void OnRelease(const Input& input) override;
  bool Cancel() override;
  void Finish() override;
  bool IsDragging() const override { return m_state == kPlacing; }
  State GetState() const { return m_state; }

private:
  void AddPoint(const FPOINT& point);
  CCurveBlock* Completed(CCurveBlock* curve) const;
  void Drop();

  State m_state = kIdle;
  // The tool that started the build decides how it ends.
  int m_kind = 0;
  int m_points = 0;
};
