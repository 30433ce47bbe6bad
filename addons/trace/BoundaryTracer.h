// CBoundaryTracer: finds every boundary between filled and empty pixels of a byte plane (one byte
// per pixel, non-zero filled), outer boundaries and the boundaries of holes alike, by following
// the pixels' edges from a first edge found by a row scan. Filled pixels that touch only at a
// corner belong to one shape (so thin diagonal strokes stay whole), which makes the empty pixels
// of a hole touching only at a corner separate holes. Everything outside the plane is empty.
//
// Each edge between a filled and an empty pixel is on exactly one boundary; the tracer marks the
// vertical ones it has followed so that each boundary is found once. Time and memory grow with
// the number of pixels plus the boundaries' length.
#pragma once

#include <cstdint>
#include <vector>

#include "addons/trace/TraceTypes.h"

class CBoundaryTracer {
public:
  // The plane's rows run from the picture's bottom row when bottomUp is set (the order of a
  // device-independent bitmap), else from its top row. The plane is copied; width and height
  // must be positive and the plane must hold width x height bytes.
  CBoundaryTracer(const std::uint8_t* plane, int width, int height, bool bottomUp);

  // Every boundary, in the order of their first edges row by row; boundaries that enclose no
  // more than speckArea pixels (by the area inside them) are left out.
  std::vector<LatticeLoop> TraceAll(int speckArea);

  // The area a boundary encloses: positive for an outer boundary, negative for a hole's.
  static double SignedArea(const LatticeLoop& loop);

private:
  bool Filled(int x, int y) const { return m_pixels[Index(x, y)] != 0; }
  // Pixels are kept with a frame of one empty pixel, so that x = -1 .. width and y = -1 .. height
  // may be asked.
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y + 1) * m_stride + static_cast<std::size_t>(x + 1);
  }
  LatticeLoop Follow(int x, int y, int dx, int dy);

  int m_width;
  int m_height;
  std::size_t m_stride;
  std::vector<std::uint8_t> m_pixels;
  // Vertical edge (x, y), between pixels (x - 1, y) and (x, y), already followed.
  std::vector<bool> m_followed;
};
