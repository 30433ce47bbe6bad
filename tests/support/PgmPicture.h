// PgmPicture: a grey picture that Ghostscript drew as raw PGM (P5, 8 bits), read whole, with the
// questions the printed-page tests ask of it: is a pixel dark, where does the ink lie.
#pragma once

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

struct PgmPicture {
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;

  bool Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    // Ghostscript writes a comment line after the magic.
    if (!(in >> magic) || magic != "P5") return false;
    while ((in >> std::ws).peek() == '#') in.ignore(1 << 16, '\n');
    if (!(in >> width >> height >> maximum) || maximum != 255) return false;
    if (width <= 0 || height <= 0 || width > 20000 || height > 20000) return false;
    in.get();
    pixels.resize(static_cast<size_t>(width) * height);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(pixels.data()),
                                     static_cast<std::streamsize>(pixels.size())));
  }
  bool Dark(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] < 128; }
  // The box of the dark pixels inside the area (the whole picture by default), in pixels;
  // false when there are none.
  bool Ink(RECT* box, RECT area = {0, 0, 1 << 30, 1 << 30}) const {
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    area.right = std::min<LONG>(area.right, width);
    area.bottom = std::min<LONG>(area.bottom, height);
    *box = {width, height, -1, -1};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (Dark(x, y)) {
          box->left = std::min<LONG>(box->left, x);
          box->top = std::min<LONG>(box->top, y);
          box->right = std::max<LONG>(box->right, x + 1);
          box->bottom = std::max<LONG>(box->bottom, y + 1);
        }
    return box->right >= 0;
  }
};
