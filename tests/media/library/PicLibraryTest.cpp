// The graphics-library file class against libraries laid out by hand (LibraryBytes.h): what it
// reads from the golden version 6.1, 6.0 and 5 files, and what its writer puts into new files of
// versions 6.0 and 6.1, read back and compared byte for byte with the bulk builder of the shipped
// library. No window; every file lives in a temporary folder named by the test's own settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "media/library/LibraryBuilder.h"
#include "media/library/LibraryBytes.h"
#include "media/library/LibraryFile.h"
#include "media/library/MountLibList.h"
#include "media/library/PicLibrary.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/IniFile.h"
#include "support/TempFolder.h"
#include "text/GlyphEncoder.h"

using namespace library_test;

namespace {

// A temporary library folder with settings that name it and the user-interface language.
class LibraryFolder {
public:
  explicit LibraryFolder(int language = 2052) {
    m_settings.SetPath(m_folder.File("TALVEX42.INI").c_str());
    m_settings.WriteString("PATH", "MOUNTLIB", m_folder.Path().c_str());
    m_settings.WriteInt("SystemParam", "Language", language);
    m_list = std::make_unique<CMountLibList>(m_settings);
  }
  std::string Write(const std::string& name, const Bytes& bytes) const {
    std::string path = m_folder.File(name);
    WriteFileBytes(path, bytes);
    return path;
  }
  std::string File(const std::string& name) const { return m_folder.File(name); }
  CMountLibList& List() { return *m_list; }
  CIniFile& Settings() { return m_settings; }

private:
  TempFolder m_folder;
  CIniFile m_settings;
  std::unique_ptr<CMountLibList> m_list;
};

std::vector<POINTREC> Points(const std::unique_ptr<CContour>& contour) {
  return contour ? contour->GetPoints() : std::vector<POINTREC>();
}

std::unique_ptr<CContour> Read(CPicLibrary& library, int kind, int i,
                               const CMatrix2D* matrix = nullptr) {
  return std::unique_ptr<CContour>(library.ReadGraphic(kind, i, matrix));
}

CString Name(CPicLibrary& library, int kind, int i) {
  CString name;
  library.GetGraphicName(kind, i, name);
  return name;
}

// An outline of two squares, the second one moved by (shift, shift / 2), in page-like units; even
// shifts keep the box whole, as the version 6.1 records store it.
CContour* TwoSquares(float shift) {
  CContour* contour = new CContour;
  for (float base : {0.0f, shift})
    for (const POINTREC& point : SquarePoints(base, base * 0.5f))
      if (point.flags != kPointEnd) contour->AppendPoint(point);
  contour->AppendEndMark();
  return contour;
}

library::KindRecord NewKind(const char* chinese, const char* english) {
  library::KindRecord record;
  library::SetFixedText(record.chineseName, sizeof record.chineseName, chinese, true);
  library::SetFixedText(record.englishName, sizeof record.englishName, english, true);
  return record;
}

TEST(GoldenLibrary, Version61ReadsKindsCountsNamesAndSquares) {
  LibraryFolder folder(2052);
  std::string path = folder.Write("GOLD61.LIB", GoldenLibrary(6.1f));
  EXPECT_FLOAT_EQ(6.1f, GetLibraryVersion(path.c_str()));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  EXPECT_EQ(2, library.GetKindCount());
  EXPECT_EQ(CString("箭头"), library.GetKindName(0));
  EXPECT_EQ(CString("标志"), library.GetKindName(1));
  EXPECT_EQ(kKind0, library.GetKindOffset(0));
  EXPECT_EQ(kKind1, library.GetKindOffset(1));
  EXPECT_EQ(0u, library.GetKindOffset(2));
  EXPECT_EQ(2, library.GetGraphicCount(0));
  EXPECT_EQ(1, library.GetGraphicCount(1));
  EXPECT_TRUE(library.HasGraphicNames());
  EXPECT_EQ(CString("Up"), Name(library, 0, 0));
  // Written without a name: an empty name, never the outline's bytes.
  EXPECT_EQ(CString(""), Name(library, 0, 1));
  EXPECT_EQ(CString("Sign"), Name(library, 1, 0));
  EXPECT_EQ(SquarePoints(), Points(Read(library, 0, 0)));
  EXPECT_EQ(SquarePoints(), Points(Read(library, 0, 1)));
  EXPECT_EQ(SquarePoints(), Points(Read(library, 1, 0)));
  EXPECT_EQ(nullptr, Read(library, 1, 1));
  EXPECT_EQ(nullptr, Read(library, 2, 0));
  // The first free slot follows the used ones.
  EXPECT_EQ(static_cast<long>(kTable0 + 8), library.GetFreeSlotOffset(0));
  CString title;
  ASSERT_TRUE(GetLibraryTitle(path.c_str(), title));
  EXPECT_EQ(CString("符号库"), title);
}

TEST(GoldenLibrary, EnglishInterfaceTakesEnglishNamesAndTitle) {
  LibraryFolder folder(1033);
  std::string path = folder.Write("GOLD61.LIB", GoldenLibrary(6.1f));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  EXPECT_EQ(CString("Arrows"), library.GetKindName(0));
  EXPECT_EQ(CString("Signs"), library.GetKindName(1));
  CString title;
  ASSERT_TRUE(GetLibraryTitle(path.c_str(), title));
  EXPECT_EQ(CString("Symbols"), title);
}

TEST(GoldenLibrary, Version60ListsGraphicsWithoutNamesThroughTheMatrix) {
  LibraryFolder folder;
  std::string path = folder.Write("GOLD60.LIB", GoldenLibrary(6.0f));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  EXPECT_FALSE(library.HasGraphicNames());
  EXPECT_EQ(CString(""), Name(library, 0, 0));
  CMatrix2D matrix;
  matrix.m[0] = 2.0f;
  matrix.m[6] = 5.0f;
  matrix.m[7] = -3.0f;
  std::vector<POINTREC> points = Points(Read(library, 1, 0, &matrix));
  ASSERT_EQ(6u, points.size());
  EXPECT_EQ(25.0f, points[2].x);
  EXPECT_EQ(7.0f, points[2].y);
}

TEST(GoldenLibrary, Version5OpensAsFivePointFourWithEveryKindOfferingAllSlots) {
  LibraryFolder folder;
  std::string path = folder.Write("OLD.LIB", LibraryV5());
  EXPECT_FLOAT_EQ(5.4f, GetLibraryVersion(path.c_str()));
  library::LibraryHeader header;
  ASSERT_TRUE(ReadLibraryHeaderV5(path.c_str(), header));
  EXPECT_EQ(4096, header.graphicSize);
  EXPECT_EQ(7, header.reserved18);
  EXPECT_EQ(9, header.reserved20);
  EXPECT_STREQ(header.titles[0], header.titles[1]);
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  EXPECT_FLOAT_EQ(5.4f, library.GetVersion());
  ASSERT_EQ(2, library.GetKindCount());
  EXPECT_EQ(CString("Signs"), library.GetKindName(1));
  library::KindRecord record;
  EXPECT_FALSE(library.ReadKindRecord(0, record));
  EXPECT_EQ(255, record.count);
  EXPECT_EQ(255, library.GetGraphicCount(1));
  EXPECT_EQ(SquarePoints(), Points(Read(library, 1, 0)));
  EXPECT_EQ(nullptr, Read(library, 0, 1));
  // Read only.
  library::KindRecord kind = NewKind("新", "New");
  EXPECT_FALSE(library.AddKind(kind));
  std::unique_ptr<CContour> square(TwoSquares(20));
  EXPECT_FALSE(library.PutGraphic(0, square.get(), nullptr));
  EXPECT_EQ(-1, library.GetFreeSlotOffset(0));
  EXPECT_FALSE(SetLibraryTitle(path.c_str(), "X"));
  EXPECT_EQ(LibraryV5(), ReadFileBytes(path));
}

TEST(GoldenLibrary, BareNamesAndNumbersOpenInTheLibraryFolder) {
  LibraryFolder folder;
  folder.Write("GOLD61.LIB", GoldenLibrary(6.1f));
  CPicLibrary library;
  EXPECT_TRUE(library.Open("GOLD61.TXT"));
  EXPECT_EQ(2, library.GetKindCount());
  EXPECT_FALSE(library.Open("MISSING"));
  EXPECT_EQ(CPicLibrary::kCannotOpen, library.GetProblem());
  EXPECT_EQ(0, library.GetKindCount());
  ASSERT_EQ(1, folder.List().Scan());
  EXPECT_TRUE(library.OpenByNumber(0));
  EXPECT_FALSE(library.OpenByNumber(1));
}

// The writer, run at both versions: every step read back from the file.
class LibraryWriter : public ::testing::TestWithParam<float> {};

TEST_P(LibraryWriter, KindsAndGraphicsComeBackAndMatchTheBulkBuilder) {
  const float version = GetParam();
  LibraryFolder folder;
  std::string path = folder.File("NEW.LIB");
  library::LibraryHeader header = library::MakeLibraryHeader(version, "新图库");
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), header));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  EXPECT_EQ(0, library.GetKindCount());
  library::KindRecord first = NewKind("新类别0", "New Kind 0");
  ASSERT_TRUE(library.AddKind(first));
  // The first kind of an empty library goes right after the header.
  EXPECT_EQ(218u, library.GetKindOffset(0));
  EXPECT_EQ(318u, first.table);
  library::KindRecord second = NewKind("新类别1", "New Kind 1");
  ASSERT_TRUE(library.AddKind(second));
  std::unique_ptr<CContour> a(TwoSquares(30)), b(TwoSquares(-40)), c(TwoSquares(80));
  ASSERT_TRUE(library.PutGraphic(1, a.get(), "甲"));
  ASSERT_TRUE(library.PutGraphic(0, b.get(), nullptr));
  ASSERT_TRUE(library.PutGraphic(1, c.get(), "C"));

  CPicLibrary reopened;
  ASSERT_TRUE(reopened.OpenFile(path.c_str()));
  ASSERT_EQ(2, reopened.GetKindCount());
  EXPECT_EQ(CString("新类别1"), reopened.GetKindName(1));
  EXPECT_EQ(1, reopened.GetGraphicCount(0));
  EXPECT_EQ(2, reopened.GetGraphicCount(1));
  std::unique_ptr<CContour> original(TwoSquares(80));
  std::vector<POINTREC> back = Points(Read(reopened, 1, 1));
  ASSERT_EQ(original->GetPoints().size(), back.size());
  for (size_t i = 0; i + 1 < back.size(); ++i) {
    EXPECT_NEAR(original->GetPoints()[i].x, back[i].x, 0.1f) << i;
    EXPECT_NEAR(original->GetPoints()[i].y, back[i].y, 0.1f) << i;
  }
  bool named = version > 6.09f;
  EXPECT_EQ(CString(named ? "甲" : ""), Name(reopened, 1, 0));
  EXPECT_EQ(CString(named ? "C" : ""), Name(reopened, 1, 1));
  EXPECT_EQ(CString(""), Name(reopened, 0, 0));

  // The same steps through the bulk builder give the same file.
  CLibraryBuilder builder(header);
  builder.AddKind("新类别0", "New Kind 0");
  builder.AddKind("新类别1", "New Kind 1");
  auto encode = [&](float shift, const char* name) {
    std::unique_ptr<CContour> contour(TwoSquares(shift));
    std::vector<BYTE> record;
    CGlyphEncoder::Encode(contour->GetPoints(), version, 0, named ? (name ? name : "") : nullptr,
                          record);
    return record;
  };
  ASSERT_TRUE(builder.AddGraphic(1, encode(30, "甲")));
  ASSERT_TRUE(builder.AddGraphic(0, encode(-40, nullptr)));
  ASSERT_TRUE(builder.AddGraphic(1, encode(80, "C")));
  EXPECT_EQ(builder.Bytes(), ReadFileBytes(path));
}

