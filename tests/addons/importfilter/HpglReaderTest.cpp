// The HP-GL reader (no window): pen moves in plotter units (40 per millimetre, y up) become one
// curve per pen, turned over within the drawing's box; labels are counted as text left out;
// numbers out of range and files without pen moves are refused.
#include <gtest/gtest.h>

#include "addons/importfilter/ImportTestSupport.h"

using namespace import_test;

namespace {

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
