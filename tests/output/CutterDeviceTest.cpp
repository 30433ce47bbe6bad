#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/settings/ProgramPaths.h"
#include "output/CutterDevice.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

using Keys = std::map<std::string, std::string>;

// A model whose every command is told apart in the output.
Keys BaseModel() {
  // clang-format off
  return {{"RS", "0.025"},          {"InitCmd", "IN;"},       {"HomeCmd", "HM;"},
          {"AbsCmd", "PA;"},        {"PenUp", "PU;"},         {"MoveTo", "PU%d,%d;"},
          {"LineTo", "PD%d,%d;"},   {"LineToEx", "LX%d,%d;"}, {"SpeedCmd", "VS%d;"},
          {"ForceCmd", "FS%d;"},    {"FeedCmd", "FD%d;"},     {"NewFrame", "NF;"},
          {"HardOffset", "1"}};
  // clang-format on
}

const char kInit[] = "IN;HM;PA;PU;VS40;PU;HM;";

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class CutterDeviceTest : public ::testing::Test {
protected:
  CutterDeviceTest() : m_ini(m_folder.File("Cutters.INI")), m_plot(m_folder.File("job.plt")) {}

  void WriteModel(const Keys& keys, const char* name = "Test cutter",
                  const char* section = "TEST") {
    WritePrivateProfileStringA("CutterDevices", name, section, m_ini.c_str());
    for (const auto& key : keys)
      WritePrivateProfileStringA(section, key.first.c_str(), key.second.c_str(), m_ini.c_str());
  }

  void Load(const char* name = "Test cutter") {
    ASSERT_TRUE(m_device.ProfileFile().SetPath(m_ini.c_str()));
    m_device.LoadProfile(name);
    m_device.m_port.SetPortName(m_plot.c_str());
  }

  // Runs a job between BeginJob and EndJob and returns what reached the file.
  std::string Job(const std::function<void(CCutterDevice&)>& body) {
    EXPECT_TRUE(m_device.BeginJob(nullptr, m_settings));
    body(m_device);
    m_device.EndJob();
    return ReadFileText(m_plot);
  }

  TempFolder m_folder;
  std::string m_ini;
  std::string m_plot;
  CCutterDevice m_device;
  CCutSettings m_settings;
};

TEST_F(CutterDeviceTest, FeedCoordinateIsTheFirstPrintedOne) {
  WriteModel(BaseModel());
  Load();
  std::string out = Job([](CCutterDevice& d) {
    d.MoveTo(100, 200);
    d.MoveTo(5, 50);
  });
  EXPECT_EQ(std::string(kInit) + "PU200,100;PU50,5;PU200,0;FD200;NF;", out);

  WritePrivateProfileStringA("TEST", "SWAPXY", "1", m_ini.c_str());
  Load();
  out = Job([](CCutterDevice& d) {
    d.MoveTo(100, 200);
    d.MoveTo(5, 50);
  });
  // The feed move puts the largest feed coordinate where the device reads it: first.
  EXPECT_EQ(std::string(kInit) + "PU100,200;PU5,50;PU100,0;FD100;NF;", out);
}

TEST_F(CutterDeviceTest, CoordinatesAreTruncatedTowardZero) {
  WriteModel(BaseModel());
  Load();
  std::string out = Job([](CCutterDevice& d) {
    d.MoveTo(-2.9f, 7.9f);
    d.MoveTo(1e30f, -1e30f);
  });
  EXPECT_NE(std::string::npos, out.find("PU7,-2;"));
  EXPECT_NE(std::string::npos, out.find("PU-2147483647,2147483647;"));
}

TEST_F(CutterDeviceTest, ProfileValuesAndRanges) {
  Keys keys = BaseModel();
  keys["RatioX"] = "1.2";
  keys["RatioY"] = "0.95";
  keys["SpeedRanger"] = "10,800";
  keys["ForceRanger"] = "800";
  keys["DefaultSpeed"] = "70000";
  WriteModel(keys);
  Load();
  EXPECT_EQ(1.0f, m_device.m_ratioX);
  EXPECT_FLOAT_EQ(0.95f, m_device.m_ratioY);
  EXPECT_EQ(800, m_device.m_maxSpeed);
  EXPECT_EQ(800, m_device.m_maxForce);
  EXPECT_EQ(32767, m_device.m_speed);
  EXPECT_STREQ("TEST", m_device.m_sectionName);

  WritePrivateProfileStringA("TEST", "SpeedRanger", "", m_ini.c_str());
  Load();
  EXPECT_EQ(0, m_device.m_maxSpeed);

  // A model not in the list keeps every default.
  MessageBoxCapture boxes;
  Load("No such model");
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("No such model"));
  EXPECT_STREQ("", m_device.m_sectionName);
  EXPECT_TRUE(m_device.m_moveTo.IsEmpty());
  EXPECT_FLOAT_EQ(0.025f, m_device.m_rs);
  EXPECT_EQ(40, m_device.m_speed);
}

