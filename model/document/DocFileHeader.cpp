#include "model/document/DocFileHeader.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

namespace {

const char kMagic[] = "RQF42";
const size_t kMagicFieldSize = 12;
const size_t kTableZeroBytes = 11;

}  // namespace

CDocFileHeader::CDocFileHeader() : m_offsets() {}

bool CDocFileHeader::WriteTo(CByteWriter& writer) const {
  if (!writer.WriteFixedString(kMagic, kMagicFieldSize) || !writer.WriteFloat(kVersion) ||
      !writer.WriteInt32(static_cast<int>(kTableSize)))
    return false;
  for (DWORD offset : m_offsets)
    if (!writer.WriteDWord(offset)) return false;
  return writer.WriteZeros(kTableZeroBytes);
}

bool CDocFileHeader::PatchTable(CByteWriter& writer) const {
  size_t position = kHeaderSize + 4;
  for (DWORD offset : m_offsets) {
    if (!writer.PatchDWord(position, offset)) return false;
    position += 4;
  }
  return true;
}

CDocFileHeader::Check CDocFileHeader::Read(const BYTE* file, size_t size) {
  // The magic is a string: whatever follows its zero does not matter.
  char magic[sizeof kMagic] = {};
  if (file && size) memcpy(magic, file, size < sizeof magic ? size : sizeof magic);
  if (memcmp(magic, kMagic, sizeof kMagic) != 0) return kNotDocument;

  CByteReader reader(file, size);
  float version = 0;
  if (!reader.Seek(kMagicFieldSize) || !reader.ReadFloat(version)) return kDamaged;
  if (version != kVersion) return kWrongVersion;

  DWORD offsets[kDocFileSectionCount];
  if (!reader.Skip(4)) return kDamaged;  // the table's size word
  for (DWORD& offset : offsets)
    if (!reader.ReadDWord(offset)) return kDamaged;
  memcpy(m_offsets, offsets, sizeof offsets);
  return kValid;
}

bool CDocFileHeader::PointsIntoFile(DocFileSection section, size_t fileSize) const {
  DWORD offset = m_offsets[section];
  return offset >= kFirstSectionOffset && offset < fileSize;
}
