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

namespace {

const int kFirstCapacity = 100;
const int kGrowth = 50;
const size_t kSpareRecords = 2;  // the block always holds two records past the capacity
const BYTE kRecordTag = '#';
const BYTE kCurveType = 128;
const BYTE kRecordEnd = 0xF1;
const BYTE kAfterRecord = 0xFF;
const float kTwoDegrees = 0.03490655555555555f;
const float kOneDegree = 0.017453277777777776f;
const int kMaxPlotterDepth = 15;

// One step of the walk over the records: a pen colour, a move, a line or a Bezier piece.
struct PathStep {
  enum Kind { kColour, kMove, kLine, kBezier } kind;
  BYTE flags;
  FPOINT c1, c2, to;
  COLORREF colour;
};

FPOINT PointOf(const POINTREC& record, const CMatrix2D* matrix) {
  FPOINT p = {record.x, record.y};
  if (matrix) matrix->TransformPoint(&p);
  return p;
}

// Records up to the end record as moves, lines and Bezier pieces. An on-curve point after control
// points ends a Bezier piece through the last two of them; after a lone control point, a line.
std::vector<PathStep> DecodePath(const std::vector<POINTREC>& records, const CMatrix2D* matrix) {
  std::vector<PathStep> steps;
  FPOINT controls[2];
  int controlCount = 0;
  bool havePoint = false;
  for (const POINTREC& record : records) {
    if (record.flags == kPointEnd) break;
    PathStep step = {};
    step.flags = record.flags;
    if (IsSpecialPoint(record.flags)) {
      if (record.flags != kPointPenColour) continue;
      step.kind = PathStep::kColour;
      step.colour = PenColourOf(record);
      steps.push_back(step);
      continue;
    }
    FPOINT p = PointOf(record, matrix);
    if (IsControlPoint(record.flags)) {
      if (controlCount == 2) controls[0] = controls[1], controlCount = 1;
      controls[controlCount++] = p;
      continue;
    }
    step.to = p;
    if (IsSubpathStart(record.flags) || !havePoint) {
      step.kind = PathStep::kMove;
    } else if (controlCount == 2) {
      step.kind = PathStep::kBezier;
      step.c1 = controls[0];
      step.c2 = controls[1];
    } else {
      step.kind = PathStep::kLine;
    }
    controlCount = 0;
    havePoint = true;
    steps.push_back(step);
  }
  return steps;
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

CFRect PointBox(float x, float y) { return CFRect(x, y, x, y); }

void Unite(CFRect* box, const CFRect& other) {
  box->left = std::min(box->left, other.left);
  box->top = std::min(box->top, other.top);
  box->right = std::max(box->right, other.right);
  box->bottom = std::max(box->bottom, other.bottom);
}

}  // namespace

CContour::CContour()
    : m_points(nullptr), m_capacity(0), m_count(0), m_box(), m_boxEmpty(true) {}

CContour::~CContour() {
  if (m_points) ::GlobalFree(m_points);
}

void CContour::Reallocate(size_t records, UINT flags) {
  SIZE_T bytes = records * kPointRecordSize;
  HGLOBAL block = m_points ? ::GlobalReAlloc(m_points, bytes, GMEM_MOVEABLE | flags)
                           : ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) AfxThrowMemoryException();
  m_points = block;
}

void CContour::EnsureRoomForOne() {
  if (!m_points) {
    Reallocate(kFirstCapacity + kSpareRecords, GMEM_ZEROINIT);
    m_capacity = kFirstCapacity;
  } else if (m_count >= m_capacity) {
    Reallocate(static_cast<size_t>(m_capacity) + kGrowth + kSpareRecords, 0);
    m_capacity += kGrowth;
  }
}

int CContour::AppendRaw(const POINTREC& record) {
  EnsureRoomForOne();
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) AfxThrowMemoryException();
    StorePointRecord(lock.Data(), static_cast<size_t>(m_count), record);
  }
  ++m_count;
  if (record.flags == kPointEnd) {
    Reallocate(static_cast<size_t>(m_count) + kSpareRecords, 0);
    m_capacity = m_count;
  }
  return m_count;
}

