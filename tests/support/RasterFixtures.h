// Synthesised BMP and TIFF files for the image tests, written byte by byte from the formats'
// published layouts (never by the readers under test), with knobs for every field a damaged file
// may get wrong. Pictures are given as a function of (x, y), y = 0 the picture's top row: a
// colour index for up to 8 bits per pixel, else 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace raster {

using Picture = std::function<DWORD(int x, int y)>;

inline void Put16(std::vector<BYTE>& out, DWORD v) {
  out.push_back(BYTE(v));
  out.push_back(BYTE(v >> 8));
}
inline void Put32(std::vector<BYTE>& out, DWORD v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
inline void Patch32(std::vector<BYTE>& out, size_t at, DWORD v) {
  for (int i = 0; i < 4; ++i) out[at + i] = BYTE(v >> (8 * i));
}
inline DWORD Grey(int level) { return DWORD(level) * 0x010101; }

// Packs one row of the picture, most significant bits first, padded to pad bytes.
inline std::vector<BYTE> PackRow(int width, int bits, int y, const Picture& picture, size_t pad,
                                 bool fields565 = false) {
  std::vector<BYTE> row;
  if (bits <= 8) {
    row.assign((size_t(width) * bits + 7) / 8, 0);
    for (int x = 0; x < width; ++x) {
      size_t bit = size_t(x) * bits;
      row[bit / 8] |= BYTE((picture(x, y) & ((1u << bits) - 1)) << (8 - bits - bit % 8));
    }
  } else {
    for (int x = 0; x < width; ++x) {
      DWORD c = picture(x, y);
      BYTE r = BYTE(c >> 16), g = BYTE(c >> 8), b = BYTE(c);
      if (bits == 16) {
        Put16(row, fields565 ? DWORD(r >> 3) << 11 | DWORD(g >> 2) << 5 | DWORD(b >> 3)
                             : DWORD(r >> 3) << 10 | DWORD(g >> 3) << 5 | DWORD(b >> 3));
      } else {
        row.insert(row.end(), {b, g, r});
      }
    }
  }
  while (pad > 1 && row.size() % pad) row.push_back(0);
  return row;
}

struct BmpSpec {
  int width = 4;
  int height = 3;  // negative: rows stored top row first
  int bits = 8;
  DWORD compression = 0;
  DWORD headerSize = 40;
  DWORD coloursUsed = 0;
  // Table entry i as 0x00RRGGBB; a grey ramp by default.
  std::function<DWORD(int)> palette;
  Picture picture = [](int x, int y) { return DWORD(x + 10 * y); };
};

inline std::vector<BYTE> MakeBmp(const BmpSpec& spec) {
  const bool fields = spec.compression == 3;
  const int rows = spec.height < 0 ? -spec.height : spec.height;
  const DWORD entries = spec.bits <= 8 ? (spec.coloursUsed ? spec.coloursUsed : 1u << spec.bits)
                                       : 0;
  std::vector<BYTE> table;
  if (fields) {
    Put32(table, 0xF800);
    Put32(table, 0x07E0);
    Put32(table, 0x001F);
    if (spec.headerSize > 40) table.clear();  // the masks are part of a larger header
  }
  for (DWORD i = 0; i < entries; ++i) {
    DWORD c = spec.palette ? spec.palette(int(i)) : Grey(int(i * 255 / ((1u << spec.bits) - 1)));
    table.insert(table.end(), {BYTE(c), BYTE(c >> 8), BYTE(c >> 16), 0});
  }
  std::vector<BYTE> out;
  const DWORD offset = 14 + spec.headerSize + DWORD(table.size());
  Put16(out, 0x4D42);
  Put32(out, 0);  // the size, below
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, spec.headerSize);
  Put32(out, DWORD(spec.width));
  Put32(out, DWORD(spec.height));
  Put16(out, 1);
  Put16(out, DWORD(spec.bits));
  Put32(out, spec.compression);
  Put32(out, 0);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, spec.coloursUsed);
  Put32(out, 0);
  if (spec.headerSize > 40 && fields) {
    Put32(out, 0xF800);
    Put32(out, 0x07E0);
    Put32(out, 0x001F);
  }
  out.resize(14 + spec.headerSize, 0);
  out.insert(out.end(), table.begin(), table.end());
  for (int i = 0; i < rows; ++i) {
    int y = spec.height < 0 ? i : rows - 1 - i;
    std::vector<BYTE> row = PackRow(spec.width, spec.bits, y, spec.picture, 4, fields);
    out.insert(out.end(), row.begin(), row.end());
  }
  Patch32(out, 2, DWORD(out.size()));
  return out;
}

struct TiffSpec {
  int width = 5;
  int height = 4;
  int bits = 8;
  int samples = 1;
  int compression = 1;
  int photometric = 1;
  // 0: all rows in one strip.
  int rowsPerStrip = 0;
  bool motorola = false;
  // Entry i of the colour map as 0x00RRGGBB; none when empty.
  std::function<DWORD(int)> colourMap;
  // Private tags added to the directory.
  int extraEntries = 0;
  bool tiled = false;
  Picture picture = [](int x, int y) { return DWORD(x + 10 * y); };
};

