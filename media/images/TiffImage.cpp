#include "media/images/TiffImage.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "framework/MessageBox.h"
#include "media/images/ImageTexts.h"
#include "media/images/RasterFile.h"
#include "media/images/RasterMemory.h"
#include "model/blocks/RasterImageInfo.h"

namespace {

enum : WORD {
  kWidthTag = 256,
  kHeightTag = 257,
  kBitsPerSampleTag = 258,
  kCompressionTag = 259,
  kPhotometricTag = 262,
  kStripOffsetsTag = 273,
  kSamplesPerPixelTag = 277,
  kRowsPerStripTag = 278,
  kStripByteCountsTag = 279,
  kColorMapTag = 320,
  kTileWidthTag = 322,
  kTileLengthTag = 323,
  kTileOffsetsTag = 324,
  kTileByteCountsTag = 325,
};
enum : WORD { kByteType = 1, kShortType = 3, kLongType = 4 };

const size_t kHeaderSize = 8;
const size_t kEntrySize = 12;
const int kUncompressed = 1;
const int kWhiteIsZero = 0;
const size_t kInfoHeaderSize = 40;
// More values than this in one entry is no image this reader could handle.
const DWORD kMostValues = 1u << 20;

size_t TypeSize(WORD type) {
  switch (type) {
    case kByteType:
      return 1;
    case kShortType:
      return 2;
    default:
      return 4;
  }
}

// The grey level of entry i of a ramp of count entries.
BYTE RampLevel(int i, int count) {
  return static_cast<BYTE>(count > 1 ? i * 255 / (count - 1) : 0);
}

}  // namespace

CTiffImage::CTiffImage(LPCSTR path)
    : m_path(path ? path : ""),
      m_headerRead(false),
      m_fileSize(0),
      m_byteOrder(0),
      m_version(0),
      m_ifdOffset(0),
      m_entryCount(0),
      m_width(0),
      m_height(0),
      m_stripOffset(0),
      m_stripByteCount(0),
      m_colorMapOffset(0),
      m_colorMapCount(0),
      m_samplesPerPixel(1),
      m_bitsPerSample(1),
      m_compression(kUncompressed),
      m_photometric(-1),
      m_rowsPerStrip(0),
      m_tiled(false),
      m_damagedEntry(false),
      m_opened(false),
      m_problemFound(false) {
  m_headerRead = LoadHeader();
}

WORD CTiffImage::ToWord(const BYTE* bytes) const {
  return m_byteOrder == kMotorolaOrder ? static_cast<WORD>(bytes[0] << 8 | bytes[1])
                                       : static_cast<WORD>(bytes[1] << 8 | bytes[0]);
}

DWORD CTiffImage::ToLong(const BYTE* bytes) const {
  if (m_byteOrder == kMotorolaOrder)
    return DWORD(bytes[0]) << 24 | DWORD(bytes[1]) << 16 | DWORD(bytes[2]) << 8 | bytes[3];
  return DWORD(bytes[3]) << 24 | DWORD(bytes[2]) << 16 | DWORD(bytes[1]) << 8 | bytes[0];
}

std::vector<DWORD> CTiffImage::ReadValues(CRasterFile& file, const Entry& entry, bool all) const {
  std::vector<DWORD> values;
  const size_t size = TypeSize(entry.type);
  if (entry.count == 0 || entry.count > kMostValues) return values;
  // The whole extent the entry claims must lie in the file before anything of it is read.
  const ULONGLONG bytes = static_cast<ULONGLONG>(entry.count) * size;
  const bool inside = bytes <= sizeof entry.value;
  if (!inside && !file.Holds(ToLong(entry.value), bytes)) return values;
  std::vector<BYTE> raw((all ? entry.count : 1) * size);
  if (inside)
    memcpy(raw.data(), entry.value, raw.size());
  else if (!file.ReadAt(ToLong(entry.value), raw.data(), raw.size()))
    return values;
  values.reserve(raw.size() / size);
  for (size_t i = 0; i < raw.size(); i += size)
    values.push_back(size == 1 ? raw[i] : size == 2 ? ToWord(&raw[i]) : ToLong(&raw[i]));
  return values;
}

