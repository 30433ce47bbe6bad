// Hostile and damaged DXF files (no window): inserts that multiply into more entities, points,
// groups or curve memory than a drawing holds, long names copied more often than their length
// allows, pieces no curve can hold, more names than a drawing has and files cut short are refused
// with the reader's reason and nothing added, while copies of long layer names within the limits
// keep their layers' colours; mutations of small seeds read whole or say why they gave nothing.
// Pricing a spline counts the points drawing it adds, wherever and however large it is drawn;
// a block's numbers are converted once however many copies of it are drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "addons/importfilter/DxfReader.h"
#include "addons/importfilter/ImportTestSupport.h"
#include "addons/importfilter/ImportedDrawing.h"
#include "addons/importfilter/SplineBeziers.h"
#include "support/ByteMutator.h"

using namespace import_test;

namespace {

std::string Dxf(const std::string& blocks, const std::string& entities,
                const std::string& layers = "") {
  return "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n" + layers +
         "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" + blocks +
         "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string Block(const std::string& name, const std::string& entities) {
  return "0\nBLOCK\n2\n" + name + "\n" + entities + "0\nENDBLK\n";
}

std::string Insert(const std::string& name, int columns, int rows, int step = 1) {
  return "0\nINSERT\n2\n" + name + "\n70\n" + std::to_string(columns) + "\n71\n" +
         std::to_string(rows) + "\n44\n" + std::to_string(step) + "\n45\n1\n";
}

std::string Line(int x1, int x2) {
  return "0\nLINE\n10\n" + std::to_string(x1) + "\n11\n" + std::to_string(x2) + "\n21\n1\n";
}

// The text with "#" standing for 0, 1, 2... in turn, that many times.
std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) {
    std::string one = text;
    std::replace(one.begin(), one.end(), '#', static_cast<char>('0' + i % 10));
    repeated += one;
  }
  return repeated;
}

// Two layers named by 60,000 characters (colours 1 and 2), and a block of a line on each.
const std::string kLongName = "L" + std::string(59998, 'a');
const std::string kLongLayers = "0\nLAYER\n2\n" + kLongName + "1\n62\n1\n0\nLAYER\n2\n" +
                                kLongName + "2\n62\n2\n";
const std::string kLinesOnLongLayers = Block("B", "0\nLINE\n8\n" + kLongName + "1\n11\n1\n" +
                                                      "0\nLINE\n8\n" + kLongName +
                                                      "2\n10\n2\n11\n3\n");

std::string Names(const std::string& before, const std::string& after) {
  std::string text;
  for (int i = 0; i < 100001; ++i) text += before + std::to_string(i) + "\n" + after;
  return text;
}

