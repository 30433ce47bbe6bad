// Glyphs the text tests make for themselves: outlines of integer points in glyph units with the
// flags the decoders produce, so that an outline written and read back must come back identical.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/geometry/Contour.h"

inline CContour* MakeGlyph(const std::vector<POINTREC>& points) {
  CContour* contour = new CContour;
  for (const POINTREC& point : points) contour->AppendPoint(point);
  contour->AppendEndMark();
  return contour;
}

// Two closed contours (a square with a curved side and a triangle hole), an open stroke, deltas
// in every size class: zero, small both ways, and wider than a byte both ways.
inline std::vector<POINTREC> MixedGlyphPoints(int shift = 0) {
  float s = static_cast<float>(shift);
  return {
      MakePointRecord(100 + s, 100, 0x11),   MakePointRecord(900 + s, 100, 0x01),
      MakePointRecord(950 + s, 300, 0x00),   MakePointRecord(950 + s, 700, 0x00),
      MakePointRecord(900 + s, 900, 0x01),   MakePointRecord(100 + s, 900, 0x01),
      MakePointRecord(100 + s, 100, 0x41),   MakePointRecord(300 + s, 300, 0x11),
      MakePointRecord(500 + s, 250, 0x01),   MakePointRecord(310 + s, 620, 0x01),
      MakePointRecord(300 + s, 300, 0x41),   MakePointRecord(0 + s, 1000, 0x11),
      MakePointRecord(20 + s, 990, 0x00),    MakePointRecord(40 + s, 1010, 0x00),
      MakePointRecord(1023 + s, 1000, 0x21),
  };
}

// Straight lines only (no curve step at all).
inline std::vector<POINTREC> PolygonGlyphPoints() {
  return {MakePointRecord(0, 0, 0x11), MakePointRecord(1000, 0, 0x01),
          MakePointRecord(1000, 700, 0x01), MakePointRecord(-300, 700, 0x01),
          MakePointRecord(0, 0, 0x41)};
}

// A glyph for each code of a font made by a test: the mixed glyph moved by the trail byte.
inline CContour* GlyphForCode(WORD code) { return MakeGlyph(MixedGlyphPoints(code & 0x0F)); }

inline std::vector<POINTREC> PointsOf(const CContour* contour) {
  return contour ? contour->GetPoints() : std::vector<POINTREC>();
}

inline std::vector<POINTREC> WithEndMark(std::vector<POINTREC> points) {
  points.push_back(MakePointRecord(0, 0, kPointEnd));
  return points;
}
