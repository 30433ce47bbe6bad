#include "model/blocks/CurveBlock.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/DC.h"
#include "framework/GlobalLock.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CarveSink.h"
#include "model/blocks/CurveNodeEditor.h"
#include "model/blocks/CutSink.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/DocumentTexts.h"
#include "model/document/LoadDamage.h"
#include "model/document/SegArray.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/NodeEditState.h"
#include "model/editing/ThinPenScope.h"
#include "model/geometry/Bezier.h"
#include "model/geometry/BezierTable.h"
#include "model/geometry/Contour.h"
#include "model/geometry/DrawingBounds.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/NodePath.h"
#include "model/geometry/NodeRebuild.h"
#include "model/geometry/SegmentWalker.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"
#include "model/undo/UndoColourRecord.h"
#include "model/undo/UndoCurveStateRecord.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoEndEditRecord.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoNodeDeselectRecord.h"
#include "model/undo/UndoNodeSelectRecord.h"
#include "model/undo/UndoPointsRecord.h"

namespace {

const int kHitPixels = 3;
const int kLengthSteps = 20;
const DWORD kEveryColour = 0xFFFFFFFF;
// The contour-line tool's command, the one command the curve runs itself.
const UINT kContourLineCommand = 32855;
// Half-sizes in pixels of the node-edit marks.
const int kStartMark = 5;
const int kNodeMark = 4;
const int kControlMark = 2;
const int kHitMark = 3;

float NodeTolerance(CBlockView* view) {
  return static_cast<float>(kHitPixels * (view ? view->GetScale() : 1.0));
}

POINT DevicePoint(const CMatrix2D* matrix, float x, float y) {
  FPOINT p = {x, y};
  if (matrix) matrix->TransformPointTo(&p);
  return POINT{static_cast<LONG>(p.x), static_cast<LONG>(p.y)};
}

void DrawSquare(HDC dc, POINT at, int half) {
  ::Rectangle(dc, at.x - half, at.y - half, at.x + half + 1, at.y + half + 1);
}

COLORREF ColourRef(DWORD colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
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
    outside = outside ||
              !PointInBox(points[i].x, points[i].y, box->left, box->top, box->right, box->bottom);
  if (!outside) return;
  CBezier piece(points);
  for (int hundredths = 10; hundredths < 90; ++hundredths) {
    FPOINT sample;
    piece.PointAt(hundredths / 100.0f, &sample);
    Widen(box, sample.x, sample.y);
  }
}

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
      m_boxHasPoint(false) {
  m_type = kCurveBlock;
  m_box.SetEmpty();
  // A drawing's curves come and go by the thousand with their documents.
  m_store.KeepBlockForReuse();
}

CCurveBlock::~CCurveBlock() {}

bool CCurveBlock::GetPoint(int index, POINTREC* point) const { return m_store.Get(index, point); }

std::vector<POINTREC> CCurveBlock::GetPoints() const { return m_store.Records(); }

void CCurveBlock::WidenBox(const POINTREC& point) {
  if (!m_boxHasPoint && m_box.left == 0.0f && m_box.top == 0.0f && m_box.right == 0.0f &&
      m_box.bottom == 0.0f) {
    m_box = CFRect(point.x, point.y, point.x, point.y);
    m_boxHasPoint = true;
    return;
  }
  m_boxHasPoint = true;
  Widen(&m_box, point.x, point.y);
  int count = m_store.Count();
  POINTREC before[3];
  if (count < 3 || !GetPoint(count - 1, &before[2]) || !GetPoint(count - 2, &before[1]) ||
      !GetPoint(count - 3, &before[0]))
    return;
  if (!IsControlPoint(before[2].flags) || !IsControlPoint(before[1].flags) ||
      IsSpecialPoint(before[0].flags))
    return;
  FPOINT points[4] = {{before[0].x, before[0].y},
                      {before[1].x, before[1].y},
                      {before[2].x, before[2].y},
                      {point.x, point.y}};
  WidenByBezierSamples(&m_box, points);
}

int CCurveBlock::AddPoint(const POINTREC& point) {
  m_store.EnsureRoomForOne();
  if (point.flags == kPointEnd) {
    m_store.Append(point);
    m_store.Fit(0);
    return m_store.Count();
  }
  // A point appended to an ended curve takes the place of its end records, and one follows it.
  bool ended = m_store.DropTrailing(true, 0) > 0;
  if (IsOnCurvePoint(point.flags)) WidenBox(point);
  m_store.Append(point);
  if (ended) m_store.Append(MakePointRecord(0.0f, 0.0f, kPointEnd));
  return m_store.Count();
}

int CCurveBlock::AddPointNoBounds(const POINTREC& point) {
  m_store.EnsureRoomForOne();
  if (point.flags == kPointEnd) {
    m_store.Append(point);
    // Room for one more record, unlike an end record that AddPoint appends.
    m_store.Fit(1);
    return m_store.Count();
  }
  bool ended = m_store.DropTrailing(true, 0) > 0;
  m_store.Append(point);
  if (ended) m_store.Append(MakePointRecord(0.0f, 0.0f, kPointEnd));
  return m_store.Count();
}

int CCurveBlock::EndCurve() { return AddPointNoBounds(MakePointRecord(0.0f, 0.0f, kPointEnd)); }

void CCurveBlock::CloseLastSubpath() {
  if (!m_store.Block()) return;
  m_store.DropTrailing(false, 0);
  int lastIndex = m_store.Count() - 1;
  POINTREC last, start;
  if (!GetPoint(lastIndex, &last)) return;
  if (GetPoint(m_store.SubpathStartAtOrBelow(lastIndex), &start) &&
      (start.x != last.x || start.y != last.y)) {
    m_store.EnsureRoomForOne();
    // The record past the last point moves up one place, uncounted.
    m_store.Set(lastIndex + 2, m_store.StoredAt(lastIndex + 1));
    m_store.Append(MakePointRecord(start.x, start.y, kPointClose | kPointOnCurve));
    return;
  }
  last.flags = static_cast<BYTE>((last.flags & ~(kPointSelected | kPointOpenEnd)) | kPointClose);
  m_store.Set(lastIndex, last);
}

void CCurveBlock::EndOpenSubpath() {
  if (!m_store.Block()) return;
  m_store.DropTrailing(false, 0);
  POINTREC last;
  if (!GetPoint(m_store.Count() - 1, &last)) return;
  last.flags = static_cast<BYTE>((last.flags & ~kPointClose) | kPointOpenEnd);
  m_store.Set(m_store.Count() - 1, last);
}

BYTE CCurveBlock::OpenLastSubpath() {
  if (!m_store.Block()) return kPointOpenEnd;
  m_store.DropTrailing(false, 0);
  POINTREC last;
  if (!GetPoint(m_store.Count() - 1, &last)) return kPointOpenEnd;
  BYTE former = SubpathBitsOf(last.flags);
  last.flags = static_cast<BYTE>(last.flags & ~(kPointOpenEnd | kPointClose));
  m_store.Set(m_store.Count() - 1, last);
  return former;
}

void CCurveBlock::TrimEndMarks() {
  if (m_store.Block()) m_store.DropTrailing(true, 1);
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
  m_store.Free();
  if (records.empty()) return;
  for (POINTREC& record : records) {
    if (IsSpecialPoint(record.flags)) continue;
    FPOINT p = Mapped(record, matrix);
    record.x = p.x;
    record.y = p.y;
  }
  m_store.Assign(records, other.m_store.Capacity());
}

void CCurveBlock::AppendCurve(const CCurveBlock& other) {
  if (&other == this || !other.m_store.Block() || other.m_store.Count() == 0) return;
  ApplyMatrix();
  if (!m_store.Block() || m_store.Count() == 0) {
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
  int theirEnd = copy.m_store.LastEndAtOrBelow(copy.m_store.Count() - 1);
  if (theirEnd >= 0) theirs.resize(static_cast<size_t>(theirEnd) + 1);
  int thisEnd = m_store.LastEndAtOrBelow(m_store.Count() - 1);
  if (thisEnd < 0) thisEnd = m_store.Count();
  std::vector<POINTREC> records = GetPoints();
  records.resize(static_cast<size_t>(thisEnd));
  records.insert(records.end(), theirs.begin(), theirs.end());
  m_store.Assign(records, static_cast<int>(records.size()));
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
  m_store.InsertAt(index, n, MakePointRecord(0.0f, 0.0f, kPointOnCurve));
}

void CCurveBlock::InsertPointsAfter(int index, int n) { InsertPointsAt(index + 1, n); }

void CCurveBlock::InsertPoint(int index, float x, float y, BYTE flags) {
  int before = m_store.Count();
  InsertPointsAt(index, 1);
  if (m_store.Count() != before) m_store.Set(index, MakePointRecord(x, y, flags));
}

void CCurveBlock::ApplyMatrix() {
  if (!m_store.Block() || m_matrix.IsIdentity()) return;
  {
    CGlobalLock lock(m_store.Block());
    if (!lock.Data()) return;
    size_t count = std::min<size_t>(static_cast<size_t>(m_store.Count()),
                                    lock.Size() / kPointRecordSize);
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
  if (!m_store.Block()) return nullptr;
  const CMatrix2D* pending = m_matrix.IsIdentity() ? nullptr : &m_matrix;
  std::unique_ptr<CContour> contour(new CContour);
  m_store.ForEachRecord([&](const POINTREC& record) {
    if (record.flags == kPointEnd) return false;
    if (IsSpecialPoint(record.flags)) {
      contour->AppendRaw(record);
      return true;
    }
    FPOINT p = Mapped(record, pending);
    contour->AppendPoint(MakePointRecord(p.x, p.y, record.flags));
    return true;
  });
  contour->AppendEndMark();
  if (!contour->IsBoxEmpty()) m_box = contour->GetBox();
  if (matrix) {
    contour->Transform(matrix);
    contour->ApplyMatrix();
  }
  return contour.release();
}

void CCurveBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int /*flag*/) {
  StrokeOutline(dc, matrix, true);
}

void CCurveBlock::StrokeOutline(CDC* dc, CMatrix2D* matrix, bool onScreen) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  if (onScreen) {
    CThinPenScope pen(dc, ColourRef(m_colour));
    contour->DrawThin(dc);
    return;
  }
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
  // Printers get the outline as a path, whatever the screen's drawing makes of it.
  if (m_attributes & kSolidAttr)
    DrawFilled(dc, matrix, flag);
  else
    StrokeOutline(dc, matrix, false);
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
  std::vector<POINTREC> records = m_store.PathRecords();
  for (size_t i = 0; i < records.size(); ++i) {
    CSegmentWalker::Kind kind = walker.Step(records[i]);
    if (kind == CSegmentWalker::kMove) m_hitSubpathStart = static_cast<int>(i);
    if (walker.SegmentHit(kind, x, y, tolerance)) return true;
  }
  return false;
}

int CCurveBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CCurveBlock::AppendRecordTo(CByteWriter& out) {
  if (!m_store.Block()) return 0;
  // From the record at the count down: a curve being built keeps its end record there uncounted.
  int end = m_store.LastEndAtOrBelow(m_store.Count());
  // A record of more points than any reader takes would make the list it stands in unreadable.
  if (end < 2 || end >= kMaxPointRecords) return 0;
  CGlobalLock lock(m_store.Block());
  size_t bytes = static_cast<size_t>(end + 1) * kPointRecordSize;
  if (!lock.Data() || lock.Size() < bytes) return 0;
  CBlockRecordWriter writer(out, kCurveRecordTag, *this);
  writer.WriteRect(m_box);
  writer.WriteMatrix(m_matrix);
  CByteWriter& fields = writer.Fields();
  fields.WriteDWord(m_colour);
  fields.WriteInt32(end + 1);
  // The store keeps its points in the record's own 9-byte form.
  fields.WriteBytes(lock.Data(), bytes);
  return writer.Close();
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
  // A record of no point records at all holds no curve.
  if (n == 0 ||
      !CBlockRecordReader::ArePointRecordsFinite(fields.Current(), static_cast<size_t>(n)))
    return nullptr;
  const BYTE* points = fields.Current();
  // The last record of the count is the end record, whatever its flag: read as a point, the one
  // of a damaged record would draw a line to wherever its bytes say, and a save would keep it.
  const bool ended = LoadPointRecord(points, static_cast<size_t>(n) - 1).flags == kPointEnd;
  // A point far outside any page, or too few left to be stored once the end is mended: the curve
  // is damage and is left out; its record is whole, so what follows it is read.
  if ((!ended && n < kFewestStoredRecords) ||
      (CLoadDamage::LeavesOutFarPoints() && !PointsWithinBounds(points, n - 1, matrix))) {
    CLoadDamage::NoteLeftOut();
    return nullptr;
  }
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  reader.ReadHeaderInto(*curve, false);
  curve->m_colour = colour;
  curve->m_box = box;
  curve->m_matrix = matrix;
  // The points stand in the record in the store's own 9-byte form; the length check above has
  // made sure that all of them lie before the end byte.
  curve->m_store.AssignBytes(points, n, n + 1);
  curve->m_boxHasPoint = true;
  if (!ended) {
    curve->m_store.Set(n - 1, MakePointRecord(0.0f, 0.0f, kPointEnd));
    CLoadDamage::NoteMended(AfxLoadString(DocumentText::kDamagedList),
                            AfxLoadString(DocumentText::kDamagedCaption));
  }
  return curve.release();
}

bool CCurveBlock::PointsWithinBounds(const BYTE* records, int count, const CMatrix2D& matrix) {
  for (int i = 0; i < count; ++i) {
    const POINTREC p = LoadPointRecord(records, static_cast<size_t>(i));
    if (IsSpecialPoint(p.flags)) continue;
    FPOINT at = {p.x, p.y};
    matrix.TransformPoint(&at);
    if (!CDrawingBounds::Contains(at.x, at.y)) return false;
  }
  return true;
}

CBlock* CCurveBlock::ToCurve(DWORD colour) {
  if (colour != kEveryColour && colour != m_colour) return nullptr;
  CCurveBlock* copy = static_cast<CCurveBlock*>(Clone());
  copy->ApplyMatrix();
  return copy;
}

CBlock* CCurveBlock::Clone() {
  std::unique_ptr<CCurveBlock> copy(new CCurveBlock);
  copy->m_attributes = m_attributes;
  copy->m_box = m_box;
  copy->m_matrix = m_matrix;
  copy->m_colour = m_colour;
  copy->m_boxHasPoint = m_boxHasPoint;
  copy->m_store.CopyFrom(m_store);
  return copy.release();
}

void CCurveBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  if (colour == m_colour) return;
  if (IsRecording(view)) RecordUndo(view, new CUndoColourRecord(this, m_colour));
  m_colour = colour;
  if (redraw) Invalidate(view, TRUE);
}