TEST(DxfHostileInput, FilesBeyondWhatADrawingHoldsAreRefusedBeforeTheyAreDrawn) {
  const std::string cut = "0\nSECTION\n2\nENTITIES\n" + Line(0, 10) + Line(1, 2);
  std::string spline = "0\nSPLINE\n71\n3\n40\n0\n40\n0\n40\n0\n";  // rational, 70,000 pieces
  for (int i = 0; i < 70004; ++i) spline += "40\n" + std::to_string(std::min(i, 70000)) + "\n";
  for (int i = 0; i < 70003; ++i)
    spline += "41\n" + std::to_string(1 + i % 2) + "\n10\n" + std::to_string(i) + "0\n20\n" +
              std::to_string(i % 2 * 10) + "\n";
  std::string row = "0\nLWPOLYLINE\n";  // 20 mm along y = 0, continued by the next copy
  for (int x = 0; x <= 20; ++x) row += "10\n" + std::to_string(x) + "\n20\n0\n";
  const struct {
    const char* what;
    std::string file;
    int problem;
  } cases[] = {
      {"an empty block 100 x 100 times in a block 100 x 100 times in a third",
       Dxf(Block("E", "") + Block("M", Insert("E", 100, 100)) + Block("O", Insert("M", 100, 100)),
           Insert("O", 100, 100) + Line(0, 10)),
       kImportTooComplex},
      {"five million lines", Dxf(Block("L", Repeat(Line(0, 1), 500)), Insert("L", 100, 100, 2)),
       kImportTooComplex},
      {"47 million points of circles",
       Dxf(Block("C", Repeat("0\nCIRCLE\n10\n#\n40\n0.4\n", 1000)), Insert("C", 60, 60)),
       kImportTooComplex},
      {"a text of 20,000 groups looked through 10,000 times",
       Dxf(Block("T", "0\nMTEXT\n" + Repeat("3\nA\n", 20000)), Insert("T", 100, 100) + Line(0, 1)),
       kImportTooComplex},
      {"lines joined from copy to copy into a path no curve holds",
       Dxf(Block("R", row), Insert("R", 10000, 1, 20)), kImportTooComplex},
      {"a rational spline of more pieces than a curve holds", Dxf("", spline), kImportTooComplex},
      {"100,001 layers", Dxf("", Line(0, 1), Names("0\nLAYER\n2\nL", "")), kImportTooComplex},
      {"100,001 blocks", Dxf(Names("0\nBLOCK\n2\nB", "0\nENDBLK\n"), Line(0, 1)),
       kImportTooComplex},
      {"two lines 3.8 million times, curves of a gigabyte",
       Dxf(Block("B", Line(0, 1) + Line(2, 3)) + Block("C", Insert("B", 100, 100, 4)),
           Insert("C", 19, 10, 400)),
       kImportTooComplex},
      {"lines on layers of 60,000-character names 20,000 times",
       Dxf(kLinesOnLongLayers + Block("C", Insert("B", 100, 100, 4)), Insert("C", 2, 1, 400),
           kLongLayers),
       kImportTooComplex},
      {"a file cut in its entities", cut, kImportDamaged},
      {"a file cut in a block", "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n" + Line(0, 2),
       kImportDamaged},
  };
  for (const auto& c : cases) {
    Reading reading = Read(kDxf, c.file);
    EXPECT_FALSE(reading.read) << c.what;
    EXPECT_EQ(c.problem, reading.report.problem) << c.what;
    if (c.problem == kImportDamaged) {  // at the last line
      EXPECT_EQ(std::count(c.file.begin(), c.file.end(), '\n'), reading.report.line) << c.what;
    }
  }
  // A file that ends after its last section (no EOF) is whole.
  EXPECT_TRUE(Read(kDxf, cut + "0\nENDSEC\n").read);
  // Within the limits, copies of lines on long layer names keep their layers' colours.
  Reading copies = Read(kDxf, Dxf(kLinesOnLongLayers, Insert("B", 60, 60, 4), kLongLayers));
  ASSERT_EQ(7200u, copies.curves.size());
  EXPECT_EQ(CDxfReader::IndexColour(1), copies.curves[7198].colour);
  EXPECT_EQ(CDxfReader::IndexColour(2), copies.curves[7199].colour);
}

