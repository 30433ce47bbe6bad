#include "model/blocks/OutputArea.h"

#include <cmath>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/DC.h"
#include "framework/Pen.h"
#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"
#include "model/editing/FeedbackTools.h"
#include "model/geometry/Matrix2D.h"
#include "model/records/BlockRecord.h"

namespace {

const size_t kRecordBufferSize = 33;
const int kHandlePixels = 3;
// Frame pixels that an invalidation adds on each side: the pen's reach and the handle squares.
const int kInvalidateMargin = 5 + 3;

bool NearSquare(float x, float y, float cx, float cy, float t) {
  return std::fabs(x - cx) <= t && std::fabs(y - cy) <= t;
}

}  // namespace

COutputArea::COutputArea(float x1, float y1, float x2, float y2) : COutputArea() {
  m_rect = CFRect(x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1);
}

COutputArea* COutputArea::FromRecord(const BYTE* record, size_t available) {
  CByteReader reader(record, available);
  BYTE tag = 0;
  WORD flags = 0;
  CFRect rect;
  if (!reader.ReadByte(tag) || tag != kOutputAreaType || !reader.Skip(4) ||
      !reader.ReadWord(flags) || !reader.ReadFloat(rect.left) || !reader.ReadFloat(rect.top) ||
      !reader.ReadFloat(rect.right) || !reader.ReadFloat(rect.bottom))
    return nullptr;
  COutputArea* area = new COutputArea;
  area->m_flags = flags;
  area->m_rect = rect;  // as stored, not normalised
  return area;
}

BOOL COutputArea::GetRect(CFRect* rect) {
  if (rect) *rect = m_rect;
  return TRUE;
}

BOOL COutputArea::GetBoundsRect(CFRect* rect) { return GetRect(rect); }

int COutputArea::WriteRecord(HGLOBAL* record) {
  CByteWriter writer;
  writer.WriteByte(kOutputAreaType);
  writer.WriteInt32(kRecordLength);
  writer.WriteWord(m_flags);
  writer.WriteFloat(m_rect.left);
  writer.WriteFloat(m_rect.top);
  writer.WriteFloat(m_rect.right);
  writer.WriteFloat(m_rect.bottom);
  writer.WriteByte(kAuxRecordEndByte);
  writer.WriteByte(kListEndByte);  // outside the counted length
  int length = HandOverRecord(writer, kRecordBufferSize, record);
  return length > 0 ? kRecordLength : 0;
}

BOOL COutputArea::IsGuide() { return FALSE; }

void COutputArea::Offset(float dx, float dy) {
  m_rect.left += dx;
  m_rect.right += dx;
  m_rect.top += dy;
  m_rect.bottom += dy;
}

BOOL COutputArea::HitTest(float x, float y, float t) {
  if (x < m_rect.left - t || x > m_rect.right + t || y < m_rect.top - t || y > m_rect.bottom + t)
    return FALSE;
  return std::fabs(x - m_rect.left) < t || std::fabs(x - m_rect.right) < t ||
         std::fabs(y - m_rect.top) < t || std::fabs(y - m_rect.bottom) < t;
}

BOOL COutputArea::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  float t = static_cast<float>(kHandlePixels * (view ? view->GetScale() : 1.0));
  const FPOINT corners[] = {{m_rect.left, m_rect.top},
                            {m_rect.right, m_rect.top},
                            {m_rect.left, m_rect.bottom},
                            {m_rect.right, m_rect.bottom}};
  for (int i = 0; i < 4; ++i) {
    if (NearSquare(x, y, corners[i].x, corners[i].y, t)) {
      if (handle) *handle = i;
      return TRUE;
    }
  }
  if (handle) *handle = kNoHandle;
  return FALSE;
}

BOOL COutputArea::SetRect(float left, float top, float right, float bottom) {
  m_rect = CFRect(left, top, right, bottom);
  return TRUE;
}

BOOL COutputArea::Invalidate(CBlockView* view, BOOL erase) {
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (!window) return TRUE;
  CMatrix2D identity;
  CMatrix2D* display = view->GetDisplayMatrix();
  CFRect box = m_rect;
  RECT rect;
  (display ? display : &identity)->TransformRect(&box, &rect);
  ::InflateRect(&rect, kInvalidateMargin, kInvalidateMargin);
  ::InvalidateRect(window, &rect, erase);
  return TRUE;
}

void COutputArea::DrawRect(CDC* dc, const CMatrix2D& matrix, HGDIOBJ pen, HGDIOBJ brush) {
  if (!dc) return;
  CFRect box = m_rect;
  RECT rect;
  matrix.TransformRect(&box, &rect);
  HGDIOBJ previousPen = dc->SelectObject(pen);
  HGDIOBJ previousBrush = dc->SelectObject(brush);
  dc->Rectangle(&rect);
  dc->SelectObject(previousBrush);
  dc->SelectObject(previousPen);
}

void COutputArea::DrawXor(CDC* dc, const CMatrix2D& matrix, const CFRect&) {
  if (!dc) return;
  int previousMode = dc->SetROP2(R2_NOTXORPEN);
  DrawRect(dc, matrix, CFeedbackTools::GreenPen()->GetSafeHandle(), ::GetStockObject(NULL_BRUSH));
  dc->SetROP2(previousMode);
}

void COutputArea::DrawOutline(CDC* dc, const CMatrix2D& matrix, const CFRect&) {
  DrawRect(dc, matrix, CFeedbackTools::BluePen()->GetSafeHandle(), ::GetStockObject(NULL_BRUSH));
}

void COutputArea::DrawSolid(CDC* dc, const CMatrix2D& matrix, const CFRect&) {
  DrawRect(dc, matrix, CFeedbackTools::BluePen()->GetSafeHandle(), ::GetStockObject(WHITE_BRUSH));
}
