#include "media/images/BmpImage.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "framework/MessageBox.h"
#include "media/images/ImageTexts.h"
#include "media/images/RasterFile.h"
#include "media/images/RasterMemory.h"
#include "model/blocks/RasterImageInfo.h"

namespace {

const DWORD kUncompressed = 0;  // BI_RGB
const DWORD kRle8 = 1;
const DWORD kRle4 = 2;
const DWORD kBitFields = 3;
const size_t kMaskBytes = 12;
// The masks of bit fields stand here whatever the header's size: right after a 40-byte header,
// or in the mask fields of a longer one.
const ULONGLONG kMaskOffset = CBmpImage::kFileHeaderSize + CBmpImage::kInfoHeaderSize;

// Masks a 16-bit pixel can be split by: each one set, within the pixel, none sharing a bit.
bool MasksSplitPixel(const DWORD (&masks)[3]) {
  for (DWORD mask : masks)
    if (mask == 0 || mask > 0xFFFF) return false;
  return (masks[0] & masks[1]) == 0 && (masks[0] & masks[2]) == 0 && (masks[1] & masks[2]) == 0;
}

bool IsSupportedBitCount(WORD bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24;
}

// 2 to the bit count as the message shows it (a bit count of 32 or more does not fit an int).
CString ColourCountText(WORD bits) {
  return bits < 64 ? CString(std::to_string(1ULL << bits).c_str()) : CString("?");
}

void ReverseRows(BYTE* rows, size_t stride, size_t count) {
  for (size_t top = 0, bottom = count; top + 1 < bottom; ++top, --bottom)
    std::swap_ranges(rows + top * stride, rows + (top + 1) * stride, rows + (bottom - 1) * stride);
}

}  // namespace

CBmpImage::CBmpImage(LPCSTR path)
    : m_path(path ? path : ""),
      m_headerRead(false),
      m_fileSize(0),
      m_fileType(0),
      m_declaredSize(0),
      m_reserved1(0),
      m_reserved2(0),
      m_dataOffset(0),
      m_headerSize(0),
      m_width(0),
      m_height(0),
      m_topDown(false),
      m_planes(0),
      m_bitCount(0),
      m_compression(0),
      m_imageSize(0),
      m_xPixelsPerMetre(0),
      m_yPixelsPerMetre(0),
      m_coloursUsed(0),
      m_coloursImportant(0),
      m_masks{} {}

int CBmpImage::ReadHeader() {
  m_headerRead = false;
  CRasterFile file(m_path);
  BYTE bytes[kFileHeaderSize + kInfoHeaderSize];
  if (!file.ReadAt(0, bytes, sizeof bytes)) return 0;
  CByteReader in(bytes, sizeof bytes);
  int height = 0;
  in.ReadWord(m_fileType);
  in.ReadDWord(m_declaredSize);
  in.ReadWord(m_reserved1);
  in.ReadWord(m_reserved2);
  in.ReadDWord(m_dataOffset);
  in.ReadDWord(m_headerSize);
  in.ReadInt32(m_width);
  in.ReadInt32(height);
  in.ReadWord(m_planes);
  in.ReadWord(m_bitCount);
  in.ReadDWord(m_compression);
  in.ReadDWord(m_imageSize);
  in.ReadInt32(m_xPixelsPerMetre);
  in.ReadInt32(m_yPixelsPerMetre);
  in.ReadDWord(m_coloursUsed);
  in.ReadDWord(m_coloursImportant);
  // A negative height stores the rows top row first; the most negative one has no positive.
  m_topDown = height < 0;
  m_height = height == INT_MIN ? 0 : (height < 0 ? -height : height);
  m_fileSize = file.Size();
  m_imageSize = static_cast<DWORD>(std::min<ULONGLONG>(m_fileSize, ULONG_MAX));
  BYTE masks[kMaskBytes] = {};
  if (m_compression == kBitFields && file.ReadAt(kMaskOffset, masks, sizeof masks)) {
    CByteReader maskReader(masks, sizeof masks);
    for (DWORD& mask : m_masks) maskReader.ReadDWord(mask);
  }
  m_headerRead = true;
  return 1;
}

bool CBmpImage::EnsureHeader() { return m_headerRead || ReadHeader(); }

