// The engraving device on the models shipped in data/Carves.INI and on hand-made sections, writing
// through a file port (no window): golden command streams built by hand from each model's
// templates, the coordinate order with and without SWAPXY, the stop flag, a port that refuses
// data, and the profile checks that keep a template from ever being formatted unchecked.
#include <gtest/gtest.h>

#include <string>

#include "model/settings/ProgramPaths.h"
#include "output/CarveDevice.h"
#include "output/OutPort.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

namespace {

std::string ShippedProfile() {
  char folder[MAX_PATH];
  EXPECT_EQ(1, GetProgramDir(folder, sizeof folder));
  return std::string(folder) + "program\\Carves.INI";
}

class CarveDeviceTest : public ::testing::Test {
protected:
  CarveDeviceTest() : m_ini(m_folder.File("Carves.INI")), m_plot(m_folder.File("job.plt")) {
    EXPECT_TRUE(CopyFileA(ShippedProfile().c_str(), m_ini.c_str(), FALSE));
    m_device.ProfileFile().SetPath(m_ini.c_str());
    m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
    m_port.SetPortName(m_plot.c_str());
  }
  void Set(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, m_ini.c_str());
  }
  CCarveDevice::StartResult Begin(const char* model) {
    return m_device.Begin(model, &m_port, nullptr, &m_stop);
  }

  TempFolder m_folder;
  std::string m_ini;
  std::string m_plot;
  COutPort m_port;
  CCarveDevice m_device;
  int m_stop = 0;
};

// One sequence of every send, written through each shipped model. By hand from the templates:
// the start joins InitCmd, AbsCmd, RSCMD, PenUp and SubJoin, then SpeedCmd with DefaultSpeed;
// MoveTo and the fill's lines take (x, y), or (y, x) with SWAPXY; curve lines always (y, x). Every
// shipped model has SWAPXY, so that all its commands carry y first.
TEST_F(CarveDeviceTest, EachShippedModelWritesItsTemplatesInTheDocumentedOrder) {
  struct Model {
    const char* name;
    const char* stream;
  };
  const Model models[] = {
      {"HP-GL 雕刻机",
       "IN;PA;PU;SP1;VS20;"            // start
       "PU20,10;PD40,30,60,50,80,70 "  // a curve: move, vertices (y, x), blank
       "PD80,70 "                      // the first vertex after a blank goes out again
       "PU2,1;PD2,3"                   // a fill run from (1, 2) to (3, 2), swapped
       "PU6,5;"                        // a sub-path of one point: no blank
       "PU;PA0,0;SP0;"},               // finish
      {"DM/PL 雕刻机",
       ";:A EC1 U V4 "
       "U20,10 D40,30 D60,50 D80,70  "
       "D80,70  "
       "U2,1 D2,3 "
       "U6,5 "
       "U H @"},
      {"M/D 指令雕刻机",
       "^IN;\r\nV15\r\n"
       "M20,10\r\nD40,30\r\nD60,50\r\nD80,70\r\n "
       "D80,70\r\n "
       "M2,1\r\nD2,3\r\n"
       "M6,5\r\n"
       "H\r\n"},
  };
  for (const Model& model : models) {
    SCOPED_TRACE(model.name);
    ASSERT_EQ(CCarveDevice::kStarted, Begin(model.name)) << m_device.GetProfileProblem();
    EXPECT_EQ(1, m_device.SendPoint(10.7f, 20.2f));
    EXPECT_EQ(1, m_device.PlotTo(30.0f, 40.9f));
    EXPECT_EQ(1, m_device.PlotTo(30.0f, 40.9f));  // the same vertex: nothing sent
    EXPECT_EQ(1, m_device.PlotPointList(",50,60,70,80"));
    EXPECT_EQ(1, m_device.FlushPendingBlank());
    EXPECT_EQ(1, m_device.PlotTo(70.0f, 80.0f));
    EXPECT_EQ(1, m_device.FlushPendingBlank());
    EXPECT_EQ(1, m_device.MoveToInt(1, 2));
    EXPECT_EQ(1, m_device.LineToInt(3, 2));
    EXPECT_EQ(1, m_device.SendPoint(5.0f, 6.0f));
    EXPECT_EQ(1, m_device.FlushPendingBlank());
    EXPECT_EQ(1, m_device.Finish());
    EXPECT_FALSE(m_device.HasFailed());
    EXPECT_EQ(std::string(model.stream), ReadFileText(m_plot));
  }
}

