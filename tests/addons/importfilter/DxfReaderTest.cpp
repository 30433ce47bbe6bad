// The DXF reader (no window): entities become curves in millimetres turned over within the
// drawing's box; lines that continue one another are joined, bulges and arcs become exact
// circle pieces, splines exact Bezier pieces, blocks are inserted with their base point,
// scale, rotation and copies; units, colours and mirrored object coordinates are honoured.
// Damaged groups, self-inserting blocks and binary DXF give nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportTestSupport.h"

using namespace import_test;

namespace {

const double kPi = 3.14159265358979323846;

// A DXF of the entities (each given as "code\nvalue\n" lines), with the header and blocks given.
std::string Dxf(const std::string& entities, const std::string& blocks = "",
                const std::string& header = "") {
  return "999\nmade by hand\n0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n" +
         "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n0\nLAYER\n2\nRED\n62\n1\n0\nENDTAB\n0\nENDSEC"
         "\n" +
         "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities +
         "0\nENDSEC\n0\nEOF\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& more = "") {
  char text[200];
  snprintf(text, sizeof text, "0\nLINE\n8\n0\n10\n%g\n20\n%g\n11\n%g\n21\n%g\n", x1, y1, x2, y2);
  return text + more;
}

std::string Circle(double x, double y, double r, const std::string& more = "") {
  char text[200];
  snprintf(text, sizeof text, "0\nCIRCLE\n10\n%g\n20\n%g\n40\n%g\n", x, y, r);
  return text + more;
}

std::string Polyline(const std::vector<std::vector<double>>& vertices, bool closed) {
  std::string text = "0\nLWPOLYLINE\n8\n0\n90\n" + std::to_string(vertices.size()) + "\n70\n" +
                     (closed ? "1" : "0") + "\n";
  for (const auto& v : vertices) {
    char vertex[100];
    snprintf(vertex, sizeof vertex, "10\n%g\n20\n%g\n42\n%g\n", v[0], v[1],
             v.size() > 2 ? v[2] : 0);
    text += vertex;
  }
  return text;
}

TEST(DxfReader, EntitiesBecomeCurvesWithTheirAreasAndJoinedLines) {
  Reading reading = Read(
      kDxf, Dxf(
                // A square of four lines in turn, and a lone line: the square closes.
                Line(0, 0, 10, 0) + Line(10, 0, 10, 10) + Line(10, 10, 0, 10) + Line(0, 10, 0, 0) +
                Line(0, 20, 5, 25, "62\n3\n") +
                // A stadium: two half circles on a 20 x 10 rectangle.
                Polyline({{30, 0, 0}, {50, 0, 1}, {50, 10, 0}, {30, 10, 1}}, true) +
                Circle(70, 5, 5, "8\nRED\n") + "0\nARC\n10\n90\n20\n0\n40\n5\n50\n0\n51\n90\n" +
                "0\nELLIPSE\n10\n120\n20\n5\n11\n10\n21\n0\n40\n0.5\n420\n255\n" +
                "0\nPOLYLINE\n70\n1\n0\nVERTEX\n10\n140\n20\n0\n42\n-"
                "1\n0\nVERTEX\n10\n150\n20\n0\n42\n-1\n"
                "0\nSEQEND\n" +
                "0\nTEXT\n10\n0\n20\n0\n1\nhello\n0\nMTEXT\n1\nworld\n0\nIMAGE\n0\nHATCH\n"));
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  ASSERT_EQ(7u, reading.curves.size());
  EXPECT_EQ(1, reading.curves[0].closedSubpaths);
  EXPECT_NEAR(100, reading.curves[0].area, 1e-3);
  EXPECT_EQ(0, reading.curves[1].closedSubpaths);
  EXPECT_EQ(0x00FF00u, reading.curves[1].colour);
  EXPECT_NEAR(200 + 25 * kPi, reading.curves[2].area, 0.1);
  EXPECT_NEAR(25, reading.curves[2].box.left, 1e-3);
  EXPECT_NEAR(25 * kPi, reading.curves[3].area, 0.05);
  EXPECT_EQ(0xFF0000u, reading.curves[3].colour);  // by its layer
  // The quarter arc from the right round to the top.
  EXPECT_NEAR(90, reading.curves[4].box.left, 1e-3);
  EXPECT_NEAR(95, reading.curves[4].box.right, 1e-3);
  EXPECT_NEAR(reading.curves[4].box.bottom - 5, reading.curves[4].box.top, 1e-3);
  EXPECT_NEAR(50 * kPi, reading.curves[5].area, 0.1);
  EXPECT_EQ(0x0000FFu, reading.curves[5].colour);
  // Two vertices with a bulge of -1 each way: a whole circle of radius 5.
  EXPECT_NEAR(25 * kPi, reading.curves[6].area, 0.05);
  EXPECT_EQ(2, reading.report.texts);
  EXPECT_EQ(1, reading.report.images);
  EXPECT_EQ(1, reading.report.others);
}

TEST(DxfReader, SplinesWithoutWeightsAreExactBezierPieces) {
  // A clamped cubic of four control points is one Bezier piece: its own points.
  Reading cubic = Read(kDxf, Dxf("0\nSPLINE\n70\n8\n71\n3\n72\n8\n73\n4\n"
                                 "40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n1\n40\n1\n40\n1\n"
                                 "10\n0\n20\n0\n10\n10\n20\n20\n10\n30\n20\n20\n10\n40\n20\n0\n"));
  ASSERT_TRUE(cubic.read) << cubic.report.problem << " line " << cubic.report.line;
  ASSERT_EQ(4u, cubic.curves[0].points.size());
  const float expected[4][2] = {{0, 20}, {10, 0}, {30, 0}, {40, 20}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(expected[i][0], cubic.curves[0].points[i].x) << i;
    EXPECT_FLOAT_EQ(expected[i][1], cubic.curves[0].points[i].y) << i;
  }
  // One through points.
  Reading through = Read(kDxf, Dxf("0\nSPLINE\n71\n3\n74\n3\n11\n0\n21\n0\n11\n10\n21\n5\n"
                                   "11\n20\n21\n0\n"));
  ASSERT_TRUE(through.read);
  ASSERT_EQ(7u, through.curves[0].points.size());
  EXPECT_FLOAT_EQ(10, through.curves[0].points[3].x);
  EXPECT_FLOAT_EQ(0, through.curves[0].points[3].y);
}

struct Spline {
  int degree;
  std::vector<double> knots;
  std::vector<ImportPoint2> controls;
  std::vector<double> weights;
};

// The spline's point at u by de Boor's scheme on its weighted control points.
ImportPoint2 SplineAt(const Spline& s, double u) {
  const int p = s.degree;
  int span = p;
  while (span + 1 < static_cast<int>(s.controls.size()) && s.knots[span + 1] <= u) ++span;
  double d[12][3];
  for (int j = 0; j <= p; ++j) {
    const double w = s.weights.empty() ? 1 : s.weights[span - p + j];
    d[j][0] = s.controls[span - p + j].x * w, d[j][1] = s.controls[span - p + j].y * w, d[j][2] = w;
  }
  for (int r = 1; r <= p; ++r) {
    for (int j = p; j >= r; --j) {
      const int i = span - p + j;
      const double alpha = (u - s.knots[i]) / (s.knots[i + p + 1 - r] - s.knots[i]);
      for (int k = 0; k < 3; ++k) d[j][k] = (1 - alpha) * d[j - 1][k] + alpha * d[j][k];
    }
  }
  return {d[p][0] / d[p][2], d[p][1] / d[p][2]};
}

// The farthest any of the points lies from the line through the others.
double Farthest(const std::vector<ImportPoint2>& points, const std::vector<ImportPoint2>& line) {
  double farthest = 0;
  for (const ImportPoint2& p : points) {
    double nearest = 1e30;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
      const ImportPoint2 a = line[i], b = line[i + 1];
      const double dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
      const double t = length > 0
                           ? std::max(0.0,
                                      std::min(1.0, ((p.x - a.x) * dx + (p.y - a.y) * dy) / length))
                           : 0;
      nearest = std::min(nearest, std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y));
    }
    farthest = std::max(farthest, nearest);
  }
  return farthest;
}

