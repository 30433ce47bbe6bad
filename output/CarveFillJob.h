// CCarveFillJob: one run of the 2-D fill output. The drawing inside the raster box (the output
// box grown by the area expansion) is painted into a one-bit raster whose pixel pitch is the fill
// step, and the area rectangle (the page, or the single block's box grown by the expansion and
// more) is inverted. Without InverseOut the fill is relief: inside the area everything but the
// drawing is ink and is engraved away, so that the drawing stands. With InverseOut (intaglio,
// "阴刻") the drawing itself is ink, and so is the margin that the expansion adds around a page
// area. Every run of ink pixels of a row becomes one engraved line ("MoveTo" to its start,
// "LineTo" to its end). The drawing's outlines can follow.
//
// Units: the page and the boxes are millimetres; raster pixels are fill steps; the device takes
// units of its resolution. Page to raster: moved to the raster box's corner and scaled by
// 1 / step, then mirrored and turned by 90 degrees as the options say (a turned raster has its
// sides exchanged, so that nothing of the drawing falls off). Raster to device: scaled by
// step / resolution and moved to the device's stored origin, or centred on its zero point.
// With FillMode set the raster is scanned in columns instead of rows.
//
// The job writes through a device and port that its caller owns and has set to the target; it
// tests the caller's stop flag before every row and outline, and pumps one window message per
// row through its progress.
#pragma once

#include <windows.h>

#include <memory>

#include "model/blocks/GroupBlock.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"
#include "output/CarveDevice.h"

class COutPort;
class CSegArray;

// The options of a fill, as the fill dialog reads them.
struct CarveFillOptions {
  int doubleWay = 1;
  int inverseOut = 0;
  int drawContour = 0;
  int remoteOut = 0;
  int fillMode = 0;  // 1: scanned in columns
  int rotate = 0;
  int mirror = 1;
  float fillStep = 0.1f;    // mm per raster pixel, 0 < step <= 10
  float areaExpand = 0.0f;  // mm, not negative
  CFRect outputBox;         // mm
  int areaKind = 0;  // 0 the page, 1 square, 2 circle, 3 diamond, 4 triangle, 5 inverted triangle
};

// What a running fill reports to its window.
class CCarveFillProgress {
public:
  virtual ~CCarveFillProgress() = default;
  virtual void SetRange(int upper) = 0;
  virtual void SetPosition(int position) = 0;
  // Handles one waiting window message, so that a stop button works.
  virtual void PumpMessage() = 0;
};

class CCarveFillJob {
public:
  enum Result {
    kDone,
    kStopped,
    kNothingToFill,   // the raster box is smaller than one step
    kRasterTooLarge,  // more pixels on a side than a raster may have
    kNoDeviceContext,
    kNoBitmap,
    kStartFailed,  // see GetStartResult
    kWriteFailed,  // the port refused data of the job
  };
  // Pixels a raster may have on a side.
  static const int kMaxRasterSide = 1 << 18;

  CCarveFillJob(const CarveFillOptions& options, const CFRect& page);

  // The raster's size (already turned) and the page-to-raster matrix.
  int RasterWidth() const { return m_width; }
  int RasterHeight() const { return m_height; }
  const CMatrix2D& PageToRaster() const { return m_pageToRaster; }
  // The rectangle inverted in the raster, in page units.
  CFRect AreaRect() const;
  // Raster pixel (j, i) to device units for the device's resolution and origin.
  CMatrix2D RasterToDevice(const CCarveDevice& device) const;

  // Paints the blocks into the raster band by band, starts the device on the port, sends the
  // runs and then the outlines (curves in page units; may be null), and finishes the device.
  // A raster that cannot be made starts nothing.
  Result Run(const CSegArray& blocks, std::unique_ptr<CGroupBlock> outlines, CCarveDevice& device,
             COutPort& port, HWND owner, int* stopFlag, CCarveFillProgress& progress);
  CCarveDevice::StartResult GetStartResult() const { return m_startResult; }

  // A block is painted and outlined when it lies at least partly on the page.
  static bool LiesOnPage(const CFRect& box, const CFRect& page);

  // For the tests: the rows of a band (0: as large as the default band allows).
  void SetBandRows(int rows) { m_bandRows = rows; }

private:
  bool FillRows(class CFillRaster& raster, CCarveDevice& device, const int* stopFlag,
                CCarveFillProgress& progress) const;
  void SendOutlines(std::unique_ptr<CGroupBlock> outlines, CCarveDevice& device,
                    const int* stopFlag, CCarveFillProgress& progress) const;

  CarveFillOptions m_options;
  CFRect m_page;
  CFRect m_rasterBox;
  float m_scale;  // raster pixels per mm
  int m_width;
  int m_height;
  CMatrix2D m_pageToRaster;
  int m_bandRows;
  CCarveDevice::StartResult m_startResult;
};
