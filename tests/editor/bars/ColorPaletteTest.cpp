// The colour palette without windows: the standard colours and their two byte orders, finding
// and adding colours, and the palette file: names, added colours written to the section the
// palette's key names and read back by the next start, damaged entries and long folders.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "editor/bars/ColorPalette.h"
#include "framework/Brush.h"
#include "model/settings/IniFile.h"
#include "support/TempFolder.h"

namespace {

std::string ReadKey(const std::string& file, const char* section, const char* key) {
  char text[128] = {};
  GetPrivateProfileStringA(section, key, "", text, sizeof text, file.c_str());
  return text;
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(ColorPalette, HoldsTheStandardColoursInBothByteOrders) {
  CColorPalette palette;
  palette.LoadStandard(0);
  ASSERT_EQ(39, palette.GetCount());
  struct Entry {
    int index;
    DWORD value;
  };
  const Entry entries[] = {{0, 0x000000},  {1, 0x000080},  {7, 0xC0C0C0},  {12, 0xFF0000},
                           {15, 0xFFFFFF}, {20, 0x6400C8}, {29, 0x3737FF}, {38, 0xFE4E12}};
  for (const Entry& entry : entries) {
    EXPECT_EQ(entry.value, palette.GetValue(entry.index)) << entry.index;
    EXPECT_EQ(SwapRedBlue(entry.value), palette.GetColorRef(entry.index)) << entry.index;
  }
  // The list shows colour 12 as its value in decimal: red.
  EXPECT_EQ(16711680u, palette.GetValue(12));
  EXPECT_EQ(RGB(0xFE, 0x4E, 0x12), palette.GetColorRef(38));
  EXPECT_EQ(0x00563412u, SwapRedBlue(0xAA123456u));

  EXPECT_EQ(0u, palette.GetValue(-1));
  EXPECT_EQ(0u, palette.GetValue(39));
  EXPECT_EQ(0u, palette.GetColorRef(39));
  EXPECT_FALSE(palette.SetValue(39, RGB(1, 2, 3)));
  EXPECT_EQ(nullptr, palette.CreateBrush(39));
  std::unique_ptr<CBrush> brush = palette.CreateBrush(12);
  ASSERT_NE(nullptr, brush);
  LOGBRUSH logBrush = {};
  brush->GetLogBrush(&logBrush);
  EXPECT_EQ(RGB(255, 0, 0), logBrush.lbColor);
  EXPECT_TRUE(palette.SetValue(0, RGB(1, 2, 3)));
  EXPECT_EQ(0x010203u, palette.GetValue(0));
}

TEST(ColorPalette, FindsAColourOnceAndAddsOnlyNewOnes) {
  CColorPalette palette;
  palette.LoadStandard(0);
  // Colours 1 and 37 are both navy: the first counts.
  EXPECT_EQ(1, palette.Find(RGB(0, 0, 128)));
  EXPECT_EQ(-1, palette.Find(RGB(1, 2, 3)));
  EXPECT_EQ(15, palette.Add(RGB(255, 255, 255)));
  EXPECT_EQ(39, palette.GetCount());
  EXPECT_EQ(39, palette.Add(RGB(1, 2, 3)));
  EXPECT_EQ(39, palette.Add(RGB(1, 2, 3)));
  EXPECT_EQ(40, palette.GetCount());
  EXPECT_EQ(0x010203u, palette.GetValue(39));
}

TEST(ColorPalette, AddedColoursComeBackAtTheNextStartFromTheSectionTheirPaletteNames) {
  TempFolder folder;
  const std::string file = folder.File("PALETTE.INI");
  WriteFile(file,
            "[PALETTE]\r\nPAL0=Standard\r\nPAL1=Shop\r\n[Standard]\r\nPalName=Standard colours\r\n"
            "[Shop]\r\nPalName=Shop colours\r\n");
  {
    CColorPalette palette;
    palette.LoadFile(file.c_str());
    ASSERT_EQ(2, palette.GetPaletteCount());
    EXPECT_EQ("Standard colours", std::string(palette.GetPaletteName(0)));
    EXPECT_EQ("Shop colours", std::string(palette.GetPaletteName(1)));
    EXPECT_EQ(39, palette.Add(RGB(10, 20, 30)));
    EXPECT_EQ(40, palette.Add(RGB(200, 100, 0)));
    // A colour held already writes nothing.
    palette.Add(RGB(255, 0, 0));
    palette.Add(RGB(10, 20, 30));
  }
  EXPECT_EQ("10,20,30", ReadKey(file, "Standard", "Color39"));
  EXPECT_EQ("200,100,0", ReadKey(file, "Standard", "Color40"));
  EXPECT_EQ("", ReadKey(file, "Standard", "Color41"));
  EXPECT_EQ("", ReadKey(file, "PAL0", "Color39"));

  CColorPalette restarted;
  restarted.LoadFile(file.c_str());
  ASSERT_EQ(41, restarted.GetCount());
  EXPECT_EQ(0x0A141Eu, restarted.GetValue(39));
  EXPECT_EQ(0xC86400u, restarted.GetValue(40));
  EXPECT_EQ(41, restarted.Add(RGB(1, 1, 1)));
  EXPECT_EQ("1,1,1", ReadKey(file, "Standard", "Color41"));
}

TEST(ColorPalette, ReadingAddedColoursStopsAtTheFirstMissingDamagedOrRepeatedOne) {
  struct Case {
    const char* entries;
    int count;
  };
  const Case cases[] = {
      {"Color39=1,2,3\r\nColor41=4,5,6\r\n", 40},  // a gap ends the list
      {"Color39=1,2\r\nColor40=4,5,6\r\n", 39},    // too few parts
      {"Color39=1,2,300\r\n", 39},                 // out of range
      {"Color39=-1,2,3\r\n", 39},
      {"Color39=1,2,3,4\r\n", 39},  // too many
      {"Color39=a,b,c\r\n", 39},
      {"Color39=255,0,0\r\nColor40=1,2,3\r\n", 39},  // red is colour 12 already
      {"Color39= 7 ,8,9\r\n", 40},
  };
  TempFolder folder;
  const std::string file = folder.File("PALETTE.INI");
  for (const Case& c : cases) {
    WriteFile(file, std::string("[PALETTE]\r\nPAL0=PAL0\r\n[PAL0]\r\n") + c.entries);
    CColorPalette palette;
    palette.LoadFile(file.c_str());
    EXPECT_EQ(c.count, palette.GetCount()) << c.entries;
  }
}

TEST(ColorPalette, AMissingFileGivesTheStandardColoursAndNoNames) {
  TempFolder folder;
  CColorPalette palette;
  palette.LoadFile(folder.File("NOTHERE.INI").c_str());
  EXPECT_EQ(39, palette.GetCount());
  EXPECT_EQ(0, palette.GetPaletteCount());
  EXPECT_EQ("", std::string(palette.GetPaletteName(0)));
}

TEST(ColorPalette, TheFolderComesFromTheSettingsAndAnyLengthOfFolderWorks) {
  TempFolder folder("a folder with a rather long name\\and another level below it\\PALETTE");
  ASSERT_GT(folder.Path().size(), 50u);
  WriteFile(folder.File("PALETTE.INI"), "[PALETTE]\r\nPAL0=PAL0\r\n[PAL0]\r\nPalName=Deep\r\n");
  TempFolder settingsFolder;
  const std::string settingsFile = settingsFolder.File("TALVEX42.INI");
  CIniFile settings;
  ASSERT_TRUE(settings.SetPath(settingsFile.c_str()));
  settings.WriteString("PATH", "PALETTE", folder.Path().c_str());

  CColorPalette palette(settings, CColorPalette::kFileName);
  EXPECT_EQ(folder.File("PALETTE.INI"), std::string(palette.GetPath()));
  ASSERT_EQ(1, palette.GetPaletteCount());
  EXPECT_EQ("Deep", std::string(palette.GetPaletteName(0)));

  // The file name is appended as it is.
  settings.WriteString("PATH", "PALETTE", "D:\\Colours");
  EXPECT_EQ("D:\\ColoursPALETTE.INI",
            std::string(CColorPalette::PaletteFolder(settings) + "PALETTE.INI"));
}
