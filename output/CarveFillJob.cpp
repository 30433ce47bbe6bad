#include "output/CarveFillJob.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/blocks/Block.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"
#include "output/FillRaster.h"
#include "output/FillScan.h"
#include "output/OutPort.h"

namespace {

// A product such as 100 mm x 10 pixels per mm may come out a hair below its whole number in
// floats; it must still count as that many pixels.
const double kWholePixelSlack = 1e-4;

int WholePixels(float length, float scale) {
  double pixels = std::floor(static_cast<double>(length) * scale + kWholePixelSlack);
  if (!(pixels > 0.0)) return 0;
  return pixels > CCarveFillJob::kMaxRasterSide ? CCarveFillJob::kMaxRasterSide + 1
                                                : static_cast<int>(pixels);
}

// Columns become rows: (x, y) to (y, x).
CMatrix2D Transposition() {
  CMatrix2D matrix;
  matrix.m[0] = matrix.m[4] = 0.0f;
  matrix.m[1] = matrix.m[3] = 1.0f;
  return matrix;
}

LONG NearestPixel(float value) {
  double pixel = std::floor(static_cast<double>(value) + 0.5);
  return static_cast<LONG>(std::max(-1.0e9, std::min(1.0e9, pixel)));
}

}  // namespace

CCarveFillJob::CCarveFillJob(const CarveFillOptions& options, const CFRect& page)
    : m_options(options),
      m_page(page),
      m_scale(0.0f),
      m_width(0),
      m_height(0),
      m_bandRows(0),
      m_startResult(CCarveDevice::kStarted) {
  m_options.areaExpand = std::max(0.0f, options.areaExpand);
  m_rasterBox = options.outputBox;
  m_rasterBox.Normalize();
  m_rasterBox.Inflate(m_options.areaExpand, m_options.areaExpand);
  if (options.fillStep > 0.0f) m_scale = 1.0f / options.fillStep;
  const int width = WholePixels(m_rasterBox.Width(), m_scale);
  const int height = WholePixels(m_rasterBox.Height(), m_scale);
  m_pageToRaster = CMatrix2D::Translation(-m_rasterBox.left, -m_rasterBox.top);
  m_pageToRaster.Multiply(CMatrix2D::Scaling(m_scale));
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  if (options.mirror) m_pageToRaster.Multiply(MakeMirrorMatrix(0.0f, 0.0f, w, h, true, false));
  m_width = width;
  m_height = height;
  if (options.rotate) {
    // Turned about the raster's centre, then moved back onto the raster with its sides
    // exchanged: (x, y) goes to (h - y, x).
    m_pageToRaster.Multiply(MakeRotationMatrixAboutBox(0.0f, 0.0f, w, h, 90.0f));
    m_pageToRaster.Multiply(CMatrix2D::Translation((h - w) / 2.0f, (w - h) / 2.0f));
    std::swap(m_width, m_height);
  }
}

bool CCarveFillJob::LiesOnPage(const CFRect& box, const CFRect& page) {
  CFRect b = box;
  b.Normalize();
  return b.left <= page.right && b.right >= page.left && b.bottom >= page.top &&
         b.top <= page.bottom;
}

CFRect CCarveFillJob::AreaRect() const {
  if (m_options.areaKind == 0) return m_page;
  // Grown by one pixel's worth and more: the whole raster is inverted whatever the kind.
  CFRect area = m_options.outputBox;
  area.Normalize();
  const float grow = m_options.areaExpand + m_scale;
  area.Inflate(grow, grow);
  return area;
}

CMatrix2D CCarveFillJob::RasterToDevice(const CCarveDevice& device) const {
  const float resolution = device.m_resolution > 0.0f ? device.m_resolution : 1.0f;
  const float step = m_options.fillStep;
  CMatrix2D matrix = CMatrix2D::Scaling(step / resolution);
  if (device.m_originMode != 0) {
    matrix.m[6] = device.m_originX / resolution;
    matrix.m[7] = device.m_originY / resolution;
  } else {
    // Centred on the device's zero point.
    matrix.m[6] = -0.5f * static_cast<float>(m_width) * step / resolution;
    matrix.m[7] = -0.5f * static_cast<float>(m_height) * step / resolution;
  }
  return matrix;
}

