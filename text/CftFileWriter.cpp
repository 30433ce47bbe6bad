#include "text/CftFileWriter.h"

#include <memory>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "model/geometry/Contour.h"
#include "text/GlyphCodec.h"

namespace {

const DWORD kNoGlyph = 0xFFFFFFFF;

bool AppendRecord(CByteWriter& file, HGLOBAL record, int length) {
  CGlobalLock lock(record);
  return lock.Data() && static_cast<size_t>(length) <= lock.Size() &&
         file.WriteBytes(lock.Data(), static_cast<size_t>(length));
}

bool WriteWholeFile(LPCSTR path, const CByteWriter& data) {
  CFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) return false;
  try {
    file.Write(data.Data(), static_cast<UINT>(data.Size()));
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    file.Abort();
    return false;
  }
  return true;
}

}  // namespace

bool CCftFileWriter::Write(LPCSTR path, const CftHeader& header, const GlyphSource& source,
                           CGlyphCodec& codec) {
  CftHeader written = header;
  written.headerSize = static_cast<int>(CftHeader::kSize);
  written.indexOffset = static_cast<DWORD>(CftHeader::kSize);
  CByteWriter file;
  if (!written.WriteTo(file)) return false;
  int entries = written.EntryCount();
  file.WriteZeros(static_cast<size_t>(entries) * 4);

  std::vector<DWORD> index(static_cast<size_t>(entries), kNoGlyph);
  for (int lead = written.sqh; lead <= written.eqh; ++lead) {
    for (int trail = written.swh; trail <= written.ewh; ++trail) {
      WORD code = static_cast<WORD>(lead << 8 | trail);
      int entry = written.EntryOf(code);
      std::unique_ptr<CContour> outline(source ? source(code) : nullptr);
      HGLOBAL record = nullptr;
      int length = outline ? codec.EncodeByVersion(outline.get(), &record, written.version, nullptr)
                           : 0;
      if (length <= 0) continue;
      // A stored offset must not read as "no glyph": a pad byte moves the record on.
      while (
          CftHeader::IsNoGlyph(CftHeader::ScrambleOffset(static_cast<DWORD>(file.Size()), entry)))
        file.WriteByte(0);
      DWORD offset = static_cast<DWORD>(file.Size());
      bool appended = AppendRecord(file, record, length);
      ::GlobalFree(record);
      if (!appended) return false;
      index[static_cast<size_t>(entry)] = CftHeader::ScrambleOffset(offset, entry);
    }
  }
  for (int e = 0; e < entries; ++e)
    if (!file.PatchDWord(written.EntryPosition(e), index[static_cast<size_t>(e)])) return false;
  return WriteWholeFile(path, file);
}
