#include "model/blocks/CurveNodeEditor.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/ClientDC.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/DragState.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/NodeEditState.h"
#include "model/geometry/NodePath.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoNodeMoveRecord.h"
#include "model/undo/UndoPointRecord.h"
#include "model/undo/UndoPointsRecord.h"
#include "model/undo/UndoScope.h"
#include "model/undo/UndoSegmentDragRecord.h"
#include "model/undo/UndoSubpathMoveRecord.h"

namespace {

// The block's modifier bits of a key.
const UINT kShiftModifier = 4;
const UINT kCtrlModifier = 8;
const int kHitPixels = 3;
const int kPageKeyPixels = 10;

// One undo level for the length of an event, when the view has a manager.
class EventStep {
public:
  explicit EventStep(CBlockView* view) {
    CUndoManager* manager = view ? view->GetUndoManager() : nullptr;
    if (manager) m_scope = std::make_unique<CUndoScope>(*manager);
  }

private:
  std::unique_ptr<CUndoScope> m_scope;
};

void Record(CBlockView* view, CUndoRecord* record) {
  CUndoManager* manager = view ? view->GetUndoManager() : nullptr;
  if (manager && view->GetUndoDepth() != 0)
    manager->AppendRecord(record);
  else
    delete record;
}

bool Recording(CBlockView* view) { return view && view->GetUndoDepth() != 0; }

POINT ToDevice(CBlockView* view, FPOINT p) {
  CMatrix2D* display = view ? view->GetDisplayMatrix() : nullptr;
  if (display) display->TransformPointTo(&p);
  return POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
}

CFRect Normalised(FPOINT a, FPOINT b) {
  return CFRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
}

}  // namespace

CCurveNodeEditor::CCurveNodeEditor(CCurveBlock& curve, CBlockView* view)
    : m_curve(curve), m_view(view), m_state(GetNodeEditState()) {}

int CCurveNodeEditor::Tool() const { return m_view ? m_view->GetCurrentTool() : kNodeTool; }

float CCurveNodeEditor::Pixels(int count) const {
  return static_cast<float>(count * (m_view ? m_view->GetScale() : 1.0));
}

int CCurveNodeEditor::SelectedCount() const {
  return static_cast<int>(CNodePath(m_curve.GetPathRecords()).SelectedNodes().size());
}

void CCurveNodeEditor::PostCommand(UINT command) const {
  HWND window = m_view ? m_view->GetViewWindow() : nullptr;
  if (window) ::PostMessageA(window, WM_COMMAND, command, 0);
}

void CCurveNodeEditor::Repaint() const { m_curve.Invalidate(m_view, FALSE); }

// ---- Mouse slots ----

