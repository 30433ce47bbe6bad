#include "model/blocks/CurveBlock.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "framework/DC.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/BezierTable.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"
#include "model/blocks/BlockView.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Geometry.h"
#include "model/blocks/GroupBlock.h"
#include "output/CarveDevice.h"
#include "output/CutterDevice.h"

namespace {

const int kFirstCapacity = 100;
const int kGrowth = 50;
// The store always holds this many records past its capacity: closing a sub-path and appending
// after an end record write there.
const int kSpareRecords = 2;
const int kHitPixels = 3;
const int kLengthSteps = 20;
const DWORD kEveryColour = 0xFFFFFFFF;

COLORREF ColourRef(DWORD colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

BYTE SubpathBits(BYTE flags) { return flags & kPointSubpathBits; }
bool StartsSubpath(BYTE flags) { return !IsSpecialPoint(flags) && SubpathBits(flags) == kPointStart; }
bool EndsSubpath(BYTE flags) {
  return !IsSpecialPoint(flags) && (flags & (kPointOpenEnd | kPointClose)) != 0;
}

FPOINT Mapped(const POINTREC& record, const CMatrix2D* matrix) {
  FPOINT p = {record.x, record.y};
  if (matrix) matrix->TransformPoint(&p);
  return p;
}

void Widen(CFRect* box, float x, float y) {
  box->left = std::min(box->left, x);
  box->top = std::min(box->top, y);
  box->right = std::max(box->right, x);
  box->bottom = std::max(box->bottom, y);
}

// Widens the box to samples of the piece when any of its points lies outside.
void WidenByBezierSamples(CFRect* box, const FPOINT points[4]) {
  bool outside = false;
  for (int i = 0; i < 4; ++i)
    outside = outside || !PointInBox(points[i].x, points[i].y, box->left, box->top, box->right,
                                     box->bottom);
  if (!outside) return;
  CBezier piece(points);
  for (int hundredths = 10; hundredths < 90; ++hundredths) {
    FPOINT sample;
    piece.PointAt(hundredths / 100.0f, &sample);
    Widen(box, sample.x, sample.y);
  }
}

// Walks the segments of a record list: which records end a straight or a Bezier segment, and the
// points of that segment. Special records are passed over.
class CSegmentWalker {
public:
  enum Kind { kStart, kLine, kBezier, kControl, kStray };

  explicit CSegmentWalker(const CMatrix2D* matrix) : m_matrix(matrix) {}

  Kind Step(const POINTREC& record) {
    FPOINT p = Mapped(record, m_matrix);
    if (IsControlPoint(record.flags)) {
      if (m_controls < 2) m_points[1 + m_controls] = p;
      ++m_controls;
      return kControl;
    }
    Kind kind = kStray;
    if (StartsSubpath(record.flags))
      kind = kStart;
    else if (m_haveNode && m_controls == 0)
      kind = kLine;
    else if (m_haveNode && m_controls == 2)
      kind = kBezier;
    m_points[3] = p;
    if (kind == kStart || kind == kStray) m_points[0] = p;
    m_haveNode = true;
    m_controls = 0;
    return kind;
  }

  // After Step: the segment's start, and its controls and end (Bezier: points 0..3; line: 0 and 3).
  const FPOINT* Points() const { return m_points; }
  // Makes the end of the segment just stepped the start of the next one.
  void Advance() { m_points[0] = m_points[3]; }

private:
  const CMatrix2D* m_matrix;
  FPOINT m_points[4] = {};
  int m_controls = 0;
  bool m_haveNode = false;
};

}  // namespace

CCurveBlock::CCurveBlock()
    : m_selectedCount(0),
      m_currentIndex(0),
      m_hitX(0.0f),
      m_hitY(0.0f),
      m_hitParam(-1.0f),
      m_hitKind(kNoHit),
      m_hitSubpathStart(0),
      m_colour(0),
      m_points(nullptr),
      m_capacity(0),
      m_count(0),
      m_boxHasPoint(false) {
  m_type = kCurveBlock;
  m_box.SetEmpty();
}

CCurveBlock::~CCurveBlock() { FreePoints(); }

void CCurveBlock::FreePoints() {
  if (m_points) ::GlobalFree(m_points);
  m_points = nullptr;
  m_count = m_capacity = 0;
}

size_t CCurveBlock::BlockRecords() const {
  return m_points ? ::GlobalSize(m_points) / kPointRecordSize : 0;
}

void CCurveBlock::Reallocate(size_t records) {
  SIZE_T bytes = records * kPointRecordSize;
  HGLOBAL block = m_points ? ::GlobalReAlloc(m_points, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT)
                           : ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!block) AfxThrowMemoryException();
  m_points = block;
}

