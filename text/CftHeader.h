// CftHeader: the 144-byte header of an own font file (.CFT), the code range its index table
// covers and the scrambling of the index entries. Little-endian on file:
//   0 magic (zero-terminated, at most 5 characters)   6 language id (16 bits)   8 version (float)
//   12 header size (144)   16, 48, 80 three 32-byte names (Chinese, English, display; the display
//   name is stored scrambled)   112 index table offset   116 resolution (glyph units per em)
//   118 SQH, EQH (lead byte range)   120 SWH, EWH (trail byte range)   122, 124 x and y offsets
//   added to every glyph   126 zeros.
// Older files begin with a two-byte magic of their own (bytes that no current magic, printable
// text, can begin with); their header is built from their own layout: version 5.4, one name at 16
// for all three, resolution at 48, the code range at 50-53, the offsets at 54-57, the index table
// at 80.
// The index table has one int32 per code of the range, lead byte major. An entry of 0 or -1 means
// no glyph; any other is the record's file offset XOR (kIndexKey / (entry number + 3)).
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/String.h"

class CByteWriter;
class CFile;

struct CftHeader {
  static constexpr size_t kSize = 144;
  static constexpr size_t kOlderSize = 58;
  static constexpr DWORD kOlderIndexOffset = 80;
  static constexpr size_t kNameSize = 32;
  static const BYTE kOlderMagic[2];
  static constexpr DWORD kIndexKey = 0x5EC3A1D7;
  // Added to every byte of the display name on file.
  static constexpr BYTE kNameScramble = 0x80;

  char magic[6] = {};
  WORD languageId = 0;
  float version = 0.0f;
  int headerSize = static_cast<int>(kSize);
  // Chinese, English and display name, as plain text (the display name unscrambled).
  CString names[3];
  DWORD indexOffset = static_cast<DWORD>(kSize);
  WORD resolution = 1024;
  BYTE sqh = 0, eqh = 0, swh = 0, ewh = 0;
  short xOffset = 0, yOffset = 0;

  // Parses the first size bytes of a file; false for a short or damaged header or a file that is
  // no font (its magic is no text, its code range or resolution make no sense).
  bool Parse(const BYTE* data, size_t size);
  // The 144 bytes of a current header.
  bool WriteTo(CByteWriter& out) const;

  // Number of index entries; the entry number of a code, -1 outside the range.
  int EntryCount() const;
  int EntryOf(WORD code) const;
  // Where entry e lies in the file.
  DWORD EntryPosition(int entry) const { return indexOffset + 4u * static_cast<DWORD>(entry); }

  // Stored form of a record offset and back (the same XOR).
  static DWORD ScrambleOffset(DWORD offset, int entry);
  // An entry that names no glyph.
  static bool IsNoGlyph(DWORD stored) { return stored == 0 || stored == 0xFFFFFFFF; }

private:
  bool ParseCurrent(const BYTE* data, size_t size);
  bool ParseOlder(const BYTE* data, size_t size);
  bool Plausible() const;
};

// Reads the header from the start of an open file (or builds it for an older file); 1, or 0 when
// the file is too short, cannot be read or is no font file. The file position is left anywhere.
BOOL ReadCftHeader(CFile& file, CftHeader& header);
