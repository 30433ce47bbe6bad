// CFeedbackTools: the program-wide pens, brush and cursor of the XOR feedback that blocks, tools
// and views draw. The main frame creates them at start-up and frees them when it goes; whatever
// is asked for before that is created on first use.
#pragma once

#include <windows.h>

class CBrush;
class CPen;

class CFeedbackTools {
public:
  static void Create();
  static void Destroy();

  // All solid pens are one pixel wide.
  static CPen* GreyPen();
  static CPen* RedPen();
  static CPen* BluePen();
  static CPen* BlueDottedPen();
  static CPen* GreenPen();
  static CBrush* RedBrush();

  // The select tool's move cursor (loaded by the main frame); the arrow until one is given.
  static HCURSOR MoveCursor();
  static void SetMoveCursor(HCURSOR cursor);
};
