// The line halftone of an 8-bit image block: horizontal bars across the image's box, one every
// "BarHeight" page units from its top, each a closed outline whose lower edge follows the grey
// level of the rows it covers, so that a plotter cuts the picture as bars of varying thickness.
//
// Grey levels are palette greys: each pixel's colour-table entry by its luminance (0.299 red,
// 0.587 green, 0.114 blue), so that an image of any palette gives what it shows; an index past the
// table counts as black. Rows are taken top row first whichever way the file stores them. A grey
// of 0 gives the thinnest stroke (BarMinHeight percent of the bar), 255 the thickest
// (BarMaxHeight percent).
//
// The curve's x unit is one pixel column (its matrix scales x to page units); y is in page units
// from the box's top. Its box is the image block's box.
#pragma once

#include <windows.h>

class CCurveBlock;
class CImageBlock;

// The "IMAGE" settings of the application profile that the bars follow.
struct BarSettings {
  float barHeight = 7.0f;
  int minPercent = 15;
  int maxPercent = 85;
  // Grey levels the lower edge may stray from a straight piece before a point is kept.
  int grayThreshold = 3;

  static BarSettings FromProfile();
};

// A new curve of the bars (the caller owns it), or null when the image has not 8 bits per pixel,
// its pixels cannot be read or the bars would hold more points than one curve record can. A box
// lower than one bar, a bar height of 0 or less, and an image with fewer pixel rows than bars give
// a curve with only its end record.
CCurveBlock* MakeBarHalftoneCurve(CImageBlock* image, const BarSettings& settings);
// The same with the settings of the profile.
CCurveBlock* MakeBarHalftoneCurve(CImageBlock* image);