TEST_P(LibraryWriter, DeletingAndRenamingKeepTheRestInOrder) {
  LibraryFolder folder;
  std::string path = folder.File("EDIT.LIB");
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), library::MakeLibraryHeader(GetParam(), "T")));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  library::KindRecord kind = NewKind("k", "k");
  ASSERT_TRUE(library.AddKind(kind));
  std::vector<DWORD> offsets;
  for (int i = 0; i < 5; ++i) {
    std::unique_ptr<CContour> square(TwoSquares(20.0f + 10 * i));
    ASSERT_TRUE(library.PutGraphic(0, square.get(), nullptr));
    offsets.push_back(library.GetGraphicOffset(0, i));
  }
  ASSERT_TRUE(library.DeleteGraphic(0, 1));
  std::vector<DWORD> table = library.ReadGraphicTable(0);
  ASSERT_EQ(255u, table.size());
  // The later slots move down; the empty slot after them follows.
  EXPECT_EQ((std::vector<DWORD>{offsets[0], offsets[2], offsets[3], offsets[4], 0}),
            std::vector<DWORD>(table.begin(), table.begin() + 5));
  EXPECT_EQ(4, library.GetGraphicCount(0));
  // At or past the count: refused, nothing changes.
  Bytes before = ReadFileBytes(path);
  EXPECT_FALSE(library.DeleteGraphic(0, 4));
  EXPECT_FALSE(library.DeleteGraphic(0, -1));
  EXPECT_FALSE(library.DeleteGraphic(1, 0));
  EXPECT_EQ(before, ReadFileBytes(path));

  ASSERT_TRUE(library.RenameKind(0, ""));
  library::KindRecord record;
  ASSERT_TRUE(library.ReadKindRecord(0, record));
  EXPECT_STREQ("?", record.chineseName);
  // A name of 32 characters fills the field; the index keeps 27 of them.
  const char* full = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  ASSERT_TRUE(library.RenameKind(0, full));
  ASSERT_TRUE(library.ReadKindRecord(0, record));
  EXPECT_EQ(0, std::memcmp(full, record.chineseName, 32));
  EXPECT_EQ(CString("ABCDEFGHIJKLMNOPQRSTUVWXYZ0"), library.GetKindName(0));
  ASSERT_TRUE(SetLibraryTitle(path.c_str(), "标题"));
  CString title;
  ASSERT_TRUE(GetLibraryTitle(path.c_str(), title));
  EXPECT_EQ(CString("标题"), title);
}

