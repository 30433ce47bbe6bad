// The BMP writer of packed bitmaps against bitmaps of every header kind, built from the format's
// layout: the file is the 14-byte header and the bitmap as it was (only an uncompressed bitmap's
// image size filled in), our BMP reader reads the pixels back, and every damaged bitmap is
// refused. With TALVEX_DIB_FILES set the files and their pixels are written there for
// ImageMagick to read (dib_files_imagemagick.sh).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "media/images/BmpImage.h"
#include "media/images/DibFileWriter.h"
#include "model/blocks/RasterImageInfo.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

using namespace raster;

DWORD PureColour(int x, int y) {
  return ((x % 2) ? 0xFF0000u : 0u) | ((y % 3) ? 0x00FF00u : 0u) | (((x + y) % 3) ? 0xFFu : 0u);
}
DWORD PaletteColour(int i) {
  return DWORD(i * 40 & 0xFF) << 16 | DWORD((255 - i * 30) & 0xFF) << 8 | DWORD(i * 7 & 0xFF);
}

struct Kind {
  const char* name;
  BmpSpec spec;
  // Whether our reader takes it (it reads 40-byte and larger headers).
  bool ourReader;
};

BmpSpec Spec(int width, int height, int bits, DWORD headerSize = 40, DWORD compression = 0,
             DWORD used = 0) {
  BmpSpec spec;
  spec.width = width;
  spec.height = height;
  spec.bits = bits;
  spec.headerSize = headerSize;
  spec.compression = compression;
  spec.coloursUsed = used;
  spec.palette = PaletteColour;
  if (bits <= 8)
    spec.picture = [bits, used](int x, int y) {
      DWORD colours = used ? used : 1u << bits;
      return DWORD(x * 3 + y * 5) % colours;
    };
  else
    spec.picture = PureColour;
  return spec;
}

std::vector<Kind> Kinds() {
  return {
      {"bits1_info", Spec(37, 5, 1), true},
      {"bits4_used5", Spec(9, 4, 4, 40, 0, 5), true},
      {"bits8_topdown", Spec(7, -6, 8), true},
      {"bits8_v2", Spec(6, 3, 8, 52), true},
      {"bits16_fields", Spec(11, 3, 16, 40, 3), true},
      {"bits16_fields_v4", Spec(5, 4, 16, 108, 3), true},
      {"bits24_v5", Spec(13, 7, 24, 124), true},
  };
}

// The packed bitmap of a BMP file: what follows its 14-byte header.
std::vector<BYTE> Packed(const std::vector<BYTE>& file) {
  return std::vector<BYTE>(file.begin() + 14, file.end());
}

std::vector<BYTE> FileOf(const std::vector<BYTE>& dib) {
  std::vector<BYTE> file;
  EXPECT_TRUE(CDibFileWriter::MakeFile(dib.data(), dib.size(), &file));
  return file;
}

DWORD Dword(const std::vector<BYTE>& bytes, size_t at) {
  return DWORD(bytes[at]) | DWORD(bytes[at + 1]) << 8 | DWORD(bytes[at + 2]) << 16 |
         DWORD(bytes[at + 3]) << 24;
}

// A 4-bit bitmap of 3 x 2 pixels with a 12-byte header and its table of 16 three-byte entries.
std::vector<BYTE> CoreDib() {
  std::vector<BYTE> dib;
  Put32(dib, 12);
  Put16(dib, 3);
  Put16(dib, 2);
  Put16(dib, 1);
  Put16(dib, 4);
  for (int i = 0; i < 16; ++i) dib.insert(dib.end(), {BYTE(i * 16), BYTE(255 - i * 16), BYTE(i)});
  dib.insert(dib.end(), {0x12, 0x30, 0, 0});  // bottom row: 1 2 3
  dib.insert(dib.end(), {0xF0, 0xA0, 0, 0});  // top row: 15 0 10
  return dib;
}

// The expected pixels, top row first, 3 bytes each.
std::vector<BYTE> Rgb(const BmpSpec& spec) {
  std::vector<BYTE> rgb;
  int rows = spec.height < 0 ? -spec.height : spec.height;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < spec.width; ++x) {
      DWORD c = spec.picture(x, y);
      if (spec.bits <= 8) c = spec.palette(int(c));
      rgb.insert(rgb.end(), {BYTE(c >> 16), BYTE(c >> 8), BYTE(c)});
    }
  return rgb;
}

TEST(DibFileWriter, WritesEveryHeaderKindAsItIs) {
  TempFolder folder;
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    std::vector<BYTE> expected = MakeBmp(kind.spec);
    int rows = kind.spec.height < 0 ? -kind.spec.height : kind.spec.height;
    DWORD imageSize = DWORD((kind.spec.width * kind.spec.bits + 31) / 32 * 4 * rows);
    Patch32(expected, 34, imageSize);
    std::vector<BYTE> file = FileOf(Packed(MakeBmp(kind.spec)));
    EXPECT_EQ(expected, file);
    EXPECT_EQ(file.size(), Dword(file, 2));
    EXPECT_EQ(file.size() - imageSize, Dword(file, 10));

    // Our reader gets the same rows back.
    std::string path = folder.File(std::string(kind.name) + ".bmp");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, file.size() - 14);
    memcpy(GlobalLock(block), file.data() + 14, file.size() - 14);
    GlobalUnlock(block);
    ASSERT_TRUE(CDibFileWriter::WriteFile(block, path.c_str()));
    GlobalFree(block);
    CBmpImage image(path.c_str());
    ASSERT_EQ(1, image.Check(nullptr));
    EXPECT_EQ(kind.spec.width, image.GetWidth());
    EXPECT_EQ(rows, image.GetHeight());
    EXPECT_EQ(kind.spec.bits, image.GetBitCount());
    HGLOBAL bits = image.ReadBits(FALSE);
    {
      CGlobalLock lock(bits);
      ASSERT_NE(nullptr, lock.Data());
      ASSERT_GE(lock.Size(), imageSize);
      std::vector<BYTE> bottomUp;
      size_t stride = imageSize / rows;
      for (int i = rows - 1; i >= 0; --i) {
        size_t at = file.size() - imageSize + stride * (kind.spec.height < 0 ? i : rows - 1 - i);
        bottomUp.insert(bottomUp.end(), file.begin() + at, file.begin() + at + stride);
      }
      EXPECT_TRUE(std::equal(bottomUp.begin(), bottomUp.end(), lock.Data()));
    }
    GlobalFree(bits);
  }
}

