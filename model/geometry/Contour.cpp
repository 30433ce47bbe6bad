#include "model/geometry/Contour.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <memory>
#include <string>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/DC.h"
#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "framework/String.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/SegmentWalker.h"
#include "model/geometry/StrokeBuffer.h"

namespace {

const BYTE kRecordTag = '#';
const BYTE kCurveType = 128;
const BYTE kRecordEnd = 0xF1;
const BYTE kAfterRecord = 0xFF;
const float kTwoDegrees = 0.03490655555555555f;
const float kOneDegree = 0.017453277777777776f;
const int kMaxPlotterDepth = 15;

FPOINT PointOf(const POINTREC& record, const CMatrix2D* matrix) {
  FPOINT p = {record.x, record.y};
  if (matrix) matrix->TransformPoint(&p);
  return p;
}

void AppendLine(std::string* text, LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  CString line;
  line.FormatV(format, args);
  va_end(args);
  text->append(line.GetString(), static_cast<size_t>(line.GetLength()));
}

void WriteText(CFile* file, const std::string& text) {
  if (!text.empty()) file->Write(text.data(), static_cast<UINT>(text.size()));
}

struct IntPoint {
  int x, y;
  bool operator==(const IntPoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const IntPoint& o) const { return !(*this == o); }
};

IntPoint Truncated(const FPOINT& p) {
  IntPoint q = {static_cast<int>(TruncateToLong(p.x)), static_cast<int>(TruncateToLong(p.y))};
  return q;
}

void PenDown(std::string* text, const IntPoint& p, IntPoint* pen) {
  AppendLine(text, "PD%d,%d;\r\n", p.x, p.y);
  *pen = p;
}

// Cuts the piece until both end tangents lie within 2 degrees of the chord, at most 15 levels deep.
void FlattenForPlotter(const CBezier& piece, int depth, std::string* text, IntPoint* pen) {
  ++depth;
  if (piece.IsPoint()) return;
  float start, end;
  piece.TangentDeviations(&start, &end);
  if ((start < kTwoDegrees && end < kTwoDegrees) || depth > kMaxPlotterDepth) {
    PenDown(text, Truncated(piece.p[3]), pen);
    return;
  }
  float t = std::fabs(start - end) < kOneDegree ? 0.5f : (start > end ? 0.3333f : 0.6666f);
  CBezier first, second;
  piece.Split(&first, &second, t);
  FlattenForPlotter(first, depth, text, pen);
  FlattenForPlotter(second, depth, text, pen);
}

POINT DevicePoint(const FPOINT& p) {
  POINT q = {TruncateToLong(p.x), TruncateToLong(p.y)};
  return q;
}

bool SameDevicePoint(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

// The integer box of some device points.
CRect DeviceBox(std::initializer_list<POINT> points) {
  CRect box(points.begin()->x, points.begin()->y, points.begin()->x, points.begin()->y);
  for (const POINT& p : points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

bool NearClip(CRect box, const RECT* clip) {
  if (!clip) return true;
  box.InflateRect(1, 1);
  CRect overlap;
  return overlap.IntersectRect(&box, clip) != FALSE;
}

// Pens and brushes that colour records ask for. Each replaces (and frees) the one made before it;
// at the end the context gets its own pen and brush back and the last ones made are freed.
class CColourTools {
public:
  CColourTools(CDC* dc, bool withBrush) : m_dc(dc), m_withBrush(withBrush) {}
  ~CColourTools() {
    if (m_pen) m_dc->SelectObject(m_originalPen);
    if (m_brush) m_dc->SelectObject(m_originalBrush);
  }
  CColourTools(const CColourTools&) = delete;
  CColourTools& operator=(const CColourTools&) = delete;

  void Select(COLORREF colour) {
    std::unique_ptr<CPen> pen(new CPen(PS_SOLID, 1, colour));
    HGDIOBJ previous = m_dc->SelectObject(static_cast<HGDIOBJ>(*pen));
    if (!m_pen) m_originalPen = previous;
    m_pen = std::move(pen);
    if (!m_withBrush) return;
    std::unique_ptr<CBrush> brush(new CBrush(colour));
    previous = m_dc->SelectObject(static_cast<HGDIOBJ>(*brush));
    if (!m_brush) m_originalBrush = previous;
    m_brush = std::move(brush);
  }

private:
  CDC* m_dc;
  bool m_withBrush;
  HGDIOBJ m_originalPen = nullptr;
  HGDIOBJ m_originalBrush = nullptr;
  std::unique_ptr<CPen> m_pen;
  std::unique_ptr<CBrush> m_brush;
};

// Walks the records as drawing sees them: colour records switch the tools, control points and
// other special records are passed over, and each move, line or Bezier piece goes to the segment
// function with the walker's points (start, two controls, end); it returns false to stop.
template <class SegmentFunction>
void WalkDrawnSegments(const CPointStore& records, const CMatrix2D* matrix, CColourTools& tools,
                       SegmentFunction segment) {
  CSegmentWalker walker(matrix);
  records.ForEachRecord([&](const POINTREC& record) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) return false;
    if (kind == CSegmentWalker::kSpecial && record.flags == kPointPenColour)
      tools.Select(PenColourOf(record));
    if (kind == CSegmentWalker::kSpecial || kind == CSegmentWalker::kControl) return true;
    return segment(kind, walker.Points(), walker);
  });
}

CFRect PointBox(float x, float y) { return CFRect(x, y, x, y); }

void Unite(CFRect* box, const CFRect& other) {
  box->left = std::min(box->left, other.left);
  box->top = std::min(box->top, other.top);
  box->right = std::max(box->right, other.right);
  box->bottom = std::max(box->bottom, other.bottom);
}

}  // namespace

CContour::CContour() : m_box(), m_boxEmpty(true) {}

CContour::~CContour() {}

int CContour::AppendRaw(const POINTREC& record) {
  m_store.Append(record);
  if (record.flags == kPointEnd) m_store.Fit(0);
  return m_store.Count();
}

void CContour::WidenBox(const POINTREC& record) {
  if (m_boxEmpty) {
    m_box = PointBox(record.x, record.y);
    m_boxEmpty = false;
  } else {
    Unite(&m_box, PointBox(record.x, record.y));
  }
  int count = m_store.Count();
  if ((record.flags & kPointStart) || count < 3) return;
  POINTREC before[3];
  for (int i = 0; i < 3; ++i) m_store.Get(count - 3 + i, &before[i]);
  if (!IsControlPoint(before[2].flags) || !IsControlPoint(before[1].flags) ||
      IsSpecialPoint(before[0].flags))
    return;
  FPOINT points[4] = {{before[0].x, before[0].y},
                      {before[1].x, before[1].y},
                      {before[2].x, before[2].y},
                      {record.x, record.y}};
  bool outside = false;
  for (const FPOINT& p : points)
    outside = outside || !PointInBox(p.x, p.y, m_box.left, m_box.top, m_box.right, m_box.bottom);
  if (outside) CBezier(points).ExtendBoxByCurve(&m_box);
}

int CContour::AppendPoint(const POINTREC& record) {
  if (IsOnCurvePoint(record.flags)) WidenBox(record);
  return AppendRaw(record);
}

int CContour::AppendEndMark() { return AppendRaw(MakePointRecord(0.0f, 0.0f, kPointEnd)); }

int CContour::CloseLastSubpath() {
  POINTREC start;
  if (!m_store.Get(m_store.SubpathStartAtOrBelow(m_store.Count() - 1), &start))
    return m_store.Count();
  start.flags = kPointClose | kPointOnCurve;
  return AppendPoint(start);
}

void CContour::TrimEndMarks() { m_store.DropTrailing(true, 1); }

void CContour::ReopenLastSubpath() {
  m_store.DropTrailing(false, 1);
  POINTREC last;
  if (!m_store.Get(m_store.Count() - 1, &last) || IsSpecialPoint(last.flags)) return;
  last.flags &= static_cast<BYTE>(~(kPointOpenEnd | kPointClose));
  m_store.Set(m_store.Count() - 1, last);
}

bool CContour::GetPoint(int index, POINTREC* out) const { return m_store.Get(index, out); }

std::vector<POINTREC> CContour::GetPoints() const { return m_store.Records(); }

void CContour::SetBox(const CFRect& box) {
  m_box = box;
  m_boxEmpty = false;
}

int CContour::LastEndIndex() const { return m_store.LastEndAtOrBelow(m_store.Count() - 1); }

void CContour::TakeCopyOf(const CContour& other) {
  if (!other.m_store.Block()) return;
  m_store.CopyFrom(other.m_store);
  m_box = other.m_box;
  m_boxEmpty = other.m_boxEmpty;
}

CContour* CContour::Clone(const CMatrix2D* matrix) const {
  if (!m_store.Block()) return nullptr;
  CContour* copy = new CContour;
  copy->TakeCopyOf(*this);
  copy->m_matrix = m_matrix;
  if (matrix) copy->m_matrix.Multiply(*matrix);
  return copy;
}

void CContour::Transform(const CMatrix2D* matrix) {
  if (!matrix) return;
  m_matrix.Multiply(*matrix);
  if (!m_boxEmpty) matrix->TransformRect(&m_box);
}

int CContour::ApplyMatrix() {
  if (!m_store.Block() || m_matrix.IsIdentity()) return 0;
  int transformed = 0;
  CFRect box;
  {
    CGlobalLock lock(m_store.Block());
    if (!lock.Data()) return 0;
    size_t count = std::min<size_t>(static_cast<size_t>(m_store.Count()),
                                    lock.Size() / kPointRecordSize);
    for (size_t i = 0; i < count; ++i) {
      POINTREC record = LoadPointRecord(lock.Data(), i);
      if (record.flags == kPointEnd) break;
      if (IsSpecialPoint(record.flags)) continue;
      FPOINT p = PointOf(record, &m_matrix);
      record.x = p.x;
      record.y = p.y;
      StorePointRecord(lock.Data(), i, record);
      if (transformed++ == 0)
        box = PointBox(p.x, p.y);
      else
        Unite(&box, PointBox(p.x, p.y));
    }
  }
  m_matrix.SetIdentity();
  if (transformed) SetBox(box);
  return transformed;
}

void CContour::Append(CContour* other) {
  if (!other || other->m_store.Count() == 0) return;
  ApplyMatrix();
  other->ApplyMatrix();
  if (!m_store.Block()) {
    TakeCopyOf(*other);
    return;
  }
  std::vector<POINTREC> theirs = other->GetPoints();  // a copy: other may be this contour
  int thisEnd = LastEndIndex();
  if (thisEnd < 0) thisEnd = m_store.Count();
  int otherEnd = static_cast<int>(theirs.size());
  for (int i = otherEnd - 1; i >= 0; --i)
    if (theirs[i].flags == kPointEnd) {
      otherEnd = i;
      break;
    }
  if (!other->m_boxEmpty) {
    if (m_boxEmpty)
      SetBox(other->m_box);
    else
      Unite(&m_box, other->m_box);
  }
  std::vector<POINTREC> records = GetPoints();
  records.resize(static_cast<size_t>(thisEnd));
  records.insert(records.end(), theirs.begin(), theirs.begin() + otherEnd);
  records.push_back(MakePointRecord(0.0f, 0.0f, kPointEnd));
  m_store.Assign(records, static_cast<int>(records.size()));
}

void CContour::AppendContinuing(CContour* other) {
  if (!other || !other->m_store.Block()) return;
  ApplyMatrix();
  other->ApplyMatrix();
  std::vector<POINTREC> theirs = other->GetPoints();
  bool first = true;
  for (POINTREC record : theirs) {
    if (record.flags == kPointEnd) break;
    if (first && !IsSpecialPoint(record.flags)) {
      record.flags = kPointOnCurve;
      first = false;
    }
    AppendPoint(record);
  }
  AppendEndMark();
}

CContour* CContour::Reversed() {
  ApplyMatrix();
  CContour* result = new CContour;
  for (const POINTREC& record : CPointStore::ReversedSubpaths(m_store.PathRecords())) {
    if (IsSpecialPoint(record.flags))
      result->AppendRaw(record);
    else
      result->AppendPoint(record);
  }
  if (m_store.Block()) result->AppendEndMark();
  return result;
}

int CContour::ToRecord(HGLOBAL* out) const {
  *out = nullptr;
  int endIndex = LastEndIndex();
  if (!m_store.Block() || endIndex <= 2 || endIndex >= kMaxPointRecords) return 0;
  std::vector<POINTREC> records = GetPoints();
  size_t n = static_cast<size_t>(endIndex) + 1;
  size_t length = kRecordHeaderSize + n * kPointRecordSize + 1;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + kPointRecordSize);
  if (!block) AfxThrowMemoryException();
  {
    CGlobalLock lock(block);
    if (!lock.Data()) {
      ::GlobalFree(block);
      AfxThrowMemoryException();
    }
    CByteWriter writer(lock.Data(), lock.Size());
    CFRect box = m_boxEmpty ? CFRect() : m_box;
    writer.WriteByte(kRecordTag);
    writer.WriteDWord(static_cast<DWORD>(length));
    writer.WriteByte(kCurveType);
    writer.WriteWord(0);  // attribute word
    writer.WriteFloat(box.left);
    writer.WriteFloat(box.top);
    writer.WriteFloat(box.right);
    writer.WriteFloat(box.bottom);
    for (float element : m_matrix.m) writer.WriteFloat(element);
    writer.WriteDWord(0);  // colour
    writer.WriteInt32(static_cast<int>(n));
    for (size_t i = 0; i < n; ++i) {
      writer.WriteFloat(records[i].x);
      writer.WriteFloat(records[i].y);
      writer.WriteByte(records[i].flags);
    }
    writer.WriteByte(kRecordEnd);
    writer.WriteByte(kAfterRecord);
  }
  *out = block;
  return static_cast<int>(length);
}

