// CNodeCommands: the node-edit commands of the main drawing view (40119-40122, 40141, 40142,
// 40165-40168, 32855, 32862) on the curve under edit. Each command either runs its curve operation
// at once, when what it needs is there (a hit segment, selected nodes), or makes its own tool the
// view's current tool so that the next click carries it out. The view calls Run with the command
// id; nothing happens while no curve is under edit.
#pragma once

#include <windows.h>

#include <functional>

class CBlock;
class CBlockView;
class CCurveBlock;

class CNodeCommands {
public:
  enum Outcome { kNotNodeCommand, kNoCurve, kRan, kToolChosen, kRefused };

  // useTool makes a node sub-tool current directly (its cursor shown, the node tool's editing
  // left running), as the view does for these tools.
  CNodeCommands(CBlockView& view, CBlock* editBlock, std::function<void(int)> useTool);

  static bool IsNodeCommand(UINT id);
  Outcome Run(UINT id);

private:
  Outcome RunOnCurve(CCurveBlock& curve, UINT id);
  Outcome RunOrChoose(BOOL canRun, BOOL (CCurveBlock::*operation)(CBlockView*), CCurveBlock& curve,
                      int tool);
  Outcome Choose(int tool);

  CBlockView& m_view;
  CBlock* m_editBlock;
  std::function<void(int)> m_useTool;
};
