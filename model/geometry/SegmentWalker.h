// CSegmentWalker: the one decoder of the 9-byte outline records (PointRecord.h). Fed the records
// of a contour or a curve in order, it says what each one adds to the path: the end record that
// ends the list, another special record (a pen colour), a control point that waits for its node,
// a move to a sub-path's first point, or the straight or cubic Bezier segment that a node ends.
// Drawing, hit testing, plotter and path text, clipping, cutting and engraving all read the
// records through it, so that they agree on what an outline is.
//
// The rules: a node (bit 0 set) with the sub-path start bit 0x10, or the first node of the walk,
// is a move. Any other node ends a segment from the node before it: a Bezier piece when exactly
// two control points stand between them, else a straight segment (a lone control point, or more
// than two, does not make a curve). Special records leave the walk as it was.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"
#include "model/geometry/PointRecord.h"

class CSegmentWalker {
public:
  enum Kind { kEnd, kSpecial, kControl, kMove, kLine, kBezier };

  // Points are mapped through the matrix when one is given (it must outlive the walker).
  explicit CSegmentWalker(const CMatrix2D* matrix = nullptr);

  Kind Step(const POINTREC& record);

  // After a move, line or Bezier: the segment's start, two controls and end, mapped. A line's
  // controls are its ends; a move's four points are all the point moved to.
  const FPOINT* Points() const { return m_points; }
  const FPOINT& End() const { return m_points[3]; }
  // The same four records as they are stored, flags included.
  const POINTREC* Records() const { return m_records; }
  // The node stepped last ended its sub-path (0x20 or 0x40 set).
  bool EndsSubpath() const { return IsSubpathEnd(m_records[3].flags); }
  bool ClosesSubpath() const { return (m_records[3].flags & kPointClose) != 0; }
  // After a line or Bezier: whether (x, y) lies within the tolerance of the segment (the segment
  // and Bezier hit tests of Geometry.h and Bezier.h); false for every other kind of step.
  bool SegmentHit(Kind kind, float x, float y, float tolerance) const;

private:
  FPOINT Mapped(const POINTREC& record) const;

  const CMatrix2D* m_matrix;
  FPOINT m_points[4];
  POINTREC m_records[4];
  int m_controls;
  bool m_haveNode;
};
