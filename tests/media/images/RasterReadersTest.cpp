// The BMP and TIFF readers against files synthesised from the formats' layouts (no window;
// bitmaps are made for a screen-compatible memory context and read back pixel by pixel): every
// supported depth in both row orders and in one or several strips gives the picture the right
// way up, and every damaged file (each header field out of range, truncations at each header
// boundary) is refused with its message, without a crash and without reading past the file.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "media/images/BmpImage.h"
#include "media/images/RasterReaders.h"
#include "media/images/TiffImage.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "support/MemoryCanvas.h"
#include "support/MessageBoxCapture.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

using namespace raster;

// Distinct colours whose components survive 16-bit pixels unchanged.
DWORD PureColour(int x, int y) {
  return ((x % 2) ? 0xFF0000u : 0u) | ((y % 2) ? 0x00FF00u : 0u) | (((x + y) % 3) ? 0xFFu : 0u);
}
DWORD PaletteColour(int i) {
  return DWORD((i * 53) & 0xFF) << 16 | DWORD((i * 97 + 40) & 0xFF) << 8 | DWORD(200 - i * 7);
}

COLORREF ToColorRef(DWORD rgb) { return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF); }

std::vector<BYTE> BytesOf(HGLOBAL block) {
  std::vector<BYTE> bytes;
  CGlobalLock lock(block);
  if (lock.Data()) bytes.assign(lock.Data(), lock.Data() + lock.Size());
  ::GlobalFree(block);
  return bytes;
}

// The bitmap's pixel at (x, y), read through a memory context of the screen's kind.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  COLORREF colour = ::GetPixel(memory, x, y);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return colour;
}

class RasterReaders : public ::testing::Test {
protected:
  std::string Write(const std::string& name, const std::vector<BYTE>& bytes) {
    std::string path = folder.File(name);
    WriteFile(path, bytes);
    return path;
  }
  // What the readers give of the file: the rows top row first and bottom row first, and the
  // bitmap's corner pixels; the rows are compared with the picture packed as the file packs it.
  void ExpectPicture(const std::string& path, int width, int height, int bits, bool fields565,
                     const Picture& picture, const std::function<DWORD(DWORD)>& colourOf,
                     const std::string& what) {
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    std::vector<BYTE> top = BytesOf(readers.ReadBits(path.c_str(), true));
    std::vector<BYTE> bottom = BytesOf(readers.ReadBits(path.c_str(), false));
    ASSERT_EQ(stride * height, top.size()) << what;
    ASSERT_EQ(top.size(), bottom.size()) << what;
    for (int y = 0; y < height; ++y) {
      std::vector<BYTE> row = PackRow(width, bits, y, picture, 4, fields565);
      EXPECT_TRUE(std::equal(row.begin(), row.end(), top.begin() + stride * y)) << what << " " << y;
      EXPECT_TRUE(std::equal(row.begin(), row.end(), bottom.begin() + stride * (height - 1 - y)))
          << what << " " << y;
    }
    // The printer's device bitmap and the display's bitmap of the file's own depth.
    for (HBITMAP bitmap :
         {readers.CreateBitmap(path.c_str(), nullptr), readers.CreateDib(path.c_str())}) {
      ASSERT_NE(nullptr, bitmap) << what;
      for (POINT p :
           {POINT{0, 0}, POINT{width - 1, 0}, POINT{1, height - 1}, POINT{width - 1, height - 1}})
        EXPECT_EQ(ToColorRef(colourOf(picture(p.x, p.y))), PixelOf(bitmap, p.x, p.y))
            << what << " at " << p.x << "," << p.y;
      ::DeleteObject(bitmap);
    }
  }

  TempFolder folder;
  CRasterReaders readers;
};

