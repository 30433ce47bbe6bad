#include "media/tracing/DibPixels.h"

#include <cstdint>

#include "framework/GlobalLock.h"

namespace {

// Pixels a plane may have at most: what a 32-bit program can address, well short of the 2 GB
// of a global memory block.
const std::uint64_t kMostPixels = 0x40000000;

}  // namespace

std::size_t DibRowStride(LONG width, WORD bitsPerPixel) {
  if (width <= 0 || bitsPerPixel == 0 || bitsPerPixel > 32) return 0;
  std::uint64_t bits = static_cast<std::uint64_t>(width) * bitsPerPixel;
  return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

bool IsTraceableDib(const BITMAPINFOHEADER& header, std::size_t bitsSize) {
  switch (header.biBitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return false;
  }
  if (header.biWidth <= 0 || header.biHeight <= 0) return false;
  const std::uint64_t pixels = static_cast<std::uint64_t>(header.biWidth) *
                               static_cast<std::uint64_t>(header.biHeight);
  if (pixels > kMostPixels) return false;
  const std::uint64_t rows =
      static_cast<std::uint64_t>(DibRowStride(header.biWidth, header.biBitCount)) * header.biHeight;
  return rows <= bitsSize;
}

DWORD GetDibPixelValue(const BYTE* row, int bitsPerPixel, int column) {
  switch (bitsPerPixel) {
    case 1:
      return (row[column / 8] >> (7 - column % 8)) & 1;
    case 4:
      return column % 2 == 0 ? row[column / 2] >> 4 : row[column / 2] & 0x0F;
    case 8:
      return row[column];
    case 16:
      return row[2 * column] | DWORD(row[2 * column + 1]) << 8;
    case 24:
      return row[3 * column] | DWORD(row[3 * column + 1]) << 8 | DWORD(row[3 * column + 2]) << 16;
    case 32:
      return row[4 * column] | DWORD(row[4 * column + 1]) << 8 | DWORD(row[4 * column + 2]) << 16 |
             DWORD(row[4 * column + 3]) << 24;
    default:
      return static_cast<DWORD>(bitsPerPixel);
  }
}

int CountDibColors(const BITMAPINFOHEADER& header, const BYTE* bits, std::size_t bitsSize,
                   DWORD* list) {
  if (!bits || !list || !IsTraceableDib(header, bitsSize)) return 0;
  const int capacity = static_cast<int>(list[0]);
  const std::size_t stride = DibRowStride(header.biWidth, header.biBitCount);
  int found = 0;
  bool havePrevious = false;
  DWORD previous = 0;
  for (LONG y = 0; y < header.biHeight; ++y) {
    const BYTE* row = bits + stride * static_cast<std::size_t>(y);
    for (LONG x = 0; x < header.biWidth; ++x) {
      DWORD value = GetDibPixelValue(row, header.biBitCount, x);
      if (havePrevious && value == previous) continue;
      havePrevious = true;
      previous = value;
      bool known = false;
      for (int i = 1; i <= found && !known; ++i) known = list[i] == value;
      if (known) continue;
      if (found == capacity) return capacity + 1;
      list[++found] = value;
    }
  }
  return found;
}

HGLOBAL MakeColorPlane(const BITMAPINFOHEADER& header, const BYTE* bits, std::size_t bitsSize,
                       DWORD value) {
  if (!bits || !IsTraceableDib(header, bitsSize)) return nullptr;
  const std::size_t width = static_cast<std::size_t>(header.biWidth);
  const std::size_t height = static_cast<std::size_t>(header.biHeight);
  HGLOBAL plane = GlobalAlloc(GMEM_MOVEABLE, width * height);
  if (!plane) return nullptr;
  {
    CGlobalLock lock(plane);
    if (!lock.Data()) {
      GlobalFree(plane);
      return nullptr;
    }
    const std::size_t stride = DibRowStride(header.biWidth, header.biBitCount);
    for (std::size_t y = 0; y < height; ++y) {
      const BYTE* row = bits + stride * y;
      BYTE* out = lock.Data() + width * y;
      for (std::size_t x = 0; x < width; ++x)
        out[x] = GetDibPixelValue(row, header.biBitCount, static_cast<int>(x)) == value;
    }
  }
  return plane;
}