CContour* CContour::FromRecord(const BYTE* record, size_t size) {
  CByteReader reader(record, record ? size : 0);
  BYTE tag = 0, type = 0, closing = 0;
  DWORD length = 0, colour = 0;
  WORD attributes = 0;
  int n = 0;
  float box[4], matrix[9];
  if (!reader.ReadByte(tag) || tag != kRecordTag || !reader.ReadDWord(length)) return nullptr;
  if (length > size || length < kRecordHeaderSize + 1) return nullptr;
  bool ok = reader.ReadByte(type) && reader.ReadWord(attributes);
  for (float& value : box) ok = ok && reader.ReadFloat(value);
  for (float& value : matrix) ok = ok && reader.ReadFloat(value);
  ok = ok && reader.ReadDWord(colour) && reader.ReadInt32(n);
  // The count must fit the stated length before a single point is taken.
  if (!ok || n < 0 || n > kMaxPointRecords ||
      length != kRecordHeaderSize + static_cast<size_t>(n) * kPointRecordSize + 1)
    return nullptr;
  std::vector<POINTREC> points(static_cast<size_t>(n));
  for (POINTREC& point : points)
    ok = ok && reader.ReadFloat(point.x) && reader.ReadFloat(point.y) &&
         reader.ReadByte(point.flags);
  if (!ok || !reader.ReadByte(closing) || closing != kRecordEnd) return nullptr;

  CContour* contour = new CContour;
  for (int i = 0; i < 9; ++i) contour->m_matrix.m[i] = matrix[i];
  contour->m_box = CFRect(box[0], box[1], box[2], box[3]);
  if (n == 0) return contour;
  contour->m_boxEmpty = false;
  std::unique_ptr<CContour> owned(contour);
  contour->m_store.Assign(points, n);
  return owned.release();
}