TEST_F(RasterReaders, BitmapsOfEveryDepthInBothRowOrdersComeTheRightWayUp) {
  struct Case {
    int bits;
    DWORD compression;
    DWORD headerSize;  // bit fields have their masks in the mask fields of a longer header
  };
  for (Case c : {Case{1, 0, 40}, Case{4, 0, 40}, Case{8, 0, 40}, Case{16, 0, 40}, Case{16, 3, 40},
                 Case{16, 3, 52}, Case{16, 3, 124}, Case{24, 0, 40}}) {
    for (int sign : {1, -1}) {
      BmpSpec spec;
      spec.width = 7;
      spec.height = 3 * sign;
      spec.bits = c.bits;
      spec.compression = c.compression;
      spec.headerSize = c.headerSize;
      spec.palette = PaletteColour;
      if (c.bits <= 8)
        spec.picture = [&](int x, int y) { return DWORD(x + 2 * y) % (1u << c.bits); };
      else
        spec.picture = PureColour;
      std::string what = std::to_string(c.bits) + " bits, compression " +
                         std::to_string(c.compression) + ", header " +
                         std::to_string(c.headerSize) + (sign < 0 ? ", top-down" : "");
      std::string path = Write("depth.bmp", MakeBmp(spec));
      auto colourOf = [&](DWORD value) { return c.bits <= 8 ? PaletteColour(int(value)) : value; };
      ExpectPicture(path, 7, 3, c.bits, c.compression == 3, spec.picture, colourOf, what);

      CBmpImage bmp(path.c_str());
      EXPECT_EQ(1, bmp.Check(nullptr)) << what;
      EXPECT_EQ(sign < 0, bmp.IsTopDown()) << what;
      RasterImageInfo info;
      ASSERT_TRUE(readers.ReadInfo(path.c_str(), &info));
      EXPECT_EQ(0x4D42, info.kind);
      EXPECT_EQ(7, info.width);
      EXPECT_EQ(3, info.height);
      EXPECT_EQ(c.bits, info.bitsPerPixel);
      // A table for up to 8 bits only: no 64 MB table for 24 bits.
      EXPECT_EQ(c.bits <= 8 ? 1 << c.bits : 0, readers.GetColorCount(path.c_str())) << what;
      HGLOBAL palette = readers.ReadPalette(path.c_str());
      EXPECT_EQ(c.bits <= 8, palette != nullptr) << what;
      if (palette) ::GlobalFree(palette);
    }
  }
}

TEST_F(RasterReaders, TheColourTableFollowsTheHeadersOwnSizeAndTheColoursUsed) {
  BmpSpec spec;
  spec.headerSize = 124;  // a version 5 header, as many programs write
  spec.coloursUsed = 3;
  spec.palette = [](int i) { return i == 0 ? 0xFF0000u : i == 1 ? 0x00FF00u : 0x0000FFu; };
  spec.picture = [](int x, int y) { return DWORD(x + y) % 3; };
  std::string path = Write("v5.bmp", MakeBmp(spec));
  EXPECT_EQ(3, readers.GetColorCount(path.c_str()));
  std::vector<BYTE> table = BytesOf(readers.ReadPalette(path.c_str()));
  EXPECT_EQ((std::vector<BYTE>{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}), table);
  ExpectPicture(path, spec.width, spec.height, 8, false, spec.picture, spec.palette, "v5");
}

