// CStampParams: what the square seal dialog edits and a stamp is made from: the frame's size,
// border, corners, margins and gaps (page units, millimetres), the layout kind (the dialog's
// template index) and the text in GBK. A plain value; Check says what a stamp cannot be made of.
#pragma once

#include <windows.h>

#include "framework/String.h"

struct CStampParams {
  // What keeps a stamp from being made of the values, in the order they are checked.
  enum Problem : int {
    kFine = 0,
    kEmptyFrame,   // a width or height not above 0
    kNegative,     // a border, corner size, margin or gap below 0
    kNoRoom,       // border, margins and gaps leave the characters no room
    kTooMuchText,  // the template has fewer character cells than the text has characters
  };

  int templateIndex = 0;
  float marginX = 0.5f;
  float marginY = 0.5f;
  float gapX = 0.5f;
  float gapY = 0.5f;
  float width = 20.0f;
  float height = 20.0f;
  float border = 1.0f;
  float cornerSize = 2.0f;
  BYTE cornerType = 0;
  CString text;

  Problem Check() const;
};
