// CLinePieces: the parts of open lines that a winding sweep keeps (CWindingSweep::LinesOutside).
// Each segment of a line is one edge of the sweep. At every stop on it the sweep says whether the
// part from there to its next stop is kept; kept parts in a row make one piece, so a line is cut
// only where it enters or leaves what cuts it, never where it merely passes a corner. At the end
// the pieces go back into each line's own order and direction, joined where a line runs on kept
// through one of its corners; a piece's end is the line's own corner where it ends at one (as the
// line gave it, not rounded to the grid) and else the exact point of the stop.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"
#include "addons/transform/SweepGeometry.h"

class CLinePieces {
public:
  // The sweep's edge is the segment of the line from its corner start to its corner end (indices
  // into the line's points); reversed when the edge runs from end to start. Edges come in the
  // order of the lines and of their segments.
  void AddSegment(int edge, int line, int start, int end, bool reversed);
  // The edge stands for the whole line (too short for the grid to see): the line stays whole
  // where any of the edge is kept, else it goes.
  void AddProbe(int edge, int line);

  // At a stop p on the edge (whose line is given): the part from p on is kept or not.
  void Continue(int edge, const SweepLine& line, const SweepPoint& p, bool kept);
  // The edge ends at p.
  void End(int edge, const SweepLine& line, const SweepPoint& p);

  // The kept pieces of the lines, in page units (page = origin + grid * step). A piece cut from
  // its line no longer than the dust (in grid steps) goes: it is what the grid's rounding leaves
  // where a line crosses a sliver.
  OutlineLines Pieces(const std::vector<OutlineLine>& lines, double originX, double originY,
                      double step, double dust) const;

private:
  // A piece's end: a corner of its line, or a point in grid units.
  struct Place {
    int corner;
    double x, y;
  };
  struct Segment {
    int line, start, end;
    bool reversed, whole;
    bool open;    // a kept piece runs from begin to the current stop
    Place begin;  // while open
  };
  struct Piece {
    int segment;
    Place from, to;  // in the sweep's direction
  };

  Place PlaceOf(const Segment& segment, const SweepLine& line, const SweepPoint& p) const;
  void Close(Segment* segment, int index, const SweepLine& line, const SweepPoint& p);

  std::vector<int> m_segmentOf;  // by edge: its segment, or -1
  std::vector<Segment> m_segments;
  std::vector<Piece> m_pieces;  // in the order they were closed
};