TEST_F(RasterReaders, BitmapChecksJoinTheirMessagesAndShowNothingWithoutAWindow) {
  HWND window = ::GetDesktopWindow();
  struct Case {
    const char* name;
    std::function<void(std::vector<BYTE>&)> damage;
    std::string text;
  };
  const Case cases[] = {
      {"rle8 7 bits",
       [](std::vector<BYTE>& f) {
         f[28] = 7;
         f[30] = 1;
       },
       "\r\n该文件BitMap为压缩格式,不能处理!\r\n不能处理7位128色BMP文件!"},
      {"32 bits", [](std::vector<BYTE>& f) { f[28] = 32; }, "\r\n不能处理32位4294967296色BMP文件!"},
      {"jpeg", [](std::vector<BYTE>& f) { f[30] = 4; }, "\r\n该文件BitMap为JPEG压缩格式,不能处理!"},
      {"not BM", [](std::vector<BYTE>& f) { f[0] = 'X'; }, "\r\n非法BitMap格式文件!"},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> file = MakeBmp(BmpSpec());
    c.damage(file);
    std::string path = Write("check.bmp", file);
    MessageBoxCapture boxes;
    EXPECT_EQ(0, CBmpImage(path.c_str()).Check(nullptr)) << c.name;
    EXPECT_EQ(0u, boxes.Count()) << c.name;
    EXPECT_EQ(0, CBmpImage(path.c_str()).Check(window)) << c.name;
    ASSERT_EQ(1u, boxes.Count()) << c.name;
    EXPECT_EQ(c.text, boxes.Last().text) << c.name;
    EXPECT_EQ("错误", boxes.Last().caption);
    EXPECT_EQ(UINT(MB_OK), boxes.Last().type);
    EXPECT_EQ(nullptr, CBmpImage(path.c_str()).CreateBitmap(nullptr, window)) << c.name;
  }
  // A file that does not open: its own box, and no header.
  MessageBoxCapture boxes;
  std::string missing = folder.File("missing.bmp");
  EXPECT_EQ(0, CBmpImage(missing.c_str()).ReadHeader());
  EXPECT_EQ(0, CBmpImage(missing.c_str()).Check(window));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("文件:[" + missing + "]打开失败!", boxes.Last().text);
}

TEST_F(RasterReaders, DamagedBitmapsAreRefusedWithTheirMessageAndReadNothing) {
  BmpSpec big;
  big.width = 101;  // rows of 101 bytes and 3 of padding
  big.height = 100;
  const std::vector<BYTE> good = MakeBmp(BmpSpec());
  const std::vector<BYTE> large = MakeBmp(big);
  const std::string kShort = "\r\n该BMP文件的数据不完整!";
  const std::string kSize = "\r\n该BMP文件的宽度或高度不正确!";
  struct Case {
    std::string name;
    std::vector<BYTE> file;
    std::string text;
  };
  std::vector<Case> cases;
  // Truncations at and inside each field of both headers, in the table and in the pixels.
  for (size_t size : {0,  1,  2,  6,  10, 13, 14, 18, 22,        26,       28,
                      30, 34, 38, 42, 46, 50, 53, 54, 54 + 1023, 54 + 1024})
    cases.push_back({"cut at " + std::to_string(size),
                     std::vector<BYTE>(good.begin(), good.begin() + std::min(size, good.size())),
                     kShort});
  cases.push_back(
      {"pixels 5000 short", std::vector<BYTE>(large.begin(), large.end() - 5000), kShort});
  auto with = [&](const char* name, size_t at, DWORD value, const std::string& text) {
    std::vector<BYTE> file = good;
    Patch32(file, at, value);
    cases.push_back({name, file, text});
  };
  with("width 0", 18, 0, kSize);
  with("width negative", 18, DWORD(-4), kSize);
  with("height 0", 22, 0, kSize);
  with("height most negative", 22, DWORD(INT_MIN), kSize);
  with("width huge", 18, 0x7FFFFFFF, kShort);
  with("height huge", 22, 0x7FFFFFFF, kShort);
  with("pixels past the end", 10, 0x00100000, kShort);
  with("core header", 14, 12, "\r\n非法BitMap格式文件!");
  with("header past the end", 14, 0x7FFFFFF0, kShort);
  with("bit fields on 8 bits", 30, 3, kShort);
  with("no bits", 28, 0, "\r\n不能处理0位1色BMP文件!");

  HWND window = ::GetDesktopWindow();
  for (const Case& c : cases) {
    std::string path = Write("damaged.bmp", c.file);
    MessageBoxCapture boxes;
    CBmpImage bmp(path.c_str());
    EXPECT_EQ(0, bmp.Check(window)) << c.name;
    ASSERT_EQ(1u, boxes.Count()) << c.name;
    EXPECT_EQ(c.text, boxes.Last().text) << c.name;
    EXPECT_EQ(nullptr, CBmpImage(path.c_str()).ReadBits(TRUE)) << c.name;
    EXPECT_EQ(nullptr, CBmpImage(path.c_str()).MakeBitmapInfo()) << c.name;
    EXPECT_EQ(nullptr, readers.CreateBitmap(path.c_str(), nullptr)) << c.name;
    EXPECT_EQ(nullptr, readers.CreateDib(path.c_str())) << c.name;
    EXPECT_EQ(nullptr, readers.ReadPalette(path.c_str())) << c.name;
  }
  // A last row short of its padding reads as zeros; huge colour counts are held to the bit count.
  std::vector<BYTE> unpadded(large.begin(), large.end() - 3);
  Patch32(unpadded, 46, 0xFFFFFFFF);
  std::string path = Write("unpadded.bmp", unpadded);
  EXPECT_EQ(1, CBmpImage(path.c_str()).Check(nullptr));
  EXPECT_EQ(256, readers.GetColorCount(path.c_str()));
  EXPECT_EQ(size_t(104 * 100), BytesOf(readers.ReadBits(path.c_str(), true)).size());
}

