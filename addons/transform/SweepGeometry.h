// CSweepGeometry: the exact tests of the winding sweep (CWindingSweep) on its integer grid. Edges
// run between grid points whose coordinates lie within +-2^28, so every difference fits 30 bits
// and every cross product of two differences 61 bits: the tests on grid points are exact in 64-bit
// arithmetic. Where two edges cross, the crossing point is a fraction; the sweep carries it as the
// nearest doubles (within kCrossingError of the truth) and the two edges it comes from, and the
// tests on it decide from the doubles when the answer is clear by more than their error, else
// exactly from the fractions, in integers modulo 2^128 (CModularInteger): what is left for them
// is small enough to be exact there. No test depends on the floating-point state of the thread
// (the x87's precision), and nothing is ever rounded to the grid, so the sweep never sees edges
// move.
//
// The sweep runs in the lexicographic order of points (x, then y): a vertical edge is crossed as
// if it leaned ever so slightly, and "below" an edge means smaller y (or, for a vertical edge, the
// side of larger x). Edges are stored running forward in that order.
#pragma once

#include <cstdint>
#include <vector>

struct GridPoint {
  std::int32_t x, y;
};

inline bool operator==(const GridPoint& a, const GridPoint& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const GridPoint& a, const GridPoint& b) { return !(a == b); }

// The point's place in the sweep as one number: comparing keys compares points by x, then y.
inline std::uint64_t KeyOf(const GridPoint& p) {
  return (std::uint64_t(std::uint32_t(p.x) ^ 0x80000000u) << 32) |
         (std::uint32_t(p.y) ^ 0x80000000u);
}
inline GridPoint PointOfKey(std::uint64_t key) {
  return GridPoint{std::int32_t(std::uint32_t(key >> 32) ^ 0x80000000u),
                   std::int32_t(std::uint32_t(key) ^ 0x80000000u)};
}

// An edge from one grid point to a later one (dx > 0, or dx == 0 and dy > 0).
struct SweepLine {
  GridPoint from, to;
  std::int32_t dx, dy;
  bool IsVertical() const { return dx == 0; }
};

// A point the sweep stops at: a grid point, or where two edges cross (first and second, indices
// into the edges the geometry was given).
struct SweepPoint {
  double x, y;
  bool crossing;
  GridPoint grid;
  int first, second;
};

class CSweepGeometry {
public:
  // How far the doubles of a crossing point may lie from the fraction, in grid steps.
  static const double kCrossingError;

  // The edges crossing points refer to by index; the geometry keeps a reference to them.
  explicit CSweepGeometry(const std::vector<SweepLine>& lines) : m_lines(lines) {}

  static SweepPoint AtGrid(const GridPoint& p);
  // Where the lines first and second cross (they must cross properly).
  SweepPoint Crossing(int first, int second) const;
  // Whether the two lines cross at a point inside both (not at an end of either, and not along
  // a common part).
  bool CrossProperly(int first, int second) const;

  // The order of the sweep: the sign of p - q by x, then y. The doubles decide most of it here;
  // points nearer than their error go to the exact test.
  int Compare(const SweepPoint& p, const SweepPoint& q) const {
    if (!p.crossing && !q.crossing) {
      const std::uint64_t a = KeyOf(p.grid), b = KeyOf(q.grid);
      return (a > b) - (a < b);
    }
    const double error = ((p.crossing ? 1 : 0) + (q.crossing ? 1 : 0)) * kCrossingError;
    if (p.x < q.x - error) return -1;
    if (p.x > q.x + error) return 1;
    return CompareNear(p, q);
  }
  // Which side of the line's supporting line p lies on: 1 above, -1 below, 0 on it.
  int Side(int line, const SweepPoint& p) const;
  // The order just after a common point of two lines through it: 1 when second runs above
  // first, -1 below, 0 when they run along each other.
  int Turn(int first, int second) const;

  const SweepLine& Line(int index) const { return m_lines[index]; }

private:
  // For points whose doubles lie within their error of each other in x.
  int CompareNear(const SweepPoint& p, const SweepPoint& q) const;
  int CompareExactly(const SweepPoint& p, const SweepPoint& q) const;
  int SideExactly(const SweepLine& line, const SweepPoint& p) const;

  const std::vector<SweepLine>& m_lines;
};
