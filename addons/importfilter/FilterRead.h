// CFilterRead: one read of the import filter: picks the reader by the file name's extension
// (.EPS and .AI PostScript, .PLT HP-GL, .DXF drawing exchange; .CUT is not read), reads the file
// whole into memory (up to kLargestFile), lets the reader find the outlines and maps them onto
// the page: turned over within the file's frame (its bounding box, else the drawing's own box)
// so that y grows downward, in millimetres or, with a scale, in that many units per inch.
//
// The result is new movable global memory holding one block-list record of curve blocks, which
// the caller owns, or null; the report tells why it is null and what was left out, and that a
// file cut short gave only what came before its end.
#pragma once

#include <windows.h>

#include "media/ImportFilterDll.h"

class CFilterRead {
public:
  // Larger files are refused: read whole, with what the readers build of them, they would not
  // fit the program's address space.
  static const size_t kLargestFile = 100 * 1024 * 1024;
  // The largest scale taken (units per inch).
  static constexpr double kLargestScale = 1.0e6;

  // The reader a file name calls for; the kind numbers of the merge dialog (3 PLT, 4 EPS and
  // AI, 5 CUT, 6 DXF), -1 for any other.
  static int KindOf(LPCSTR path);

  static HGLOBAL Read(LPCSTR path, float scale, ImportFilterReport* report);
  // The same on bytes already in memory, for a file of the given kind.
  static HGLOBAL ReadBytes(const char* data, size_t size, int kind, float scale,
                           ImportFilterReport* report);
};