TEST_F(RasterReaders, TiffsOfEveryDepthInOneOrSeveralStripsComeTheRightWayUp) {
  for (int bits : {1, 4, 8}) {
    for (int rowsPerStrip : {0, 2}) {
      TiffSpec spec;
      spec.width = 9;
      spec.height = 5;
      spec.bits = bits;
      spec.rowsPerStrip = rowsPerStrip;
      spec.picture = [&](int x, int y) { return DWORD(x * 3 + y) % (1u << bits); };
      std::string what = std::to_string(bits) + " bits, rows per strip " +
                         std::to_string(rowsPerStrip);
      std::string path = Write("depth.tif", MakeTiff(spec));
      const int levels = (1 << bits) - 1;
      auto grey = [&](DWORD value) { return Grey(int(value * 255 / levels)); };
      ExpectPicture(path, 9, 5, bits, false, spec.picture, grey, what);
      EXPECT_EQ(rowsPerStrip ? 3u : 1u, CTiffImage(path.c_str()).GetStripCount()) << what;
    }
  }
  // A colour map gives the colours; 0 taken for white turns the grey ramp round.
  TiffSpec mapped;
  mapped.bits = 4;
  mapped.colourMap = PaletteColour;
  mapped.picture = [](int x, int y) { return DWORD(x + 4 * y) % 16; };
  ExpectPicture(Write("map.tif", MakeTiff(mapped)), 5, 4, 4, false, mapped.picture, PaletteColour,
                "colour map");
  TiffSpec inverted;
  inverted.photometric = 0;
  ExpectPicture(
      Write("white.tif", MakeTiff(inverted)), 5, 4, 8, false, inverted.picture,
      [](DWORD v) { return Grey(255 - int(v)); }, "white is zero");
}

