#include "output/FillRaster.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/geometry/Contour.h"
#include "model/geometry/SegmentWalker.h"
#include "output/AdaptiveBezier.h"

namespace {

const RECT kNoRect = {0, 0, 0, 0};
// Bezier pieces are flattened to a quarter pixel; the distance alone decides (no turn is small
// enough to end a piece early).
const float kBezierTolerance = 0.25f;
const float kNoTurn = 0.0f;

// GDI takes whole pixels; a point is taken at the nearest one, so that a corner computed as
// 9.99999 lands where 10 would.
POINT PixelOf(const FPOINT& p) {
  auto round = [](float v) {
    double r = std::floor(static_cast<double>(v) + 0.5);
    return static_cast<LONG>(std::max<double>(INT_MIN / 2, std::min<double>(INT_MAX / 2, r)));
  };
  return POINT{round(p.x), round(p.y)};
}

// The two-colour table of the bitmap: index 0 black, 1 white.
struct MonochromeInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};
// Handed to the system as a BITMAPINFO with its colour table right after the header.
static_assert(sizeof(MonochromeInfo) == 40 + 2 * 4, "header and two colours, unpadded");

}  // namespace

CFillRaster::CFillRaster(int width, int height, size_t bandBytes)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_bandRows(1),
      m_stride(((std::max(width, 0) + 31) / 32) * 4),
      m_inverted(kNoRect),
      m_dc(nullptr),
      m_bitmap(nullptr),
      m_keptBitmap(nullptr),
      m_bits(nullptr),
      m_bandTop(-1) {
  if (m_stride > 0) {
    size_t rows = bandBytes / static_cast<size_t>(m_stride);
    m_bandRows = static_cast<int>(std::max<size_t>(1, std::min<size_t>(rows, m_height)));
  }
}

CFillRaster::~CFillRaster() { Release(); }

void CFillRaster::Release() {
  if (m_dc && m_keptBitmap) SelectObject(m_dc, m_keptBitmap);
  if (m_bitmap) DeleteObject(m_bitmap);
  if (m_dc) DeleteDC(m_dc);
  m_dc = nullptr;
  m_bitmap = nullptr;
  m_keptBitmap = nullptr;
  m_bits = nullptr;
  m_bandTop = -1;
}

void CFillRaster::AddShape(const CContour& outline) {
  Shape shape;
  shape.points = outline.GetPoints();
  const CMatrix2D& matrix = outline.GetMatrix();
  bool any = false;
  LONG left = 0, top = 0, right = 0, bottom = 0;
  for (POINTREC& record : shape.points) {
    if (IsSpecialPoint(record.flags)) continue;
    if (!matrix.IsIdentity()) {
      FPOINT p = {record.x, record.y};
      matrix.TransformPoint(&p);
      record.x = p.x;
      record.y = p.y;
    }
    POINT pixel = PixelOf(FPOINT{record.x, record.y});
    left = any ? std::min(left, pixel.x) : pixel.x;
    top = any ? std::min(top, pixel.y) : pixel.y;
    right = any ? std::max(right, pixel.x) : pixel.x;
    bottom = any ? std::max(bottom, pixel.y) : pixel.y;
    any = true;
  }
  if (!any) return;
  // The one-pixel outline reaches one pixel further.
  shape.box = RECT{left - 1, top - 1, right + 2, bottom + 2};
  if (shape.box.right <= 0 || shape.box.bottom <= 0 || shape.box.left >= m_width ||
      shape.box.top >= m_height)
    return;
  m_shapes.push_back(std::move(shape));
}

CFillRaster::Problem CFillRaster::Prepare() {
  Release();
  m_dc = CreateCompatibleDC(nullptr);
  if (!m_dc) return kNoDeviceContext;
  MonochromeInfo info = {};
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = m_width;
  info.header.biHeight = -m_bandRows;  // top-down: row 0 first
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
  void* bits = nullptr;
  if (m_width > 0 && m_height > 0)
    m_bitmap = CreateDIBSection(m_dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                nullptr, 0);
  if (!m_bitmap || !bits) {
    Release();
    return kNoBitmap;
  }
  m_bits = static_cast<BYTE*>(bits);
  m_keptBitmap = SelectObject(m_dc, m_bitmap);
  SelectObject(m_dc, GetStockObject(BLACK_PEN));
  SelectObject(m_dc, GetStockObject(BLACK_BRUSH));
  SetPolyFillMode(m_dc, ALTERNATE);
  return kReady;
}

const BYTE* CFillRaster::Row(int y) {
  if (!m_bits || y < 0 || y >= m_height) return nullptr;
  if (m_bandTop < 0 || y < m_bandTop || y >= m_bandTop + m_bandRows) PaintBand(y);
  return m_bits + static_cast<size_t>(y - m_bandTop) * static_cast<size_t>(m_stride);
}

void CFillRaster::PaintBand(int top) {
  m_bandTop = top;
  // The band shows the rows from top on: the picture is moved up by top.
  SetViewportOrgEx(m_dc, 0, -top, nullptr);
  PatBlt(m_dc, 0, top, m_width, m_bandRows, WHITENESS);
  const int bottom = top + m_bandRows;
  for (const Shape& shape : m_shapes)
    if (shape.box.bottom > top && shape.box.top < bottom) PaintShape(shape);
  RECT band = {0, top, m_width, bottom};
  RECT inverted;
  if (IntersectRect(&inverted, &band, &m_inverted))
    PatBlt(m_dc, inverted.left, inverted.top, inverted.right - inverted.left,
           inverted.bottom - inverted.top, DSTINVERT);
  GdiFlush();
}

void CFillRaster::PaintShape(const Shape& shape) const {
  CSegmentWalker walker;
  const CAdaptiveBezier flattener(kBezierTolerance, kNoTurn);
  std::vector<FPOINT> ends;
  BeginPath(m_dc);
  for (const POINTREC& record : shape.points) {
    CSegmentWalker::Kind kind = walker.Step(record);
    const FPOINT* p = walker.Points();
    if (kind == CSegmentWalker::kMove) {
      POINT to = PixelOf(p[3]);
      MoveToEx(m_dc, to.x, to.y, nullptr);
    } else if (kind == CSegmentWalker::kLine) {
      POINT to = PixelOf(p[3]);
      LineTo(m_dc, to.x, to.y);
    } else if (kind == CSegmentWalker::kBezier) {
      // Flattened here, finer than the system's own flattening of small curves: a circle of a
      // few dozen pixels keeps its round edge to a fraction of a pixel.
      ends.clear();
      flattener.Flatten(p, &ends);
      for (const FPOINT& end : ends) {
        POINT to = PixelOf(end);
        LineTo(m_dc, to.x, to.y);
      }
    } else {
      continue;
    }
    if (walker.ClosesSubpath()) CloseFigure(m_dc);
  }
  EndPath(m_dc);
  StrokeAndFillPath(m_dc);
}