TEST(DxfReader, SplinesOfEveryDegreeAndWeightFollowTheirCurves) {
  // Each spline with a line from y = -100 to 100 beside it, so that the drawing is turned over
  // onto y = -y; the outline drawn and the spline itself stay within 5 um of each other.
  const double w = std::sqrt(0.5);
  const Spline splines[] = {
      {1, {0, 0, 1, 2, 2}, {{0, 0}, {20, 30}, {40, 0}}, {1, 3, 1}},
      {2, {0, 0, 0, 1, 1, 1}, {{10, 0}, {10, 10}, {0, 10}}, {1, w, 1}},  // a quarter circle
      {3,
       {0, 0, 0, 0, 1, 2, 3, 3, 3, 3},
       {{0, 0}, {10, 40}, {20, -30}, {30, 35}, {40, -20}, {50, 0}},
       {1, 2, 0.5, 1, 3, 1}},
      {4,
       {0, 0, 0, 0, 0, 1, 3, 4, 4, 4, 4, 4},
       {{0, 0}, {5, 30}, {15, -20}, {25, 40}, {35, -40}, {45, 20}, {50, 0}},
       {}},
      {5,
       {0, 0, 0, 0, 0, 0, 1, 2, 3, 3, 3, 3, 3, 3},
       {{0, 0}, {8, 25}, {16, -25}, {24, 25}, {32, -25}, {40, 25}, {48, -25}, {56, 0}},
       {1, 4, 1, 0.25, 1, 4, 1, 1}},
      {7,
       {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},  // unclamped
       {{0, 0}, {10, 30}, {20, -30}, {30, 30}, {40, -30}, {50, 30}, {60, -30}, {70, 30}, {80, 0}},
       {1, 2, 1, 2, 1, 2, 1, 2, 1}},
  };
  for (const Spline& spline : splines) {
    std::string entity = "0\nSPLINE\n71\n" + std::to_string(spline.degree) + "\n";
    char value[64];
    for (double knot : spline.knots)
      snprintf(value, sizeof value, "40\n%.17g\n", knot), entity += value;
    for (size_t i = 0; i < spline.controls.size(); ++i) {
      if (!spline.weights.empty())
        snprintf(value, sizeof value, "41\n%.17g\n", spline.weights[i]), entity += value;
      snprintf(value, sizeof value, "10\n%g\n20\n%g\n", spline.controls[i].x, spline.controls[i].y);
      entity += value;
    }
    Reading reading = Read(kDxf, Dxf(entity + Line(-50, -100, -50, 100, "62\n3\n")));
    ASSERT_TRUE(reading.read) << spline.degree;
    ASSERT_EQ(2u, reading.curves.size()) << spline.degree;
    std::vector<ImportPoint2> drawn, exact;
    const std::vector<POINTREC>& points = reading.curves[0].points;
    for (size_t i = 0; i < points.size(); ++i) {
      if (IsOnCurvePoint(points[i].flags) && i > 0 && IsControlPoint(points[i - 1].flags)) {
        const POINTREC &p0 = points[i - 3], &p1 = points[i - 2], &p2 = points[i - 1],
                       &p3 = points[i];
        for (int k = 1; k < 16; ++k) {
          const double t = k / 16.0, u = 1 - t;
          drawn.push_back(
              {u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
               -(u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y +
                 t * t * t * p3.y)});
        }
      }
      if (IsOnCurvePoint(points[i].flags)) drawn.push_back({points[i].x, -points[i].y});
    }
    const double first = spline.knots[spline.degree], last = spline.knots[spline.controls.size()];
    for (int k = 0; k <= 1000; ++k)
      exact.push_back(SplineAt(spline, first + (last - first) * k / 1000));
    EXPECT_LT(Farthest(drawn, exact), 0.005) << "degree " << spline.degree;
    EXPECT_LT(Farthest(exact, drawn), 0.005) << "degree " << spline.degree;
  }
}

