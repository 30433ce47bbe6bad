// CShapeLayouts: what the shape dialogs compute, apart from their windows, so that tests reach it
// directly: the cells and frame of a table, the frames around selected blocks, and the steps of
// the dialogs' spin buttons. Coordinates are page units.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"

class CCurveBlock;

class CShapeLayouts {
public:
  // A table's values as the dialog reads them: the outer frame's distance a from the cells, the
  // gap b between cells, and the column widths and row heights as comma-separated lists.
  struct Table {
    float outer;
    float inner;
    const char* widths;
    const char* heights;
  };
  // Cells, row by row, and the outer frame. Empty when a width is not above 0 or when the lists
  // give no column or no row (a frame around no cells has nothing to stand for).
  struct TableLayout {
    std::vector<CFRect> cells;
    CFRect frame;
  };
  // Lists read field by field until a field is missing or not a number; this many at most, so
  // that a table stays a table (and a curve of bounded size).
  static constexpr int kMaxTableColumns = 100;
  static constexpr int kMaxTableRows = 100;

  static TableLayout LayOutTable(float x0, float y0, const Table& table);
  // The cells and the frame as one curve of closed rectangles; null for an empty layout.
  static CCurveBlock* MakeTableCurve(const TableLayout& layout);

  // The frames around one block's box: R grown by xs left and right and by ys above and below,
  // and for a double line R grown further by wy left and right and by wx above and below.
  struct Frame {
    float xSpace;
    float ySpace;
    float xWidth;
    float yWidth;
    bool doubleLine;
  };
  static std::vector<CFRect> FramesAround(const CFRect& box, const Frame& frame);
  static CCurveBlock* MakeFrameCurve(const CFRect& box, const Frame& frame);

  // The polygon dialog's spin: the corner count after a click, kept within 3 .. 360.
  static constexpr int kMinCorners = 3;
  static constexpr int kMaxCorners = 360;
  static int StepCorners(int current, int delta);
  // The outline-thickness dialog's spins: the up arrow (delta 0 or less) adds 1, the down arrow
  // takes 1 away. The thickness has no bounds, the two angle thresholds stay within 0 .. 180 and
  // the accuracy (a power of ten) within -15 .. -5.
  static float StepThickness(float value, int delta);
  static float StepAngleThreshold(float value, int delta);
  static int StepAccuracy(int value, int delta);
  // 10 to the power of the accuracy, as the library takes it.
  static double AccuracyNumber(int accuracy);
};
