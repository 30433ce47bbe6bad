// Damaged and hostile BMP and TIFF files read the way the read-image command and the first repaint
// of its block read them (no window): the reader's check, then for a file it accepts the
// description, the rows and the bitmap. Every file is either refused with one message or read
// whole; nothing is accepted and then fails. The damaged files are seeded mutations of small good
// ones (the same on every run), with the hostile files found so far and what each must give.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "media/images/BmpImage.h"
#include "media/images/RasterReaders.h"
#include "media/images/TiffImage.h"
#include "model/blocks/RasterImageInfo.h"
#include "support/ByteMutator.h"
#include "support/MessageBoxCapture.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

using namespace raster;
using Bytes = std::vector<BYTE>;

const int kMutantsPerSeed = 120;
const char kBmpShort[] = "\r\n该BMP文件的数据不完整!";
const char kTiffDamaged[] = "TIF文件的数据不完整或已损坏!";

// A file and, for the named ones, the message it must give ("" for a file read whole).
struct Input {
  std::string name;
  Bytes file;
  const char* message;
};

DWORD Colours(int x, int y) { return (x * 0x3F1F05u + y * 0x0711ACu) & 0xF8FCF8u; }

std::vector<Input> Mutants(const std::vector<Input>& seeds, DWORD seed) {
  ByteMutator mutator(seed);
  std::vector<Input> inputs = seeds;
  for (const Input& good : seeds)
    for (int i = 0; i < kMutantsPerSeed; ++i)
      inputs.push_back(
          {good.name + " mutant " + std::to_string(i), mutator.Mutate(good.file), nullptr});
  return inputs;
}

class DamagedImages : public ::testing::Test {
protected:
  // Refused with one message, or read whole: the rows every depth gives and a bitmap.
  void ExpectRefusedOrRead(const Input& input, const char* extension) {
    const std::string path = folder.File("input." + std::string(extension));
    WriteFile(path, input.file);
    MessageBoxCapture boxes;
    const HWND window = ::GetDesktopWindow();
    const bool tiff = extension[0] == 't';
    const int accepted = tiff ? CTiffImage(path.c_str()).Check(window)
                              : CBmpImage(path.c_str()).Check(window);
    if (input.message) {
      const std::string shown = boxes.Count() ? boxes.Last().text : std::string();
      EXPECT_EQ(input.message, accepted ? std::string() : shown) << input.name;
    }
    if (!accepted) {
      EXPECT_EQ(1u, boxes.Count()) << input.name;
      return;
    }
    EXPECT_EQ(0u, boxes.Count()) << input.name;
    RasterImageInfo info;
    ASSERT_TRUE(readers.ReadInfo(path.c_str(), &info)) << input.name;
    const size_t stride = (size_t(info.width) * info.bitsPerPixel + 31) / 32 * 4;
    HGLOBAL rows = readers.ReadBits(path.c_str(), true);
    EXPECT_EQ(stride * size_t(info.height), rows ? CGlobalLock(rows).Size() : 0) << input.name;
    if (rows) ::GlobalFree(rows);
    HBITMAP bitmap = readers.CreateBitmap(path.c_str(), nullptr);
    EXPECT_NE(nullptr, bitmap) << input.name << ": accepted, then no bitmap";
    if (bitmap) ::DeleteObject(bitmap);
  }

  TempFolder folder;
  CRasterReaders readers;
};

Bytes Bmp(int bits, int height, DWORD compression = 0, DWORD headerSize = 40) {
  BmpSpec spec;
  spec.width = 7;
  spec.height = height;
  spec.bits = bits;
  spec.compression = compression;
  spec.headerSize = headerSize;
  if (bits > 8) spec.picture = Colours;
  return MakeBmp(spec);
}

