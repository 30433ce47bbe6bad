// Font files the building dialogs write, without windows: the Latin code-table file against bytes
// laid out by hand, refused whole once its 16-bit offsets would overflow; own font files whose
// source gives no glyph, refuses glyphs or meets a failing disk, never leaving a partial file under
// the target's name; glyphs added to an existing font file or a new one, codes outside its range
// and files of another encoding refused; and glyphs made from the curves of page cells.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/File.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/SegArray.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"
#include "text/CftFile.h"
#include "text/CftFileWriter.h"
#include "text/CftFontUpdate.h"
#include "text/GlyphCodec.h"
#include "text/GlyphTestSupport.h"
#include "text/LatinFontFile.h"
#include "text/ScreenGlyphs.h"

namespace {

using Bytes = std::vector<BYTE>;

int FilesIn(const TempFolder& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder.Path() + "*").c_str(), &found);
  int files = 0;
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

// Out along x by 100, back: the smallest outline the codec stores.
std::vector<POINTREC> Stroke() {
  return {MakePointRecord(0, 0, 0x11), MakePointRecord(100, 0, 0x01), MakePointRecord(0, 0, 0x41)};
}

// A glyph of many points whose steps need the wide field: a record of some 1,600 bytes.
std::vector<POINTREC> LargeGlyph() {
  std::vector<POINTREC> points = {MakePointRecord(0, 0, 0x11)};
  for (int i = 1; i < 600; ++i)
    points.push_back(MakePointRecord(static_cast<float>((i % 2) * 3000), static_cast<float>(i), 1));
  points.push_back(MakePointRecord(0, 0, 0x41));
  return points;
}

CftHeader SmallRange() {
  CftHeader header;
  lstrcpynA(header.magic, "TCFT", sizeof header.magic);
  header.version = 6.0f;
  header.names[0] = header.names[1] = header.names[2] = "T";
  header.sqh = header.eqh = 0xB0;
  header.swh = 0xA1;
  header.ewh = 0xA4;
  return header;
}

TEST(LatinFontFile, TableOfSixteenBitOffsetsThenTheRecordsInCodeOrder) {
  TempFolder folder;
  std::string path = folder.File("LATIN.CFT");
  CGlyphCodec codec;
  // Glyphs for '!' and '#' only; '"' and the rest have none.
  CLatinFontFile::Outcome outcome = CLatinFontFile::Build(
      path.c_str(),
      [](int code) { return code == 33 || code == 35 ? MakeGlyph(Stroke()) : nullptr; }, codec);
  ASSERT_TRUE(outcome.written);
  EXPECT_EQ(2, outcome.glyphs);

  // The record of the stroke (encoding B): length 13, flags w = 7 with no curve step (0x87), one
  // contour ending at point 2, codes (x none, y none) (x +byte, y none) (x -byte, y none) as the
  // nibbles A 9 B, then the two x bytes 100 and 100.
  const Bytes record = {13, 0, 0, 0, 0x87, 1, 0, 2, 0, 0xA9, 0xB0, 100, 100};
  Bytes expected(188, 0);
  expected[0] = 188;       // '!' at 188
  expected[4] = 188 + 13;  // '#' right after it
  expected.insert(expected.end(), record.begin(), record.end());
  expected.insert(expected.end(), record.begin(), record.end());
  EXPECT_EQ(expected, ReadFileBytes(path));
}

TEST(LatinFontFile, OffsetsPastSixteenBitsRefuseTheWholeFileAndKeepTheOldOne) {
  TempFolder folder;
  std::string path = folder.File("LATIN.CFT");
  WriteFileBytes(path, {1, 2, 3});
  CGlyphCodec codec;
  CLatinFontFile::Outcome outcome = CLatinFontFile::Build(
      path.c_str(), [](int) { return MakeGlyph(LargeGlyph()); }, codec);
  EXPECT_FALSE(outcome.written);
  // The record that would start past 65535: 188 + k records of the same length.
  Bytes one;
  CLatinFontFile::Outcome probe;
  ASSERT_TRUE(CLatinFontFile::Encode(
      [](int code) { return code == 33 ? MakeGlyph(LargeGlyph()) : nullptr; }, codec, one, probe));
  size_t length = one.size() - 188;
  int fitting = static_cast<int>((65535 - 188) / length) + 1;
  EXPECT_EQ(33 + fitting, outcome.tooLargeAt);
  EXPECT_EQ((Bytes{1, 2, 3}), ReadFileBytes(path));
  EXPECT_EQ(1, FilesIn(folder));
  // No glyph at all: no file either.
  EXPECT_FALSE(CLatinFontFile::Build(
                   folder.File("NONE.CFT").c_str(), [](int) { return nullptr; }, codec)
                   .written);
  EXPECT_EQ(1, FilesIn(folder));
}

