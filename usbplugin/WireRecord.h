// The cutter's 8-byte plotting record, two little-endian 32-bit words: word 0 holds the kind in
// bits 0-1 and the y step in bits 2-31, word 1 the x step in bits 0-29 (bits 30-31 zero); both
// steps are signed 30-bit values. Moves and lines carry steps in device units from the previous
// point; a marker carries its two values as they are.
#pragma once

#include <windows.h>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

struct WireRecord {
  enum Kind { kMarker = 0, kMove = 1, kLine = 2 };
  static constexpr size_t kSize = 8;
  // The marker the cancel step sends.
  static constexpr INT32 kCancelMarkerY = 0x303030;

  int kind;
  INT32 yStep;
  INT32 xStep;

  bool Write(CByteWriter& writer) const;
  // Reads one record; false (reading nothing) when fewer than 8 bytes are left or bits 30-31 of
  // word 1 are set.
  bool Read(CByteReader& reader);
};
