// CFontEntry: one font of a font list: a name (the file path for font files, empty for installed
// fonts) and a text (the face name or the display name shown to the user).
#pragma once

#include "framework/String.h"

struct CFontEntry {
  CString name;
  CString text;
};