// Every value the cut bars change goes back to the model's section, each set away from what the
// file held and from its default, so that a value left out of the save cannot read back.
TEST_F(CutterDeviceTest, SaveProfileWritesTheChangeableValues) {
  Keys keys = BaseModel();
  keys["PlotCmd"] = "SP2;";  // the pen mode is read only where it can be chosen
  WriteModel(keys);
  Load();
  EXPECT_EQ(0, m_device.m_penMode);
  EXPECT_EQ(1, m_device.m_setSpeed);
  EXPECT_EQ(0, m_device.m_setForce);
  m_device.m_ratioX = 1.3f;
  m_device.m_ratioY = 1.05f;
  m_device.m_bladeOffset = 0.45f;
  m_device.m_overcut = 9;
  m_device.m_speed = 33;
  m_device.m_force = 150;
  m_device.m_setForce = 1;
  m_device.m_setSpeed = 0;
  m_device.m_penMode = 1;
  m_device.SaveProfile();
  char text[64];
  GetPrivateProfileStringA("TEST", "RatioX", "", text, sizeof text, m_ini.c_str());
  EXPECT_STREQ("1.0000", text);
  GetPrivateProfileStringA("TEST", "RatioY", "", text, sizeof text, m_ini.c_str());
  EXPECT_STREQ("1.0500", text);
  GetPrivateProfileStringA("TEST", "Offset", "", text, sizeof text, m_ini.c_str());
  EXPECT_STREQ("0.4500", text);
  Load();
  EXPECT_EQ(9, m_device.m_overcut);
  EXPECT_EQ(33, m_device.m_speed);
  EXPECT_EQ(150, m_device.m_force);
  EXPECT_EQ(1, m_device.m_setForce);
  EXPECT_EQ(0, m_device.m_setSpeed);
  EXPECT_EQ(1, m_device.m_penMode);
  EXPECT_FLOAT_EQ(0.45f, m_device.m_bladeOffset);
  EXPECT_EQ(1.0f, m_device.m_ratioX);
  EXPECT_FLOAT_EQ(1.05f, m_device.m_ratioY);

  // A device without a model, or with one not in the list, writes nothing anywhere.
  MessageBoxCapture boxes;
  Load("No such model");
  EXPECT_EQ(1u, boxes.Count());
  m_device.m_overcut = 77;
  m_device.SaveProfile();
  CCutterDevice nameless;
  ASSERT_TRUE(nameless.ProfileFile().SetPath(m_ini.c_str()));
  nameless.SaveProfile();
  Load();
  EXPECT_EQ(9, m_device.m_overcut);
  char sections[256] = {};
  GetPrivateProfileSectionNamesA(sections, sizeof sections, m_ini.c_str());
  EXPECT_STREQ("CutterDevices", sections);
  EXPECT_STREQ("TEST", sections + strlen(sections) + 1);
  EXPECT_EQ('\0', sections[strlen(sections) + 1 + 5]);
}

TEST_F(CutterDeviceTest, SpeedForceAndToolCommands) {
  Keys keys = BaseModel();
  keys["SetForce"] = "1";
  keys["DefaultForce"] = "120";
  keys["CutCmd"] = "CT;";
  keys["PlotCmd"] = "PL;";
  keys["PenMode"] = "1";
  WriteModel(keys);
  Load();
  m_settings.m_autoFeed = 0;
  // HardOffset 1 with a PlotCmd: the pen mode counts and selects the pen.
  EXPECT_EQ("IN;HM;PA;PU;PL;VS40;FS120;PU;HM;PU0,0;PU;HM;NF;", Job([](CCutterDevice&) {}));

  // Without a PlotCmd the pen mode is forced to 0 and the knife is selected.
  WritePrivateProfileStringA("TEST", "PlotCmd", nullptr, m_ini.c_str());
  WritePrivateProfileStringA("TEST", "SetSpeed", "0", m_ini.c_str());
  Load();
  EXPECT_EQ(0, m_device.m_penMode);
  m_device.m_force = 95;  // as the cut bar changes it
  EXPECT_EQ("IN;HM;PA;PU;CT;FS95;PU;HM;PU0,0;PU;HM;NF;", Job([](CCutterDevice&) {}));
}

