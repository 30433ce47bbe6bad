// The values the bitmap tracer works on, in pixels of the picture: x to the right, y downwards,
// the origin at the picture's top-left corner (the corner of its first pixel, so pixel (i, j)
// covers the square from (i, j) to (i + 1, j + 1)). Boundaries run along the pixels' edges;
// fitted outlines are closed paths of straight and cubic Bezier segments. Nothing here needs
// Windows, so the tracer also builds with the host compiler (the benchmark's native build).
#pragma once

#include <cmath>
#include <vector>

struct TracePoint {
  double x = 0.0;
  double y = 0.0;
};

inline TracePoint operator+(TracePoint a, TracePoint b) { return {a.x + b.x, a.y + b.y}; }
inline TracePoint operator-(TracePoint a, TracePoint b) { return {a.x - b.x, a.y - b.y}; }
inline TracePoint operator*(TracePoint a, double s) { return {a.x * s, a.y * s}; }
inline double Dot(TracePoint a, TracePoint b) { return a.x * b.x + a.y * b.y; }
inline double Cross(TracePoint a, TracePoint b) { return a.x * b.y - a.y * b.x; }
inline double Length(TracePoint a) { return std::sqrt(Dot(a, a)); }
// The unit vector of a, or a itself when it has no length.
inline TracePoint Unit(TracePoint a) {
  double length = Length(a);
  return length > 0.0 ? a * (1.0 / length) : a;
}

// One corner of the pixel lattice on a boundary.
struct LatticePoint {
  int x = 0;
  int y = 0;
};

// A closed boundary between filled and empty pixels: the lattice corners it passes, one unit step
// apart, the first not repeated at the end. The filled pixels lie on the right of the direction
// of travel (seen with y downwards), so outer boundaries and holes run opposite ways.
using LatticeLoop = std::vector<LatticePoint>;

// A straight segment or a cubic Bezier piece ending at end; controls only for a Bezier piece.
struct TraceSegment {
  bool bezier = false;
  TracePoint control1;
  TracePoint control2;
  TracePoint end;
};

// A closed outline: it starts at start and its last segment ends there again.
struct TracedOutline {
  TracePoint start;
  std::vector<TraceSegment> segments;
};