CCarveFillJob::Result CCarveFillJob::Run(const CSegArray& blocks,
                                         std::unique_ptr<CGroupBlock> outlines,
                                         CCarveDevice& device, COutPort& port, HWND owner,
                                         int* stopFlag, CCarveFillProgress& progress) {
  if (m_width <= 0 || m_height <= 0) return kNothingToFill;
  if (m_width > kMaxRasterSide || m_height > kMaxRasterSide) return kRasterTooLarge;
  const bool columns = m_options.fillMode != 0;
  CMatrix2D paint = m_pageToRaster;
  if (columns) paint.Multiply(Transposition());
  const int scanWidth = columns ? m_height : m_width;
  const int scanHeight = columns ? m_width : m_height;
  const size_t stride = static_cast<size_t>((scanWidth + 31) / 32) * 4;
  CFillRaster raster(scanWidth, scanHeight,
                     m_bandRows > 0 ? stride * static_cast<size_t>(m_bandRows)
                                    : CFillRaster::kDefaultBandBytes);
  // Last to first, as the drawing is painted; images, blocks being dragged and blocks off the
  // page stay out.
  for (INT_PTR i = blocks.GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_type == kImageBlock || block->m_selected == 2) continue;
    if (!LiesOnPage(block->m_box, m_page)) continue;
    std::unique_ptr<CContour> outline(block->GetContour(&paint, 0));
    if (outline) raster.AddShape(*outline);
  }
  CFRect area = AreaRect();
  paint.TransformRect(&area);
  raster.SetInvertedRect(RECT{NearestPixel(area.left), NearestPixel(area.top),
                              NearestPixel(area.right), NearestPixel(area.bottom)});
  switch (raster.Prepare()) {
    case CFillRaster::kNoDeviceContext:
      return kNoDeviceContext;
    case CFillRaster::kNoBitmap:
      return kNoBitmap;
    case CFillRaster::kReady:
      break;
  }

  m_startResult = device.Begin(nullptr, &port, owner, stopFlag);
  if (m_startResult != CCarveDevice::kStarted) {
    device.Finish();
    return kStartFailed;
  }
  if (FillRows(raster, device, stopFlag, progress))
    SendOutlines(std::move(outlines), device, stopFlag, progress);
  const bool stopped = stopFlag && *stopFlag;
  device.Finish();
  if (stopped) return kStopped;
  return device.HasFailed() ? kWriteFailed : kDone;
}

bool CCarveFillJob::FillRows(CFillRaster& raster, CCarveDevice& device, const int* stopFlag,
                             CCarveFillProgress& progress) const {
  const CMatrix2D toDevice = RasterToDevice(device);
  const bool columns = m_options.fillMode != 0;
  // After the inversion the drawing is white inside the area: relief engraves black, intaglio
  // white.
  const int inkBit = m_options.inverseOut ? 1 : 0;
  std::vector<FillRun> runs;
  auto send = [&](int pixel, int row, bool start) {
    FPOINT point = columns ? FPOINT{static_cast<float>(row), static_cast<float>(pixel)}
                           : FPOINT{static_cast<float>(pixel), static_cast<float>(row)};
    POINT unit;
    toDevice.TransformPointToInt(&point, &unit);
    return start ? device.MoveToInt(unit.x, unit.y) : device.LineToInt(unit.x, unit.y);
  };
  progress.SetRange(raster.Height());
  // Every row, the last one too.
  for (int row = 0; row < raster.Height(); ++row) {
    progress.PumpMessage();
    if (stopFlag && *stopFlag) return false;
    progress.SetPosition(row);
    const bool backward = m_options.doubleWay && (row & 1) != 0;
    ScanFillRow(raster.Row(row), raster.Width(), inkBit, backward, runs);
    for (const FillRun& run : runs) {
      send(run.start, row, true);
      send(run.end, row, false);
      if (device.HasFailed() || (stopFlag && *stopFlag)) return false;
    }
  }
  return true;
}

void CCarveFillJob::SendOutlines(std::unique_ptr<CGroupBlock> outlines, CCarveDevice& device,
                                 const int* stopFlag, CCarveFillProgress& progress) const {
  if (!outlines) return;
  progress.SetPosition(0);
  outlines->FlattenNested();
  CMatrix2D toDevice = m_pageToRaster;
  toDevice.Multiply(RasterToDevice(device));
  outlines->Transform(toDevice);
  progress.SetRange(outlines->CountCurvePoints());
  int done = 0;
  for (INT_PTR i = 0; i < outlines->GetChildCount(); ++i) {
    progress.PumpMessage();
    if ((stopFlag && *stopFlag) || device.HasFailed()) return;
    CCurveBlock* curve = dynamic_cast<CCurveBlock*>(outlines->GetChild(i));
    if (!curve) continue;
    curve->ApplyMatrix();
    curve->OutputToCarver(&device);
    done += curve->GetCount();
    progress.SetPosition(done);
  }
}