TEST_F(CutterDeviceTest, TestSquareAndReset) {
  WriteModel(BaseModel());
  Load();
  m_settings.m_testWidth = 100;
  m_device.TestCut(nullptr, m_settings);
  EXPECT_EQ(std::string(kInit) + "PU0,0;PD0,4000;LX4000,4000;LX4000,0;LX0,0; PU4000,0;FD4000;NF;",
            ReadFileText(m_plot));

  m_settings.m_testWidth = 3;
  m_device.TestCut(nullptr, m_settings);
  EXPECT_EQ(std::string(kInit) + "PU0,0;FD0;NF;", ReadFileText(m_plot));

  m_settings.m_autoFeed = 0;
  m_device.Reset(nullptr, m_settings);
  EXPECT_EQ(std::string(kInit) + "PU0,0;PU;HM;NF;", ReadFileText(m_plot));
}

TEST_F(CutterDeviceTest, StopFlagStopsWritingToThePort) {
  WriteModel(BaseModel());
  Load();
  ASSERT_TRUE(m_device.BeginJob(nullptr, m_settings));
  m_device.MoveTo(0, 0);
  m_device.CutTo(40, 0);
  m_device.m_stop = 1;
  m_device.CutTo(40, 40);
  m_device.EndJob();
  // Nothing after the stop reaches the port, not even the closing commands.
  EXPECT_EQ(std::string(kInit) + "PU0,0;PD0,40;", ReadFileText(m_plot));
}

TEST_F(CutterDeviceTest, BezierSegments) {
  WriteModel(BaseModel());
  Load();
  std::string out = Job([](CCutterDevice& d) {
    const FPOINT point[4] = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
    const FPOINT flat[4] = {{0, 0}, {100, 0}, {300, 0}, {400, 0}};
    const FPOINT arc[4] = {{400, 0}, {400, 2000}, {2400, 2000}, {2400, 0}};
    d.MoveTo(0, 0);
    d.CutBezier(point, TRUE);
    d.CutBezier(flat, TRUE);
    d.CutBezier(arc, TRUE);
    d.FlushPendingBlank();
  });
  std::string cuts = out.substr(std::strlen(kInit));
  // The point sends nothing, the flat segment one line, the arch many, ending on its end point.
  EXPECT_EQ(0u, cuts.find("PU0,0;PD0,400;LX"));
  EXPECT_GT(Count(cuts, "LX"), 8);
  EXPECT_NE(std::string::npos, cuts.find("LX0,2400; PU"));
}

TEST_F(CutterDeviceTest, HalfCutCarriesThePatternAcrossLines) {
  WriteModel(BaseModel());
  Load();
  m_settings.m_halfCut = 1;
  m_settings.m_solidCut = 2;  // 80 steps
  m_settings.m_voidCut = 1;   // 40 steps
  m_settings.m_autoFeed = 0;
  std::string out = Job([](CCutterDevice& d) {
    EXPECT_TRUE(d.IsDashMode());
    d.MoveToDashStart(0, 0);
    d.DashCutTo(100, 0);
    d.DashCutTo(200, 0);
    d.DashCutTo(200, 30);
    d.MoveToDashStart(0, 500);
    d.DashCutTo(50, 500);
  });
  // Every solid piece is a cut of its own and every void piece a move, with no blank between.
  EXPECT_EQ(std::string(kInit) +
                // clang-format off
                "PU0,0;PD0,80;PU0,100;"     // solid 80, void begins: 20 of 40 used
                "PU0,120;PD0,200;"          // void ends 20 into the next line, solid 80
                "PU30,200;"                 // void 30 of 40
                "PU500,0;PD500,50;"         // a new sub-path starts with a full solid piece
                "PU0,0;PU;HM;NF;",
            // clang-format on
            out);
}

