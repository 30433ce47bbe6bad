// CDibFileWriter: writes a packed device-independent bitmap (an information header of any of the
// system's sizes, its bit-field masks when they follow a 40-byte header, its colour table and its
// pixels, as a scanner or the clipboard hands them over) as a BMP file: the 14-byte file header
// and then the bitmap as it is, so that the file opens again in any reader. Only the header's
// image size of an uncompressed bitmap is put right on the way (sources often leave it 0).
//
// Every size the header gives is checked against the bytes handed in: a bitmap that does not hold
// what its header says, or whose header is of no known kind, is refused and nothing is written.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

class CDibFileWriter {
public:
  static const size_t kFileHeaderSize = 14;
  static const DWORD kCoreHeaderSize = 12;

  // Where the parts of a packed bitmap lie, in bytes from its start.
  struct Layout {
    size_t headerSize = 0;
    // Masks after a 40-byte header (bit fields), then the colour table.
    size_t masksSize = 0;
    size_t tableSize = 0;
    size_t imageSize = 0;
    // Everything the file takes from the bitmap: up to the end of the pixels, or of a colour
    // profile the header places after them.
    size_t usedSize = 0;
    bool uncompressed = true;
    size_t BitsOffset() const { return headerSize + masksSize + tableSize; }
  };

  // The layout of a packed bitmap of size bytes; false for one that does not hold together.
  static bool Measure(const BYTE* dib, size_t size, Layout* layout);
  // The bytes of the BMP file; false (and nothing) for a bitmap Measure refuses.
  static bool MakeFile(const BYTE* dib, size_t size, std::vector<BYTE>* file);
  // Writes the bitmap of a movable memory block to path; false when it is refused or the file
  // cannot be written (a partly written file is removed).
  static bool WriteFile(HGLOBAL dib, LPCSTR path);
};
