// The cutter models shipped in data/Cutters.INI: each loads without a problem, and what it sends
// reads back as moves and cuts in the grammar of the USB plug-in's plot-file reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/settings/ProgramPaths.h"
#include "output/CutterDevice.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

struct PlotRecord {
  char pen;  // 'U' or 'D'
  int x;
  int y;
};

// Reads pen lists as the plug-in does: 'A'/'U' start pen-up pairs, 'D' pen-down pairs, 'B' skips
// to ';' or a control character, a blank, line end or ';' ends a list, anything else drops a pair.
std::vector<PlotRecord> ReadPlotRecords(const std::string& text) {
  enum { kScanning, kNumber, kSkipping } state = kScanning;
  std::vector<PlotRecord> records;
  bool axisY = false, minus = false;
  char pen = 'U';
  long long value = 0, x = 0;
  auto startList = [&](char p) {
    state = kNumber;
    axisY = false;
    minus = false;
    value = 0;
    pen = p;
  };
  auto finishPoint = [&] {
    records.push_back({pen, static_cast<int>(x), static_cast<int>(minus ? -value : value)});
    axisY = false;
    value = 0;
    minus = false;
  };
  for (char c : text) {
    if (state == kSkipping) {
      if (static_cast<unsigned char>(c) < 14 || c == ';') state = kScanning;
    } else if (state == kScanning) {
      if (c == 'A' || c == 'U')
        startList('U');
      else if (c == 'D')
        startList('D');
      else if (c == 'B')
        state = kSkipping;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + (c - '0');
    } else if (c == '-') {
      minus = true;
    } else if (c == ',') {
      if (!axisY) {
        x = minus ? -value : value;
        axisY = true;
        value = 0;
        minus = false;
      } else
        finishPoint();
    } else if (c == '\n' || c == '\r' || c == ' ' || c == ';') {
      if (axisY) finishPoint();
      state = kScanning;
    } else if (c == 'A' || c == 'U')
      startList('U');
    else if (c == 'D')
      startList('D');
    else if (c == 'B')
      state = kSkipping;
    else {
      state = kScanning;
      value = 0;
    }
  }
  return records;
}

TEST(PlotRecordReader, ReadsTheReferenceExamples) {
  std::vector<PlotRecord> r = ReadPlotRecords("PU0,0;PD100,0,100,100,0,100,0,0;PU;");
  ASSERT_EQ(5u, r.size());
  EXPECT_EQ('U', r[0].pen);
  EXPECT_EQ('D', r[4].pen);
  EXPECT_TRUE(ReadPlotRecords("PD10,20").empty());
  EXPECT_EQ(-5, ReadPlotRecords("PD-5,7;")[0].x);
  EXPECT_EQ(1u, ReadPlotRecords("PD10,20 30,40;").size());
}

class ShippedModelsTest : public ::testing::Test {
protected:
  ShippedModelsTest() : m_ini(m_folder.File("Cutters.INI")), m_plot(m_folder.File("job.plt")) {
    char folder[MAX_PATH];
    EXPECT_EQ(1, GetProgramDir(folder, sizeof folder));
    std::string shipped = std::string(folder) + "program\\Cutters.INI";
    EXPECT_TRUE(CopyFileA(shipped.c_str(), m_ini.c_str(), FALSE)) << shipped;
  }

  std::vector<std::string> ModelNames(const char* section = "CutterDevices") {
    char list[4000];
    GetPrivateProfileStringA(section, nullptr, "", list, sizeof list, m_ini.c_str());
    std::vector<std::string> names;
    for (const char* p = list; *p; p += names.back().size() + 1) names.push_back(p);
    return names;
  }