TEST(DxfReader, BlocksAreInsertedWithTheirTransformsAndCopies) {
  const std::string blocks =
      "0\nBLOCK\n2\nbox\n10\n5\n20\n5\n" + Polyline({{5, 5}, {15, 5}, {15, 10}, {5, 10}}, true) +
      "0\nENDBLK\n0\nBLOCK\n2\nTWO\n10\n0\n20\n0\n0\nINSERT\n2\nBOX\n10\n0\n20\n0\n"
      "0\nINSERT\n2\nBOX\n10\n100\n20\n0\n0\nENDBLK\n";
  Reading reading = Read(
      kDxf, Dxf(
                // Twice as wide, turned a quarter left, at (50, 50); then 2 x 3 copies.
                "0\nINSERT\n2\nBOX\n10\n50\n20\n50\n41\n2\n50\n90\n" +
                    std::string("0\nINSERT\n2\nBOX\n10\n0\n20\n0\n70\n2\n71\n3\n44\n20\n45\n10\n") +
                    "0\nINSERT\n2\nTWO\n10\n0\n20\n200\n",
                blocks));
  ASSERT_TRUE(reading.read) << reading.report.problem << " line " << reading.report.line;
  ASSERT_EQ(1u + 6u + 2u, reading.curves.size());
  // The block's 10 x 5 box from its base: 20 x 5 after scaling, standing 5 wide and 20 high.
  EXPECT_NEAR(5, reading.curves[0].box.Width(), 1e-3);
  EXPECT_NEAR(20, reading.curves[0].box.Height(), 1e-3);
  EXPECT_NEAR(45, reading.curves[0].box.left, 1e-3);
  for (int i = 1; i <= 6; ++i) EXPECT_NEAR(50, reading.curves[i].area, 1e-3) << i;
  EXPECT_NEAR(20, reading.curves[2].box.left - reading.curves[1].box.left, 1e-3);
  EXPECT_NEAR(100, reading.curves[8].box.left - reading.curves[7].box.left, 1e-3);

  // A block that inserts itself, and an insert of a block never defined.
  const std::string loop = "0\nBLOCK\n2\nLOOP\n0\nINSERT\n2\nLOOP\n0\nENDBLK\n";
  EXPECT_EQ(kImportDamaged, Read(kDxf, Dxf("0\nINSERT\n2\nLOOP\n", loop)).report.problem);
  EXPECT_EQ(kImportDamaged, Read(kDxf, Dxf("0\nINSERT\n2\nNONE\n")).report.problem);
}

