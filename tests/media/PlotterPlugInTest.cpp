#include <gtest/gtest.h>

#include <string>

#include "framework/File.h"
#include "media/DllModule.h"
#include "media/PlotterPlugIn.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

CString ProgramFile(LPCSTR name) { return CDllModule::ProgramFolder() + name; }

void WriteText(const std::string& path, const char* text) {
  CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
  file.Write(text, static_cast<UINT>(strlen(text)));
}

TEST(CPlotterPlugIn, OpenForPortTakesFileAndPlotterNumberFromTheName) {
  struct Case {
    const char* name;
    bool opens;
    const char* file;
    int plotter;
  };
  const Case cases[] = {
      {"测试刻字机[TestPlotter.upl:03]", true, "TestPlotter.upl", 3},
      {"Cutter[P.upl:12]", true, "P.upl", 12},
      {"Cutter[P.upl:7", true, "P.upl", 7},
      {"A:B[P.upl:05]", true, "P.upl", 5},  // a colon in the display name is not the number's
      {"Cutter[P.upl]", false, "P.upl", -1},
      {"Cutter[", false, nullptr, 0},
      {"Cutter[:3]", false, nullptr, 0},
      {"COM1", false, nullptr, 0},
  };
  for (const Case& c : cases) {
    CPlotterPlugIn plugIn;
    EXPECT_EQ(c.opens, plugIn.OpenForPort(c.name)) << c.name;
    if (c.file) {
      EXPECT_EQ(ProgramFile(c.file), plugIn.GetPath()) << c.name;
      EXPECT_EQ(c.plotter, plugIn.GetPlotterNumber()) << c.name;
    }
  }
}

TEST(CPlotterPlugIn, BindsTheSevenEntriesAndPlotsAFile) {
  TempFolder folder;
  std::string plot = folder.File("job.plt");
  WriteText(plot, "IN;PU0,0;PD100,0;");

  CPlotterPlugIn plugIn;
  ASSERT_TRUE(plugIn.OpenForPort("TestCutter[TestPlotter.upl:03]"));
  HMODULE module = plugIn.Load();
  ASSERT_NE(nullptr, module);
  EXPECT_EQ(module, plugIn.Load());  // held: returned at once
  EXPECT_NE(nullptr, plugIn.GetPlotterCount);
  EXPECT_NE(nullptr, plugIn.EnumUsbPlotterA);
  EXPECT_NE(nullptr, plugIn.GetPlotterInfoA);
  EXPECT_NE(nullptr, plugIn.SelectPlotter);
  EXPECT_EQ(1, plugIn.GetPlotterCount());

  PlotInfo info = {};
  info.deleteFile = 1;
  ASSERT_TRUE(plugIn.PlotFile(plot.c_str(), &info));
  EXPECT_EQ(3, info.plotterNumber);
  EXPECT_EQ(132, info.size);
  EXPECT_GT(info.jobId, 0);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(plot.c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((plot + ".sent").c_str()));
  ASSERT_TRUE(plugIn.QueryPlotInfo(&info));
  EXPECT_EQ(0, info.threadHandle);
  EXPECT_EQ(100, info.percent);
  EXPECT_TRUE(plugIn.CancelJob(&info));

  plugIn.Unload();
  EXPECT_EQ(nullptr, plugIn.PlotFileA);
  EXPECT_FALSE(plugIn.PlotFile(plot.c_str(), &info));
}

TEST(CPlotterPlugIn, AnotherPlottersNumberIsRefusedByThePlugIn) {
  CPlotterPlugIn plugIn;
  ASSERT_TRUE(plugIn.OpenForPort("X[TestPlotter.upl:02]"));
  ASSERT_NE(nullptr, plugIn.Load());
  PlotInfo info = {};
  EXPECT_FALSE(plugIn.QueryPlotInfo(&info));
  EXPECT_EQ(2, info.plotterNumber);
}

TEST(CPlotterPlugIn, ALibraryWithoutThePlotterEntriesRefusesEveryCall) {
  MessageBoxCapture boxes;
  CPlotterPlugIn plugIn;
  ASSERT_TRUE(plugIn.OpenForPort("Not a plotter[TestAddon.dll:01]"));
  ASSERT_NE(nullptr, plugIn.Load());
  EXPECT_EQ(nullptr, plugIn.PlotFileA);
  PlotInfo info = {};
  EXPECT_FALSE(plugIn.PlotFile("C:\\x.plt", &info));
  EXPECT_FALSE(plugIn.QueryPlotInfo(&info));
  EXPECT_FALSE(plugIn.CancelJob(&info));
  CStringArray chinese;
  CStringArray english;
  TempFolder folder;
  ASSERT_TRUE(CopyFileA(ProgramFile("TestAddon.dll"), folder.File("Addon.upl").c_str(), FALSE));
  EXPECT_EQ(0, plugIn.EnumeratePlotters(chinese, english, folder.Path().c_str()));
  EXPECT_EQ(0u, boxes.Count());
}

TEST(CPlotterPlugIn, EnumeratesEveryPlugInAndSkipsBrokenOnes) {
  TempFolder folder;
  ASSERT_TRUE(CopyFileA(ProgramFile("TestPlotter.upl"), folder.File("TestPlotter.upl").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(ProgramFile("TestPlotter.upl"), folder.File("LongName.upl").c_str(), FALSE));
  WriteText(folder.File("Broken.upl"), "this is no library");
  WriteText(folder.File("Other.txt"), "ignored");

  MessageBoxCapture boxes;
  CPlotterPlugIn plugIn;
  CStringArray chinese;
  CStringArray english;
  ASSERT_EQ(2, plugIn.EnumeratePlotters(chinese, english, folder.Path().c_str()));
  ASSERT_EQ(2, english.GetSize());
  EXPECT_FALSE(plugIn.IsLoaded());
  EXPECT_EQ(0u, boxes.Count());
  bool sawNormal = false;
  bool sawLong = false;
  for (int i = 0; i < 2; ++i) {
    if (english[i] == "TestCutter[TestPlotter.upl:03]") {
      EXPECT_EQ(CString("测试刻字机[TestPlotter.upl:03]"), chinese[i]);
      sawNormal = true;
    } else {
      // Names that fill their field to the last byte are cut there, never read past it.
      EXPECT_EQ(CString('E', 100), english[i]);
      EXPECT_EQ(CString('C', 100), chinese[i]);
      sawLong = true;
    }
  }
  EXPECT_TRUE(sawNormal);
  EXPECT_TRUE(sawLong);
}

TEST(CPlotterPlugIn, AFolderWithoutPlugInsGivesNoPlotters) {
  TempFolder folder;
  CPlotterPlugIn plugIn;
  CStringArray chinese;
  CStringArray english;
  chinese.Add("stale");
  EXPECT_EQ(0, plugIn.EnumeratePlotters(chinese, english, folder.Path().c_str()));
  EXPECT_EQ(0, chinese.GetSize());
}

}  // namespace
