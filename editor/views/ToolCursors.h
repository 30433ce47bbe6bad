// CToolCursors: which cursor the main drawing view shows for each tool: a standard cursor of the
// system, one of the program's own cursors (resources drawn by resources/images/make_images.py and
// loaded once by the main frame), or none for tools that keep whatever cursor is set.
#pragma once

#include <windows.h>

class CToolCursors {
public:
  enum Kind : BYTE { kUnchanged, kArrow, kCross, kIBeam, kProgram };
  struct Choice {
    Kind kind;
    UINT resource;  // the program's cursor, for kProgram
  };

  static Choice For(int tool);
  // The cursor of the choice, null for kUnchanged. The program's cursors come from the main frame
  // when it has them, else from the resources.
  static HCURSOR Load(const Choice& choice);
};
