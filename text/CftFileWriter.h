// CCftFileWriter: writes an own font file: the header, the index table and one glyph record per
// code of the header's range that the source gives an outline for, encoded for the header's
// version. The file is built whole in memory and then written beside the target, which it
// replaces only once it is complete (CFontFileOutput). A code whose source gives no outline is
// stored as -1 (no glyph), and so is an outline the encoder refuses; both are counted. A source
// that gives no glyph at all writes no file.
#pragma once

#include <windows.h>

#include <functional>

#include "text/CftHeader.h"
#include "text/FontFileOutput.h"

class CContour;
class CGlyphCodec;

class CCftFileWriter {
public:
  // A new outline in glyph units for a code, or null; the writer deletes it.
  using GlyphSource = std::function<CContour*(WORD code)>;
  // Told of every code in range order, with the glyph as stored (decoded from its record) at the
  // first trail byte of each lead byte, else null.
  using Progress = std::function<void(WORD code, const CContour* stored)>;

  struct Outcome {
    int glyphs = 0;   // codes stored
    int missing = 0;  // codes the source gave no outline for
    int refused = 0;  // outlines the encoder could not store
    bool written = false;
    CFontFileOutput::Result output = CFontFileOutput::kWritten;
    // The file was built and written whole.
    bool Succeeded() const { return written; }
  };

  // The header's index offset and header size are set to 144 here.
  static Outcome Build(LPCSTR path, const CftHeader& header, const GlyphSource& source,
                       CGlyphCodec& codec, const Progress& progress = nullptr,
                       const CFontFileOutput::Writer& writer = nullptr);
  // Build without progress; true when the file was written.
  static bool Write(LPCSTR path, const CftHeader& header, const GlyphSource& source,
                    CGlyphCodec& codec);
};
