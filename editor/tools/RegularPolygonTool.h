// CRegularPolygonTool: the regular polygon tool (40104). The press puts a polygon of radius 0 at
// the point as the view's feedback block; dragging sizes it to the smaller side of the dragged
// box; the release adds it to the document. The corner count, the outline width and whether the
// polygon is a sharp star come from the profile. A click adds nothing.
#pragma once

#include "editor/tools/CreationTool.h"

class CPolygonBlock;

class CRegularPolygonTool : public CCreationTool {
public:
  enum State { kIdle, kSizing };
  static constexpr float kUpright = 1.5707963f;

  explicit CRegularPolygonTool(CToolHost* host) : CCreationTool(host) {}

  bool Serves(int tool) const override;
  void OnPress(const Input& input) override;
  void OnDrag(const Input& input) override;
  void OnRelease(const Input& input) override;
  bool Cancel() override;
  bool IsDragging() const override { return m_state == kSizing; }

private:
  CPolygonBlock* Polygon() const;
  void Resize(const FPOINT& point);

  State m_state = kIdle;
};