TEST(CftFileWriter, CountsMissingAndRefusedGlyphsAndWritesNothingWithoutOne) {
  TempFolder folder;
  std::string path = folder.File("F.CFT");
  CGlyphCodec codec;
  // A1 a glyph, A2 none, A3 a glyph without movement (refused), A4 a glyph.
  auto source = [](WORD code) -> CContour* {
    if (code == 0xB0A2) return nullptr;
    if (code == 0xB0A3)
      return MakeGlyph({MakePointRecord(0, 0, 0x11), MakePointRecord(0, 0, 0x41)});
    return GlyphForCode(code);
  };
  std::vector<WORD> told;
  CCftFileWriter::Outcome outcome = CCftFileWriter::Build(path.c_str(), SmallRange(), source, codec,
                                                          [&told](WORD code, const CContour*) {
                                                            told.push_back(code);
                                                          });
  ASSERT_TRUE(outcome.written);
  EXPECT_EQ(2, outcome.glyphs);
  EXPECT_EQ(1, outcome.missing);
  EXPECT_EQ(1, outcome.refused);
  EXPECT_EQ((std::vector<WORD>{0xB0A1, 0xB0A2, 0xB0A3, 0xB0A4}), told);
  CCftFile file;
  ASSERT_TRUE(file.Open(path.c_str()));
  for (WORD code : {0xB0A1, 0xB0A4}) {
    std::unique_ptr<CContour> glyph(file.ReadGlyph(code, nullptr));
    EXPECT_EQ(WithEndMark(MixedGlyphPoints(code & 0x0F)), PointsOf(glyph.get())) << code;
  }
  EXPECT_EQ(0u, file.FindGlyphOffset(0xB0A3));

  CCftFileWriter::Outcome none = CCftFileWriter::Build(
      folder.File("NONE.CFT").c_str(), SmallRange(), [](WORD) { return nullptr; }, codec);
  EXPECT_FALSE(none.written);
  EXPECT_EQ(4, none.missing);
  EXPECT_EQ(1, FilesIn(folder));
}

TEST(CftFileWriter, AFailingDiskLeavesTheOldFileAndNoPartialOne) {
  TempFolder folder;
  std::string path = folder.File("F.CFT");
  WriteFileBytes(path, {9, 9});
  CGlyphCodec codec;
  // The disk takes half of the file, then reports it full.
  auto full = [](CFile& file, const BYTE* data, size_t size) {
    file.Write(data, static_cast<UINT>(size / 2));
    ::SetLastError(ERROR_DISK_FULL);
    return false;
  };
  CCftFileWriter::Outcome outcome = CCftFileWriter::Build(path.c_str(), SmallRange(), GlyphForCode,
                                                          codec, nullptr, full);
  EXPECT_FALSE(outcome.written);
  EXPECT_EQ(CFontFileOutput::kCannotWrite, outcome.output);
  EXPECT_EQ((Bytes{9, 9}), ReadFileBytes(path));
  EXPECT_EQ(1, FilesIn(folder));
  // A folder that does not exist cannot take the file.
  EXPECT_EQ(CFontFileOutput::kCannotCreate,
            CCftFileWriter::Build(folder.File("none\\F.CFT").c_str(), SmallRange(), GlyphForCode,
                                  codec)
                .output);
}

