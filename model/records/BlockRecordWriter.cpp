#include "model/records/BlockRecordWriter.h"

#include <cstring>

#include "model/blocks/Block.h"
#include "model/records/BlockRecord.h"

CBlockRecordWriter::CBlockRecordWriter(BYTE tag, const CBlock& block)
    : CBlockRecordWriter(tag, block.m_type, block.m_attributes) {}

CBlockRecordWriter::CBlockRecordWriter(BYTE tag, BYTE type, WORD attributes) {
  m_writer.WriteByte(tag);
  m_writer.WriteInt32(0);  // the length, known at Finish
  m_writer.WriteByte(type);
  m_writer.WriteWord(attributes);
}

bool CBlockRecordWriter::WriteRect(const CFRect& rect) {
  return m_writer.WriteFloat(rect.left) && m_writer.WriteFloat(rect.top) &&
         m_writer.WriteFloat(rect.right) && m_writer.WriteFloat(rect.bottom);
}

bool CBlockRecordWriter::WriteMatrix(const CMatrix2D& matrix) {
  for (float element : matrix.m)
    if (!m_writer.WriteFloat(element)) return false;
  return true;
}

int CBlockRecordWriter::Finish(HGLOBAL* record) {
  *record = nullptr;
  if (!m_writer.WriteByte(kRecordEndByte)) return 0;
  size_t length = m_writer.Size();
  m_writer.PatchDWord(1, static_cast<DWORD>(length));
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 4);
  if (!memory) return 0;
  BYTE* data = static_cast<BYTE*>(::GlobalLock(memory));
  if (!data) {
    ::GlobalFree(memory);
    return 0;
  }
  memcpy(data, m_writer.Data(), length);
  data[length] = kRecordPadByte;
  ::GlobalUnlock(memory);
  *record = memory;
  return static_cast<int>(length);
}