void CContour::WidenBox(const POINTREC& record) {
  if (m_boxEmpty) {
    m_box = PointBox(record.x, record.y);
    m_boxEmpty = false;
  } else {
    Unite(&m_box, PointBox(record.x, record.y));
  }
  if ((record.flags & kPointStart) || m_count < 3) return;
  POINTREC before[3];
  for (int i = 0; i < 3; ++i) GetPoint(m_count - 3 + i, &before[i]);
  if (!IsControlPoint(before[2].flags) || !IsControlPoint(before[1].flags) ||
      IsSpecialPoint(before[0].flags))
    return;
  FPOINT points[4] = {{before[0].x, before[0].y}, {before[1].x, before[1].y},
                      {before[2].x, before[2].y}, {record.x, record.y}};
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
  for (int i = m_count - 1; i >= 0; --i) {
    POINTREC record;
    GetPoint(i, &record);
    if (!IsSpecialPoint(record.flags) && (record.flags & kPointSubpathBits) == kPointStart) {
      record.flags = kPointClose | kPointOnCurve;
      return AppendPoint(record);
    }
  }
  return m_count;
}

void CContour::TrimEndMarks() {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return;
  while (m_count > 1 && LoadPointRecord(lock.Data(), m_count - 1).flags == kPointEnd) {
    StorePointRecord(lock.Data(), m_count - 1, MakePointRecord(0.0f, 0.0f, 0));
    --m_count;
  }
}

void CContour::ReopenLastSubpath() {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return;
  while (m_count > 1 && IsSpecialPoint(LoadPointRecord(lock.Data(), m_count - 1).flags)) {
    StorePointRecord(lock.Data(), m_count - 1, MakePointRecord(0.0f, 0.0f, 0));
    --m_count;
  }
  if (m_count < 1) return;
  POINTREC last = LoadPointRecord(lock.Data(), m_count - 1);
  if (IsSpecialPoint(last.flags)) return;
  last.flags &= static_cast<BYTE>(~(kPointOpenEnd | kPointClose));
  StorePointRecord(lock.Data(), m_count - 1, last);
}

bool CContour::GetPoint(int index, POINTREC* out) const {
  if (index < 0 || index >= m_count) return false;
  CGlobalLock lock(m_points);
  if (!lock.Data() || static_cast<SIZE_T>(index + 1) * kPointRecordSize > lock.Size()) return false;
  *out = LoadPointRecord(lock.Data(), static_cast<size_t>(index));
  return true;
}

std::vector<POINTREC> CContour::GetPoints() const {
  std::vector<POINTREC> records;
  CGlobalLock lock(m_points);
  if (!lock.Data()) return records;
  size_t count = std::min<size_t>(static_cast<size_t>(m_count), lock.Size() / kPointRecordSize);
  records.reserve(count);
  for (size_t i = 0; i < count; ++i) records.push_back(LoadPointRecord(lock.Data(), i));
  return records;
}

void CContour::SetBox(const CFRect& box) {
  m_box = box;
  m_boxEmpty = false;
}

int CContour::LastEndIndex() const {
  std::vector<POINTREC> records = GetPoints();
  for (int i = static_cast<int>(records.size()) - 1; i >= 0; --i)
    if (records[i].flags == kPointEnd) return i;
  return -1;
}

void CContour::TakeCopyOf(const CContour& other) {
  CGlobalLock source(other.m_points);
  if (!source.Data()) return;
  HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, source.Size());
  if (!copy) AfxThrowMemoryException();
  {
    CGlobalLock target(copy);
    if (!target.Data()) {
      ::GlobalFree(copy);
      AfxThrowMemoryException();
    }
    memcpy(target.Data(), source.Data(), source.Size());
  }
  if (m_points) ::GlobalFree(m_points);
  m_points = copy;
  m_count = other.m_count;
  m_capacity = other.m_capacity;
  m_box = other.m_box;
  m_boxEmpty = other.m_boxEmpty;
}

CContour* CContour::Clone(const CMatrix2D* matrix) const {
  if (!m_points) return nullptr;
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
  if (!m_points || m_matrix.IsIdentity()) return 0;
  int transformed = 0;
  CFRect box;
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) return 0;
    size_t count = std::min<size_t>(static_cast<size_t>(m_count), lock.Size() / kPointRecordSize);
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
  if (!other || other->m_count == 0) return;
  ApplyMatrix();
  other->ApplyMatrix();
  if (!m_points) {
    TakeCopyOf(*other);
    return;
  }
  std::vector<POINTREC> theirs = other->GetPoints();  // a copy: other may be this contour
  int thisEnd = LastEndIndex();
  if (thisEnd < 0) thisEnd = m_count;
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
  int newCount = thisEnd + otherEnd + 1;
  Reallocate(static_cast<size_t>(newCount) + kSpareRecords, GMEM_ZEROINIT);
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) AfxThrowMemoryException();
    for (int i = 0; i < otherEnd; ++i) StorePointRecord(lock.Data(), thisEnd + i, theirs[i]);
    StorePointRecord(lock.Data(), newCount - 1, MakePointRecord(0.0f, 0.0f, kPointEnd));
    for (int i = newCount; i < newCount + static_cast<int>(kSpareRecords); ++i)
      StorePointRecord(lock.Data(), i, MakePointRecord(0.0f, 0.0f, 0));
  }
  m_count = newCount;
  m_capacity = newCount;
}

