#include "media/library/LibraryFile.h"

#include <cstring>
#include <set>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "media/library/LibraryFileAccess.h"
#include "media/library/MountLibList.h"

using namespace library;

namespace {

const size_t kKindReserved = 22;
const size_t kHeaderReservedTail = 48;
const float kLowestVersion6 = 5.999f;
const float kFirstVersion6 = 6.0f;
const size_t kBrandSize = 16;
const size_t kTitleOffsetV5 = 16;
const size_t kFirstLinkOffsetV5 = 70;
const size_t kLinkSize = 10;
const size_t kEntrySizeV5 = 32;
const size_t kEntryNameSizeV5 = 28;
const size_t kTitleLength = 47;

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

bool ReadHeaderImage(LPCSTR path, BYTE (&image)[kHeaderSize]) {
  CLibraryFileAccess file;
  return file.Open(path, CLibraryFileAccess::kRead) && file.ReadAt(0, image, kHeaderSize);
}

bool IsBrandV5(const BYTE* bytes, size_t size) {
  if (size < kBrandSize) return false;
  char brand[kBrandSize + 1] = {};
  std::memcpy(brand, bytes, kBrandSize);
  return std::strcmp(brand, kBrandV5) == 0;
}

struct LinkV5 {
  WORD count = 0;
  DWORD entries = 0;
  LONG next = 0;
};

bool ReadLinkV5(CLibraryFileAccess& file, DWORD offset, LinkV5& link) {
  BYTE bytes[kLinkSize];
  if (!file.ReadAt(offset, bytes, sizeof bytes)) return false;
  CByteReader in(bytes, sizeof bytes);
  return in.ReadWord(link.count) && in.ReadDWord(link.entries) && in.ReadInt32(link.next);
}

}  // namespace

namespace library {

bool ReadHeaderBytes(CByteReader& in, LibraryHeader& header) {
  bool read = in.ReadBytes(header.magic, 4) && in.ReadFloat(header.version) &&
              in.ReadDWord(header.headerSize) && in.ReadDWord(header.kindCount) &&
              in.ReadWord(header.graphicSize) && in.ReadWord(header.reserved18) &&
              in.ReadWord(header.reserved20);
  for (char* title : header.titles) read = read && in.ReadBytes(title, kTitleSize);
  return read && in.ReadDWord(header.firstKind) && in.Skip(kHeaderReservedTail);
}

bool ReadKindRecordBytes(CByteReader& in, KindRecord& record) {
  return in.ReadDWord(record.size) && in.ReadDWord(record.next) && in.ReadDWord(record.table) &&
         in.ReadWord(record.count) && in.Skip(kKindReserved) &&
         in.ReadBytes(record.chineseName, kKindNameSize) &&
         in.ReadBytes(record.englishName, kKindNameSize);
}

CString FixedText(const char* field, size_t size, size_t maxLength) {
  size_t end = 0;
  while (end < size && field[end]) ++end;
  size_t length = 0;
  while (length < end) {
    size_t step = IsLeadByte(static_cast<unsigned char>(field[length])) && length + 1 < end ? 2 : 1;
    if (length + step > maxLength) break;
    length += step;
  }
  return CString(field, static_cast<int>(length));
}

}  // namespace library

BOOL CreateLibraryFile(LPCSTR path, const LibraryHeader& header, bool keepExisting) {
  if (!(header.version > kLowestVersion6) || header.headerSize != kHeaderSize) return FALSE;
  CByteWriter out;
  if (!WriteHeaderBytes(header, out)) return FALSE;
  CLibraryFileAccess file;
  return file.Open(path,
                   keepExisting ? CLibraryFileAccess::kCreateNew : CLibraryFileAccess::kCreate) &&
         file.WriteAt(0, out.Data(), out.Size());
}

BOOL ReadLibraryHeader(LPCSTR path, LibraryHeader& header) {
  BYTE image[kHeaderSize];
  if (!ReadHeaderImage(path, image)) return FALSE;
  CByteReader in(image, sizeof image);
  LibraryHeader read;
  if (!ReadHeaderBytes(in, read)) return FALSE;
  if (std::memcmp(read.magic, kMagic, 4) != 0 || !(read.version >= kFirstVersion6) ||
      read.headerSize != kHeaderSize)
    return FALSE;
  header = read;
  return TRUE;
}

BOOL ReadLibraryHeaderV5(LPCSTR path, LibraryHeader& header) {
  CLibraryFileAccess file;
  BYTE image[kHeaderSizeV5];
  if (!file.Open(path, CLibraryFileAccess::kRead) || !file.ReadAt(0, image, sizeof image))
    return FALSE;
  LibraryHeader v5;
  std::memcpy(v5.magic, kMagic, 4);
  v5.version = kVersion5;
  v5.headerSize = kHeaderSize;
  CByteReader in(image, sizeof image);
  char title[kTitleSize];
  if (!in.Seek(kTitleOffsetV5) || !in.ReadBytes(title, sizeof title) ||
      !in.ReadWord(v5.graphicSize) || !in.ReadWord(v5.reserved18) || !in.ReadWord(v5.reserved20))
    return FALSE;
  for (char* field : v5.titles) std::memcpy(field, title, kTitleSize);
  header = v5;
  return TRUE;
}

