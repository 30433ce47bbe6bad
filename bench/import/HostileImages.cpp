#include "bench/import/HostileImages.h"

#include <windows.h>

#include <string>
#include <vector>

#include "bench/import/ChildRead.h"
#include "framework/DC.h"
#include "media/images/BmpImage.h"
#include "media/images/RasterReaders.h"
#include "media/images/TiffImage.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/document/FileKinds.h"

namespace HostileImages {
namespace {

using Bytes = std::vector<BYTE>;

const char kChildSwitch[] = "--hostile-image";
const DWORD kLimitSeconds = 180;

void Put16(Bytes& out, DWORD value) {
  out.push_back(BYTE(value));
  out.push_back(BYTE(value >> 8));
}

void Put32(Bytes& out, DWORD value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutEntry(Bytes& out, WORD tag, WORD type, DWORD count, DWORD value) {
  Put16(out, tag);
  Put16(out, type);
  Put32(out, count);
  Put32(out, value);
}

// A little-endian header whose directory offset StartDirectory fills in.
Bytes TiffHeader() { return {'I', 'I', 42, 0, 0, 0, 0, 0}; }

// Begins the directory of so many entries here, at the end, and points the header at it.
void StartDirectory(Bytes& out, WORD entries) {
  const DWORD directory = DWORD(out.size());
  for (int i = 0; i < 4; ++i) out[4 + i] = BYTE(directory >> 8 * i);
  Put16(out, entries);
}

// The largest directory there can be: 65,535 private tags, each of a million 4-byte values.
Bytes TiffOfMostEntries() {
  Bytes out = TiffHeader();
  StartDirectory(out, 0xFFFF);
  for (DWORD i = 0; i < 0xFFFF; ++i) PutEntry(out, WORD(65000 + i % 500), 4, 1u << 20, 8);
  Put32(out, 0);
  return out;
}

// A valid 8 x 8 grey picture whose directory fills its 50 entries with private tags, each
// naming the same 4 MB of values.
Bytes TiffOfLargePrivateTags() {
  const DWORD kValues = 1u << 20;
  Bytes out = TiffHeader();
  out.resize(out.size() + 64, 0x80);  // the pixels, at 8
  const DWORD values = DWORD(out.size());
  out.resize(out.size() + 4 * size_t(kValues), 0);
  StartDirectory(out, 50);
  PutEntry(out, 256, 3, 1, 8);
  PutEntry(out, 257, 3, 1, 8);
  PutEntry(out, 258, 3, 1, 8);
  PutEntry(out, 259, 3, 1, 1);
  PutEntry(out, 262, 3, 1, 1);
  PutEntry(out, 273, 4, 1, 8);
  PutEntry(out, 277, 3, 1, 1);
  PutEntry(out, 278, 3, 1, 8);
  PutEntry(out, 279, 4, 1, 64);
  for (WORD i = 0; i < 41; ++i) PutEntry(out, WORD(65000 + i), 4, kValues, values);
  Put32(out, 0);
  return out;
}

// A valid picture 8 pixels wide and a million rows high, one bit deep, each row a strip.
Bytes TiffOfMostStrips() {
  const DWORD rows = 1u << 20;
  Bytes out = TiffHeader();
  const DWORD pixels = DWORD(out.size());
  for (DWORD row = 0; row < rows; ++row) out.push_back(BYTE(0xAA >> (row % 2)));
  const DWORD offsets = DWORD(out.size());
  for (DWORD row = 0; row < rows; ++row) Put32(out, pixels + row);
  const DWORD counts = DWORD(out.size());
  for (DWORD row = 0; row < rows; ++row) Put32(out, 1);
  StartDirectory(out, 8);
  PutEntry(out, 256, 3, 1, 8);
  PutEntry(out, 257, 4, 1, rows);
  PutEntry(out, 258, 3, 1, 1);
  PutEntry(out, 259, 3, 1, 1);
  PutEntry(out, 262, 3, 1, 1);
  PutEntry(out, 273, 4, rows, offsets);
  PutEntry(out, 278, 3, 1, 1);
  PutEntry(out, 279, 4, rows, counts);
  Put32(out, 0);
  return out;
}

// A 4000 x 4000 grey picture whose last row of pixels is missing.
Bytes BmpWithoutItsLastRow() {
  const DWORD side = 4000;
  const DWORD offset = 14 + 40 + 1024;
  Bytes out;
  Put16(out, 0x4D42);
  Put32(out, offset + side * (side - 1));
  Put32(out, 0);
  Put32(out, offset);
  for (DWORD value : {DWORD(40), side, side}) Put32(out, value);
  Put16(out, 1);
  Put16(out, 8);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (DWORD i = 0; i < 256; ++i) Put32(out, i * 0x010101);
  for (DWORD row = 0; row + 1 < side; ++row)
    for (DWORD x = 0; x < side; ++x) out.push_back(BYTE(x ^ row));
  return out;
}

// A valid 8192 x 8192 picture one bit deep (8 MB of pixels): costly only if a reader or the
// image block makes more of each bit than the file holds.
Bytes BmpOfOneBitAtLargeSize() {
  const DWORD side = 8192, stride = side / 8;
  const DWORD offset = 14 + 40 + 8;
  Bytes out;
  Put16(out, 0x4D42);
  Put32(out, offset + stride * side);
  Put32(out, 0);
  Put32(out, offset);
  for (DWORD value : {DWORD(40), side, side}) Put32(out, value);
  Put16(out, 1);
  Put16(out, 1);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0xFFFFFF);
  for (DWORD row = 0; row < side; ++row) out.resize(out.size() + stride, BYTE(0x0F << row % 5));
  return out;
}

struct HostileFile {
  const char* what;
  const char* name;
  Bytes (*make)();
};

const HostileFile kFiles[] = {
    {"TIFF, 65,535 directory entries", "talvex-hostile-entries.tif", TiffOfMostEntries},
    {"TIFF, 41 private tags of 4 MB", "talvex-hostile-tags.tif", TiffOfLargePrivateTags},
    {"TIFF 8 x 1,048,576, a strip per row", "talvex-hostile-strips.tif", TiffOfMostStrips},
    {"BMP 4000 x 4000, its last row missing", "talvex-hostile-short.bmp", BmpWithoutItsLastRow},
    {"BMP 8192 x 8192, 1 bit (valid)", "talvex-large-mono.bmp", BmpOfOneBitAtLargeSize},
};

bool Accepted(const char* path) {
  switch (GetFileKindByExtension(path)) {
    case kFileKindTiff:
      return CTiffImage(path).Check(nullptr) != 0;
    case kFileKindBitmap:
      return CBmpImage(path).Check(nullptr) != 0;
    default:
      return false;
  }
}

// The command's check; for a file it accepts, the block's description and its first repaint in
// a window's worth of screen, after which the block holds its bitmap.
std::string ReadLikeTheEditor(const char* path) {
  if (!Accepted(path)) return "refused";
  CRasterReaders readers;
  RasterImageInfo info;
  readers.ReadInfo(path, &info);
  const int kView = 400;
  CImageBlock block(path);
  block.m_box = CFRect(0, 0, kView, kView);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP view = ::CreateCompatibleBitmap(screen, kView, kView);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ previous = ::SelectObject(memory, view);
  CDC dc;
  dc.Attach(memory);
  block.Draw(&dc, nullptr, 0);
  dc.Detach();
  ::SelectObject(memory, previous);
  ::DeleteObject(view);
  ::DeleteDC(memory);
  HBITMAP bitmap = block.GetBitmap();
  if (!bitmap) return "accepted, no bitmap";
  BITMAP size = {};
  ::GetObjectA(bitmap, sizeof size, &size);
  return "bitmap " + std::to_string(size.bmWidth) + " x " + std::to_string(size.bmHeight) + ", " +
         std::to_string(size.bmBitsPixel) + " bits";
}

}  // namespace

bool RunChildRead() { return ChildRead::RunIfChild(kChildSwitch, ReadLikeTheEditor); }

void Measure() {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  for (const HostileFile& file : kFiles) {
    const Bytes bytes = file.make();
    ChildRead::WriteAndRead(kChildSwitch, std::string(folder) + file.name, bytes.data(),
                            bytes.size(), file.what, kLimitSeconds);
  }
}

}  // namespace HostileImages
