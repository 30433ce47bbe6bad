// The byte layout of a graphics-library file (.LIB) of version 6 and its writing: the 218-byte
// header, the 100-byte kind records chained in creation order, each followed by its graphic table
// of 255 u32 record offsets (1024 bytes), and the glyph records of the graphics anywhere after
// the header. All integers little-endian, floats IEEE, texts GBK zero-padded in fixed fields.
// Plain data and writing only, on the Windows integer types, so that the build-time library
// generator lays out its file with the same code as the program; reading lives with the file
// functions (LibraryFile.h).
#pragma once

#include <windows.h>

#include <cstddef>

class CByteWriter;

namespace library {

const size_t kHeaderSize = 218;
const size_t kKindRecordSize = 100;
const size_t kTableSize = 1024;
// Slots of a graphic table; the table's last 4 bytes are unused.
const int kSlotCount = 255;
const size_t kTitleSize = 48;
const size_t kKindNameSize = 32;
// Kind numbers are 16-bit: a chain of more kinds is taken for a damaged one.
const size_t kMaxKinds = 0xFFFF;
// Index entries keep this many characters of a kind's name.
const size_t kIndexNameLength = 27;
const WORD kNewLibraryGraphicSize = 1024;
const float kVersion60 = 6.0f;
const float kVersion61 = 6.1f;
// The version a library of version 5 is reported as.
const float kVersion5 = 5.4f;
const char kMagic[] = "VLIB";

// Header fields that WriteLibraryHeader rewrites, by bit.
enum HeaderField : UINT {
  kFieldMagic = 0x1,
  kFieldVersion = 0x2,
  kFieldHeaderSize = 0x4,
  kFieldKindCount = 0x8,
  kFieldGraphicSize = 0x10,
  kFieldReserved18 = 0x20,
  kFieldReserved20 = 0x40,
  kFieldChineseTitle = 0x80,
  kFieldEnglishTitle = 0x100,
  kFieldThirdTitle = 0x200,
  kFieldFirstKind = 0x400,
};

enum TitleIndex { kChineseTitle = 0, kEnglishTitle = 1, kThirdTitle = 2 };

// The header in the order of its fields; titles are zero-padded and need no terminating zero.
struct LibraryHeader {
  char magic[4] = {};
  float version = 0.0f;
  DWORD headerSize = 0;
  DWORD kindCount = 0;
  WORD graphicSize = 0;
  WORD reserved18 = 0;
  WORD reserved20 = 0;
  char titles[3][kTitleSize] = {};
  // File offset of the first kind record; 0 while the library has none.
  DWORD firstKind = 0;
};

// A new empty library's header: "VLIB", the version, size 218, graphic size 1024, every title the
// given one (cut to 47 bytes).
LibraryHeader MakeLibraryHeader(float version, const char* title);
// Copies text into a fixed field, cut to fit (never inside a double-byte character) and padded
// with zeros; the field keeps a terminating zero unless keepFull allows the text to fill it.
void SetFixedText(char* field, size_t size, const char* text, bool keepFull = false);

struct KindRecord {
  DWORD size = kKindRecordSize;
  // File offset of the next kind record; 0 for the last.
  DWORD next = 0;
  // File offset of the kind's graphic table: always the record's own offset + 100.
  DWORD table = 0;
  WORD count = 0;
  char chineseName[kKindNameSize] = {};
  char englishName[kKindNameSize] = {};
};

// Writers of the whole header and of a whole kind record; false when the writer is full.
bool WriteHeaderBytes(const LibraryHeader& header, CByteWriter& out);
bool WriteKindRecordBytes(const KindRecord& record, CByteWriter& out);
// Where a field of one HeaderField bit lies in the header; false for a bit that names none.
bool HeaderFieldSpan(UINT field, size_t& offset, size_t& width);

}  // namespace library
