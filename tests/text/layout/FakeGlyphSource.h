// A glyph source for layout tests: charsets map to rows through a table, every single-byte
// character has the metrics set for its code (a default otherwise), outlines are set per code, and
// every metrics request is kept so that a test can see which font was asked.
#pragma once

#include <windows.h>

#include <map>
#include <utility>
#include <vector>

#include "model/geometry/Contour.h"
#include "text/layout/GlyphSource.h"

class FakeGlyphSource : public CGlyphSource {
public:
  FakeGlyphSource() {
    rows = {{0, 0}, {134, 1}, {133, 2}, {136, 3}};
    defaultMetrics.blackBoxX = 500;
    defaultMetrics.blackBoxY = 700;
    defaultMetrics.advance = 600;
  }

  int FindRow(int charset) override {
    auto found = rows.find(charset & 0xFF);
    return found == rows.end() ? -1 : found->second;
  }
  CContour* GetGlyph(WORD, int, WORD code) override {
    auto found = glyphs.find(code);
    if (found == glyphs.end()) return nullptr;
    CContour* contour = new CContour;
    for (const POINTREC& point : found->second) contour->AppendPoint(point);
    contour->AppendEndMark();
    return contour;
  }
  bool GetMetrics(WORD key, int fontNumber, WORD code, GlyphMetrics& metrics) override {
    asked.push_back({key, fontNumber});
    auto found = metricsByCode.find(code);
    metrics = found == metricsByCode.end() ? defaultMetrics : found->second;
    return metrics.blackBoxX != 0;
  }

  std::map<int, int> rows;
  GlyphMetrics defaultMetrics;
  std::map<WORD, GlyphMetrics> metricsByCode;
  std::map<WORD, std::vector<POINTREC>> glyphs;
  std::vector<std::pair<WORD, int>> asked;
};

// Appends to a glyph's points the closed outline of the rectangle from (x0, y0) to (x1, y1), in
// glyph units.
inline void AppendRectangle(std::vector<POINTREC>& points, float x0, float y0, float x1, float y1) {
  points.push_back(MakePointRecord(x0, y0, kPointStart | kPointOnCurve));
  points.push_back(MakePointRecord(x1, y0, kPointOnCurve));
  points.push_back(MakePointRecord(x1, y1, kPointOnCurve));
  points.push_back(MakePointRecord(x0, y1, kPointOnCurve));
  points.push_back(MakePointRecord(x0, y0, kPointClose | kPointOnCurve));
}
