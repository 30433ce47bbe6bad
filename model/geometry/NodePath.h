// CNodePath: the point records of a curve (PointRecord.h, without the end record) as the node tool
// sees them: nodes, the control points that belong to each node, sub-paths that may be closed, and
// the selection bit of each node. It answers the node tool's hit tests and carries out its
// geometric drags on the records in place; structural edits that rebuild the list are
// CNodeRebuild's. Coordinates are the curve's own (node editing works on baked points).
//
// Each control point belongs to one node: the first control of a Bezier segment to the node that
// starts it, the second to the node that ends it. A closed sub-path repeats its first point as its
// closing point (0x40), which is never a node of its own: it follows the first point, and the
// control before it belongs to the first point.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"
#include "model/geometry/PointRecord.h"

class CNodePath {
public:
  // Kinds of a node hit (HitNode).
  enum NodeHit {
    kNoNode = 0,
    kSelectedNode = 1,
    kUnselectedNode = 2,
    kControlAfter = 17,
    kControlBefore = 18
  };
  // Kinds of a segment hit, as the curve keeps them.
  enum SegmentKind : WORD { kNoSegment = 0, kLineSegment = 0x600, kBezierSegment = 0x700 };

  struct Span {
    int start;  // the record with the start bit
    int end;    // the record that ends the sub-path (or the last record of an unfinished one)
    bool closed;
  };
  struct SegmentHit {
    WORD kind;
    int endIndex;  // the node that ends the segment
    int subpathStart;
    float t;
    FPOINT point;  // on the segment at t
  };

  explicit CNodePath(std::vector<POINTREC> records) : m_records(std::move(records)) {}

  const std::vector<POINTREC>& Records() const { return m_records; }
  std::vector<POINTREC>& Records() { return m_records; }
  int Size() const { return static_cast<int>(m_records.size()); }

  bool IsNode(int index) const;
  bool IsControl(int index) const;
  bool IsSelected(int index) const;
  bool IsClosingPoint(int index) const;
  // A node that begins or ends an open sub-path.
  bool IsOpenExtremity(int index) const;
  // The sub-path holding the record; false for a record outside every sub-path.
  bool SpanOf(int index, Span* span) const;
  std::vector<Span> Spans() const;
  // Nodes of the sub-path in order, its closing point left out.
  std::vector<int> NodesOf(const Span& span) const;
  std::vector<int> SelectedNodes() const;
  // The neighbouring nodes of a node along its sub-path, round the loop of a closed one (where the
  // closing point stands for the first point); -1 at an open end.
  int NodeBefore(int index) const;
  int NodeAfter(int index) const;
  // The control points that belong to a node, -1 when that side is straight or absent.
  int ControlBefore(int index) const;
  int ControlAfter(int index) const;

  // Hit tests within tol of (x, y); see the enums for what they answer.
  int HitNode(float x, float y, float tol, int selectedCount, int current, int* kind) const;
  int HitUnselectedNode(float x, float y, float tol) const;
  bool HitSegment(float x, float y, float tol, SegmentHit* hit) const;
  static FPOINT PointOnSegment(const std::vector<POINTREC>& records, int endIndex, float t);

  // Geometric drags. mouse is the pointer's page point, which the Shift snap follows.
  void MoveSelectedNodes(float dx, float dy, bool snap, FPOINT mouse);
  // which is kControlAfter or kControlBefore of the current node; smooth turns the opposite
  // control.
  void MoveControlPoint(int current, float dx, float dy, int which, bool smooth);
  // The segment ending at endIndex, grabbed at t, follows the mouse by (dx, dy).
  void DragSegment(int endIndex, float t, float dx, float dy);
  // Every point of each sub-path holding a selected node, else of the one holding current.
  void MoveSubpaths(float dx, float dy, int current);
  // axis 0 sets x, 1 sets y of each selected node and its control points.
  void SetSelectedCoordinate(float value, int axis);
  // Bounds of the selected nodes; false when none is selected.
  bool SelectedBounds(CFRect* bounds) const;

private:
  void Offset(int index, float dx, float dy);
  // The node with its control points, and the closing point that stands on a first point.
  std::vector<int> NodeWithFollowers(int index) const;

  std::vector<POINTREC> m_records;
};
