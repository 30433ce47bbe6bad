// CNodeRebuild: the node tool's structural edits of a curve's point records (without the end
// record): each takes the records and the node or segment it works on, and answers the new list of
// records or false when the edit does not apply. What is kept keeps its coordinates exactly; the
// selection bits are cleared wherever the edit ends the selection. The records are laid out as
// CNodePath describes them.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"
#include "model/geometry/PointRecord.h"

class CNodeRebuild {
public:
  using Records = std::vector<POINTREC>;

  // A node at t on the segment ending at endIndex (a de Casteljau split of a Bezier); the new
  // node's index goes to *node.
  static bool AddNode(Records* records, int endIndex, float t, int* node);
  // The selected nodes deleted; a sub-path left with fewer than two nodes goes altogether.
  static Records DeleteSelected(const Records& records);
  // The straight segment ending at endIndex as a Bezier with controls at its thirds, and back.
  static bool SegmentToCurve(Records* records, int endIndex);
  static bool SegmentToLine(Records* records, int endIndex);
  // The path opened at the node; the new sub-path or sub-paths come first.
  static bool BreakAt(const Records& records, int node, Records* result);
  // Joins two sub-path ends (starts or open ends); merged ones meet at their midpoint.
  static bool Join(const Records& records, int first, int second, bool merge, Records* result);
  // Sub-paths holding a selected node removed, or replaced by the inscribed ellipse or the bounds.
  static Records DeleteSelectedSubpaths(const Records& records);
  static Records ReplaceSelectedByCircle(const Records& records);
  static Records ReplaceSelectedBySquare(const Records& records);
  // The run of selected nodes of the first sub-path that has one, between the unselected nodes
  // P0 (*before) and P3 (*after); false when the sub-path has no unselected node.
  static bool FindSelectedRun(const Records& records, int* before, int* after);
  // That run replaced by the Bezier before, c1, c2, after.
  static bool ReplaceRunByCurve(const Records& records, FPOINT c1, FPOINT c2, Records* result);
  // Draws a segment from the one selected end node (*node, -1 for a new sub-path): a line to
  // points[1], or a Bezier through points[1], points[2] to points[3]. The new end comes out
  // selected in *node; *closed tells that the segment met the sub-path's other end and closed it.
  static void AppendSegment(Records* records, const FPOINT points[4], bool bezier, int* node,
                            bool* closed);
  // Bounds of the sub-path from its start up to but not including its last record.
  static bool RecordBounds(const Records& records, int start, CFRect* bounds);
  // The four Bezier quarters of the ellipse inscribed in the box, starting and ending at its left.
  static void AppendEllipse(Records* records, const CFRect& box);
};