TEST_F(CutterDeviceTest, ZeroDashLengthsCutTheLineWhole) {
  WriteModel(BaseModel());
  Load();
  m_settings.m_halfCut = 1;
  m_settings.m_solidCut = 0;
  m_settings.m_voidCut = 0;
  m_settings.m_autoFeed = 0;
  std::string out = Job([](CCutterDevice& d) {
    d.MoveToDashStart(0, 0);
    d.DashCutTo(100, 0);
  });
  EXPECT_EQ(std::string(kInit) + "PU0,0;PD0,100;PU0,0;PU;HM;NF;", out);

  // Only voids: nothing is cut, and the walk still ends.
  m_settings.m_voidCut = 1;
  out = Job([](CCutterDevice& d) {
    d.MoveToDashStart(0, 0);
    d.DashCutTo(100, 0);
  });
  EXPECT_EQ(std::string::npos, out.find("PD"));
  EXPECT_NE(std::string::npos, out.find("PU0,100;"));
}

// Records of a closed square 0..1000 with its first side split by a tiny step.
std::vector<BYTE> SquareRecords(float firstStep) {
  struct R {
    float x, y;
    BYTE f;
  };
  std::vector<R> points = {{0, 0, 0x11},       {firstStep, 0, 0x01}, {1000, 0, 0x01},
                           {1000, 1000, 0x01}, {0, 1000, 0x01},      {0, 0, 0x41},
                           {0, 0, 0xFF}};
  std::vector<BYTE> bytes;
  for (const R& r : points) {
    const BYTE* x = reinterpret_cast<const BYTE*>(&r.x);
    const BYTE* y = reinterpret_cast<const BYTE*>(&r.y);
    bytes.insert(bytes.end(), x, x + 4);
    bytes.insert(bytes.end(), y, y + 4);
    bytes.push_back(r.f);
  }
  return bytes;
}

std::string CutSquareWithOvercut(CCutterDevice& d, const std::vector<BYTE>& records) {
  d.MoveTo(0, 0);
  d.CutTo(1000, 0);
  d.CutTo(1000, 1000);
  d.CutTo(0, 1000);
  d.CutTo(0, 0);
  d.CutOvercut(records.data(), static_cast<int>(records.size() / 9), 0);
  d.FlushPendingBlank();
  return "";
}

TEST_F(CutterDeviceTest, OvercutLength) {
  Keys keys = BaseModel();
  keys["OVERCUT"] = "50";
  WriteModel(keys);
  Load();
  m_settings.m_autoFeed = 0;
  const std::string square = "PU0,0;PD0,1000;LX1000,1000;LX1000,0;LX0,0;";
  std::vector<BYTE> records = SquareRecords(0.5f);  // the short first line is skipped
  std::string out = Job([&](CCutterDevice& d) { CutSquareWithOvercut(d, records); });
  EXPECT_EQ(std::string(kInit) + square + "LX0,50; PU0,0;PU;HM;NF;", out);

  m_device.m_overcut = 1500;  // past the first corner
  out = Job([&](CCutterDevice& d) { CutSquareWithOvercut(d, records); });
  EXPECT_EQ(std::string(kInit) + square + "LX0,1000;LX500,1000; PU0,0;PU;HM;NF;", out);

  m_device.m_overcut = 9000;  // never past the sub-path's end
  out = Job([&](CCutterDevice& d) { CutSquareWithOvercut(d, records); });
  EXPECT_EQ(std::string(kInit) + square + "LX0,1000;LX1000,1000;LX1000,0;LX0,0; PU0,0;PU;HM;NF;",
            out);

  // Damaged input: a start index outside the records, or no records at all, cuts nothing more.
  out = Job([&](CCutterDevice& d) {
    d.MoveTo(0, 0);
    d.CutOvercut(records.data(), 7, 7);
    d.CutOvercut(nullptr, 7, 0);
    d.CutOvercut(records.data(), 1, 0);
  });
  EXPECT_EQ(std::string(kInit) + "PU0,0;PU0,0;PU;HM;NF;", out);
}

class SoftwareOffsetTest : public CutterDeviceTest {
protected:
  void SetUp() override {
    Keys keys = BaseModel();
    keys["HardOffset"] = "0";
    WriteModel(keys);
    Load();
    m_settings.m_bladeOffset = 0.3f;  // 12 steps
    m_settings.m_autoFeed = 0;
  }
};