bool CContour::HitTestOutline(float x, float y, float tol) const {
  CSegmentWalker walker(m_matrix.IsIdentity() ? nullptr : &m_matrix);
  for (const POINTREC& record : GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    if (walker.SegmentHit(kind, x, y, tol)) return true;
  }
  return false;
}

void CContour::WriteHPGL(CFile* file) const {
  CSegmentWalker walker;
  std::string text;
  IntPoint start = {0, 0}, pen = {0, 0};
  for (const POINTREC& record : GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    switch (kind) {
      case CSegmentWalker::kMove:
        start = pen = Truncated(walker.End());
        AppendLine(&text, "PU%d,%d;\r\n", start.x, start.y);
        continue;
      case CSegmentWalker::kLine:
        PenDown(&text, Truncated(walker.End()), &pen);
        break;
      case CSegmentWalker::kBezier:
        FlattenForPlotter(CBezier(walker.Points()), 0, &text, &pen);
        break;
      default:
        continue;
    }
    if (walker.ClosesSubpath() && pen != start) PenDown(&text, start, &pen);
  }
  WriteText(file, text);
}

void CContour::WriteAIPath(CFile* file) const {
  CSegmentWalker walker;
  std::string text = "u\r\n";
  for (const POINTREC& record : GetPoints()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    const FPOINT* p = walker.Points();
    switch (kind) {
      case CSegmentWalker::kMove:
        AppendLine(&text, "%.3f %.3f m\r\n", p[3].x, p[3].y);
        continue;
      case CSegmentWalker::kLine:
        AppendLine(&text, "%.3f %.3f l\r\n", p[3].x, p[3].y);
        break;
      case CSegmentWalker::kBezier:
        AppendLine(&text, "%.3f %.3f %.3f %.3f %.3f %.3f c\r\n", p[1].x, p[1].y, p[2].x, p[2].y,
                   p[3].x, p[3].y);
        break;
      default:
        continue;
    }
    BYTE subpath = record.flags & kPointSubpathBits;
    if (subpath == kPointOpenEnd)
      text += "f\r\n";
    else if (subpath == kPointClose || subpath == (kPointClose | kPointOpenEnd))
      text += "F\r\n";
  }
  text += "U\r\n";
  WriteText(file, text);
}

