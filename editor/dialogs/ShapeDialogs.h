// CShapeDialogs: runs the typed-input dialog of a creation tool (line type 314, rectangle 190,
// circle 191) modally at the tool's start point and hands back the shape it made.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CBlock;
class CWnd;

class CShapeDialogs {
public:
  // The new block (the caller's), or null when the dialog was cancelled, made nothing or is not
  // one of the three.
  static CBlock* Run(CWnd* parent, UINT dialog, const FPOINT& start);
};
