// CTiffImage: the reader of one TIFF file, made for one request and deleted after it. It handles
// uncompressed single-sample images in Intel byte order ("II") with 1, 4 or 8 bits per sample,
// stored in one strip or several: every strip is read, after its offset and byte count have been
// checked against the file. Only the first image file directory is read. Missing tags take the
// format's defaults (no compression, one sample of one bit, all rows in one strip).
//
// A hostile file costs little: the header and directory are read once, when the reader is made;
// a directory of more entries than the reader takes is not read at all; of the entries only the
// tags the reader uses are read, each after the extent it claims has been found inside the file.
//
// Colours: a colour map gives the table; without one the image is grey, black to white, or white
// to black when the file says 0 is white (photometric interpretation 0).
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

class CRasterFile;
struct RasterImageInfo;

class CTiffImage {
public:
  static const WORD kIntelOrder = 0x4949;     // "II"
  static const WORD kMotorolaOrder = 0x4D4D;  // "MM"
  static const int kMostEntries = 50;

  // Clears every field, keeps the path and reads the header and the first directory.
  explicit CTiffImage(LPCSTR path);

  // Whether the header and directory were read: 0 when the file cannot be opened or they lie
  // outside it.
  int ReadHeader();
  // 1 when the file can be handled. Otherwise 0, and the first reason in a message box when a
  // window is given.
  int Check(HWND window);
  void GetInfo(RasterImageInfo* info);
  // 2 to the bits per sample.
  int GetColorCount();
  // The colour table for the system's bitmap calls, 4 bytes (blue, green, red, 0) per entry.
  HGLOBAL ReadPalette();
  // A 40-byte information header and the colour table; null for a file that cannot be handled.
  HGLOBAL MakeBitmapInfo();
  // The strips one after another: rows of ceiling(width x bits / 8) bytes, top row first,
  // unpadded. Null when the file cannot be handled.
  HGLOBAL ReadBits();
  // The rows of ReadBits padded to 4 bytes, the top row last (bottom-up); null when bits holds
  // fewer rows than the image.
  HGLOBAL FlipToDib(HGLOBAL bits);
  // The same padding with the top row first.
  HGLOBAL PadRows(HGLOBAL bits);
  // A device-dependent bitmap for the context (the screen's when null); null on failure.
  HBITMAP CreateBitmap(HDC dc, HWND window);

  const CString& GetPath() const { return m_path; }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  int GetBitsPerSample() const { return m_bitsPerSample; }
  int GetEntryCount() const { return m_entryCount; }
  size_t GetStripCount() const { return m_stripOffsets.size(); }

private:
  struct Entry {
    WORD tag;
    WORD type;
    DWORD count;
    BYTE value[4];
  };

  WORD ToWord(const BYTE* bytes) const;
  DWORD ToLong(const BYTE* bytes) const;
  // The values of an entry (inline or at the offset its value field holds), all of them or only
  // the first; empty when the entry claims values outside the file or more than a directory may
  // sensibly hold.
  std::vector<DWORD> ReadValues(CRasterFile& file, const Entry& entry, bool all) const;
  void TakeEntry(CRasterFile& file, const Entry& entry);
  // False when the file cannot be opened or its header or directory lie outside it.
  bool LoadHeader();
  ULONGLONG RowBytes() const;
  bool StripsHoldImage(ULONGLONG fileSize) const;
  bool ColourMapInFile(ULONGLONG fileSize) const;
  // The message of the first rule the file breaks (empty when none).
  CString FindProblem() const;
  // FindProblem's answer, found once.
  const CString& Problem();
  bool Usable();
  HGLOBAL LayOutRows(HGLOBAL bits, bool bottomUp);

  CString m_path;
  bool m_headerRead;
  ULONGLONG m_fileSize;
  WORD m_byteOrder;
  WORD m_version;
  DWORD m_ifdOffset;
  WORD m_entryCount;
  int m_width;
  int m_height;
  DWORD m_stripOffset;
  DWORD m_stripByteCount;
  DWORD m_colorMapOffset;
  DWORD m_colorMapCount;
  int m_samplesPerPixel;
  int m_bitsPerSample;
  int m_compression;
  int m_photometric;
  DWORD m_rowsPerStrip;
  bool m_tiled;
  // An entry the reader needs gave no values (none, or outside the file).
  bool m_damagedEntry;
  std::vector<DWORD> m_stripOffsets;
  std::vector<DWORD> m_stripByteCounts;
  bool m_opened;
  bool m_problemFound;
  CString m_problem;
};