void CCurveBlock::EnsureRoomForOne() {
  if (!m_points) {
    Reallocate(kFirstCapacity + kSpareRecords);
    m_capacity = kFirstCapacity;
    m_count = 0;
  } else if (m_count >= m_capacity) {
    m_capacity = std::max(m_capacity, m_count) + kGrowth;
    Reallocate(static_cast<size_t>(m_capacity) + kSpareRecords);
  }
}

void CCurveBlock::StoreAt(int index, const POINTREC& point) {
  CGlobalLock lock(m_points);
  if (!lock.Data()) AfxThrowMemoryException();
  if (index < 0 || static_cast<size_t>(index) >= lock.Size() / kPointRecordSize) return;
  StorePointRecord(lock.Data(), static_cast<size_t>(index), point);
}

bool CCurveBlock::GetPoint(int index, POINTREC* point) const {
  if (index < 0 || index >= m_count) return false;
  CGlobalLock lock(m_points);
  if (!lock.Data() || static_cast<size_t>(index) >= lock.Size() / kPointRecordSize) return false;
  *point = LoadPointRecord(lock.Data(), static_cast<size_t>(index));
  return true;
}

std::vector<POINTREC> CCurveBlock::GetPoints() const {
  std::vector<POINTREC> records;
  CGlobalLock lock(m_points);
  if (!lock.Data()) return records;
  size_t count = std::min<size_t>(static_cast<size_t>(std::max(m_count, 0)), lock.Size() / kPointRecordSize);
  records.reserve(count);
  for (size_t i = 0; i < count; ++i) records.push_back(LoadPointRecord(lock.Data(), i));
  return records;
}

std::vector<POINTREC> CCurveBlock::PathRecords() const {
  std::vector<POINTREC> records = GetPoints();
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].flags == kPointEnd) {
      records.resize(i);
      break;
    }
  return records;
}

int CCurveBlock::DropTrailing(bool onlyEndRecords, int floor) {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return 0;
  int dropped = 0;
  m_count = std::min<int>(m_count, static_cast<int>(lock.Size() / kPointRecordSize));
  while (m_count > floor) {
    BYTE flags = LoadPointRecord(lock.Data(), m_count - 1).flags;
    if (onlyEndRecords ? flags != kPointEnd : !IsSpecialPoint(flags)) break;
    StorePointRecord(lock.Data(), m_count - 1, MakePointRecord(0.0f, 0.0f, 0));
    --m_count;
    ++dropped;
  }
  return dropped;
}

int CCurveBlock::LastEndRecordAtOrBelow(int index) const {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return -1;
  index = std::min<int>(index, static_cast<int>(lock.Size() / kPointRecordSize) - 1);
  for (int i = index; i >= 0; --i)
    if (LoadPointRecord(lock.Data(), i).flags == kPointEnd) return i;
  return -1;
}

void CCurveBlock::WidenBox(const POINTREC& point) {
  if (!m_boxHasPoint && m_box.left == 0.0f && m_box.top == 0.0f && m_box.right == 0.0f &&
      m_box.bottom == 0.0f) {
    m_box = CFRect(point.x, point.y, point.x, point.y);
    m_boxHasPoint = true;
    return;
  }
  m_boxHasPoint = true;
  Widen(&m_box, point.x, point.y);
  POINTREC before[3];
  if (m_count < 3 || !GetPoint(m_count - 1, &before[2]) || !GetPoint(m_count - 2, &before[1]) ||
      !GetPoint(m_count - 3, &before[0]))
    return;
  if (!IsControlPoint(before[2].flags) || !IsControlPoint(before[1].flags) ||
      IsSpecialPoint(before[0].flags))
    return;
  FPOINT points[4] = {{before[0].x, before[0].y}, {before[1].x, before[1].y},
                      {before[2].x, before[2].y}, {point.x, point.y}};
  WidenByBezierSamples(&m_box, points);
}