TEST_F(RasterReaders, TiffChecksRefuseWhatTheyCannotHandleWithTheFirstReason) {
  struct Case {
    const char* name;
    TiffSpec spec;
    std::string text;
  };
  auto spec = [](std::function<void(TiffSpec&)> change) {
    TiffSpec s;
    change(s);
    return s;
  };
  const Case cases[] = {
      {"motorola", spec([](TiffSpec& s) { s.motorola = true; }), "非INTER数据类型TIF文件!"},
      {"51 entries", spec([](TiffSpec& s) { s.extraEntries = 51 - 9; }), "文件IFD＝[51]!"},
      {"packbits", spec([](TiffSpec& s) { s.compression = 32773; }), "不能处理压缩格式TIF文件!"},
      {"rgb", spec([](TiffSpec& s) { s.samples = 3; }), "不能处理多页面式TIF文件!"},
      {"tiled", spec([](TiffSpec& s) { s.tiled = true; }), "不能处理分块格式TIF文件!"},
      {"16 bits", spec([](TiffSpec& s) { s.bits = 16; }), "不能处理大于256色TIF文件!"},
      {"2 bits", spec([](TiffSpec& s) { s.bits = 2; }), "不能处理每点2位的TIF文件!"},
      // The depth is tested last: a compressed 16-bit file is refused as compressed.
      {"compressed 16 bits", spec([](TiffSpec& s) {
         s.bits = 16;
         s.compression = 5;
       }),
       "不能处理压缩格式TIF文件!"},
  };
  HWND window = ::GetDesktopWindow();
  for (const Case& c : cases) {
    std::string path = Write("check.tif", MakeTiff(c.spec));
    MessageBoxCapture boxes;
    EXPECT_EQ(0, CTiffImage(path.c_str()).Check(nullptr)) << c.name;
    EXPECT_EQ(0u, boxes.Count()) << c.name;
    EXPECT_EQ(0, CTiffImage(path.c_str()).Check(window)) << c.name;
    ASSERT_EQ(1u, boxes.Count()) << c.name;
    EXPECT_EQ(c.text, boxes.Last().text) << c.name;
    EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), boxes.Last().type) << c.name;
    EXPECT_EQ(nullptr, CTiffImage(path.c_str()).ReadBits()) << c.name;
  }
  TiffSpec fifty;
  fifty.extraEntries = 50 - 9;
  EXPECT_EQ(1, CTiffImage(Write("fifty.tif", MakeTiff(fifty)).c_str()).Check(window));
}

TEST_F(RasterReaders, DamagedTiffsAreRefusedWithoutReadingPastTheirStrips) {
  TiffSpec several;
  several.width = 6;
  several.height = 5;
  several.rowsPerStrip = 2;
  const std::vector<BYTE> good = MakeTiff(several);
  const size_t offsets = TiffValueAt(good, 273), counts = TiffValueAt(good, 279);
  const size_t rows = TiffValueAt(good, 278), width = TiffValueAt(good, 256);
  struct Case {
    std::string name;
    std::vector<BYTE> file;
  };
  std::vector<Case> cases;
  for (size_t size : std::vector<size_t>{0, 1, 2, 4, 7, 8, 40, good.size() - 20, good.size() - 6})
    cases.push_back(
        {"cut at " + std::to_string(size), std::vector<BYTE>(good.begin(), good.begin() + size)});
  auto with = [&](const char* name, size_t at, DWORD value) {
    std::vector<BYTE> file = good;
    Patch32(file, at, value);
    cases.push_back({name, file});
  };
  with("directory past the end", 4, 0x10000);
  with("strip offsets past the end", offsets, 0x10000);
  with("strip counts past the end", counts, 0x10000);
  with("fewer strips than rows", rows, 1);
  // 0 stands for all rows: one strip of 5 rows, which the first strip does not hold.
  with("no rows per strip", rows, 0);
  with("width larger than the strips", width, 7);
  with("width huge", width, 0x7FFFFFFF);
  std::vector<BYTE> firstStripShort = good;
  // The first byte count (inside the count array) below one row's bytes.
  DWORD countArray = DWORD(good[counts] | good[counts + 1] << 8);
  Patch32(firstStripShort, countArray, 5);
  cases.push_back({"first strip short", firstStripShort});
  std::vector<BYTE> stripBeyond = good;
  DWORD offsetArray = DWORD(good[offsets] | good[offsets + 1] << 8);
  Patch32(stripBeyond, offsetArray + 8, DWORD(good.size() - 3));
  cases.push_back({"last strip beyond", stripBeyond});
  TiffSpec mapped;
  mapped.colourMap = PaletteColour;
  std::vector<BYTE> map = MakeTiff(mapped);
  Patch32(map, TiffValueAt(map, 320), DWORD(map.size() - 10));
  cases.push_back({"colour map beyond", map});

  HWND window = ::GetDesktopWindow();
  for (const Case& c : cases) {
    std::string path = Write("damaged.tif", c.file);
    MessageBoxCapture boxes;
    CTiffImage tiff(path.c_str());
    EXPECT_EQ(0, tiff.Check(window)) << c.name;
    ASSERT_EQ(1u, boxes.Count()) << c.name;
    EXPECT_EQ("TIF文件的数据不完整或已损坏!", boxes.Last().text) << c.name;
    EXPECT_EQ(nullptr, CTiffImage(path.c_str()).ReadBits()) << c.name;
    EXPECT_EQ(nullptr, readers.ReadBits(path.c_str(), true)) << c.name;
    EXPECT_EQ(nullptr, readers.CreateBitmap(path.c_str(), nullptr)) << c.name;
    EXPECT_EQ(nullptr, readers.CreateDib(path.c_str())) << c.name;
  }
}