TEST(CftFontUpdate, ANewFileGetsTheSingleLineFontsHeaderAndItsGlyphs) {
  TempFolder folder;
  std::string path = folder.File("NFONT.CFT");
  CCftFontUpdate font;
  ASSERT_EQ(CCftFontUpdate::kCreated, font.Open(path.c_str()));
  CGlyphCodec codec;
  std::unique_ptr<CContour> glyph(GlyphForCode(0xB0A1));
  EXPECT_TRUE(font.Add(0xB0A1, glyph.get(), codec));
  EXPECT_FALSE(font.Add(0xA0A1, glyph.get(), codec));  // lead byte below A1
  EXPECT_FALSE(font.Add(0xA1A0, glyph.get(), codec));  // trail byte below A1
  ASSERT_EQ(CFontFileOutput::kWritten, font.Save());

  CCftFile file;
  ASSERT_TRUE(file.Open(path.c_str()));
  const CftHeader& header = file.GetHeader();
  EXPECT_STREQ("单线细圆", header.names[0]);
  EXPECT_STREQ("SL_Y1", header.names[1]);
  EXPECT_STREQ("单线细圆", header.names[2]);
  EXPECT_EQ(2052, header.languageId);
  EXPECT_EQ(6.0f, header.version);
  EXPECT_EQ((std::vector<int>{161, 254, 161, 255}),
            (std::vector<int>{header.sqh, header.eqh, header.swh, header.ewh}));
  EXPECT_GT(ReadFileBytes(path).size(), 144u + 94 * 95 * 4);  // a whole table, then the record
  std::unique_ptr<CContour> read(file.ReadGlyph(0xB0A1, nullptr));
  EXPECT_EQ(WithEndMark(MixedGlyphPoints(1)), PointsOf(read.get()));
  EXPECT_EQ(0u, file.FindGlyphOffset(0xB0A2));
}

TEST(CftFontUpdate, ANewFileTakesRecordsOfItsOwnVersionOrNoneAtAll) {
  const struct {
    float version;
    bool writes;
  } versions[] = {{5.4f, false}, {6.0f, true}, {6.1f, true}, {6.11f, false}};
  for (const auto& v : versions) {
    SCOPED_TRACE(v.version);
    TempFolder folder;
    std::string path = folder.File("V.CFT");
    CftHeader header = SmallRange();
    header.version = v.version;
    CCftFontUpdate font;
    if (!v.writes) {
      EXPECT_EQ(CCftFontUpdate::kOtherEncoding, font.Open(path.c_str(), &header));
      continue;
    }
    ASSERT_EQ(CCftFontUpdate::kCreated, font.Open(path.c_str(), &header));
    CGlyphCodec codec;
    std::unique_ptr<CContour> glyph(MakeGlyph(PolygonGlyphPoints()));
    ASSERT_TRUE(font.Add(0xB0A2, glyph.get(), codec));
    ASSERT_EQ(CFontFileOutput::kWritten, font.Save());
    CCftFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ(v.version, file.GetHeader().version);
    EXPECT_EQ(WithEndMark(PolygonGlyphPoints()),
              PointsOf(std::unique_ptr<CContour>(file.ReadGlyph(0xB0A2, nullptr)).get()));
    // A later run goes on with the file.
    EXPECT_EQ(CCftFontUpdate::kOpened, CCftFontUpdate().Open(path.c_str()));
  }
}

TEST(CftFontUpdate, AnExistingFileKeepsItsOtherGlyphsWhateverItsRange) {
  TempFolder folder;
  std::string path = folder.File("WIDE.CFT");
  // A range wider than the 95 x 95 of the single-line font: lead 81-FE, trail 40-FE.
  CftHeader wide = SmallRange();
  wide.sqh = 0x81, wide.eqh = 0xFE, wide.swh = 0x40, wide.ewh = 0xFE;
  CGlyphCodec codec;
  ASSERT_TRUE(CCftFileWriter::Write(
      path.c_str(), wide,
      [](WORD code) { return code == 0xFE40 || code == 0x8140 ? GlyphForCode(code) : nullptr; },
      codec));
  CCftFontUpdate font;
  ASSERT_EQ(CCftFontUpdate::kOpened, font.Open(path.c_str()));
  std::unique_ptr<CContour> glyph(MakeGlyph(PolygonGlyphPoints()));
  EXPECT_TRUE(font.Add(0xFEFE, glyph.get(), codec));  // the very last entry
  ASSERT_EQ(CFontFileOutput::kWritten, font.Save());
  CCftFile file;
  ASSERT_TRUE(file.Open(path.c_str()));
  EXPECT_EQ(WithEndMark(MixedGlyphPoints(0)),
            PointsOf(std::unique_ptr<CContour>(file.ReadGlyph(0xFE40, nullptr)).get()));
  EXPECT_EQ(WithEndMark(MixedGlyphPoints(0)),
            PointsOf(std::unique_ptr<CContour>(file.ReadGlyph(0x8140, nullptr)).get()));
  EXPECT_EQ(WithEndMark(PolygonGlyphPoints()),
            PointsOf(std::unique_ptr<CContour>(file.ReadGlyph(0xFEFE, nullptr)).get()));
}

