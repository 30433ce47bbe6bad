#include "addons/trace/BoundaryTracer.h"

#include <cmath>

CBoundaryTracer::CBoundaryTracer(const std::uint8_t* plane, int width, int height, bool bottomUp)
    : m_width(width),
      m_height(height),
      m_stride(static_cast<std::size_t>(width) + 2),
      m_pixels(m_stride * (static_cast<std::size_t>(height) + 2), 0),
      m_followed((static_cast<std::size_t>(width) + 1) * static_cast<std::size_t>(height), false) {
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* source = plane + static_cast<std::size_t>(row) * width;
    int y = bottomUp ? height - 1 - row : row;
    std::uint8_t* target = &m_pixels[Index(0, y)];
    for (int x = 0; x < width; ++x) target[x] = source[x] != 0;
  }
}

std::vector<LatticeLoop> CBoundaryTracer::TraceAll(int speckArea) {
  std::vector<LatticeLoop> loops;
  for (int y = 0; y < m_height; ++y) {
    for (int x = 0; x <= m_width; ++x) {
      bool left = Filled(x - 1, y), right = Filled(x, y);
      std::size_t edge = static_cast<std::size_t>(y) * (m_width + 1) + x;
      if (left == right || m_followed[edge]) continue;
      // With the filled pixel on the right of the direction of travel: upwards past a filled
      // pixel on the right, downwards past one on the left.
      LatticeLoop loop = right ? Follow(x, y + 1, 0, -1) : Follow(x, y, 0, 1);
      if (std::fabs(SignedArea(loop)) > speckArea) loops.push_back(std::move(loop));
    }
  }
  return loops;
}

LatticeLoop CBoundaryTracer::Follow(int startX, int startY, int startDx, int startDy) {
  LatticeLoop loop;
  int x = startX, y = startY, dx = startDx, dy = startDy;
  do {
    loop.push_back({x, y});
    if (dy != 0) {
      // The vertical edge passed: from (x, y) to (x, y + dy).
      int top = dy > 0 ? y : y - 1;
      m_followed[static_cast<std::size_t>(top) * (m_width + 1) + x] = true;
    }
    x += dx;
    y += dy;
    // The two pixels ahead of the corner reached, on the left and the right of the direction.
    // Pixel (i, j) lies right and below corner (i, j); facing (dx, dy), the left is (dy, -dx).
    int aheadX = dx + dy, aheadY = dy - dx;  // ahead-left, doubled offsets from the corner
    int rightX = dx - dy, rightY = dy + dx;  // ahead-right
    bool aheadLeft = Filled(x + (aheadX - 1) / 2, y + (aheadY - 1) / 2);
    bool aheadRight = Filled(x + (rightX - 1) / 2, y + (rightY - 1) / 2);
    if (aheadLeft) {
      // Filled on both sides ahead, or only diagonally across: turn left (corner neighbours join).
      int turned = dx;
      dx = dy;
      dy = -turned;
    } else if (!aheadRight) {
      int turned = dx;
      dx = -dy;
      dy = turned;
    }
  } while (x != startX || y != startY || dx != startDx || dy != startDy);
  return loop;
}

double CBoundaryTracer::SignedArea(const LatticeLoop& loop) {
  // With y downwards and the filled side on the right, an outer boundary runs clockwise on the
  // screen, which the shoelace sum counts positive.
  double twice = 0.0;
  for (std::size_t i = 0, n = loop.size(); i < n; ++i) {
    const LatticePoint& a = loop[i];
    const LatticePoint& b = loop[(i + 1) % n];
    twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
  }
  return twice / 2.0;
}
