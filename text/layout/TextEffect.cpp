#include "text/layout/TextEffect.h"

#include <cstring>
#include <memory>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "framework/Wnd.h"
#include "model/blocks/CurveBlock.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/ArchEffect.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/PathTextEffect.h"

namespace {

const float kGlyphUnits = 1024.0f;
// Unwritten bytes after the record, as the fixed-size record blocks had.
const size_t kSpareAfterRecord = 10;
const char kNoParametersCaption[] = "无属性";

}  // namespace

CTextEffect::CTextEffect(BYTE kind, CBoxArray* boxes, CMatrix2D* blockMatrix)
    : m_kind(kind), m_attributes(0), m_boxes(boxes), m_blockMatrix(blockMatrix) {}

int CTextEffect::WriteToMemory(HGLOBAL* out) const {
  *out = nullptr;
  CByteWriter record;
  int length = WriteRecord(record);
  if (length <= 0) return 0;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, record.Size() + kSpareAfterRecord);
  if (!block) return 0;
  {
    CGlobalLock lock(block);
    if (!lock.Data()) {
      ::GlobalFree(block);
      return 0;
    }
    std::memcpy(lock.Data(), record.Data(), record.Size());
  }
  *out = block;
  return length;
}

CBlock* CTextEffect::GetOutlineBlock() const {
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  AppendLayoutLine(*curve);
  if (curve->GetCount() == 0) return nullptr;
  curve->EndCurve();
  return curve.release();
}

CMatrix2D CTextEffect::GetBoxMatrix(const CCharBox* box) const {
  CMatrix2D matrix;
  matrix.m[0] = box->m_width / kGlyphUnits;
  matrix.m[4] = box->m_height / kGlyphUnits;
  matrix.m[6] = box->m_x;
  matrix.m[7] = box->m_y;
  return matrix;
}

CMatrix2D CTextEffect::GetBoxMatrixAt(INT_PTR index) const {
  const CCharBox* box = m_boxes ? m_boxes->GetCharBox(index) : nullptr;
  return box ? GetBoxMatrix(box) : CMatrix2D();
}

void CTextEffect::GetCaretPos(INT_PTR /*index*/, int /*side*/, FPOINT* top, FPOINT* bottom) {
  *top = {0, 0};
  *bottom = {0, 0};
}

int CTextEffect::HitTestCaret(INT_PTR index, float x, float y, FPOINT* top, FPOINT* bottom) {
  int side = HitTestBox(index, x, y);
  GetCaretPos(index, side, top, bottom);
  return side;
}

void CTextEffect::GetStartPoint(FPOINT* top, FPOINT* bottom, float /*width*/, float /*height*/) {
  *top = {0, 0};
  *bottom = {0, 0};
}

void CTextEffect::SetPanelCaption(HWND window) const {
  if (window) ::SetWindowTextA(window, kNoParametersCaption);
}

namespace {

CTextEffect::PanelFactory& Factory() {
  static CTextEffect::PanelFactory factory = nullptr;
  return factory;
}

}  // namespace

CTextEffect::PanelFactory CTextEffect::SetPanelFactory(PanelFactory factory) {
  PanelFactory previous = Factory();
  Factory() = factory;
  return previous;
}

CTextEffect::PanelFactory CTextEffect::GetPanelFactory() { return Factory(); }

INT_PTR CTextEffect::NextCharIndex(INT_PTR index) const {
  return m_boxes ? m_boxes->NextCharIndex(index) : -1;
}

INT_PTR CTextEffect::PrevCharIndex(INT_PTR index) const {
  if (!m_boxes) return -1;
  INT_PTR previous = m_boxes->PrevCharIndex(index);
  return previous < index && m_boxes->GetCharBox(previous) ? previous : -1;
}

CTextEffect* LoadTextEffect(const BYTE* record, size_t available, CBoxArray* boxes,
                            CMatrix2D* blockMatrix) {
  if (!record || available < CTextEffect::kRecordHeaderSize) return nullptr;
  switch (record[0]) {
    case CDirectionEffect::kFirstTag:
    case CDirectionEffect::kFirstTag + 1:
    case CDirectionEffect::kFirstTag + 2:
    case CDirectionEffect::kFirstTag + 3:
      return CDirectionEffect::FromRecord(record, available, boxes, blockMatrix);
    case CArcEffect::kTag:
      return CArcEffect::FromRecord(record, available, boxes, blockMatrix);
    case CArchEffect::kTag:
      return CArchEffect::FromRecord(record, available, boxes, blockMatrix);
    case CPathTextEffect::kTag:
      return CPathTextEffect::FromRecord(record, available, boxes, blockMatrix);
    default:
      return nullptr;
  }
}

CTextEffect* CloneTextEffect(const CTextEffect& effect) {
  CByteWriter record;
  if (effect.WriteRecord(record) <= 0) return nullptr;
  return LoadTextEffect(record.Data(), record.Size(), effect.GetBoxes(), effect.GetBlockMatrix());
}
