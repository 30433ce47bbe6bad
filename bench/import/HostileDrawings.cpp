#include "bench/import/HostileDrawings.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "addons/importfilter/FilterRead.h"
#include "bench/import/ChildRead.h"

namespace HostileDrawings {
namespace {

const char kChildSwitch[] = "--hostile-drawing";
const DWORD kLimitSeconds = 120;

std::string Format(const char* format, double a = 0, double b = 0, double c = 0, double d = 0) {
  char text[200];
  snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

std::string Dxf(const std::string& blocks, const std::string& entities, bool ended = true) {
  std::string dxf =
      "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n";
  dxf += blocks + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities;
  if (ended) dxf += "0\nENDSEC\n0\nEOF\n";
  return dxf;
}

std::string Block(const char* name, const std::string& entities) {
  return std::string("0\nBLOCK\n2\n") + name + "\n10\n0\n20\n0\n" + entities + "0\nENDBLK\n";
}

std::string Insert(const char* name, int columns, int rows, double columnStep, double rowStep) {
  return std::string("0\nINSERT\n2\n") + name + "\n10\n0\n20\n0\n" +
         Format("70\n%.0f\n71\n%.0f\n44\n%g\n45\n%g\n", columns, rows, columnStep, rowStep);
}

std::string Line(double x1, double y1, double x2, double y2) {
  return Format("0\nLINE\n10\n%g\n20\n%g\n11\n%g\n21\n%g\n", x1, y1, x2, y2);
}

// An empty block inserted 100 x 100 times in a block inserted 100 x 100 times in a third.
std::string EmptyBlocksNested() {
  return Dxf(Block("EMPTY", "") + Block("MIDDLE", Insert("EMPTY", 100, 100, 1, 1)) +
                 Block("OUTER", Insert("MIDDLE", 100, 100, 1, 1)),
             Insert("OUTER", 100, 100, 1, 1) + Line(0, 0, 10, 10));
}

// 500 separate lines, inserted 100 x 100 times: five million entities.
std::string EntitiesBeyondTheLimit() {
  std::string lines;
  for (int i = 0; i < 500; ++i) lines += Line(i, 0, i, 1);
  return Dxf(Block("LINES", lines), Insert("LINES", 100, 100, 600, 2));
}

// 1,000 circles, inserted 60 x 60 times: within the entity limit, 47 million points.
std::string PointsBeyondTheLimit() {
  std::string circles;
  for (int i = 0; i < 1000; ++i) circles += Format("0\nCIRCLE\n10\n%g\n20\n0\n40\n0.4\n", i);
  return Dxf(Block("CIRCLES", circles), Insert("CIRCLES", 60, 60, 1100, 2));
}

// 1,000 lines end to end, inserted 3,900 times in a row that continues them: one path.
std::string ChainAcrossCopies() {
  std::string lines;
  for (int i = 0; i < 1000; ++i) lines += Line(i, 0, i + 1, 0);
  return Dxf(Block("CHAIN", lines), Insert("CHAIN", 3900, 1, 1000, 0));
}

// A rational cubic spline whose pieces each span hundreds of millimetres (or, short, a few).
std::string RationalSplineEntity(int controls, double height) {
  std::string spline = Format("0\nSPLINE\n70\n8\n71\n3\n72\n%.0f\n73\n%.0f\n", controls + 4.0,
                              static_cast<double>(controls));
  for (int i = 0; i < controls + 4; ++i) {
    const int knot = i < 4 ? 0 : i >= controls ? controls - 3 : i - 3;
    spline += Format("40\n%.0f\n", knot);
  }
  for (int i = 0; i < controls; ++i)
    spline += Format("41\n%.0f\n10\n%.0f\n20\n%.0f\n", 1.0 + i % 2, i * 10.0, (i % 2) * height);
  return spline;
}

std::string RationalSpline(int controls) { return Dxf("", RationalSplineEntity(controls, 1000)); }

// 42 rational splines of 48,000 short pieces: each fits a curve, together 8 million points.
std::string RationalSplines() {
  std::string splines;
  for (int i = 0; i < 42; ++i) splines += RationalSplineEntity(48000, 0.01);
  return Dxf("", splines);
}

// 60 polylines of 25,000 half circles each: each fits a curve, together 9 million points.
std::string BulgedPolylines() {
  std::string polylines;
  for (int k = 0; k < 60; ++k) {
    polylines += "0\nLWPOLYLINE\n90\n25000\n70\n0\n";
    for (int i = 0; i < 25000; ++i)
      polylines += Format("10\n%.0f\n20\n%.0f\n42\n1\n", i % 1000, k * 10.0);
  }
  return Dxf("", polylines);
}

// A text of half a million groups in a block inserted 100 x 100 times.
std::string LongTextCopies() {
  std::string text = "0\nMTEXT\n10\n0\n20\n0\n";
  for (int i = 0; i < 500000; ++i) text += "3\nA\n";
  return Dxf(Block("TEXT", text), Insert("TEXT", 100, 100, 1, 1));
}

// Block B of two lines, C inserting B 100 x 100 times, the drawing inserting C 19 x 10 times: 256
// bytes for 3.8 million separate curves.
std::string MultipliedLines() {
  return "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n10\n0\n20\n0\n" + Line(0, 0, 1, 0) +
         Line(0, 1, 1, 1) + "0\nENDBLK\n0\nBLOCK\n2\nC\n10\n0\n20\n0\n" +
         "0\nINSERT\n2\nB\n70\n100\n71\n100\n44\n2\n45\n2\n0\nENDBLK\n0\nENDSEC\n" +
         "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nC\n70\n19\n71\n10\n44\n200\n45\n200\n" +
         "0\nENDSEC\n0\nEOF\n";
}

// Two layers of 60,000-character names, a block of a line on each inserted 60 x 60 times, or
// through a block of 100 x 100 of its copies inserted 5 x 10 times.
std::string LongLayerNames(bool nested) {
  const std::string name = "L" + std::string(59998, 'A');
  std::string layers = "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n";
  for (int layer = 1; layer <= 2; ++layer)
    layers += "0\nLAYER\n2\n" + name + std::to_string(layer) + Format("\n62\n%.0f\n", layer);
  layers += "0\nENDTAB\n0\nENDSEC\n";
  const std::string lines = "0\nLINE\n8\n" + name + "1\n10\n0\n20\n0\n11\n1\n21\n0\n" +
                            "0\nLINE\n8\n" + name + "2\n10\n0\n20\n1\n11\n1\n21\n1\n";
  if (!nested) return layers + Dxf(Block("LINES", lines), Insert("LINES", 60, 60, 2, 2));
  return layers + Dxf(Block("LINES", lines) + Block("COPIES", Insert("LINES", 100, 100, 2, 2)),
                      Insert("COPIES", 5, 10, 200, 200));
}

// Two pens of 40 pen-down runs of 100,000 points each: 32 MB at the plot's point limit.
std::string PlotAtThePointLimit() {
  std::string run;
  for (int i = 0; i < 49999; ++i) run += "1,1,9,9,";
  run = "PU0,0;PD" + run + "1,1;";
  std::string plot = "IN;";
  plot.reserve(2 * 40 * run.size() + 16);
  for (int pen = 1; pen <= 2; ++pen) {
    plot += "SP" + std::to_string(pen) + ";";
    for (int i = 0; i < 40; ++i) plot += run;
  }
  return plot + "PU;";
}

// A million block definitions, or a million layers.
std::string ManyNames(bool blocks) {
  std::string dxf = blocks ? "0\nSECTION\n2\nBLOCKS\n"
                           : "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n";
  for (int i = 0; i < 1000000; ++i)
    dxf += (blocks ? "0\nBLOCK\n2\nB" : "0\nLAYER\n2\nL") + std::to_string(i) +
           (blocks ? "\n0\nENDBLK\n" : "\n62\n1\n");
  dxf += blocks ? "0\nENDSEC\n" : "0\nENDTAB\n0\nENDSEC\n";
  return dxf + "0\nSECTION\n2\nENTITIES\n" + Line(0, 0, 1, 1) + "0\nENDSEC\n0\nEOF\n";
}

// One polyline of 1.5 million half circles.
std::string BulgedPolyline() {
  std::string polyline = "0\nLWPOLYLINE\n90\n1500000\n70\n0\n";
  for (int i = 0; i < 1500000; ++i) polyline += Format("10\n%.0f\n20\n0\n42\n1\n", i % 1000);
  return Dxf("", polyline);
}

// 300,000 lines, cut off in the middle of its ENTITIES section.
std::string CutInEntities() {
  std::string lines;
  for (int i = 0; i < 300000; ++i) lines += Line(i % 1000, i / 1000, i % 1000 + 0.5, i / 1000);
  std::string dxf = Dxf("", lines, false);
  return dxf.substr(0, dxf.size() / 2);
}

// Records of one group each, as many as the given size takes.
std::string OneGroupRecords(size_t size) {
  std::string dxf = "0\nSECTION\n2\nENTITIES\n";
  dxf.reserve(size + 32);
  while (dxf.size() < size) dxf += "0\nX\n";
  return dxf + "0\nENDSEC\n0\nEOF\n";
}

// Ten million points in one pen-down run, or in runs of 100,000 points.
std::string PlotOfManyPoints(bool runs) {
  std::string plot = "IN;SP1;PU0,0;PD";
  plot.reserve(45000000);
  for (int i = 1; i <= 5000000; ++i) {
    plot += "1,1,9,9,";
    if (runs && i % 50000 == 0) plot += "0,0;PU;PD";
  }
  return plot + "0,0;PU;";
}

// A million pens, each with one short line.
std::string PlotOfManyPens() {
  std::string plot = "IN;";
  for (int pen = 1; pen <= 1000000; ++pen) plot += "SP" + std::to_string(pen) + ";PU0,0;PD9,9;";
  return plot;
}

// A command the reader skips, with 25 million parameters.
std::string PlotOfEndlessParameters() {
  std::string plot = "IN;SP1;VS";
  plot.reserve(50000100);
  for (int i = 0; i < 25000000; ++i) plot += "1,";
  return plot + ";PU0,0;PD9,9;";
}

// A number of 60 characters, as some exporters write them.
std::string LongNumber(int whole) {
  return std::to_string(whole) + "." + std::string(59 - std::to_string(whole).size(), '3');
}

// A block of 30 lines and 170 circles of no size whose every number has 60 characters (50 KB),
// inserted 100 x 100 times.
std::string LongNumbersCopied() {
  std::string entities;
  for (int i = 0; i < 200; ++i) {
    entities += i < 30 ? "0\nLINE\n10\n" + LongNumber(i) + "\n20\n" + LongNumber(0) + "\n11\n" +
                             LongNumber(i) + "\n21\n" + LongNumber(1) + "\n"
                       : "0\nCIRCLE\n10\n" + LongNumber(i) + "\n20\n" + LongNumber(2) + "\n30\n" +
                             LongNumber(0) + "\n40\n0." + std::string(58, '0') + "\n";
  }
  return Dxf(Block("LONG", entities), Insert("LONG", 100, 100, 200, 4));
}

// A rational spline of degree 5 and five pieces in a block inserted 100 x 100 times, a thousand
// times as large.
std::string LargeRationalSplineCopies() {
  std::string spline = "0\nSPLINE\n70\n8\n71\n5\n";
  const int knots[] = {0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5, 5, 5, 5};
  for (int knot : knots) spline += "40\n" + std::to_string(knot) + "\n";
  for (int i = 0; i < 10; ++i)
    spline += Format("41\n%.0f\n10\n%.0f\n20\n%.0f\n", 1 + i % 3, i * 3.0, (i % 2) * 5.0);
  return Dxf(Block("S", spline),
             "0\nINSERT\n2\nS\n10\n0\n20\n0\n41\n1000\n42\n1000\n70\n100\n71\n100\n"
             "44\n30\n45\n6\n");
}

// 100,000 red solids, each followed by a blue circle.
std::string AlternatingStyles() {
  std::string entities;
  for (int i = 0; i < 100000; ++i) {
    const double x = (i % 300) * 3.0, y = (i / 300) * 3.0;
    entities += Format("0\nSOLID\n62\n1\n10\n%g\n20\n%g\n11\n%g\n21\n%g\n", x, y, x + 1, y);
    entities += Format("12\n%g\n22\n%g\n0\nCIRCLE\n62\n5\n", x, y + 1);
    entities += Format("10\n%g\n20\n%g\n40\n0.5\n", x + 1, y + 1);
  }
  return Dxf("", entities);
}

// Circles, arcs of many turns and wedges, each command a few bytes, as many as 10 MB take.
std::string PlotOfArcs() {
  const char* const kCommands[] = {"CI40;", "AA0,0,99999999;", "WG40,0,99999999;", "AR9,9,-720;"};
  std::string plot = "IN;SP1;PU0,0;PD;";
  plot.reserve(10500000);
  for (int i = 0; plot.size() < 10000000; ++i) plot += kCommands[i % 4];
  return plot + "PU;";
}

struct HostileFile {
  const char* name;
  std::string (*make)();
};

const HostileFile kFiles[] = {
    {"empty-blocks-nested.dxf", EmptyBlocksNested},
    {"entities-beyond-limit.dxf", EntitiesBeyondTheLimit},
    {"points-beyond-limit.dxf", PointsBeyondTheLimit},
    {"chain-across-copies.dxf", ChainAcrossCopies},
    {"rational-spline-40k.dxf", [] { return RationalSpline(40000); }},
    {"rational-spline-100k.dxf", [] { return RationalSpline(100000); }},
    {"rational-splines.dxf", RationalSplines},
    {"bulged-polyline.dxf", BulgedPolyline},
    {"bulged-polylines.dxf", BulgedPolylines},
    {"long-text-copies.dxf", LongTextCopies},
    {"many-blocks.dxf", [] { return ManyNames(true); }},
    {"many-layers.dxf", [] { return ManyNames(false); }},
    {"cut-in-entities.dxf", CutInEntities},
    {"many-records.dxf", [] { return OneGroupRecords(32000000); }},
    {"most-groups.dxf", [] { return OneGroupRecords(CFilterRead::kLargestFile - 64); }},
    {"multiplied-lines.dxf", MultipliedLines},
    {"long-layer-names.dxf", [] { return LongLayerNames(false); }},
    {"long-layer-names-nested.dxf", [] { return LongLayerNames(true); }},
    {"many-points.plt", [] { return PlotOfManyPoints(false); }},
    {"many-runs.plt", [] { return PlotOfManyPoints(true); }},
    {"many-pens.plt", PlotOfManyPens},
    {"endless-parameters.plt", PlotOfEndlessParameters},
    {"plot-at-point-limit.plt", PlotAtThePointLimit},
    {"long-numbers-copied.dxf", LongNumbersCopied},
    {"large-rational-spline-copies.dxf", LargeRationalSplineCopies},
    {"alternating-styles.dxf", AlternatingStyles},
    {"arcs-and-circles.plt", PlotOfArcs},
};

}  // namespace

bool RunChildRead() { return ChildRead::RunIfChild(kChildSwitch, ChildRead::ThroughFilter); }

void Measure() {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  for (const HostileFile& file : kFiles) {
    const std::string bytes = file.make();
    ChildRead::WriteAndRead(kChildSwitch, std::string(folder) + "talvex-hostile-" + file.name,
                            bytes.data(), bytes.size(), file.name, kLimitSeconds);
  }
}

}  // namespace HostileDrawings
