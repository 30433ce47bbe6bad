// The TrueType reader on fonts the test builds byte by byte: a simple glyph with a quadratic piece,
// a composite glyph made of it, a code the character map does not map, a Big5 font found by its
// name record, the glyph-unit mapping of the TrueType font table, and damaged files (cut short,
// offsets and lengths outside the file) that give no glyph. Files live in a temporary folder; no
// window.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"
#include "support/TrueTypeFont.h"
#include "text/CodeTable.h"
#include "text/GlyphTestSupport.h"
#include "text/TrueTypeFile.h"
#include "text/TtfFontTable.h"

namespace {

using truetype::BuildFont;
using truetype::Bytes;
using truetype::FontSpec;

std::string WriteFont(const TempFolder& folder, const Bytes& font, const char* name = "T.TTF") {
  std::string path = folder.File(name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));
  return path;
}

std::vector<POINTREC> SimpleGlyphOutline(float dx) {
  return {MakePointRecord(100 + dx, 0, 0x11),          MakePointRecord(500 + dx, 0, 0x01),
          MakePointRecord(500 + dx, 800.0f / 3, 0x00), MakePointRecord(1100.0f / 3 + dx, 400, 0x00),
          MakePointRecord(100 + dx, 400, 0x01),        MakePointRecord(100 + dx, 0, 0x41)};
}

void ExpectOutline(const std::vector<POINTREC>& expected, const CContour* contour) {
  ASSERT_TRUE(contour);
  std::vector<POINTREC> points = PointsOf(contour);
  ASSERT_EQ(expected.size() + 1, points.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(expected[i].x, points[i].x, 0.01f) << i;
    EXPECT_NEAR(expected[i].y, points[i].y, 0.01f) << i;
    EXPECT_EQ(expected[i].flags, points[i].flags) << i;
  }
}

TEST(TrueTypeReader, SimpleAndCompositeGlyphsOfSingleByteCodes) {
  TempFolder folder;
  std::string path = WriteFont(folder, BuildFont(FontSpec()));
  TtfMetrics metrics;
  std::unique_ptr<CContour> simple(GetTrueTypeGlyph(path.c_str(), 'A', 0, &metrics));
  ExpectOutline(SimpleGlyphOutline(0), simple.get());
  EXPECT_EQ(1000, metrics.unitsPerEm);
  EXPECT_EQ(-200, metrics.yMin);
  std::unique_ptr<CContour> composite(GetTrueTypeGlyph(path.c_str(), 'B', 0, nullptr));
  ExpectOutline(SimpleGlyphOutline(1000), composite.get());
  // Not mapped: no .notdef box in its place.
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(GetTrueTypeGlyph(path.c_str(), 'C', 0, nullptr)));
}

TEST(TrueTypeReader, ChineseCodesAreConvertedForAFontOfTheOtherSet) {
  char program[MAX_PATH * 2] = {};
  GetProgramDir(program, sizeof program);
  CCodeTable gbToBig5(CCodeTable::kGbToBig5), big5ToGb(CCodeTable::kBig5ToGb);
  ASSERT_EQ(1, gbToBig5.LoadFile((std::string(program) + "program\\GB2BIG5.DAT").c_str()));
  ASSERT_EQ(1, big5ToGb.LoadFile((std::string(program) + "program\\BIG52GB.DAT").c_str()));
  TempFolder folder;
  FontSpec big5Font;
  big5Font.cmapEncoding = 4;  // a Big5 character map
  big5Font.segments = {{0xA4A4, 0xA4A4, 1}};
  big5Font.nameLanguage = 1028;
  std::string path = WriteFont(folder, BuildFont(big5Font));
  // 中 as GB D6D0 is Big5 A4A4.
  EXPECT_NE(nullptr, std::unique_ptr<CContour>(
                         GetTrueTypeGlyph(path.c_str(), 0xD6D0, 1, nullptr, &gbToBig5, &big5ToGb)));
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(
                         GetTrueTypeGlyph(path.c_str(), 0xD6D0, 0, nullptr, &gbToBig5, &big5ToGb)));
  EXPECT_NE(nullptr, std::unique_ptr<CContour>(
                         GetTrueTypeGlyph(path.c_str(), 0xA4A4, 2, nullptr, &gbToBig5, &big5ToGb)));

  FontSpec unicode;
  unicode.segments = {{0x4E2D, 0x4E2D, 1}};
  std::string unicodePath = WriteFont(folder, BuildFont(unicode), "U.TTF");
  EXPECT_NE(nullptr,
            std::unique_ptr<CContour>(GetTrueTypeGlyph(unicodePath.c_str(), 0xD6D0, 1, nullptr)));
  EXPECT_NE(nullptr,
            std::unique_ptr<CContour>(GetTrueTypeGlyph(unicodePath.c_str(), 0xA4A4, 2, nullptr)));
}

