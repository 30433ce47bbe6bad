// Damaged graphics libraries: every header field, a cut at every length, kind and link chains
// that loop or leave the file, counts past 255 and records whose lengths lie. Each is opened and
// read through every kind, graphic and name; none may crash, hang or read outside the file, and
// an open given up on a chain says why. No window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "media/library/LibraryBytes.h"
#include "media/library/LibraryFile.h"
#include "media/library/MountLibList.h"
#include "media/library/PicLibrary.h"
#include "model/geometry/Contour.h"
#include "model/settings/IniFile.h"
#include "support/TempFolder.h"

using namespace library_test;

namespace {

class DamagedLibrary : public ::testing::Test {
protected:
  void SetUp() override {
    m_settings.SetPath(m_folder.File("TALVEX42.INI").c_str());
    m_list = std::make_unique<CMountLibList>(m_settings);
  }

  std::string Write(const Bytes& bytes) {
    std::string path = m_folder.File("DAMAGED.LIB");
    WriteFileBytes(path, bytes);
    return path;
  }

  // Opens the library and reads what it offers (the first graphics of each kind); whether it
  // opened.
  bool OpenAndReadAll(const Bytes& bytes, CPicLibrary& library, int graphics = 256) {
    std::string path = Write(bytes);
    CString title;
    GetLibraryTitle(path.c_str(), title);
    GetLibraryVersion(path.c_str());
    if (!library.OpenFile(path.c_str())) return false;
    for (int kind = 0; kind < library.GetKindCount(); ++kind) {
      int count = library.GetGraphicCount(kind);
      EXPECT_LE(count, 255);
      for (int i = 0; i <= count && i < graphics; ++i) {
        std::unique_ptr<CContour> outline(library.ReadGraphic(kind, i, nullptr));
        CString name;
        library.GetGraphicName(kind, i, name);
        EXPECT_LT(name.GetLength(), 400);
      }
    }
    return true;
  }

  TempFolder m_folder;
  CIniFile m_settings;
  std::unique_ptr<CMountLibList> m_list;
};

struct Damage {
  const char* what;
  std::function<void(Bytes&)> apply;
  bool opens;
  CPicLibrary::Problem problem;
  // The kinds an opened library keeps; -1: not checked.
  int kinds = -1;
};

TEST_F(DamagedLibrary, EveryHeaderFieldAndChainDamageIsSurvived) {
  const Damage damages[] = {
      {"magic", [](Bytes& b) { b[0] = 'X'; }, false, CPicLibrary::kNotALibrary},
      {"version 5.9 without a brand", [](Bytes& b) { Poke32(b, 4, 0x40BCCCCD); }, false,
       CPicLibrary::kNotALibrary},
      {"version 6.2", [](Bytes& b) { Poke32(b, 4, 0x40C66666); }, false, CPicLibrary::kNotALibrary},
      {"version NaN", [](Bytes& b) { Poke32(b, 4, 0x7FC00000); }, false, CPicLibrary::kNotALibrary},
      {"version -1", [](Bytes& b) { Poke32(b, 4, 0xBF800000); }, false, CPicLibrary::kNotALibrary},
      {"header size", [](Bytes& b) { Poke32(b, 8, 219); }, false, CPicLibrary::kNotALibrary},
      {"kind count 0 hides the kinds", [](Bytes& b) { Poke32(b, 12, 0); }, true,
       CPicLibrary::kNoProblem},
      {"kind count huge (the chain decides)", [](Bytes& b) { Poke32(b, 12, 0xFFFFFFFF); }, true,
       CPicLibrary::kNoProblem},
      {"graphic size 0", [](Bytes& b) { Poke16(b, 16, 0); }, true, CPicLibrary::kNoProblem},
      {"titles without a zero", [](Bytes& b) { std::fill(b.begin() + 22, b.begin() + 166, 'T'); },
       true, CPicLibrary::kNoProblem},
      {"first kind past the end", [](Bytes& b) { Poke32(b, 166, 0x7FFFFFF0); }, false,
       CPicLibrary::kChainOutsideFile},
      {"first kind in the last bytes", [](Bytes& b) { Poke32(b, 166, DWORD(b.size() - 50)); },
       false, CPicLibrary::kChainOutsideFile},
      {"first kind 0x80000000 ends the chain at once", [](Bytes& b) { Poke32(b, 166, 0x80000000); },
       true, CPicLibrary::kNoProblem, 0},
      {"next kind 0xFFFFFF00 ends the chain after one kind",
       [](Bytes& b) { Poke32(b, kKind0 + 4, 0xFFFFFF00); }, true, CPicLibrary::kNoProblem, 1},
      {"kind chain loops back", [](Bytes& b) { Poke32(b, kKind1 + 4, kKind0); }, false,
       CPicLibrary::kChainLoops},
      {"kind chain points at itself", [](Bytes& b) { Poke32(b, kKind0 + 4, kKind0); }, false,
       CPicLibrary::kChainLoops},
      {"kind count past 255", [](Bytes& b) { Poke16(b, kKind0 + 12, 300); }, true,
       CPicLibrary::kNoProblem},
      {"table past the end", [](Bytes& b) { Poke32(b, kKind0 + 8, 0xFFFFFF00); }, true,
       CPicLibrary::kNoProblem},
      {"table in the header", [](Bytes& b) { Poke32(b, kKind0 + 8, 4); }, true,
       CPicLibrary::kNoProblem},
      {"slot past the end", [](Bytes& b) { Poke32(b, kTable0, 0xFFFFFFF0); }, true,
       CPicLibrary::kNoProblem},
      {"record length 0", [](Bytes& b) { Poke32(b, kGraphics, 0); }, true, CPicLibrary::kNoProblem},
      {"record length 4", [](Bytes& b) { Poke32(b, kGraphics, 4); }, true, CPicLibrary::kNoProblem},
      {"record length past the end", [](Bytes& b) { Poke32(b, kGraphics, 0x00FFFFFF); }, true,
       CPicLibrary::kNoProblem},
      {"record length past any record", [](Bytes& b) { Poke32(b, kGraphics, 0xFFFFFFFF); }, true,
       CPicLibrary::kNoProblem},
      {"name offset past its record", [](Bytes& b) { Poke16(b, kGraphics + 4, 300); }, true,
       CPicLibrary::kNoProblem},
      {"name without its zero", [](Bytes& b) { b[kGraphics + 17] = 'x'; }, true,
       CPicLibrary::kNoProblem},
  };
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    Bytes bytes = GoldenLibrary(6.1f);
    damage.apply(bytes);
    CPicLibrary library;
    EXPECT_EQ(damage.opens, OpenAndReadAll(bytes, library));
    EXPECT_EQ(damage.problem, library.GetProblem());
    if (damage.kinds >= 0) EXPECT_EQ(damage.kinds, library.GetKindCount());
  }
}

