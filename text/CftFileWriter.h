// CCftFileWriter: writes an own font file: the header, the index table and one glyph record per
// code of the header's range that the source gives an outline for, encoded for the header's
// version. The file is built whole in memory and written in one go; a code whose source gives no
// outline, or one the encoder refuses, is stored as -1 (no glyph).
#pragma once

#include <windows.h>

#include <functional>

#include "text/CftHeader.h"

class CContour;
class CGlyphCodec;

class CCftFileWriter {
public:
  // A new outline in glyph units for a code, or null; the writer deletes it.
  using GlyphSource = std::function<CContour*(WORD code)>;

  // The header's index offset and header size are set to 144 here. False when the file cannot be
  // created or written.
  static bool Write(LPCSTR path, const CftHeader& header, const GlyphSource& source,
                    CGlyphCodec& codec);
};