void CCurveBlock::AddColourToCombo(HWND combo) { AddColourNumber(combo, m_colour); }

float CCurveBlock::FirstSubpathLength(int* closed) {
  if (closed) *closed = 0;
  ApplyMatrix();
  CBezierTable& table = GetBezierTable();
  int formerSteps = table.GetSteps();
  table.SetSteps(kLengthSteps);
  float length = 0.0f;
  bool started = false;
  CSegmentWalker walker;
  for (const POINTREC& record : m_store.PathRecords()) {
    if (!started && !IsSubpathStart(record.flags)) continue;
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kSpecial || kind == CSegmentWalker::kControl) continue;
    if (started && kind == CSegmentWalker::kMove) break;
    started = true;
    const FPOINT* p = walker.Points();
    if (kind == CSegmentWalker::kLine)
      length += Distance(p[0].x, p[0].y, p[3].x, p[3].y);
    else if (kind == CSegmentWalker::kBezier)
      length += CBezier(p).Length(kLengthSteps);
    if (closed && walker.ClosesSubpath()) *closed = 1;
    if (walker.EndsSubpath()) break;
  }
  table.SetSteps(formerSteps);
  return length;
}

void CCurveBlock::OutputToCutter(CCutSink* device) const {
  if (!device || !m_store.Block()) return;
  CGlobalLock lock(m_store.Block());
  if (!lock.Data()) return;
  int count = std::min<int>(m_store.Count(), static_cast<int>(lock.Size() / kPointRecordSize));
  bool dashed = device->IsDashMode();
  CSegmentWalker walker;
  int start = 0;
  for (int i = 0; i < count; ++i) {
    POINTREC record = LoadPointRecord(lock.Data(), static_cast<size_t>(i));
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kEnd) break;
    if (kind == CSegmentWalker::kMove) {
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
      device->CutBezier(walker.Points(), TRUE);
    } else {
      continue;
    }
    if (walker.ClosesSubpath()) {
      device->CutOvercut(lock.Data(), count, start);
      device->FlushPendingBlank();
    } else if (walker.EndsSubpath()) {
      device->FlushPendingBlank();
    }
  }
}