void CContour::AppendContinuing(CContour* other) {
  if (!other || !other->m_points) return;
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
  std::vector<POINTREC> records = GetPoints();
  size_t end = 0;
  while (end < records.size() && records[end].flags != kPointEnd) ++end;
  size_t i = 0;
  while (i < end) {
    if (IsSpecialPoint(records[i].flags)) {
      result->AppendRaw(records[i++]);
      continue;
    }
    size_t runEnd = i;
    while (runEnd < end && !IsSpecialPoint(records[runEnd].flags)) ++runEnd;
    BYTE endFlags = kPointOpenEnd | kPointOnCurve;
    for (size_t k = runEnd; k-- > i;) {
      POINTREC record = records[k];
      bool isStart = (record.flags & kPointStart) != 0;
      bool isEnd = (record.flags & (kPointOpenEnd | kPointClose)) != 0;
      if (isEnd && !isStart) {
        endFlags = static_cast<BYTE>(record.flags & ~kPointSelected);
        record.flags = kPointStart | kPointOnCurve;
      } else if (isStart && !isEnd) {
        record.flags = endFlags;
        endFlags = kPointOpenEnd | kPointOnCurve;
      }
      result->AppendPoint(record);
    }
    i = runEnd;
  }
  if (m_points) result->AppendEndMark();
  return result;
}

int CContour::ToRecord(HGLOBAL* out) const {
  *out = nullptr;
  int endIndex = LastEndIndex();
  if (!m_points || endIndex <= 2 || endIndex >= kMaxPointRecords) return 0;
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
    ok = ok && reader.ReadFloat(point.x) && reader.ReadFloat(point.y) && reader.ReadByte(point.flags);
  if (!ok || !reader.ReadByte(closing) || closing != kRecordEnd) return nullptr;

  CContour* contour = new CContour;
  for (int i = 0; i < 9; ++i) contour->m_matrix.m[i] = matrix[i];
  contour->m_box = CFRect(box[0], box[1], box[2], box[3]);
  if (n == 0) return contour;
  contour->m_boxEmpty = false;
  contour->Reallocate(points.size() + kSpareRecords, GMEM_ZEROINIT);
  {
    CGlobalLock lock(contour->m_points);
    if (!lock.Data()) {
      delete contour;
      AfxThrowMemoryException();
    }
    for (size_t i = 0; i < points.size(); ++i) StorePointRecord(lock.Data(), i, points[i]);
  }
  contour->m_count = contour->m_capacity = n;
  return contour;
}

bool CContour::HitTestOutline(float x, float y, float tol) const {
  const CMatrix2D* matrix = m_matrix.IsIdentity() ? nullptr : &m_matrix;
  std::vector<PathStep> steps = DecodePath(GetPoints(), matrix);
  FPOINT current = {0.0f, 0.0f};
  for (const PathStep& step : steps) {
    FPOINT probe = {x, y};
    float ratio = -1.0f;
    switch (step.kind) {
      case PathStep::kColour:
        continue;
      case PathStep::kMove:
        break;
      case PathStep::kLine:
        ratio = SegmentHitTest(current.x, current.y, step.to.x, step.to.y, &probe, tol);
        break;
      case PathStep::kBezier:
        ratio = CBezier(current, step.c1, step.c2, step.to).HitTest(&probe, tol);
        break;
    }
    if (ratio >= 0.0f) return true;
    current = step.to;
  }
  return false;
}

void CContour::WriteHPGL(CFile* file) const {
  std::vector<PathStep> steps = DecodePath(GetPoints(), nullptr);
  std::string text;
  IntPoint start = {0, 0}, pen = {0, 0};
  FPOINT current = {0.0f, 0.0f};
  for (const PathStep& step : steps) {
    switch (step.kind) {
      case PathStep::kColour:
        continue;
      case PathStep::kMove:
        start = pen = Truncated(step.to);
        AppendLine(&text, "PU%d,%d;\r\n", start.x, start.y);
        break;
      case PathStep::kLine:
        PenDown(&text, Truncated(step.to), &pen);
        break;
      case PathStep::kBezier:
        FlattenForPlotter(CBezier(current, step.c1, step.c2, step.to), 0, &text, &pen);
        break;
    }
    current = step.to;
    if (step.kind != PathStep::kMove && (step.flags & kPointClose) && pen != start)
      PenDown(&text, start, &pen);
  }
  WriteText(file, text);
}

