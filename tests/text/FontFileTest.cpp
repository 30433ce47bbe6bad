// Own font files written by the font writer and read back through the font table: the header with
// its scrambled display name, the index lookup, glyphs in every encoding, mounting folders with
// gaps, and damaged files (cut short, impossible offsets and lengths, wrong versions, no font at
// all) that give no glyph and never crash. Files live in a temporary folder; no window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "model/settings/IniFile.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"
#include "text/CftFile.h"
#include "text/CftFileWriter.h"
#include "text/CftFontTable.h"
#include "text/GlyphCodec.h"
#include "text/GlyphTestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

CftHeader TestHeader(float version, LPCSTR name = "Test") {
  CftHeader header;
  strcpy(header.magic, "TCFT");
  header.version = version;
  header.names[0] = CString(name) + " cn";
  header.names[1] = CString(name) + " en";
  header.names[2] = CString(name) + " display";
  header.sqh = 0xB0;
  header.eqh = 0xB1;
  header.swh = 0xA1;
  header.ewh = 0xA4;
  return header;
}

// Codes B0A1-B1A4 hold glyphs except B0A3, which the source leaves out.
bool WriteTestFont(const std::string& path, float version, LPCSTR name = "Test") {
  CGlyphCodec codec;
  return CCftFileWriter::Write(
      path.c_str(), TestHeader(version, name),
      [](WORD code) { return code == 0xB0A3 ? nullptr : GlyphForCode(code); }, codec);
}

TEST(FontFile, GlyphsOfEveryVersionReadBackIdenticalThroughTheIndex) {
  TempFolder folder;
  for (float version : {5.4f, 6.0f, 6.09f, 6.1f}) {
    std::string path = folder.File("font.cft");
    ASSERT_TRUE(WriteTestFont(path, version)) << version;
    CCftFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ(version, file.GetHeader().version);
    for (WORD code : {0xB0A1, 0xB0A2, 0xB1A4}) {
      std::unique_ptr<CContour> glyph(file.ReadGlyph(code, nullptr));
      ASSERT_TRUE(glyph) << version << " " << std::hex << code;
      EXPECT_EQ(WithEndMark(MixedGlyphPoints(code & 0x0F)), PointsOf(glyph.get()));
    }
    EXPECT_EQ(nullptr, std::unique_ptr<CContour>(file.ReadGlyph(0xB0A3, nullptr)));
    EXPECT_EQ(0u, file.FindGlyphOffset(0xB0A3));
    EXPECT_EQ(0u, file.FindGlyphOffset(0xB2A1));  // outside the lead bytes
    EXPECT_EQ(0u, file.FindGlyphOffset(0x0041));  // a single-byte code
  }
}

std::vector<POINTREC> Moved(std::vector<POINTREC> points, float dx, float dy) {
  for (POINTREC& point : points) {
    point.x += dx;
    point.y += dy;
  }
  return points;
}

TEST(FontFile, TheHeadersOffsetsMoveEveryGlyphEachAlongItsOwnAxis) {
  TempFolder folder;
  for (float version : {5.4f, 6.0f}) {
    // Offsets that differ in size and sign: x 7, y -13, at bytes 122 and 124 of the header.
    std::string shifted = folder.File("shifted.cft"), plain = folder.File("plain.cft");
    ASSERT_TRUE(WriteTestFont(shifted, version));
    ASSERT_TRUE(WriteTestFont(plain, version));
    Bytes bytes = ReadFileBytes(shifted);
    CByteWriter offsets(bytes.data() + 122, 4);
    offsets.WriteInt16(7);
    offsets.WriteInt16(-13);
    WriteFileBytes(shifted, bytes);

    CCftFontTable table;
    ASSERT_EQ(1, table.AddEntry(0, 0, CFontEntry{shifted.c_str(), "shifted"}));
    ASSERT_EQ(1, table.AddEntry(0, 0, CFontEntry{plain.c_str(), "plain"}));
    // Glyph by glyph, taking turns with a font without offsets: none leaks into the other.
    for (WORD code : {0xB0A1, 0xB0A2, 0xB0A4, 0xB1A1, 0xB1A4}) {
      std::unique_ptr<CContour> moved(table.ReadGlyph(0, 0, 0, code, nullptr));
      std::unique_ptr<CContour> kept(table.ReadGlyph(0, 0, 1, code, nullptr));
      ASSERT_TRUE(moved && kept) << version << " " << std::hex << code;
      const std::vector<POINTREC> source = MixedGlyphPoints(code & 0x0F);
      EXPECT_EQ(WithEndMark(Moved(source, 7, -13)), PointsOf(moved.get()))
          << version << " " << std::hex << code;
      EXPECT_EQ(WithEndMark(source), PointsOf(kept.get())) << version << " " << std::hex << code;
    }
  }
}

