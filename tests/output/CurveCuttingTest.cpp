// A curve cut for real: the curve block streams itself into the cutter profile, which writes the
// plotter commands of a shipped model to a file. No window.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "model/CurveTestSupport.h"
#include "model/settings/ProgramPaths.h"
#include "output/CutterDevice.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

// The shipped plain HP-GL model cutting a curve given in device steps: a closed square with an
// arch inside it and an open line.
TEST(CurveOutput, CutterCommandStreamOfTheHpglModel) {
  MessageBoxCapture boxes;
  TempFolder folder;
  std::string ini = folder.File("Cutters.INI"), plot = folder.File("job.plt");
  char program[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(program, sizeof program));
  ASSERT_TRUE(
      CopyFileA((std::string(program) + "program\\Cutters.INI").c_str(), ini.c_str(), FALSE));
  CCutterDevice device;
  ASSERT_TRUE(device.ProfileFile().SetPath(ini.c_str()));
  device.LoadProfile("HP-GL 刻字机");
  device.m_port.SetPortName(plot.c_str());
  CCutSettings settings;
  settings.m_autoFeed = 0;

  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(0, 0, 400));
  curve->AddPoint(100, 100, 0x11);
  curve->AddPoint(100, 300, 0x00);
  curve->AddPoint(300, 300, 0x00);
  curve->AddPoint(300, 100, 0x21);
  curve->AddPointNoBounds(MakePenColourRecord(RGB(1, 2, 3)));
  curve->AddLine(500, 0, 500, 400);
  ASSERT_TRUE(device.BeginJob(nullptr, settings));
  curve->OutputToCutter(&device);
  device.EndJob();
  std::ifstream in(plot, std::ios::binary);
  std::string out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Feed axis first: a point (x, y) is sent as "y,x". A cut run is one PD command whose points
  // go on with ",y,x"; the blank after each sub-path ends it.
  EXPECT_EQ(
      "IN;PA;PU;SP1;VS40;PU;"
      "PU0,0;PD0,400,400,400,400,0,0,0 "
      "PU100,100;PD128,101,153,105,175,111,190,118,203,125,215,133,225,142,233,151,"
      "242,167,248,183,250,200,248,216,242,232,233,248,225,257,215,266,203,274,"
      "190,281,175,288,153,294,128,298,100,300 "
      "PU0,500;PD400,500 "
      "PU0,0;PU;",
      out);
  EXPECT_EQ(0u, boxes.Count());
}

}  // namespace
