// RasterImageInfo: what the raster image readers tell of a BMP or TIFF file from its headers. The
// image block asks for it through the raster service; nothing of it is stored.
#pragma once

#include <windows.h>

struct RasterImageInfo {
  // BMP: the file type word ("BM"); TIFF: the byte-order word ("II" or "MM").
  WORD kind = 0;
  // In pixels, both positive.
  int width = 0;
  int height = 0;
  // Where the pixel data starts (TIFF: the first strip) and its size (BMP: the file size; TIFF:
  // the bytes of all strips).
  DWORD dataOffset = 0;
  DWORD dataSize = 0;
  // BMP: the planes; TIFF: the samples per pixel.
  WORD planes = 0;
  WORD bitsPerPixel = 0;
  // TIFF's compression; 0 for BMP.
  int compression = 0;
  // BMP's resolution; 0 for TIFF.
  int xPixelsPerMetre = 0;
  int yPixelsPerMetre = 0;
};