void CCurveBlock::OutputToCarver(CCarveSink* device) const {
  if (!device) return;
  CSegmentWalker walker;
  for (const POINTREC& record : m_store.PathRecords()) {
    CSegmentWalker::Kind kind = walker.Step(record);
    if (kind == CSegmentWalker::kMove) {
      device->SendPoint(record.x, record.y);
    } else if (kind == CSegmentWalker::kLine) {
      device->PlotTo(record.x, record.y);
    } else if (kind == CSegmentWalker::kBezier) {
      CString points = CBezier(walker.Points()).FlattenToText();
      if (!points.IsEmpty()) device->PlotPointList(points);
    } else {
      continue;
    }
    if (walker.EndsSubpath()) device->FlushPendingBlank();
  }
}

CCurveBlock* CCurveBlock::Reverse() const {
  if (!m_store.Block()) return nullptr;
  CCurveBlock* result = new CCurveBlock;
  result->m_colour = m_colour;
  result->m_attributes = m_attributes;
  for (const POINTREC& record : CPointStore::ReversedSubpaths(m_store.PathRecords())) {
    if (IsSpecialPoint(record.flags))
      result->AddPointNoBounds(record);
    else
      result->AddPoint(record);
  }
  result->EndCurve();
  if (!m_matrix.IsIdentity()) result->Transform(m_matrix);
  return result;
}

