// A scan-like bitmap for the tracing benchmark: a page of letter-like strokes (bowls, bars and
// slanted stems of several weights) with ragged edges and scanner dust, made the same on every run
// and every platform (a fixed seed of the standard Mersenne twister). Also what the benchmark and
// its native twin both time: our tracer on such a bitmap, best of three runs.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// width x height bytes, the top row first, 1 for ink.
std::vector<std::uint8_t> MakeScanBitmap(int width, int height);

// The bitmap as a binary PBM file (ink black), the form potrace reads; false when it cannot be
// written.
bool WritePbm(const std::string& path, const std::vector<std::uint8_t>& pixels, int width,
              int height);

template <class Work>
double BestOfThree(Work work) {
  double best = 1e30;
  for (int run = 0; run < 3; ++run) {
    auto start = std::chrono::steady_clock::now();
    work();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = took.count() < best ? took.count() : best;
  }
  return best;
}

struct TracedCount {
  size_t outlines = 0;
  size_t segments = 0;
};

// Traces the bitmap with the vectoriser's default preset.
TracedCount TraceWithDefaultPreset(const std::vector<std::uint8_t>& pixels, int width, int height);