TEST(DxfHostileInput, SplinesArePricedAtThePointsTheyDrawWhereverAndHoweverLargeTheyAre) {
  const struct {
    int degree;
    std::vector<double> knots, weights;
  } cases[] = {
      {3, {0, 0, 0, 0, 1, 1, 3, 3, 3, 3}, {}},  // a knot twice: two pieces
      {2, {0, 0, 0, 1, 2, 3, 4, 4, 4}, {}},
      {1, {0, 0, 1, 2, 3, 4, 5, 6}, {}},
      {1, {0, 0, 1, 2, 3, 4, 5, 6}, {1, 2, 1, 2, 1, 2}},
      {3, {0, 0, 0, 0, 1, 2, 3, 3, 3, 3}, {1, 2, 1, 2, 1, 2}},
      {5, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}, {}},
      {5, {0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5, 5, 5, 5}, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1}},
  };
  std::vector<ImportPoint2> controls;
  for (const auto& c : cases) {
    controls.clear();
    for (size_t i = 0; i + c.degree + 1 < c.knots.size(); ++i)
      controls.push_back({i * 10.0, i % 2 * 7.0});
    CImportPath priced, drawn, bounded;
    const ImportMatrix large = ImportMatrix::Scale(5000, 8000);
    CSplineBeziers::Append(&priced, c.degree, c.knots, controls, c.weights, {0, 0, 0, 0, 0, 0});
    CSplineBeziers::Append(&drawn, c.degree, c.knots, controls, c.weights, large);
    CSplineBeziers::Append(&bounded, c.degree, c.knots, controls, c.weights, large, 5);
    EXPECT_EQ(priced.Size(), CSplineBeziers::Points(c.degree, c.knots, controls, c.weights))
        << c.degree;
    EXPECT_EQ(priced.Size(), drawn.Size()) << c.degree;
    // Cut short after the piece or cubic that passes the points allowed.
    EXPECT_GT(bounded.Size(), std::min<size_t>(5, drawn.Size() - 1)) << c.degree;
    EXPECT_LE(bounded.Size(), std::min<size_t>(5 + 3, drawn.Size())) << c.degree;
  }
  // The last case in a block copied 10 x 10 times, each copy a thousand times as large: read
  // whole, in the points it was priced at.
  const auto& last = cases[sizeof cases / sizeof *cases - 1];
  std::string spline = "0\nSPLINE\n71\n5\n";
  for (double knot : last.knots) spline += "40\n" + std::to_string(knot) + "\n";
  for (size_t i = 0; i < controls.size(); ++i)
    spline += "41\n" + std::to_string(last.weights[i]) + "\n10\n" + std::to_string(i * 10) +
              "\n20\n" + std::to_string(i % 2 * 7) + "\n";
  Reading copies = Read(kDxf, Dxf(Block("S", spline),
                                  "0\nINSERT\n2\nS\n41\n1000\n42\n1000\n70\n10\n71\n10\n44\n"
                                  "90\n45\n8\n"));
  ASSERT_TRUE(copies.read) << copies.report.problem;
  size_t points = 0;
  for (const Curve& curve : copies.curves) points += curve.points.size();
  EXPECT_EQ(100 * CSplineBeziers::Points(5, last.knots, controls, last.weights), points);
}

TEST(DxfHostileInput, ABlocksNumbersAreConvertedOnceHoweverManyCopiesAreDrawn) {
  // A block of lines and circles of no size whose numbers have 60 characters (each a slow
  // conversion), copied 100 x 100 times.
  const std::string digits = "." + std::string(58, '3');
  std::string entities;
  for (int i = 0; i < 20; ++i) {
    const std::string x = std::to_string(i % 10) + digits;
    entities += i < 10 ? "0\nLINE\n10\n" + x + "\n20\n0" + digits + "\n11\n" + x + "\n21\n1" +
                             digits + "\n"
                       : "0\nCIRCLE\n10\n" + x + "\n20\n2" + digits + "\n30\n0" + digits +
                             "\n40\n0." + std::string(58, '0') + "\n";
  }
  const std::string file = Dxf(Block("LONG", entities), Insert("LONG", 100, 100, 20));
  CDxfReader reader;
  CImportedDrawing drawing;
  ImportFilterReport report = {};
  reader.Read(file.data(), file.size(), &drawing, &report);
  ASSERT_EQ(kImportRead, report.problem);
  EXPECT_EQ(100000u, drawing.CurveCount());
  // Every group of the file counted, numbers or not.
  EXPECT_LE(reader.NumbersConverted(), size_t(std::count(file.begin(), file.end(), '\n') / 2));
}