void CContour::WriteAIPath(CFile* file) const {
  std::vector<PathStep> steps = DecodePath(GetPoints(), nullptr);
  std::string text = "u\r\n";
  for (const PathStep& step : steps) {
    switch (step.kind) {
      case PathStep::kColour:
        continue;
      case PathStep::kMove:
        AppendLine(&text, "%.3f %.3f m\r\n", step.to.x, step.to.y);
        continue;
      case PathStep::kLine:
        AppendLine(&text, "%.3f %.3f l\r\n", step.to.x, step.to.y);
        break;
      case PathStep::kBezier:
        AppendLine(&text, "%.3f %.3f %.3f %.3f %.3f %.3f c\r\n", step.c1.x, step.c1.y, step.c2.x,
                   step.c2.y, step.to.x, step.to.y);
        break;
    }
    BYTE subpath = step.flags & kPointSubpathBits;
    if (subpath == kPointOpenEnd)
      text += "f\r\n";
    else if (subpath == kPointClose || subpath == (kPointClose | kPointOpenEnd))
      text += "F\r\n";
  }
  text += "U\r\n";
  WriteText(file, text);
}

void CContour::StrokeWalk(CDC* dc, const CMatrix2D* matrix, const RECT* clip) const {
  if (!m_points) return;
  std::vector<PathStep> steps = DecodePath(GetPoints(), matrix);
  CColourTools tools(dc, false);
  dc->BeginPath();
  POINT current = {0, 0};
  bool positioned = false;  // the context's position is the current point
  for (const PathStep& step : steps) {
    if (step.kind == PathStep::kColour) {
      tools.Select(step.colour);
      continue;
    }
    POINT to = DevicePoint(step.to);
    if (step.kind == PathStep::kMove) {
      positioned = !clip || CRect(clip).PtInRect(to);
      if (positioned) dc->MoveTo(to);
      current = to;
      continue;
    }
    POINT controls[3] = {DevicePoint(step.c1), DevicePoint(step.c2), to};
    CRect box = step.kind == PathStep::kLine ? DeviceBox({current, to})
                                             : DeviceBox({current, controls[0], controls[1], to});
    if (!NearClip(box, clip)) {
      positioned = false;
      current = to;
      continue;
    }
    // Summed wide: far-off points must not overflow.
    long long extent = static_cast<long long>(box.right) - box.left +
                       (static_cast<long long>(box.bottom) - box.top);
    if (SameDevicePoint(to, current) && (step.kind == PathStep::kLine || extent == 0)) continue;
    if (!positioned) dc->MoveTo(current);
    if (step.kind == PathStep::kBezier && extent > 2)
      dc->PolyBezierTo(controls, 3);
    else
      dc->LineTo(to);
    positioned = true;
    current = to;
  }
  dc->EndPath();
  dc->StrokePath();
}

void CContour::Draw(CDC* dc, const RECT* clip) const {
  StrokeWalk(dc, m_matrix.IsIdentity() ? nullptr : &m_matrix, clip);
}

void CContour::Stroke(CDC* dc, const CMatrix2D* matrix) const {
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  StrokeWalk(dc, combined.IsIdentity() ? nullptr : &combined, nullptr);
}

BOOL CContour::FillPath(CDC* dc) const {
  if (!m_points) return 0;
  const CMatrix2D* matrix = m_matrix.IsIdentity() ? nullptr : &m_matrix;
  std::vector<PathStep> steps = DecodePath(GetPoints(), matrix);
  CColourTools tools(dc, true);
  dc->BeginPath();
  for (const PathStep& step : steps) {
    if (step.kind == PathStep::kColour) {
      tools.Select(step.colour);
      continue;
    }
    POINT points[3] = {DevicePoint(step.c1), DevicePoint(step.c2), DevicePoint(step.to)};
    if (step.kind == PathStep::kMove) {
      dc->MoveTo(points[2]);
    } else if (step.kind == PathStep::kLine) {
      dc->LineTo(points[2]);
    } else if (!dc->PolyBezierTo(points, 3)) {
      break;
    }
    if (step.flags & kPointClose) dc->CloseFigure();
  }
  dc->EndPath();
  return dc->StrokeAndFillPath();
}

BOOL CContour::Paint(CDC* dc, int /*unused*/) const { return PaintDC(dc); }

BOOL CContour::PaintDC(CDC* dc) const {
  BOOL filled = FillPath(dc);
  if (!filled) Draw(dc);
  return filled;
}
