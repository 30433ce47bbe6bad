// CCftFontUpdate: adds glyphs to an own font file, as the font-from-screen build does. An existing
// file is read whole with its header and its whole index table (whatever its code range); a
// missing one starts as the new single-line font (language 2052, version 6.0, the names "单线细圆"
// and "SL_Y1", codes A1-FE by A1-FF) with an empty table. Each glyph is encoded for the header's
// version, appended at the end and its index entry set; a code outside the file's range is not
// stored, and an existing file of the older encoding (below 6.0) or of a version no encoder
// writes (6.11 and above), like a new one of such a version, is refused. A code can also
// be marked as having no glyph. Save writes the whole file beside the old one and replaces it only
// once complete.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "text/CftHeader.h"
#include "text/FontFileOutput.h"

class CContour;
class CGlyphCodec;

class CCftFontUpdate {
public:
  enum OpenResult { kOpened, kCreated, kCannotRead, kNotFont, kOtherEncoding };
  static constexpr float kVersion = 6.0f;
  // Font files larger than this are not read into memory.
  static constexpr ULONGLONG kLargestFile = 256u * 1024 * 1024;

  // Whether files of a version take glyphs: 6.0 up to but not including 6.11.
  static bool Writes(float version);
  // The header of a font the build starts from nothing.
  static CftHeader NewFontHeader();

  // A missing file starts with the given header (or the single-line font's) and an empty table.
  OpenResult Open(LPCSTR path, const CftHeader* newHeader = nullptr);
  const CftHeader& GetHeader() const { return m_header; }
  // Stores the glyph of a code; false when the code lies outside the file's range or the
  // encoder cannot store the outline (the entry then stays as it was). length receives the
  // record's length.
  bool Add(WORD code, CContour* glyph, CGlyphCodec& codec, int* length = nullptr);
  // Marks a code as having no glyph (-1).
  void MarkEmpty(WORD code);
  // The stored offset of a code's entry as it stands now (0 or -1: no glyph).
  DWORD EntryOf(WORD code) const;
  CFontFileOutput::Result Save(const CFontFileOutput::Writer& writer = nullptr) const;

private:
  CString m_path;
  CftHeader m_header;
  std::vector<BYTE> m_file;
  std::vector<DWORD> m_index;
};