void CContour::StrokeWalk(CDC* dc, const CMatrix2D* matrix, const RECT* clip, bool thinPen) const {
  if (!m_store.Block()) return;
  CColourTools tools(dc, false);
  CStrokeBuffer::Lease lease;
  CStrokeBuffer& strokes = lease.Buffer();
  POINT current = {0, 0};
  bool positioned = false;  // the strokes' position is the current point
  auto segment = [&](CSegmentWalker::Kind kind, const FPOINT* p, const CSegmentWalker&) {
    POINT to = DevicePoint(p[3]);
    if (kind == CSegmentWalker::kMove) {
      positioned = !clip || CRect(clip).PtInRect(to);
      if (positioned) strokes.MoveTo(to);
      current = to;
      return true;
    }
    POINT controls[3] = {DevicePoint(p[1]), DevicePoint(p[2]), to};
    CRect box = kind == CSegmentWalker::kLine ? DeviceBox({current, to})
                                              : DeviceBox({current, controls[0], controls[1], to});
    if (!NearClip(box, clip)) {
      positioned = false;
      current = to;
      return true;
    }
    // Summed wide: far-off points must not overflow.
    long long extent = static_cast<long long>(box.right) - box.left +
                       (static_cast<long long>(box.bottom) - box.top);
    if (SameDevicePoint(to, current) && (kind == CSegmentWalker::kLine || extent == 0)) return true;
    if (!positioned) strokes.MoveTo(current);
    if (kind == CSegmentWalker::kBezier && extent > 2)
      strokes.BezierTo(controls);
    else
      strokes.LineTo(to);
    positioned = true;
    current = to;
    return true;
  };
  WalkDrawnSegments(m_store, matrix, tools, segment);
  // The strokes go out while the last colour record's pen is selected, as a path stroked after
  // the walk would.
  if (thinPen)
    strokes.StrokeThin(dc);
  else
    strokes.StrokeAsPath(dc);
}