class TiffWriter {
public:
  explicit TiffWriter(bool motorola) : m_motorola(motorola) {}
  void Short(std::vector<BYTE>& out, DWORD v) const {
    if (m_motorola) {
      out.push_back(BYTE(v >> 8));
      out.push_back(BYTE(v));
    } else {
      Put16(out, v);
    }
  }
  void Long(std::vector<BYTE>& out, DWORD v) const {
    if (m_motorola) {
      Short(out, v >> 16);
      Short(out, v & 0xFFFF);
    } else {
      Put32(out, v);
    }
  }

private:
  bool m_motorola;
};

struct TiffEntry {
  WORD tag;
  WORD type;  // 3 SHORT, 4 LONG
  DWORD count;
  DWORD value;  // the value itself (count 1) or an offset
};

inline std::vector<BYTE> MakeTiff(const TiffSpec& spec) {
  TiffWriter w(spec.motorola);
  std::vector<BYTE> out = {BYTE(spec.motorola ? 'M' : 'I'), BYTE(spec.motorola ? 'M' : 'I')};
  w.Short(out, 42);
  w.Long(out, 0);  // the directory's offset, below
  const int perStrip = spec.rowsPerStrip > 0 ? spec.rowsPerStrip : spec.height;
  std::vector<DWORD> offsets, counts;
  for (int top = 0; top < spec.height; top += perStrip) {
    offsets.push_back(DWORD(out.size()));
    size_t before = out.size();
    for (int y = top; y < top + perStrip && y < spec.height; ++y) {
      std::vector<BYTE> row = PackRow(spec.width * spec.samples, spec.bits, y, spec.picture, 1);
      out.insert(out.end(), row.begin(), row.end());
    }
    counts.push_back(DWORD(out.size() - before));
  }
  DWORD mapOffset = 0;
  const DWORD mapEntries = 1u << spec.bits;
  if (spec.colourMap) {
    mapOffset = DWORD(out.size());
    for (int component = 2; component >= 0; --component)
      for (DWORD i = 0; i < mapEntries; ++i)
        w.Short(out, ((spec.colourMap(int(i)) >> (8 * component)) & 0xFF) * 0x101);
  }
  auto array = [&](const std::vector<DWORD>& values) {
    if (values.size() == 1) return values[0];
    DWORD at = DWORD(out.size());
    for (DWORD v : values) w.Long(out, v);
    return at;
  };
  std::vector<TiffEntry> entries = {
      {256, 4, 1, DWORD(spec.width)},
      {257, 4, 1, DWORD(spec.height)},
      {258, 3, 1, DWORD(spec.bits)},
      {259, 3, 1, DWORD(spec.compression)},
      {262, 3, 1, DWORD(spec.colourMap ? 3 : spec.photometric)},
      {273, 4, DWORD(offsets.size()), array(offsets)},
      {277, 3, 1, DWORD(spec.samples)},
      {278, 4, 1, DWORD(perStrip)},
      {279, 4, DWORD(counts.size()), array(counts)},
  };
  if (spec.colourMap) entries.push_back({320, 3, 3 * mapEntries, mapOffset});
  if (spec.tiled) entries.push_back({322, 3, 1, 16});
  for (int i = 0; i < spec.extraEntries; ++i) entries.push_back({WORD(65000 + i), 3, 1, 0});
  if (out.size() % 2) out.push_back(0);
  const DWORD directory = DWORD(out.size());
  w.Short(out, DWORD(entries.size()));
  for (const TiffEntry& e : entries) {
    w.Short(out, e.tag);
    w.Short(out, e.type);
    w.Long(out, e.count);
    if (e.type == 3 && e.count == 1) {
      w.Short(out, e.value);
      w.Short(out, 0);
    } else {
      w.Long(out, e.value);
    }
  }
  w.Long(out, 0);
  std::vector<BYTE> head;
  w.Long(head, directory);
  std::copy(head.begin(), head.end(), out.begin() + 4);
  return out;
}

// A directory of every entry there can be (65,535), each a private tag of a million 4-byte values
// that would lie past the end of the file.
inline std::vector<BYTE> MakeTiffOfMostEntries() {
  std::vector<BYTE> file = {'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF};
  for (DWORD i = 0; i < 0xFFFF; ++i) {
    Put16(file, 65000 + i % 500);
    Put16(file, 4);
    Put32(file, 1u << 20);
    Put32(file, 8);
  }
  Put32(file, 0);
  return file;
}

// The position of the value field of an entry of an Intel-order file; 0 when the tag is absent.
inline size_t TiffValueAt(const std::vector<BYTE>& file, WORD tag) {
  DWORD directory = DWORD(file[4] | file[5] << 8 | file[6] << 16 | file[7] << 24);
  int count = file[directory] | file[directory + 1] << 8;
  for (int i = 0; i < count; ++i) {
    size_t at = directory + 2 + 12 * size_t(i);
    if ((file[at] | file[at + 1] << 8) == tag) return at + 8;
  }
  return 0;
}

inline void WriteFile(const std::string& path, const std::vector<BYTE>& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (!file) return;
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

}  // namespace raster