TEST(TrueTypeFontTable, OutlinesAreMappedIntoGlyphUnitsByTheHeadTable) {
  TempFolder folder;
  WriteFont(folder, BuildFont(FontSpec()), "Sample.TTF");
  CTtfFontTable table;
  EXPECT_EQ(1, table.MountFolder(0, folder.Path().c_str()));
  EXPECT_EQ(0, table.FindEntry(0, 0, "Sample"));
  std::unique_ptr<CContour> glyph(table.GetCharOutline(0, 0, 'A', 0));
  ASSERT_TRUE(glyph);
  POINTREC first = PointsOf(glyph.get())[0];
  EXPECT_NEAR(102.4f, first.x, 0.01f);
  EXPECT_NEAR(819.2f, first.y, 0.01f);  // the baseline, 200 units above the box's bottom
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(table.GetCharOutline(0, 1, 'A', 0)));
}

TEST(TrueTypeReaderDamage, FilesCutShortOrPointingOutsideThemselvesGiveNoGlyph) {
  TempFolder folder;
  const Bytes good = BuildFont(FontSpec());
  auto glyph = [&](const Bytes& font) {
    return std::unique_ptr<CContour>(
        GetTrueTypeGlyph(WriteFont(folder, font).c_str(), 'A', 0, nullptr));
  };
  ASSERT_TRUE(glyph(good));
  for (size_t size = 0; size < good.size(); size += 7)
    glyph(Bytes(good.begin(), good.begin() + size));
  EXPECT_EQ(nullptr, glyph(Bytes(good.begin(), good.end() - 40)));

  Bytes manyTables = good;
  manyTables[4] = 0xFF;
  EXPECT_EQ(nullptr, glyph(manyTables));
  // Every table record's offset moved past the end of the file.
  Bytes outside = good;
  for (size_t record = 12; record < 12 + 16 * 5; record += 16) outside[record + 8] = 0x7F;
  EXPECT_EQ(nullptr, glyph(outside));
  // The simple glyph's contour count raised far above its data.
  Bytes contours = good;
  for (size_t at = 0; at + 4 < contours.size(); ++at)
    if (contours[at] == 0 && contours[at + 1] == 1 && contours[at + 2] == 0 &&
        contours[at + 3] == 100)
      contours[at + 1] = 0x03;
  EXPECT_EQ(nullptr, glyph(contours));
}

// The family names GDI's copy of an installed font's name table gives: only records that lie
// inside the table, whatever it is cut to.
TEST(TrueTypeReaderDamage, FamilyNamesComeOnlyFromRecordsInsideTheNameTable) {
  FontSpec spec;
  spec.forGdi = true;
  spec.family = "Talvex Sign";
  const Bytes table = truetype::NameTable(spec);
  EXPECT_EQ(std::vector<std::wstring>{L"Talvex Sign"}, CTrueTypeFile::FamilyNames(table));
  for (size_t size = 0; size < table.size(); ++size)
    EXPECT_LE(CTrueTypeFile::FamilyNames(Bytes(table.begin(), table.begin() + size)).size(), 1u);
  Bytes outside = table;
  outside[6 + 10] = 0x7F;  // the family record's text far past the table's end
  EXPECT_TRUE(CTrueTypeFile::FamilyNames(outside).empty());
}

}  // namespace
