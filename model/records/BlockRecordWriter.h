// CBlockRecordWriter: writes one block record. The header is written by the constructor; the
// type's fields follow through Fields(); Finish closes the record and hands it over in global
// memory.
#pragma once

#include <windows.h>

#include "framework/ByteWriter.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlock;

class CBlockRecordWriter {
public:
  CBlockRecordWriter(BYTE tag, const CBlock& block);
  CBlockRecordWriter(BYTE tag, BYTE type, WORD attributes);

  CByteWriter& Fields() { return m_writer; }
  bool WriteRect(const CFRect& rect);
  bool WriteMatrix(const CMatrix2D& matrix);

  // Writes the end byte and the length, copies the record and the pad byte into a new movable,
  // zero-filled global-memory block stored in *record (the caller frees it) and returns the
  // length. On failure *record is null and the result 0.
  int Finish(HGLOBAL* record);

private:
  CByteWriter m_writer;
};
