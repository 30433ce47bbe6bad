#include "text/LatinFontFile.h"

#include <memory>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/geometry/Contour.h"
#include "text/GlyphCodec.h"

bool CLatinFontFile::Encode(const GlyphSource& source, CGlyphCodec& codec, std::vector<BYTE>& bytes,
                            Outcome& outcome) {
  std::vector<WORD> table(kLastCode - kFirstCode + 1, 0);
  CByteWriter records;
  for (int code = kFirstCode; code <= kLastCode; ++code) {
    std::unique_ptr<CContour> glyph(source ? source(code) : nullptr);
    HGLOBAL record = nullptr;
    int length = glyph ? codec.EncodeByVersion(glyph.get(), &record, kVersion, nullptr) : 0;
    if (length <= 0) continue;
    size_t offset = kTableSize + records.Size();
    bool appended = false;
    if (offset <= kLargestOffset) {
      CGlobalLock lock(record);
      appended = lock.Data() && static_cast<size_t>(length) <= lock.Size() &&
                 records.WriteBytes(lock.Data(), static_cast<size_t>(length));
    }
    ::GlobalFree(record);
    if (offset > kLargestOffset) outcome.tooLargeAt = code;
    if (!appended) return false;
    table[static_cast<size_t>(code - kFirstCode)] = static_cast<WORD>(offset);
    ++outcome.glyphs;
  }
  CByteWriter file;
  for (WORD entry : table) file.WriteWord(entry);
  file.WriteBytes(records.Data(), records.Size());
  bytes.assign(file.Data(), file.Data() + file.Size());
  return true;
}

CLatinFontFile::Outcome CLatinFontFile::Build(LPCSTR path, const GlyphSource& source,
                                              CGlyphCodec& codec,
                                              const CFontFileOutput::Writer& writer) {
  Outcome outcome;
  std::vector<BYTE> bytes;
  if (!Encode(source, codec, bytes, outcome)) {
    outcome.output = CFontFileOutput::kCannotWrite;
    return outcome;
  }
  if (outcome.glyphs == 0) return outcome;
  outcome.output = CFontFileOutput::Write(path, bytes.data(), bytes.size(), writer);
  outcome.written = outcome.output == CFontFileOutput::kWritten;
  return outcome;
}
