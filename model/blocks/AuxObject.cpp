#include "model/blocks/AuxObject.h"

#include <cstring>

#include "framework/ByteWriter.h"
#include "model/blocks/Block.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/OutputArea.h"

void CAuxObject::DrawXor(CDC*, const CMatrix2D&, const CFRect&) {}
BOOL CAuxObject::GetRect(CFRect*) { return FALSE; }
BOOL CAuxObject::GetBoundsRect(CFRect*) { return FALSE; }
UINT CAuxObject::GetPanelId() { return kEmptyPanelId; }

int CAuxObject::WriteRecord(HGLOBAL* record) {
  *record = nullptr;
  return 0;
}

BOOL CAuxObject::IsGuide() { return TRUE; }

void CAuxObject::SetMarkState(CDC*, const CMatrix2D&, const CFRect&) { m_state = kMarkedState; }
void CAuxObject::SetSelectState(CDC*, const CMatrix2D&, const CFRect&) { m_state = kSelectedState; }
void CAuxObject::Offset(float, float) {}

void CAuxObject::Draw(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  if (m_flags & kSolidFlag)
    DrawSolid(dc, matrix, visible);
  else
    DrawOutline(dc, matrix, visible);
}

BOOL CAuxObject::HitTest(float, float, float) { return FALSE; }

BOOL CAuxObject::HitTestHandle(CBlockView*, float, float, int* handle) {
  if (handle) *handle = kNoHandle;
  return FALSE;
}

BOOL CAuxObject::SetRect(float, float, float, float) { return FALSE; }
BOOL CAuxObject::Invalidate(CBlockView*, BOOL) { return FALSE; }
void CAuxObject::DrawOutline(CDC*, const CMatrix2D&, const CFRect&) {}

void CAuxObject::DrawSolid(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  DrawOutline(dc, matrix, visible);
}

int CAuxObject::HandOverRecord(const CByteWriter& record, size_t bufferSize, HGLOBAL* out) {
  *out = nullptr;
  size_t length = record.Size();
  if (bufferSize < length) bufferSize = length;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bufferSize);
  if (!memory) return 0;
  void* data = ::GlobalLock(memory);
  if (!data) {
    ::GlobalFree(memory);
    return 0;
  }
  memcpy(data, record.Data(), length);
  ::GlobalUnlock(memory);
  *out = memory;
  return static_cast<int>(length);
}

CAuxObject* CreateAuxObjectFromRecord(const BYTE* record, size_t available) {
  if (!record || available == 0) return nullptr;
  switch (record[0]) {
    case CAuxObject::kGuideLineType:
      return CGuideLine::FromRecord(record, available);
    case CAuxObject::kOutputAreaType:
      return COutputArea::FromRecord(record, available);
    default:
      return nullptr;
  }
}