void CTiffImage::TakeEntry(CRasterFile& file, const Entry& entry) {
  switch (entry.tag) {
    case kColorMapTag:
      // Checked against the file with the bit depth, once that is known.
      m_colorMapOffset = ToLong(entry.value);
      m_colorMapCount = entry.count;
      return;
    case kTileWidthTag:
    case kTileLengthTag:
    case kTileOffsetsTag:
    case kTileByteCountsTag:
      m_tiled = true;
      return;
    case kWidthTag:
    case kHeightTag:
    case kBitsPerSampleTag:
    case kCompressionTag:
    case kPhotometricTag:
    case kStripOffsetsTag:
    case kSamplesPerPixelTag:
    case kRowsPerStripTag:
    case kStripByteCountsTag:
      break;
    default:
      return;  // a tag this reader has no use for is not read at all
  }
  const bool strips = entry.tag == kStripOffsetsTag || entry.tag == kStripByteCountsTag;
  std::vector<DWORD> values = ReadValues(file, entry, strips);
  // A field the reader needs whose values are not in the file.
  if (values.empty()) m_damagedEntry = true;
  const DWORD first = values.empty() ? 0 : values.front();
  const int value = static_cast<int>(std::min<DWORD>(first, INT_MAX));
  switch (entry.tag) {
    case kWidthTag:
      m_width = value;
      break;
    case kHeightTag:
      m_height = value;
      break;
    case kBitsPerSampleTag:
      m_bitsPerSample = value;
      break;
    case kCompressionTag:
      m_compression = value;
      break;
    case kPhotometricTag:
      m_photometric = value;
      break;
    case kSamplesPerPixelTag:
      m_samplesPerPixel = value;
      break;
    case kRowsPerStripTag:
      m_rowsPerStrip = first;
      break;
    case kStripOffsetsTag:
      m_stripOffsets = std::move(values);
      m_stripOffset = first;
      break;
    case kStripByteCountsTag:
      m_stripByteCounts = std::move(values);
      m_stripByteCount = first;
      break;
  }
}

int CTiffImage::ReadHeader() { return m_headerRead ? 1 : 0; }

bool CTiffImage::LoadHeader() {
  CRasterFile file(m_path);
  m_opened = file.IsOpen();
  if (!m_opened) return false;
  m_fileSize = file.Size();
  BYTE header[kHeaderSize];
  if (!file.ReadAt(0, header, sizeof header)) return false;
  m_byteOrder = static_cast<WORD>(header[1] << 8 | header[0]);
  m_version = ToWord(header + 2);
  m_ifdOffset = ToLong(header + 4);
  BYTE count[2];
  if (!file.ReadAt(m_ifdOffset, count, sizeof count)) return false;
  m_entryCount = ToWord(count);
  // A directory longer than this reader takes is refused for its length: none of it is read.
  if (m_entryCount > kMostEntries) return true;
  std::vector<BYTE> entries(m_entryCount * kEntrySize);
  if (!file.ReadAt(m_ifdOffset + 2ULL, entries.data(), entries.size())) return false;
  for (size_t i = 0; i < m_entryCount; ++i) {
    const BYTE* bytes = &entries[i * kEntrySize];
    Entry entry;
    entry.tag = ToWord(bytes);
    entry.type = ToWord(bytes + 2);
    entry.count = ToLong(bytes + 4);
    memcpy(entry.value, bytes + 8, sizeof entry.value);
    TakeEntry(file, entry);
  }
  return true;
}

ULONGLONG CTiffImage::RowBytes() const {
  return (static_cast<ULONGLONG>(std::max(m_width, 0)) * std::max(m_bitsPerSample, 0) + 7) / 8;
}

bool CTiffImage::StripsHoldImage(ULONGLONG fileSize) const {
  const ULONGLONG rowBytes = RowBytes();
  const ULONGLONG height = static_cast<ULONGLONG>(m_height);
  // Uncompressed rows of different strips never share bytes: more than the file is a lie.
  if (rowBytes * height > fileSize) return false;
  const ULONGLONG rowsPerStrip = m_rowsPerStrip == 0 ? height
                                                     : std::min<ULONGLONG>(m_rowsPerStrip, height);
  const ULONGLONG strips = (height + rowsPerStrip - 1) / rowsPerStrip;
  if (m_stripOffsets.size() < strips) return false;
  if (!m_stripByteCounts.empty() && m_stripByteCounts.size() < strips) return false;
  for (ULONGLONG s = 0; s < strips; ++s) {
    const ULONGLONG rows = std::min(rowsPerStrip, height - s * rowsPerStrip);
    const ULONGLONG needed = rows * rowBytes;
    if (!m_stripByteCounts.empty() && m_stripByteCounts[s] < needed) return false;
    if (m_stripOffsets[s] > fileSize || needed > fileSize - m_stripOffsets[s]) return false;
  }
  return true;
}

