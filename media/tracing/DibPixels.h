// The pixels of a packed device-independent bitmap as the tracing reads them: one pixel's value,
// the distinct values of a two-colour picture, and the byte plane of one value that the tracing
// and vectorising libraries take. The bitmap is a 40-byte header and its pixel rows, bottom row
// first, each padded to a multiple of 4 bytes; values are the stored pixel values (colour table
// indices up to 8 bits per pixel), never colours. Every function checks the header and the size
// of the rows it is given and refuses what they cannot hold.
#pragma once

#include <windows.h>

#include <cstddef>

// Bytes of one stored row: width x bits per pixel in whole bytes, padded to a multiple of 4; 0 for
// a width or bit count a bitmap cannot have.
std::size_t DibRowStride(LONG width, WORD bitsPerPixel);

// Whether the header describes a bottom-up bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel whose
// rows fit in bitsSize bytes.
bool IsTraceableDib(const BITMAPINFOHEADER& header, std::size_t bitsSize);

// The value of pixel column of a packed row: 1 bit: bit 7 - column mod 8 of byte column / 8;
// 4 bits: the high nibble for an even column, the low one for an odd; 8 bits the byte; 16 and 32
// bits the little-endian word; 24 bits the three bytes as a little-endian value. Any other bit
// count gives the bit count itself.
DWORD GetDibPixelValue(const BYTE* row, int bitsPerPixel, int column);

// Collects distinct pixel values row by row from the bottom-left pixel (which is thus the first
// value) into list[1 ..]; list[0] holds the list's capacity. Returns the number of values found,
// or capacity + 1 as soon as one more than the list can hold is met; 0 for a bitmap that
// IsTraceableDib refuses.
int CountDibColors(const BITMAPINFOHEADER& header, const BYTE* bits, std::size_t bitsSize,
                   DWORD* list);

// A byte plane of width x height bytes in the bitmap's row order, 1 where the pixel has the value
// and 0 elsewhere, in movable global memory the caller frees; null for a refused bitmap or when
// memory is short.
HGLOBAL MakeColorPlane(const BITMAPINFOHEADER& header, const BYTE* bits, std::size_t bitsSize,
                       DWORD value);
