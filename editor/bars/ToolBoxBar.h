// CToolBoxBar: the tool box docked on the left of the main frame. Its buttons follow the current
// tool: the ordinary tools (resource 128), the node-editing tools (192) or the output-area tools
// (200, one column of wide buttons). A right click on a tool sends that tool's companion command
// (select all for the selection tool, cancel rotation for rotate, ...) to the main window before
// the button's own handling. The tool itself belongs to the view, which calls SetToolMode when it
// changes.
#pragma once

#include "framework/ToolBar.h"

class CToolBoxBar : public CToolBar {
  DECLARE_DYNAMIC(CToolBoxBar)
public:
  // Button sets, named by the command of their first tool.
  static constexpr UINT kOrdinaryMode = 40070;
  static constexpr UINT kNodeMode = 40118;
  static constexpr UINT kOutputAreaMode = 40024;
  // The button id that SetColumns turns into a separator.
  static constexpr UINT kPlaceholder = 65535;

  CToolBoxBar() = default;

  // Chooses the button set for a tool command and lays the bar out in its columns.
  void SetToolMode(UINT tool);
  // Wraps the buttons into rows of n.
  void SetColumns(int n);
  UINT GetMode() const { return m_mode; }
  int GetColumns() const { return m_columns; }
  // The command a right click on a button sends first; 0 for none. Shift chooses between the two
  // companions of the node tool.
  static UINT CompanionCommand(UINT button, bool shift);
  // The button whose rectangle holds the client point (the first in button order), or -1.
  int ButtonAt(CPoint point) const;

protected:
  void OnRButtonDown(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

private:
  static bool IsOutputAreaTool(UINT tool);
  static bool IsNodeTool(UINT tool);

  int m_columns = 2;
  UINT m_mode = 0;  // none before the first SetToolMode
};
