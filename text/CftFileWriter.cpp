#include "text/CftFileWriter.h"

#include <memory>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/geometry/Contour.h"
#include "text/GlyphCodec.h"

namespace {

const DWORD kNoGlyph = 0xFFFFFFFF;
const size_t kLengthWord = 4;

bool AppendRecord(CByteWriter& file, HGLOBAL record, int length) {
  CGlobalLock lock(record);
  return lock.Data() && static_cast<size_t>(length) <= lock.Size() &&
         file.WriteBytes(lock.Data(), static_cast<size_t>(length));
}

// The glyph as a reader will get it back from the record just appended at offset.
CContour* DecodeStored(const CByteWriter& file, size_t offset, int length, float version,
                       const CGlyphCodec& codec) {
  return codec.Decode(file.Data() + offset + kLengthWord, static_cast<size_t>(length) - kLengthWord,
                      nullptr, version);
}

}  // namespace

CCftFileWriter::Outcome CCftFileWriter::Build(LPCSTR path, const CftHeader& header,
                                              const GlyphSource& source, CGlyphCodec& codec,
                                              const Progress& progress,
                                              const CFontFileOutput::Writer& writer) {
  Outcome outcome;
  CftHeader written = header;
  written.headerSize = static_cast<int>(CftHeader::kSize);
  written.indexOffset = static_cast<DWORD>(CftHeader::kSize);
  CByteWriter file;
  int entries = written.EntryCount();
  if (!written.WriteTo(file) || !file.WriteZeros(static_cast<size_t>(entries) * 4)) {
    outcome.output = CFontFileOutput::kCannotWrite;
    return outcome;
  }
  std::vector<DWORD> index(static_cast<size_t>(entries), kNoGlyph);
  for (int lead = written.sqh; lead <= written.eqh; ++lead) {
    for (int trail = written.swh; trail <= written.ewh; ++trail) {
      WORD code = static_cast<WORD>(lead << 8 | trail);
      int entry = written.EntryOf(code);
      std::unique_ptr<CContour> outline(source ? source(code) : nullptr);
      HGLOBAL record = nullptr;
      int length = outline ? codec.EncodeByVersion(outline.get(), &record, written.version, nullptr)
                           : 0;
      if (length <= static_cast<int>(kLengthWord)) {
        if (record) ::GlobalFree(record);
        ++(outline ? outcome.refused : outcome.missing);
        if (progress) progress(code, nullptr);
        continue;
      }
      // A stored offset must not read as "no glyph": a pad byte moves the record on.
      while (
          CftHeader::IsNoGlyph(CftHeader::ScrambleOffset(static_cast<DWORD>(file.Size()), entry)))
        file.WriteByte(0);
      size_t offset = file.Size();
      bool appended = AppendRecord(file, record, length);
      ::GlobalFree(record);
      if (!appended) {
        outcome.output = CFontFileOutput::kCannotWrite;
        return outcome;
      }
      index[static_cast<size_t>(entry)] = CftHeader::ScrambleOffset(static_cast<DWORD>(offset),
                                                                    entry);
      ++outcome.glyphs;
      if (progress) {
        std::unique_ptr<CContour> stored(
            trail == written.swh ? DecodeStored(file, offset, length, written.version, codec)
                                 : nullptr);
        progress(code, stored.get());
      }
    }
  }
  if (outcome.glyphs == 0) return outcome;
  for (int e = 0; e < entries; ++e)
    file.PatchDWord(written.EntryPosition(e), index[static_cast<size_t>(e)]);
  outcome.output = CFontFileOutput::Write(path, file.Data(), file.Size(), writer);
  outcome.written = outcome.output == CFontFileOutput::kWritten;
  return outcome;
}

bool CCftFileWriter::Write(LPCSTR path, const CftHeader& header, const GlyphSource& source,
                           CGlyphCodec& codec) {
  return Build(path, header, source, codec).Succeeded();
}
