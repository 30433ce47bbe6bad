#include "media/library/LibraryBuilder.h"

#include "framework/ByteWriter.h"

using namespace library;

namespace {

const size_t kKindCountOffset = 12;
const size_t kFirstKindOffset = 166;
const size_t kNextOffset = 4;
const size_t kCountOffset = 12;

}  // namespace

CLibraryBuilder::CLibraryBuilder(const LibraryHeader& header) {
  LibraryHeader empty = header;
  empty.kindCount = 0;
  empty.firstKind = 0;
  CByteWriter out;
  WriteHeaderBytes(empty, out);
  m_bytes = out.Bytes();
}

void CLibraryBuilder::PatchDWord(size_t offset, DWORD value) {
  CByteWriter(m_bytes.data() + offset, 4).WriteDWord(value);
}

void CLibraryBuilder::PatchWord(size_t offset, WORD value) {
  CByteWriter(m_bytes.data() + offset, 2).WriteWord(value);
}

int CLibraryBuilder::AddKind(const char* chineseName, const char* englishName) {
  DWORD offset = static_cast<DWORD>(m_bytes.size());
  if (m_kinds.empty())
    PatchDWord(kFirstKindOffset, offset);
  else
    PatchDWord(m_kinds.back() + kNextOffset, offset);
  KindRecord record;
  record.table = offset + kKindRecordSize;
  SetFixedText(record.chineseName, kKindNameSize, chineseName, true);
  SetFixedText(record.englishName, kKindNameSize, englishName, true);
  CByteWriter out;
  WriteKindRecordBytes(record, out);
  out.WriteZeros(kTableSize);
  m_bytes.insert(m_bytes.end(), out.Bytes().begin(), out.Bytes().end());
  m_kinds.push_back(offset);
  m_counts.push_back(0);
  PatchDWord(kKindCountOffset, static_cast<DWORD>(m_kinds.size()));
  return static_cast<int>(m_kinds.size()) - 1;
}

bool CLibraryBuilder::AddGraphic(int kind, const std::vector<BYTE>& record) {
  if (kind < 0 || kind >= static_cast<int>(m_kinds.size()) || record.empty()) return false;
  WORD& count = m_counts[kind];
  if (count >= kSlotCount) return false;
  DWORD offset = static_cast<DWORD>(m_bytes.size());
  m_bytes.insert(m_bytes.end(), record.begin(), record.end());
  PatchDWord(m_kinds[kind] + kKindRecordSize + 4u * count, offset);
  ++count;
  PatchWord(m_kinds[kind] + kCountOffset, count);
  return true;
}
