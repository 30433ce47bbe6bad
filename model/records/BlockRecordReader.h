// CBlockRecordReader: checks a block record against the bytes available before any field is read,
// then reads its fields without ever going past the record's end byte.
#pragma once

#include <windows.h>

#include "framework/ByteReader.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlock;

class CBlockRecordReader {
public:
  CBlockRecordReader(const BYTE* record, size_t available);

  // The record's length when its header fits, the length counts at least a header and an end
  // byte and does not run past the bytes available; false otherwise.
  static bool ReadLength(const BYTE* record, size_t available, size_t* length);

  // Checks the tag, the length (exactly fixedLength unless that is 0) and the end byte. The
  // fields can be read only after a successful Open.
  bool Open(BYTE tag, size_t fixedLength = 0);

  size_t Length() const { return m_length; }
  BYTE TypeCode() const { return m_record[5]; }
  WORD Attributes() const { return static_cast<WORD>(m_record[6] | (m_record[7] << 8)); }
  const BYTE* Data() const { return m_record; }

  // The type's fields, from offset 8 up to the end byte.
  CByteReader& Fields() { return m_fields; }
  // Coordinates, sizes and angles: a NaN or an infinity fails the read like a missing field, since
  // a block holding one would draw, hit-test and cut nonsense and could overflow whatever is
  // worked out from it later (a save might then write a record no reader takes back).
  bool ReadFloat(float& value);
  bool ReadPoint(FPOINT& point);
  bool ReadRect(CFRect& rect);
  bool ReadMatrix(CMatrix2D& matrix);
  // The x and y of every point record among the count at records are finite (special records
  // carry no coordinates).
  static bool ArePointRecordsFinite(const BYTE* records, size_t count);
  // Sets the block's attribute word and, when takeType is set, its type code from the header.
  void ReadHeaderInto(CBlock& block, bool takeType) const;

private:
  const BYTE* m_record;
  size_t m_available;
  size_t m_length;
  CByteReader m_fields;
};
