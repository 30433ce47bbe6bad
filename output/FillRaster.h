// CFillRaster: the one-bit picture of the 2-D fill, width x height pixels of one fill step each.
// Shapes (outlines in raster pixels) are painted black with a one-pixel outline on white paper,
// as the drawing view paints filled blocks, and then the pixels of one rectangle are inverted.
// Rows are read back from the bitmap's own bits (a DIB section), never pixel by pixel.
//
// The picture is made band by band: at most about bandBytes of bitmap exist at once, whatever
// the page and the step, and a band is painted when a row of it is first asked for. Rows are read
// from the top down; asking for a row above the current band paints its band again.
//
// A row is packed one bit per pixel, the leftmost pixel in the high bit of the first byte; a bit
// is 1 for white and 0 for black.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "model/geometry/FRect.h"
#include "model/geometry/PointRecord.h"

class CContour;

class CFillRaster {
public:
  enum Problem { kReady, kNoDeviceContext, kNoBitmap };
  static const size_t kDefaultBandBytes = 4 * 1024 * 1024;

  CFillRaster(int width, int height, size_t bandBytes = kDefaultBandBytes);
  ~CFillRaster();
  CFillRaster(const CFillRaster&) = delete;
  CFillRaster& operator=(const CFillRaster&) = delete;

  // Takes the outline's points (its pending matrix applied); its bounding box decides which
  // bands it is painted into.
  void AddShape(const CContour& outline);
  // Pixels left <= x < right, top <= y < bottom are inverted after the shapes are painted.
  void SetInvertedRect(const RECT& rect) { m_inverted = rect; }

  // Makes the memory context and the first band's bitmap.
  Problem Prepare();
  // Row y (0 <= y < height); null before Prepare succeeded or outside the picture.
  const BYTE* Row(int y);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int BandRows() const { return m_bandRows; }

private:
  struct Shape {
    std::vector<POINTREC> points;
    RECT box;
  };

  void PaintBand(int top);
  void PaintShape(const Shape& shape) const;
  void Release();

  int m_width;
  int m_height;
  int m_bandRows;
  int m_stride;
  std::vector<Shape> m_shapes;
  RECT m_inverted;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_keptBitmap;
  BYTE* m_bits;
  int m_bandTop;  // -1 while no band is painted
};
