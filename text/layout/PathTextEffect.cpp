#include "text/layout/PathTextEffect.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/MatrixFactories.h"
#include "model/geometry/NodePath.h"
#include "model/records/BlockRecord.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextDefaults.h"
#include "text/layout/TextPath.h"

namespace {

const double kRadiansToDegrees = 180.0 / 3.14159265358979323846;
const COLORREF kGuideColour = RGB(255, 0, 0);
// A centre this little past the end of an open path still stands on it: spread text ends exactly
// there, give or take the rounding of a float sum.
const double kEndSlack = 1e-4;

bool IsFinitePath(const CCurveBlock& path) {
  for (float value : path.m_matrix.m)
    if (!std::isfinite(value)) return false;
  for (const POINTREC& point : path.GetPoints())
    if (!IsSpecialPoint(point.flags) && (!std::isfinite(point.x) || !std::isfinite(point.y)))
      return false;
  return true;
}

}  // namespace

CPathTextEffect::CPathTextEffect(std::unique_ptr<CCurveBlock> path, CBoxArray* boxes,
                                 CMatrix2D* blockMatrix)
    : CCurvedTextEffect(kPath, boxes, blockMatrix),
      m_path(std::move(path)),
      m_segmentHit(0),
      m_length(0),
      m_extent(0),
      m_startDistance(0),
      m_spacing(0),
      m_offset(0),
      m_closed(0),
      m_count(0),
      m_dragPoint{0, 0} {
  if (!m_path) m_path.reset(new CCurveBlock);
  m_path->ApplyMatrix();
}

CPathTextEffect::CPathTextEffect(CCurveBlock* path, CBoxArray* boxes, CMatrix2D* blockMatrix)
    : CPathTextEffect(std::unique_ptr<CCurveBlock>(path), boxes, blockMatrix) {
  m_attributes = kNewAttributes;
  m_textHeight = CTextDefaults::Global().fontSizeY;
}

CPathTextEffect::~CPathTextEffect() = default;

// ---- Storage ----

CPathTextEffect* CPathTextEffect::FromRecord(const BYTE* record, size_t available, CBoxArray* boxes,
                                             CMatrix2D* blockMatrix) {
  CByteReader reader(record, record ? available : 0);
  BYTE tag = 0, kind = 0;
  DWORD length = 0, closed = 0;
  WORD attributes = 0, segmentHit = 0;
  int count = 0;
  float offset = 0, height = 0, pathLength = 0, extent = 0, spacing = 0, start = 0;
  if (!reader.ReadByte(tag) || tag != kTag || !reader.ReadDWord(length) ||
      length < kRecordOverhead + kMinRecordLength || length > available || !reader.ReadByte(kind) ||
      !reader.ReadWord(attributes) || !reader.ReadFloat(offset) || !reader.ReadFloat(height) ||
      !reader.ReadFloat(pathLength) || !reader.ReadFloat(extent) || !reader.ReadInt32(count) ||
      !reader.ReadFloat(spacing) || !reader.ReadFloat(start) || !reader.ReadWord(segmentHit) ||
      !reader.ReadDWord(closed))
    return nullptr;
  for (float value : {offset, height, pathLength, extent, spacing, start})
    if (!std::isfinite(value)) return nullptr;
  // The embedded record fills the record up to its end byte, and it must be a curve's.
  size_t inner = length - kRecordOverhead;
  const BYTE* path = record + kFixedSize;
  CByteReader header(path, inner);
  BYTE pathTag = 0, pathType = 0;
  DWORD pathLengthField = 0;
  if (record[kFixedSize + inner] != kRecordEndByte || !header.ReadByte(pathTag) ||
      pathTag != kCurveRecordTag || !header.ReadDWord(pathLengthField) ||
      pathLengthField != inner || !header.ReadByte(pathType) || pathType != kCurveBlock)
    return nullptr;
  std::unique_ptr<CBlock> block(CreateBlockFromRecord(path, inner));
  auto* curve = dynamic_cast<CCurveBlock*>(block.get());
  if (!curve || curve->m_type != kCurveBlock || !IsFinitePath(*curve)) return nullptr;
  // The layout keeps its path with the matrix baked in: a matrix and points each finite can still
  // bake to a point no record may hold.
  curve->ApplyMatrix();
  if (!IsFinitePath(*curve)) return nullptr;
  block.release();
  CPathTextEffect* effect = new CPathTextEffect(std::unique_ptr<CCurveBlock>(curve), boxes,
                                                blockMatrix);
  effect->m_attributes = attributes;
  effect->m_offset = offset;
  effect->m_textHeight = height;
  effect->m_length = pathLength;
  effect->m_extent = extent;
  effect->m_count = count;
  effect->m_spacing = spacing;
  effect->m_startDistance = start;
  effect->m_segmentHit = segmentHit;
  effect->m_closed = closed != 0;
  return effect;
}

