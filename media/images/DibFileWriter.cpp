#include "media/images/DibFileWriter.h"

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"

namespace {

const WORD kBitmapType = 0x4D42;  // "BM"
const DWORD kInfoHeaderSize = 40;
const DWORD kV5HeaderSize = 124;
const DWORD kRgb = 0;
const DWORD kBitFields = 3;
const DWORD kAlphaBitFields = 6;
// A version 5 header's colour space kind of an embedded profile ('MBED').
const DWORD kProfileEmbedded = 0x4D424544;
const size_t kV5ColourSpaceAt = 56;
const size_t kV5ProfileAt = 112;
// Image size field of an information header.
const size_t kImageSizeAt = 20;

bool KnownHeaderSize(DWORD size) {
  switch (size) {
    case 12:   // core
    case 40:   // information
    case 52:   // with RGB masks
    case 56:   // with RGBA masks
    case 64:   // OS/2 version 2
    case 108:  // version 4
    case 124:  // version 5
      return true;
    default:
      return false;
  }
}

bool KnownBitCount(WORD bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

ULONGLONG RowBytes(ULONGLONG width, WORD bits) { return (width * bits + 31) / 32 * 4; }

// The fields every header kind has, in the information header's form.
struct Header {
  ULONGLONG width = 0;
  ULONGLONG height = 0;
  WORD bitCount = 0;
  DWORD compression = kRgb;
  DWORD imageSize = 0;
  DWORD colorsUsed = 0;
};

bool ReadHeader(CByteReader& reader, DWORD headerSize, Header* header) {
  if (headerSize == CDibFileWriter::kCoreHeaderSize) {
    WORD width, height, planes;
    if (!reader.ReadWord(width) || !reader.ReadWord(height) || !reader.ReadWord(planes) ||
        !reader.ReadWord(header->bitCount))
      return false;
    header->width = width;
    header->height = height;
    return true;
  }
  LONG width, height;
  WORD planes;
  LONG xPerMetre, yPerMetre;
  if (!reader.ReadInt32(width) || !reader.ReadInt32(height) || !reader.ReadWord(planes) ||
      !reader.ReadWord(header->bitCount) || !reader.ReadDWord(header->compression) ||
      !reader.ReadDWord(header->imageSize) || !reader.ReadInt32(xPerMetre) ||
      !reader.ReadInt32(yPerMetre) || !reader.ReadDWord(header->colorsUsed))
    return false;
  if (width <= 0 || height == 0 || height == LONG(0x80000000)) return false;
  header->width = static_cast<ULONGLONG>(width);
  // A negative height stands for rows stored top row first.
  header->height = static_cast<ULONGLONG>(height < 0 ? -static_cast<LONGLONG>(height) : height);
  return true;
}

// The end of a version 5 header's embedded colour profile, 0 without one; false when it lies
// outside the bitmap.
bool ProfileEnd(CByteReader& reader, size_t size, size_t* end) {
  *end = 0;
  DWORD colourSpace, offset, length;
  if (!reader.Seek(kV5ColourSpaceAt) || !reader.ReadDWord(colourSpace)) return false;
  if (colourSpace != kProfileEmbedded) return true;
  if (!reader.Seek(kV5ProfileAt) || !reader.ReadDWord(offset) || !reader.ReadDWord(length))
    return false;
  if (ULONGLONG(offset) + length > size) return false;
  *end = static_cast<size_t>(offset) + length;
  return true;
}

}  // namespace

bool CDibFileWriter::Measure(const BYTE* dib, size_t size, Layout* layout) {
  *layout = Layout();
  if (!dib) return false;
  CByteReader reader(dib, size);
  DWORD headerSize;
  Header header;
  if (!reader.ReadDWord(headerSize) || !KnownHeaderSize(headerSize) || headerSize > size ||
      !ReadHeader(reader, headerSize, &header))
    return false;
  bool core = headerSize == kCoreHeaderSize;
  layout->uncompressed = header.compression == kRgb || header.compression == kBitFields ||
                         header.compression == kAlphaBitFields;
  if (layout->uncompressed && !KnownBitCount(header.bitCount)) return false;
  if (headerSize == kInfoHeaderSize && header.compression == kBitFields) layout->masksSize = 12;
  if (headerSize == kInfoHeaderSize && header.compression == kAlphaBitFields)
    layout->masksSize = 16;
  ULONGLONG entries = header.colorsUsed;
  if (entries == 0 && header.bitCount <= 8) entries = 1ull << header.bitCount;
  if (core && header.bitCount > 8) entries = 0;
  if (header.bitCount <= 8 && entries > (1ull << header.bitCount)) return false;
  ULONGLONG tableSize = entries * (core ? 3 : 4);
  ULONGLONG imageSize = layout->uncompressed
                            ? RowBytes(header.width, header.bitCount) * header.height
                            : header.imageSize;
  if (imageSize == 0) return false;
  ULONGLONG used = ULONGLONG(headerSize) + layout->masksSize + tableSize + imageSize;
  if (used > size) return false;
  layout->headerSize = headerSize;
  layout->tableSize = static_cast<size_t>(tableSize);
  layout->imageSize = static_cast<size_t>(imageSize);
  layout->usedSize = static_cast<size_t>(used);
  if (headerSize == kV5HeaderSize) {
    size_t profileEnd;
    if (!ProfileEnd(reader, size, &profileEnd)) return false;
    if (profileEnd > layout->usedSize) layout->usedSize = profileEnd;
  }
  return true;
}

bool CDibFileWriter::MakeFile(const BYTE* dib, size_t size, std::vector<BYTE>* file) {
  file->clear();
  Layout layout;
  if (!Measure(dib, size, &layout)) return false;
  ULONGLONG fileSize = ULONGLONG(kFileHeaderSize) + layout.usedSize;
  if (fileSize > 0xFFFFFFFFull) return false;
  CByteWriter writer;
  writer.WriteWord(kBitmapType);
  writer.WriteDWord(static_cast<DWORD>(fileSize));
  writer.WriteWord(0);
  writer.WriteWord(0);
  writer.WriteDWord(static_cast<DWORD>(kFileHeaderSize + layout.BitsOffset()));
  writer.WriteBytes(dib, layout.usedSize);
  // Sources often leave the image size of an uncompressed bitmap 0.
  if (layout.headerSize >= kInfoHeaderSize && layout.uncompressed)
    writer.PatchDWord(kFileHeaderSize + kImageSizeAt, static_cast<DWORD>(layout.imageSize));
  *file = writer.Bytes();
  return file->size() == fileSize;
}

bool CDibFileWriter::WriteFile(HGLOBAL dib, LPCSTR path) {
  std::vector<BYTE> file;
  {
    CGlobalLock lock(dib);
    if (!lock.Data() || !MakeFile(lock.Data(), lock.Size(), &file)) return false;
  }
  HANDLE handle = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool complete = ::WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written,
                              nullptr) &&
                  written == file.size();
  complete = ::CloseHandle(handle) && complete;
  if (!complete) ::DeleteFileA(path);
  return complete;
}
