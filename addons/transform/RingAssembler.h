// CRingAssembler: the rings of a sweep's result, built as the sweep goes. While the sweep runs, a
// chain is a run of the boundary with two open ends, each held by the piece of edge that will
// add the next point there; chains grow at their ends, two chains join where their pieces meet,
// and a chain whose ends meet is a ring. The inside always lies on the left of a chain's way.
//
// Each chain starts at a point left of all the rest of it; the ring keeps what its earliest chain
// was told there: whether the ring is a hole, and the piece of boundary found just below that
// point. Rings that touch themselves or others at a point are split there into simple loops.
// Each hole-shaped loop goes to the polygon that holds it: one of its own ring's outer loops that
// contains it, else (for a ring that started as a hole) the polygon of the loop the piece below
// belongs to (that loop's own polygon when it is an outer loop, its holder when it is a hole),
// else the smallest polygon made so far whose outer ring holds it; a hole nothing holds goes.
// Likewise each outer loop knows the hole it lies in, if any. Loops no wider on average than the
// sliver width go alone: an outer loop in a hole that went is part of the polygon that fills the
// hole now (and its holes that polygon's), and one in a hole that nothing held a polygon of its
// own.
//
// Before the area is handed out, Snap looks for parts closer than the snapping reach to each
// other (CSnapRounder); where there are any, the sweep cleans the snapped rings in a sweep of its
// own. So the area handed out is valid for Boost.Geometry at the grid's resolution: polygons of
// simple rings that touch only at corners, without spikes, clockwise outer rings and
// counter-clockwise holes inside them, closed (the last point repeats the first), in page units.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"
#include "addons/transform/SnapRounder.h"
#include "addons/transform/SweepGeometry.h"

class CRingAssembler {
public:
  // A corner of a finished ring in grid units.
  struct Corner {
    double x, y;
    bool joint;
  };
  typedef std::vector<Corner> Loop;

  // Room for about this many points in all.
  void Reserve(std::size_t points) {
    m_at.reserve(points);
    m_links.reserve(points);
  }
  // A new chain of the one point. A joint is a point where the result touches itself: it stays
  // even where the boundary runs straight on. Below is the chain whose open end (its last when
  // forward, else its first) starts the piece of boundary just under the point, or -1.
  int Start(double x, double y, bool joint, bool hole, int below, bool forward);
  void Append(int chain, double x, double y, bool joint);
  void Prepend(int chain, double x, double y, bool joint);
  // Carries the chain on into the first point of other: a ring when they are the same chain,
  // else other becomes part of chain, which takes over its last end and that end's holder.
  void Join(int chain, int other);
  // The chain (or the one it became part of) meets the result elsewhere at one of its points.
  void MarkTouching(int chain);
  // Every call above and below that names a chain that does not exist (a sweep that lost its
  // way) throws std::logic_error: the operation fails rather than read outside the chains.

  // Who holds each open end: the sweep's own numbers, kept here for it.
  int& FirstHolder(int chain) { return At(chain).firstHolder; }
  int& LastHolder(int chain) { return At(chain).lastHolder; }

  // Snaps the rings' corners with the reach (in grid steps) into snapped, ring i from starts[i]
  // on (each running back to its first point), and gives whether that changed more than where
  // corners lie. When it did, a sweep must clean the snapped rings; else the exact corners stay,
  // clear of every other part by the reach (less half a step).
  bool Snap(double reach, std::vector<GridPoint>* snapped, std::vector<size_t>* starts);
  // The closed rings, from grid to page units (page = origin + grid * step), without loops no
  // wider than sliver (grid steps) on average.
  OutlineArea Area(double originX, double originY, double step, double sliver);

private:
  // A point's place is in m_at (where snapping reads it), the rest in m_links.
  struct Link {
    int next;
    bool joint;
  };
  struct Chain {
    int first, last;  // points
    int firstHolder, lastHolder;
    int order;  // when the earliest chain of its ring started
    bool hole;
    int belowPoint;  // where the piece below starts (when belowForward) or ends, or -1
    bool belowForward;
    int into;  // the chain it became part of, or -1
    bool touching;
  };
  // What Area finds out about the ring it works on.
  struct RingLoops {
    std::vector<Loop> loops;
    std::vector<double> sizes;  // twice the area, positive for outer loops
    std::vector<double> perimeters;
    std::vector<int> points;  // the ring's points, and each one's place in the gathered ring
    std::vector<int> places;
    std::vector<int> loopOfSegment;  // by place: the loop holding the segment ending there
  };

  // What Area knows of each loop made so far.
  struct LoopState {
    bool hole;
    bool dropped;
    int polygon;    // an outer loop's polygon or the one covering it (-1 when dropped), a
                    // hole's holder (or -1)
    int container;  // for an outer loop, the hole it lies in, or -1
  };

  // The chain; throws std::logic_error for a number that names none.
  Chain& At(int chain);
  int Root(int chain);
  void Gather(const Chain& chain, RingLoops* ring);
  int LoopBelow(const Chain& chain) const;
  int HolderOf(const Chain& chain, const RingLoops& ring, size_t hole, int firstLoop,
               const OutlineArea& area, double originX, double originY, double step) const;
  int ContainerOf(const Chain& chain, const RingLoops& ring, size_t outer, int firstLoop) const;
  int CoveringPolygon(int container, const Loop& outer, const OutlineArea& area, double originX,
                      double originY, double step) const;

  int AddPoint(double x, double y, int next, bool joint);

  std::vector<CSnapRounder::Corner> m_at;
  std::vector<Link> m_links;
  std::vector<Chain> m_chains;
  std::vector<int> m_rings;
  // While Area runs: by point, the loop of the segment into it and out of it (-1 for none); the
  // loops made.
  std::vector<int> m_loopIn, m_loopOut;
  std::vector<LoopState> m_loops;
};
