// The HP-GL reader (no window): pen moves in plotter units (40 per millimetre, y up) or in the
// user units of IP and SC become one curve per pen, turned over within the drawing's box, with
// circles, arcs, wedges, rectangles and Bezier curves; filled shapes are a solid curve of their
// own; labels are counted as text left out, commands that draw otherwise as other objects;
// numbers out of range and files without pen moves are refused.
#include <gtest/gtest.h>

#include "addons/importfilter/ImportTestSupport.h"

using namespace import_test;

namespace {

const double kPi = 3.14159265358979323846;

void ExpectBox(const CFRect& expected, const CFRect& box) {
  EXPECT_NEAR(expected.left, box.left, 1e-4);
  EXPECT_NEAR(expected.top, box.top, 1e-4);
  EXPECT_NEAR(expected.right, box.right, 1e-4);
  EXPECT_NEAR(expected.bottom, box.bottom, 1e-4);
}

TEST(HpglReader, PenRunsBecomeOneCurvePerPenTurnedOverWithinTheDrawingsBox) {
  // Pen 1: a square from (10, 10) to (20, 30) mm and a line at y = 50; pen 2: a short line at the
  // origin. The drawing spans y 0 to 50, so y = 50 comes to the top of the page.
  Reading reading = Read(kPlot,
                         "IN;SP1;PU400,400;PD800,400,800,1200,400,1200,400,400;\r\n"
                         "PU2000 2000;PD2400 2000;SP2;PU0,0;PD40,80;PU;");
  ASSERT_TRUE(reading.read) << reading.report.problem;
  ASSERT_EQ(2u, reading.curves.size());
  const Curve& black = reading.curves[0];
  EXPECT_EQ(0x000000u, black.colour);
  EXPECT_FALSE(black.solid);
  EXPECT_EQ(2, black.subpaths);
  EXPECT_EQ(1, black.closedSubpaths);
  ExpectBox(CFRect(10, 0, 60, 40), black.box);
  EXPECT_NEAR(200.0, black.area, 1e-3);
  EXPECT_EQ(0xFF0000u, reading.curves[1].colour);
  ExpectBox(CFRect(0, 48, 1, 50), reading.curves[1].box);
}

TEST(HpglReader, RelativeMovesSeparatorsEscapesAndLabels) {
  struct Case {
    const char* plot;
    CFRect box;
    int closed;
    int texts;
  };
  const Case cases[] = {
      // Relative moves from (100, 100), one square of 300 units.
      {"IN;PA;PU100,100;PR;PD300,0,0,300,-300,0,0,-300;", CFRect(2.5f, 2.5f, 10, 10), 1, 0},
      // Commands run together without terminators; spaces and commas mixed.
      {"INPU100 100PD200,100 200 300PU", CFRect(2.5f, 2.5f, 5, 7.5f), 0, 0},
      // Printer escapes, a comment with letters in it and labels in both terminators.
      {"\x1b.(;\x1b.I81;;17:IN;CO\"PD9,9\";PU0,0;PD400,0;LBHELLO\x03;DT*;LBAB*;PU;",
       CFRect(0, 0, 10, 0), 0, 2},
  };
  for (const Case& c : cases) {
    Reading reading = Read(kPlot, c.plot);
    ASSERT_TRUE(reading.read) << c.plot;
    ASSERT_EQ(1u, reading.curves.size()) << c.plot;
    ExpectBox(c.box, reading.curves[0].box);
    EXPECT_EQ(c.closed, reading.curves[0].closedSubpaths) << c.plot;
    EXPECT_EQ(c.texts, reading.report.texts) << c.plot;
  }
}

TEST(HpglReader, CirclesArcsWedgesRectanglesAndCurvesInUserUnits) {
  // Pen 2 draws a line from y = 0 to 100 mm first, so the drawing is turned over onto
  // y = 100 - y; pen 1's first curve (its filled one, when it has one) is measured, in
  // millimetres with y up.
  const struct {
    const char* plot;
    float box[4];  // left, bottom, right, top
    double area;   // -1 for an open outline
    bool solid;
    int subpaths, closed;
  } cases[] = {
      // A circle of 5 mm round the pen, drawn with the pen up; a line from its centre after it.
      {"PU400,400;CI200;", {5, 5, 15, 15}, 25 * kPi, false, 1, 1},
      {"PU400,400;CI200;PD800,400;", {5, 5, 20, 15}, 25 * kPi, false, 2, 1},
      // Quarter arcs round (10, 10) from (20, 10): counter-clockwise up, clockwise down; with the
      // pen up an arc only moves it.
      {"PU800,400;PD;AA400,400,90;", {10, 10, 20, 20}, -1, false, 1, 0},
      {"PU800,400;PD;AR-400,0,-90;", {10, 0, 20, 10}, -1, false, 1, 0},
      {"PU800,400;AA400,400,90;PD400,1200;", {10, 20, 10, 30}, -1, false, 1, 0},
      // Three-point arcs: over the top from (20, 10) to (0, 10), and under it.
      {"PU800,400;PD;AT400,800,0,400;", {0, 10, 20, 20}, -1, false, 1, 0},
      {"PU800,400;PD;RT-400,-400,-800,0;", {0, 0, 20, 10}, -1, false, 1, 0},
      // Wedges: a filled quarter from 0 degrees, an edged half from 90.
      {"PU400,400;WG200,0,90;", {10, 10, 15, 15}, 25 * kPi / 4, true, 1, 1},
      {"PU400,400;EW200,90,180;", {5, 5, 10, 15}, 25 * kPi / 2, false, 1, 1},
      // Rectangles: filled to an absolute corner, edged to a relative one.
      {"PU400,400;RA800,600;", {10, 10, 20, 15}, 50, true, 1, 1},
      {"PU400,400;ER-200,-100;", {5, 7.5f, 10, 10}, 12.5, false, 1, 1},
      {"PU0,400;PD;BZ0,800,800,800,800,400;", {0, 10, 20, 17.5f}, -1, false, 1, 0},
      // Scaling: user units 0..100 onto P1 (0, 0) and P2 (100 by 50 mm), as they are, isotropic
      // (centred) and by point factors from P1 alone; a circle becomes an ellipse; SC alone ends
      // it.
      {"IP0,0,4000,2000;SC0,100,0,100;PU50,50;PD100,50,100,100,50,100,50,50;",
       {50, 25, 100, 50},
       1250,
       false,
       1,
       1},
      {"IP0,0,4000,2000;SC0,100,0,100,1;PU0,0;PD100,0,100,100,0,100,0,0;",
       {25, 0, 75, 50},
       2500,
       false,
       1,
       1},
      {"IP400,400;SC0,2,0,4,2;PU0,0;PD10,0,10,10,0,10,0,0;", {10, 10, 10.5f, 11}, 0.5, false, 1, 1},
      {"IP0,0,4000,2000;SC0,100,0,100;PU50,50;CI10;", {40, 20, 60, 30}, 50 * kPi, false, 1, 1},
      {"IP0,0,4000,2000;SC0,100,0,100;PU0,0;PR;PD10,0,0,10,-10,0,0,-10;",
       {0, 0, 10, 5},
       50,
       false,
       1,
       1},
      {"IP0,0,4000,2000;SC0,100,0,100;SC;PU0,0;PD400,0,400,400,0,400,0,0;",
       {0, 0, 10, 10},
       100,
       false,
       1,
       1},
  };
  for (const auto& c : cases) {
    Reading reading = Read(kPlot, std::string("IN;SP2;PU0,0;PD0,4000;PU;SP1;") + c.plot);
    ASSERT_TRUE(reading.read) << c.plot << ": problem " << reading.report.problem;
    ASSERT_LE(2u, reading.curves.size()) << c.plot;
    SCOPED_TRACE(c.plot);
    const Curve& curve = reading.curves[1];
    ExpectBox(CFRect(c.box[0], 100 - c.box[3], c.box[2], 100 - c.box[1]), curve.box);
    if (c.area >= 0) {
      EXPECT_NEAR(c.area, curve.area, 1e-3 * c.area) << c.plot;
    }
    EXPECT_EQ(c.closed, curve.closedSubpaths) << c.plot;
    EXPECT_EQ(c.subpaths, curve.subpaths) << c.plot;
    EXPECT_EQ(c.solid, curve.solid) << c.plot;
    EXPECT_EQ(0, reading.report.others) << c.plot;
  }
}

TEST(HpglReader, CommandsThatDrawOtherwiseAreCountedAsLeftOut) {
  // Fills of polygons, encoded polylines, user characters, ticks, a rotation, a window, scaling
  // points in percent and scaling that makes no drawing; rotating by 0, a window and percent
  // points put back are nothing left out.
  Reading reading = Read(kPlot,
                         "IN;PU0,0;PD400,0,400,400;PM2;FP;PE<=#;UC2,4,99;XT;YT;RO90;IW0,0,9,9;"
                         "IR10,10;SC0,0,0,0;SC1,2;SC0,1,0,1,3;IP5;RO0;IW;IR;SC0,1,0,1;PA;EP;");
  ASSERT_TRUE(reading.read);
  EXPECT_EQ(12, reading.report.others);
}

TEST(HpglReader, DamageAndFilesWithoutPenMovesGiveNothing) {
  struct Case {
    const char* plot;
    int problem;
    int line;
  };
  const Case cases[] = {
      {"IN;\nPU0,0;\nPD999999999,0;", kImportDamaged, 3},
      {"IN;PD1.2.3,4;", kImportDamaged, 1},
      {"IN;PD123456789012345678901234567890123,4;", kImportDamaged, 1},
      {"hello world, these are words", kImportNotThisKind, 0},
      {"", kImportNotThisKind, 0},
      {"IN;SP1;PU100,100;PU;", kImportNothingToRead, 0},
  };
  for (const Case& c : cases) {
    ExpectNothingRead(Read(kPlot, c.plot), c.problem, c.line, c.plot);
  }
}

}  // namespace
