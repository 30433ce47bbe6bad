#include "text/NativeOutline.h"

#include <memory>
#include <vector>

#include "framework/ByteReader.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"

namespace {

const DWORD kPolygonType = 24;  // TT_POLYGON_TYPE
const WORD kLine = 1;           // TT_PRIM_LINE
const WORD kCubic = 3;          // TT_PRIM_CSPLINE
const size_t kPolygonHeaderSize = 16;
const size_t kPointSize = 8;

struct OutlinePoint {
  float x;
  float y;
};

// FIXED: 16-bit fraction, then the signed integer part; only the integer part is used.
bool ReadFixedPoint(CByteReader& reader, OutlinePoint& point) {
  WORD fraction = 0;
  short x = 0, y = 0;
  bool read = reader.ReadWord(fraction) && reader.ReadInt16(x) && reader.ReadWord(fraction) &&
              reader.ReadInt16(y);
  point = {static_cast<float>(x), static_cast<float>(y)};
  return read;
}

class OutlineBuilder {
public:
  explicit OutlineBuilder(const CMatrix2D& matrix) : m_matrix(matrix), m_contour(new CContour) {}

  void Add(const OutlinePoint& point, BYTE flags) {
    const float* m = m_matrix.m;
    m_contour->AppendPoint(MakePointRecord(point.x * m[0] + point.y * m[3] + m[6],
                                           point.x * m[1] + point.y * m[4] + m[7], flags));
    m_current = point;
  }
  // Quadratic piece from the current point through control q to end, as a cubic.
  void AddQuadratic(const OutlinePoint& q, const OutlinePoint& end, BYTE endFlags) {
    OutlinePoint p0 = m_current;
    Add({(p0.x + 2 * q.x) / 3, (p0.y + 2 * q.y) / 3}, 0);
    Add({(2 * q.x + end.x) / 3, (2 * q.y + end.y) / 3}, 0);
    Add(end, endFlags);
  }
  CContour* Take() {
    m_contour->AppendEndMark();
    return m_contour.release();
  }

private:
  const CMatrix2D& m_matrix;
  std::unique_ptr<CContour> m_contour;
  OutlinePoint m_current = {0, 0};
};

void AddCurve(OutlineBuilder& builder, WORD type, const std::vector<OutlinePoint>& points) {
  if (type == kLine) {
    for (const OutlinePoint& point : points) builder.Add(point, kPointOnCurve);
  } else if (type == kCubic) {
    for (size_t i = 0; i + 2 < points.size(); i += 3) {
      builder.Add(points[i], 0);
      builder.Add(points[i + 1], 0);
      builder.Add(points[i + 2], kPointOnCurve);
    }
  } else {
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      const OutlinePoint& q = points[i];
      const OutlinePoint& next = points[i + 1];
      OutlinePoint end = i + 2 == points.size()
                             ? next
                             : OutlinePoint{(q.x + next.x) / 2, (q.y + next.y) / 2};
      builder.AddQuadratic(q, end, kPointOnCurve);
    }
  }
}

// One polygon: its header, then curves until its byte count is used up.
bool AddPolygon(OutlineBuilder& builder, CByteReader& reader) {
  DWORD byteCount = 0, type = 0;
  OutlinePoint start;
  if (!reader.ReadDWord(byteCount) || !reader.ReadDWord(type) || type != kPolygonType ||
      byteCount < kPolygonHeaderSize || !ReadFixedPoint(reader, start))
    return false;
  CByteReader curves;
  if (!reader.ReadSubReader(curves, byteCount - kPolygonHeaderSize)) return false;
  builder.Add(start, kPointStart | kPointOnCurve);
  while (!curves.AtEnd()) {
    WORD curveType = 0, count = 0;
    if (!curves.ReadWord(curveType) || !curves.ReadWord(count) ||
        static_cast<size_t>(count) * kPointSize > curves.Remaining())
      break;
    std::vector<OutlinePoint> points(count);
    for (OutlinePoint& point : points) ReadFixedPoint(curves, point);
    AddCurve(builder, curveType, points);
  }
  builder.Add(start, kPointClose | kPointOnCurve);
  return true;
}

}  // namespace

CContour* ContourFromNativeOutline(const BYTE* data, size_t size, const CMatrix2D& matrix) {
  CByteReader reader(data, data ? size : 0);
  OutlineBuilder builder(matrix);
  bool any = false;
  while (!reader.AtEnd() && AddPolygon(builder, reader)) any = true;
  return any ? builder.Take() : nullptr;
}