TEST_F(CarveDeviceTest, BothListsValuesWithTheirDefaultsAndTheSavedOrigin) {
  for (const char* names : {"CarveDevices", "CarveDevicesEng"}) {
    char keys[512] = {};
    GetPrivateProfileStringA(names, nullptr, "", keys, sizeof keys, m_ini.c_str());
    int count = 0;
    for (const char* key = keys; *key; key += strlen(key) + 1) ++count;
    EXPECT_EQ(3, count) << names;
  }
  m_device.LoadProfile("DM/PL 雕刻机");
  EXPECT_STREQ("DMPLCARVE", m_device.m_sectionName);
  EXPECT_EQ(400, m_device.m_maxWidth);
  EXPECT_FLOAT_EQ(150.0f, m_device.m_originY);
  EXPECT_EQ(1, m_device.m_originMode);
  EXPECT_EQ(10, m_device.m_maxSpeed);
  EXPECT_EQ(80, m_device.m_force);  // not in the section: the default
  // "minimum,maximum" keeps the maximum; a lone number is the maximum; a lone comma is 0.
  const std::pair<const char*, short> ranges[] = {{"10,60", 60}, {"60", 60}, {",", 0}};
  for (const auto& range : ranges) {
    Set("DMPLCARVE", "SpeedRanger", range.first);
    m_device.LoadProfile();
    EXPECT_EQ(range.second, m_device.m_maxSpeed) << range.first;
  }
  // Keys are found whatever their case.
  Set("DMPLCARVE", "SPEEDCMD", "S%d;");
  m_device.LoadProfile();
  EXPECT_STREQ("S%d;", m_device.m_speedCmd.GetText());
  // The origin is saved with two decimals in the model's own section.
  m_device.m_originX = 12.345f;
  m_device.m_originY = 0.5f;
  EXPECT_TRUE(m_device.SaveOrigin());
  char text[32] = {};
  GetPrivateProfileStringA("DMPLCARVE", "OriginX", "", text, sizeof text, m_ini.c_str());
  EXPECT_STREQ("12.35", text);
  GetPrivateProfileStringA("DMPLCARVE", "OriginY", "", text, sizeof text, m_ini.c_str());
  EXPECT_STREQ("0.50", text);

  // A model that is not listed reads every default and cannot start.
  m_device.LoadProfile("no such engraver");
  EXPECT_STREQ("", m_device.m_sectionName);
  EXPECT_FLOAT_EQ(0.0254f, m_device.m_resolution);
  EXPECT_EQ(40, m_device.m_speed);
  EXPECT_EQ(2, m_device.m_outMethod);
  EXPECT_FALSE(m_device.GetProfileProblem().IsEmpty());
  EXPECT_EQ(CCarveDevice::kProfileUnusable, Begin(nullptr));
  EXPECT_FALSE(m_device.SaveOrigin());
}

// A job's first vertex goes out wherever it lies, (0, 0) too, in a second job as well; a vertex
// equal to the one before it does not.
TEST_F(CarveDeviceTest, AJobsFirstVertexGoesOutEvenAtZeroOrWhereTheLastJobEnded) {
  Set("CarveDevices", "test", "TEST");
  for (const char* key : {"MoveTo", "LineTo"}) Set("TEST", key, "M%d,%d;");
  Set("TEST", "InitCmd", "I;");
  Set("TEST", "LineToEx", "E%d,%d;");
  ASSERT_EQ(CCarveDevice::kStarted, Begin("test")) << m_device.GetProfileProblem();
  for (float x : {0.0f, 39.0f, 39.0f}) EXPECT_EQ(1, m_device.SendLineToEx(x, 0.0f));
  m_device.Finish();
  EXPECT_EQ("I;E0,0;E0,39;", ReadFileText(m_plot));
  ASSERT_EQ(CCarveDevice::kStarted, Begin(nullptr));
  EXPECT_EQ(1, m_device.SendLineToEx(39.0f, 0.0f));
  m_device.Finish();
  EXPECT_EQ("I;E0,39;", ReadFileText(m_plot));
}

