// COutlineBuilder: turns flattened outlines back into curve blocks of straight segments. Every
// ring of an area (outer rings and holes alike) becomes a closed sub-path, every line an open
// one, so that the program's even-odd fill shows the area again.
#pragma once

#include <windows.h>

#include "addons/transform/OutlineTypes.h"

class CBlock;
class CCurveBlock;

class COutlineBuilder {
public:
  // One curve with the whole shape; null when the shape is empty. The curve gets the colour and
  // the attribute word.
  static CCurveBlock* BuildCurve(const OutlineShape& shape, DWORD colour, WORD attributes);
  // One curve per polygon of the area and one per line, in a group; a lone piece comes alone and
  // an empty shape gives null.
  static CBlock* BuildPieces(const OutlineShape& shape, DWORD colour, WORD attributes);

private:
  static void AddRing(CCurveBlock* curve, const OutlinePolygon::ring_type& ring);
  static void AddLine(CCurveBlock* curve, const OutlineLine& line);
};