TEST_F(SoftwareOffsetTest, InitialAndCornerSwivels) {
  ASSERT_TRUE(m_device.IsSoftwareOffsetActive());
  std::string out = Job([](CCutterDevice& d) {
    d.MoveTo(0, 0);
    d.CutTo(1000, 0);
    d.CutTo(1000, 1000);
    d.CutTo(1000, 1000);  // a repeated point sends nothing
    d.CutTo(1100, 1990);  // a gentle turn: no swivel
  });
  EXPECT_EQ(
      // A cut along y turns the blade before the job; the offset then points along y.
      "IN;HM;PA;PU;VS40;PU0,0;PD100,0;PU;HM;"
      " PU12,0;"                // the move carries the offset
      "PD0,12;PD0,1012;"        // the blade turns at the start, then cuts
      "LX12,1000;LX1012,1000;"  // corner of 90 degrees: swivel on the spot
      "LX2001,1101;"
      // The finish holds the offset at 0.
      " PU0,0;PU;HM;NF;",
      out);
}

TEST_F(SoftwareOffsetTest, CornerTestUsesTheTrueTurn) {
  auto zigzag = [](double first, double second) {
    return [first, second](CCutterDevice& d) {
      float x1 = static_cast<float>(1000 * std::cos(first)),
            y1 = static_cast<float>(1000 * std::sin(first));
      d.MoveTo(0, 0);
      d.CutTo(x1, y1);
      d.CutTo(x1 + static_cast<float>(1000 * std::cos(second)),
              y1 + static_cast<float>(1000 * std::sin(second)));
    };
  };
  // Directions -2 and 2 differ by 4 radians: the blade turns 2*pi - 4, more than 1.45.
  EXPECT_EQ(2, Count(Job(zigzag(-2.0, 2.0)), "LX"));
  // Directions -3 and 3 differ by 6 radians: a turn of 0.28 only.
  EXPECT_EQ(1, Count(Job(zigzag(-3.0, 3.0)), "LX"));
}

TEST_F(SoftwareOffsetTest, NoOffsetInPenModeOrWithZeroOffset) {
  m_settings.m_bladeOffset = 0;
  std::string out = Job([](CCutterDevice& d) {
    d.MoveTo(0, 0);
    d.CutTo(1000, 0);
  });
  EXPECT_EQ("IN;HM;PA;PU;VS40;PU;HM;PU0,0;PD0,1000; PU0,0;PU;HM;NF;", out);
}

TEST_F(CutterDeviceTest, BadTemplatesAreRefusedWithAMessage) {
  Keys keys = BaseModel();
  keys["MoveTo"] = "PU%s,%d;";
  keys["SpeedCmd"] = "VS%d,%d;";
  keys["InitCmd"] = "IN;IN;IN;IN;IN;IN;IN;";
  WriteModel(keys);
  MessageBoxCapture boxes;
  Load();
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("MoveTo"));
  EXPECT_NE(std::string::npos, boxes.Last().text.find("SpeedCmd"));
  EXPECT_NE(std::string::npos, boxes.Last().text.find("InitCmd"));
  EXPECT_TRUE(m_device.m_moveTo.IsEmpty());

  EXPECT_FALSE(m_device.BeginJob(nullptr, m_settings));
  EXPECT_EQ(2u, boxes.Count());
  m_device.MoveTo(1, 2);
  m_device.EndJob();
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_plot.c_str()));

  // Fixing the file makes the model usable again.
  WriteModel(BaseModel());
  Load();
  EXPECT_TRUE(m_device.GetProfileProblem().IsEmpty());
  EXPECT_EQ(2u, boxes.Count());
}

TEST_F(CutterDeviceTest, ZeroResolutionIsRefused) {
  Keys keys = BaseModel();
  keys["RS"] = "0";
  WriteModel(keys);
  MessageBoxCapture boxes;
  Load();
  EXPECT_EQ(1u, boxes.Count());
  m_settings.m_testWidth = 100;
  m_settings.m_halfCut = 1;
  m_device.TestCut(nullptr, m_settings);
  EXPECT_EQ(2u, boxes.Count());
  // Geometry without a job still neither divides by zero nor loops.
  m_device.MoveToDashStart(0, 0);
  m_device.DashCutTo(100, 0);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_plot.c_str()));
}

TEST_F(CutterDeviceTest, PortThatDoesNotOpenIsReported) {
  WriteModel(BaseModel());
  Load();
  std::string missing = m_folder.File("no such folder\\job.plt");
  m_device.m_port.SetPortName(missing.c_str());
  MessageBoxCapture boxes;
  EXPECT_FALSE(m_device.BeginJob(nullptr, m_settings));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("no such folder"));
  m_device.EndJob();
}

