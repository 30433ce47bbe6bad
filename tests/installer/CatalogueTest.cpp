// The setup catalogue as the installer reads it, without the spooler: the settings-style text
// (line ends, blanks, quotes, comments, the section limit, damaged text), the manufacturer and
// model lines, and the installation record with every check made before anything is installed.
#include <gtest/gtest.h>

#include <string>

#include "installer/CutterCatalogue.h"
#include "installer/CutterInstaller.h"
#include "installer/SetupCatalogue.h"

namespace {

CCutterCatalogue Catalogue(const std::string& text) {
  CCutterCatalogue catalogue;
  EXPECT_TRUE(catalogue.LoadText(text.data(), text.size()));
  return catalogue;
}

std::string Models(const std::string& lines) {
  return "[Manufacturer]\n%Talvex%\n[Talvex]\n" + lines;
}

TEST(SetupCatalogue, ReadsLinesKeysAndQuotesAlikeWhateverTheLineEndsAndBlanks) {
  const std::string text =
      "\xEF\xBB\xBF"
      "LostLine=before any section\n"
      "[MARK]\r\n"
      "  Title =  \"Quoted \"title\"\"  \r"
      "title=second of the name\n"
      "; Company=a comment\n"
      "\t\n"
      "LanguageID= 1x\r\n"
      "[ mark ]\n"
      "Company=from the second section of the name\n"
      "[Files]\n"
      "a.dll\r\n"
      ";b.dll\n"
      "  \"c d.dll\"  \n"
      "e.dll";
  CSetupCatalogue catalogue;
  ASSERT_TRUE(catalogue.LoadText(text.data(), text.size()));
  EXPECT_EQ(CString("Quoted \"title\""), catalogue.GetString("Mark", "TITLE"));
  EXPECT_EQ(1, catalogue.GetInt("MARK", "LanguageID", 7));
  EXPECT_EQ(7, catalogue.GetInt("MARK", "Title", 7));
  EXPECT_FALSE(catalogue.HasKey("MARK", "Company")) << "comments and later sections are not read";
  EXPECT_EQ(CString("none"), catalogue.GetString("Nothing", "LostLine", "none"));
  CStringArray lines;
  ASSERT_EQ(CSetupCatalogue::kSectionFound, catalogue.GetSection("files", lines));
  ASSERT_EQ(3, lines.GetSize());
  EXPECT_EQ(CString("a.dll"), lines[0]);
  EXPECT_EQ(CString("\"c d.dll\""), lines[1]);
  EXPECT_EQ(CString("e.dll"), lines[2]);
  EXPECT_EQ(CSetupCatalogue::kSectionMissing, catalogue.GetSection("Absent", lines));
}

TEST(SetupCatalogue, ASectionIsReadUpToItsLimitAndRefusedBeyond) {
  // 60000 = 5999 lines of nine characters and one of eight, each with its zero, and the zero
  // that closes the list; one character more is too many.
  std::string lines9;
  for (int i = 0; i < 5999; ++i) lines9 += "file1.dll\n";
  const std::string atLimit = "[Big]\n" + lines9 + "last.dll\n";
  const std::string text = "[Big]\n" + lines9 + "last1.dll\n";
  CSetupCatalogue catalogue;
  CStringArray lines;
  ASSERT_TRUE(catalogue.LoadText(atLimit.data(), atLimit.size()));
  EXPECT_EQ(CSetupCatalogue::kSectionFound, catalogue.GetSection("Big", lines));
  ASSERT_TRUE(catalogue.LoadText(text.data(), text.size()));
  EXPECT_EQ(CSetupCatalogue::kSectionTooLong, catalogue.GetSection("Big", lines));
  EXPECT_EQ(0, lines.GetSize());
}

TEST(SetupCatalogue, TextWithZeroBytesOrBeyondTheSizeLimitIsNoCatalogue) {
  CSetupCatalogue catalogue;
  const char utf16[] = "\xFF\xFE[\0M\0A\0R\0K\0]\0";
  EXPECT_FALSE(catalogue.LoadText(utf16, sizeof utf16 - 1));
  std::string huge(CSetupCatalogue::kMaxFileBytes + 1, 'x');
  EXPECT_FALSE(catalogue.LoadText(huge.data(), huge.size()));
  EXPECT_TRUE(catalogue.LoadText("", 0));
  EXPECT_FALSE(catalogue.Load("Z:\\no\\such\\folder\\tlvcut.inf"));
}

TEST(CutterCatalogue, TheCommandLineOrTheSystemLanguageNamesTheCatalogue) {
  struct Case {
    const char* commandLine;
    LANGID language;
    const char* path;
  } cases[] = {
      {"", 2052, "C:\\prog\\tlvcut.inf"},
      {nullptr, 1033, "C:\\prog\\tlvcutE.inf"},
      {"  own.inf ", 2052, "C:\\prog\\own.inf"},
      {"\"my cutters.inf\"", 1033, "C:\\prog\\my cutters.inf"},
      {"D:\\other\\cut.inf", 2052, "D:\\other\\cut.inf"},
      {"\\\\server\\share\\cut.inf", 2052, "\\\\server\\share\\cut.inf"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CString(c.path),
              CCutterCatalogue::CataloguePath(c.commandLine, "C:\\prog\\", c.language))
        << (c.commandLine ? c.commandLine : "(none)");
}

TEST(CutterCatalogue, TheFirstManufacturerBetweenPercentSignsIsUsed) {
  struct Case {
    std::string text;
    CInstallProblem::Kind problem;
    const char* section;
  } cases[] = {
      {"[Manufacturer]\n; %Comment%\n%  Talvex Soft % \n%Other%\n[Talvex Soft]\n",
       CInstallProblem::kNone, "Talvex Soft"},
      {"[Manufacturer]\n%Talvex%=name\n[Talvex]\n", CInstallProblem::kNone, "Talvex"},
      {"[Manufacturer]\n%Talvex\n[Talvex]\n", CInstallProblem::kBadManufacturer, ""},
      {"[Manufacturer]\n%%\n", CInstallProblem::kBadManufacturer, ""},
      {"[Manufacturer]\nTalvex\n[Talvex]\n", CInstallProblem::kNoManufacturer, ""},
      {"[Manufacturer]\n%Talvex%\n", CInstallProblem::kNoManufacturer, ""},
      {"[MARK]\nLanguageID=1\n", CInstallProblem::kNoManufacturer, ""},
  };
  for (const Case& c : cases) {
    CCutterCatalogue catalogue = Catalogue(c.text);
    CInstallProblem problem;
    EXPECT_EQ(c.problem == CInstallProblem::kNone, catalogue.ReadManufacturer(&problem)) << c.text;
    EXPECT_EQ(c.problem, problem.GetKind()) << c.text;
    EXPECT_EQ(CString(c.section), catalogue.GetManufacturerSection()) << c.text;
  }
  CInstallProblem problem(CInstallProblem::kNoManufacturer, 1);
  EXPECT_EQ(CString("Can't find Manufacturer 1"), problem.Describe());
}

TEST(CutterCatalogue, ModelLinesGiveTheNameBetweenTheQuotesAndTheSectionUpToAComma) {
  struct Case {
    const char* line;
    bool read;
    const char* name;
    const char* section;
  } cases[] = {
      {"\"Cutter A\"=CUT_A", true, "Cutter A", "CUT_A"},
      {"\"Cutter A\"  =  CUT_A , more, more", true, "Cutter A", "CUT_A"},
      {"\"A=B\"=CUT", true, "A=B", "CUT"},
      {"\"12\" Cutter\"=CUT", true, "12\" Cutter", "CUT"},
      {"\"\xE9\x95\x8C\xE5\x9B\xBE\"=CUT", true, "\xE9\x95\x8C\xE5\x9B\xBE", "CUT"},
      {"\"Cutter\"", false, "", ""},
      {"\"Cutter\"=", false, "", ""},
      {"\"Cutter\"= ,CUT", false, "", ""},
      {"\"Cutter=CUT", false, "", ""},
      {"Cutter=CUT", false, "", ""},
  };
  for (const Case& c : cases) {
    CCutterCatalogue::Entry entry;
    ASSERT_EQ(c.read, CCutterCatalogue::ParseModelLine(c.line, &entry)) << c.line;
    EXPECT_EQ(CString(c.name), entry.name) << c.line;
    EXPECT_EQ(CString(c.section), entry.section) << c.line;
  }
}

TEST(CutterCatalogue, AModelIsTakenOnlyWhenItsNameFitsADeviceModeAndIsAPrinterName) {
  const std::string name31(31, 'N');
  const std::string name32(32, 'N');
  // Sixteen double-byte characters are 32 bytes; the second byte of 0x95 0x5C is a backslash
  // code but no backslash.
  std::string chinese32;
  for (int i = 0; i < 16; ++i) chinese32 += "\xBF\xCC";
  CCutterCatalogue catalogue = Catalogue(
      Models("Not a model\n\"" + name31 + "\"=S\n\"" + name32 + "\"=S\n\"" + chinese32 +
             "\"=S\n\"Cut, Inc\"=S\n\"Cut\\er\"=S\n\"\"=S\n\"\x95\x5C Cutter\"=S\n\"Damaged\n"));
  ASSERT_TRUE(catalogue.ReadManufacturer(nullptr));
  CStringArray names;
  catalogue.GetModelNames(names);
  ASSERT_EQ(8, names.GetSize());
  EXPECT_EQ(CString("Damaged"), names[7]) << "a line that cannot be read shows what it holds";
  struct Case {
    int index;
    CInstallProblem::Kind problem;
  } cases[] = {{0, CInstallProblem::kNone},
               {1, CInstallProblem::kNameTooLong},
               {2, CInstallProblem::kNameTooLong},
               {3, CInstallProblem::kNameNotPrinterName},
               {4, CInstallProblem::kNameNotPrinterName},
               {5, CInstallProblem::kNameNotPrinterName},
               {6, CInstallProblem::kNone},
               {7, CInstallProblem::kBadCutterLine},
               {8, CInstallProblem::kNoCutter},
               {-1, CInstallProblem::kNoCutter}};
  for (const Case& c : cases) {
    CCutterCatalogue::Entry entry;
    CInstallProblem problem;
    EXPECT_EQ(c.problem == CInstallProblem::kNone,
              catalogue.GetCutterEntry(c.index, &entry, &problem))
        << c.index;
    EXPECT_EQ(c.problem, problem.GetKind()) << c.index;
  }
  CCutterCatalogue::Entry entry;
  CInstallProblem problem;
  catalogue.GetCutterEntry(8, &entry, &problem);
  EXPECT_EQ(CString("Can't find Cutter(9)"), problem.Describe());
}

TEST(CutterCatalogue, CopyFilesGivesTheDependentFilesTheDataFileAndThePaths) {
  CCutterCatalogue catalogue = Catalogue(
      Models("\"Cutter\" = CUT\n"
             "[CUT]\nCopyFiles= @a.dll , @B.PCD,Extra,,\nDataSection=Data\n"
             "[Extra]\nc.dll\n;skipped.dll\nd.hlp\n"
             "[Data]\nDriverFile=a.dll\nConfigFile=\"c.dll\"\nHelpFile=d.hlp\n"));
  ASSERT_TRUE(catalogue.ReadManufacturer(nullptr));
  CCutterCatalogue::Entry entry;
  ASSERT_TRUE(catalogue.GetCutterEntry(0, &entry, nullptr));
  CCutterInfo info;
  CInstallProblem problem;
  ASSERT_TRUE(catalogue.FillCutterInfo(entry, "C:\\prog\\", &info, &problem)) << problem.Describe();
  EXPECT_EQ(CString("Cutter"), info.name);
  ASSERT_EQ(4, info.dependentFiles.GetSize());
  const char* expected[] = {"a.dll", "B.PCD", "c.dll", "d.hlp"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(CString(expected[i]), info.dependentFiles[i]);
  EXPECT_EQ(CString("C:\\prog\\B.PCD"), info.dataPath);
  EXPECT_EQ(CString("C:\\prog\\a.dll"), info.driverPath);
  EXPECT_EQ(CString("C:\\prog\\c.dll"), info.configPath);
  EXPECT_EQ(CString("C:\\prog\\d.hlp"), info.helpPath);
  const std::vector<char> list = info.DependentFileList();
  EXPECT_EQ(std::string("a.dll\0B.PCD\0c.dll\0d.hlp\0\0", 25),
            std::string(list.begin(), list.end()));
}

TEST(CutterCatalogue, ADamagedCutterSectionStopsTheInstallWithItsError) {
  const std::string good =
      "DataSection=Data\n[Data]\nDriverFile=a.dll\nConfigFile=c.dll\nHelpFile=h.hlp\n";
  std::string manyFiles = "[Many]\n";  // 40000 characters, so that twice is too many
  for (int i = 0; i < 4000; ++i) manyFiles += "file.dll\n";
  struct Case {
    std::string section;
    CInstallProblem::Kind problem;
    const char* text;  // the Part's texts; others come from the resources
  } cases[] = {
      {"CopyFiles=@a.dll,@b.pcd\n[Data]\nDriverFile=a.dll\n", CInstallProblem::kNoDataSection,
       "Can't find DataSection in [CUT]"},
      {"CopyFiles=@a.dll,@b.pcd\nDataSection=Data\n[Data]\nConfigFile=c.dll\nHelpFile=h\n",
       CInstallProblem::kNoDriverFile, "Can't found DriverFile Script"},
      {"CopyFiles=@a.dll,@b.pcd\nDataSection=Data\n[Data]\nDriverFile=a.dll\nHelpFile=h\n",
       CInstallProblem::kNoConfigFile, "Can't found ConfigFile Script"},
      {"CopyFiles=@a.dll,@b.pcd\nDataSection=Data\n[Data]\nDriverFile=a\nConfigFile=c\n",
       CInstallProblem::kNoHelpFile, "Can't found HelpFile Script"},
      {"CopyFiles=@a.dll,@b.pcd,Missing\n" + good, CInstallProblem::kNoFileSection, nullptr},
      {"CopyFiles=@a.dll\n" + good, CInstallProblem::kNoDataFile, nullptr},
      {"CopyFiles=@b.pcd,@..\\..\\windows\\evil.dll\n" + good, CInstallProblem::kFileNameNotPlain,
       nullptr},
      {"CopyFiles=@b.pcd\nDataSection=Data\n[Data]\nDriverFile=C:\\a.dll\nConfigFile=c\nHelpFile="
       "h\n",
       CInstallProblem::kFileNameNotPlain, nullptr},
      {"CopyFiles=b.pcd,Many,Many\n" + good + manyFiles, CInstallProblem::kFileListTooLong,
       nullptr},
  };
  for (const Case& c : cases) {
    CCutterCatalogue catalogue = Catalogue(Models("\"Cutter\"=CUT\n[CUT]\n" + c.section));
    ASSERT_TRUE(catalogue.ReadManufacturer(nullptr));
    CCutterCatalogue::Entry entry;
    ASSERT_TRUE(catalogue.GetCutterEntry(0, &entry, nullptr));
    CCutterInfo info;
    CInstallProblem problem;
    EXPECT_FALSE(catalogue.FillCutterInfo(entry, "C:\\prog\\", &info, &problem)) << c.section;
    EXPECT_EQ(c.problem, problem.GetKind()) << c.section;
    EXPECT_FALSE(problem.Describe().IsEmpty()) << c.section;
    if (c.text) {
      EXPECT_EQ(CString(c.text), problem.Describe());
    }
  }
  // A program folder so deep that a driver file's path does not fit.
  CCutterCatalogue catalogue = Catalogue(
      Models("\"Cutter\"=CUT\n[CUT]\nCopyFiles=@b.pcd\n" + good));
  ASSERT_TRUE(catalogue.ReadManufacturer(nullptr));
  CCutterCatalogue::Entry entry;
  ASSERT_TRUE(catalogue.GetCutterEntry(0, &entry, nullptr));
  CCutterInfo info;
  CInstallProblem problem;
  const std::string deep = "C:\\" + std::string(MAX_PATH - 8, 'd') + "\\";
  EXPECT_FALSE(catalogue.FillCutterInfo(entry, deep.c_str(), &info, &problem));
  EXPECT_EQ(CInstallProblem::kPathTooLong, problem.GetKind());
}

TEST(CutterInfo, TheDefaultDeviceModeCarriesTheNameInsideItsField) {
  CCutterInfo info;
  info.name = CString(std::string(31, 'x').c_str());
  DEVMODEA mode = info.DefaultDevMode();
  EXPECT_EQ(156, mode.dmSize);
  EXPECT_EQ(DM_SPECVERSION, mode.dmSpecVersion);
  EXPECT_EQ(0, mode.dmDriverExtra);
  EXPECT_EQ(std::string(31, 'x'), std::string(reinterpret_cast<char*>(mode.dmDeviceName)));
  info.name = CString(std::string(40, 'y').c_str());  // never given, but the field holds
  mode = info.DefaultDevMode();
  EXPECT_EQ(0, mode.dmDeviceName[31]);
  EXPECT_EQ(std::vector<char>(2, '\0'), CCutterInfo().DependentFileList());
}

TEST(CutterInstaller, CopiesTheDriversOwnFilesEvenWhenCopyFilesLeavesThemOut) {
  CCutterInfo info;
  info.dependentFiles.Add("a.dll");
  info.dependentFiles.Add("B.PCD");
  info.driverPath = "C:\\prog\\A.DLL";
  info.dataPath = "C:\\prog\\b.pcd";
  info.configPath = "C:\\prog\\ui.dll";
  info.helpPath = "C:\\prog\\help.txt";
  CStringArray names;
  CCutterInstaller::FilesToCopy(info, names);
  ASSERT_EQ(4, names.GetSize());
  EXPECT_EQ(CString("ui.dll"), names[2]);
  EXPECT_EQ(CString("help.txt"), names[3]);
}

}  // namespace
