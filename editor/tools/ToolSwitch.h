// CToolSwitch: which tool a right click in the drawing view switches to. The selection and text
// tools toggle; the output-area drawing tool goes back to the area selection; the node tool's
// sub-tools go back to the node tool; the curve-replace tool returns to the node tool while it is
// replacing; everything else goes back to the selection tool.
#pragma once

class CToolSwitch {
public:
  // The node sub-tools switch back directly (with the cursor) rather than through a command.
  enum How { kByCommand, kDirectly };
  struct Target {
    int tool;
    How how;
  };

  static Target OnRightClick(int tool, int multiClick);
  static bool IsNodeSubTool(int tool);
};
