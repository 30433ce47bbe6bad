// CBmpImage: the reader of one BMP file, made for one request and deleted after it. It reads the
// file on demand (each request opens and closes the file) and handles uncompressed bitmaps of 1,
// 4, 8, 16 (also with bit fields) and 24 bits per pixel whose rows run bottom-up or, with a
// negative height, top-down. Every length, offset and count the headers give is checked against
// the file before anything is read or allocated: a file that holds less than its header says is
// refused, except that the last row may lack its padding (at most 3 bytes; some writers drop it),
// which reads as zeros.
//
// The colour table starts after the information header, by its own size, and holds the number of
// colours the header names (biClrUsed), else 2 to the bit count; 16 and 24-bit images have none.
// A 16-bit image with bit fields has its three masks at offset 54 instead: after a 40-byte
// header, or in the mask fields of a longer one (52, 56, 108 or 124 bytes).
#pragma once

#include <windows.h>

#include "framework/String.h"

struct RasterImageInfo;

class CBmpImage {
public:
  static const WORD kBitmapType = 0x4D42;  // "BM"
  static const size_t kFileHeaderSize = 14;
  static const size_t kInfoHeaderSize = 40;

  // Clears every field and keeps the path; nothing is read yet.
  explicit CBmpImage(LPCSTR path);

  // Reads both headers; 0 when the file cannot be opened or is shorter than them.
  int ReadHeader();
  // 1 when the file can be handled. Otherwise 0, with every reason joined in one message box when
  // a window is given (the open failure in a box of its own).
  int Check(HWND window);
  void GetInfo(RasterImageInfo* info);
  // The entries of the colour table (0 without one).
  int GetColorCount();
  // A 40-byte information header and the colour table (or the bit-field masks) for the system's
  // bitmap calls; null for a file that cannot be handled. The header is copied into *header too
  // when one is given.
  HGLOBAL MakeBitmapInfo(BITMAPINFOHEADER* header = nullptr);
  // The colour table, 4 bytes per entry; null without one.
  HGLOBAL ReadPalette();
  // The rows, each padded to a multiple of 4 bytes: the picture's top row first when topDown is
  // set, else its bottom row first.
  HGLOBAL ReadBits(BOOL topDown);
  // A device-dependent bitmap for the context (the screen's when null); null when the file cannot
  // be handled or the bitmap cannot be made, which a window is told.
  HBITMAP CreateBitmap(HDC dc, HWND window);

  const CString& GetPath() const { return m_path; }
  int GetWidth() const { return m_width; }
  // Always positive; IsTopDown tells how the rows are stored.
  int GetHeight() const { return m_height; }
  WORD GetBitCount() const { return m_bitCount; }
  bool IsTopDown() const { return m_topDown; }

private:
  enum Problem : UINT {
    kNotBitmap = 1,
    kJpeg = 2,
    kCompressed = 4,
    kBitCount = 8,
    kBadSize = 16,
    kShortFile = 32,
  };

  bool EnsureHeader();
  // The problems of the headers read, as Problem bits; 0 for a file that can be handled.
  UINT FindProblems() const;
  CString ProblemText(UINT problems) const;
  bool Usable();
  ULONGLONG RowStride() const;
  // The bytes of a row that only pad it to a multiple of 4.
  ULONGLONG RowPadding() const;
  ULONGLONG PixelBytes() const { return RowStride() * static_cast<ULONGLONG>(m_height); }
  // Summed in 64 bits: a header size near 4 GB must not wrap round to the file's start.
  ULONGLONG TableOffset() const { return static_cast<ULONGLONG>(kFileHeaderSize) + m_headerSize; }
  // Colour-table entries (bit-count images up to 8 bits), or 3 for the masks of bit fields.
  DWORD TableEntries() const;

  CString m_path;
  bool m_headerRead;
  ULONGLONG m_fileSize;
  // The file header.
  WORD m_fileType;
  DWORD m_declaredSize;
  WORD m_reserved1;
  WORD m_reserved2;
  DWORD m_dataOffset;
  // The information header; the height made positive.
  DWORD m_headerSize;
  int m_width;
  int m_height;
  bool m_topDown;
  WORD m_planes;
  WORD m_bitCount;
  DWORD m_compression;
  DWORD m_imageSize;
  int m_xPixelsPerMetre;
  int m_yPixelsPerMetre;
  DWORD m_coloursUsed;
  DWORD m_coloursImportant;
  // Red, green and blue masks of bit fields (zero when the file has none).
  DWORD m_masks[3];
};
