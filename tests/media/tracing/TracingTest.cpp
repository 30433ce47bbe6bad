// The pixels of packed bitmaps as the tracing reads them, at every depth a bitmap can have (values
// at both ends of a padded row, the colour list and the byte plane, damaged headers and short
// rows), and the image tracer on the real tracing and vectorising libraries of the program folder:
// the first value met (the bottom-left pixel) is the background and the other one is traced, in
// pixels from the picture's top-left corner; more than two colours are refused with the message.
// No window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "media/tracing/DibPixels.h"
#include "media/tracing/ImageTracer.h"
#include "model/blocks/Block.h"
#include "support/MessageBoxCapture.h"

namespace {

const char kVectoriserPath[] = "program\\TalvexVector.dll";
const char kTracerPath[] = "program\\TalvexTrace.dll";

// A bottom-up packed bitmap, rows padded to 4 bytes, built bit by bit from a picture of values
// (y = 0 the top row).
struct Dib {
  BITMAPINFOHEADER header = {};
  std::vector<BYTE> bits;
  size_t stride = 0;
};

template <class Picture>
Dib MakeDib(int width, int height, WORD bitCount, Picture value) {
  Dib dib;
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = width;
  dib.header.biHeight = height;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = bitCount;
  dib.stride = (size_t(width) * bitCount + 31) / 32 * 4;
  dib.bits.assign(dib.stride * height, 0);
  for (int row = 0; row < height; ++row) {
    BYTE* out = &dib.bits[dib.stride * row];
    for (int x = 0; x < width; ++x) {
      DWORD v = value(x, height - 1 - row);
      if (bitCount < 8) {
        size_t bit = size_t(x) * bitCount;
        out[bit / 8] |= BYTE(v << (8 - bitCount - bit % 8));
      } else {
        for (int b = 0; b < bitCount / 8; ++b) out[x * (bitCount / 8) + b] = BYTE(v >> (8 * b));
      }
    }
  }
  return dib;
}

std::vector<BYTE> PlaneBytes(HGLOBAL plane) {
  std::vector<BYTE> bytes(GlobalSize(plane));
  memcpy(bytes.data(), GlobalLock(plane), bytes.size());
  GlobalUnlock(plane);
  GlobalFree(plane);
  return bytes;
}

}  // namespace

TEST(DibPixels, EveryDepthGivesItsValuesColoursAndPlane) {
  struct Depth {
    WORD bits;
    DWORD background, ink;
  };
  const Depth depths[] = {{1, 1, 0},
                          {4, 0x9, 0x6},
                          {8, 200, 7},
                          {16, 0x7C1F, 0x03E0},
                          {24, 0x123456, 0xABCDEF},
                          {32, 0x80FF00FF, 0x01020304}};
  // 13 x 5: rows end inside a byte and are padded; ink to the right of a slanted line, so a
  // swapped axis or a row taken from the wrong end shows.
  const int width = 13, height = 5;
  for (const Depth& depth : depths) {
    SCOPED_TRACE(depth.bits);
    auto ink = [](int x, int y) { return x >= 3 + y; };
    Dib dib = MakeDib(width, height, depth.bits,
                      [&](int x, int y) { return ink(x, y) ? depth.ink : depth.background; });
    EXPECT_EQ(dib.stride, DibRowStride(width, depth.bits));
    for (int row = 0; row < height; ++row)
      for (int x = 0; x < width; ++x)
        ASSERT_EQ(ink(x, height - 1 - row) ? depth.ink : depth.background,
                  GetDibPixelValue(&dib.bits[dib.stride * row], depth.bits, x))
            << x << "," << row;
    DWORD list[3] = {2};
    ASSERT_EQ(2, CountDibColors(dib.header, dib.bits.data(), dib.bits.size(), list));
    EXPECT_EQ(depth.background, list[1]);  // the bottom-left pixel's
    EXPECT_EQ(depth.ink, list[2]);
    std::vector<BYTE> plane = PlaneBytes(
        MakeColorPlane(dib.header, dib.bits.data(), dib.bits.size(), depth.ink));
    ASSERT_EQ(size_t(width * height), plane.size());
    for (int row = 0; row < height; ++row)
      for (int x = 0; x < width; ++x)
        EXPECT_EQ(ink(x, height - 1 - row) ? 1 : 0, plane[row * width + x]) << x << "," << row;

    // A third value in the top-right corner (no room for one at 1 bit); one value alone.
    Dib three = MakeDib(width, height, depth.bits, [&](int x, int y) {
      return x == width - 1 && y == 0 ? depth.ink ^ 3 : ink(x, y) ? depth.ink : depth.background;
    });
    DWORD full[3] = {2};
    if (depth.bits > 1) {
      EXPECT_EQ(3, CountDibColors(three.header, three.bits.data(), three.bits.size(), full));
    }
    Dib one = MakeDib(width, height, depth.bits, [&](int, int) { return depth.background; });
    DWORD single[3] = {2};
    EXPECT_EQ(1, CountDibColors(one.header, one.bits.data(), one.bits.size(), single));

    // Rows one byte short of the header's size, a top-down header or no width: refused.
    DWORD refused[3] = {2};
    EXPECT_EQ(0, CountDibColors(dib.header, dib.bits.data(), dib.bits.size() - 1, refused));
    EXPECT_EQ(nullptr, MakeColorPlane(dib.header, dib.bits.data(), dib.bits.size() - 1, 0));
    BITMAPINFOHEADER topDown = dib.header;
    topDown.biHeight = -height;
    EXPECT_EQ(0, CountDibColors(topDown, dib.bits.data(), dib.bits.size(), refused));
    BITMAPINFOHEADER empty = dib.header;
    empty.biWidth = 0;
    EXPECT_EQ(nullptr, MakeColorPlane(empty, dib.bits.data(), dib.bits.size(), 0));
  }
  BITMAPINFOHEADER twoBits = MakeDib(4, 4, 8, [](int, int) { return 0u; }).header;
  twoBits.biBitCount = 2;
  DWORD list[3] = {2};
  EXPECT_EQ(0, CountDibColors(twoBits, nullptr, 100, list));
  EXPECT_EQ(7u, GetDibPixelValue(nullptr, 7, 0));  // no such depth: the bit count itself
}