ULONGLONG CBmpImage::RowStride() const {
  ULONGLONG bits = static_cast<ULONGLONG>(std::max(m_width, 0)) * m_bitCount;
  return (bits + 31) / 32 * 4;
}

ULONGLONG CBmpImage::RowPadding() const {
  ULONGLONG bits = static_cast<ULONGLONG>(std::max(m_width, 0)) * m_bitCount;
  return RowStride() - (bits + 7) / 8;
}

DWORD CBmpImage::TableEntries() const {
  if (m_bitCount <= 8) {
    DWORD full = 1u << m_bitCount;
    return m_coloursUsed > 0 && m_coloursUsed < full ? m_coloursUsed : full;
  }
  return m_compression == kBitFields ? 3 : 0;
}

int CBmpImage::GetColorCount() {
  if (!EnsureHeader() || m_bitCount > 8 || FindProblems() != 0) return 0;
  return static_cast<int>(TableEntries());
}

UINT CBmpImage::FindProblems() const {
  UINT problems = 0;
  if (m_fileType != kBitmapType || m_headerSize < kInfoHeaderSize) problems |= kNotBitmap;
  if (m_compression > kBitFields) problems |= kJpeg;
  if (m_compression == kRle8 || m_compression == kRle4) problems |= kCompressed;
  if (!IsSupportedBitCount(m_bitCount)) problems |= kBitCount;
  if (problems) return problems;
  // Bit fields describe 16-bit pixels only, by masks that split them.
  if (m_compression == kBitFields && (m_bitCount != 16 || !MasksSplitPixel(m_masks)))
    return kShortFile;
  if (m_width <= 0 || m_height <= 0) return kBadSize;
  // The information header and the colour table after it lie in the file.
  ULONGLONG tableBytes = m_bitCount <= 8 ? 4ULL * TableEntries() : 0;
  if (TableOffset() > m_fileSize || tableBytes > m_fileSize - TableOffset()) return kShortFile;
  if (m_dataOffset >= m_fileSize) return kShortFile;
  // Only the padding of the last row may be missing: some writers leave it out.
  if (PixelBytes() > m_fileSize - m_dataOffset + RowPadding()) return kShortFile;
  return 0;
}

bool CBmpImage::Usable() { return EnsureHeader() && FindProblems() == 0; }

CString CBmpImage::ProblemText(UINT problems) const {
  using namespace ImageText;
  CString text;
  if (problems & kNotBitmap) text += LoadOr(kBmpNotBitmapId, kBmpNotBitmap);
  if (problems & kJpeg) text += LoadOr(kBmpJpegId, kBmpJpeg);
  if (problems & kCompressed) text += LoadOr(kBmpCompressedId, kBmpCompressed);
  if (problems & kBitCount) {
    CString line;
    line.Format(LoadOr(kBmpBitCountId, kBmpBitCount), m_bitCount,
                static_cast<LPCSTR>(ColourCountText(m_bitCount)));
    text += line;
  }
  if (problems & kBadSize) text += LoadOr(kBmpSizeId, kBmpSize);
  if (problems & kShortFile) text += LoadOr(kBmpShortId, kBmpShort);
  return text;
}

int CBmpImage::Check(HWND window) {
  using namespace ImageText;
  CString caption = LoadOr(kErrorCaptionId, kErrorCaption);
  if (!CRasterFile(m_path).IsOpen()) {
    if (window) {
      CString text;
      text.Format(LoadOr(kCannotOpenId, kCannotOpen), static_cast<LPCSTR>(m_path));
      AfxShowMessageBox(window, text, caption, MB_OK);
    }
    return 0;
  }
  UINT problems = ReadHeader() ? FindProblems() : static_cast<UINT>(kShortFile);
  CString text = ProblemText(problems);
  if (text.GetLength() < 3) return 1;
  if (window) AfxShowMessageBox(window, text, caption, MB_OK);
  return 0;
}

void CBmpImage::GetInfo(RasterImageInfo* info) {
  if (!info || !EnsureHeader()) return;
  *info = RasterImageInfo();
  info->kind = m_fileType;
  info->width = m_width;
  info->height = m_height;
  info->dataOffset = m_dataOffset;
  info->dataSize = m_imageSize;
  info->planes = m_planes;
  info->bitsPerPixel = m_bitCount;
  info->compression = 0;
  info->xPixelsPerMetre = m_xPixelsPerMetre;
  info->yPixelsPerMetre = m_yPixelsPerMetre;
}

