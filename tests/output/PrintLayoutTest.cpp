// The print arithmetic against hand-worked cases, without windows or printers: the fit ratios
// (page and drawing, rotated, inside margins, for drawings far larger than the paper, empty or
// flat drawings), the matrix from page millimetres to printer pixels (ratio, margins, rotation
// back onto the paper, mirror, fit to drawing, unequal resolutions) and the values the dialog
// shows first. The page is 400 x 300, the drawing (50, 20)-(250, 120), the printable paper
// 190 x 277 with borders 5, 6, 15, 14 (an A4 sheet), 10 pixels per millimetre.
#include <gtest/gtest.h>

#include <functional>

#include "output/PrintLayout.h"

namespace {

PrintGeometry Base() {
  PrintGeometry g;
  g.pageWidth = 400;
  g.pageHeight = 300;
  g.drawing = CFRect(50, 20, 250, 120);
  g.hasDrawing = true;
  g.printer.paperWidth = 190;
  g.printer.paperHeight = 277;
  const float borders[4] = {5, 6, 15, 14};
  for (int side = 0; side < 4; ++side) g.printer.borders[side] = borders[side];
  g.printer.pixelsPerMmX = g.printer.pixelsPerMmY = 10;
  return g;
}

void Margins(PrintGeometry& g, float left, float top, float right, float bottom) {
  g.margins[0] = left;
  g.margins[1] = top;
  g.margins[2] = right;
  g.margins[3] = bottom;
}

TEST(PrintLayout, FitRatiosOfHandWorkedCases) {
  struct Case {
    const char* name;
    std::function<void(PrintGeometry&)> change;
    int zoom;
    float ratio;
  };
  // clang-format off
  const Case cases[] = {
      {"page: the width limits", [](PrintGeometry&) {}, CPrintLayout::kFitPage, 190.0f / 400},
      {"page on its side", [](PrintGeometry& g) { g.rotate = true; }, CPrintLayout::kFitPage,
       190.0f / 300},
      {"drawing", [](PrintGeometry&) {}, CPrintLayout::kFitDrawing, 190.0f / 200},
      {"drawing on its side: the height limits", [](PrintGeometry& g) { g.rotate = true; },
       CPrintLayout::kFitDrawing, 277.0f / 200},
      // Insets 15, 24, 10, 10: 165 x 243 are left.
      {"page inside margins", [](PrintGeometry& g) { Margins(g, 20, 30, 25, 24); },
       CPrintLayout::kFitPage, 165.0f / 400},
      {"margins within the borders take nothing", [](PrintGeometry& g) { Margins(g, 2, 2, 2, 2); },
       CPrintLayout::kFitPage, 190.0f / 400},
      {"a drawing 500 times the paper keeps its ratio",
       [](PrintGeometry& g) { g.drawing = CFRect(0, 0, 100000, 50000); }, CPrintLayout::kFitDrawing,
       190.0f / 100000},
      {"an empty page fits as the page", [](PrintGeometry& g) { g.hasDrawing = false; },
       CPrintLayout::kFitDrawing, 190.0f / 400},
      {"a flat line fits by its length", [](PrintGeometry& g) { g.drawing = CFRect(10, 10, 110, 10); },
       CPrintLayout::kFitDrawing, 190.0f / 100},
      {"a drawing drawn backwards", [](PrintGeometry& g) { g.drawing = CFRect(250, 120, 50, 20); },
       CPrintLayout::kFitDrawing, 190.0f / 200},
      {"no room inside the margins", [](PrintGeometry& g) { Margins(g, 100, 0, 120, 0); },
       CPrintLayout::kFitPage, CPrintLayout::kSmallestRatio},
      {"custom", [](PrintGeometry&) {}, CPrintLayout::kCustom, 0.25f},
  };
  // clang-format on
  for (const Case& c : cases) {
    PrintGeometry g = Base();
    c.change(g);
    EXPECT_NEAR(c.ratio, CPrintLayout(g).Ratio(c.zoom, 0.25f), 1e-6f) << c.name;
  }
  PrintGeometry g = Base();
  Margins(g, 100, 0, 120, 0);
  EXPECT_FALSE(CPrintLayout(g).HasArea());
  EXPECT_TRUE(CPrintLayout(Base()).HasArea());
}

TEST(PrintLayout, RotationExchangesTheShownSizes) {
  PrintGeometry g = Base();
  CPrintLayout upright(g);
  EXPECT_EQ(400, upright.PageWidth());
  EXPECT_EQ(100, upright.DrawingHeight());
  g.rotate = true;
  CPrintLayout turned(g);
  EXPECT_EQ(300, turned.PageWidth());
  EXPECT_EQ(400, turned.PageHeight());
  EXPECT_EQ(100, turned.DrawingWidth());
  EXPECT_EQ(200, turned.DrawingHeight());
  g.hasDrawing = false;
  EXPECT_EQ(0, CPrintLayout(g).DrawingWidth());
}

TEST(PrintLayout, TheMatrixPutsPagePointsWhereHandWorkedOnThePaper) {
  struct Case {
    const char* name;
    std::function<void(PrintGeometry&)> change;
    int zoom;
    float ratio;
    float pixelsY;
    FPOINT page;
    FPOINT pixels;
  };
  const auto none = [](PrintGeometry&) {};
  const auto rotate = [](PrintGeometry& g) { g.rotate = true; };
  const auto mirror = [](PrintGeometry& g) { g.mirror = true; };
  const auto insets = [](PrintGeometry& g) { Margins(g, 25, 36, 0, 0); };  // insets 20, 30
  // clang-format off
  const Case cases[] = {
      {"as drawn", none, CPrintLayout::kCustom, 1, 10, {50, 20}, {500, 200}},
      {"unequal resolutions", none, CPrintLayout::kCustom, 1, 12, {250, 120}, {2500, 1440}},
      {"half size inside margins", insets, CPrintLayout::kCustom, 0.5f, 10, {50, 20}, {450, 400}},
      // A quarter turn counter-clockwise: (x, y) goes to (y, 400 - x), still on the paper.
      {"rotated corner", rotate, CPrintLayout::kCustom, 1, 10, {0, 0}, {0, 4000}},
      {"rotated far corner", rotate, CPrintLayout::kCustom, 1, 10, {400, 300}, {3000, 0}},
      {"rotated point", rotate, CPrintLayout::kCustom, 1, 10, {50, 20}, {200, 3500}},
      {"mirrored about the page's middle", mirror, CPrintLayout::kCustom, 1, 10, {50, 20},
       {3500, 200}},
      {"mirrored, then rotated",
       [](PrintGeometry& g) { g.mirror = g.rotate = true; }, CPrintLayout::kCustom, 1, 10,
       {50, 20}, {200, 500}},
      // Fit to drawing brings the drawing's corner to the margins.
      {"drawing corner to the margins", insets, CPrintLayout::kFitDrawing, 0.95f, 10, {50, 20},
       {200, 300}},
      {"drawing's far corner", insets, CPrintLayout::kFitDrawing, 0.95f, 10, {250, 120},
       {2100, 1250}},
      {"rotated drawing to the paper's corner", rotate, CPrintLayout::kFitDrawing, 1, 10,
       {250, 120}, {1000, 0}},
      {"rotated drawing's other corner", rotate, CPrintLayout::kFitDrawing, 1, 10, {50, 20},
       {0, 2000}},
      {"fit to page keeps the page's origin", insets, CPrintLayout::kFitPage, 0.5f, 10, {0, 0},
       {200, 300}},
  };
  // clang-format on
  for (const Case& c : cases) {
    PrintGeometry g = Base();
    c.change(g);
    CMatrix2D matrix = CPrintLayout(g).Matrix(c.ratio, c.zoom, 10, c.pixelsY);
    FPOINT point = c.page;
    matrix.TransformPoint(&point);
    EXPECT_NEAR(c.pixels.x, point.x, 0.01f) << c.name;
    EXPECT_NEAR(c.pixels.y, point.y, 0.01f) << c.name;
  }
}

TEST(PrintLayout, ShownRatiosAndMargins) {
  EXPECT_NEAR(0.47499f, CPrintLayout::ShownRatio(0.475f), 1e-7f);
  EXPECT_EQ(CPrintLayout::kSmallestRatio, CPrintLayout::ShownRatio(0.000015f));
  EXPECT_EQ(CPrintLayout::kSmallestRatio, CPrintLayout::ShownRatio(CPrintLayout::kSmallestRatio));
  struct Case {
    float stored, border, shown;
  };
  // The border rounded to whole millimetres is the least a margin shows.
  const Case cases[] = {{0, 6.35f, 6}, {10, 6.35f, 10}, {0, 6.5f, 7}, {3, 0, 3}, {0, -1, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(c.shown, CPrintLayout::ShownMargin(c.stored, c.border))
        << c.stored << " " << c.border;
}

}  // namespace