TEST(FontFile, HeaderNamesSurviveAndTheDisplayNameIsStoredScrambled) {
  TempFolder folder;
  std::string path = folder.File("font.cft");
  ASSERT_TRUE(WriteTestFont(path, 6.0f, "Kai"));
  Bytes bytes = ReadFileBytes(path);
  ASSERT_GE(bytes.size(), 144u);
  EXPECT_EQ(0, memcmp(bytes.data(), "TCFT\0", 5));
  EXPECT_EQ(0, memcmp(bytes.data() + 16, "Kai cn", 6));
  EXPECT_NE(0, memcmp(bytes.data() + 80, "Kai display", 11));
  CCftFile file;
  ASSERT_TRUE(file.Open(path.c_str()));
  EXPECT_STREQ("Kai display", file.GetHeader().names[2]);
  EXPECT_EQ(144u, file.GetHeader().indexOffset);
  // The index holds scrambled offsets, -1 for the missing glyph.
  DWORD stored = bytes[144 + 8] | bytes[145 + 8] << 8 | bytes[146 + 8] << 16 | bytes[147 + 8] << 24;
  EXPECT_EQ(0xFFFFFFFFu, stored);
}

TEST(FontFile, OlderFilesAreRecognisedByTheirOwnMagic) {
  Bytes older(58, 0);
  older[0] = CftHeader::kOlderMagic[0];
  older[1] = CftHeader::kOlderMagic[1];
  memcpy(older.data() + 16, "Old", 3);
  older[48] = 0x00, older[49] = 0x04;  // 1024
  older[50] = 0xB0, older[51] = 0xB0, older[52] = 0xA1, older[53] = 0xFE;
  older[54] = 5;
  CftHeader header;
  ASSERT_TRUE(header.Parse(older.data(), older.size()));
  EXPECT_EQ(5.4f, header.version);
  EXPECT_EQ(80u, header.indexOffset);
  EXPECT_STREQ("Old", header.names[2]);
  EXPECT_EQ(5, header.xOffset);
  EXPECT_FALSE(header.Parse(older.data(), 57));
}

