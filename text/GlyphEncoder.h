// CGlyphEncoder: turns the point records of an outline into one glyph record of the encoding a
// format version selects (see CGlyphCodec for the three encodings and GlyphFormat.h for their
// bytes). It works on plain point lists and byte vectors, without the contour class or global
// memory, so that the build-time library generator encodes with the very code the program uses;
// CGlyphCodec::EncodeByVersion is its front for contours.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/PointRecord.h"

class CGlyphEncoder {
public:
  // Encodes the points (up to the end mark; pen-colour records are passed over) into record, the
  // whole record with its length word first, and returns its length L. Encoding C first scales
  // the points so that the larger side of their box becomes normalSize (0: not at all) and keeps
  // the box's size before scaling and the name (null: none). 0, and an empty record, when the
  // version has no encoding or the outline cannot be stored: no points, no movement at all,
  // coordinates or counts too large for the encoding.
  static int Encode(const std::vector<POINTREC>& points, float version, float normalSize,
                    const char* name, std::vector<BYTE>& record);

  // The size of the box of the points up to the end mark, special records left out; false when
  // there is no point.
  static bool BoxSize(const std::vector<POINTREC>& points, float& width, float& height);
};
