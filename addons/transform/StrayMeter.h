// CStrayMeter: for pairs of groups of a winding sweep (CWindingSweep::StrayAreas), the size of the
// area where the first group's area (the inner) holds a point and the second's (the outer) does
// not: how much of the inner strays outside the outer. The sweep makes no area for it: at each
// stop it asks which pairs to follow there (PairsAt), and where a piece of edge leaves p with
// the pair's area on one side only it opens the piece here, with which side; the piece's end
// closes it. Each area is the shoelace sum over its pieces, taken from the inner's first point
// so that pieces far from the grid's centre lose nothing to rounding. Grid units.
#pragma once

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <utility>
#include <vector>

#include "addons/transform/SweepGeometry.h"

class CStrayMeter {
public:
  typedef std::pair<int, int> Pair;  // inner, outer

  // The pairs, and by group its box and first point on the grid.
  CStrayMeter(const std::vector<Pair>& pairs, const std::vector<GridPoint>& lows,
              const std::vector<GridPoint>& highs, const std::vector<GridPoint>& firsts);

  const Pair& PairAt(int pair) const { return m_pairs[pair]; }
  // Appends the pairs of the group that can have area at p: every pair it is the inner of, and
  // those it is the outer of whose inner's box holds p.
  void PairsAt(int group, const SweepPoint& p, std::vector<int>* pairs) const;
  // A piece of the edge leaves p with the pair's area above it (+1) or below it (-1) only.
  void Open(int edge, const SweepPoint& p, int pair, int side);
  // The edge's pieces end at p.
  void Close(int edge, const SweepPoint& p);
  // By pair, its area in grid steps squared.
  std::vector<double> Areas() const;

private:
  typedef boost::geometry::model::point<double, 2, boost::geometry::cs::cartesian> Point;
  typedef boost::geometry::model::box<Point> Box;
  typedef std::pair<Box, int> Entry;  // an inner's box, its pair
  struct Piece {
    int pair, side;
  };
  // A group that is the outer of more pairs than this finds them through the tree.
  static const size_t kListed = 8;

  bool BoxHolds(int group, const SweepPoint& p) const;

  std::vector<Pair> m_pairs;
  std::vector<GridPoint> m_lows, m_highs, m_firsts;
  std::vector<std::vector<int>> m_asInner, m_asOuter;
  boost::geometry::index::rtree<Entry, boost::geometry::index::rstar<16>> m_inners;
  std::vector<std::vector<Piece>> m_open;         // by edge: its open pieces
  std::vector<std::pair<double, double>> m_from;  // by edge: where they started
  std::vector<double> m_sums;                     // by pair: twice its area
};