CCurveBlock* CCurveBlock::ExtractSubpath(int startIndex) const {
  std::vector<POINTREC> records = m_store.PathRecords();
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
    if (IsSubpathEnd(records[i].flags)) break;
  }
  result->EndCurve();
  if (result->GetCount() <= 1) return nullptr;
  if (!m_matrix.IsIdentity()) result->Transform(m_matrix);
  return result.release();
}

void CCurveBlock::SplitSubpaths(CGroupBlock* group) {
  if (!group) return;
  ApplyMatrix();
  std::unique_ptr<CCurveBlock> piece;
  // Special records between sub-paths (a pen colour) go with the sub-path that follows them.
  std::vector<POINTREC> between;
  for (const POINTREC& record : m_store.PathRecords()) {
    if (IsSpecialPoint(record.flags)) {
      if (piece)
        piece->AddPointNoBounds(record);
      else
        between.push_back(record);
      continue;
    }
    if (IsStartOnly(record.flags)) {
      piece.reset(new CCurveBlock);
      piece->m_colour = m_colour;
      piece->m_attributes = m_attributes;
      for (const POINTREC& special : between) piece->AddPointNoBounds(special);
      between.clear();
    }
    if (!piece) continue;
    piece->AddPoint(record);
    if (IsSubpathEnd(record.flags)) {
      piece->EndCurve();
      group->AddChild(piece.release());
    }
  }
}

int CCurveBlock::FindSubpathStart(const BYTE* points, int index) {
  if (!points) return -1;
  for (int i = index; i >= 0; --i)
    if (IsStartOnly(LoadPointRecord(points, static_cast<size_t>(i)).flags)) return i;
  return -1;
}

int CCurveBlock::FindSubpathEnd(const BYTE* points, int count, int index) {
  if (!points) return -1;
  for (int i = std::max(index, 0); i < count; ++i)
    if (IsSubpathEnd(LoadPointRecord(points, static_cast<size_t>(i)).flags)) return i;
  return -1;
}

bool CCurveBlock::GetSubpathBounds(int startIndex, CFRect* bounds) const {
  if (!bounds || startIndex < 0) return false;
  std::vector<POINTREC> records = m_store.PathRecords();
  bool found = false;
  CSegmentWalker walker;
  for (size_t i = static_cast<size_t>(startIndex); i < records.size(); ++i) {
    CSegmentWalker::Kind kind = walker.Step(records[i]);
    if (kind == CSegmentWalker::kSpecial || kind == CSegmentWalker::kControl) continue;
    const FPOINT& p = walker.End();
    if (!found) {
      *bounds = CFRect(p.x, p.y, p.x, p.y);
      found = true;
    } else {
      Widen(bounds, p.x, p.y);
      if (kind == CSegmentWalker::kBezier) WidenByBezierSamples(bounds, walker.Points());
    }
    if (walker.EndsSubpath()) break;
  }
  return found;
}

// ---- Node editing ----

void CCurveBlock::SetPointRecord(int index, const POINTREC& record) {
  if (index >= 0 && index < m_store.Count()) m_store.Set(index, record);
}

CCurveBlock::NodeEditFields CCurveBlock::GetNodeEditFields() const {
  return NodeEditFields{m_selectedCount, m_currentIndex, m_hitX,           m_hitY,
                        m_hitParam,      m_hitKind,      m_hitSubpathStart};
}

