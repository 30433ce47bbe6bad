// The mounted-library list over a library folder of the test's own: which files it takes, how
// they are numbered, where the folder is when the settings name none or a relative one, and the
// graphics it reads by number. No window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "media/library/LibraryBytes.h"
#include "media/library/LibraryFile.h"
#include "media/library/MountLibList.h"
#include "model/geometry/Contour.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"

using namespace library_test;

namespace {

class MountedLibraries : public ::testing::Test {
protected:
  void SetUp() override {
    m_settings.SetPath(m_folder.File("TALVEX42.INI").c_str());
    m_settings.WriteString("PATH", "MOUNTLIB", m_folder.Path().c_str());
    m_settings.WriteInt("SystemParam", "Language", 2052);
  }

  TempFolder m_folder;
  CIniFile m_settings;
};

TEST_F(MountedLibraries, OnlyReadableLibrariesAreListedWithoutGaps) {
  WriteFileBytes(m_folder.File("A.LIB"), GoldenLibrary(6.1f));
  WriteFileBytes(m_folder.File("B.Lib"), Bytes(300, 'x'));
  WriteFileBytes(m_folder.File("C.lib"), LibraryV5());
  WriteFileBytes(m_folder.File("D.TXT"), GoldenLibrary(6.0f));
  Bytes later = GoldenLibrary(6.1f);
  Poke32(later, 4, 0x40C66666);  // version 6.2: whole, but of a version no reader here opens
  WriteFileBytes(m_folder.File("F.LIB"), later);
  CreateDirectoryA(m_folder.File("E.LIB").c_str(), nullptr);
  CMountLibList list(m_settings);
  EXPECT_EQ(&list, CMountLibList::Program());
  ASSERT_EQ(2, list.Scan());
  CString names[2], titles[2];
  for (int n = 0; n < 2; ++n) {
    ASSERT_TRUE(list.GetFileName(n, names[n]));
    ASSERT_TRUE(list.GetTitle(n, titles[n]));
  }
  int golden = names[0] == CString("A.LIB") ? 0 : 1;
  EXPECT_EQ(CString("A.LIB"), names[golden]);
  EXPECT_EQ(CString("C.lib"), names[1 - golden]);
  EXPECT_EQ(CString("符号库"), titles[golden]);
  EXPECT_EQ(CString("旧图库"), titles[1 - golden]);
  EXPECT_FLOAT_EQ(6.1f, list.GetVersion(golden));
  EXPECT_FLOAT_EQ(5.4f, list.GetVersion(1 - golden));
  CString none;
  EXPECT_FALSE(list.GetTitle(2, none));
  EXPECT_FALSE(list.GetFileName(-1, none));
  EXPECT_FLOAT_EQ(-1.0f, list.GetVersion(2));

  CMatrix2D shift;
  shift.m[6] = 100.0f;
  std::unique_ptr<CContour> glyph(list.ReadGlyph(golden, 1, 0, &shift));
  ASSERT_NE(nullptr, glyph);
  EXPECT_EQ(110.0f, glyph->GetPoints()[1].x);
  EXPECT_EQ(nullptr, list.ReadGlyph(golden, 1, 1, nullptr));
  EXPECT_EQ(nullptr, list.ReadGlyph(2, 0, 0, nullptr));
}

// Documents name a library by its number: it stays while the library's file stays in the folder,
// whatever the folder search's order (under Wine the directory's, which a new file can change),
// also for the next program's list, which reads the numbers from the settings.
TEST_F(MountedLibraries, ALibraryKeepsItsNumberWhileItsFileStaysInTheFolder) {
  auto numbers = [](const CMountLibList& list) {
    std::string all;
    CString name;
    for (int n = 0; n < list.GetCount(); ++n)
      all += (list.GetFileName(n, name) ? std::string(name) : std::string("-")) + " ";
    return all;
  };
  WriteFileBytes(m_folder.File("M.LIB"), GoldenLibrary(6.1f));
  CMountLibList list(m_settings);
  ASSERT_EQ(1, list.Scan());
  // New ones, the first sorting before it, take the next numbers in the search's order.
  WriteFileBytes(m_folder.File("A.LIB"), GoldenLibrary(6.1f));
  WriteFileBytes(m_folder.File("Z.LIB"), GoldenLibrary(6.0f));
  ASSERT_EQ(3, list.Scan());
  CString name;
  ASSERT_TRUE(list.GetFileName(0, name));
  EXPECT_EQ(CString("M.LIB"), name);
  const std::string three = numbers(list);
  EXPECT_TRUE(three == "M.LIB A.LIB Z.LIB " || three == "M.LIB Z.LIB A.LIB ") << three;
  CMountLibList restarted(m_settings);
  restarted.Scan();
  EXPECT_EQ(three, numbers(restarted));

  // A library taken away leaves its number unused: no other library's graphics stand in for its
  // own. A new one takes the next number; put back, it has its own again.
  DeleteFileA(m_folder.File("M.LIB").c_str());
  EXPECT_EQ(2, list.Scan());
  EXPECT_EQ("- " + three.substr(6), numbers(list));
  EXPECT_FALSE(list.IsMounted(0));
  EXPECT_FALSE(list.GetTitle(0, name));
  EXPECT_EQ(nullptr, list.ReadGlyph(0, 1, 0, nullptr));
  WriteFileBytes(m_folder.File("B.LIB"), GoldenLibrary(6.1f));
  WriteFileBytes(m_folder.File("M.LIB"), GoldenLibrary(6.1f));
  EXPECT_EQ(4, list.Scan());
  EXPECT_EQ(three + "B.LIB ", numbers(list));

  // Another folder numbers its own libraries afresh.
  TempFolder other;
  WriteFileBytes(other.File("Z.LIB"), GoldenLibrary(6.1f));
  m_settings.WriteString("PATH", "MOUNTLIB", other.Path().c_str());
  EXPECT_EQ(1, list.Scan());
  EXPECT_EQ("Z.LIB ", numbers(list));
}

TEST_F(MountedLibraries, LongTitlesAreCutAndEmptyFoldersListNothing) {
  Bytes golden = GoldenLibrary(6.1f);
  std::fill(golden.begin() + 22, golden.begin() + 70, 'T');
  WriteFileBytes(m_folder.File("LONG.LIB"), golden);
  CMountLibList list(m_settings);
  ASSERT_EQ(1, list.Scan());
  CString title;
  ASSERT_TRUE(list.GetTitle(0, title));
  EXPECT_EQ(CString('T', 39), title);
  m_settings.WriteString("PATH", "MOUNTLIB", m_folder.File("nothing\\").c_str());
  EXPECT_EQ(0, list.Scan());
}

TEST_F(MountedLibraries, TheFolderComesFromTheSettingsOrItsDefault) {
  CMountLibList list(m_settings);
  EXPECT_EQ(CString(m_folder.Path().c_str()), list.GetFolder());
  EXPECT_EQ(list.GetFolder(), GetMountLibPath());
  // No trailing backslash: one is added.
  std::string bare = m_folder.Path().substr(0, m_folder.Path().size() - 1);
  m_settings.WriteString("PATH", "MOUNTLIB", bare.c_str());
  EXPECT_EQ(CString(m_folder.Path().c_str()), list.GetFolder());
  // A relative folder lies in the program folder.
  char program[MAX_PATH] = "";
  ASSERT_TRUE(GetProgramDir(program, sizeof program));
  m_settings.WriteString("PATH", "MOUNTLIB", "MOUNTLIB");
  EXPECT_EQ(CString(program) + "MOUNTLIB\\", list.GetFolder());
  m_settings.WriteString("PATH", "MOUNTLIB", nullptr);
  EXPECT_EQ(CString("C:\\TALVEX\\MOUNTLIB\\"), list.GetFolder());
  // Buffers too small get nothing.
  char small[8] = "x";
  EXPECT_EQ(0, GetMountLibPath(small, sizeof small));
  EXPECT_STREQ("", small);
  // A path longer than 80 bytes is no problem.
  TempFolder deep("a-folder-name-of-some-length\\another-folder-name-of-some-length\\and-more");
  m_settings.WriteString("PATH", "MOUNTLIB", deep.Path().c_str());
  WriteFileBytes(deep.File("DEEP.LIB"), GoldenLibrary(6.0f));
  ASSERT_GT(deep.Path().size(), 80u);
  EXPECT_EQ(1, list.Scan());
  EXPECT_NE(nullptr, std::unique_ptr<CContour>(list.ReadGlyph(0, 0, 0, nullptr)));
}

TEST_F(MountedLibraries, TheProgramsListIsTheLatestBuiltUntilItGoes) {
  CMountLibList outer(m_settings);
  {
    CIniFile other;
    CMountLibList inner(other);
    EXPECT_EQ(&inner, CMountLibList::Program());
  }
  EXPECT_EQ(&outer, CMountLibList::Program());
}

}  // namespace
