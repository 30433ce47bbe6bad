// Pictures written by another program (ImageMagick), read through the editor's readers: every
// pixel of the bitmap made from the file matches the program's own raw RGB dump of it. The files
// are made by tests/media/imagemagick_images.sh, which names their folder in
// TALVEX_IMAGE_FIXTURES; without it there is nothing to compare.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "media/images/RasterReaders.h"
#include "model/blocks/RasterImageInfo.h"

namespace {

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const char* pattern : {"\\*.bmp", "\\*.tif"}) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    do names.push_back(found.cFileName);
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  return names;
}

// The bitmap's pixels as 24-bit RGB, top row first.
std::vector<BYTE> PixelsOf(HBITMAP bitmap, int width, int height) {
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = -height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  const int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> dib(size_t(stride) * height);
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, bitmap, 0, height, dib.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  std::vector<BYTE> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const BYTE* bgr = &dib[size_t(stride) * y + 3 * size_t(x)];
      rgb.insert(rgb.end(), {bgr[2], bgr[1], bgr[0]});
    }
  return rgb;
}

TEST(ImageMagickFiles, EveryPixelMatchesTheMakersOwnDump) {
  const char* folder = std::getenv("TALVEX_IMAGE_FIXTURES");
  if (!folder) GTEST_SKIP() << "no pictures of another program to compare";
  std::vector<std::string> names = FilesIn(folder);
  EXPECT_GE(names.size(), 8u);
  CRasterReaders readers;
  for (const std::string& name : names) {
    std::string path = std::string(folder) + "\\" + name;
    std::ifstream dump(path + ".rgb", std::ios::binary);
    std::vector<BYTE> expected((std::istreambuf_iterator<char>(dump)),
                               std::istreambuf_iterator<char>());
    RasterImageInfo info;
    ASSERT_TRUE(readers.ReadInfo(path.c_str(), &info)) << name;
    ASSERT_EQ(size_t(info.width) * info.height * 3, expected.size()) << name;
    HBITMAP bitmap = readers.CreateBitmap(path.c_str(), nullptr);
    ASSERT_NE(nullptr, bitmap) << name;
    std::vector<BYTE> actual = PixelsOf(bitmap, info.width, info.height);
    ::DeleteObject(bitmap);
    // A TIFF colour map holds 16-bit levels, of which the reader takes the high byte while the
    // maker rounds: they may differ by one level.
    const int tolerance = name.find(".tif") != std::string::npos ? 1 : 0;
    size_t differing = 0, first = expected.size();
    for (size_t i = 0; i < expected.size(); ++i)
      if (std::abs(int(actual[i]) - int(expected[i])) > tolerance && differing++ == 0) first = i;
    EXPECT_EQ(0u, differing) << name << ": first at byte " << first << " (x "
                             << first / 3 % info.width << ", y " << first / 3 / info.width
                             << "): " << int(actual[first]) << " for " << int(expected[first]);
  }
}

}  // namespace