BOOL CCurveNodeEditor::OnLButtonDown(UINT keyFlags, float x, float y) {
  int tool = Tool();
  if (tool == kSelectTool || tool == kTextTool)
    return m_curve.CBlock::OnLButtonDown(m_view, keyFlags, x, y);
  m_state.Press(x, y);
  EventStep step(m_view);
  switch (tool) {
    case kNodeTool:
      return m_curve.NodeOnLButtonDown(m_view, keyFlags, x, y);
    case kMoveContourTool:
      return MoveContourPress(keyFlags, x, y);
    case kAddNodeTool:
      if (m_curve.HitSegment(m_view, x, y) != CCurveBlock::kNoHit) m_curve.AddNode(m_view);
      return TRUE;
    case kDeleteNodeTool:
      return DeleteNodePress(x, y);
    case kToCurveTool:
    case kToLineTool: {
      m_curve.RedrawSelection(m_view, TRUE);
      WORD kind = m_curve.HitSegment(m_view, x, y);
      if (tool == kToCurveTool && kind == CCurveBlock::kLineHit) m_curve.SegmentToCurve(m_view);
      if (tool == kToLineTool && kind == CCurveBlock::kBezierHit) m_curve.SegmentToLine(m_view);
      m_curve.m_hitParam = -1.0f;
      return TRUE;
    }
    case kContourLineTool:
      return ContourPress(x, y);
    case kReplaceCurveTool:
      // The replace-by-curve tool fixes its points on release.
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CCurveNodeEditor::OnMouseMove(UINT keyFlags, float x, float y) {
  int tool = Tool();
  if (tool == kSelectTool || tool == kTextTool)
    return m_curve.CBlock::OnMouseMove(m_view, keyFlags, x, y);
  if (m_state.dragState == CNodeEditState::kRubberBand) FollowRubberBand(x, y);
  if (tool == kContourLineTool) {
    ContourFollow(x, y);
    return TRUE;
  }
  if (tool == kReplaceCurveTool) {
    if (m_state.clickCount >= 1 && m_state.clickCount <= 2) {
      DrawToolBand();
      m_state.toolPoints[m_state.clickCount] = FPOINT{x, y};
      DrawToolBand();
    }
    return TRUE;
  }
  if (tool == kNodeTool || tool == kMoveContourTool)
    return m_curve.NodeOnMouseMove(m_view, keyFlags, x, y);
  return m_state.dragState == CNodeEditState::kRubberBand;
}

BOOL CCurveNodeEditor::OnLButtonUp(UINT keyFlags, float x, float y) {
  int tool = Tool();
  if (tool == kSelectTool || tool == kTextTool)
    return m_curve.CBlock::OnLButtonUp(m_view, keyFlags, x, y);
  EventStep step(m_view);
  switch (tool) {
    case kNodeTool:
      return m_curve.NodeOnLButtonUp(m_view, keyFlags, x, y);
    case kMoveContourTool:
      if (m_state.dragState == CNodeEditState::kRubberBand) {
        CFRect rect = EndRubberBand();
        m_curve.SelectNodesInRect(m_view, rect.left, rect.top, rect.right, rect.bottom);
      } else if (m_state.dragState == CNodeEditState::kMoveSubpaths) {
        RecordDrag(m_state.dragState, keyFlags);
        Repaint();
      }
      m_state.dragState = CNodeEditState::kIdle;
      return TRUE;
    case kDeleteNodeTool:
      return DeleteNodeRelease();
    case kReplaceCurveTool:
      return ReplaceCurveRelease(x, y);
    case kContourLineTool:
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CCurveNodeEditor::OnRButtonDown(UINT keyFlags, float x, float y) {
  if (Tool() != kNodeTool || !(keyFlags & MK_CONTROL) || (keyFlags & MK_SHIFT)) return FALSE;
  m_state.Press(x, y);
  StartRubberBand(x, y);
  return TRUE;
}

BOOL CCurveNodeEditor::OnRButtonUp(UINT keyFlags, float x, float y) {
  int tool = Tool();
  EventStep step(m_view);
  if (tool == kContourLineTool) return ContourRightRelease();
  if (tool == kReplaceCurveTool) return ReplaceCurveRightRelease();
  bool shiftAlone = (keyFlags & MK_SHIFT) && !(keyFlags & MK_CONTROL);
  if (shiftAlone || m_state.dragState != CNodeEditState::kRubberBand) return FALSE;
  m_state.last = FPOINT{x, y};
  CFRect rect = EndRubberBand();
  m_state.dragState = CNodeEditState::kIdle;
  int kind = 0;
  int node = -1;
  float within = Pixels(kHitPixels);
  if (std::fabs(x - m_state.press.x) < within && std::fabs(y - m_state.press.y) < within)
    node = m_curve.HitNode(m_view, x, y, &kind);
  if (node >= 0 && (kind == CNodePath::kSelectedNode || kind == CNodePath::kUnselectedNode)) {
    SelectAloneAndDelete(node);
    return TRUE;
  }
  m_curve.RedrawSelection(m_view, TRUE);
  m_curve.SelectNodesInRect(m_view, rect.left, rect.top, rect.right, rect.bottom);
  m_curve.NodeDelete(m_view);
  return TRUE;
}

BOOL CCurveNodeEditor::OnLButtonDblClk(UINT, float x, float y) {
  EventStep step(m_view);
  int tool = Tool();
  if (tool == kContourLineTool) return ContourDoubleClick(x, y);
  if (tool != kNodeTool) return FALSE;
  int kind = 0;
  int node = m_curve.HitNode(m_view, x, y, &kind);
  if (node >= 0 && kind <= CNodePath::kUnselectedNode && SelectedCount() == 1)
    return m_curve.BreakNode(m_view);
  if (m_curve.m_hitParam > 0.0f) return m_curve.AddNode(m_view);
  if (SelectedCount() == 1) return m_curve.BreakNode(m_view);
  return FALSE;
}

// ---- The node tool ----

BOOL CCurveNodeEditor::NodePress(UINT keyFlags, float x, float y) {
  m_state.Press(x, y);
  BOOL taken = ChoosePressTarget(keyFlags, x, y);
  // What a drag's undo puts back: the points once the press has chosen what to drag.
  m_state.pointsAtPress = m_curve.GetPathRecords();
  return taken;
}

BOOL CCurveNodeEditor::ChoosePressTarget(UINT keyFlags, float x, float y) {
  int kind = 0;
  int index = m_curve.HitNode(m_view, x, y, &kind);
  bool shift = (keyFlags & MK_SHIFT) != 0;
  CNodePath path(m_curve.GetPathRecords());
  switch (kind) {
    case CNodePath::kNoNode: {
      if (!shift) m_curve.RedrawSelection(m_view, TRUE);
      WORD segment = m_curve.HitSegment(m_view, x, y);
      if (segment == CCurveBlock::kNoHit)
        StartRubberBand(x, y);
      else if (keyFlags & MK_CONTROL)
        m_state.dragState = CNodeEditState::kMoveSubpaths;
      else
        m_state.dragState = segment;
      Repaint();
      return TRUE;
    }
    case CNodePath::kUnselectedNode:
      if (!shift) m_curve.RedrawSelection(m_view, TRUE);
      m_curve.SelectNode(m_view, index);
      m_state.dragState = CNodeEditState::kMoveNodes;
      return TRUE;
    case CNodePath::kSelectedNode:
      m_state.dragState = CNodeEditState::kMoveNodes;
      return TRUE;
    case CNodePath::kControlAfter:
    case CNodePath::kControlBefore: {
      bool after = kind == CNodePath::kControlAfter;
      int current = m_curve.m_currentIndex;
      int owner = after ? index - 1 : index + 1;
      int ownControl = after ? path.ControlAfter(current) : path.ControlBefore(current);
      if (ownControl != index) {
        m_curve.RedrawSelection(m_view, TRUE);
        m_curve.SelectNode(m_view, owner);
      }
      if (Recording(m_view))
        Record(m_view, new CUndoPointRecord(&m_curve, index, path.Records()[index]));
      m_state.dragState = after ? CNodeEditState::kMoveControlAfter
                                : CNodeEditState::kMoveControlBefore;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL CCurveNodeEditor::NodeDrag(UINT keyFlags, float x, float y) {
  if (!(keyFlags & MK_LBUTTON)) return FALSE;
  WORD drag = m_state.dragState;
  if (drag < CNodeEditState::kMoveNodes) return drag == CNodeEditState::kRubberBand;
  FPOINT offset = m_state.Follow(x, y);
  Repaint();
  switch (drag) {
    case CNodeEditState::kMoveNodes:
      m_curve.MoveSelectedNodes(offset.x, offset.y, keyFlags, FPOINT{x, y});
      break;
    case CNodeEditState::kMoveControlAfter:
    case CNodeEditState::kMoveControlBefore:
      m_curve.MoveControlPoint(offset.x, offset.y,
                               drag == CNodeEditState::kMoveControlAfter
                                   ? CNodePath::kControlAfter
                                   : CNodePath::kControlBefore,
                               keyFlags);
      break;
    case CNodeEditState::kDragLine:
    case CNodeEditState::kDragBezier:
      m_curve.DragSegment(offset.x, offset.y);
      break;
    case CNodeEditState::kMoveSubpaths:
      m_curve.MoveSubpaths(offset.x, offset.y);
      break;
    default:
      return FALSE;
  }
  Repaint();
  return TRUE;
}

BOOL CCurveNodeEditor::NodeRelease(UINT keyFlags, float x, float y) {
  WORD drag = m_state.dragState;
  m_state.dragState = CNodeEditState::kIdle;
  switch (drag) {
    case CNodeEditState::kRubberBand: {
      m_state.last = FPOINT{x, y};
      CFRect rect = EndRubberBand();
      m_curve.SelectNodesInRect(m_view, rect.left, rect.top, rect.right, rect.bottom);
      return TRUE;
    }
    case CNodeEditState::kMoveNodes:
      RecordDrag(drag, keyFlags);
      FinishNodeMove(x, y);
      return TRUE;
    case CNodeEditState::kDragLine:
    case CNodeEditState::kDragBezier:
    case CNodeEditState::kMoveSubpaths:
      RecordDrag(drag, keyFlags);
      Repaint();
      return TRUE;
    case CNodeEditState::kMoveControlAfter:
    case CNodeEditState::kMoveControlBefore:
      Repaint();
      return TRUE;
    default:
      return FALSE;
  }
}

void CCurveNodeEditor::RecordDrag(WORD dragState, UINT keyFlags) {
  if (!Recording(m_view) || m_state.pointsAtPress == m_curve.GetPathRecords()) return;
  int current = m_curve.m_currentIndex;
  const auto& before = m_state.pointsAtPress;
  CUndoRecord* record = nullptr;
  if (dragState == CNodeEditState::kMoveNodes)
    record = new CUndoNodeMoveRecord(&m_curve, keyFlags, current, m_state.press, m_state.last,
                                     before);
  else if (dragState == CNodeEditState::kMoveSubpaths)
    record = new CUndoSubpathMoveRecord(&m_curve, keyFlags, current, m_state.press, m_state.last,
                                        before);
  else
    record = new CUndoSegmentDragRecord(&m_curve, keyFlags, current, m_state.press, m_state.last,
                                        before);
  Record(m_view, record);
}

void CCurveNodeEditor::FinishNodeMove(float x, float y) {
  Repaint();
  std::vector<int> selected = CNodePath(m_curve.GetPathRecords()).SelectedNodes();
  if (selected.size() != 1) return;
  int moved = selected[0];
  int target = m_curve.HitUnselectedNode(m_view, x, y);
  if (target < 0) return;
  m_curve.SelectNode(m_view, target);
  if (m_curve.JoinNodes(m_view)) {
    ::MessageBeep(0);
    return;
  }
  // Refused: the dragged node stays the one selected.
  m_curve.RedrawSelection(m_view, TRUE);
  m_curve.SelectNode(m_view, moved);
}

BOOL CCurveNodeEditor::MoveContourPress(UINT keyFlags, float x, float y) {
  int kind = 0;
  int index = m_curve.HitNode(m_view, x, y, &kind);
  if (kind == CNodePath::kUnselectedNode) {
    if (!(keyFlags & MK_SHIFT)) m_curve.RedrawSelection(m_view, TRUE);
    m_curve.SelectNode(m_view, index);
  }
  m_state.pointsAtPress = m_curve.GetPathRecords();
  if (kind == CNodePath::kSelectedNode || kind == CNodePath::kUnselectedNode ||
      m_curve.HitSegment(m_view, x, y) != CCurveBlock::kNoHit) {
    m_state.dragState = CNodeEditState::kMoveSubpaths;
    return TRUE;
  }
  StartRubberBand(x, y);
  return TRUE;
}

BOOL CCurveNodeEditor::DeleteNodePress(float x, float y) {
  int kind = 0;
  int node = m_curve.HitNode(m_view, x, y, &kind);
  if (node >= 0 && kind <= CNodePath::kUnselectedNode) {
    SelectAloneAndDelete(node);
    return TRUE;
  }
  StartRubberBand(x, y);
  return TRUE;
}

BOOL CCurveNodeEditor::DeleteNodeRelease() {
  if (m_state.dragState != CNodeEditState::kRubberBand) return TRUE;
  m_state.dragState = CNodeEditState::kIdle;
  CFRect rect = EndRubberBand();
  m_curve.SelectNodesInRect(m_view, rect.left, rect.top, rect.right, rect.bottom);
  if (SelectedCount() > 0) m_curve.NodeDelete(m_view);
  return TRUE;
}

void CCurveNodeEditor::SelectAloneAndDelete(int node) {
  m_curve.RedrawSelection(m_view, TRUE);
  m_curve.SelectNode(m_view, node);
  m_curve.NodeDelete(m_view);
}

// ---- Rubber band and tool feedback ----

void CCurveNodeEditor::StartRubberBand(float x, float y) {
  m_state.dragState = CNodeEditState::kRubberBand;
  CDragState& drag = GetDragState();
  drag.Press(x, y);
  drag.rubberBandKind = CDragState::kRubberRect;
  CBlock::DrawRubberBand(m_view, nullptr);
}

void CCurveNodeEditor::FollowRubberBand(float x, float y) {
  CDragState& drag = GetDragState();
  CBlock::DrawRubberBand(m_view, nullptr);
  drag.SetCurrent(x, y);
  m_state.last = FPOINT{x, y};
  CBlock::DrawRubberBand(m_view, nullptr);
}

CFRect CCurveNodeEditor::EndRubberBand() {
  CDragState& drag = GetDragState();
  CBlock::DrawRubberBand(m_view, nullptr);
  drag.rubberBandKind = CDragState::kNone;
  return Normalised(m_state.press, m_state.last);
}

void CCurveNodeEditor::DrawToolBand() const {
  HWND window = m_view ? m_view->GetViewWindow() : nullptr;
  WORD drag = m_state.dragState;
  if (!window || drag == CNodeEditState::kIdle) return;
  CClientDC dc(window);
  HDC hdc = dc.GetSafeHdc();
  int rop = ::SetROP2(hdc, R2_NOTXORPEN);
  HGDIOBJ pen = ::SelectObject(hdc, CFeedbackTools::BluePen()->m_hObject);
  POINT p[4];
  for (int i = 0; i < 4; ++i) p[i] = ToDevice(m_view, m_state.toolPoints[i]);
  if (drag == CNodeEditState::kContourLine) {
    ::MoveToEx(hdc, p[0].x, p[0].y, nullptr);
    ::LineTo(hdc, p[1].x, p[1].y);
  } else {
    ::MoveToEx(hdc, p[0].x, p[0].y, nullptr);
    ::LineTo(hdc, p[1].x, p[1].y);
    ::MoveToEx(hdc, p[2].x, p[2].y, nullptr);
    ::LineTo(hdc, p[3].x, p[3].y);
    ::PolyBezier(hdc, p, 4);
  }
  ::SelectObject(hdc, pen);
  ::SetROP2(hdc, rop);
}

FPOINT CCurveNodeEditor::SnapToNode(float x, float y) const {
  int node = m_curve.HitUnselectedNode(m_view, x, y);
  POINTREC record;
  if (node >= 0 && m_curve.GetPoint(node, &record)) return FPOINT{record.x, record.y};
  return FPOINT{x, y};
}

// ---- The contour-line tool ----

void CCurveNodeEditor::StartContourLine() {
  CNodePath path(m_curve.GetPathRecords());
  std::vector<int> selected = path.SelectedNodes();
  if (selected.size() != 1) return;
  if (!path.IsOpenExtremity(selected[0])) {
    m_curve.RedrawSelection(m_view, TRUE);
    m_state.clickCount = 0;
    return;
  }
  const POINTREC& node = path.Records()[selected[0]];
  FPOINT at = {node.x, node.y};
  m_state.SetToolPoints(at);
  m_state.press = m_state.last = at;
  m_state.clickCount = 1;
  m_state.dragState = CNodeEditState::kContourLine;
}

BOOL CCurveNodeEditor::ContourPress(float x, float y) {
  FPOINT point = {x, y};
  DrawToolBand();
  switch (m_state.clickCount) {
    case 0:
      m_state.SetToolPoints(point);
      m_state.dragState = CNodeEditState::kContourLine;
      m_state.clickCount = 1;
      break;
    case 1:
      m_state.toolPoints[1] = m_state.toolPoints[2] = m_state.toolPoints[3] = point;
      m_state.dragState = CNodeEditState::kContourBezier;
      m_state.clickCount = 2;
      break;
    case 2:
      m_state.toolPoints[2] = m_state.toolPoints[3] = point;
      m_state.clickCount = 3;
      break;
    default:
      point = SnapToNode(x, y);
      m_state.toolPoints[3] = point;
      m_curve.AppendBezierSegment(m_view, m_state.toolPoints);
      ContinueContourFrom(point);
      break;
  }
  DrawToolBand();
  return TRUE;
}

void CCurveNodeEditor::ContinueContourFrom(FPOINT point) {
  m_state.SetToolPoints(point);
  m_state.press = point;
  if (SelectedCount() > 0) {
    m_state.dragState = CNodeEditState::kContourLine;
    m_state.clickCount = 1;
  } else {
    m_state.dragState = CNodeEditState::kIdle;
    m_state.clickCount = 0;
  }
}

void CCurveNodeEditor::ContourFollow(float x, float y) {
  DrawToolBand();
  FPOINT point = {x, y};
  FPOINT* p = m_state.toolPoints;
  if (m_state.clickCount <= 1)
    p[1] = p[2] = p[3] = point;
  else if (m_state.clickCount == 2)
    p[2] = p[3] = point;
  else
    p[3] = point;
  DrawToolBand();
}

BOOL CCurveNodeEditor::ContourDoubleClick(float x, float y) {
  if (m_state.clickCount != 2) return FALSE;
  DrawToolBand();
  FPOINT point = SnapToNode(x, y);
  m_curve.AppendLineSegment(m_view, m_state.toolPoints[0], point);
  ContinueContourFrom(point);
  DrawToolBand();
  return TRUE;
}

BOOL CCurveNodeEditor::ContourRightRelease() {
  DrawToolBand();
  if (m_state.clickCount == 2) {
    m_state.clickCount = 1;
    m_state.dragState = CNodeEditState::kContourLine;
    m_state.press = m_state.toolPoints[0];
  } else if (m_state.clickCount < 2) {
    m_state.clickCount = 0;
    m_state.dragState = CNodeEditState::kIdle;
    BackToNodeTool();
    return TRUE;
  } else {
    m_state.clickCount = 2;
  }
  DrawToolBand();
  return TRUE;
}

// ---- The replace-by-curve tool ----

BOOL CCurveNodeEditor::ReplaceCurveRelease(float x, float y) {
  if (m_state.clickCount < 1 || m_state.clickCount > 2) return TRUE;
  DrawToolBand();
  m_state.toolPoints[m_state.clickCount] = FPOINT{x, y};
  if (++m_state.clickCount <= 2) {
    DrawToolBand();
    return TRUE;
  }
  m_curve.ReplaceNodesByCurve(m_view, m_state.toolPoints[1], m_state.toolPoints[2]);
  m_state.clickCount = 0;
  m_state.dragState = CNodeEditState::kIdle;
  BackToNodeTool();
  Repaint();
  return TRUE;
}

BOOL CCurveNodeEditor::ReplaceCurveRightRelease() {
  if (m_state.clickCount < 2) {
    DrawToolBand();
    m_state.clickCount = 0;
    m_state.dragState = CNodeEditState::kIdle;
    BackToNodeTool();
    return TRUE;
  }
  --m_state.clickCount;
  return TRUE;
}

void CCurveNodeEditor::BackToNodeTool() {
  if (m_view) m_view->SetCurrentTool(kNodeTool);
}

// ---- Keys ----

BOOL CCurveNodeEditor::OnChar(UINT ch, UINT) {
  EventStep step(m_view);
  if (Tool() == kContourLineTool) {
    DrawToolBand();
    PostCommand(kNodeTool);
    m_state.dragState = CNodeEditState::kIdle;
    m_state.clickCount = 0;
  }
  switch (ch) {
    case ' ':
      m_curve.ToggleSegmentKind(m_view);
      return TRUE;
    case '+':
      m_curve.AddNode(m_view);
      return TRUE;
    case '-':
      m_curve.NodeDelete(m_view);
      return TRUE;
    case 'A':
    case 'a':
      PostCommand(kContourLineCommand);
      m_state.clickCount = 0;
      Repaint();
      return TRUE;
    case 'C':
    case 'c':
      PostCommand(kReplaceCircleCommand);
      return TRUE;
    case 'D':
    case 'd':
      PostCommand(kDeleteContourCommand);
      return TRUE;
    case 'F':
    case 'f':
      PostCommand(kReplaceSquareCommand);
      return TRUE;
    case 'H':
    case 'h':
      PostCommand(kReplaceCurveCommand);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CCurveNodeEditor::ShortcutKey(UINT ch, UINT) {
  EventStep step(m_view);
  switch (ch) {
    case ' ':
      return m_curve.ToggleSegmentKind(m_view);
    case 'C':
    case 'c':
      return m_curve.ReplaceByCircle(m_view);
    case 'D':
    case 'd':
      return m_curve.DeleteContour(m_view);
    case 'F':
    case 'f':
      return m_curve.ReplaceBySquare(m_view);
    case 'H':
    case 'h':
      return m_curve.ReplaceByCurve(m_view);
    default:
      return ch >= VK_PRIOR && ch <= VK_DOWN ? Nudge(ch, 0) : FALSE;
  }
}

BOOL CCurveNodeEditor::OnKeyDown(UINT key, UINT modifiers) {
  if (key < VK_PRIOR || key > VK_DOWN) return FALSE;
  EventStep step(m_view);
  return Nudge(key, modifiers);
}

BOOL CCurveNodeEditor::Nudge(UINT key, UINT modifiers) {
  std::vector<POINTREC> before = m_curve.GetPathRecords();
  CNodePath path(before);
  CFRect bounds;
  if ((modifiers & kShiftModifier) && path.SelectedNodes().size() > 1 &&
      path.SelectedBounds(&bounds)) {
    if (Recording(m_view)) Record(m_view, new CUndoPointsRecord(&m_curve));
    if (key == VK_LEFT || key == VK_RIGHT)
      m_curve.SetSelectedCoordinate(m_view, (bounds.left + bounds.right) / 2.0f, 0);
    else if (key == VK_UP || key == VK_DOWN)
      m_curve.SetSelectedCoordinate(m_view, (bounds.top + bounds.bottom) / 2.0f, 1);
    return TRUE;
  }
  float pixel = Pixels(1), page = Pixels(kPageKeyPixels);
  float dx = 0.0f, dy = 0.0f;
  switch (key) {
    case VK_PRIOR:
      dy = -page;
      break;
    case VK_NEXT:
      dy = page;
      break;
    case VK_END:
      dx = page;
      break;
    case VK_HOME:
      dx = -page;
      break;
    case VK_LEFT:
      dx = -pixel;
      break;
    case VK_UP:
      dy = -pixel;
      break;
    case VK_RIGHT:
      dx = pixel;
      break;
    default:
      dy = pixel;
      break;
  }
  Repaint();
  m_state.pointsAtPress = before;
  FPOINT from = m_state.last;
  m_state.press = from;
  m_state.last = FPOINT{from.x + dx, from.y + dy};
  if (modifiers & kCtrlModifier) {
    m_curve.MoveSubpaths(dx, dy);
    RecordDrag(CNodeEditState::kMoveSubpaths, 0);
  } else if (!path.SelectedNodes().empty()) {
    m_curve.MoveSelectedNodes(dx, dy, 0, m_state.last);
    RecordDrag(CNodeEditState::kMoveNodes, 0);
  }
  Repaint();
  return TRUE;
}