int CPathTextEffect::WriteRecord(CByteWriter& out) const {
  HGLOBAL memory = nullptr;
  int pathLength = m_path->WriteRecord(&memory);
  std::vector<BYTE> path;
  if (pathLength > 0 && memory) {
    CGlobalLock lock(memory);
    if (lock.Data() && lock.Size() >= static_cast<SIZE_T>(pathLength))
      path.assign(lock.Data(), lock.Data() + pathLength);
  }
  if (memory) ::GlobalFree(memory);
  if (path.empty()) return 0;
  CByteWriter writer;
  writer.WriteByte(kTag);
  writer.WriteDWord(static_cast<DWORD>(kRecordOverhead + path.size()));
  writer.WriteByte(kPath);
  writer.WriteWord(m_attributes);
  writer.WriteFloat(m_offset);
  writer.WriteFloat(m_textHeight);
  writer.WriteFloat(m_length);
  writer.WriteFloat(0);
  writer.WriteInt32(m_count);
  writer.WriteFloat(m_spacing);
  writer.WriteFloat(m_startDistance);
  writer.WriteWord(m_segmentHit);
  writer.WriteDWord(0);
  writer.WriteBytes(path.data(), path.size());
  writer.WriteByte(kRecordEndByte);
  return out.WriteBytes(writer.Data(), writer.Size()) ? static_cast<int>(writer.Size()) : 0;
}

// ---- Layout ----

void CPathTextEffect::Layout(INT_PTR /*from*/) {
  if (!m_boxes) return;
  CTextPath path(*m_path, (m_attributes & kReversed) != 0);
  // A path that no float measures (a point of a damaged record far out) would store a length
  // and a spacing no record may hold: the text keeps the layout it has.
  if (!std::isfinite(static_cast<float>(path.Length()))) return;
  float tallest = 0, advances = 0, first = 0, last = 0;
  int count = 0;
  for (INT_PTR i = 0; i < m_boxes->GetSize(); ++i) {
    CCharBox* box = m_boxes->GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    last = box->GetAdvance(0);
    if (count == 0) first = last;
    advances += last;
    tallest = std::max(tallest, box->m_height);
    ++count;
  }
  if (count > 0) m_textHeight = tallest;
  if (m_attributes & kSpread) {
    m_closed = path.IsClosed() ? 1 : 0;
    m_length = static_cast<float>(path.Length());
    m_count = count;
    // Neighbours stand half the advance of each apart, and S further. Round a closed path the n
    // steps come back to the first character; along an open one the n - 1 steps end with the
    // last centre on the path's end.
    m_extent = m_closed ? advances : advances - (first + last) / 2;
    int gaps = m_closed ? count : count - 1;
    m_spacing = count >= 2 ? (m_length - m_extent) / gaps : 0;
  }
  if (path.IsEmpty()) return;
  bool turned = (m_attributes & kPathBit) != 0;
  double end = path.Length() * (1 + kEndSlack) + kEndSlack;
  double at = m_startDistance, previousHalf = 0;
  bool placedOne = false;
  // The characters past the end of the path keep their places and their turns.
  for (INT_PTR i = 0; i < m_boxes->GetSize(); ++i) {
    CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    // A line break takes no room: it stands at the end of the character before it.
    double half = box->IsLineBreak() ? 0 : box->m_width * box->m_ratio / 2;
    double centre = !placedOne           ? at
                    : box->IsLineBreak() ? at + previousHalf
                                         : at + previousHalf + half + m_spacing;
    if (centre > end) break;
    FPOINT point = path.PointAt(centre);
    box->m_x = point.x;
    box->m_y = point.y;
    box->m_style |= CCharBox::kPlaced;
    // The character faces from its centre towards the end of its advance; the turn is its own
    // angle, as its record keeps it (0 - d: a direction of 0 is stored as +0, not -0).
    box->m_angle = turned ? 0.0f - static_cast<float>(path.DirectionAt(centre, half) *
                                                      kRadiansToDegrees)
                          : 0.0f;
    if (box->IsLineBreak()) continue;
    at = centre;
    previousHalf = half;
    placedOne = true;
  }
}