std::vector<LibraryKindEntry> ReadLibraryIndexV5(LPCSTR path, ChainProblem* problem) {
  std::vector<LibraryKindEntry> kinds;
  if (problem) *problem = kChainGood;
  CLibraryFileAccess file;
  if (!file.Open(path, CLibraryFileAccess::kRead)) return kinds;
  std::set<DWORD> visited;
  DWORD at = kFirstLinkOffsetV5;
  ChainProblem ending = kChainGood;
  for (;;) {
    if (!visited.insert(at).second || kinds.size() >= kMaxKinds) {
      ending = kChainLoops;
      break;
    }
    LinkV5 link;
    if (!ReadLinkV5(file, at, link)) {
      ending = kChainOutsideFile;
      break;
    }
    for (WORD i = 0; i < link.count; ++i) {
      BYTE entry[kEntrySizeV5];
      if (link.entries > file.Length() ||
          !file.ReadAt(static_cast<DWORD>(link.entries + i * kEntrySizeV5), entry, sizeof entry)) {
        if (problem) *problem = kChainOutsideFile;
        return kinds;
      }
      if (entry[0] == 0 || kinds.size() >= kMaxKinds) return kinds;
      LibraryKindEntry kind;
      kind.name = FixedText(reinterpret_cast<const char*>(entry), kEntryNameSizeV5,
                            kIndexNameLength);
      CByteReader in(entry + kEntryNameSizeV5, 4);
      in.ReadDWord(kind.offset);
      kinds.push_back(kind);
    }
    if (link.next <= 0) break;
    at = static_cast<DWORD>(link.next);
  }
  if (problem) *problem = ending;
  return kinds;
}

BOOL WriteLibraryHeader(LPCSTR path, const LibraryHeader& header, UINT fields) {
  CByteWriter out;
  if (!WriteHeaderBytes(header, out)) return FALSE;
  CLibraryFileAccess file;
  if (!file.Open(path, CLibraryFileAccess::kReadWrite)) return FALSE;
  auto write = [&](UINT field) {
    size_t offset = 0, width = 0;
    return !(fields & field) ||
           (HeaderFieldSpan(field, offset, width) &&
            file.WriteAt(static_cast<DWORD>(offset), out.Data() + offset, width));
  };
  if (!write(kFieldMagic) || !write(kFieldVersion)) return FALSE;
  if (header.magic[0] != kMagic[0] || header.magic[1] != kMagic[1]) return FALSE;
  for (UINT field = kFieldHeaderSize; field <= kFieldFirstKind; field <<= 1)
    if (!write(field)) return FALSE;
  return TRUE;
}

BOOL IsLibraryV5(LPCSTR path) {
  CLibraryFileAccess file;
  BYTE start[kBrandSize] = {};
  return file.Open(path, CLibraryFileAccess::kRead) &&
         IsBrandV5(start, file.ReadUpTo(0, start, sizeof start));
}

BOOL IsOpenableLibrary(LPCSTR path) {
  float version = GetLibraryVersion(path);
  if (version >= kFirstVersion6) return version <= kVersion61;
  return version == kVersion5 && IsLibraryV5(path);
}

float GetLibraryVersion(LPCSTR path) {
  CLibraryFileAccess file;
  if (!file.Open(path, CLibraryFileAccess::kRead)) return -1.0f;
  BYTE start[kBrandSize] = {};
  size_t read = file.ReadUpTo(0, start, sizeof start);
  if (IsBrandV5(start, read)) return kVersion5;
  if (read < 8 || std::memcmp(start, kMagic, 4) != 0) return -1.0f;
  CByteReader in(start + 4, 4);
  float version = -1.0f;
  in.ReadFloat(version);
  return version;
}

BOOL SetLibraryTitle(LPCSTR path, LPCSTR title) {
  LibraryHeader header;
  if (!(GetLibraryVersion(path) >= kFirstVersion6) || !ReadLibraryHeader(path, header))
    return FALSE;
  // The title the interface shows is the one renamed: the other language's stays as it was.
  bool chinese = LibraryNamesInChinese();
  SetFixedText(header.titles[chinese ? kChineseTitle : kEnglishTitle], kTitleSize, title, true);
  return WriteLibraryHeader(path, header, chinese ? kFieldChineseTitle : kFieldEnglishTitle);
}

BOOL GetLibraryTitle(LPCSTR path, CString& title) {
  float version = GetLibraryVersion(path);
  if (!(version > 0.0f)) return FALSE;
  LibraryHeader header;
  bool read = version < kFirstVersion6 ? ReadLibraryHeaderV5(path, header)
                                       : ReadLibraryHeader(path, header);
  if (!read) return FALSE;
  int which = LibraryNamesInChinese() ? kChineseTitle : kEnglishTitle;
  title = FixedText(header.titles[which], kTitleSize, kTitleLength);
  return TRUE;
}