TEST(DibFileWriter, KeepsACoreTableAProfileAndCompressedPixels) {
  // A 12-byte header: three-byte table entries, the offset past them.
  std::vector<BYTE> core = CoreDib();
  std::vector<BYTE> file = FileOf(core);
  ASSERT_EQ(14 + core.size(), file.size());
  EXPECT_EQ(14u + 12 + 48, Dword(file, 10));
  EXPECT_TRUE(std::equal(core.begin(), core.end(), file.begin() + 14));

  // A version 5 header with its colour profile after the pixels.
  std::vector<BYTE> v5 = Packed(MakeBmp(Spec(4, 2, 24, 124)));
  size_t profileAt = v5.size();
  Patch32(v5, 56, 0x4D424544);
  Patch32(v5, 112, DWORD(profileAt));
  Patch32(v5, 116, 16);
  for (int i = 0; i < 16; ++i) v5.push_back(BYTE(0xA0 + i));
  file = FileOf(v5);
  EXPECT_EQ(14 + v5.size(), file.size());
  EXPECT_EQ(0xAFu, file.back());
  EXPECT_EQ(14u + 124, Dword(file, 10));

  // Run-length pixels keep the header's own image size; bytes past it stay out.
  BmpSpec rle = Spec(4, 2, 8, 40, 1);
  std::vector<BYTE> dib = Packed(MakeBmp(rle));
  dib.resize(40 + 256 * 4 + 6);
  Patch32(dib, 20, 4);
  dib.push_back(0xEE);
  file = FileOf(dib);
  EXPECT_EQ(14u + 40 + 1024 + 4, file.size());
  EXPECT_EQ(4u, Dword(file, 14 + 20));
}

TEST(DibFileWriter, RefusesDamagedBitmaps) {
  std::vector<BYTE> good = Packed(MakeBmp(Spec(9, 4, 8)));
  struct Damage {
    const char* name;
    std::vector<BYTE> dib;
  };
  auto with = [&](size_t at, DWORD value) {
    std::vector<BYTE> dib = good;
    Patch32(dib, at, value);
    return dib;
  };
  std::vector<BYTE> v5 = Packed(MakeBmp(Spec(4, 2, 24, 124)));
  Patch32(v5, 56, 0x4D424544);
  Patch32(v5, 112, DWORD(v5.size()));
  Patch32(v5, 116, 1);
  const Damage damages[] = {
      {"a pixel short", std::vector<BYTE>(good.begin(), good.end() - 1)},
      {"header only half there", std::vector<BYTE>(good.begin(), good.begin() + 20)},
      {"unknown header size", with(0, 20)},
      {"header larger than the bitmap", with(0, 124)},
      {"no width", with(4, 0)},
      {"no height", with(8, 0)},
      {"more colours than 8 bits hold", with(32, 257)},
      {"bit count 7", with(12, 0x00070001)},
      {"compressed without a size", with(16, 1)},
      {"profile past the end", v5},
      {"empty", {}},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.name);
    std::vector<BYTE> file = {1, 2, 3};
    EXPECT_FALSE(CDibFileWriter::MakeFile(damage.dib.data(), damage.dib.size(), &file));
    EXPECT_TRUE(file.empty());
  }
  TempFolder folder;
  std::string path = folder.File("refused.bmp");
  EXPECT_FALSE(CDibFileWriter::WriteFile(nullptr, path.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

// Files for ImageMagick, with the pixels it must find: NAME.bmp and NAME.rgb.
TEST(DibFileWriter, FilesForImageMagick) {
  const char* folder = std::getenv("TALVEX_DIB_FILES");
  if (!folder) GTEST_SKIP() << "no folder for ImageMagick's files";
  auto put = [&](const std::string& name, const std::vector<BYTE>& bytes) {
    HANDLE file = CreateFileA((std::string(folder) + "\\" + name).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
  };
  for (const Kind& kind : Kinds()) {
    put(std::string(kind.name) + ".bmp", FileOf(Packed(MakeBmp(kind.spec))));
    put(std::string(kind.name) + ".rgb", Rgb(kind.spec));
  }
  put("core.bmp", FileOf(CoreDib()));
  std::vector<BYTE> coreRgb;
  for (int index : {15, 0, 10, 1, 2, 3})
    coreRgb.insert(coreRgb.end(), {BYTE(index), BYTE(255 - index * 16), BYTE(index * 16)});
  put("core.rgb", coreRgb);
}

}  // namespace
