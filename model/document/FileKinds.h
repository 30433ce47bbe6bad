// File kinds: what the editor makes of a file that enters a drawing other than through the
// framework's open command, judged by its extension alone (upper-cased, compared whole with its
// dot). An extension the table does not list is taken for an old drawing, which is what files
// without the usual name mostly were.
#pragma once

#include <windows.h>

enum FileKind : int {
  kFileKindDocument = 0,     // .T42
  kFileKindOldDocument = 1,  // .T37 and anything not listed
  kFileKindText = 2,         // .TXT, no extension, or a bare dot
  kFileKindPlot = 3,         // .PLT
  kFileKindPostScript = 4,   // .EPS, .AI
  kFileKindCut = 5,          // .CUT
  kFileKindDxf = 6,          // .DXF
  kFileKindTiff = 7,         // .TIF
  kFileKindBitmap = 8,       // .BMP
  kFileKindRq5 = 9,          // .RQ5
};

int GetFileKindByExtension(LPCSTR path);