TEST_F(DamagedImages, BitmapsAreRefusedWithOneMessageOrReadWhole) {
  std::vector<Input> inputs = Mutants({{"1 bit", Bmp(1, 3), ""},
                                       {"4 bits top-down", Bmp(4, -3), ""},
                                       {"24 bits", Bmp(24, 2), ""},
                                       {"565 in a version 5 header", Bmp(16, 3, 3, 124), ""}},
                                      0xB3F0);
  // Bit fields read from the header's own mask fields, whose first pixels are black.
  for (DWORD header : {52, 56, 108, 124}) {
    BmpSpec black;
    black.bits = 16;
    black.compression = 3;
    black.headerSize = header;
    black.picture = [](int, int) { return 0u; };
    inputs.push_back({"black 565, header " + std::to_string(header), MakeBmp(black), ""});
  }
  BmpSpec padded;  // rows of 7 bytes and one of padding
  padded.width = 7;
  const Bytes whole = MakeBmp(padded);
  inputs.push_back({"last row without its padding", Bytes(whole.begin(), whole.end() - 1), ""});
  inputs.push_back({"last row short of a pixel", Bytes(whole.begin(), whole.end() - 2), kBmpShort});
  Bytes tallerThanData = whole;
  Patch32(tallerThanData, 22, 4);
  inputs.push_back({"one row more than the data", tallerThanData, kBmpShort});
  Bytes noMasks = Bmp(16, 3, 3);
  Patch32(noMasks, 58, 0);
  inputs.push_back({"bit fields with a zero mask", noMasks, kBmpShort});
  Bytes sharedBits = Bmp(16, 3, 3);
  Patch32(sharedBits, 62, 0x003F);
  inputs.push_back({"bit fields sharing a bit", sharedBits, kBmpShort});
  // Where the header ends (14 + its size) wraps round in 32 bits to byte 13, before the table.
  for (int bits : {8, 24}) {
    Bytes endless = Bmp(bits, 3);
    Patch32(endless, 14, 0xFFFFFFFF);
    inputs.push_back({"header of 4 GB, " + std::to_string(bits) + " bits", endless, kBmpShort});
  }
  for (const Input& input : inputs) ExpectRefusedOrRead(input, "bmp");
}

// A good picture whose 50 entries end in private tags, each naming the same 4 MB of values.
Bytes TiffOfLargePrivateTags() {
  TiffSpec spec;
  spec.extraEntries = 50 - 9;
  Bytes file = MakeTiff(spec);
  const DWORD values = DWORD(file.size());
  for (WORD tag = 65000; tag < 65000 + 41; ++tag) {
    const size_t at = TiffValueAt(file, tag);
    file[at - 6] = 4;  // LONG
    Patch32(file, at - 4, 1u << 20);
    Patch32(file, at, values);
  }
  file.resize(file.size() + (4u << 20));
  return file;
}

TEST_F(DamagedImages, TiffsAreRefusedWithOneMessageOrReadWhole) {
  auto tiff = [](int bits, int rowsPerStrip, bool map) {
    TiffSpec spec;
    spec.bits = bits;
    spec.rowsPerStrip = rowsPerStrip;
    if (map) spec.colourMap = [](int i) { return DWORD(i) * 0x0F0301u; };
    return MakeTiff(spec);
  };
  std::vector<Input> inputs = Mutants({{"8 bits in strips of 2 rows", tiff(8, 2, false), ""},
                                       {"4 bits with a colour map", tiff(4, 0, true), ""},
                                       {"1 bit in strips of a row", tiff(1, 1, false), ""}},
                                      0x71FF);
  const Bytes most = MakeTiffOfMostEntries();
  inputs.push_back({"65,535 entries", most, "文件IFD＝[65535]!"});
  // Refused for its length before any entry is read, even where the file ends.
  inputs.push_back(
      {"65,535 entries, two present", Bytes(most.begin(), most.begin() + 34), "文件IFD＝[65535]!"});
  inputs.push_back({"50 entries of large private tags", TiffOfLargePrivateTags(), ""});
  // A field the reader uses whose values would run past the end: refused before it is read.
  Bytes strips = tiff(8, 2, false);
  Patch32(strips, TiffValueAt(strips, 273) - 4, 1u << 20);
  inputs.push_back({"strip offsets past the end", strips, kTiffDamaged});
  // Two widths at the end of the file, the first the real one: both there, or the second a byte
  // short.
  Bytes widths = tiff(8, 0, false);
  Patch32(widths, TiffValueAt(widths, 256) - 4, 2);
  Patch32(widths, TiffValueAt(widths, 256), DWORD(widths.size()));
  for (int i = 0; i < 2; ++i) Put32(widths, DWORD(TiffSpec().width));
  inputs.push_back({"two widths ending at the end", widths, ""});
  inputs.push_back({"two widths running past the end by a byte",
                    Bytes(widths.begin(), widths.end() - 1), kTiffDamaged});
  for (const Input& input : inputs) ExpectRefusedOrRead(input, "tif");
}

}  // namespace