// The image block keeps a one-bit picture one bit deep, and draws it pixel for pixel as the
// screen's bitmap did, at zooms that differ in x and y, off the origin.
TEST_F(RasterReaders, AnImageBlockHoldsItsPictureAtTheFilesDepthAndDrawsEveryPixel) {
  BmpSpec spec;
  spec.width = 5;
  spec.height = 3;
  spec.bits = 1;
  spec.palette = [](int i) { return i ? 0x2040E0u : 0xE02010u; };
  spec.picture = [](int x, int y) { return DWORD((x * x + y) % 3 == 0); };
  const std::string path = Write("mono.bmp", MakeBmp(spec));
  CImageBlock image(path.c_str());
  image.m_box = CFRect(4, 7, 9, 10);
  for (SIZE zoom : {SIZE{2, 3}, SIZE{4, 2}}) {
    MemoryCanvas canvas(40, 40);
    CMatrix2D view;
    view.m[0] = float(zoom.cx);
    view.m[4] = float(zoom.cy);
    view.m[6] = -3;
    view.m[7] = 1;
    image.Draw(&canvas.DC(), &view, 0);
    const int left = 4 * zoom.cx - 3, top = 7 * zoom.cy + 1;
    int wrong = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= left && x < left + 5 * zoom.cx && y >= top &&
                            y < top + 3 * zoom.cy;
        const COLORREF expected =
            inside ? ToColorRef(
                         spec.palette(int(spec.picture((x - left) / zoom.cx, (y - top) / zoom.cy))))
                   : RGB(255, 255, 255);
        if (canvas.DC().GetPixel(x, y) != expected && wrong++ == 0)
          ADD_FAILURE() << "zoom " << zoom.cx << " x " << zoom.cy << ": first wrong at " << x
                        << ", " << y;
      }
    }
    EXPECT_EQ(0, wrong);
  }
  BITMAP held = {};
  ASSERT_TRUE(::GetObjectA(image.GetBitmap(), sizeof held, &held));
  EXPECT_EQ(1, held.bmBitsPixel);
}

TEST_F(RasterReaders, OtherKindsOfFileGiveNothing) {
  std::string path = Write("picture.png", MakeBmp(BmpSpec()));
  RasterImageInfo info;
  EXPECT_FALSE(readers.ReadInfo(path.c_str(), &info));
  EXPECT_EQ(nullptr, readers.ReadBits(path.c_str(), true));
  EXPECT_EQ(nullptr, readers.CreateBitmap(path.c_str(), nullptr));
  EXPECT_EQ(nullptr, readers.CreateDib(path.c_str()));
  EXPECT_EQ(0, readers.GetColorCount(path.c_str()));
}

}  // namespace