TEST_P(LibraryWriter, TheTwoHundredFiftySixthGraphicIsRefused) {
  LibraryFolder folder;
  std::string path = folder.File("FULL.LIB");
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), library::MakeLibraryHeader(GetParam(), "T")));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  library::KindRecord full = NewKind("full", "full"), next = NewKind("next", "next");
  ASSERT_TRUE(library.AddKind(full));
  ASSERT_TRUE(library.AddKind(next));
  std::unique_ptr<CContour> square(TwoSquares(20));
  for (int i = 0; i < 255; ++i) ASSERT_TRUE(library.PutGraphic(0, square.get(), "x")) << i;
  Bytes before = ReadFileBytes(path);
  EXPECT_EQ(-1, library.GetFreeSlotOffset(0));
  EXPECT_FALSE(library.PutGraphic(0, square.get(), "x"));
  // Neither the table's spare bytes nor the next kind record nor the file's end changed.
  EXPECT_EQ(before, ReadFileBytes(path));
  EXPECT_EQ(255, library.GetGraphicCount(0));
  EXPECT_EQ(0, library.GetGraphicCount(1));
  EXPECT_NE(nullptr, Read(library, 0, 254));
  // A rewritten table keeps the count; one of the wrong length is refused.
  std::vector<DWORD> table = library.ReadGraphicTable(0);
  std::reverse(table.begin(), table.end());
  ASSERT_TRUE(library.WriteGraphicTable(0, table));
  EXPECT_EQ(table, library.ReadGraphicTable(0));
  EXPECT_EQ(255, library.GetGraphicCount(0));
  table.pop_back();
  EXPECT_FALSE(library.WriteGraphicTable(0, table));
}