bool CTiffImage::ColourMapInFile(ULONGLONG fileSize) const {
  if (m_colorMapOffset == 0) return true;
  const ULONGLONG bytes = 3ULL * 2 * (1ULL << m_bitsPerSample);
  return m_colorMapCount >= bytes / 2 && m_colorMapOffset <= fileSize &&
         bytes <= fileSize - m_colorMapOffset;
}

CString CTiffImage::FindProblem() const {
  using namespace ImageText;
  CString text;
  if (!m_opened) {
    text.Format(LoadOr(kCannotOpenId, kCannotOpen), static_cast<LPCSTR>(m_path));
    return text;
  }
  if (!m_headerRead) return LoadOr(kTiffDamagedId, kTiffDamaged);
  if (m_byteOrder != kIntelOrder) return LoadOr(kTiffNotIntelId, kTiffNotIntel);
  if (m_entryCount > kMostEntries) {
    text.Format(LoadOr(kTiffEntryCountId, kTiffEntryCount), static_cast<int>(m_entryCount));
    return text;
  }
  if (m_compression != kUncompressed) return LoadOr(kTiffCompressedId, kTiffCompressed);
  if (m_samplesPerPixel != 1) return LoadOr(kTiffSamplesId, kTiffSamples);
  if (m_tiled) return LoadOr(kTiffTiledId, kTiffTiled);
  // The bit depth comes last, once nothing else has failed.
  if (m_bitsPerSample > 8) return LoadOr(kTiffTooManyColoursId, kTiffTooManyColours);
  if (m_bitsPerSample != 1 && m_bitsPerSample != 4 && m_bitsPerSample != 8) {
    text.Format(LoadOr(kTiffBitCountId, kTiffBitCount), m_bitsPerSample);
    return text;
  }
  if (m_damagedEntry || m_width <= 0 || m_height <= 0 || !StripsHoldImage(m_fileSize) ||
      !ColourMapInFile(m_fileSize))
    return LoadOr(kTiffDamagedId, kTiffDamaged);
  return CString();
}

const CString& CTiffImage::Problem() {
  if (!m_problemFound) m_problem = FindProblem();
  m_problemFound = true;
  return m_problem;
}

int CTiffImage::Check(HWND window) {
  const CString& problem = Problem();
  if (problem.IsEmpty()) return 1;
  if (window)
    AfxShowMessageBox(window, problem,
                      ImageText::LoadOr(ImageText::kErrorCaptionId, ImageText::kErrorCaption),
                      MB_OK | MB_ICONERROR);
  return 0;
}

bool CTiffImage::Usable() { return Problem().IsEmpty(); }

void CTiffImage::GetInfo(RasterImageInfo* info) {
  if (!info) return;
  *info = RasterImageInfo();
  info->kind = m_byteOrder;
  info->width = m_width;
  info->height = m_height;
  info->dataOffset = m_stripOffset;
  info->dataSize = static_cast<DWORD>(
      std::min<ULONGLONG>(RowBytes() * static_cast<ULONGLONG>(std::max(m_height, 0)), ULONG_MAX));
  info->planes = static_cast<WORD>(m_samplesPerPixel);
  info->bitsPerPixel = static_cast<WORD>(m_bitsPerSample);
  info->compression = m_compression;
}

int CTiffImage::GetColorCount() {
  return m_bitsPerSample >= 0 && m_bitsPerSample <= 8 ? 1 << m_bitsPerSample : 0;
}

HGLOBAL CTiffImage::ReadPalette() {
  if (!Usable()) return nullptr;
  const int count = GetColorCount();
  CRasterMemory memory(4ULL * count);
  if (memory.IsEmpty()) return nullptr;
  CGlobalLock lock(memory.Handle());
  if (!lock.Data()) return nullptr;
  BYTE* table = lock.Data();
  if (m_colorMapOffset != 0) {
    // All reds, then all greens, then all blues, 16 bits each: the high byte is the level.
    std::vector<BYTE> map(static_cast<size_t>(count) * 6);
    CRasterFile file(m_path);
    if (!file.ReadAt(m_colorMapOffset, map.data(), map.size())) return nullptr;
    for (int i = 0; i < count; ++i) {
      for (int component = 0; component < 3; ++component) {
        WORD level = ToWord(&map[(static_cast<size_t>(component) * count + i) * 2]);
        table[4 * i + 2 - component] = static_cast<BYTE>(level >> 8);
      }
    }
  } else {
    for (int i = 0; i < count; ++i) {
      BYTE level = RampLevel(m_photometric == kWhiteIsZero ? count - 1 - i : i, count);
      table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = level;
    }
  }
  return memory.Release();
}