HGLOBAL CBmpImage::MakeBitmapInfo(BITMAPINFOHEADER* header) {
  if (!Usable()) return nullptr;
  const DWORD entries = TableEntries();
  const size_t tableBytes = m_compression == kBitFields ? kMaskBytes : 4u * entries;
  CRasterMemory memory(kInfoHeaderSize + tableBytes);
  if (memory.IsEmpty()) return nullptr;
  CGlobalLock lock(memory.Handle());
  if (!lock.Data()) return nullptr;
  CByteWriter out(lock.Data(), lock.Size());
  out.WriteDWord(kInfoHeaderSize);
  out.WriteInt32(m_width);
  out.WriteInt32(m_height);  // bottom-up: ReadBits turns top-down files round
  out.WriteWord(1);
  out.WriteWord(m_bitCount);
  out.WriteDWord(m_compression);
  out.WriteDWord(static_cast<DWORD>(std::min<ULONGLONG>(PixelBytes(), ULONG_MAX)));
  out.WriteInt32(m_xPixelsPerMetre);
  out.WriteInt32(m_yPixelsPerMetre);
  out.WriteDWord(m_bitCount <= 8 ? entries : 0);
  out.WriteDWord(m_bitCount <= 8 ? std::min(m_coloursImportant, entries) : 0);
  if (header) memcpy(header, lock.Data(), kInfoHeaderSize);
  if (m_compression == kBitFields) {
    for (DWORD mask : m_masks) out.WriteDWord(mask);
    return memory.Release();
  }
  CRasterFile file(m_path);
  if (!file.ReadAt(TableOffset(), lock.Data() + kInfoHeaderSize, tableBytes)) return nullptr;
  return memory.Release();
}

HGLOBAL CBmpImage::ReadPalette() {
  if (!Usable() || m_bitCount > 8) return nullptr;
  const size_t bytes = 4u * TableEntries();
  CRasterMemory memory(bytes);
  if (memory.IsEmpty()) return nullptr;
  CGlobalLock lock(memory.Handle());
  CRasterFile file(m_path);
  if (!lock.Data() || !file.ReadAt(TableOffset(), lock.Data(), bytes)) return nullptr;
  return memory.Release();
}

HGLOBAL CBmpImage::ReadBits(BOOL topDown) {
  if (!Usable()) return nullptr;
  const ULONGLONG size = PixelBytes();
  CRasterMemory memory(size);
  if (memory.IsEmpty()) return nullptr;
  CGlobalLock lock(memory.Handle());
  CRasterFile file(m_path);
  const ULONGLONG available = std::min(size, file.Size() -
                                                 std::min<ULONGLONG>(file.Size(), m_dataOffset));
  if (!lock.Data() || !file.ReadAt(m_dataOffset, lock.Data(), static_cast<size_t>(available)))
    return nullptr;
  if ((topDown != FALSE) != m_topDown)
    ReverseRows(lock.Data(), static_cast<size_t>(RowStride()), static_cast<size_t>(m_height));
  return memory.Release();
}

HBITMAP CBmpImage::CreateBitmap(HDC dc, HWND window) {
  if (!Check(window)) return nullptr;
  HGLOBAL info = MakeBitmapInfo();
  HGLOBAL bits = info ? ReadBits(FALSE) : nullptr;
  HBITMAP bitmap = nullptr;
  if (info && bits) {
    CGlobalLock header(info);
    CGlobalLock pixels(bits);
    HDC screen = dc ? nullptr : ::GetDC(nullptr);
    if (header.Data() && pixels.Data())
      bitmap = ::CreateDIBitmap(dc ? dc : screen, header.As<BITMAPINFOHEADER>(), CBM_INIT,
                                pixels.Data(), header.As<BITMAPINFO>(), DIB_RGB_COLORS);
    if (screen) ::ReleaseDC(nullptr, screen);
  }
  if (info) ::GlobalFree(info);
  if (bits) ::GlobalFree(bits);
  if (!bitmap && window) {
    using namespace ImageText;
    AfxShowMessageBox(window, LoadOr(kBmpBitmapFailedId, kBmpBitmapFailed),
                      LoadOr(kBmpFailedCaptionId, kBmpFailedCaption), MB_OK | MB_ICONERROR);
  }
  return bitmap;
}