int CCurveBlock::AddPoint(const POINTREC& point) {
  EnsureRoomForOne();
  if (point.flags == kPointEnd) {
    StoreAt(m_count++, point);
    Reallocate(static_cast<size_t>(m_count) + kSpareRecords);
    m_capacity = m_count;
    return m_count;
  }
  bool ended = DropTrailing(true, 0) > 0;
  if (IsOnCurvePoint(point.flags)) WidenBox(point);
  StoreAt(m_count++, point);
  if (ended) StoreAt(m_count++, MakePointRecord(0.0f, 0.0f, kPointEnd));
  return m_count;
}

int CCurveBlock::AddPointNoBounds(const POINTREC& point) {
  EnsureRoomForOne();
  if (point.flags == kPointEnd) {
    StoreAt(m_count++, point);
    Reallocate(static_cast<size_t>(m_count) + kSpareRecords + 1);
    m_capacity = m_count + 1;
    return m_count;
  }
  bool ended = DropTrailing(true, 0) > 0;
  StoreAt(m_count++, point);
  if (ended) StoreAt(m_count++, MakePointRecord(0.0f, 0.0f, kPointEnd));
  return m_count;
}

int CCurveBlock::EndCurve() { return AddPointNoBounds(MakePointRecord(0.0f, 0.0f, kPointEnd)); }

void CCurveBlock::CloseLastSubpath() {
  if (!m_points) return;
  DropTrailing(false, 0);
  POINTREC last;
  if (!GetPoint(m_count - 1, &last)) return;
  int first = -1;
  {
    CGlobalLock lock(m_points);
    if (lock.Data()) first = FindSubpathStart(lock.Data(), m_count - 1);
  }
  POINTREC start;
  if (first >= 0 && GetPoint(first, &start) && (start.x != last.x || start.y != last.y)) {
    EnsureRoomForOne();
    // The record past the last point moves up one place, uncounted.
    CGlobalLock lock(m_points);
    if (!lock.Data()) AfxThrowMemoryException();
    StorePointRecord(lock.Data(), m_count + 1, LoadPointRecord(lock.Data(), m_count));
    StorePointRecord(lock.Data(), m_count, MakePointRecord(start.x, start.y, kPointClose | kPointOnCurve));
    ++m_count;
    return;
  }
  last.flags = static_cast<BYTE>((last.flags & 0xD7) | kPointClose);
  StoreAt(m_count - 1, last);
}

void CCurveBlock::EndOpenSubpath() {
  if (!m_points) return;
  DropTrailing(false, 0);
  POINTREC last;
  if (!GetPoint(m_count - 1, &last)) return;
  last.flags = static_cast<BYTE>((last.flags & 0xBF) | kPointOpenEnd);
  StoreAt(m_count - 1, last);
}

BYTE CCurveBlock::OpenLastSubpath() {
  if (!m_points) return kPointOpenEnd;
  DropTrailing(false, 0);
  POINTREC last;
  if (!GetPoint(m_count - 1, &last)) return kPointOpenEnd;
  BYTE former = SubpathBits(last.flags);
  last.flags = static_cast<BYTE>(last.flags & ~(kPointOpenEnd | kPointClose));
  StoreAt(m_count - 1, last);
  return former;
}

void CCurveBlock::TrimEndMarks() {
  if (m_points) DropTrailing(true, 1);
}

void CCurveBlock::AddRectangle(float x1, float y1, float x2, float y2) {
  AddPoint(x1, y1, kPointStart | kPointOnCurve);
  AddPoint(x2, y1, kPointOnCurve);
  AddPoint(x2, y2, kPointOnCurve);
  AddPoint(x1, y2, kPointOnCurve);
  AddPoint(x1, y1, kPointClose | kPointOnCurve);
}

void CCurveBlock::AddLine(float x1, float y1, float x2, float y2) {
  AddPoint(x1, y1, kPointStart | kPointOnCurve);
  AddPoint(x2, y2, kPointOpenEnd | kPointOnCurve);
}

