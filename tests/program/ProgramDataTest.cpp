// The settings files the build puts into the program folder: converted to the program's code page
// and readable under the section names the resources of both languages lead to.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "StartupResources.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/document/TALVEX42Doc.h"
#include "output/CutterDevice.h"
#include "support/MessageBoxCapture.h"

namespace {

std::string Read(const std::string& file, const char* section, const char* key) {
  char value[256] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
  return value;
}

}  // namespace

TEST(ProgramData, LanguagesReadInBothResourceLanguages) {
  std::string ini = ProgramFile("TALVEX42.INI");
  // The Chinese resources append a blank to the section names, the English ones "Eng".
  EXPECT_EQ("简体中文", Read(ini, "LANGUAGE0 ", "NAME"));
  EXPECT_EQ("134", Read(ini, "LANGUAGE0 ", "ID"));
  EXPECT_EQ("Chinese GB", Read(ini, "LANGUAGE0Eng", "NAME"));
  EXPECT_EQ("繁体中文", Read(ini, "LANGUAGE2 ", "NAME"));
  EXPECT_EQ("", Read(ini, "LANGUAGE5 ", "NAME"));
}

TEST(ProgramData, TheUndoLimitIsSet) {
  EXPECT_EQ("10", Read(ProgramFile("TALVEX42.INI"), "SystemParam", "UndoStep"));
}

TEST(ProgramData, EveryPageSizeNameHasASize) {
  std::string ini = ProgramFile("TALVEX42.INI");
  // Under Wine a section name ending in the Chinese resources' blank lists no keys: the section
  // itself is "PAGE".
  for (const char* section : {"PAGE", "PAGEEng"}) {
    char names[2000] = {};
    GetPrivateProfileStringA(section, nullptr, "", names, sizeof names, ini.c_str());
    ASSERT_NE('\0', names[0]) << section;
    for (const char* name = names; *name; name += strlen(name) + 1) {
      std::string size = Read(ini, "PAGE", name);
      int width = 0, height = 0;
      EXPECT_EQ(2, sscanf(size.c_str(), "%d,%d", &width, &height)) << name;
      EXPECT_GE(width, 10) << name;
      EXPECT_GE(height, 10) << name;
    }
  }
}

TEST(ProgramData, ThePaletteFileNamesItsPalette) {
  std::string palette = ProgramFile("PALETTE\\PALETTE.INI");
  std::string section = Read(palette, "PALETTE", "PAL0");
  ASSERT_EQ("PAL0", section);
  EXPECT_EQ("标准调色板", Read(palette, section.c_str(), "PalName"));
}

TEST(ProgramData, TheSampleDocumentOpens) {
  MessageBoxCapture boxes;
  CTALVEX42Doc document;
  ASSERT_TRUE(document.OnOpenDocument(ProgramFile("SAMPLE.T42").c_str()));
  EXPECT_EQ(0u, boxes.Count());
  EXPECT_EQ(400.0f, document.GetPageSettings().m_width);
  EXPECT_EQ(300.0f, document.GetPageSettings().m_height);
  ASSERT_EQ(6, document.GetBlockList().GetSize());
  // The picture is named relative to the document and found beside it.
  CBlock* picture = document.GetBlockList().GetBlock(5);
  ASSERT_EQ(kImageBlock, picture->m_type);
  EXPECT_STREQ(ProgramFile("SAMPLE.BMP").c_str(),
               static_cast<CImageBlock*>(picture)->GetFileName());
  RasterImageInfo info;
  ASSERT_TRUE(static_cast<CImageBlock*>(picture)->ReadImage(&info));
  EXPECT_EQ(140, info.width);
  EXPECT_EQ(80, info.height);
  EXPECT_EQ(8, info.bitsPerPixel);
}

// Both interface languages find the shipped cutter models in their own list, and every model
// named there loads as a usable profile.
TEST(ProgramData, EveryCutterModelIsFoundInBothInterfaceLanguages) {
  struct Language {
    const char* id;
    const char* list;
  };
  const Language languages[] = {{"2052", "CutterDevices"}, {"1033", "CutterDevicesEng"}};
  for (const Language& language : languages) {
    SCOPED_TRACE(language.id);
    StartupResources resources(language.id);
    EXPECT_EQ(std::string(language.id) == "1033", resources.English());
    CString section = CCutterDevice::ModelListSection();
    EXPECT_STREQ(language.list, section.TrimRight().GetString());

    MessageBoxCapture boxes;
    CCutterDevice device;
    ASSERT_TRUE(device.ProfileFile().SetPath(ProgramFile("Cutters.INI").c_str()));
    CStringArray names;
    device.GetModelNames(names);
    ASSERT_GE(names.GetSize(), 4);
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
      device.LoadProfile(names[i]);
      EXPECT_NE('\0', device.m_sectionName[0]) << names[i].GetString();
      EXPECT_TRUE(device.GetProfileProblem().IsEmpty())
          << names[i].GetString() << ": " << device.GetProfileProblem().GetString();
    }
    EXPECT_EQ(0u, boxes.Count());
  }
}
