// CFontEntry: one font of a font list: a name (the file path for font files, empty for installed
// fonts), a text (the face name or the display name shown to the user) and the other names the
// font is known by (an own font file's name in the other interface language), by which a document
// saved elsewhere finds it.
#pragma once

#include <vector>

#include "framework/String.h"

struct CFontEntry {
  CString name;
  CString text;
  std::vector<CString> otherNames = {};
};