void CCurveBlock::TakePointsOf(const CCurveBlock& other) {
  std::vector<POINTREC> records = other.GetPoints();
  const CMatrix2D* matrix = other.m_matrix.IsIdentity() ? nullptr : &other.m_matrix;
  FreePoints();
  if (records.empty()) return;
  int capacity = std::max(other.m_capacity, static_cast<int>(records.size()));
  Reallocate(static_cast<size_t>(capacity) + kSpareRecords);
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) AfxThrowMemoryException();
    for (size_t i = 0; i < records.size(); ++i) {
      POINTREC record = records[i];
      if (!IsSpecialPoint(record.flags)) {
        FPOINT p = Mapped(record, matrix);
        record.x = p.x;
        record.y = p.y;
      }
      StorePointRecord(lock.Data(), i, record);
    }
  }
  m_capacity = capacity;
  m_count = static_cast<int>(records.size());
}

void CCurveBlock::AppendCurve(const CCurveBlock& other) {
  if (&other == this || !other.m_points || other.m_count == 0) return;
  ApplyMatrix();
  if (!m_points || m_count == 0) {
    // The other's points come over in page coordinates; the other itself is left as it is.
    TakePointsOf(other);
    m_colour = other.m_colour;
    m_box = other.m_box;
    m_boxHasPoint = other.m_boxHasPoint;
    return;
  }
  CCurveBlock copy;
  copy.TakePointsOf(other);
  std::vector<POINTREC> theirs = copy.GetPoints();
  int theirEnd = copy.LastEndRecordAtOrBelow(copy.m_count - 1);
  if (theirEnd >= 0) theirs.resize(static_cast<size_t>(theirEnd) + 1);
  int thisEnd = LastEndRecordAtOrBelow(m_count - 1);
  if (thisEnd < 0) thisEnd = m_count;
  int newCount = thisEnd + static_cast<int>(theirs.size());
  Reallocate(static_cast<size_t>(newCount) + kSpareRecords);
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) AfxThrowMemoryException();
    for (size_t i = 0; i < theirs.size(); ++i) StorePointRecord(lock.Data(), thisEnd + i, theirs[i]);
    for (int i = newCount; i < newCount + kSpareRecords; ++i)
      StorePointRecord(lock.Data(), i, MakePointRecord(0.0f, 0.0f, 0));
  }
  m_count = m_capacity = newCount;
  if (theirEnd < 0) EndCurve();
  if (!m_boxHasPoint && !other.m_boxHasPoint) return;
  if (!m_boxHasPoint) {
    m_box = other.m_box;
  } else if (other.m_boxHasPoint) {
    Widen(&m_box, other.m_box.left, other.m_box.top);
    Widen(&m_box, other.m_box.right, other.m_box.bottom);
  }
  m_boxHasPoint = true;
}

void CCurveBlock::InsertPointsAt(int index, int n) {
  if (n < 1 || !m_points || m_count == 0 || index < 0 || index > m_count) return;
  if (m_count + n >= m_capacity) m_capacity += n;
  if (BlockRecords() < static_cast<size_t>(std::max(m_capacity, m_count + n)) + kSpareRecords)
    Reallocate(static_cast<size_t>(std::max(m_capacity, m_count + n)) + kSpareRecords);
  CGlobalLock lock(m_points);
  if (!lock.Data()) AfxThrowMemoryException();
  BYTE* data = lock.Data();
  memmove(data + (index + n) * kPointRecordSize, data + index * kPointRecordSize,
          static_cast<size_t>(m_count - index) * kPointRecordSize);
  for (int i = index; i < index + n; ++i)
    StorePointRecord(data, i, MakePointRecord(0.0f, 0.0f, kPointOnCurve));
  m_count += n;
}

void CCurveBlock::InsertPointsAfter(int index, int n) { InsertPointsAt(index + 1, n); }

void CCurveBlock::InsertPoint(int index, float x, float y, BYTE flags) {
  int before = m_count;
  InsertPointsAt(index, 1);
  if (m_count != before) StoreAt(index, MakePointRecord(x, y, flags));
}