TEST(CftFontUpdate, FilesItCannotAddToAreRefusedUntouched) {
  TempFolder folder;
  CGlyphCodec codec;
  std::string older = folder.File("OLD.CFT"), notFont = folder.File("TEXT.CFT");
  CftHeader header = SmallRange();
  header.version = 5.4f;  // its records are read in the older encoding
  ASSERT_TRUE(CCftFileWriter::Write(older.c_str(), header, GlyphForCode, codec));
  WriteFileBytes(notFont, Bytes(300, 'x'));
  Bytes olderBytes = ReadFileBytes(older);
  CCftFontUpdate font;
  EXPECT_EQ(CCftFontUpdate::kOtherEncoding, font.Open(older.c_str()));
  EXPECT_EQ(CCftFontUpdate::kNotFont, font.Open(notFont.c_str()));
  // A header whose index table runs past the file's end.
  CByteWriter cut;
  SmallRange().WriteTo(cut);
  WriteFileBytes(notFont, Bytes(cut.Data(), cut.Data() + cut.Size()));
  EXPECT_EQ(CCftFontUpdate::kNotFont, font.Open(notFont.c_str()));
  EXPECT_EQ(olderBytes, ReadFileBytes(older));
}

TEST(ScreenGlyphs, CurvesInsideACellBecomeOneGlyphInGlyphUnits) {
  CSegArray blocks;
  auto square = [&blocks](float left, float top, float right, float bottom) {
    CCurveBlock* curve = new CCurveBlock;
    curve->AddRectangle(left, top, right, bottom);
    curve->EndCurve();
    blocks.AddBlock(curve);
  };
  square(2.25f, -0.5f, 2.5f, 1.0f);    // inside the cell of '#' (x 2 to 3)
  square(2.75f, 0.0f, 2.875f, 0.25f);  // inside too: appended
  square(2.9f, 0.0f, 3.1f, 0.5f);      // across the cell's edge: left out
  std::unique_ptr<CContour> glyph(CScreenGlyphs::GetCellGlyph(blocks, CFRect(2, -1, 3, 1.5f)));
  ASSERT_TRUE(glyph);
  CFRect box = glyph->GetBox();
  box.Normalize();
  // x: (x - 2) * 1024; y: y * 1024.
  EXPECT_FLOAT_EQ(256, box.left);
  EXPECT_FLOAT_EQ(896, box.right);
  EXPECT_FLOAT_EQ(-512, box.top);
  EXPECT_FLOAT_EQ(1024, box.bottom);
  EXPECT_EQ(nullptr,
            std::unique_ptr<CContour>(CScreenGlyphs::GetCellGlyph(blocks, CFRect(0, -1, 1, 1.5f))));

  // A square cell of side 30 at (60, 30): the side becomes 1024 with its corner at the origin; a
  // curve that reaches a little over the cell's edge still counts.
  CSegArray cells;
  CCurveBlock* curve = new CCurveBlock;
  curve->AddRectangle(59, 33, 75, 60.5f);
  curve->EndCurve();
  cells.AddBlock(curve);
  glyph.reset(CScreenGlyphs::GetRectGlyph(cells, CFRect(60, 30, 90, 60)));
  ASSERT_TRUE(glyph);
  box = glyph->GetBox();
  box.Normalize();
  const float scale = 1024.0f / 30;
  EXPECT_NEAR(-1 * scale, box.left, 0.01f);
  EXPECT_NEAR(15 * scale, box.right, 0.01f);
  EXPECT_NEAR(3 * scale, box.top, 0.01f);
  EXPECT_NEAR(30.5f * scale, box.bottom, 0.01f);
  EXPECT_EQ(nullptr,
            std::unique_ptr<CContour>(CScreenGlyphs::GetRectGlyph(cells, CFRect(90, 30, 120, 60))));
}

}  // namespace