  std::string TestCut(CCutterDevice& device, const std::string& model, int widthMm) {
    EXPECT_TRUE(device.ProfileFile().SetPath(m_ini.c_str()));
    device.LoadProfile(model.c_str());
    device.m_port.SetPortName(m_plot.c_str());
    CCutSettings settings;
    settings.m_testWidth = widthMm;
    settings.m_bladeOffset = device.m_bladeOffset;
    device.TestCut(nullptr, settings);
    std::ifstream in(m_plot, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  TempFolder m_folder;
  std::string m_ini;
  std::string m_plot;
};

TEST_F(ShippedModelsTest, EveryModelCutsASquareThePlugInCanRead) {
  MessageBoxCapture boxes;
  std::vector<std::string> names = ModelNames();
  ASSERT_GE(names.size(), 4u);
  bool softwareOffset = false, hardOffset = false, dmpl = false;
  for (const std::string& name : names) {
    CCutterDevice device;
    std::string out = TestCut(device, name, 20);
    EXPECT_TRUE(device.GetProfileProblem().IsEmpty())
        << name << ": " << device.GetProfileProblem().GetString();
    EXPECT_NE(0, device.m_sectionName[0]) << name;
    softwareOffset |= device.IsSoftwareOffsetActive();
    hardOffset |= device.m_hardOffset != 0 && !device.m_plotCmd.IsEmpty();
    dmpl |= out.compare(0, 2, ";:") == 0;

    int side = static_cast<int>(20 / device.m_rs);
    int slack = static_cast<int>(device.m_bladeOffset / device.m_rs) + 1;
    std::vector<PlotRecord> records = ReadPlotRecords(out);
    int cuts = 0, farthest = 0;
    for (const PlotRecord& r : records) {
      if (r.pen == 'D') ++cuts;
      farthest = std::max(farthest, std::max(r.x, r.y));
      EXPECT_GE(std::min(r.x, r.y), -slack) << name;
    }
    EXPECT_GE(cuts, 4) << name << ": " << out;
    EXPECT_GE(farthest, side) << name;
    EXPECT_LE(farthest, side + slack) << name;
  }
  EXPECT_TRUE(softwareOffset);
  EXPECT_TRUE(hardOffset);
  EXPECT_TRUE(dmpl);
  EXPECT_EQ(0u, boxes.Count());
}

// Each interface language has its own list of model names (the resources' suffix picks it); both
// lead to the same sections, in the same order.
TEST_F(ShippedModelsTest, TheEnglishListNamesTheSameModels) {
  std::vector<std::string> chinese = ModelNames("CutterDevices");
  std::vector<std::string> english = ModelNames("CutterDevicesEng");
  ASSERT_EQ(chinese.size(), english.size());
  ASSERT_GE(english.size(), 4u);
  auto sectionOf = [&](const char* list, const std::string& name) {
    char section[64] = {};
    GetPrivateProfileStringA(list, name.c_str(), "", section, sizeof section, m_ini.c_str());
    return std::string(section);
  };
  for (size_t i = 0; i < english.size(); ++i) {
    EXPECT_NE("", sectionOf("CutterDevicesEng", english[i])) << english[i];
    EXPECT_EQ(sectionOf("CutterDevices", chinese[i]), sectionOf("CutterDevicesEng", english[i]))
        << english[i];
    for (unsigned char c : english[i]) EXPECT_LT(c, 0x80) << english[i];
  }
}

// Writes a 100 mm test square of the plain HP-GL model to the file named by TALVEX_SQUARE_PLT, for
// the check with an HP-GL reader outside Wine.
TEST_F(ShippedModelsTest, HpglSquareForTheReader) {
  char target[MAX_PATH];
  if (GetEnvironmentVariableA("TALVEX_SQUARE_PLT", target, sizeof target) == 0)
    GTEST_SKIP() << "TALVEX_SQUARE_PLT not set";
  CCutterDevice device;
  std::string out = TestCut(device, "HP-GL 刻字机", 100);
  EXPECT_FLOAT_EQ(0.025f, device.m_rs);
  std::ofstream(target, std::ios::binary) << out;
  EXPECT_EQ(0u, out.find("IN;"));
}

}  // namespace
