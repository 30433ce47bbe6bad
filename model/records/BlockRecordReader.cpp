#include "model/records/BlockRecordReader.h"

#include "model/blocks/Block.h"
#include "model/records/BlockRecord.h"

CBlockRecordReader::CBlockRecordReader(const BYTE* record, size_t available)
    : m_record(record), m_available(record ? available : 0), m_length(0) {}

bool CBlockRecordReader::ReadLength(const BYTE* record, size_t available, size_t* length) {
  if (!record || available < 5) return false;
  CByteReader header(record + 1, 4);
  int stored = 0;
  header.ReadInt32(stored);
  if (stored < static_cast<int>(kMinRecordLength) || static_cast<size_t>(stored) > available)
    return false;
  *length = static_cast<size_t>(stored);
  return true;
}

bool CBlockRecordReader::Open(BYTE tag, size_t fixedLength) {
  size_t length = 0;
  if (!ReadLength(m_record, m_available, &length)) return false;
  if (m_record[0] != tag) return false;
  if (fixedLength != 0 && length != fixedLength) return false;
  if (m_record[length - 1] != kRecordEndByte) return false;
  m_length = length;
  m_fields = CByteReader(m_record, length - 1);
  m_fields.Seek(kRecordHeaderSize);
  return true;
}

bool CBlockRecordReader::ReadRect(CFRect& rect) {
  CFRect read;
  if (!m_fields.ReadFloat(read.left) || !m_fields.ReadFloat(read.top) ||
      !m_fields.ReadFloat(read.right) || !m_fields.ReadFloat(read.bottom))
    return false;
  rect = read;
  return true;
}

bool CBlockRecordReader::ReadMatrix(CMatrix2D& matrix) {
  CMatrix2D read;
  for (float& element : read.m)
    if (!m_fields.ReadFloat(element)) return false;
  matrix = read;
  return true;
}

void CBlockRecordReader::ReadHeaderInto(CBlock& block, bool takeType) const {
  if (takeType) block.m_type = TypeCode();
  block.m_attributes = Attributes();
}