TEST(DxfReader, SolidsTracesAndFacesTakeTheirCornersInTheirOwnOrder) {
  // A 20 x 10 rectangle from (5, 3): a solid's and a trace's corners run 1, 2, 4, 3 round it, a
  // face's 1, 2, 3, 4; taken in the other order they make a bow-tie of half the area. A solid of
  // three corners is a triangle.
  struct Case {
    const char* entity;
    double area;
    bool solid;
  };
  const Case cases[] = {
      {"0\nSOLID\n10\n5\n20\n3\n11\n25\n21\n3\n12\n5\n22\n13\n13\n25\n23\n13\n", 200, true},
      {"0\nTRACE\n10\n5\n20\n3\n11\n25\n21\n3\n12\n5\n22\n13\n13\n25\n23\n13\n", 200, true},
      {"0\nSOLID\n10\n5\n20\n3\n11\n25\n21\n3\n12\n5\n22\n13\n", 100, true},
      {"0\n3DFACE\n10\n5\n20\n3\n11\n25\n21\n3\n12\n25\n22\n13\n13\n5\n23\n13\n", 200, false},
  };
  for (const Case& c : cases) {
    Reading reading = Read(kDxf, Dxf(c.entity));
    ASSERT_TRUE(reading.read) << c.entity;
    ASSERT_EQ(1u, reading.curves.size()) << c.entity;
    const Curve& curve = reading.curves[0];
    EXPECT_NEAR(c.area, curve.area, 1e-3) << c.entity;
    EXPECT_EQ(c.solid, curve.solid) << c.entity;
    EXPECT_EQ(1, curve.closedSubpaths) << c.entity;
    EXPECT_NEAR(20, curve.box.Width(), 1e-4) << c.entity;
    EXPECT_NEAR(10, curve.box.Height(), 1e-4) << c.entity;
  }
}

TEST(DxfReader, UnitsScalesAndMirroredObjectCoordinates) {
  // A circle of one inch in a drawing in inches, read at 1181.1024 units per inch.
  const std::string inches = Dxf(Circle(0, 0, 1), "", "9\n$INSUNITS\n70\n1\n");
  Reading millimetres = Read(kDxf, inches);
  ASSERT_TRUE(millimetres.read);
  EXPECT_NEAR(50.8, millimetres.curves[0].box.Width(), 1e-3);
  Reading units = Read(kDxf, inches, 1181.1024f);
  ASSERT_TRUE(units.read);
  EXPECT_NEAR(2 * 1181.1024, units.curves[0].box.Width(), 0.05);
  // A drawing in metres, as large drawings come, at 1,000 mm a unit.
  Reading metres = Read(kDxf, Dxf(Circle(0, 0, 1.5), "", "9\n$INSUNITS\n70\n6\n"));
  ASSERT_TRUE(metres.read);
  EXPECT_NEAR(3000, metres.curves[0].box.Height(), 0.01);
  // Seen from below (extrusion 0, 0, -1) an arc's object x axis points the other way.
  Reading mirrored = Read(kDxf, Dxf("0\nARC\n10\n20\n20\n0\n40\n5\n50\n0\n51\n90\n230\n-1\n" +
                                    Line(-40, 0, -30, 0)));
  ASSERT_TRUE(mirrored.read);
  ASSERT_EQ(2u, mirrored.curves.size());
  EXPECT_NEAR(-25, mirrored.curves[0].box.left, 1e-3);
  EXPECT_NEAR(-20, mirrored.curves[0].box.right, 1e-3);
}

