// CBlockRecordWriter: writes one block record. The header is written by the constructor; the
// type's fields follow through Fields(); Finish closes the record and hands it over in global
// memory. Given a writer of the caller's, the record is written at its end instead, where Close
// leaves it: a list of records (a file, the clipboard) is then written in one pass, without a
// block of memory for every record. A record begun there and never closed (the block found it
// could not be written after all) is taken back out when the record writer goes.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/ByteWriter.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlock;

class CBlockRecordWriter {
public:
  CBlockRecordWriter(BYTE tag, const CBlock& block);
  CBlockRecordWriter(BYTE tag, BYTE type, WORD attributes);
  CBlockRecordWriter(CByteWriter& out, BYTE tag, const CBlock& block);
  ~CBlockRecordWriter();
  CBlockRecordWriter(const CBlockRecordWriter&) = delete;
  CBlockRecordWriter& operator=(const CBlockRecordWriter&) = delete;

  CByteWriter& Fields() { return *m_out; }
  bool WriteRect(const CFRect& rect);
  bool WriteMatrix(const CMatrix2D& matrix);

  // Writes the end byte and the length, copies the record and the pad byte into a new movable,
  // zero-filled global-memory block stored in *record (the caller frees it) and returns the
  // length. On failure *record is null and the result 0.
  int Finish(HGLOBAL* record);
  // Writes the end byte and the length and leaves the record where it was written; returns the
  // length, or 0 with the record taken back out when the end byte does not fit.
  int Close();

  // A record of length bytes as Finish hands it over: a new movable, zero-filled block holding the
  // record and the pad byte; null when there is no memory.
  static HGLOBAL CopyToGlobal(const BYTE* record, size_t length);

private:
  CByteWriter m_own;
  CByteWriter* m_out;
  size_t m_start;
  bool m_open;
};