TEST_F(DamagedLibrary, DamagedCountsAndTablesTakeNoNewGraphic) {
  const std::function<void(Bytes&)> damages[] = {
      [](Bytes& b) { Poke16(b, kKind0 + 12, 300); },
      [](Bytes& b) { Poke16(b, kKind0 + 12, 255); },
      [](Bytes& b) { Poke32(b, kKind0 + 8, 4); },
      [](Bytes& b) { Poke32(b, kKind0 + 8, 0xFFFFFF00); },
  };
  for (const auto& damage : damages) {
    Bytes bytes = GoldenLibrary(6.1f);
    damage(bytes);
    std::string path = Write(bytes);
    CPicLibrary library;
    ASSERT_TRUE(library.OpenFile(path.c_str()));
    CContour square;
    for (const POINTREC& point : SquarePoints(3, 4))
      if (point.flags != kPointEnd) square.AppendPoint(point);
    square.AppendEndMark();
    EXPECT_FALSE(library.PutGraphic(0, &square, "x"));
    EXPECT_EQ(bytes, ReadFileBytes(path));
  }
}

// A chain that points into the header, or at bytes that are no kind record, ends there, and a
// kind count of 0 hides no chain: the manager's next kind is linked after the last real one and
// never written over the header, a graphic table or the kinds before it, and the library opens
// again with every graphic it held and the new one.
TEST_F(DamagedLibrary, AChainIntoTheHeaderOrAtNoKindRecordEndsThereAndEditsKeepTheLibrary) {
  struct ChainEnd {
    const char* what;
    std::function<void(Bytes&)> apply;
    int kinds;
  };
  const ChainEnd ends[] = {
      {"next kind 1", [](Bytes& b) { Poke32(b, kKind0 + 4, 1); }, 1},
      {"next kind 12, where the kind count reads as a record's size",
       [](Bytes& b) {
         Poke32(b, 12, 100);
         Poke32(b, kKind0 + 4, 12);
       },
       1},
      {"first kind 100", [](Bytes& b) { Poke32(b, 166, 100); }, 0},
      {"next kind in the first kind's table", [](Bytes& b) { Poke32(b, kKind0 + 4, kTable0); }, 1},
      {"second record of size 99", [](Bytes& b) { Poke32(b, kKind1, 99); }, 1},
      {"kind count 0 over the whole chain", [](Bytes& b) { Poke32(b, 12, 0); }, 2},
      {"kind count 0, first kind past the end",
       [](Bytes& b) {
         Poke32(b, 12, 0);
         Poke32(b, 166, static_cast<DWORD>(b.size() + 1000));
       },
       0},
  };
  for (const ChainEnd& end : ends) {
    SCOPED_TRACE(end.what);
    Bytes bytes = GoldenLibrary(6.1f);
    end.apply(bytes);
    std::string path = Write(bytes);
    {
      CPicLibrary library;
      ASSERT_TRUE(library.OpenFile(path.c_str()));
      EXPECT_EQ(CPicLibrary::kNoProblem, library.GetProblem());
      ASSERT_EQ(end.kinds, library.GetKindCount());
      library::KindRecord kind;
      library::SetFixedText(kind.chineseName, sizeof kind.chineseName, "新", true);
      ASSERT_TRUE(library.AddKind(kind));
      CContour square;
      for (const POINTREC& point : SquarePoints(3, 4))
        if (point.flags != kPointEnd) square.AppendPoint(point);
      square.AppendEndMark();
      ASSERT_TRUE(library.PutGraphic(end.kinds, &square, "New"));
    }
    CPicLibrary again;
    ASSERT_TRUE(again.OpenFile(path.c_str()));
    EXPECT_FLOAT_EQ(6.1f, again.GetVersion());
    ASSERT_EQ(end.kinds + 1, again.GetKindCount());
    for (int kind = 0; kind <= end.kinds; ++kind) {
      // The golden kinds hold 2 and 1 graphics; the new kind the one put.
      const int graphics = kind == end.kinds || kind == 1 ? 1 : 2;
      ASSERT_EQ(graphics, again.GetGraphicCount(kind)) << kind;
      for (int i = 0; i < graphics; ++i) {
        std::unique_ptr<CContour> outline(again.ReadGraphic(kind, i, nullptr));
        ASSERT_NE(nullptr, outline) << kind << " " << i;
        EXPECT_EQ(10.0f, outline->GetBox().Width()) << kind << " " << i;
      }
    }
    CString name;
    again.GetGraphicName(end.kinds, 0, name);
    EXPECT_EQ(CString("New"), name);
  }
}