void CCurveBlock::ApplyMatrix() {
  if (!m_points || m_matrix.IsIdentity()) return;
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) return;
    size_t count = std::min<size_t>(static_cast<size_t>(m_count), lock.Size() / kPointRecordSize);
    for (size_t i = 0; i < count; ++i) {
      POINTREC record = LoadPointRecord(lock.Data(), i);
      if (IsSpecialPoint(record.flags)) continue;
      FPOINT p = Mapped(record, &m_matrix);
      record.x = p.x;
      record.y = p.y;
      StorePointRecord(lock.Data(), i, record);
    }
  }
  m_matrix.SetIdentity();
}

void CCurveBlock::SetBox(float left, float top, float right, float bottom) {
  FitToRect(left, top, right, bottom);
  m_box = CFRect(left, top, right, bottom);
}

void CCurveBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  m_matrix.m[6] += dx;
  m_matrix.m[7] += dy;
}

void CCurveBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  matrix.TransformRect(&m_box);
}

CContour* CCurveBlock::GetContour(const CMatrix2D* matrix, UINT /*flags*/) {
  if (!m_points) return nullptr;
  const CMatrix2D* pending = m_matrix.IsIdentity() ? nullptr : &m_matrix;
  std::unique_ptr<CContour> contour(new CContour);
  for (const POINTREC& record : PathRecords()) {
    if (IsSpecialPoint(record.flags)) {
      contour->AppendRaw(record);
      continue;
    }
    FPOINT p = Mapped(record, pending);
    contour->AppendPoint(MakePointRecord(p.x, p.y, record.flags));
  }
  contour->AppendEndMark();
  if (!contour->IsBoxEmpty()) m_box = contour->GetBox();
  if (matrix) {
    contour->Transform(matrix);
    contour->ApplyMatrix();
  }
  return contour.release();
}

void CCurveBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int /*flag*/) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  CPen pen(PS_SOLID, 1, ColourRef(m_colour));
  CPen* previous = dc->SelectObject(&pen);
  contour->Draw(dc);
  dc->SelectObject(previous);
}

void CCurveBlock::DrawFilled(CDC* dc, CMatrix2D* matrix, int /*flag*/) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  CPen pen(PS_SOLID, 1, ColourRef(m_colour));
  CBrush brush(ColourRef(m_colour));
  CPen* previousPen = dc->SelectObject(&pen);
  CBrush* previousBrush = dc->SelectObject(&brush);
  contour->PaintDC(dc);
  dc->SelectObject(previousBrush);
  dc->SelectObject(previousPen);
}

void CCurveBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) {
  if (m_attributes & kSolidAttr)
    DrawFilled(dc, matrix, flag);
  else
    DrawOutline(dc, matrix, flag);
}

BOOL CCurveBlock::HitTest(CBlockView* view, float x, float y) {
  double pixel = view ? view->GetScale() : 1.0;
  float tolerance = static_cast<float>(kHitPixels * pixel);
  CFRect box = m_box;
  box.Normalize();
  // A straight curve along an axis has a box of no width or height: the box test gets the hit
  // tolerance on that side, and the segments decide.
  float toleranceX = box.left == box.right ? tolerance : static_cast<float>(pixel);
  float toleranceY = box.top == box.bottom ? tolerance : static_cast<float>(pixel);
  if (!(box.left - toleranceX < x && x < box.right + toleranceX && box.top - toleranceY < y &&
        y < box.bottom + toleranceY))
    return FALSE;
  return HitSegments(x, y, tolerance);
}

bool CCurveBlock::HitSegments(float x, float y, float tolerance) {
  CSegmentWalker walker(m_matrix.IsIdentity() ? nullptr : &m_matrix);
  std::vector<POINTREC> records = PathRecords();
  for (size_t i = 0; i < records.size(); ++i) {
    if (IsSpecialPoint(records[i].flags)) continue;
    CSegmentWalker::Kind kind = walker.Step(records[i]);
    if (kind == CSegmentWalker::kStart) m_hitSubpathStart = static_cast<int>(i);
    const FPOINT* p = walker.Points();
    FPOINT probe = {x, y};
    float ratio = -1.0f;
    if (kind == CSegmentWalker::kLine)
      ratio = SegmentHitTest(p[0].x, p[0].y, p[3].x, p[3].y, &probe, tolerance);
    else if (kind == CSegmentWalker::kBezier)
      ratio = CBezier(p).HitTest(&probe, tolerance);
    if (ratio >= 0.0f) return true;
    if (kind != CSegmentWalker::kControl) walker.Advance();
  }
  return false;
}

