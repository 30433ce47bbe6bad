#include "model/blocks/LineBlock.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/ClientDC.h"
#include "framework/Pen.h"
#include "model/blocks/BlockView.h"
#include "model/editing/DrawUtils.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Geometry.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

CLineBlock::CLineBlock() : m_start{0.0f, 0.0f}, m_end{0.0f, 0.0f}, m_reserved(0) {
  m_type = kLineBlock;
}

BOOL CLineBlock::HitTest(CBlockView* view, float x, float y) {
  FPOINT a = ToPage(m_start), b = ToPage(m_end);
  float tolerance = PixelUnits(view, kControlPixels);
  if (x < std::min(a.x, b.x) - tolerance || x > std::max(a.x, b.x) + tolerance ||
      y < std::min(a.y, b.y) - tolerance || y > std::max(a.y, b.y) + tolerance)
    return FALSE;
  // Ends that coincide have no line through them: the point itself is the target.
  float distance = (a.x == b.x && a.y == b.y) ? Distance(a.x, a.y, x, y)
                                              : PointLineDistance(a.x, a.y, b.x, b.y, x, y);
  return distance < tolerance;
}

BOOL CLineBlock::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  if (HitsControlSquare(view, m_start, x, y)) {
    *handle = 0;
    return TRUE;
  }
  if (HitsControlSquare(view, m_end, x, y)) {
    *handle = 1;
    return TRUE;
  }
  return FALSE;
}

void CLineBlock::MoveHandle(UINT, int handle, float x, float y) {
  FPOINT point = ToBlock(x, y);
  if (handle == 0)
    m_start = point;
  else if (handle == 1)
    m_end = point;
  UpdateBoxFromEnds();
}

void CLineBlock::DrawHandleXor(CBlockView* view, int, float, float) {
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (!window) return;
  CClientDC dc(window);
  DrawXorOutline(&dc, view->GetDisplayMatrix());
  int rop = dc.SetROP2(R2_NOTXORPEN);
  DrawOutline(&dc, view->GetDisplayMatrix(), 0);
  dc.SetROP2(rop);
}

void CLineBlock::DrawXorOutline(CDC* dc, CMatrix2D* matrix) {
  CMatrix2D toDevice = BlockToDevice(matrix);
  FPOINT a = m_start, b = m_end;
  toDevice.TransformPoint(&a);
  toDevice.TransformPoint(&b);
  // The line lies on the block's own pixels: dotted, with the gaps left alone, so that a line of
  // the pen's colour keeps every other pixel instead of turning white under the XOR.
  CPen dotted(PS_DOT, 1, RGB(255, 0, 0));
  CXorScope xorScope(dc, &dotted);
  int background = ::SetBkMode(dc->GetSafeHdc(), TRANSPARENT);
  dc->MoveTo(static_cast<int>(a.x), static_cast<int>(a.y));
  dc->LineTo(static_cast<int>(b.x), static_cast<int>(b.y));
  ::SetBkMode(dc->GetSafeHdc(), background);
  xorScope.SelectPen(CFeedbackTools::RedPen());
  DrawControlSquare(dc, toDevice, m_start);
  DrawControlSquare(dc, toDevice, m_end);
}

void CLineBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  if (m_matrix.IsIdentity()) {
    m_start.x += dx;
    m_start.y += dy;
    m_end.x += dx;
    m_end.y += dy;
  } else {
    m_matrix.m[6] += dx;
    m_matrix.m[7] += dy;
  }
}

void CLineBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  UpdateBoxFromEnds();
}

CContour* CLineBlock::GetContour(const CMatrix2D* matrix, UINT) {
  if (m_type != kLineBlock) return nullptr;
  CMatrix2D toDevice = BlockToDevice(matrix);
  FPOINT a = m_start, b = m_end;
  toDevice.TransformPoint(&a);
  toDevice.TransformPoint(&b);
  CContour* contour = new CContour;
  contour->AppendPoint(MakePointRecord(a.x, a.y, kPointStart | kPointOnCurve));
  contour->AppendPoint(MakePointRecord(b.x, b.y, kPointOpenEnd | kPointOnCurve));
  contour->AppendEndMark();
  return contour;
}

int CLineBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CLineBlock::AppendRecordTo(CByteWriter& out) {
  // The record has no matrix, so the ends go out on the page: a line read back, cloned or pasted
  // lies where this one does.
  FPOINT start = ToPage(m_start), end = ToPage(m_end);
  CBlockRecordWriter writer(out, kLineRecordTag, *this);
  CByteWriter& fields = writer.Fields();
  fields.WriteFloat(start.x);
  fields.WriteFloat(start.y);
  fields.WriteFloat(end.x);
  fields.WriteFloat(end.y);
  writer.WriteRect(m_box);
  fields.WriteDWord(m_colour);
  fields.WriteInt32(m_reserved);
  return writer.Close();
}

void CLineBlock::UpdateBoxFromEnds() {
  FPOINT a = ToPage(m_start), b = ToPage(m_end);
  m_box = CFRect(a.x, a.y, b.x, b.y);
  m_box.Normalize();
}

CBlock* LoadLineBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kLineRecordTag, CLineBlock::kRecordLength)) return nullptr;
  std::unique_ptr<CLineBlock> line(new CLineBlock);
  reader.ReadHeaderInto(*line, false);
  CByteReader& fields = reader.Fields();
  DWORD colour = 0;
  if (!reader.ReadPoint(line->m_start) || !reader.ReadPoint(line->m_end) ||
      !reader.ReadRect(line->m_box) || !fields.ReadDWord(colour) ||
      !fields.ReadInt32(line->m_reserved))
    return nullptr;
  line->m_colour = colour;
  return line.release();
}
