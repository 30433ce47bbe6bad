#include "model/document/FontMountSection.h"

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "model/document/DocFileHeader.h"

namespace {

const size_t kTableSizeField = 4;
const size_t kPositionInEntry = 10;

// The names lie in the file past its header; position + size is checked without wrapping.
bool NamesInFile(const CFontMountSection::Entry& entry, size_t fileSize) {
  return entry.position >= CDocFileHeader::kFirstSectionOffset && entry.nameSize <= fileSize &&
         entry.position <= fileSize - entry.nameSize;
}

}  // namespace

bool CFontMountSection::ReadEntry(CByteReader& reader, Entry& entry) {
  return reader.ReadDWord(entry.nameSize) && reader.ReadByte(entry.charset) &&
         reader.ReadByte(entry.source) && reader.ReadDWord(entry.slotWidth) &&
         reader.ReadDWord(entry.position);
}

bool CFontMountSection::WriteEntry(CByteWriter& writer, const Entry& entry) {
  return writer.WriteDWord(entry.nameSize) && writer.WriteByte(entry.charset) &&
         writer.WriteByte(entry.source) && writer.WriteDWord(entry.slotWidth) &&
         writer.WriteDWord(entry.position);
}

bool CFontMountSection::Read(const BYTE* file, size_t fileSize, size_t offset) {
  m_kept.clear();
  if (!file || offset >= fileSize) return false;
  CByteReader reader(file + offset, fileSize - offset);
  DWORD tableSize = 0;
  if (!reader.ReadDWord(tableSize)) return false;
  if (tableSize == 0) return true;
  if (tableSize % kEntrySize != 0 || tableSize > reader.Remaining()) return false;

  std::vector<CFontMountSection::Entry> entries;
  size_t namesKept = 0;
  bool whole = true;
  for (DWORD i = 0; i < tableSize / kEntrySize; ++i) {
    CFontMountSection::Entry entry = {};
    ReadEntry(reader, entry);
    // Name blocks never overlap in a file written whole, so more than the file holds is damage.
    if (!NamesInFile(entry, fileSize) || entry.nameSize > fileSize - namesKept) {
      whole = false;
      continue;
    }
    entries.push_back(entry);
    namesKept += entry.nameSize;
  }
  if (entries.empty()) return whole;

  size_t keptTable = entries.size() * kEntrySize;
  CByteWriter kept;
  kept.WriteDWord(static_cast<DWORD>(keptTable));
  size_t nameOffset = kTableSizeField + keptTable;
  for (CFontMountSection::Entry entry : entries) {
    DWORD filePosition = entry.position;
    entry.position = static_cast<DWORD>(nameOffset);
    WriteEntry(kept, entry);
    nameOffset += entry.nameSize;
    entry.position = filePosition;
  }
  for (const CFontMountSection::Entry& entry : entries)
    kept.WriteBytes(file + entry.position, entry.nameSize);
  m_kept = kept.Bytes();
  return whole;
}

bool CFontMountSection::WriteTo(CByteWriter& file) const {
  if (m_kept.empty()) return file.WriteInt32(0);
  size_t start = file.Size();
  if (!file.WriteBytes(m_kept.data(), m_kept.size())) return false;
  // The kept positions are offsets from the section's start; the file's are absolute.
  for (size_t i = 0; i < GetEntryCount(); ++i) {
    size_t field = kTableSizeField + i * kEntrySize + kPositionInEntry;
    CByteReader position(m_kept.data() + field, 4);
    DWORD offset = 0;
    position.ReadDWord(offset);
    if (!file.PatchDWord(start + field, static_cast<DWORD>(start + offset))) return false;
  }
  return true;
}

size_t CFontMountSection::GetEntryCount() const {
  if (m_kept.size() < kTableSizeField) return 0;
  CByteReader reader(m_kept.data(), m_kept.size());
  DWORD tableSize = 0;
  reader.ReadDWord(tableSize);
  return tableSize / kEntrySize;
}