// Seeds with blocks in blocks, arrays of copies, polylines with bulges, a rational spline, a
// solid and attributes, each valid as it is.
const char* const kSeeds[] = {
    "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n10\n1\n20\n1\n0\nLWPOLYLINE\n70\n1\n10\n0\n20\n0\n"
    "42\n0.5\n10\n5\n20\n0\n10\n2\n20\n4\n0\nENDBLK\n0\nBLOCK\n2\nB\n0\nINSERT\n2\nA\n70\n2\n71\n"
    "2\n44\n8\n45\n8\n0\nCIRCLE\n10\n0\n20\n0\n40\n3\n0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\n"
    "ENTITIES\n0\nINSERT\n2\nB\n10\n5\n20\n5\n41\n2\n50\n30\n70\n3\n71\n2\n44\n30\n45\n30\n0\n"
    "ENDSEC\n0\nEOF\n",
    "0\nSECTION\n2\nENTITIES\n0\nSPLINE\n70\n8\n71\n3\n40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n"
    "2\n40\n2\n40\n2\n40\n2\n41\n1\n41\n2\n41\n1\n41\n1\n41\n1\n10\n0\n20\n0\n10\n10\n20\n30\n10\n"
    "20\n20\n20\n10\n30\n20\n30\n10\n40\n20\n0\n0\nPOLYLINE\n70\n1\n0\nVERTEX\n10\n50\n20\n0\n42\n"
    "-1\n0\nVERTEX\n10\n60\n20\n0\n0\nSEQEND\n0\nSOLID\n10\n0\n20\n50\n11\n10\n21\n50\n12\n0\n22\n"
    "60\n0\nENDSEC\n0\nEOF\n",
    "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nE\n0\nENDBLK\n0\nBLOCK\n2\nM\n0\nINSERT\n2\nE\n70\n2\n71\n"
    "2\n0\nLINE\n11\n1\n0\nENDBLK\n0\nBLOCK\n2\nO\n0\nINSERT\n2\nM\n66\n1\n70\n2\n71\n2\n0\nATTRIB"
    "\n"
    "1\nx\n0\nSEQEND\n0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nO\n70\n2\n71\n"
    "2\n0\nARC\n10\n0\n20\n0\n40\n5\n50\n0\n51\n270\n0\nENDSEC\n0\nEOF\n",
};

TEST(DxfHostileInput, MutatedSeedsReadWholeOrSayWhy) {
  const char* const values[] = {"0", "-1", "2", "100", "10000", "1e9", "1e300", "-7.5", "x"};
  ByteMutator mutator(20240601);
  auto random = [&mutator](size_t range) { return size_t(mutator.Below(range)); };
  for (const std::string text : kSeeds) {
    ASSERT_TRUE(Read(kDxf, text).read) << text;
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(text.substr(at, end - at));
    for (int trial = 0; trial < 300; ++trial) {
      std::vector<std::string> changed = lines;
      const size_t group = random(lines.size() / 2), count = 1 + random(lines.size() / 2 - group);
      const auto first = changed.begin() + 2 * group, end = first + 2 * count;
      if (trial % 3 == 0) {  // a value changed
        first[1] = values[random(sizeof values / sizeof *values)];
      } else if (trial % 3 == 1) {  // groups dropped
        changed.erase(first, end);
      } else {  // groups repeated: many, or an entity or more a few times
        const std::vector<std::string> span(first, count == 1 ? first + 2 : end);
        for (size_t i = 0, times = 1 + random(count == 1 ? 2000 : 20); i < times; ++i)
          changed.insert(changed.begin() + 2 * group, span.begin(), span.end());
      }
      std::string file;
      for (const std::string& line : changed) file += line + "\n";
      if (trial % 5 == 4) file.resize(file.find('\n', random(file.size())) + 1);  // cut short
      Reading reading = Read(kDxf, file);
      EXPECT_EQ(reading.read, reading.report.problem == kImportRead) << file;
      EXPECT_EQ(reading.read, !reading.curves.empty()) << file;
    }
  }
}

}  // namespace