void CCurveBlock::SetNodeEditFields(const NodeEditFields& fields) {
  m_selectedCount = fields.selectedCount;
  m_currentIndex = fields.currentIndex;
  m_hitX = fields.hitX;
  m_hitY = fields.hitY;
  m_hitParam = fields.hitParam;
  m_hitKind = fields.hitKind;
  m_hitSubpathStart = fields.hitSubpathStart;
}

CCurveBlock::PointsSnapshot CCurveBlock::TakeSnapshot() const {
  return PointsSnapshot{m_store.Records(), m_store.Capacity(), m_box, GetNodeEditFields()};
}

void CCurveBlock::RestoreSnapshot(const PointsSnapshot& snapshot) {
  if (snapshot.records.empty())
    m_store.Free();
  else
    m_store.Assign(snapshot.records, snapshot.capacity);
  m_box = snapshot.box;
  m_boxHasPoint = !snapshot.records.empty();
  SetNodeEditFields(snapshot.fields);
}

void CCurveBlock::SetPathRecords(const std::vector<POINTREC>& records) {
  CCurveBlock built;
  for (const POINTREC& record : records) {
    if (IsSpecialPoint(record.flags))
      built.AddPointNoBounds(record);
    else
      built.AddPoint(record);
  }
  if (!records.empty()) built.EndCurve();
  std::vector<POINTREC> all = built.GetPoints();
  if (all.empty()) {
    m_store.Free();
    m_box.SetEmpty();
    m_boxHasPoint = false;
    return;
  }
  m_store.Assign(all, built.GetCapacity());
  m_box = built.m_box;
  m_boxHasPoint = built.m_boxHasPoint;
}

void CCurveBlock::AssignPath(const std::vector<POINTREC>& records) {
  m_box.SetEmpty();
  m_boxHasPoint = false;
  if (records.empty()) {
    m_store.Free();
    return;
  }
  for (size_t i = 0; i < records.size(); ++i) {
    const POINTREC& point = records[i];
    if (!IsOnCurvePoint(point.flags)) continue;
    if (!m_boxHasPoint) {
      m_box = CFRect(point.x, point.y, point.x, point.y);
      m_boxHasPoint = true;
      continue;
    }
    Widen(&m_box, point.x, point.y);
    if (i < 3 || !IsControlPoint(records[i - 1].flags) || !IsControlPoint(records[i - 2].flags) ||
        IsSpecialPoint(records[i - 3].flags))
      continue;
    FPOINT piece[4] = {{records[i - 3].x, records[i - 3].y},
                       {records[i - 2].x, records[i - 2].y},
                       {records[i - 1].x, records[i - 1].y},
                       {point.x, point.y}};
    WidenByBezierSamples(&m_box, piece);
  }
  std::vector<POINTREC> ended(records);
  ended.push_back(MakePointRecord(0.0f, 0.0f, kPointEnd));
  m_store.Assign(ended, static_cast<int>(ended.size()));
}

bool CCurveBlock::HasNoNodes() const {
  for (const POINTREC& record : m_store.PathRecords())
    if (IsOnCurvePoint(record.flags)) return false;
  return true;
}

void CCurveBlock::RecountSelection() {
  m_selectedCount = static_cast<int>(CNodePath(GetPathRecords()).SelectedNodes().size());
}

void CCurveBlock::SelectNode(CBlockView* view, int index) {
  CNodePath path(GetPathRecords());
  if (!path.IsNode(index)) return;
  // A closing point is its sub-path's first point.
  CNodePath::Span span;
  if (path.IsClosingPoint(index) && path.SpanOf(index, &span)) index = span.start;
  if (path.IsSelected(index)) return;
  POINTREC record = path.Records()[index];
  record.flags |= kPointSelected;
  m_store.Set(index, record);
  m_currentIndex = index;
  ++m_selectedCount;
  if (IsRecording(view)) RecordUndo(view, new CUndoNodeSelectRecord(this, index));
  Invalidate(view, FALSE);
}

void CCurveBlock::DeselectNode(CBlockView* view, int index) {
  POINTREC record;
  if (!GetPoint(index, &record) || !IsOnCurvePoint(record.flags) ||
      !(record.flags & kPointSelected))
    return;
  record.flags &= static_cast<BYTE>(~kPointSelected);
  m_store.Set(index, record);
  m_selectedCount = std::max(0, m_selectedCount - 1);
  if (IsRecording(view)) RecordUndo(view, new CUndoNodeDeselectRecord(this, index));
  Invalidate(view, FALSE);
}

void CCurveBlock::SelectNodesInRect(CBlockView* view, float left, float top, float right,
                                    float bottom) {
  int current = m_currentIndex;
  bool noneBefore = m_selectedCount == 0;
  int first = -1;
  CNodePath path(GetPathRecords());
  for (int i = 0; i < path.Size(); ++i) {
    const POINTREC& p = path.Records()[i];
    if (!path.IsNode(i) || path.IsSelected(i) || path.IsClosingPoint(i) || p.x < left ||
        p.x > right || p.y < top || p.y > bottom)
      continue;
    SelectNode(view, i);
    if (first < 0) first = i;
  }
  m_currentIndex = noneBefore && first >= 0 ? first : current;
}

void CCurveBlock::RedrawSelection(CBlockView* view, BOOL clear) {
  Invalidate(view, FALSE);
  if (!clear) return;
  RecountSelection();
  // A click that finds nothing to clear changes nothing and leaves nothing to undo.
  if (m_selectedCount == 0 && m_hitParam < 0.0f) return;
  if (IsRecording(view)) RecordUndo(view, new CUndoCurveStateRecord(this));
  m_hitParam = -1.0f;
  CNodePath path(GetPathRecords());
  for (int i = 0; i < path.Size(); ++i)
    if (path.IsSelected(i)) DeselectNode(view, i);
  m_selectedCount = 0;
}

