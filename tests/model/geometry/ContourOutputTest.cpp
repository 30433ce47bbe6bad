#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "model/ContourTestSupport.h"
#include "model/geometry/ContourShapes.h"

namespace {

using ContourPtr = std::unique_ptr<CContour>;

std::string Hpgl(const CContour& contour) {
  return WrittenText([&contour](CFile* file) { contour.WriteHPGL(file); });
}

std::string AiPath(const CContour& contour) {
  return WrittenText([&contour](CFile* file) { contour.WriteAIPath(file); });
}

// "PU" to the start, then "PD" to every point: the expected plotter text.
std::string PlotterText(int x, int y, std::initializer_list<std::pair<int, int>> pendown) {
  char line[40];
  snprintf(line, sizeof line, "PU%d,%d;\r\n", x, y);
  std::string text = line;
  for (const auto& p : pendown) {
    snprintf(line, sizeof line, "PD%d,%d;\r\n", p.first, p.second);
    text += line;
  }
  return text;
}

TEST(ContourOutput, SquareAsPlotterCommands) {
  ContourPtr square(MakeSquare());
  EXPECT_EQ("PU0,0;\r\nPD100,0;\r\nPD100,100;\r\nPD0,100;\r\nPD0,0;\r\n", Hpgl(*square));
  // A closing point off the start: the pen is taken back to the start.
  ContourPtr skewed(MakeContour({{0.5f, 0.5f, 0x11}, {10, 0, 0x01}, {10.7f, 10, 0x41}}));
  EXPECT_EQ("PU0,0;\r\nPD10,0;\r\nPD10,10;\r\nPD0,0;\r\n", Hpgl(*skewed));
}

TEST(ContourOutput, CircleAsPlotterCommands) {
  ContourPtr circle(ContourFromEllipse(0, 0, 100, 100));
  std::string text = Hpgl(*circle);
  // Each quarter is cut into 32 chords within 2 degrees of the curve.
  // clang-format off
  EXPECT_EQ(PlotterText(0, 50, {
    {0, 47}, {0, 44}, {0, 42}, {1, 39}, {1, 37}, {2, 35}, {3, 32}, {3, 30}, {4, 28}, {6, 26},
    {7, 24}, {8, 22}, {9, 20}, {11, 18}, {12, 16}, {14, 14}, {16, 12}, {18, 11}, {20, 9}, {22, 8},
    {24, 7}, {26, 6}, {28, 4}, {30, 3}, {32, 3}, {35, 2}, {37, 1}, {39, 1}, {42, 0}, {44, 0},
    {47, 0}, {50, 0}, {52, 0}, {55, 0}, {57, 0}, {60, 1}, {62, 1}, {64, 2}, {67, 3}, {69, 3},
    {71, 4}, {73, 6}, {75, 7}, {77, 8}, {79, 9}, {81, 11}, {83, 12}, {85, 14}, {87, 16}, {88, 18},
    {90, 20}, {91, 22}, {92, 24}, {93, 26}, {95, 28}, {96, 30}, {96, 32}, {97, 35}, {98, 37},
    {98, 39}, {99, 42}, {99, 44}, {99, 47}, {100, 50}, {99, 52}, {99, 55}, {99, 57}, {98, 60},
    {98, 62}, {97, 64}, {96, 67}, {96, 69}, {95, 71}, {93, 73}, {92, 75}, {91, 77}, {90, 79},
    {88, 81}, {87, 83}, {85, 85}, {83, 87}, {81, 88}, {79, 90}, {77, 91}, {75, 92}, {73, 93},
    {71, 95}, {69, 96}, {67, 96}, {64, 97}, {62, 98}, {60, 98}, {57, 99}, {55, 99}, {52, 99},
    {50, 100}, {47, 99}, {44, 99}, {42, 99}, {39, 98}, {37, 98}, {35, 97}, {32, 96}, {30, 96},
    {28, 95}, {26, 93}, {24, 92}, {22, 91}, {20, 90}, {18, 88}, {16, 87}, {14, 85}, {12, 83},
    {11, 81}, {9, 79}, {8, 77}, {7, 75}, {6, 73}, {4, 71}, {3, 69}, {3, 67}, {2, 64}, {1, 62},
    {1, 60}, {0, 57}, {0, 55}, {0, 52}, {0, 50}}),
            text);
  // clang-format on
  // Every written point lies on the circle, within truncation.
  const char* at = text.c_str();
  int x, y, used, points = 0;
  while (sscanf(at, "P%*c%d,%d;\r\n%n", &x, &y, &used) == 2) {
    EXPECT_NEAR(50.0, std::hypot(x - 50.0, y - 50.0), 1.5) << x << "," << y;
    at += used;
    ++points;
  }
  EXPECT_EQ('\0', *at);
  EXPECT_GT(points, 16);
}

TEST(ContourOutput, OpenCurveAsPlotterCommands) {
  ContourPtr curve(MakeOpenCurve());
  // clang-format off
  EXPECT_EQ(PlotterText(10, 10, {
    {60, 10}, {61, 10}, {62, 10}, {63, 10}, {64, 10}, {66, 10}, {67, 10}, {68, 11}, {69, 11},
    {71, 12}, {73, 12}, {74, 13}, {76, 14}, {77, 15}, {79, 15}, {80, 16}, {82, 17}, {83, 18},
    {84, 20}, {86, 21}, {87, 22}, {88, 23}, {89, 25}, {91, 26}, {92, 27}, {93, 29}, {94, 30},
    {94, 32}, {95, 33}, {96, 35}, {97, 36}, {97, 38}, {98, 40}, {98, 41}, {99, 42}, {99, 43},
    {99, 45}, {99, 46}, {99, 47}, {99, 48}, {100, 50}}),
            Hpgl(*curve));
  // clang-format on
}

TEST(ContourOutput, DegeneratePiecesWriteNothingExtra) {
  // A Bezier piece whose four points coincide writes nothing; a straight line written as a Bezier
  // (controls on its ends) is one command, not thousands.
  ContourPtr dot(MakeContour({{5, 5, 0x11}, {5, 5, 0}, {5, 5, 0}, {5, 5, 0x21}}));
  EXPECT_EQ("PU5,5;\r\n", Hpgl(*dot));
  ContourPtr line(MakeContour({{0, 0, 0x11}, {0, 0, 0}, {30, 40, 0}, {30, 40, 0x21}}));
  EXPECT_EQ("PU0,0;\r\nPD30,40;\r\n", Hpgl(*line));
  EXPECT_EQ("", Hpgl(CContour()));
}

TEST(ContourOutput, SquareAsIllustratorPath) {
  ContourPtr square(MakeSquare());
  EXPECT_EQ(
      "u\r\n0.000 0.000 m\r\n100.000 0.000 l\r\n100.000 100.000 l\r\n0.000 100.000 l\r\n"
      "0.000 0.000 l\r\nF\r\nU\r\n",
      AiPath(*square));
  ContourPtr triangle(MakeContour({{0, 0, 0x11}, {10, 0, 0x01}, {5, 8, 0x01}, {0, 0, 0x41}}));
  EXPECT_EQ("u\r\n0.000 0.000 m\r\n10.000 0.000 l\r\n5.000 8.000 l\r\n0.000 0.000 l\r\nF\r\nU\r\n",
            AiPath(*triangle));
}

TEST(ContourOutput, CircleAndOpenCurveAsIllustratorPath) {
  ContourPtr circle(ContourFromEllipse(0, 0, 100, 100));
  EXPECT_EQ(
      "u\r\n0.000 50.000 m\r\n0.000 22.350 22.350 0.000 50.000 0.000 c\r\n"
      "77.650 0.000 100.000 22.350 100.000 50.000 c\r\n"
      "100.000 77.650 77.650 100.000 50.000 100.000 c\r\n"
      "22.350 100.000 0.000 77.650 0.000 50.000 c\r\nF\r\nU\r\n",
      AiPath(*circle));
  ContourPtr curve(MakeOpenCurve());
  EXPECT_EQ(
      "u\r\n10.000 10.000 m\r\n60.000 10.000 l\r\n80.000 10.000 100.000 30.000 100.000 50.000 c\r\n"
      "f\r\nU\r\n",
      AiPath(*curve));
}

}  // namespace
