// CLatinFontFile: the Latin code-table font file that the font-from-screen build writes for the
// printable ASCII codes 33-126. Little-endian:
//   0     94 u16 entries, entry k the file offset of the glyph record of code 33 + k (0: none)
//   188   the glyph records in code order, each as the glyph codec writes it for version 6.0
//         (int32 length, then the body of encoding B)
// A code without a glyph keeps entry 0 and has no record. The offsets are 16 bits: a file whose
// next record would start past 65535 cannot be written, and the build refuses it whole rather
// than store a wrong offset. The file replaces its target only once it is complete.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "text/FontFileOutput.h"

class CContour;
class CGlyphCodec;

class CLatinFontFile {
public:
  static constexpr int kFirstCode = 33;
  static constexpr int kLastCode = 126;
  static constexpr size_t kTableSize = 188;
  static constexpr DWORD kLargestOffset = 0xFFFF;
  static constexpr float kVersion = 6.0f;

  // A new outline in glyph units for a code, or null; the builder deletes it.
  using GlyphSource = std::function<CContour*(int code)>;

  struct Outcome {
    int glyphs = 0;
    // The first code whose record would start past the 16-bit offsets; 0 when all fit.
    int tooLargeAt = 0;
    bool written = false;
    CFontFileOutput::Result output = CFontFileOutput::kWritten;
  };

  // The file's bytes; false (and tooLargeAt set) when they pass the offsets' range.
  static bool Encode(const GlyphSource& source, CGlyphCodec& codec, std::vector<BYTE>& bytes,
                     Outcome& outcome);
  // Encodes and writes the file; nothing is written when it does not fit or holds no glyph.
  static Outcome Build(LPCSTR path, const GlyphSource& source, CGlyphCodec& codec,
                       const CFontFileOutput::Writer& writer = nullptr);
};