int CCurveBlock::HitNode(CBlockView* view, float x, float y, int* kind) {
  int ignored = 0;
  if (!kind) kind = &ignored;
  return CNodePath(GetPathRecords())
      .HitNode(x, y, NodeTolerance(view), m_selectedCount, m_currentIndex, kind);
}

int CCurveBlock::HitUnselectedNode(CBlockView* view, float x, float y) {
  return CNodePath(GetPathRecords()).HitUnselectedNode(x, y, NodeTolerance(view));
}

WORD CCurveBlock::HitSegment(CBlockView* view, float x, float y) {
  CNodePath::SegmentHit hit;
  if (!m_store.Block() ||
      !CNodePath(GetPathRecords()).HitSegment(x, y, NodeTolerance(view), &hit)) {
    m_hitKind = kNoHit;
    m_hitParam = -1.0f;
    return kNoHit;
  }
  m_hitKind = hit.kind;
  m_currentIndex = hit.endIndex;
  m_hitX = hit.point.x;
  m_hitY = hit.point.y;
  m_hitParam = hit.t;
  m_hitSubpathStart = hit.subpathStart;
  return hit.kind;
}

void CCurveBlock::MoveSelectedNodes(float dx, float dy, UINT keyFlags, FPOINT mouse) {
  CNodePath path(GetPathRecords());
  path.MoveSelectedNodes(dx, dy, (keyFlags & MK_SHIFT) != 0, mouse);
  SetPathRecords(path.Records());
}

void CCurveBlock::MoveControlPoint(float dx, float dy, int which, UINT keyFlags) {
  CNodePath path(GetPathRecords());
  path.MoveControlPoint(m_currentIndex, dx, dy, which, (keyFlags & MK_SHIFT) != 0);
  SetPathRecords(path.Records());
}

void CCurveBlock::DragSegment(float dx, float dy) {
  if (m_hitParam < 0.0f) return;
  CNodePath path(GetPathRecords());
  path.DragSegment(m_currentIndex, m_hitParam, dx, dy);
  SetPathRecords(path.Records());
  FPOINT hit = CNodePath::PointOnSegment(GetPathRecords(), m_currentIndex, m_hitParam);
  m_hitX = hit.x;
  m_hitY = hit.y;
}

void CCurveBlock::MoveSubpaths(float dx, float dy) {
  ApplyMatrix();
  if (m_selectedCount <= 0 && m_hitParam < 0.0f) return;
  CNodePath path(GetPathRecords());
  path.MoveSubpaths(dx, dy, m_currentIndex);
  SetPathRecords(path.Records());
}

void CCurveBlock::SetSelectedCoordinate(CBlockView* view, float value, int axis) {
  CNodePath path(GetPathRecords());
  path.SetSelectedCoordinate(value, axis);
  SetPathRecords(path.Records());
  Invalidate(view, FALSE);
}

void CCurveBlock::RecordPointsUndo(CBlockView* view) {
  if (!IsRecording(view)) return;
  view->GetUndoManager()->AppendRepaintRecord();
  RecordUndo(view, new CUndoPointsRecord(this));
}

void CCurveBlock::TakeRebuilt(CBlockView* view, const std::vector<POINTREC>& records, BOOL erase) {
  Invalidate(view, erase);
  SetPathRecords(records);
  RecountSelection();
  m_hitParam = -1.0f;
  Invalidate(view, erase);
}

BOOL CCurveBlock::AddNode(CBlockView* view) {
  if (m_hitParam < 0.0f || (m_hitKind != kLineHit && m_hitKind != kBezierHit)) return FALSE;
  std::vector<POINTREC> records = GetPathRecords();
  int node = -1;
  if (!CNodeRebuild::AddNode(&records, m_currentIndex, m_hitParam, &node)) return FALSE;
  RecordPointsUndo(view);
  TakeRebuilt(view, records, FALSE);
  m_currentIndex = node;
  return TRUE;
}

void CCurveBlock::NodeDelete(CBlockView* view) {
  if (CNodePath(GetPathRecords()).SelectedNodes().empty()) return;
  RecordPointsUndo(view);
  TakeRebuilt(view, CNodeRebuild::DeleteSelected(GetPathRecords()), TRUE);
  RemoveIfEmptied(view);
}

void CCurveBlock::RemoveIfEmptied(CBlockView* view) {
  // A curve without a node would write no record and silently vanish on the next save: it leaves
  // the document now, in the same undo step as the deletion that emptied it.
  if (!HasNoNodes() || !IsRecording(view)) return;
  CSegArray* list = view->GetBlockList();
  INT_PTR index = list ? CUndoBlockRecord::RemoveFromList(list, this) : -1;
  if (index < 0) return;
  m_editMode = 0;
  view->SetEditBlock(nullptr);
  RecordUndo(view, new CUndoEndEditRecord(this, kNodeTool));
  RecordUndo(view, new CUndoDeleteRecord(this, index));
  if (HWND window = view->GetViewWindow()) ::InvalidateRect(window, nullptr, TRUE);
}

BOOL CCurveBlock::SegmentToCurve(CBlockView* view) {
  if (m_hitParam < 0.0f || m_hitKind != kLineHit) return FALSE;
  std::vector<POINTREC> records = GetPathRecords();
  if (!CNodeRebuild::SegmentToCurve(&records, m_currentIndex)) return FALSE;
  RecordPointsUndo(view);
  int end = m_currentIndex + 2;
  TakeRebuilt(view, records, TRUE);
  m_currentIndex = end;
  return TRUE;
}

