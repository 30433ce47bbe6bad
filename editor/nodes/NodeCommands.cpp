#include "editor/nodes/NodeCommands.h"

#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/NodePath.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoScope.h"

namespace {

enum : UINT {
  kAddNode = 40119,
  kDeleteNode = 40120,
  kBreakNode = 40121,
  kJoinNodes = 40122,
  kToCurve = 40141,
  kToLine = 40142,
  kDeleteContour = 40165,
  kReplaceCircle = 40166,
  kReplaceSquare = 40167,
  kReplaceCurve = 40168,
  kContourLine = 32855,
  kMoveContour = 32862,
};

size_t SelectedNodes(const CCurveBlock& curve) {
  return CNodePath(curve.GetPathRecords()).SelectedNodes().size();
}

BOOL DeleteNodes(CCurveBlock& curve, CBlockView* view) {
  curve.NodeDelete(view);
  return TRUE;
}

}  // namespace

CNodeCommands::CNodeCommands(CBlockView& view, CBlock* editBlock, std::function<void(int)> useTool)
    : m_view(view), m_editBlock(editBlock), m_useTool(std::move(useTool)) {}

bool CNodeCommands::IsNodeCommand(UINT id) {
  return (id >= kAddNode && id <= kJoinNodes) || id == kToCurve || id == kToLine ||
         (id >= kDeleteContour && id <= kReplaceCurve) || id == kContourLine || id == kMoveContour;
}

CNodeCommands::Outcome CNodeCommands::Run(UINT id) {
  if (!IsNodeCommand(id)) return kNotNodeCommand;
  if (!m_editBlock || m_editBlock->m_type != kCurveBlock || m_editBlock->m_editMode != kNodeTool)
    return kNoCurve;
  return RunOnCurve(*static_cast<CCurveBlock*>(m_editBlock), id);
}

CNodeCommands::Outcome CNodeCommands::Choose(int tool) {
  if (m_useTool) m_useTool(tool);
  return kToolChosen;
}

CNodeCommands::Outcome CNodeCommands::RunOrChoose(BOOL canRun,
                                                  BOOL (CCurveBlock::*operation)(CBlockView*),
                                                  CCurveBlock& curve, int tool) {
  if (!canRun) return Choose(tool);
  CUndoScope step(*m_view.GetUndoManager());
  return (curve.*operation)(&m_view) ? kRan : kRefused;
}

CNodeCommands::Outcome CNodeCommands::RunOnCurve(CCurveBlock& curve, UINT id) {
  bool segmentHit = curve.m_hitParam >= 0.0f;
  size_t selected = SelectedNodes(curve);
  switch (id) {
    case kAddNode:
      return RunOrChoose(segmentHit, &CCurveBlock::AddNode, curve, kAddNode);
    case kDeleteNode: {
      if (selected == 0) return Choose(kDeleteNode);
      CUndoScope step(*m_view.GetUndoManager());
      DeleteNodes(curve, &m_view);
      return kRan;
    }
    case kBreakNode:
      return RunOrChoose(selected == 1, &CCurveBlock::BreakNode, curve, kBreakNode);
    case kJoinNodes: {
      if (selected < 2) return kRefused;
      CUndoScope step(*m_view.GetUndoManager());
      return curve.JoinNodes(&m_view) ? kRan : kRefused;
    }
    case kToCurve:
      return RunOrChoose(segmentHit, &CCurveBlock::SegmentToCurve, curve, kToCurve);
    case kToLine:
      return RunOrChoose(segmentHit, &CCurveBlock::SegmentToLine, curve, kToLine);
    case kDeleteContour:
    case kReplaceCircle:
    case kReplaceSquare: {
      if (selected == 0) return kRefused;
      CUndoScope step(*m_view.GetUndoManager());
      BOOL done = id == kDeleteContour   ? curve.DeleteContour(&m_view)
                  : id == kReplaceCircle ? curve.ReplaceByCircle(&m_view)
                                         : curve.ReplaceBySquare(&m_view);
      return done ? kRan : kRefused;
    }
    case kReplaceCurve:
      if (!curve.ReplaceByCurve(&m_view)) return kRefused;
      return Choose(kReplaceCurve);
    case kContourLine:
      Choose(kContourLine);
      curve.ExecCommand(&m_view, kContourLine);
      return kToolChosen;
    default:
      return Choose(kMoveContour);
  }
}
