// CRingAssembler: the rings of a sweep's result, built as the sweep goes. While the sweep runs, a
// chain is a run of the boundary with two open ends, each held by the piece of edge that will
// add the next point there; chains grow at their ends, two chains join where their pieces meet,
// and a chain whose ends meet is a ring. The inside always lies on the left of a chain's way.
//
// Each chain starts at a point left of all the rest of it; the ring keeps what its earliest chain
// was told there: whether the ring is a hole, and for a hole the chain found just below that
// point, whose ring (or that ring's polygon, when it is a hole itself) holds the hole. Rings that
// touch themselves or others at a point are split there into simple rings, so that the area
// handed out is valid for Boost.Geometry: polygons with clockwise outer rings and counter-
// clockwise holes, closed (the last point repeats the first), in page units.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

class CRingAssembler {
public:
  // A corner of a finished ring in grid units.
  struct Corner {
    double x, y;
    bool joint;
  };
  typedef std::vector<Corner> Loop;

  // Room for about this many points in all.
  void Reserve(std::size_t points) { m_points.reserve(points); }
  // A new chain of the one point; below is the chain just under it, for a hole. A joint is a
  // point where the result touches itself: it stays even where the boundary runs straight on.
  int Start(double x, double y, bool joint, bool hole, int below);
  void Append(int chain, double x, double y, bool joint);
  void Prepend(int chain, double x, double y, bool joint);
  // Carries the chain on into the first point of other: a ring when they are the same chain,
  // else other becomes part of chain, which takes over its last end and that end's holder.
  void Join(int chain, int other);
  // The chain (or the one it became part of) meets the result elsewhere at one of its points.
  void MarkTouching(int chain);

  // Who holds each open end: the sweep's own numbers, kept here for it.
  int& FirstHolder(int chain) { return m_chains[chain].firstHolder; }
  int& LastHolder(int chain) { return m_chains[chain].lastHolder; }

  // The closed rings, from grid to page units (page = origin + grid * step).
  OutlineArea Area(double originX, double originY, double step);

private:
  struct Point {
    double x, y;
    int next;
    bool joint;
  };
  struct Chain {
    int first, last;  // points
    int size;         // how many
    int firstHolder, lastHolder;
    int order;  // when the earliest chain of its ring started
    bool hole;
    int below;
    int into;  // the chain it became part of, or -1
    bool closed, touching;
  };

  int Root(int chain);
  // The ring's simple loops into loops[0 .. n), reusing their buffers; gives n.
  std::size_t LoopsOf(const Chain& chain, std::vector<Loop>* loops);

  std::vector<Point> m_points;
  std::vector<Chain> m_chains;
  std::vector<int> m_rings;
  Loop m_gathered;
};
