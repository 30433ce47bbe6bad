// The benchmark's inputs, the same in the Windows build and the native one: seeded, so that every
// run and both builds see the same outlines. Page units (millimetres). Rings run
// counter-clockwise in the sense of the shoelace formula, holes the other way, so that a library
// that fills by the non-zero rule sees the same areas as our even-odd-within-a-curve rule.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

namespace bench {

// count letters (O, A, L, S and E shapes, with their holes), each 8-20 mm high, turned and
// scattered over a 400 x 250 mm sheet so that they overlap.
std::vector<FlatCurve> Letters(int count, unsigned seed = 42);
// A closed ring of the given node count around (cx, cy) with twenty waves.
FlatCurve WavyRing(int nodes, double cx, double cy, double radius);
// A regular star of the given node count: points at radius 100, valleys at radius 90, centred
// on (3, 7).
FlatCurve Star(int nodes);

}  // namespace bench
