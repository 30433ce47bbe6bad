// CBoxTool: the tools that drag a box from corner to corner: the rectangle tool (40096) makes a
// rectangle block and the circle tool (40097) an ellipse in the box. A click opens the tool's
// typed-input dialog (190 or 191) instead; a box flat in either direction makes nothing. Shift
// makes the box a square. The table tool (40107) drags the same box but always ends in the table
// dialog (166), whose table starts at the press point; the library tool (40075) ends in the
// library browser (124), which places its graphic into the box.
#pragma once

#include "editor/tools/CreationTool.h"

class CBoxTool : public CCreationTool {
public:
  enum State { kIdle, kDragging };
  static constexpr UINT kRectangleDialog = 190;
  static constexpr UINT kCircleDialog = 191;
  static constexpr UINT kTableDialog = 166;
  static constexpr UINT kLibraryDialog = 124;

  explicit CBoxTool(CToolHost* host) : CCreationTool(host) {}

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