TEST(DxfReader, DamageAndOtherFilesGiveNothing) {
  struct Case {
    std::string file;
    int problem;
    int line;
  };
  const std::string good = Dxf(Line(0, 0, 10, 0));
  const Case cases[] = {
      {std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + "....", kImportBinaryDxf, 0},
      {"just some text\nin lines\n", kImportNotThisKind, 0},
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nten\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n",
       kImportDamaged, 8},
      {"0\nSECTION\n2\nENTITIES\n0\nLINE\nX1\n0\n", kImportDamaged, 7},
      {good.substr(0, good.size() - 4), kImportDamaged, 0},  // ends after a group code
      {Dxf("0\nSPLINE\n71\n3\n40\n0\n40\n1\n10\n0\n20\n0\n10\n1\n20\n1\n"), kImportDamaged, 0},
      {Dxf("0\nTEXT\n1\nonly words\n"), kImportNothingToRead, 0},
  };
  for (const Case& c : cases) {
    Reading reading = Read(kDxf, c.file);
    EXPECT_FALSE(reading.read) << c.file;
    EXPECT_EQ(c.problem, reading.report.problem) << c.file;
    if (c.line) {
      EXPECT_EQ(c.line, reading.report.line) << c.file;
    }
  }
}

TEST(DxfReader, ThousandsOfEntitiesShareCurvesOfTheirOwnStyleWithinTheProgramsLimit) {
  // The program keeps every curve's points in a movable memory block, of which the system has
  // only so many: more than 10,000 paths come as at most 10,000 curves, every path kept in a
  // curve of its own colour and fill, even where styles change from each entity to the next;
  // a drawing of more styles than that is refused.
  std::string lines, alternating, colours;
  for (int i = 0; i < 25000; ++i) lines += Line(i * 2.0, 0, i * 2.0 + 1, 1);
  for (int i = 0; i < 6000; ++i) {
    const std::string x = std::to_string(i * 3);
    alternating += "0\nSOLID\n62\n1\n10\n" + x + "\n11\n" + x + ".5\n21\n0\n12\n" + x +
                   "\n22\n1\n" + Circle(i * 3 + 1, 0, 0.5, "62\n5\n");
  }
  for (int i = 0; i < 10001; ++i)
    colours += Circle(i * 3, 0, 1, "420\n" + std::to_string(i) + "\n");
  const struct {
    std::string file;
    std::vector<std::pair<DWORD, bool>> styles;  // colour and fill
    std::vector<int> paths;                      // of each style
  } cases[] = {
      {lines, {{0x000000u, false}}, {25000}},
      {alternating, {{0xFF0000u, true}, {0x0000FFu, false}}, {6000, 6000}},
      {colours, {}, {}},
  };
  for (const auto& c : cases) {
    Reading reading = Read(kDxf, Dxf(c.file));
    if (c.styles.empty()) {
      ExpectNothingRead(reading, kImportTooComplex, 0, "10,001 colours");
      continue;
    }
    ASSERT_TRUE(reading.read);
    EXPECT_LE(reading.curves.size(), 10000u);
    std::vector<int> paths(c.styles.size());
    for (const Curve& curve : reading.curves) {
      const auto style = std::find(c.styles.begin(), c.styles.end(),
                                   std::make_pair(curve.colour, curve.solid));
      ASSERT_NE(c.styles.end(), style) << curve.colour << (curve.solid ? " filled" : "");
      paths[style - c.styles.begin()] += curve.subpaths;
    }
    EXPECT_EQ(c.paths, paths);
  }
}

}  // namespace