TEST(FontFileDamage, DamagedFilesGiveNoGlyphAndNeverCrash) {
  TempFolder folder;
  std::string good = folder.File("good.cft");
  ASSERT_TRUE(WriteTestFont(good, 6.0f));
  Bytes bytes = ReadFileBytes(good);
  std::string path = folder.File("bad.cft");
  auto glyphOf = [&](const Bytes& file) {
    WriteFileBytes(path, file);
    CCftFile font;
    if (!font.Open(path.c_str())) return std::unique_ptr<CContour>();
    return std::unique_ptr<CContour>(font.ReadGlyph(0xB0A1, nullptr));
  };
  ASSERT_TRUE(glyphOf(bytes));

  for (size_t size : {size_t(0), size_t(10), size_t(143), size_t(144), size_t(160)})
    EXPECT_EQ(nullptr, glyphOf(Bytes(bytes.begin(), bytes.begin() + size))) << size;

  Bytes notFont = bytes;
  notFont[0] = 0x01;
  EXPECT_EQ(nullptr, glyphOf(notFont));
  Bytes noVersion = bytes;
  noVersion[8] = noVersion[9] = noVersion[10] = 0xFF, noVersion[11] = 0x7F;  // NaN
  EXPECT_EQ(nullptr, glyphOf(noVersion));
  Bytes newer = bytes;
  CByteWriter(newer.data() + 8, 4).WriteFloat(7.0f);  // no encoding for it
  EXPECT_EQ(nullptr, glyphOf(newer));
  Bytes farIndex = bytes;
  CByteWriter(farIndex.data() + 112, 4).WriteDWord(0x7FFFFFF0);
  EXPECT_EQ(nullptr, glyphOf(farIndex));
  Bytes wideRange = bytes;
  wideRange[118] = 0x00, wideRange[119] = 0xFF, wideRange[120] = 0x00, wideRange[121] = 0xFF;
  EXPECT_EQ(nullptr, glyphOf(wideRange));

  // The first record: its offset is the index's end; a huge length and an offset into the index.
  size_t record = 144 + 8 * 4;
  Bytes hugeLength = bytes;
  CByteWriter(hugeLength.data() + record, 4).WriteDWord(0x7FFFFFFF);
  EXPECT_EQ(nullptr, glyphOf(hugeLength));
  Bytes intoIndex = bytes;
  CByteWriter(intoIndex.data() + 144, 4).WriteDWord(CftHeader::ScrambleOffset(150, 0));
  EXPECT_EQ(nullptr, glyphOf(intoIndex));
  Bytes pastEnd = bytes;
  CByteWriter(pastEnd.data() + 144, 4).WriteDWord(CftHeader::ScrambleOffset(0x10000000, 0));
  EXPECT_EQ(nullptr, glyphOf(pastEnd));
}

TEST(FontMount, FoldersWithoutFontsKeepTheirColumnsAndFilesThatAreNoFontsAreLeftOut) {
  TempFolder root;
  std::string first = root.Path() + "empty\\", second = root.Path() + "two\\",
              third = root.Path() + "one\\";
  for (const std::string& folder : {first, second, third})
    CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WriteTestFont(second + "A.CFT", 6.0f, "Alpha"));
  ASSERT_TRUE(WriteTestFont(second + "B.CFT", 5.4f, "Beta"));
  ASSERT_TRUE(WriteTestFont(third + "C.CFT", 6.1f, "Gamma"));
  WriteFileBytes(third + "junk.CFT", Bytes(300, 0x20));

  CIniFile settings;
  ASSERT_TRUE(settings.SetPath(root.File("TALVEX42.INI").c_str()));
  settings.WriteInt("SystemParam", "Language", 1033);
  settings.WriteInt("Language0", "Mounts", 3);
  settings.WriteString("Language0", "MountPath0", first.c_str());
  settings.WriteString("Language0", "MountPath1", second.c_str());
  settings.WriteString("Language0", "MountPath2", third.substr(0, third.size() - 1).c_str());
  settings.WriteInt("Language1", "Mounts", 2);
  settings.WriteString("Language1", "MountPath1", third.c_str());  // after an empty one: unused

  CCftFontTable table;
  table.Mount(settings);
  EXPECT_EQ(3, table.GetColumnCount(0));
  EXPECT_EQ(0, table.GetEntryCount(0, 0));
  EXPECT_EQ(2, table.GetEntryCount(0, 1));
  EXPECT_EQ(1, table.GetEntryCount(0, 2));
  EXPECT_EQ(0, table.GetColumnCount(1));
  EXPECT_EQ(0, table.FindEntry(0, 2, "Gamma en"));
  CString path;
  table.GetEntryName(0, 2, 0, path);
  EXPECT_STREQ((third + "C.CFT").c_str(), path);
  std::unique_ptr<CContour> glyph(table.ReadGlyph(0, 2, 0, 0xB0A2, nullptr));
  ASSERT_TRUE(glyph);
  EXPECT_EQ(WithEndMark(MixedGlyphPoints(2)), PointsOf(glyph.get()));
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(table.ReadGlyph(0, 3, 0, 0xB0A2, nullptr)));
  CString name;
  table.GetFontName(0, 2, 0, name);
  EXPECT_STREQ("Gamma display", name);
  int beta = table.FindEntry(0, 1, "Beta en");
  table.GetFontName(0, 1, beta, name);
  EXPECT_STREQ("", name);  // older than 6.0: no display name
}

}  // namespace
