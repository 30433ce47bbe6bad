#include "model/document/FontMountSection.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

namespace {

const size_t kTableSizeField = 4;
const size_t kPositionInEntry = 10;

// The names lie in the file behind the section's table and hold at least the closing empty slot;
// position + size is checked without wrapping.
bool NamesFit(const CFontMountSection::Entry& entry, size_t fileSize, size_t tableEnd) {
  return entry.slotWidth > 0 && entry.nameSize >= entry.slotWidth && entry.position >= tableEnd &&
         entry.nameSize <= fileSize && entry.position <= fileSize - entry.nameSize;
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

  size_t tableEnd = offset + kTableSizeField + tableSize;
  std::vector<Entry> entries;
  size_t namesKept = 0;
  bool whole = true;
  for (DWORD i = 0; i < tableSize / kEntrySize; ++i) {
    Entry entry = {};
    ReadEntry(reader, entry);
    // Name blocks never overlap in a file written whole, so more names than the file holds is
    // damage.
    if (!NamesFit(entry, fileSize, tableEnd) || entry.nameSize > fileSize - namesKept) {
      whole = false;
      continue;
    }
    entries.push_back(entry);
    namesKept += entry.nameSize;
  }
  if (entries.empty()) return whole;

  CByteWriter kept;
  size_t keptTable = entries.size() * kEntrySize;
  kept.WriteDWord(static_cast<DWORD>(keptTable));
  size_t nameOffset = kTableSizeField + keptTable;
  for (Entry entry : entries) {
    entry.position = static_cast<DWORD>(nameOffset);
    WriteEntry(kept, entry);
    nameOffset += entry.nameSize;
  }
  for (const Entry& entry : entries) kept.WriteBytes(file + entry.position, entry.nameSize);
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

bool CFontMountSection::Write(CByteWriter& file, const std::vector<List>& lists) {
  std::vector<const List*> saved;
  for (const List& list : lists)
    if (!list.names.empty()) saved.push_back(&list);
  size_t tableSize = saved.size() * kEntrySize;
  if (!file.WriteDWord(static_cast<DWORD>(tableSize))) return false;
  size_t position = file.Size() + tableSize;
  for (const List* list : saved) {
    DWORD size = static_cast<DWORD>((list->names.size() + 1) * kSlotWidth);
    Entry entry = {size, list->charset, list->source, kSlotWidth, static_cast<DWORD>(position)};
    if (!WriteEntry(file, entry)) return false;
    position += size;
  }
  for (const List* list : saved) {
    for (const CString& name : list->names)
      if (!file.WriteFixedString(name.Left(static_cast<int>(kSlotWidth) - 1), kSlotWidth))
        return false;
    if (!file.WriteZeros(kSlotWidth)) return false;
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

bool CFontMountSection::FindName(BYTE charset, BYTE source, int number, CString& name) const {
  CByteReader reader(m_kept.data(), m_kept.size());
  DWORD tableSize = 0;
  if (number < 0 || !reader.ReadDWord(tableSize) || tableSize > reader.Remaining()) return false;
  for (DWORD i = 0; i < tableSize / kEntrySize; ++i) {
    Entry entry = {};
    if (!ReadEntry(reader, entry)) return false;
    if (entry.charset != charset || entry.source != source) continue;
    if (entry.slotWidth == 0 || static_cast<size_t>(number) >= entry.nameSize / entry.slotWidth ||
        entry.position > m_kept.size() || entry.nameSize > m_kept.size() - entry.position)
      return false;
    size_t slot = static_cast<size_t>(number) * entry.slotWidth;
    const char* text = reinterpret_cast<const char*>(m_kept.data() + entry.position + slot);
    name = CString(text, static_cast<int>(strnlen(text, entry.slotWidth)));
    // The empty slot that ends a list names no font.
    return !name.IsEmpty();
  }
  return false;
}
