// The flattened outlines the transform library works on, in page units (millimetres, y down) and
// double precision. A curve block's closed sub-paths become rings and its open sub-paths lines;
// the area of one curve is its rings combined by the even-odd rule, the rule the program fills
// solid outlines with (GDI's default polygon fill mode), so a ring inside another is a hole
// whichever way either runs. The area of several curves is the union of their areas. Nothing here
// needs Windows, so the geometry also builds with the host compiler (the benchmark's native build).
#pragma once

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/linestring.hpp>
#include <boost/geometry/geometries/multi_linestring.hpp>
#include <boost/geometry/geometries/multi_polygon.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <cstdint>
#include <vector>

namespace bg = boost::geometry;

typedef bg::model::d2::point_xy<double> OutlinePoint;
typedef bg::model::polygon<OutlinePoint> OutlinePolygon;
typedef bg::model::multi_polygon<OutlinePolygon> OutlineArea;
typedef bg::model::linestring<OutlinePoint> OutlineLine;
typedef bg::model::multi_linestring<OutlineLine> OutlineLines;

// One curve block's sub-paths: every closed one as a polygon without holes, every open one as a
// line; the curve's colour and attribute word go with it to what is built from it.
struct FlatCurve {
  std::vector<OutlinePolygon> rings;
  OutlineLines lines;
  std::uint32_t colour = 0;      // as the block keeps it (DWORD)
  std::uint16_t attributes = 0;  // the block's attribute word (WORD)
};

// Filled area and open lines: what the Boolean operations and the expansion take and give.
struct OutlineShape {
  OutlineArea area;
  OutlineLines lines;
  bool IsEmpty() const { return area.empty() && lines.empty(); }
};
