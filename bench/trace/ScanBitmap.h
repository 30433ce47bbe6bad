// A scan-like bitmap for the tracing benchmark: a page of letter-like strokes (bowls, bars and
// slanted stems of several weights) with ragged edges and scanner dust, made the same on every run
// and every platform (a fixed seed of the standard Mersenne twister).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// width x height bytes, the top row first, 1 for ink.
std::vector<std::uint8_t> MakeScanBitmap(int width, int height);

// The bitmap as a binary PBM file (ink black), the form potrace reads; false when it cannot be
// written.
bool WritePbm(const std::string& path, const std::vector<std::uint8_t>& pixels, int width,
              int height);