TEST(ImageTracer, TracesTheColourThatIsNotTheBottomLeftPixels) {
  MessageBoxCapture boxes;
  CImageTracer tracer(kVectoriserPath, kTracerPath);
  ASSERT_TRUE(tracer.IsBound(true));
  ASSERT_TRUE(tracer.IsBound(false));
  // 40 x 30 at 1 bit: a bar from (5, 4) to (20, 14) from the top-left corner. On white the bar
  // is traced; with black round a white bar (the bottom-left pixel black) the white bar is.
  auto bar = [](int x, int y) { return x >= 5 && x < 20 && y >= 4 && y < 14; };
  for (bool inverted : {false, true}) {
    for (bool vectorise : {true, false}) {
      Dib dib = MakeDib(40, 30, 1, [&](int x, int y) { return DWORD(bar(x, y) != inverted); });
      CImageTracer::Report report;
      std::unique_ptr<CBlock> traced(tracer.TraceDib(dib.header, dib.bits.data(), dib.bits.size(),
                                                     vectorise, nullptr, &report));
      ASSERT_NE(nullptr, traced);
      EXPECT_EQ(CImageTracer::kTraced, report.outcome);
      EXPECT_EQ(2, report.colours);
      EXPECT_EQ(kCurveBlock, traced->m_type);
      EXPECT_FLOAT_EQ(5.0f, traced->m_box.left);
      EXPECT_FLOAT_EQ(4.0f, traced->m_box.top);
      EXPECT_FLOAT_EQ(20.0f, traced->m_box.right);
      EXPECT_FLOAT_EQ(14.0f, traced->m_box.bottom);
    }
  }
  // One colour: nothing, and nothing said.
  Dib blank = MakeDib(40, 30, 8, [](int, int) { return 3u; });
  CImageTracer::Report report;
  EXPECT_EQ(nullptr, tracer.TraceDib(blank.header, blank.bits.data(), blank.bits.size(), true,
                                     nullptr, &report));
  EXPECT_EQ(CImageTracer::kOneColour, report.outcome);
  EXPECT_EQ(0u, boxes.Count());

  // Three colours in a bitmap handle: refused with the message.
  BITMAPINFO info = {};
  info.bmiHeader = MakeDib(30, 20, 24, [](int, int) { return 0u; }).header;
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  ASSERT_NE(nullptr, section);
  Dib colours = MakeDib(30, 20, 24, [](int x, int) {
    return x < 10 ? 0xFF0000u : x < 20 ? 0xFFu : 0u;
  });
  memcpy(pixels, colours.bits.data(), colours.bits.size());
  EXPECT_EQ(nullptr, tracer.TraceBitmap(section, true, nullptr, &report));
  EXPECT_EQ(CImageTracer::kTooManyColours, report.outcome);
  EXPECT_EQ("图像含有3种色彩!!", std::string(CImageTracer::ColourCountText(report)));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("彩色图像色彩不能超过2色", boxes.Last().text);
  EXPECT_EQ("错误", boxes.Last().caption);
  // Two of them, read back from the handle, trace.
  memcpy(pixels,
         MakeDib(30, 20, 24, [](int x, int) { return x < 10 ? 0xFF0000u : 0u; }).bits.data(),
         colours.bits.size());
  std::unique_ptr<CBlock> left(tracer.TraceBitmap(section, false, nullptr, &report));
  ASSERT_NE(nullptr, left);
  EXPECT_FLOAT_EQ(10.0f, left->m_box.left);  // the bottom-left pixel is red: black is traced
  EXPECT_FLOAT_EQ(30.0f, left->m_box.right);
  DeleteObject(section);
}
