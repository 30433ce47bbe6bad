#include "model/records/BlockRecordWriter.h"

#include <cstring>

#include "model/blocks/Block.h"
#include "model/records/BlockRecord.h"

namespace {

// Room after a record in memory: the pad byte and zeros.
const size_t kSpareAfterRecord = 4;

}  // namespace

CBlockRecordWriter::CBlockRecordWriter(BYTE tag, const CBlock& block)
    : CBlockRecordWriter(tag, block.m_type, block.m_attributes) {}

CBlockRecordWriter::CBlockRecordWriter(BYTE tag, BYTE type, WORD attributes)
    : m_out(&m_own), m_start(0), m_open(true) {
  m_own.WriteByte(tag);
  m_own.WriteInt32(0);  // the length, known at Finish
  m_own.WriteByte(type);
  m_own.WriteWord(attributes);
}

CBlockRecordWriter::CBlockRecordWriter(CByteWriter& out, BYTE tag, const CBlock& block)
    : m_out(&out), m_start(out.Size()), m_open(true) {
  out.WriteByte(tag);
  out.WriteInt32(0);  // the length, known at Close
  out.WriteByte(block.m_type);
  out.WriteWord(block.m_attributes);
}

CBlockRecordWriter::~CBlockRecordWriter() {
  if (m_open) m_out->Truncate(m_start);
}

bool CBlockRecordWriter::WriteRect(const CFRect& rect) {
  return m_out->WriteFloat(rect.left) && m_out->WriteFloat(rect.top) &&
         m_out->WriteFloat(rect.right) && m_out->WriteFloat(rect.bottom);
}

bool CBlockRecordWriter::WriteMatrix(const CMatrix2D& matrix) {
  for (float element : matrix.m)
    if (!m_out->WriteFloat(element)) return false;
  return true;
}

int CBlockRecordWriter::Close() {
  if (!m_open) return 0;
  m_open = false;
  if (!m_out->WriteByte(kRecordEndByte)) {
    m_out->Truncate(m_start);
    return 0;
  }
  size_t length = m_out->Size() - m_start;
  m_out->PatchDWord(m_start + 1, static_cast<DWORD>(length));
  return static_cast<int>(length);
}

int CBlockRecordWriter::Finish(HGLOBAL* record) {
  *record = nullptr;
  int length = Close();
  if (length == 0) return 0;
  *record = CopyToGlobal(m_out->Data() + m_start, static_cast<size_t>(length));
  return *record ? length : 0;
}

HGLOBAL CBlockRecordWriter::CopyToGlobal(const BYTE* record, size_t length) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + kSpareAfterRecord);
  if (!memory) return nullptr;
  BYTE* data = static_cast<BYTE*>(::GlobalLock(memory));
  if (!data) {
    ::GlobalFree(memory);
    return nullptr;
  }
  memcpy(data, record, length);
  data[length] = kRecordPadByte;
  ::GlobalUnlock(memory);
  return memory;
}