BOOL CCurveBlock::SegmentToLine(CBlockView* view) {
  if (m_hitParam < 0.0f || m_hitKind != kBezierHit) return FALSE;
  std::vector<POINTREC> records = GetPathRecords();
  if (!CNodeRebuild::SegmentToLine(&records, m_currentIndex)) return FALSE;
  RecordPointsUndo(view);
  int end = m_currentIndex - 2;
  TakeRebuilt(view, records, TRUE);
  m_currentIndex = end;
  return TRUE;
}

BOOL CCurveBlock::ToggleSegmentKind(CBlockView* view) {
  if (m_hitParam < 0.0f) return FALSE;
  return m_hitKind == kLineHit ? SegmentToCurve(view) : SegmentToLine(view);
}

BOOL CCurveBlock::BreakNode(CBlockView* view) {
  std::vector<int> selected = CNodePath(GetPathRecords()).SelectedNodes();
  std::vector<POINTREC> records;
  if (selected.size() != 1 || !CNodeRebuild::BreakAt(GetPathRecords(), selected[0], &records))
    return FALSE;
  RecordPointsUndo(view);
  TakeRebuilt(view, records, TRUE);
  return TRUE;
}

int CCurveBlock::JoinNodes(CBlockView* view) {
  CNodePath path(GetPathRecords());
  std::vector<int> selected = path.SelectedNodes();
  if (selected.size() != 2) return 0;
  for (int node : selected) {
    CNodePath::Span span;
    if (!path.SpanOf(node, &span) || !span.closed || node != span.start) continue;
    // A closed sub-path has no end to join: its first point stays the one selected node.
    for (int other : selected)
      if (other != node) DeselectNode(view, other);
    m_selectedCount = 1;
    m_currentIndex = node;
    return 0;
  }
  const POINTREC& a = path.Records()[selected[0]];
  const POINTREC& b = path.Records()[selected[1]];
  float within = NodeTolerance(view);
  bool merge = std::fabs(a.x - b.x) < within && std::fabs(a.y - b.y) < within;
  std::vector<POINTREC> records;
  if (!CNodeRebuild::Join(GetPathRecords(), selected[0], selected[1], merge, &records)) return 0;
  RecordPointsUndo(view);
  TakeRebuilt(view, records, FALSE);
  return 1;
}

BOOL CCurveBlock::DeleteContour(CBlockView* view) {
  if (CNodePath(GetPathRecords()).SelectedNodes().empty()) return FALSE;
  RecordPointsUndo(view);
  TakeRebuilt(view, CNodeRebuild::DeleteSelectedSubpaths(GetPathRecords()), TRUE);
  RemoveIfEmptied(view);
  return TRUE;
}

BOOL CCurveBlock::ReplaceByCircle(CBlockView* view) {
  if (CNodePath(GetPathRecords()).SelectedNodes().empty()) return FALSE;
  RecordPointsUndo(view);
  TakeRebuilt(view, CNodeRebuild::ReplaceSelectedByCircle(GetPathRecords()), TRUE);
  return TRUE;
}

BOOL CCurveBlock::ReplaceBySquare(CBlockView* view) {
  if (CNodePath(GetPathRecords()).SelectedNodes().empty()) return FALSE;
  RecordPointsUndo(view);
  TakeRebuilt(view, CNodeRebuild::ReplaceSelectedBySquare(GetPathRecords()), TRUE);
  return TRUE;
}

BOOL CCurveBlock::ReplaceByCurve(CBlockView* view) {
  std::vector<POINTREC> records = GetPathRecords();
  int before = -1, after = -1;
  if (!CNodeRebuild::FindSelectedRun(records, &before, &after)) return FALSE;
  CNodeEditState& state = GetNodeEditState();
  FPOINT p0 = {records[before].x, records[before].y};
  FPOINT p3 = {records[after].x, records[after].y};
  FPOINT mid = {(p0.x + p3.x) / 2.0f, (p0.y + p3.y) / 2.0f};
  state.toolPoints[0] = p0;
  state.toolPoints[1] = state.toolPoints[2] = mid;
  state.toolPoints[3] = p3;
  state.clickCount = 1;
  state.dragState = CNodeEditState::kReplaceCurve;
  Invalidate(view, FALSE);
  return TRUE;
}

BOOL CCurveBlock::ReplaceNodesByCurve(CBlockView* view, FPOINT c1, FPOINT c2) {
  std::vector<POINTREC> records;
  if (!CNodeRebuild::ReplaceRunByCurve(GetPathRecords(), c1, c2, &records)) return FALSE;
  RecordPointsUndo(view);
  CFRect box = m_box;
  TakeRebuilt(view, records, TRUE);
  // The old box stays, so that the repaint covers what the run drew.
  m_box = box;
  return TRUE;
}

void CCurveBlock::AppendLineSegment(CBlockView* view, FPOINT p0, FPOINT p1) {
  FPOINT points[4] = {p0, p1, p1, p1};
  std::vector<int> selected = CNodePath(GetPathRecords()).SelectedNodes();
  int node = selected.size() == 1 ? selected[0] : -1;
  std::vector<POINTREC> records = GetPathRecords();
  bool closed = false;
  RecordPointsUndo(view);
  CNodeRebuild::AppendSegment(&records, points, false, &node, &closed);
  TakeRebuilt(view, records, FALSE);
  if (node >= 0) m_currentIndex = node;
  if (closed) ::MessageBeep(0);
}

