#include "text/CftFile.h"

#include "framework/ByteReader.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "text/GlyphCodec.h"

bool CCftFile::Open(LPCSTR path) {
  if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  try {
    m_length = m_file.GetLength();
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
  return ReadCftHeader(m_file, m_header) != FALSE;
}

bool CCftFile::ReadAt(ULONGLONG position, void* out, UINT count) {
  if (!m_file.IsOpen() || position > m_length || count > m_length - position) return false;
  try {
    m_file.Seek(static_cast<LONGLONG>(position), CFile::begin);
    return m_file.Read(out, count) == count;
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
}

DWORD CCftFile::FindGlyphOffset(WORD code) {
  int entry = m_header.EntryOf(code);
  if (entry < 0) return 0;
  BYTE bytes[4] = {};
  if (!ReadAt(m_header.EntryPosition(entry), bytes, sizeof bytes)) return 0;
  CByteReader reader(bytes, sizeof bytes);
  DWORD stored = 0;
  reader.ReadDWord(stored);
  if (CftHeader::IsNoGlyph(stored)) return 0;
  return CftHeader::ScrambleOffset(stored, entry);
}

bool CCftFile::ReadRecordBody(DWORD offset, std::vector<BYTE>& body) {
  body.clear();
  // Records follow the index table.
  ULONGLONG tableEnd = m_header.EntryPosition(m_header.EntryCount());
  if (offset < tableEnd) return false;
  BYTE bytes[4] = {};
  if (!ReadAt(offset, bytes, sizeof bytes)) return false;
  CByteReader reader(bytes, sizeof bytes);
  DWORD length = 0;
  reader.ReadDWord(length);
  if (length <= 4 || length > CGlyphCodec::kMaxRecordLength || length > m_length - offset)
    return false;
  body.resize(length - 4);
  return ReadAt(offset + 4ull, body.data(), static_cast<UINT>(body.size()));
}

CContour* CCftFile::ReadGlyph(WORD code, const CMatrix2D* matrix) {
  DWORD offset = FindGlyphOffset(code);
  std::vector<BYTE> body;
  if (offset == 0 || !ReadRecordBody(offset, body)) return nullptr;
  CMatrix2D placing;
  placing.m[6] = m_header.xOffset;
  placing.m[7] = m_header.yOffset;
  if (matrix) placing.Multiply(*matrix);
  CGlyphCodec codec;
  return codec.Decode(body.data(), body.size(), &placing, m_header.version);
}
