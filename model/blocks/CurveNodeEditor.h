// CCurveNodeEditor: the node tool and its sub-tools working on the one curve under edit. The curve
// hands each mouse, key and character event to a short-lived editor on itself and its view; the
// editor dispatches on the view's current tool and runs the node tool's state machine, whose state
// lives in the program's one CNodeEditState (the curve's own selection and hit fields live in the
// curve). Every event that changes the curve runs inside one undo level of the view.
//
// Tools: 40118 the node tool (select, drag nodes, control points, segments, Ctrl for sub-paths),
// 32862 move contours, 40119 add node, 40120 delete node, 40141 / 40142 segment to Bezier / to
// line, 32855 the contour-line tool, 40168 the replace-by-curve tool. The select and text tools
// keep the base block's handling.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CBlockView;
class CCurveBlock;
class CNodeEditState;

class CCurveNodeEditor {
public:
  enum : int {
    kMoveContourTool = 32862,
    kContourLineTool = 32855,
    kAddNodeTool = 40119,
    kDeleteNodeTool = 40120,
    kToCurveTool = 40141,
    kToLineTool = 40142,
    kReplaceCurveTool = 40168,
  };
  // Commands the letter keys post to the view.
  enum : UINT {
    kDeleteContourCommand = 40165,
    kReplaceCircleCommand = 40166,
    kReplaceSquareCommand = 40167,
    kReplaceCurveCommand = 40168,
    kContourLineCommand = 32855,
  };

  CCurveNodeEditor(CCurveBlock& curve, CBlockView* view);

  // The block's mouse slots, by the view's current tool.
  BOOL OnLButtonDown(UINT keyFlags, float x, float y);
  BOOL OnMouseMove(UINT keyFlags, float x, float y);
  BOOL OnLButtonUp(UINT keyFlags, float x, float y);
  BOOL OnRButtonDown(UINT keyFlags, float x, float y);
  BOOL OnRButtonUp(UINT keyFlags, float x, float y);
  BOOL OnLButtonDblClk(UINT keyFlags, float x, float y);

  // The node tool's own press, drag and release.
  BOOL NodePress(UINT keyFlags, float x, float y);
  BOOL NodeDrag(UINT keyFlags, float x, float y);
  BOOL NodeRelease(UINT keyFlags, float x, float y);

  // Letter keys; movement keys (33..40) with the block's modifier bits (4 Shift, 8 Ctrl).
  BOOL OnChar(UINT ch, UINT flags);
  BOOL OnKeyDown(UINT key, UINT modifiers);
  BOOL ShortcutKey(UINT ch, UINT flags);

  // The contour-line tool was chosen: it continues from one selected open end when there is one.
  void StartContourLine();

private:
  int Tool() const;
  float Pixels(int count) const;
  int SelectedCount() const;
  void PostCommand(UINT command) const;
  void Repaint() const;

  void StartRubberBand(float x, float y);
  // Erases the band and answers its normalised rectangle.
  CFRect EndRubberBand();
  void FollowRubberBand(float x, float y);
  void DrawToolBand() const;
  // The point moved onto an unselected node under it, when there is one.
  FPOINT SnapToNode(float x, float y) const;

  // What the node tool's press takes: a node, a handle, a segment or the start of a band.
  BOOL ChoosePressTarget(UINT keyFlags, float x, float y);
  BOOL MoveContourPress(UINT keyFlags, float x, float y);
  BOOL DeleteNodePress(float x, float y);
  BOOL DeleteNodeRelease();
  void SelectAloneAndDelete(int node);
  void RecordDrag(WORD dragState, UINT keyFlags);
  void FinishNodeMove(float x, float y);

  BOOL ContourPress(float x, float y);
  void ContourFollow(float x, float y);
  BOOL ContourDoubleClick(float x, float y);
  BOOL ContourRightRelease();
  void ContinueContourFrom(FPOINT point);
  BOOL ReplaceCurveRelease(float x, float y);
  BOOL ReplaceCurveRightRelease();
  void BackToNodeTool();

  BOOL Nudge(UINT key, UINT modifiers);

  CCurveBlock& m_curve;
  CBlockView* m_view;
  CNodeEditState& m_state;
};
