#include "text/CftHeader.h"

#include <cmath>
#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/File.h"

const BYTE CftHeader::kOlderMagic[2] = {0xCF, 0xD4};

namespace {

const size_t kMagicSize = 6;
const char kOlderMagicText[] = "TCFT";
const float kOlderVersion = 5.4f;
// Versions any build of the system has written lie well inside this range.
const float kLowestVersion = 1.0f;
const float kHighestVersion = 100.0f;

bool IsPrintable(char c) { return c >= 0x20 && c <= 0x7E; }

CString ReadName(CByteReader& reader, bool scrambled) {
  BYTE field[CftHeader::kNameSize] = {};
  reader.ReadBytes(field, sizeof field);
  char text[CftHeader::kNameSize + 1] = {};
  for (size_t i = 0; i < sizeof field && field[i] != 0; ++i)
    text[i] = static_cast<char>(scrambled ? field[i] - CftHeader::kNameScramble : field[i]);
  return text;
}

// A byte that would scramble to zero would cut the name short on reading: the name ends before it.
void WriteName(CByteWriter& out, const CString& name, bool scrambled) {
  BYTE field[CftHeader::kNameSize] = {};
  for (int i = 0; i < name.GetLength() && i < static_cast<int>(sizeof field) - 1; ++i) {
    BYTE byte = static_cast<BYTE>(name[i]);
    BYTE stored = scrambled ? static_cast<BYTE>(byte + CftHeader::kNameScramble) : byte;
    if (stored == 0) break;
    field[i] = stored;
  }
  out.WriteBytes(field, sizeof field);
}

}  // namespace

bool CftHeader::Parse(const BYTE* data, size_t size) {
  if (!data) return false;
  if (size >= 2 && data[0] == kOlderMagic[0] && data[1] == kOlderMagic[1])
    return ParseOlder(data, size) && Plausible();
  return ParseCurrent(data, size) && Plausible();
}

bool CftHeader::ParseCurrent(const BYTE* data, size_t size) {
  if (size < kSize) return false;
  CByteReader reader(data, size);
  reader.ReadBytes(magic, kMagicSize);
  size_t length = 0;
  while (length < kMagicSize && magic[length] != 0) {
    if (!IsPrintable(magic[length])) return false;
    ++length;
  }
  if (length == 0 || length >= kMagicSize) return false;
  reader.ReadWord(languageId);
  reader.ReadFloat(version);
  reader.ReadInt32(headerSize);
  names[0] = ReadName(reader, false);
  names[1] = ReadName(reader, false);
  names[2] = ReadName(reader, true);
  reader.ReadDWord(indexOffset);
  reader.ReadWord(resolution);
  reader.ReadByte(sqh);
  reader.ReadByte(eqh);
  reader.ReadByte(swh);
  reader.ReadByte(ewh);
  reader.ReadInt16(xOffset);
  return reader.ReadInt16(yOffset) && headerSize >= static_cast<int>(kSize) && indexOffset >= kSize;
}

bool CftHeader::ParseOlder(const BYTE* data, size_t size) {
  if (size < kOlderSize) return false;
  CByteReader reader(data, size);
  std::memset(magic, 0, sizeof magic);
  std::memcpy(magic, kOlderMagicText, sizeof kOlderMagicText);
  languageId = 0;
  version = kOlderVersion;
  reader.Seek(16);
  CString name = ReadName(reader, false);
  names[0] = names[1] = names[2] = name;
  reader.ReadWord(resolution);
  reader.ReadByte(sqh);
  reader.ReadByte(eqh);
  reader.ReadByte(swh);
  reader.ReadByte(ewh);
  reader.ReadInt16(xOffset);
  headerSize = static_cast<int>(kOlderIndexOffset);
  indexOffset = kOlderIndexOffset;
  return reader.ReadInt16(yOffset);
}

bool CftHeader::Plausible() const {
  return std::isfinite(version) && version >= kLowestVersion && version < kHighestVersion &&
         resolution > 0 && sqh <= eqh && swh <= ewh;
}

bool CftHeader::WriteTo(CByteWriter& out) const {
  size_t start = out.Size();
  out.WriteFixedString(magic, kMagicSize);
  out.WriteWord(languageId);
  out.WriteFloat(version);
  out.WriteInt32(static_cast<int>(kSize));
  WriteName(out, names[0], false);
  WriteName(out, names[1], false);
  WriteName(out, names[2], true);
  out.WriteDWord(indexOffset);
  out.WriteWord(resolution);
  out.WriteByte(sqh);
  out.WriteByte(eqh);
  out.WriteByte(swh);
  out.WriteByte(ewh);
  out.WriteInt16(xOffset);
  out.WriteInt16(yOffset);
  out.WriteZeros(kSize - (out.Size() - start));
  return out.Size() - start == kSize;
}

int CftHeader::EntryCount() const { return (eqh - sqh + 1) * (ewh - swh + 1); }

int CftHeader::EntryOf(WORD code) const {
  BYTE lead = static_cast<BYTE>(code >> 8), trail = static_cast<BYTE>(code & 0xFF);
  if (lead < sqh || lead > eqh || trail < swh || trail > ewh) return -1;
  return (lead - sqh) * (ewh - swh + 1) + (trail - swh);
}

DWORD CftHeader::ScrambleOffset(DWORD offset, int entry) {
  return offset ^ (kIndexKey / (static_cast<DWORD>(entry) + 3));
}

BOOL ReadCftHeader(CFile& file, CftHeader& header) {
  BYTE data[CftHeader::kSize] = {};
  UINT got = 0;
  try {
    file.SeekToBegin();
    got = file.Read(data, sizeof data);
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  return header.Parse(data, got) ? TRUE : FALSE;
}