HGLOBAL CTiffImage::MakeBitmapInfo() {
  HGLOBAL palette = ReadPalette();
  if (!palette) return nullptr;
  const size_t tableBytes = 4u * static_cast<size_t>(GetColorCount());
  CRasterMemory memory(kInfoHeaderSize + tableBytes);
  {
    CGlobalLock table(palette);
    CGlobalLock lock(memory.Handle());
    if (lock.Data() && table.Data()) {
      CByteWriter out(lock.Data(), lock.Size());
      const ULONGLONG padded = (RowBytes() + 3) / 4 * 4;
      out.WriteDWord(kInfoHeaderSize);
      out.WriteInt32(m_width);
      out.WriteInt32(m_height);
      out.WriteWord(1);
      out.WriteWord(static_cast<WORD>(m_bitsPerSample));
      out.WriteDWord(0);
      out.WriteDWord(static_cast<DWORD>(std::min<ULONGLONG>(padded * m_height, ULONG_MAX)));
      out.WriteZeros(16);
      out.WriteBytes(table.Data(), tableBytes);
    }
  }
  ::GlobalFree(palette);
  return memory.Release();
}

HGLOBAL CTiffImage::ReadBits() {
  if (!Usable()) return nullptr;
  const ULONGLONG rowBytes = RowBytes();
  const ULONGLONG height = static_cast<ULONGLONG>(m_height);
  const ULONGLONG rowsPerStrip = m_rowsPerStrip == 0 ? height
                                                     : std::min<ULONGLONG>(m_rowsPerStrip, height);
  CRasterMemory memory(rowBytes * height);
  if (memory.IsEmpty()) return nullptr;
  CGlobalLock lock(memory.Handle());
  CRasterFile file(m_path);
  if (!lock.Data()) return nullptr;
  for (ULONGLONG row = 0, s = 0; row < height; row += rowsPerStrip, ++s) {
    const ULONGLONG bytes = std::min(rowsPerStrip, height - row) * rowBytes;
    if (!file.ReadAt(m_stripOffsets[s], lock.Data() + row * rowBytes, static_cast<size_t>(bytes)))
      return nullptr;
  }
  return memory.Release();
}

HGLOBAL CTiffImage::LayOutRows(HGLOBAL bits, bool bottomUp) {
  const size_t rowBytes = static_cast<size_t>(RowBytes());
  const size_t padded = (rowBytes + 3) / 4 * 4;
  const size_t height = static_cast<size_t>(std::max(m_height, 0));
  if (m_bitsPerSample < 1 || m_bitsPerSample > 8 || rowBytes == 0 || height == 0) return nullptr;
  CGlobalLock source(bits);
  if (!source.Data() || source.Size() / rowBytes < height) return nullptr;
  CRasterMemory memory(static_cast<ULONGLONG>(padded) * height);
  if (memory.IsEmpty()) return nullptr;
  CGlobalLock target(memory.Handle());
  if (!target.Data()) return nullptr;
  for (size_t row = 0; row < height; ++row) {
    size_t to = bottomUp ? height - 1 - row : row;
    memcpy(target.Data() + to * padded, source.Data() + row * rowBytes, rowBytes);
  }
  return memory.Release();
}

HGLOBAL CTiffImage::FlipToDib(HGLOBAL bits) { return LayOutRows(bits, true); }

HGLOBAL CTiffImage::PadRows(HGLOBAL bits) { return LayOutRows(bits, false); }

HBITMAP CTiffImage::CreateBitmap(HDC dc, HWND window) {
  if (!Check(window)) return nullptr;
  HGLOBAL info = MakeBitmapInfo();
  HGLOBAL strips = info ? ReadBits() : nullptr;
  HGLOBAL dib = strips ? FlipToDib(strips) : nullptr;
  HBITMAP bitmap = nullptr;
  if (dib) {
    CGlobalLock header(info);
    CGlobalLock pixels(dib);
    HDC screen = dc ? nullptr : ::GetDC(nullptr);
    if (header.Data() && pixels.Data())
      bitmap = ::CreateDIBitmap(dc ? dc : screen, header.As<BITMAPINFOHEADER>(), CBM_INIT,
                                pixels.Data(), header.As<BITMAPINFO>(), DIB_RGB_COLORS);
    if (screen) ::ReleaseDC(nullptr, screen);
  }
  for (HGLOBAL block : {info, strips, dib})
    if (block) ::GlobalFree(block);
  return bitmap;
}
