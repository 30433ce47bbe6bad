#include "bench/trace/ScanBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

#include "addons/trace/OutlineTracer.h"

std::vector<std::uint8_t> MakeScanBitmap(int width, int height) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height, 0);
  std::mt19937 random(20240607u);
  auto uniform = [&](double low, double high) {
    return low + (high - low) * (random() / double(std::mt19937::max()));
  };
  auto put = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[std::size_t(y) * width + x] = 1;
  };
  // Lines of letters: each a bowl (part of a ring), a stem and sometimes a bar.
  for (double line = 60; line + 80 < height; line += 110) {
    for (double x = 40; x + 60 < width; x += uniform(50, 80)) {
      const double size = uniform(26, 40), weight = uniform(4, 9);
      const double cx = x + size / 2, cy = line + size / 2;
      const double from = uniform(0, 6.3), sweep = uniform(3, 6.3);
      for (int py = int(cy - size); py <= int(cy + size); ++py)
        for (int px = int(cx - size); px <= int(cx + size); ++px) {
          double r = std::hypot(px + 0.5 - cx, py + 0.5 - cy);
          double a = std::atan2(py + 0.5 - cy, px + 0.5 - cx) + 3.14159265;
          double along = std::fmod(a - from + 12.566, 6.2832);
          // Ragged: the edge wanders by up to a pixel.
          if (std::fabs(r - size / 2) < weight / 2 + uniform(-0.6, 0.6) && along < sweep)
            put(px, py);
        }
      const double slant = uniform(-0.3, 0.3);
      for (int py = int(line - 10); py < int(line + size + 10); ++py)
        for (int w = 0; w < int(weight); ++w) put(int(x + size + 4 + w + slant * (py - line)), py);
      if (random() % 3 == 0)
        for (int py = int(cy); py < int(cy + weight); ++py)
          for (int px = int(x); px < int(x + size + 10); ++px) put(px, py);
    }
  }
  // Dust: lone pixels and small clusters.
  for (int k = 0; k < width * height / 400; ++k) {
    int x = int(uniform(0, width - 2)), y = int(uniform(0, height - 2));
    put(x, y);
    if (random() % 4 == 0) put(x + 1, y + 1);
  }
  return pixels;
}

bool WritePbm(const std::string& path, const std::vector<std::uint8_t>& pixels, int width,
              int height) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fprintf(file, "P4\n%d %d\n", width, height);
  std::vector<unsigned char> row((width + 7) / 8);
  for (int y = 0; y < height; ++y) {
    std::fill(row.begin(), row.end(), 0);
    for (int x = 0; x < width; ++x)
      if (pixels[std::size_t(y) * width + x]) row[x / 8] |= 0x80 >> (x % 8);
    std::fwrite(row.data(), 1, row.size(), file);
  }
  return std::fclose(file) == 0;
}

TracedCount TraceWithDefaultPreset(const std::vector<std::uint8_t>& pixels, int width, int height) {
  TraceSettings settings;
  settings.filterIterations = 2;
  settings.tangentSurround = 2;
  std::vector<TracedOutline> traced = COutlineTracer(settings).Trace(pixels.data(), width, height,
                                                                     false);
  TracedCount count;
  count.outlines = traced.size();
  for (const TracedOutline& outline : traced) count.segments += outline.segments.size();
  return count;
}