int CCurveBlock::WriteRecord(HGLOBAL* record) {
  *record = nullptr;
  if (!m_points) return 0;
  int end = LastEndRecordAtOrBelow(m_count);
  // A record of more points than any reader takes would make the list it stands in unreadable.
  if (end < 2 || end >= kMaxPointRecords) return 0;
  std::vector<POINTREC> records;
  {
    CGlobalLock lock(m_points);
    if (!lock.Data()) return 0;
    for (int i = 0; i <= end; ++i) records.push_back(LoadPointRecord(lock.Data(), i));
  }
  CBlockRecordWriter writer(kCurveRecordTag, *this);
  writer.WriteRect(m_box);
  writer.WriteMatrix(m_matrix);
  CByteWriter& fields = writer.Fields();
  fields.WriteDWord(m_colour);
  fields.WriteInt32(static_cast<int>(records.size()));
  for (const POINTREC& point : records) {
    fields.WriteFloat(point.x);
    fields.WriteFloat(point.y);
    fields.WriteByte(point.flags);
  }
  return writer.Finish(record);
}

CBlock* CCurveBlock::FromRecord(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kCurveRecordTag)) return nullptr;
  CFRect box;
  CMatrix2D matrix;
  DWORD colour = 0;
  int n = 0;
  CByteReader& fields = reader.Fields();
  if (!reader.ReadRect(box) || !reader.ReadMatrix(matrix) || !fields.ReadDWord(colour) ||
      !fields.ReadInt32(n))
    return nullptr;
  // The count must fit the record exactly before a single point is taken.
  if (n < 0 || n > kMaxPointRecords ||
      reader.Length() != kRecordFixedSize + static_cast<size_t>(n) * kPointRecordSize + 1)
    return nullptr;
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  reader.ReadHeaderInto(*curve, false);
  curve->m_colour = colour;
  curve->m_box = box;
  curve->m_matrix = matrix;
  if (n == 0) return curve.release();
  curve->Reallocate(static_cast<size_t>(n) + kSpareRecords);
  {
    CGlobalLock lock(curve->m_points);
    if (!lock.Data()) AfxThrowMemoryException();
    for (int i = 0; i < n; ++i) {
      POINTREC point;
      if (!fields.ReadFloat(point.x) || !fields.ReadFloat(point.y) || !fields.ReadByte(point.flags))
        return nullptr;
      StorePointRecord(lock.Data(), static_cast<size_t>(i), point);
    }
  }
  curve->m_count = curve->m_capacity = n;
  curve->m_boxHasPoint = true;
  return curve.release();
}

CBlock* CCurveBlock::ToCurve(DWORD colour) {
  if (colour != kEveryColour && colour != m_colour) return nullptr;
  CCurveBlock* copy = static_cast<CCurveBlock*>(Clone());
  copy->ApplyMatrix();
  return copy;
}

CBlock* CCurveBlock::Clone() {
  CCurveBlock* copy = new CCurveBlock;
  copy->m_attributes = m_attributes;
  copy->m_box = m_box;
  copy->m_matrix = m_matrix;
  copy->m_colour = m_colour;
  copy->m_boxHasPoint = m_boxHasPoint;
  if (m_points) {
    CGlobalLock source(m_points);
    if (!source.Data()) {
      delete copy;
      AfxThrowMemoryException();
    }
    copy->Reallocate(source.Size() / kPointRecordSize);
    CGlobalLock target(copy->m_points);
    if (!target.Data()) {
      delete copy;
      AfxThrowMemoryException();
    }
    memcpy(target.Data(), source.Data(), std::min<size_t>(source.Size(), target.Size()));
    copy->m_capacity = m_capacity;
    copy->m_count = m_count;
  }
  return copy;
}

void CCurveBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  if (colour == m_colour) return;
  m_colour = colour;
  if (redraw) Invalidate(view, TRUE);
}

void CCurveBlock::AddColourToCombo(HWND combo) {
  if (!combo) return;
  char text[16];
  wsprintfA(text, "%lu", static_cast<unsigned long>(m_colour));
  // Exact match: "255" must not be taken for "2550".
  if (::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text)) == CB_ERR)
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

