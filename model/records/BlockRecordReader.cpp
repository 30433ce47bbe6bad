#include "model/records/BlockRecordReader.h"

#include <cmath>

#include "model/blocks/Block.h"
#include "model/geometry/PointRecord.h"
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

bool CBlockRecordReader::ReadFloat(float& value) {
  float read = 0;
  if (!m_fields.ReadFloat(read) || !std::isfinite(read)) return false;
  value = read;
  return true;
}

bool CBlockRecordReader::ReadPoint(FPOINT& point) {
  FPOINT read = {0, 0};
  if (!ReadFloat(read.x) || !ReadFloat(read.y)) return false;
  point = read;
  return true;
}

bool CBlockRecordReader::ReadRect(CFRect& rect) {
  CFRect read;
  if (!ReadFloat(read.left) || !ReadFloat(read.top) || !ReadFloat(read.right) ||
      !ReadFloat(read.bottom))
    return false;
  rect = read;
  return true;
}

bool CBlockRecordReader::ReadMatrix(CMatrix2D& matrix) {
  CMatrix2D read;
  for (float& element : read.m)
    if (!ReadFloat(element)) return false;
  matrix = read;
  return true;
}

bool CBlockRecordReader::ArePointRecordsFinite(const BYTE* records, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const POINTREC point = LoadPointRecord(records, i);
    if (!IsSpecialPoint(point.flags) && (!std::isfinite(point.x) || !std::isfinite(point.y)))
      return false;
  }
  return true;
}

void CBlockRecordReader::ReadHeaderInto(CBlock& block, bool takeType) const {
  if (takeType) block.m_type = TypeCode();
  block.m_attributes = Attributes();
}