INSTANTIATE_TEST_SUITE_P(Versions, LibraryWriter, ::testing::Values(6.0f, 6.1f));

// A wide, flat triangle (0,0) (3000,20) (0,20), named "W", in encoding C worked out by hand: no
// curve and deltas up to 3000 (flags 0x80 | width 12), one contour ending at point 3, the point
// codes same/same, wide/+byte, wide/same, same/-byte, and the 42-bit stream 3000|20, -3000, 20.
Bytes WideRecordC() {
  Bytes body;
  Put16(body, 15);
  Put16(body, 17);
  Put16(body, 3000);
  Put16(body, 20);
  Put8(body, 0x8C);
  Put16(body, 1);
  PutText(body, "W", 2);
  PutAll(body, {0x03, 0x00, 0xA4, 0x8E, 0x14, 0xB8, 0x0B, 0x77, 0x53, 0x00});
  Bytes record;
  Put32(record, static_cast<DWORD>(body.size() + 4));
  PutAll(record, body);
  return record;
}

std::vector<POINTREC> WidePoints() {
  return {MakePointRecord(0, 0, 0x11), MakePointRecord(3000, 20, 0x01),
          MakePointRecord(0, 20, 0x01), MakePointRecord(0, 0, 0x41),
          MakePointRecord(0, 0, kPointEnd)};
}

