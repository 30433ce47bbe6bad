// The clip-art collection reader and the library built from a collection, on collection files
// laid out by hand in a temporary folder: what a graphic reads as, every damaged copy refused
// without reading outside the file, and the kinds a build makes of files of 0, 250 and 620
// graphics. No window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "media/library/ClipArtBuild.h"
#include "media/library/ClipArtFile.h"
#include "media/library/LibraryBytes.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Contour.h"
#include "support/TempFolder.h"

using namespace library_test;

namespace {

const WORD kLine = 0x55AB;
const WORD kBezier = 0x55A8;
const WORD kSkipped = 0x55AA ^ 6;

// A record of contours, each a list of segments: {tag, words...}.
using Segment = std::vector<WORD>;
Bytes Record(const std::vector<std::vector<Segment>>& contours) {
  Bytes out;
  Put16(out, static_cast<WORD>(contours.size()));
  for (const auto& contour : contours) {
    for (const Segment& segment : contour)
      for (WORD word : segment) Put16(out, word);
    Put16(out, 0);
  }
  return out;
}

// A rectangle from (x, y) of the size, drawn with four straight segments.
Bytes Box(WORD x, WORD y, WORD width, WORD height) {
  WORD r = static_cast<WORD>(x + width), b = static_cast<WORD>(y + height);
  return Record(
      {{{kLine, x, y, r, y}, {kLine, r, y, r, b}, {kLine, r, b, x, b}, {kLine, x, b, x, y}}});
}

// A collection file: the header, the records, then the directory.
Bytes Collection(const std::vector<Bytes>& records) {
  Bytes out(44, 0);
  std::vector<DWORD> offsets;
  for (const Bytes& record : records) {
    offsets.push_back(static_cast<DWORD>(out.size()));
    PutAll(out, record);
  }
  Poke32(out, 36, static_cast<DWORD>(records.size()));
  Poke32(out, 40, static_cast<DWORD>(out.size()));
  for (size_t i = 0; i < records.size(); ++i) {
    Bytes entry(58, 0);
    Poke32(entry, 38, offsets[i]);
    Poke32(entry, 42, static_cast<DWORD>(records[i].size()));
    PutAll(out, entry);
  }
  return out;
}

std::vector<POINTREC> PointsOf(CCurveBlock* curve) {
  std::unique_ptr<CContour> contour(curve ? curve->GetContour(nullptr, 0) : nullptr);
  return contour ? contour->GetPoints() : std::vector<POINTREC>();
}

TEST(ClipArtFileTest, AGraphicReadsAsItsOutlineScaledToFourThousandNinetySixOnItsLargerSide) {
  TempFolder folder;
  Bytes curvy = Record({{{kSkipped, 1, 2, 3, 4, 5, 6, 7, 8, 9},
                         {kBezier, 0, 0, 10, 0, 20, 10, 20, 20},
                         {kLine, 20, 20, 0, 0}}});
  WriteFileBytes(folder.File("A.CLP"), Collection({Box(100, 200, 1000, 500), curvy}));
  CClipArtFile file;
  ASSERT_TRUE(file.Open(folder.File("A.CLP").c_str()));
  EXPECT_EQ(2, file.GetCount());
  std::unique_ptr<CCurveBlock> box(file.ReadGraphic(0));
  ASSERT_NE(nullptr, box);
  // Scaled about the origin: 4096 / 1000.
  EXPECT_NEAR(4096.0f, box->m_box.Width(), 0.5f);
  EXPECT_NEAR(2048.0f, box->m_box.Height(), 0.5f);
  EXPECT_NEAR(409.6f, box->m_box.left, 0.5f);
  EXPECT_NEAR(819.2f, box->m_box.top, 0.5f);
  // The skipped segment does not start the sub-path; the Bezier's start does.
  std::vector<POINTREC> points = PointsOf(std::unique_ptr<CCurveBlock>(file.ReadGraphic(1)).get());
  ASSERT_GE(points.size(), 5u);
  EXPECT_EQ(0x11, points[0].flags & 0x11);
  EXPECT_FLOAT_EQ(0.0f, points[0].x);
  EXPECT_EQ(0, points[1].flags & 0x01);
  EXPECT_FLOAT_EQ(4096.0f * 10 / 20, points[1].x);
  EXPECT_EQ(nullptr, file.ReadGraphic(2));
  EXPECT_EQ(nullptr, file.ReadGraphic(-1));
}

TEST(ClipArtFileTest, DamagedCopiesAreRefusedOrGiveNoGraphic) {
  TempFolder folder;
  Bytes good = Collection({Box(0, 0, 30, 40), Box(5, 5, 10, 10)});
  auto opens = [&](const Bytes& bytes) {
    WriteFileBytes(folder.File("D.CLP"), bytes);
    CClipArtFile file;
    return file.Open(folder.File("D.CLP").c_str()) != FALSE;
  };
  auto reads = [&](const Bytes& bytes, int i) {
    WriteFileBytes(folder.File("R.CLP"), bytes);
    CClipArtFile file;
    if (!file.Open(folder.File("R.CLP").c_str())) return false;
    return std::unique_ptr<CCurveBlock>(file.ReadGraphic(i)) != nullptr;
  };
  EXPECT_TRUE(opens(good));
  EXPECT_TRUE(reads(good, 1));
  EXPECT_FALSE(opens(Bytes(good.begin(), good.begin() + 30)));  // header cut
  Bytes count = good;
  Poke32(count, 36, 0x10000000);  // more entries than the file holds
  EXPECT_FALSE(opens(count));
  Bytes directory = good;
  Poke32(directory, 40, static_cast<DWORD>(good.size() + 4));  // directory past the end
  EXPECT_FALSE(opens(directory));
  Bytes cut = good;
  cut.resize(cut.size() - 1);  // the last entry no longer fits
  EXPECT_FALSE(opens(cut));
  size_t entry1 = good.size() - 58;
  Bytes offset = good;
  Poke32(offset, entry1 + 38, static_cast<DWORD>(good.size() - 10));  // record past the end
  EXPECT_FALSE(reads(offset, 1));
  Bytes size = good;
  Poke32(size, entry1 + 42, 0xFFFFFFF0);
  EXPECT_FALSE(reads(size, 1));
  Bytes shortRecord = good;
  Poke32(shortRecord, entry1 + 42, 42);  // two bytes short: its closing word reads as zero
  EXPECT_TRUE(reads(shortRecord, 1));
  Bytes contours = good;
  Poke16(contours, 44, 0xFFFF);  // first record claims 65535 contours
  EXPECT_FALSE(reads(contours, 0));
  EXPECT_TRUE(reads(contours, 1));
  // A record without contours and a graphic of no extent give nothing.
  EXPECT_FALSE(reads(Collection({Record({})}), 0));
  EXPECT_FALSE(reads(Collection({Record({{{kLine, 7, 7, 7, 7}}})}), 0));
  EXPECT_FALSE(reads(Collection({Record({{{kSkipped, 1, 1, 1, 1, 1, 1, 1, 1, 1}}})}), 0));
  CClipArtFile missing;
  EXPECT_FALSE(missing.Open(folder.File("NONE.CLP").c_str()));
  EXPECT_EQ(CClipArtFile::kCannotOpen, missing.GetProblem());
}

class RecordingListener : public CClipArtBuild::Listener {
public:
  void OnLine(LPCSTR line) override { lines.push_back(line); }
  void OnStopped(LPCSTR path, CClipArtFile::Problem) override { stopped.push_back(path); }
  void OnGraphic() override { ++graphics; }
  std::vector<std::string> lines, stopped;
  int graphics = 0;
};

TEST(ClipArtBuildTest, EachFileTakesOneKindPerWholeTwoHundredFiftyGraphicsAndOneMore) {
  EXPECT_EQ(1, CClipArtBuild::KindsFor(0));
  EXPECT_EQ(1, CClipArtBuild::KindsFor(249));
  EXPECT_EQ(2, CClipArtBuild::KindsFor(250));
  EXPECT_EQ(2, CClipArtBuild::KindsFor(251));
  EXPECT_EQ(3, CClipArtBuild::KindsFor(620));

  TempFolder art, index;
  std::vector<Bytes> many;
  for (int i = 0; i < 620; ++i) many.push_back(Box(0, 0, static_cast<WORD>(10 + i), 20));
  WriteFileBytes(art.File("BIG.CLP"), Collection(many));
  WriteFileBytes(art.File("FULL.CLP"),
                 Collection(std::vector<Bytes>(many.begin(), many.begin() + 250)));
  Bytes broken = Collection({Box(0, 0, 10, 10)});
  Poke32(broken, 36, 99);
  WriteFileBytes(art.File("BROKEN.CLP"), broken);
  std::string text =
      "Animals\r\nBIG.CLP\r\nPlants\r\nFULL.CLP\r\nBad\r\nBROKEN.CLP\r\nLast\r\nFULL.CLP\r\n";
  WriteFileBytes(index.File("newtuku.idx"), Bytes(text.begin(), text.end()));

  CClipArtBuild build(art.Path().c_str(), index.Path().c_str());
  RecordingListener counting;
  EXPECT_EQ(870, build.Count(counting));
  ASSERT_EQ(3u, counting.lines.size());
  EXPECT_EQ("620              Animals -      BIG.CLP", counting.lines[0]);
  EXPECT_EQ("Total =870", counting.lines[2]);
  ASSERT_EQ(1u, counting.stopped.size());

  RecordingListener building;
  CClipArtBuild::Summary summary;
  std::string path = index.File("CLIPART.LIB");
  ASSERT_EQ(CClipArtBuild::kBuilt,
            build.Build(path.c_str(), "剪贴画", "Clip Art", building, &summary));
  EXPECT_EQ(5, summary.kinds);
  EXPECT_EQ(870, summary.added);
  EXPECT_EQ(870, building.graphics);
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  EXPECT_EQ(4096, library.GetHeader().graphicSize);
  ASSERT_EQ(5, library.GetKindCount());
  // Exactly 250 graphics: two kinds, the second empty.
  const int counts[] = {250, 250, 120, 250, 0};
  const char* names[][2] = {{"Animals01", "Kind0-01"},
                            {"Animals02", "Kind0-02"},
                            {"Animals03", "Kind0-03"},
                            {"Plants01", "Kind3-01"},
                            {"Plants02", "Kind3-02"}};
  for (int kind = 0; kind < 5; ++kind) {
    library::KindRecord record;
    ASSERT_TRUE(library.ReadKindRecord(kind, record));
    EXPECT_EQ(counts[kind], record.count) << kind;
    EXPECT_STREQ(names[kind][0], record.chineseName);
    EXPECT_STREQ(names[kind][1], record.englishName);
  }
  // Graphic 251 (the second of the second kind) is the 252nd box: 261 wide, 20 high.
  std::unique_ptr<CContour> second(library.ReadGraphic(1, 1, nullptr));
  ASSERT_NE(nullptr, second);
  EXPECT_NEAR(4096.0f * 20 / 261, second->GetBox().Height(), 1.0f);

  // A second build never replaces the library.
  Bytes before = ReadFileBytes(path);
  EXPECT_EQ(CClipArtBuild::kLibraryExists, build.Build(path.c_str(), "x", "x", building));
  EXPECT_EQ(before, ReadFileBytes(path));
}

TEST(ClipArtBuildTest, TheIndexIsReadInPairsWithItsFieldsCut) {
  std::string longKind(60, 'k'), longFile(150, 'f');
  std::string text = longKind + "\r\n" + longFile + "\r\nTail\r\n";
  auto parts = CClipArtBuild::ParseIndex(text.data(), text.size());
  ASSERT_EQ(1u, parts.size());
  EXPECT_EQ(CClipArtBuild::kKindNameLength, parts[0].kind.GetLength());
  EXPECT_EQ(CClipArtBuild::kFileNameLength, parts[0].file.GetLength());
  std::string unix = "A\nA.CLP\nB\nB.CLP";
  EXPECT_EQ(2u, CClipArtBuild::ParseIndex(unix.data(), unix.size()).size());
}

}  // namespace