float CCurveBlock::FirstSubpathLength(int* closed) {
  if (closed) *closed = 0;
  ApplyMatrix();
  CBezierTable& table = GetBezierTable();
  int formerSteps = table.GetSteps();
  table.SetSteps(kLengthSteps);
  float length = 0.0f;
  bool started = false;
  CSegmentWalker walker(nullptr);
  for (const POINTREC& record : PathRecords()) {
    if (IsSpecialPoint(record.flags)) continue;
    if (!started && !StartsSubpath(record.flags)) continue;
    CSegmentWalker::Kind kind = walker.Step(record);
    if (started && kind == CSegmentWalker::kStart) break;
    started = true;
    const FPOINT* p = walker.Points();
    if (kind == CSegmentWalker::kLine)
      length += Distance(p[0].x, p[0].y, p[3].x, p[3].y);
    else if (kind == CSegmentWalker::kBezier)
      length += CBezier(p).Length(kLengthSteps);
    if (kind != CSegmentWalker::kControl) walker.Advance();
    if (closed && (record.flags & kPointClose)) *closed = 1;
    if (EndsSubpath(record.flags)) break;
  }
  table.SetSteps(formerSteps);
  return length;
}

void CCurveBlock::OutputToCutter(CCutterDevice* device) const {
  if (!device || !m_points) return;
  CGlobalLock lock(m_points);
  if (!lock.Data()) return;
  int count = std::min<int>(m_count, static_cast<int>(lock.Size() / kPointRecordSize));
  bool dashed = device->IsDashMode();
  CSegmentWalker walker(nullptr);
  int start = 0;
  for (int i = 0; i < count; ++i) {
    POINTREC record = LoadPointRecord(lock.Data(), static_cast<size_t>(i));
    if (record.flags == kPointEnd) break;
    if (IsSpecialPoint(record.flags)) continue;
    CSegmentWalker::Kind kind = walker.Step(record);
    const FPOINT* p = walker.Points();
    if (kind == CSegmentWalker::kControl) continue;
    if (kind == CSegmentWalker::kStart) {
      if (dashed)
        device->MoveToDashStart(record.x, record.y);
      else
        device->MoveTo(record.x, record.y);
      start = i;
    } else if (kind == CSegmentWalker::kLine) {
      if (dashed)
        device->DashCutTo(record.x, record.y);
      else
        device->CutTo(record.x, record.y);
    } else if (kind == CSegmentWalker::kBezier) {
      device->CutBezier(p, TRUE);
    }
    walker.Advance();
    if (record.flags & kPointClose) {
      device->CutOvercut(lock.Data(), count, start);
      device->FlushPendingBlank();
    } else if (record.flags & kPointOpenEnd) {
      device->FlushPendingBlank();
    }
  }
}

void CCurveBlock::OutputToCarver(CCarveDevice* device) const {
  if (!device) return;
  CSegmentWalker walker(nullptr);
  for (const POINTREC& record : PathRecords()) {
    if (IsSpecialPoint(record.flags)) continue;
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kControl) continue;
    if (kind == CSegmentWalker::kStart) {
      device->SendPoint(record.x, record.y);
    } else if (kind == CSegmentWalker::kLine) {
      device->PlotTo(record.x, record.y);
    } else if (kind == CSegmentWalker::kBezier) {
      CString points = CBezier(walker.Points()).FlattenToText();
      if (!points.IsEmpty()) device->PlotPointList(points);
    }
    walker.Advance();
    if (record.flags & (kPointClose | kPointOpenEnd)) device->FlushPendingBlank();
  }
}