TEST(GoldenLibrary, Version61GraphicsAreWrittenAsGivenWhateverTheGraphicSize) {
  LibraryFolder folder;
  std::string path = folder.File("WRITTEN.LIB");
  library::LibraryHeader header = library::MakeLibraryHeader(6.1f, "符号库");
  library::SetFixedText(header.titles[library::kEnglishTitle], library::kTitleSize, "Symbols");
  ASSERT_EQ(1024, header.graphicSize);
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), header));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  library::KindRecord arrows = NewKind("箭头", "Arrows"), signs = NewKind("标志", "Signs");
  ASSERT_TRUE(library.AddKind(arrows));
  ASSERT_TRUE(library.AddKind(signs));
  auto put = [&](int kind, std::vector<POINTREC> points, const char* name) {
    CContour contour;
    for (const POINTREC& point : points)
      if (point.flags != kPointEnd) contour.AppendPoint(point);
    contour.AppendEndMark();
    return library.PutGraphic(kind, &contour, name);
  };
  ASSERT_TRUE(put(0, SquarePoints(), "Up"));
  ASSERT_TRUE(put(0, WidePoints(), "W"));
  ASSERT_TRUE(put(1, SquarePoints(), "Sign"));

  Bytes records[3] = {SquareRecordC("Up"), WideRecordC(), SquareRecordC("Sign")};
  DWORD at[3] = {kGraphics, 0, 0};
  at[1] = at[0] + static_cast<DWORD>(records[0].size());
  at[2] = at[1] + static_cast<DWORD>(records[1].size());
  Bytes golden;
  PutHeader(golden, 6.1f, 2, kKind0);
  PutKind(golden, kKind1, kTable0, 2, "箭头", "Arrows", {at[0], at[1]});
  PutKind(golden, 0, kTable1, 1, "标志", "Signs", {at[2]});
  for (const Bytes& record : records) PutAll(golden, record);
  EXPECT_EQ(golden, ReadFileBytes(path));

  CPicLibrary reopened;
  ASSERT_TRUE(reopened.OpenFile(path.c_str()));
  EXPECT_EQ(WidePoints(), Points(Read(reopened, 0, 1)));
  EXPECT_EQ(SquarePoints(), Points(Read(reopened, 1, 0)));
  EXPECT_EQ(CString("W"), Name(reopened, 0, 1));
}

TEST(LibraryHeaderFunctions, CreationAndFieldWritesFollowTheirRules) {
  LibraryFolder folder;
  std::string path = folder.File("HEAD.LIB");
  library::LibraryHeader header = library::MakeLibraryHeader(5.5f, "T");
  EXPECT_FALSE(CreateLibraryFile(path.c_str(), header));
  header.version = 6.0f;
  header.headerSize = 200;
  EXPECT_FALSE(CreateLibraryFile(path.c_str(), header));
  header.headerSize = 218;
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), header));
  EXPECT_EQ(218u, ReadFileBytes(path).size());
  // Keeping an existing file: it is neither emptied nor written.
  WriteFileBytes(path, Bytes{1, 2, 3});
  EXPECT_FALSE(CreateLibraryFile(path.c_str(), header, true));
  EXPECT_EQ((Bytes{1, 2, 3}), ReadFileBytes(path));
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), header));
  EXPECT_TRUE(CreateLibraryFile(folder.File("NEW.LIB").c_str(), header, true));
  // Only the selected fields are written.
  library::LibraryHeader changed = header;
  changed.graphicSize = 30000;
  changed.kindCount = 9;
  ASSERT_TRUE(WriteLibraryHeader(path.c_str(), changed, library::kFieldGraphicSize));
  library::LibraryHeader read;
  ASSERT_TRUE(ReadLibraryHeader(path.c_str(), read));
  EXPECT_EQ(30000, read.graphicSize);
  EXPECT_EQ(0u, read.kindCount);
  // A magic that does not begin with "VL" is written, and nothing after it.
  std::memcpy(changed.magic, "XXXX", 4);
  EXPECT_FALSE(
      WriteLibraryHeader(path.c_str(), changed, library::kFieldMagic | library::kFieldKindCount));
  Bytes bytes = ReadFileBytes(path);
  EXPECT_EQ('X', bytes[0]);
  EXPECT_EQ(0u, Peek32(bytes, 12));
  EXPECT_FALSE(ReadLibraryHeader(path.c_str(), read));
  EXPECT_FLOAT_EQ(-1.0f, GetLibraryVersion(path.c_str()));
  EXPECT_FALSE(WriteLibraryHeader(folder.File("NONE.LIB").c_str(), header, library::kFieldMagic));
}

}  // namespace