// A model that cannot drive a job is a problem of its profile: reported when it is loaded, and
// every job refused with a message before anything is opened or written.
TEST_F(CutterDeviceTest, ModelsWithoutAUsableSectionAreRefused) {
  struct Case {
    const char* what;
    std::function<void()> prepare;
    const char* model;
    const char* problemNames;
  };
  auto keysWithout = [](const char* key) {
    Keys keys = BaseModel();
    keys.erase(key);
    return keys;
  };
  const Case cases[] = {
      {"not in the list", [&] { WriteModel(BaseModel()); }, "Other cutter", "CutterDevices"},
      {"section missing", [&] { WriteModel({}, "Test cutter", "MISSING"); }, "Test cutter",
       "MISSING"},
      {"section empty",
       [&] {
         WriteModel({}, "Test cutter", "EMPTY");
         std::ofstream(m_ini, std::ios::app) << "\r\n[EMPTY]\r\n";
       },
       "Test cutter", "EMPTY"},
      {"no pen-up move", [&] { WriteModel(keysWithout("MoveTo")); }, "Test cutter", "MoveTo"},
      {"no first cut", [&] { WriteModel(keysWithout("LineTo")); }, "Test cutter", "LineTo"},
      {"no further cut", [&] { WriteModel(keysWithout("LineToEx")); }, "Test cutter", "LineToEx"},
  };
  m_settings.m_testWidth = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileA(m_ini.c_str());
    c.prepare();
    MessageBoxCapture boxes;
    Load(c.model);
    EXPECT_NE(-1, m_device.GetProfileProblem().Find(c.problemNames));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.Last().text.find(c.problemNames)) << boxes.Last().text;
    EXPECT_NE(std::string::npos, boxes.Last().text.find(c.model)) << boxes.Last().text;

    EXPECT_FALSE(m_device.BeginJob(nullptr, m_settings));
    EXPECT_FALSE(m_device.TestCut(nullptr, m_settings));
    EXPECT_FALSE(m_device.Reset(nullptr, m_settings));
    ASSERT_EQ(4u, boxes.Count());
    EXPECT_NE(std::string::npos, boxes.Last().text.find(c.problemNames)) << boxes.Last().text;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_plot.c_str()));
  }

  // A device that never loaded a model is refused the same way, only at the job.
  CCutterDevice nameless;
  nameless.m_port.SetPortName(m_plot.c_str());
  EXPECT_FALSE(nameless.GetProfileProblem().IsEmpty());
  MessageBoxCapture boxes;
  EXPECT_FALSE(nameless.TestCut(nullptr, m_settings));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("没有选择刻字机型号")) << boxes.Last().text;
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_plot.c_str()));
}

// A USB plotter plug-in takes whole plot files, never single commands: test and reset sent to it
// reach nothing, and the user must hear so rather than see them "succeed".
TEST_F(CutterDeviceTest, TestAndResetOnAPortThatRefusesEveryWriteAreReported) {
  WriteModel(BaseModel());
  Load();
  const char usbPort[] = "TestCutter[TestPlotter.upl:03]";
  m_device.m_port.SetPortName(usbPort);
  m_settings.m_testWidth = 100;
  MessageBoxCapture boxes;
  EXPECT_FALSE(m_device.TestCut(nullptr, m_settings));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find(usbPort)) << boxes.Last().text;
  EXPECT_NE(0u, boxes.Last().type & MB_ICONERROR);
  EXPECT_FALSE(m_device.Reset(nullptr, m_settings));
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find(usbPort)) << boxes.Last().text;

  // The same device on a port that takes the commands succeeds without a word.
  m_device.m_port.SetPortName(m_plot.c_str());
  EXPECT_TRUE(m_device.TestCut(nullptr, m_settings));
  EXPECT_NE(std::string::npos, ReadFileText(m_plot).find("LX4000,4000;"));
  EXPECT_TRUE(m_device.Reset(nullptr, m_settings));
  EXPECT_EQ(2u, boxes.Count());

  // A job whose port refuses reports it to its caller through EndJob.
  m_device.m_port.SetPortName(usbPort);
  ASSERT_TRUE(m_device.BeginJob(nullptr, m_settings));
  m_device.MoveTo(0, 0);
  EXPECT_FALSE(m_device.EndJob());
  EXPECT_EQ(2u, boxes.Count());
}

}  // namespace