void CCurveBlock::AppendBezierSegment(CBlockView* view, const FPOINT points[4]) {
  std::vector<int> selected = CNodePath(GetPathRecords()).SelectedNodes();
  int node = selected.size() == 1 ? selected[0] : -1;
  std::vector<POINTREC> records = GetPathRecords();
  bool closed = false;
  RecordPointsUndo(view);
  CNodeRebuild::AppendSegment(&records, points, true, &node, &closed);
  TakeRebuilt(view, records, FALSE);
  if (node >= 0) m_currentIndex = node;
  if (closed) ::MessageBeep(0);
}

void CCurveBlock::NodeEditStarted(CBlockView* view) {
  // The node tool works on the points as they lie on the page.
  ApplyMatrix();
  RecountSelection();
  GetNodeEditState().Reset();
  Invalidate(view, FALSE);
}

BOOL CCurveBlock::EndNodeEdit(CBlockView* view) {
  RedrawSelection(view, TRUE);
  GetNodeEditState().Reset();
  CBlock::EndNodeEdit(view);
  Invalidate(view, FALSE);
  return TRUE;
}

BOOL CCurveBlock::HasEditSelection() { return m_editMode == kNodeTool && m_selectedCount > 0; }

BOOL CCurveBlock::HasCommand(CBlockView*, UINT command) { return command == kContourLineCommand; }

BOOL CCurveBlock::ExecCommand(CBlockView* view, UINT command) {
  if (command != kContourLineCommand) return FALSE;
  CCurveNodeEditor(*this, view).StartContourLine();
  return TRUE;
}

void CCurveBlock::DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) {
  if (!dc) return;
  HDC hdc = dc->GetSafeHdc();
  CNodePath path(GetPathRecords());
  int rop = ::SetROP2(hdc, R2_NOTXORPEN);
  HGDIOBJ oldPen = ::SelectObject(hdc, CFeedbackTools::RedPen()->m_hObject);
  HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
  m_selectedCount = 0;
  for (int i = 0; i < path.Size(); ++i) {
    if (!path.IsNode(i) || path.IsClosingPoint(i)) continue;
    bool selected = path.IsSelected(i);
    if (selected) {
      ++m_selectedCount;
      m_currentIndex = i;
    }
    ::SelectObject(hdc,
                   selected ? CFeedbackTools::RedBrush()->m_hObject : ::GetStockObject(NULL_BRUSH));
    const POINTREC& p = path.Records()[i];
    DrawSquare(hdc, DevicePoint(matrix, p.x, p.y),
               IsSubpathStart(p.flags) ? kStartMark : kNodeMark);
  }
  ::SelectObject(hdc, ::GetStockObject(NULL_BRUSH));
  if (m_selectedCount == 1) {
    ::SelectObject(hdc, CFeedbackTools::BlueDottedPen()->m_hObject);
    const POINTREC& node = path.Records()[m_currentIndex];
    POINT at = DevicePoint(matrix, node.x, node.y);
    for (int control : {path.ControlBefore(m_currentIndex), path.ControlAfter(m_currentIndex)}) {
      if (control < 0) continue;
      POINT handle = DevicePoint(matrix, path.Records()[control].x, path.Records()[control].y);
      ::MoveToEx(hdc, at.x, at.y, nullptr);
      ::LineTo(hdc, handle.x, handle.y);
      DrawSquare(hdc, handle, kControlMark);
    }
  }
  if (m_hitParam >= 0.0f) {
    FPOINT hit = CNodePath::PointOnSegment(path.Records(), m_currentIndex, m_hitParam);
    m_hitX = hit.x;
    m_hitY = hit.y;
    ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    DrawSquare(hdc, DevicePoint(matrix, hit.x, hit.y), kHitMark);
  }
  ::SelectObject(hdc, oldBrush);
  ::SelectObject(hdc, oldPen);
  ::SetROP2(hdc, rop);
}

BOOL CCurveBlock::OnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).OnLButtonDown(keyFlags, x, y);
}

BOOL CCurveBlock::OnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).OnMouseMove(keyFlags, x, y);
}

BOOL CCurveBlock::OnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).OnLButtonUp(keyFlags, x, y);
}

BOOL CCurveBlock::OnRButtonDown(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).OnRButtonDown(keyFlags, x, y);
}

BOOL CCurveBlock::OnRButtonUp(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).OnRButtonUp(keyFlags, x, y);
}

BOOL CCurveBlock::OnLButtonDblClk(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).OnLButtonDblClk(keyFlags, x, y);
}

BOOL CCurveBlock::NodeOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).NodePress(keyFlags, x, y);
}

BOOL CCurveBlock::NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).NodeDrag(keyFlags, x, y);
}

BOOL CCurveBlock::NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) {
  return CCurveNodeEditor(*this, view).NodeRelease(keyFlags, x, y);
}

BOOL CCurveBlock::NodeOnChar(CBlockView* view, UINT ch, UINT flags) {
  return CCurveNodeEditor(*this, view).OnChar(ch, flags);
}

BOOL CCurveBlock::NodeOnKeyDown(CBlockView* view, UINT key, UINT modifiers) {
  return CCurveNodeEditor(*this, view).OnKeyDown(key, modifiers);
}

BOOL CCurveBlock::NodeShortcutKey(CBlockView* view, UINT ch, UINT flags) {
  return CCurveNodeEditor(*this, view).ShortcutKey(ch, flags);
}
