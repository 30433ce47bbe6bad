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

// count bars 200 mm long and 0.5 mm wide, each its own curve, crossing at (10, 20) at angles
// 180 / count degrees apart. Their union is a star of 2 * count arms whose area is, with half-
// width h, half-length r and a = 90 / count degrees, 2 * count * h * (2r - h cot a). With an
// overhang of 0 or more, each bar also carries its centre line as an open line (with a corner at
// the crossing), reaching that far beyond both of its ends.
std::vector<FlatCurve> Bars(int count, double overhang = -1);
double BarsArea(int count);
// count circles of 100 nodes, radius 15 to 30, scattered over 200 x 200 mm, each its own curve.
std::vector<FlatCurve> Circles(int count, unsigned seed = 11);
// The outline of the pixels of the given size whose centres lie within the radius of the centre
// (a traced scan of a disk), on the pixels' grid from (cx, cy): right-angle corners only, 748 of
// them at radius 80 and pixel 0.5.
FlatCurve PixelDisk(double radius, double pixel, double cx = 0.3, double cy = 0.1);
// PixelDisk(radius, pixel) with a one-pixel hole at every other pixel of every other row, up to
// two pixels from its edge (a traced scan of a screened disk): about pi r^2 / (4 pixel^2) holes,
// none of them touching another or the outside.
FlatCurve PinholedDisk(double radius, double pixel);
// PixelDisk(radius, pixel) with a one-pixel hole in the lowest and the highest pixel of every
// other column: each hole shares its outer side with the outline (about 2 radius / pixel holes).
FlatCurve EdgeHoledDisk(double radius, double pixel);
// A figure eight of the given node count, crossing itself once, 120 x 80 mm.
FlatCurve FigureEight(int nodes);
// A star whose points and valleys (radius 100 and 90) are moved by up to 4 mm at random.
FlatCurve JaggedStar(int nodes, unsigned seed = 5);
// A closed outline through random points of a 100 mm square: it crosses itself everywhere.
FlatCurve SelfCrossing(int nodes, unsigned seed = 3);
// count x count square tiles of the given size from (-90, -90) on, each its own curve, every
// corner of each moved on its own by up to jitter in x and y.
std::vector<FlatCurve> Tiles(int count, double size, double jitter, unsigned seed = 9);

}  // namespace bench