// Templates are formats only after their conversions were checked; a start that joins five full
// templates is sent whole.
TEST_F(CarveDeviceTest, TemplatesThatDoNotFitTheirCommandKeepTheModelFromStarting) {
  struct Case {
    const char* key;
    const char* value;
  };
  const Case refused[] = {
      {"MoveTo", "PU%s,%d;"},
      {"MoveTo", "PU%d;"},
      {"LineTo", "PD%d,%d,%d"},
      {"LineToEx", "%n%d"},
      {"SpeedCmd", "VS%d,%d;"},
      {"InitCmd", ""},
      {"MoveTo", ""},
      {"SoftWareRes", "0"},
      {"SoftWareRes", "-1"},
      {"PenUp", "PU;PU;PU;PU;PU;PU;PU"},  // 20 characters: one too many
      {"FinishCmd",
       "PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU;PU"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.value);
    ASSERT_TRUE(CopyFileA(ShippedProfile().c_str(), m_ini.c_str(), FALSE));
    Set("HPGLCARVE", c.key, c.value);
    DeleteFileA(m_plot.c_str());
    EXPECT_EQ(CCarveDevice::kProfileUnusable, Begin("HP-GL 雕刻机"));
    EXPECT_NE(-1, m_device.GetProfileProblem().Find(c.key));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_plot.c_str())) << "nothing written";
  }

  // A key the engraving output never sends cannot spoil a job; a percent sign in a text that is
  // sent as it stands is sent as it stands.
  ASSERT_TRUE(CopyFileA(ShippedProfile().c_str(), m_ini.c_str(), FALSE));
  Set("HPGLCARVE", "HomeCmd", "a home command far longer than a template");
  Set("HPGLCARVE", "FeedCmd", "%s");
  const char* full = "ABCDEFGHIJKLMNOPQR%";
  for (const char* key : {"InitCmd", "AbsCmd", "RSCMD", "PenUp", "SubJoin"})
    Set("HPGLCARVE", key, full);
  ASSERT_EQ(CCarveDevice::kStarted, Begin("HP-GL 雕刻机")) << m_device.GetProfileProblem();
  m_device.Finish();
  std::string start;
  for (int i = 0; i < 5; ++i) start += full;
  EXPECT_EQ(start + "VS20;PU;PA0,0;SP0;", ReadFileText(m_plot));
}

// Lists that are no point lists send nothing ("1,2,3" its pair before the odd number); after the
// stop flag nothing at all is sent.
TEST_F(CarveDeviceTest, BadPointListsAndEverySendAfterTheStopFlagWriteNothing) {
  ASSERT_EQ(CCarveDevice::kStarted, Begin("HP-GL 雕刻机"));
  for (const char* list : {"", ",", "1", "1,", "1;2", "a,b", "1,2,3"})
    EXPECT_EQ(0, m_device.PlotPointList(list)) << list;
  m_stop = 1;
  EXPECT_EQ(0, m_device.SendPoint(5.0f, 5.0f));
  EXPECT_EQ(0, m_device.PlotTo(6.0f, 6.0f));
  EXPECT_EQ(0, m_device.PlotPointList("7,7,8,8"));
  EXPECT_EQ(0, m_device.FlushPendingBlank());
  EXPECT_FALSE(m_device.IsPenDown());
  EXPECT_EQ(0, m_device.MoveToInt(1, 1));
  EXPECT_EQ(0, m_device.LineToInt(2, 2));
  EXPECT_EQ(0, m_device.SendPenDown());
  EXPECT_EQ(0, m_device.Finish());
  EXPECT_FALSE(m_device.HasFailed()) << "a stop is no failure";
  EXPECT_EQ("IN;PA;PU;SP1;VS20;PD2,1", ReadFileText(m_plot));
}

// A port that takes the start and then refuses: nothing more is sent and the job is failed.
class RefusingPort : public COutPort {
public:
  int takes = 1;

protected:
  DWORD TransferOnce(Transfer how, const char* data, DWORD length) override {
    if (takes-- > 0) return COutPort::TransferOnce(how, data, length);
    ++refusals;
    return kRefused;
  }

public:
  int refusals = 0;
};

TEST_F(CarveDeviceTest, AfterAPortRefusesDataNothingMoreIsSentAndTheJobHasFailed) {
  RefusingPort port;
  port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
  port.SetPortName(m_plot.c_str());
  m_device.LoadProfile("M/D 指令雕刻机");
  m_device.m_speedCmd.Clear();
  ASSERT_EQ(CCarveDevice::kStarted, m_device.Begin(nullptr, &port, nullptr, &m_stop));
  EXPECT_EQ(0, m_device.MoveToInt(1, 2));
  EXPECT_TRUE(m_device.HasFailed());
  EXPECT_EQ(0, m_device.LineToInt(3, 4));
  EXPECT_EQ(0, m_device.Finish());
  EXPECT_EQ(1, port.refusals);
  EXPECT_EQ("^IN;\r\n", ReadFileText(m_plot));
  // The next job starts afresh.
  port.takes = 100;
  EXPECT_EQ(CCarveDevice::kStarted, m_device.Begin(nullptr, &port, nullptr, &m_stop));
  EXPECT_FALSE(m_device.HasFailed());
  m_device.Finish();
}

}  // namespace