CCurveBlock* CCurveBlock::Reverse() const {
  if (!m_points) return nullptr;
  CCurveBlock* result = new CCurveBlock;
  result->m_colour = m_colour;
  result->m_attributes = m_attributes;
  std::vector<POINTREC> records = PathRecords();
  size_t i = 0;
  while (i < records.size()) {
    if (IsSpecialPoint(records[i].flags)) {
      result->AddPointNoBounds(records[i++]);
      continue;
    }
    size_t runEnd = i;
    while (runEnd < records.size() && !IsSpecialPoint(records[runEnd].flags)) ++runEnd;
    BYTE endFlags = kPointOpenEnd | kPointOnCurve;
    for (size_t k = runEnd; k-- > i;) {
      POINTREC record = records[k];
      if (record.flags & (kPointOpenEnd | kPointClose)) {
        endFlags = static_cast<BYTE>(record.flags & ~kPointSelected);
        record.flags = kPointStart | kPointOnCurve;
      } else if (record.flags & kPointStart) {
        record.flags = endFlags;
        endFlags = kPointOpenEnd | kPointOnCurve;
      }
      result->AddPoint(record);
    }
    i = runEnd;
  }
  result->EndCurve();
  if (!m_matrix.IsIdentity()) result->Transform(m_matrix);
  return result;
}

CCurveBlock* CCurveBlock::ExtractSubpath(int startIndex) const {
  std::vector<POINTREC> records = PathRecords();
  if (startIndex < 0) return nullptr;
  std::unique_ptr<CCurveBlock> result(new CCurveBlock);
  result->m_colour = m_colour;
  result->m_attributes = m_attributes;
  for (size_t i = static_cast<size_t>(startIndex); i < records.size(); ++i) {
    if (IsSpecialPoint(records[i].flags)) {
      result->AddPointNoBounds(records[i]);
      continue;
    }
    result->AddPoint(records[i]);
    if (records[i].flags & (kPointOpenEnd | kPointClose)) break;
  }
  result->EndCurve();
  if (result->m_count <= 1) return nullptr;
  if (!m_matrix.IsIdentity()) result->Transform(m_matrix);
  return result.release();
}

void CCurveBlock::SplitSubpaths(CGroupBlock* group) {
  if (!group) return;
  ApplyMatrix();
  std::unique_ptr<CCurveBlock> piece;
  // Special records between sub-paths (a pen colour) go with the sub-path that follows them.
  std::vector<POINTREC> between;
  for (const POINTREC& record : PathRecords()) {
    if (IsSpecialPoint(record.flags)) {
      if (piece)
        piece->AddPointNoBounds(record);
      else
        between.push_back(record);
      continue;
    }
    if (StartsSubpath(record.flags)) {
      piece.reset(new CCurveBlock);
      piece->m_colour = m_colour;
      piece->m_attributes = m_attributes;
      for (const POINTREC& special : between) piece->AddPointNoBounds(special);
      between.clear();
    }
    if (!piece) continue;
    piece->AddPoint(record);
    if (EndsSubpath(record.flags)) {
      piece->EndCurve();
      group->AddChild(piece.release());
    }
  }
}

int CCurveBlock::FindSubpathStart(const BYTE* points, int index) {
  if (!points) return -1;
  for (int i = index; i >= 0; --i)
    if (StartsSubpath(LoadPointRecord(points, static_cast<size_t>(i)).flags)) return i;
  return -1;
}

int CCurveBlock::FindSubpathEnd(const BYTE* points, int count, int index) {
  if (!points) return -1;
  for (int i = std::max(index, 0); i < count; ++i)
    if (EndsSubpath(LoadPointRecord(points, static_cast<size_t>(i)).flags)) return i;
  return -1;
}

bool CCurveBlock::GetSubpathBounds(int startIndex, CFRect* bounds) const {
  if (!bounds || startIndex < 0) return false;
  std::vector<POINTREC> records = PathRecords();
  bool found = false;
  FPOINT piece[4];
  int controls = 0;
  for (size_t i = static_cast<size_t>(startIndex); i < records.size(); ++i) {
    const POINTREC& record = records[i];
    if (IsSpecialPoint(record.flags)) continue;
    if (IsControlPoint(record.flags)) {
      if (controls < 2) piece[1 + controls] = FPOINT{record.x, record.y};
      ++controls;
      continue;
    }
    if (!found) {
      *bounds = CFRect(record.x, record.y, record.x, record.y);
      found = true;
    } else {
      Widen(bounds, record.x, record.y);
      if (controls == 2) {
        piece[3] = FPOINT{record.x, record.y};
        WidenByBezierSamples(bounds, piece);
      }
    }
    piece[0] = FPOINT{record.x, record.y};
    controls = 0;
    if (EndsSubpath(record.flags)) break;
  }
  return found;
}
