// CCreationTools: the current-tool target of the main drawing view. It hands the view's mouse
// events to the creation tool of the current tool id (lines, boxes, multi-click curves, the
// regular polygon, zooming), an Alt-drag in any tool to the pan drag, and turns a right click into
// the tool switch. A right press in the middle of a drag backs out of the drag instead, and its
// release switches nothing.
#pragma once

#include <memory>
#include <vector>

#include "editor/tools/CreationTool.h"
#include "editor/tools/PanDrag.h"
#include "editor/views/ViewMouseTarget.h"

class CCreationTools : public CViewMouseTarget {
public:
  explicit CCreationTools(CToolHost* host);
  ~CCreationTools() override;

  BOOL OnLButtonDown(const Event& event) override;
  BOOL OnMouseMove(const Event& event) override;
  BOOL OnLButtonUp(const Event& event) override;
  BOOL OnRButtonDown(const Event& event) override;
  BOOL OnRButtonUp(const Event& event) override;
  BOOL OnLButtonDblClk(const Event& event) override;

  // Escape: backs out of what the current tool has in progress; false when there was nothing.
  bool Cancel();
  // The current tool is being left: what it was building is committed.
  void Finish();
  // The creation tool of a command id; null for the tools that are not creation tools.
  CCreationTool* ToolFor(int tool) const;

private:
  static CCreationTool::Input InputOf(const Event& event);

  CToolHost* m_host;
  std::vector<std::unique_ptr<CCreationTool>> m_tools;
  CPanDrag m_pan;
  // The tool that took the last press, until its release.
  CCreationTool* m_pressed = nullptr;
  bool m_rightBackedOut = false;
};
