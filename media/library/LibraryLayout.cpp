#include "media/library/LibraryLayout.h"

#include <cstring>

#include "framework/ByteWriter.h"

namespace library {

namespace {

const size_t kReservedTail = 48;
const size_t kKindReserved = 22;

struct FieldSpan {
  UINT field;
  size_t offset;
  size_t width;
};

const FieldSpan kFieldSpans[] = {
    {kFieldMagic, 0, 4},         {kFieldVersion, 4, 4},        {kFieldHeaderSize, 8, 4},
    {kFieldKindCount, 12, 4},    {kFieldGraphicSize, 16, 2},   {kFieldReserved18, 18, 2},
    {kFieldReserved20, 20, 2},   {kFieldChineseTitle, 22, 48}, {kFieldEnglishTitle, 70, 48},
    {kFieldThirdTitle, 118, 48}, {kFieldFirstKind, 166, 4},
};

// GBK lead bytes: a cut must not fall between one and its trail byte.
bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace

void SetFixedText(char* field, size_t size, const char* text, bool keepFull) {
  std::memset(field, 0, size);
  if (!text || size == 0) return;
  size_t limit = keepFull ? size : size - 1;
  size_t length = 0;
  while (text[length]) {
    size_t step = IsLeadByte(static_cast<unsigned char>(text[length])) && text[length + 1] ? 2 : 1;
    if (length + step > limit) break;
    length += step;
  }
  std::memcpy(field, text, length);
}

LibraryHeader MakeLibraryHeader(float version, const char* title) {
  LibraryHeader header;
  std::memcpy(header.magic, kMagic, 4);
  header.version = version;
  header.headerSize = kHeaderSize;
  header.graphicSize = kNewLibraryGraphicSize;
  for (char* field : header.titles) SetFixedText(field, kTitleSize, title);
  return header;
}

bool WriteHeaderBytes(const LibraryHeader& header, CByteWriter& out) {
  bool written = out.WriteBytes(header.magic, 4) && out.WriteFloat(header.version) &&
                 out.WriteDWord(header.headerSize) && out.WriteDWord(header.kindCount) &&
                 out.WriteWord(header.graphicSize) && out.WriteWord(header.reserved18) &&
                 out.WriteWord(header.reserved20);
  for (const char* title : header.titles) written = written && out.WriteBytes(title, kTitleSize);
  return written && out.WriteDWord(header.firstKind) && out.WriteZeros(kReservedTail);
}

bool WriteKindRecordBytes(const KindRecord& record, CByteWriter& out) {
  return out.WriteDWord(record.size) && out.WriteDWord(record.next) &&
         out.WriteDWord(record.table) && out.WriteWord(record.count) &&
         out.WriteZeros(kKindReserved) && out.WriteBytes(record.chineseName, kKindNameSize) &&
         out.WriteBytes(record.englishName, kKindNameSize);
}

bool HeaderFieldSpan(UINT field, size_t& offset, size_t& width) {
  for (const FieldSpan& span : kFieldSpans) {
    if (span.field != field) continue;
    offset = span.offset;
    width = span.width;
    return true;
  }
  return false;
}

}  // namespace library
