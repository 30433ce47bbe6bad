// TrueType fonts the tests build byte by byte: three glyphs (glyph 0 a triangle box, glyph 1
// (100,0) (500,0) on, (500,400) off, (100,400) on, glyph 2 a composite of glyph 1 moved by
// (1000, 0)) in a font of 1000 units per em whose box runs from (0,-200) to (1500,800), a format-4
// character map of the given segments, and on request a name record of another language. A font
// for GDI also gets the tables a system's font engine wants (horizontal header and metrics, OS/2
// with its code pages, names, post) and a full maximum-profile table, so that it can be installed
// for the process and drawn through GDI under its family name.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace truetype {

using Bytes = std::vector<BYTE>;

struct BigEndianWriter {
  Bytes bytes;
  void U16(int value) {
    bytes.push_back(static_cast<BYTE>(value >> 8));
    bytes.push_back(static_cast<BYTE>(value));
  }
  void U32(DWORD value) {
    U16(static_cast<int>(value >> 16));
    U16(static_cast<int>(value & 0xFFFF));
  }
  void Raw(const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
  // UTF-16BE of ASCII text.
  void Utf16(const std::string& text) {
    for (char c : text) U16(static_cast<unsigned char>(c));
  }
};

struct Segment {
  WORD first, last, glyph;
};

struct FontSpec {
  int cmapPlatform = 3, cmapEncoding = 1;
  std::vector<Segment> segments = {{'A', 'B', 1}};
  int nameLanguage = 0;  // 0: no name table of another language
  // A font GDI can install: family name and the OS/2 code pages (bit 0 Latin 1, bit 18 GB2312).
  bool forGdi = false;
  std::string family = "TalvexTest";
  DWORD codePages = 1;
};

inline Bytes NotdefGlyph() {
  BigEndianWriter glyf;
  glyf.U16(1), glyf.U16(0), glyf.U16(0), glyf.U16(100), glyf.U16(100);
  glyf.U16(2), glyf.U16(0);
  glyf.bytes.insert(glyf.bytes.end(), {0x09, 0x02});  // three on-curve points, int16 deltas
  glyf.U16(0), glyf.U16(100), glyf.U16(0xFF9C);
  glyf.U16(0), glyf.U16(0), glyf.U16(100);
  return glyf.bytes;
}

inline Bytes SimpleGlyph() {
  BigEndianWriter glyph;
  glyph.U16(1), glyph.U16(100), glyph.U16(0), glyph.U16(500), glyph.U16(400);
  glyph.U16(3), glyph.U16(0);
  glyph.bytes.insert(glyph.bytes.end(), {0x09, 0x01, 0x00, 0x01});
  for (int dx : {100, 400, 0, -400}) glyph.U16(dx & 0xFFFF);
  for (int dy : {0, 0, 400, 0}) glyph.U16(dy & 0xFFFF);
  return glyph.bytes;
}

inline Bytes CompositeGlyph() {
  BigEndianWriter glyph;
  glyph.U16(0xFFFF), glyph.U16(1100), glyph.U16(0), glyph.U16(1500), glyph.U16(400);
  glyph.U16(0x0003), glyph.U16(1), glyph.U16(1000), glyph.U16(0);
  return glyph.bytes;
}

inline Bytes NameTable(const FontSpec& spec) {
  // The family, its style, the full name and the PostScript name, in Windows Unicode (English);
  // then, when asked, one name of another language.
  std::vector<std::pair<int, std::string>> names;
  if (spec.forGdi) names = {{1, spec.family}, {2, "Regular"}, {4, spec.family}, {6, spec.family}};
  BigEndianWriter strings;
  BigEndianWriter name;
  int count = static_cast<int>(names.size()) + (spec.nameLanguage ? 1 : 0);
  name.U16(0), name.U16(count), name.U16(6 + 12 * count);
  for (const auto& [id, text] : names) {
    name.U16(3), name.U16(1), name.U16(0x409), name.U16(id),
        name.U16(2 * static_cast<int>(text.size()));
    name.U16(static_cast<int>(strings.bytes.size()));
    strings.Utf16(text);
  }
  if (spec.nameLanguage) {
    name.U16(3), name.U16(1), name.U16(spec.nameLanguage), name.U16(4), name.U16(2);
    name.U16(static_cast<int>(strings.bytes.size()));
    strings.U16(0x4E2D);
  }
  name.Raw(strings.bytes);
  return name.bytes;
}

inline void AddGdiTables(const FontSpec& spec, std::map<std::string, Bytes>& tables) {
  const int glyphs = 3;
  BigEndianWriter hhea;
  hhea.U32(0x00010000), hhea.U16(800), hhea.U16(0xFF38), hhea.U16(0), hhea.U16(1000);
  hhea.U16(0), hhea.U16(0), hhea.U16(1500), hhea.U16(1), hhea.U16(0), hhea.U16(0);
  for (int i = 0; i < 4; ++i) hhea.U16(0);
  hhea.U16(0), hhea.U16(glyphs);
  tables["hhea"] = hhea.bytes;
  BigEndianWriter hmtx;
  for (int i = 0; i < glyphs; ++i) hmtx.U16(1000), hmtx.U16(100);
  tables["hmtx"] = hmtx.bytes;
  BigEndianWriter os2;
  os2.U16(1), os2.U16(600), os2.U16(400), os2.U16(5), os2.U16(0);
  for (int value : {650, 700, 0, 140, 650, 700, 0, 480, 50, 250}) os2.U16(value);
  os2.U16(0);                                           // family class
  for (int i = 0; i < 10; ++i) os2.bytes.push_back(0);  // panose
  // Basic Latin and Latin-1, and with GB2312 the unified CJK ideographs (range bit 59).
  os2.U32(3), os2.U32(spec.codePages & (1u << 18) ? 0x08000000u : 0), os2.U32(0), os2.U32(0);
  os2.bytes.insert(os2.bytes.end(), {'T', 'L', 'V', 'X'});
  os2.U16(0x40), os2.U16(0x20), os2.U16(0xFFFF);
  os2.U16(800), os2.U16(0xFF38), os2.U16(0), os2.U16(800), os2.U16(200);
  os2.U32(spec.codePages), os2.U32(0);
  tables["OS/2"] = os2.bytes;
  BigEndianWriter post;
  post.U32(0x00030000), post.U32(0), post.U16(0xFF9C), post.U16(50);
  for (int i = 0; i < 5; ++i) post.U32(0);
  tables["post"] = post.bytes;
}

inline Bytes BuildFont(const FontSpec& spec) {
  std::map<std::string, Bytes> tables;
  BigEndianWriter head;
  head.U32(0x00010000), head.U32(0), head.U32(0), head.U32(0x5F0F3CF5), head.U16(0), head.U16(1000);
  for (int i = 0; i < 8; ++i) head.U16(0);
  head.U16(0), head.U16(0xFF38), head.U16(1500), head.U16(800);  // box 0,-200 to 1500,800
  head.U16(0), head.U16(8), head.U16(2), head.U16(0), head.U16(0);
  tables["head"] = head.bytes;
  BigEndianWriter maxp;
  if (spec.forGdi) {
    maxp.U32(0x00010000), maxp.U16(3);
    for (int value : {8, 2, 8, 2, 2, 0, 0, 0, 0, 0, 0, 1, 1}) maxp.U16(value);
  } else {
    maxp.U32(0x00005000), maxp.U16(3);
  }
  tables["maxp"] = maxp.bytes;

  std::vector<Bytes> glyphs = {NotdefGlyph(), SimpleGlyph(), CompositeGlyph()};
  BigEndianWriter glyf, loca;
  for (Bytes& glyph : glyphs) {
    if (glyph.size() % 2) glyph.push_back(0);
    loca.U16(static_cast<int>(glyf.bytes.size() / 2));
    glyf.Raw(glyph);
  }
  loca.U16(static_cast<int>(glyf.bytes.size() / 2));
  tables["glyf"] = glyf.bytes;
  tables["loca"] = loca.bytes;

  std::vector<Segment> segments = spec.segments;
  segments.push_back({0xFFFF, 0xFFFF, 1});
  BigEndianWriter cmap;
  cmap.U16(0), cmap.U16(1), cmap.U16(spec.cmapPlatform), cmap.U16(spec.cmapEncoding), cmap.U32(12);
  int count = static_cast<int>(segments.size());
  cmap.U16(4), cmap.U16(16 + 8 * count), cmap.U16(0), cmap.U16(2 * count);
  cmap.U16(2), cmap.U16(0), cmap.U16(0);
  for (const Segment& s : segments) cmap.U16(s.last);
  cmap.U16(0);
  for (const Segment& s : segments) cmap.U16(s.first);
  for (const Segment& s : segments) cmap.U16((s.glyph - s.first) & 0xFFFF);
  for (size_t i = 0; i < segments.size(); ++i) cmap.U16(0);
  tables["cmap"] = cmap.bytes;

  if (spec.nameLanguage || spec.forGdi) tables["name"] = NameTable(spec);
  if (spec.forGdi) AddGdiTables(spec, tables);

  BigEndianWriter font;
  font.U32(0x00010000), font.U16(static_cast<int>(tables.size())), font.U16(0), font.U16(0),
      font.U16(0);
  DWORD offset = static_cast<DWORD>(12 + 16 * tables.size());
  for (auto& [tag, data] : tables) {
    font.bytes.insert(font.bytes.end(), tag.begin(), tag.end());
    font.U32(0), font.U32(offset), font.U32(static_cast<DWORD>(data.size()));
    offset += static_cast<DWORD>((data.size() + 3) / 4 * 4);
  }
  for (auto& [tag, data] : tables) {
    font.Raw(data);
    while (font.bytes.size() % 4) font.bytes.push_back(0);
  }
  return font.bytes;
}

}  // namespace truetype