CMatrix2D CPathTextEffect::GetBoxMatrix(const CCharBox* box) const {
  CMatrix2D matrix = CellMatrix(box, m_offset);
  if (m_attributes & kPathBit)
    matrix.Multiply(MakeRotationMatrix(box->m_x, box->m_y, box->m_angle));
  return matrix;
}

void CPathTextEffect::Offset(float dx, float dy) {
  CMatrix2D move;
  move.m[6] = dx;
  move.m[7] = dy;
  m_path->Transform(move);
  m_path->ApplyMatrix();
}

FPOINT CPathTextEffect::EmptyTextPoint() const {
  return CTextPath(*m_path, (m_attributes & kReversed) != 0).PointAt(m_startDistance);
}

void CPathTextEffect::BuildLayoutLine(std::vector<POINTREC>* points) const {
  for (const POINTREC& point : m_path->GetPathRecords())
    if (!IsSpecialPoint(point.flags))
      points->push_back(
          MakePointRecord(point.x, point.y, static_cast<BYTE>(point.flags & ~kPointSelected)));
}

// ---- Guide and handles ----

void CPathTextEffect::DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) {
  CNodePath nodes(m_path->GetPathRecords());
  std::vector<FPOINT> handles;
  for (int i = 0; i < nodes.Size(); ++i)
    if (nodes.IsNode(i) && !nodes.IsClosingPoint(i))
      handles.push_back({nodes.Records()[i].x, nodes.Records()[i].y});
  DrawGuide(dc, toDevice, handles, kGuideColour);
}

bool CPathTextEffect::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  float tolerance = HandleTolerance(view);
  CNodePath nodes(m_path->GetPathRecords());
  int kind = 0;
  int node = nodes.HitNode(x, y, tolerance, 0, -1, &kind);
  CNodePath::SegmentHit segment;
  m_segmentHit = 0;
  if (node < 0 && nodes.HitSegment(x, y, tolerance, &segment)) {
    m_segmentHit = 1;
    node = segment.endIndex;
  }
  // A closing point is its sub-path's first point.
  CNodePath::Span span;
  if (node >= 0 && nodes.IsClosingPoint(node) && nodes.SpanOf(node, &span)) node = span.start;
  m_dragPoint = {x, y};
  if (handle) *handle = node;
  return node >= 0;
}

int CPathTextEffect::MoveHandle(CBlockView* /*view*/, int handle, float x, float y) {
  CNodePath nodes(m_path->GetPathRecords());
  if (handle < 0 || handle >= nodes.Size() || !nodes.IsNode(handle)) return 0;
  std::vector<POINTREC>& records = nodes.Records();
  // A node grabbed goes to the point; a segment grabbed takes the node that ends it along with
  // the mouse. Either way the node moves with its control points and a closing point on it.
  FPOINT from = m_segmentHit ? m_dragPoint : FPOINT{records[handle].x, records[handle].y};
  for (POINTREC& record : records)
    if (!IsSpecialPoint(record.flags)) record.flags &= static_cast<BYTE>(~kPointSelected);
  records[handle].flags |= kPointSelected;
  nodes.MoveSelectedNodes(x - from.x, y - from.y, false, {x, y});
  records[handle].flags &= static_cast<BYTE>(~kPointSelected);
  m_dragPoint = {x, y};
  m_path->SetPathRecords(nodes.Records());
  return 1;
}

// ---- Panel ----

void CPathTextEffect::WritePanelValues(HWND panel) const {
  WritePanelNumber(panel, kOffsetEdit, m_offset);
  WritePanelNumber(panel, kSpacingEdit, m_spacing);
}

void CPathTextEffect::ReadPanelValues(HWND panel) {
  double value = 0;
  if (ReadChangedPanelNumber(panel, kOffsetEdit, m_offset, &value) &&
      std::isfinite(static_cast<float>(value)))
    m_offset = static_cast<float>(value);
  if (ReadChangedPanelNumber(panel, kSpacingEdit, m_spacing, &value) &&
      std::isfinite(static_cast<float>(value)))
    m_spacing = static_cast<float>(value);
}
