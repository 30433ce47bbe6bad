// Hostile and damaged DXF files (no window). Files whose inserts multiply into more entities,
// points or groups than a drawing holds, pieces no curve can hold, more names than a drawing has
// and files cut short are refused with the reader's reason and nothing added, before they are
// drawn; mutations of small seeds (cut, numbers changed, groups and entities repeated or dropped)
// read whole or say why they gave nothing. The pricing that bounds the work counts no more
// points than drawing gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "addons/importfilter/ImportTestSupport.h"
#include "addons/importfilter/SplineBeziers.h"

using namespace import_test;

namespace {

std::string Dxf(const std::string& blocks, const std::string& entities,
                const std::string& layers = "") {
  return "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n" + layers +
         "0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n" + blocks +
         "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string Block(const std::string& name, const std::string& entities) {
  return "0\nBLOCK\n2\n" + name + "\n10\n0\n20\n0\n" + entities + "0\nENDBLK\n";
}

std::string Insert(const std::string& name, int columns, int rows, double step = 1) {
  return "0\nINSERT\n2\n" + name + "\n10\n0\n20\n0\n70\n" + std::to_string(columns) + "\n71\n" +
         std::to_string(rows) + "\n44\n" + std::to_string(step) + "\n45\n1\n";
}

std::string Line(int x1, int y1, int x2, int y2) {
  return "0\nLINE\n10\n" + std::to_string(x1) + "\n20\n" + std::to_string(y1) + "\n11\n" +
         std::to_string(x2) + "\n21\n" + std::to_string(y2) + "\n";
}

std::string Repeat(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// A rational cubic spline of the control points, zigzagging by the height.
std::string RationalSpline(int controls, int height) {
  std::string spline = "0\nSPLINE\n70\n8\n71\n3\n";
  for (int i = 0; i < controls + 4; ++i)
    spline += "40\n" + std::to_string(i < 4 ? 0 : i >= controls ? controls - 3 : i - 3) + "\n";
  for (int i = 0; i < controls; ++i)
    spline += "41\n" + std::to_string(1 + i % 2) + "\n10\n" + std::to_string(i * 10) + "\n20\n" +
              std::to_string(i % 2 * height) + "\n";
  return spline;
}

// A chain of blocks each inserting the next once, the last holding a line.
std::string Nested(int depth) {
  std::string blocks = Block("B" + std::to_string(depth), Line(0, 0, 1, 1));
  for (int i = depth - 1; i >= 1; --i)
    blocks += Block("B" + std::to_string(i), Insert("B" + std::to_string(i + 1), 1, 1));
  return Dxf(blocks, Insert("B1", 1, 1));
}

// Records named "N0", "N1"...: the text before the name, and after it.
std::string Names(const std::string& before, int count, const std::string& after = "") {
  std::string text;
  for (int i = 0; i < count; ++i) text += before + "N" + std::to_string(i) + "\n" + after;
  return text;
}

int LineCount(const std::string& text) {
  int lines = 0;
  for (char ch : text) lines += ch == '\n';
  return lines;
}

TEST(DxfHostileInput, FilesBeyondWhatADrawingHoldsAreRefusedBeforeTheyAreDrawn) {
  const std::string entitiesCut = "0\nSECTION\n2\nENTITIES\n" + Line(0, 0, 10, 5) +
                                  Line(1, 1, 2, 2);
  const std::string blocksCut = "0\nSECTION\n2\nBLOCKS\n" + Block("A", Line(0, 0, 1, 1)) +
                                "0\nBLOCK\n2\nB\n" + Line(0, 0, 2, 2);
  std::string row;  // 20 lines end to end
  for (int x = 0; x < 20; ++x) row += Line(x, 0, x + 1, 0);
  struct Case {
    const char* what;
    std::string file;
    int problem;
    int line;
  };
  const Case cases[] = {
      {"an empty block 100 x 100 times in a block 100 x 100 times in a third",
       Dxf(Block("E", "") + Block("M", Insert("E", 100, 100)) + Block("O", Insert("M", 100, 100)),
           Insert("O", 100, 100) + Line(0, 0, 10, 10)),
       kImportTooComplex, 0},
      {"five million lines by inserts",
       Dxf(Block("L", Repeat(Line(0, 0, 0, 1), 500)), Insert("L", 100, 100, 2)), kImportTooComplex,
       0},
      {"47 million points by inserts of circles",
       Dxf(Block("C", Repeat("0\nCIRCLE\n10\n0\n20\n0\n40\n0.4\n", 1000)), Insert("C", 60, 60)),
       kImportTooComplex, 0},
      {"a text of 20,000 groups looked through 10,000 times",
       Dxf(Block("T", "0\nMTEXT\n" + Repeat("3\nA\n", 20000)),
           Insert("T", 100, 100) + Line(0, 0, 1, 1)),
       kImportTooComplex, 0},
      {"lines that continue one another from copy to copy, one path no curve holds",
       Dxf(Block("R", row), Insert("R", 10000, 1, 20)), kImportTooComplex, 0},
      {"a rational spline of more lines than a curve holds", Dxf("", RationalSpline(200, 1000)),
       kImportTooComplex, 0},
      {"a polyline of more vertices than a curve holds",
       Dxf("", "0\nLWPOLYLINE\n" + Repeat("10\n1\n20\n2\n10\n3\n20\n2\n", 98304)),
       kImportTooComplex, 0},
      {"inserts 17 deep", Nested(17), kImportTooComplex, 0},
      {"100,001 layers", Dxf("", Line(0, 0, 1, 1), Names("0\nLAYER\n2\n", 100001)),
       kImportTooComplex, 0},
      {"100,001 blocks", Dxf(Names("0\nBLOCK\n2\n", 100001, "0\nENDBLK\n"), Line(0, 0, 1, 1)),
       kImportTooComplex, 0},
      {"a file cut in its entities", entitiesCut, kImportDamaged, LineCount(entitiesCut)},
      {"a file cut in a block", blocksCut, kImportDamaged, LineCount(blocksCut)},
  };
  for (const Case& c : cases) {
    Reading reading = Read(kDxf, c.file);
    EXPECT_FALSE(reading.read) << c.what;
    EXPECT_EQ(c.problem, reading.report.problem) << c.what;
    EXPECT_EQ(c.line, reading.report.line) << c.what;
  }
  // Just within the limits: 16 deep, and a file ended after its last section.
  EXPECT_TRUE(Read(kDxf, Nested(16)).read);
  EXPECT_TRUE(Read(kDxf, entitiesCut + "0\nENDSEC\n").read);
}

TEST(DxfHostileInput, SplinesArePricedAtThePointsTheyGiveAndStopWhenTheCurveIsFull) {
  struct Case {
    const char* what;
    int degree;
    std::vector<double> knots;
    std::vector<double> weights;
  };
  const Case cases[] = {
      {"cubic", 3, {0, 0, 0, 0, 1, 2, 3, 3, 3, 3}, {}},
      {"cubic with a knot twice", 3, {0, 0, 0, 0, 1, 1, 3, 3, 3, 3}, {}},
      {"quadratic", 2, {0, 0, 0, 1, 2, 3, 4, 4, 4}, {}},
      {"lines", 1, {0, 0, 1, 2, 3, 4, 5, 6}, {}},
      {"rational", 3, {0, 0, 0, 0, 1, 2, 3, 3, 3, 3}, {1, 2, 1, 2, 1, 2}},
      {"degree five", 5, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}, {}},
  };
  const ImportMatrix nowhere = ImportMatrix::Scale(0, 0), large = ImportMatrix::Scale(50, 80);
  for (const Case& c : cases) {
    std::vector<ImportPoint2> controls;
    for (size_t i = 0; i + c.degree + 1 < c.knots.size(); ++i)
      controls.push_back({i * 10.0, i % 2 * 7.0});
    CImportPath onePoint, drawn;
    ASSERT_TRUE(CSplineBeziers::Append(&onePoint, c.degree, c.knots, controls, c.weights, nowhere))
        << c.what;
    ASSERT_TRUE(CSplineBeziers::Append(&drawn, c.degree, c.knots, controls, c.weights, large));
    EXPECT_EQ(onePoint.Size(), CSplineBeziers::Points(c.degree, c.knots, controls, c.weights))
        << c.what;
    EXPECT_LE(onePoint.Size(), drawn.Size()) << c.what;
    // Cut short, after the piece or line that passes the points allowed.
    CImportPath bounded;
    CSplineBeziers::Append(&bounded, c.degree, c.knots, controls, c.weights, large, 5);
    EXPECT_GT(bounded.Size(), std::min<size_t>(5, drawn.Size() - 1)) << c.what;
    EXPECT_LE(bounded.Size(), std::min<size_t>(5 + 3, drawn.Size())) << c.what;
  }
  const std::vector<ImportPoint2> through = {{0, 0}, {10, 5}, {20, 0}, {30, 5}};
  CImportPath curve;
  ASSERT_TRUE(CSplineBeziers::AppendThrough(&curve, through, {0, 0}, {0, 0}, ImportMatrix()));
  EXPECT_EQ(curve.Size(), CSplineBeziers::PointsThrough(through));
  EXPECT_EQ(0u, CSplineBeziers::Points(3, {0, 1}, through, {}));
}

// Seeds with blocks in blocks, arrays of copies, polylines with bulges, a spline, a solid and
// attributes, each valid as it is.
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
  unsigned seed = 20240601;
  auto random = [&seed](size_t range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<size_t>((seed >> 8) % range);
  };
  for (const char* text : kSeeds) {
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = std::string(text).find('\n', at)) != std::string::npos;
         at = end + 1)
      lines.push_back(std::string(text).substr(at, end - at));
    ASSERT_TRUE(Read(kDxf, text).read) << text;
    const size_t groups = lines.size() / 2;
    for (int trial = 0; trial < 300; ++trial) {
      std::vector<std::string> changed = lines;
      const size_t group = random(groups);
      switch (trial % 4) {
        case 0:  // a value changed
          changed[2 * group + 1] = values[random(sizeof values / sizeof *values)];
          break;
        case 1: {  // a group repeated
          const std::vector<std::string> pair = {changed[2 * group], changed[2 * group + 1]};
          const size_t times = 1 + random(2000);
          for (size_t i = 0; i < times; ++i)
            changed.insert(changed.begin() + 2 * group, pair.begin(), pair.end());
          break;
        }
        case 2:  // a group dropped
          changed.erase(changed.begin() + 2 * group, changed.begin() + 2 * group + 2);
          break;
        default: {  // an entity, from its first group to the next one's, repeated
          size_t first = group, end = group + 1;
          while (first > 0 && changed[2 * first] != "0") --first;
          while (end < groups && changed[2 * end] != "0") ++end;
          const std::vector<std::string> entity(changed.begin() + 2 * first,
                                                changed.begin() + 2 * end);
          const size_t times = 1 + random(20);
          for (size_t i = 0; i < times; ++i)
            changed.insert(changed.begin() + 2 * first, entity.begin(), entity.end());
          break;
        }
      }
      std::string file;
      for (const std::string& line : changed) file += line + "\n";
      // Cut short now and then, at a random line.
      if (trial % 5 == 4) file = file.substr(0, file.find('\n', random(file.size())) + 1);
      Reading reading = Read(kDxf, file);
      if (reading.read) {
        EXPECT_EQ(kImportRead, reading.report.problem);
        EXPECT_FALSE(reading.curves.empty());
      } else {
        EXPECT_NE(kImportRead, reading.report.problem) << file;
      }
    }
  }
}

}  // namespace
