// Hostile and damaged HP-GL plot files (no window): plots of more pens or longer pen-down runs
// than a drawing holds, however few bytes their arcs and circles take, are refused with nothing
// built, and user units that reach beyond the plotter as damage, while a run of as many points
// as a curve holds, two runs that fill one together and a plot of as many points as a drawing
// holds are read whole; parameters are taken as
// they come however many a command has, a full path takes no more, and mutations of small seeds
// read whole or say why they gave nothing.
#include <gtest/gtest.h>

#include <string>

#include "addons/importfilter/HpglReader.h"
#include "addons/importfilter/ImportPath.h"
#include "addons/importfilter/ImportTestSupport.h"
#include "addons/importfilter/ImportedDrawing.h"
#include "support/ByteMutator.h"

using namespace import_test;

namespace {

std::string Pens(int count) {
  std::string plot = "IN;";
  for (int pen = 1; pen <= count; ++pen) plot += "SP" + std::to_string(pen) + ";PU0,0;PD9,9;";
  return plot;
}

// A pen-down run of so many points in all (its start among them), ending away from its start.
std::string PenDownRun(size_t points) {
  std::string run = "PU0,0;PD";
  for (size_t i = 1; i < points; ++i) run += i % 2 ? "1,1," : "9,9,";
  run.back() = ';';
  return run;
}

size_t PointsOf(const Reading& reading) {
  size_t points = 0;
  for (const Curve& curve : reading.curves) points += curve.points.size();
  return points;
}

TEST(HpglHostileInput, PlotsBeyondWhatADrawingHoldsAreRefusedBeforeAnythingIsBuilt) {
  const struct {
    std::string plot;
    int problem;
    int line;
  } cases[] = {
      {Pens(1025), kImportTooComplex, 0},
      {"IN;PU0,0;PD" + Repeated("1,1,9,9,", 98304) + ";", kImportTooComplex, 0},  // one run
      {"IN;" + PenDownRun(CImportedDrawing::kMostCurvePoints + 1), kImportTooComplex, 0},
      {"IN;PU0,0;PD" + Repeated("1,1,9,9,", 5000) + "\n1.2.3;", kImportDamaged, 2},
      // Arcs of many turns in one run (each drawn as two turns at most), circles on one pen.
      {"IN;PU40,0;PD;" + Repeated("AA0,0,99999999;", 8200), kImportTooComplex, 0},
      {"IN;" + Repeated("CI40;", 310000), kImportTooComplex, 0},
      // User units so large that a move or a circle in them lands beyond the plotter's reach.
      {"IN;IP0,0,1,1;SC0,0.00001,0,0.00001;PU0,0;PD\n2000,2000;", kImportDamaged, 2},
      {"IN;IP0,0,1,1;SC0,0.00001,0,0.00001;PU0,0;\nCI2000;", kImportDamaged, 2},
  };
  for (const auto& c : cases)
    ExpectNothingRead(Read(kPlot, c.plot), c.problem, c.line, c.plot.substr(0, 80));
  // At the limits: a run of the most points a curve holds; two pens of 40 runs of 100,000 points,
  // the most a drawing holds; 1,024 pens; a skipped command of 200,000 parameters before the moves.
  Reading longest = Read(kPlot, "IN;" + PenDownRun(CImportedDrawing::kMostCurvePoints));
  ASSERT_EQ(1u, longest.curves.size());
  EXPECT_EQ(CImportedDrawing::kMostCurvePoints, longest.curves[0].points.size());
  // Two runs of as many points together as a curve holds share one; a point more takes two.
  for (size_t more : {0, 1}) {
    const size_t first = 100000, second = CImportedDrawing::kMostCurvePoints - first + more;
    Reading two = Read(kPlot, "IN;" + PenDownRun(first) + PenDownRun(second));
    EXPECT_EQ(1 + more, two.curves.size()) << more;
    EXPECT_EQ(first + second, PointsOf(two)) << more;
  }
  const std::string runs = Repeated(PenDownRun(100000), 40);
  Reading fullest = Read(kPlot, "IN;SP1;" + runs + "SP2;" + runs);
  EXPECT_EQ(size_t(CImportedDrawing::kMaxTotalPoints), PointsOf(fullest));
  ASSERT_FALSE(fullest.curves.empty());
  EXPECT_EQ(CHpglReader::PenColour(2), fullest.curves.back().colour);
  EXPECT_EQ(1024u, Read(kPlot, Pens(1024)).curves.size());
  Reading skipped = Read(kPlot, "IN;SP1;VS" + Repeated("1,", 200000) + ";PU0,0;PD400,0,400,80;");
  ASSERT_EQ(1u, skipped.curves.size());
  EXPECT_NEAR(10, skipped.curves[0].box.Width(), 1e-4);
  EXPECT_NEAR(2, skipped.curves[0].box.Height(), 1e-4);
}

TEST(HpglHostileInput, APathThatCanHoldNoMoreTakesNoFurtherPieces) {
  // Pen-down runs, each closed, until the pen's path is full: the next run's move finds no room,
  // and its lines and close must not reach for a start past the path's end.
  CImportPath path;
  while (!path.Overflowed()) {
    path.MoveTo(0, 0);
    for (int i = 1; i <= 1000; ++i) path.LineTo(i, i % 2);
    path.Close();
  }
  const size_t full = path.Size();
  path.MoveTo(5, 5);
  EXPECT_FALSE(path.LineTo(6, 6));
  path.Close();
  EXPECT_FALSE(path.CurveTo(1, 1, 2, 2, 3, 3));
  EXPECT_EQ(full, path.Size());
}

TEST(HpglHostileInput, MutatedSeedsReadWholeOrSayWhy) {
  const char* const seeds[] = {
      "IN;SP1;PU400,400;PD800,400,800,1200,400,1200,400,400;SP2;PR;PD40,80,-40,0;PA;PU0,0;",
      "\x1b.(;IN;CO\"PD9,9\";SP3;PU0 0 PD400 0 400 400 0 400 0 0 PU;LBAB\x03;DT*;LBX*;VS9;SP1;"
      "PD;PR100,0,0,100;",
      "IN;IP0,0,4000,4000;SC0,100,0,100;SP1;PU10,10;PD;AA50,50,90;AR5,5,-45;AT60,60,70,10;CI5;"
      "WG5,0,90;EW5,90,180;RA60,60;PR;ER5,5;BZ1,1,2,2,3,3;SC0,2,0,4,2;PA;RT1,1,2,0;SC;IP;PU;",
  };
  const char* const values[] = {"0", "-1", "100000000", "100000001", "4000000", "1.5", "-", "."};
  ByteMutator mutator(77);
  auto random = [&mutator](size_t range) { return size_t(mutator.Below(range)); };
  for (const std::string text : seeds) {
    ASSERT_TRUE(Read(kPlot, text).read) << text;
    for (int trial = 0; trial < 600; ++trial) {
      std::string plot = text;
      const size_t at = random(plot.size()), end = plot.find(';', at);
      if (trial % 3 == 0) {  // a number changed
        const size_t digit = plot.find_first_of("0123456789", at);
        if (digit != std::string::npos)
          plot.replace(digit, plot.find_first_not_of("0123456789.", digit) - digit,
                       values[random(sizeof values / sizeof *values)]);
      } else if (trial % 3 == 1 && end != std::string::npos) {  // commands repeated
        plot.insert(at, Repeated(plot.substr(at, end + 1 - at), 1 + random(3000)));
      } else {  // cut short
        plot.resize(at);
      }
      Reading reading = Read(kPlot, plot);
      EXPECT_EQ(reading.read, reading.report.problem == kImportRead) << plot;
      EXPECT_EQ(reading.read, !reading.curves.empty()) << plot;
    }
  }
}

}  // namespace
