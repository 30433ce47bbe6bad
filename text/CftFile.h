// CCftFile: one own font file opened for reading glyphs: its header, the index lookup of a code
// and the glyph record of an offset, each checked against the file: an entry outside the file, a
// record offset inside the header or the index table, or a record length running past the file
// or beyond the longest record a glyph can have gives no glyph, never a read outside the data or
// an allocation the file cannot back.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/File.h"
#include "text/CftHeader.h"

class CContour;
class CMatrix2D;

class CCftFile {
public:
  CCftFile() = default;
  CCftFile(const CCftFile&) = delete;
  CCftFile& operator=(const CCftFile&) = delete;

  // Opens the file and reads its header; false when it does not open or is no font file.
  bool Open(LPCSTR path);
  const CftHeader& GetHeader() const { return m_header; }

  // The record offset of a code, unscrambled; 0 when the code lies outside the header's ranges,
  // its entry is 0 or -1 or lies outside the file.
  DWORD FindGlyphOffset(WORD code);
  // The body of the record at offset (the bytes after its length word); false when there is no
  // record there (length 0) or the record is damaged.
  bool ReadRecordBody(DWORD offset, std::vector<BYTE>& body);
  // The glyph of a code through the header's offsets and then the matrix, decoded in the encoding
  // of the file's version; null when it has none.
  CContour* ReadGlyph(WORD code, const CMatrix2D* matrix);

private:
  bool ReadAt(ULONGLONG position, void* out, UINT count);

  CFile m_file;
  CftHeader m_header;
  ULONGLONG m_length = 0;
};