void CContour::Draw(CDC* dc, const RECT* clip) const {
  StrokeWalk(dc, m_matrix.IsIdentity() ? nullptr : &m_matrix, clip, false);
}

void CContour::DrawThin(CDC* dc) const {
  StrokeWalk(dc, m_matrix.IsIdentity() ? nullptr : &m_matrix, nullptr, true);
}

void CContour::Stroke(CDC* dc, const CMatrix2D* matrix) const {
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  StrokeWalk(dc, combined.IsIdentity() ? nullptr : &combined, nullptr, false);
}

BOOL CContour::FillPath(CDC* dc) const {
  if (!m_store.Block()) return 0;
  CColourTools tools(dc, true);
  dc->BeginPath();
  const CMatrix2D* matrix = m_matrix.IsIdentity() ? nullptr : &m_matrix;
  auto segment = [&](CSegmentWalker::Kind kind, const FPOINT* p, const CSegmentWalker& walker) {
    POINT points[3] = {DevicePoint(p[1]), DevicePoint(p[2]), DevicePoint(p[3])};
    if (kind == CSegmentWalker::kMove) {
      dc->MoveTo(points[2]);
    } else if (kind == CSegmentWalker::kLine) {
      dc->LineTo(points[2]);
    } else if (!dc->PolyBezierTo(points, 3)) {
      return false;
    }
    if (walker.ClosesSubpath()) dc->CloseFigure();
    return true;
  };
  WalkDrawnSegments(m_store, matrix, tools, segment);
  dc->EndPath();
  return dc->StrokeAndFillPath();
}

BOOL CContour::Paint(CDC* dc, int /*unused*/) const { return PaintDC(dc); }

BOOL CContour::PaintDC(CDC* dc) const {
  BOOL filled = FillPath(dc);
  if (!filled) Draw(dc);
  return filled;
}