TEST_F(DamagedLibrary, LibrariesCutShortAtEveryLengthNeitherCrashNorReadPastTheirEnd) {
  // Every length through the headers and the first kind record, then around every place where a
  // record, table or graphic begins or ends, and every 97th byte between.
  for (const Bytes& whole : {GoldenLibrary(6.1f), GoldenLibrary(6.0f), LibraryV5()}) {
    std::set<size_t> lengths;
    for (size_t length = 0; length < 330; ++length) lengths.insert(length);
    for (size_t edge : {size_t(kTable0 + 1020), size_t(kKind1), size_t(kTable1), size_t(kGraphics),
                        size_t(kTableV5 + 1020)})
      for (size_t length = edge - 3; length <= edge + 3; ++length) lengths.insert(length);
    for (size_t length = 0; length < whole.size(); length += 97) lengths.insert(length);
    for (size_t length = whole.size() - 30; length < whole.size(); ++length) lengths.insert(length);
    for (size_t length : lengths) {
      if (length >= whole.size()) continue;
      Bytes cut(whole.begin(), whole.begin() + length);
      CPicLibrary library;
      OpenAndReadAll(cut, library, 3);
    }
  }
}

TEST_F(DamagedLibrary, Version5LinkChainsThatLoopOrLeaveTheFileEndWithTheirReason) {
  struct LinkDamage {
    const char* what;
    std::function<void(Bytes&)> apply;
    CPicLibrary::Problem problem;
    size_t kinds;
  };
  const LinkDamage damages[] = {
      {"second link points back",
       [](Bytes& b) {
         Poke16(b, kLink2V5, 1);
         Poke32(b, kLink2V5 + 6, 70);
       },
       CPicLibrary::kChainLoops, 2},
      {"first link points at itself", [](Bytes& b) { Poke32(b, 70 + 6, 70); },
       CPicLibrary::kChainLoops, 1},
      {"link past the end", [](Bytes& b) { Poke32(b, 70 + 6, 0x7FFFFF00); },
       CPicLibrary::kChainOutsideFile, 1},
      {"entries past the end", [](Bytes& b) { Poke32(b, kLink2V5 + 2, 0xFFFFFF00); },
       CPicLibrary::kChainOutsideFile, 1},
      {"negative next link ends the chain", [](Bytes& b) { Poke32(b, 70 + 6, 0xFFFFFFFF); },
       CPicLibrary::kNoProblem, 1},
  };
  for (const LinkDamage& damage : damages) {
    SCOPED_TRACE(damage.what);
    Bytes bytes = LibraryV5();
    damage.apply(bytes);
    std::string path = Write(bytes);
    library::ChainProblem problem = library::kChainGood;
    std::vector<LibraryKindEntry> kinds = ReadLibraryIndexV5(path.c_str(), &problem);
    EXPECT_EQ(damage.kinds, kinds.size());
    CPicLibrary library;
    EXPECT_EQ(damage.problem == CPicLibrary::kNoProblem, OpenAndReadAll(bytes, library));
    EXPECT_EQ(damage.problem, library.GetProblem());
  }
}

}  // namespace
