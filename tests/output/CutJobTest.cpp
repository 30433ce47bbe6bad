// A whole cut job through the cut device bar's output command, without the bar's window: a
// document of curves, a rectangle, a circle and a group goes through the shipped HP-GL model into
// a plot file; strips, the media frame, half cut and overcut; a job stopped while it is written is
// neither sent nor handed over. Runs in this process under Xvfb (the progress is a stand-in).
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FakeJobManager.h"
#include "SerialRecording.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/blocks/ShapeBlock.h"
#include "model/settings/ProgramPaths.h"
#include "output/CutDeviceBar.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file for the HP-GL reader outside Wine (tests/output/hp2xx_square.sh), when it asks for it.
void SaveForReader(const char* variable, const std::string& text) {
  char target[MAX_PATH];
  if (GetEnvironmentVariableA(variable, target, sizeof target) != 0)
    std::ofstream(target, std::ios::binary) << text;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The document the job is cut from, as outline curves on the page (millimetres).
class FakeHost : public CCutOutputHost {
public:
  CSegArray* GetOutputBlocks() override { return blocks.GetSize() ? &blocks : nullptr; }
  CString GetDocumentTitle() override { return "Sign"; }
  LANGID GetLanguage() override { return 2052; }
  void CloseCutOutput() override { ++closed; }

  void Add(CBlock* block) {
    blocks.AddBlock(block->ToCurve(CShapeBlock::kAnyColour));
    delete block;
  }

  CSegArray blocks;
  int closed = 0;
};

// Counts the job's progress and, when asked, presses cancel after some blocks.
class FakeProgress : public CCutProgress {
public:
  FakeProgress(int* stop, int stopAfter) : m_stop(stop), m_stopAfter(stopAfter) {}
  HWND GetPumpWindow() override { return nullptr; }
  void SetStepText(LPCSTR) override {}
  void SetRange(int) override {}
  void Advance(int) override {
    if (++m_blocks == m_stopAfter) *m_stop = 1;
  }

private:
  int* m_stop;
  int m_stopAfter;
  int m_blocks = 0;
};

class TestBar : public CCutDeviceBar {
public:
  using CCutDeviceBar::CCutDeviceBar;
  using CCutDeviceBar::OnTest;
  int stopAfterBlocks = 0;  // 0: never
  bool realManager = false;
  bool stopAfterFirstPiece = false;  // the plotting dialog's stop button
  int handOvers = 0;
  int directSends = 0;
  std::string handedOver;

protected:
  std::unique_ptr<CCutProgress> BeginProgress(LPCSTR) override {
    return std::unique_ptr<CCutProgress>(new FakeProgress(&StopFlag(), stopAfterBlocks));
  }
  bool SendToManager(LPCSTR path) override {
    if (realManager) return CCutDeviceBar::SendToManager(path);
    ++handOvers;
    handedOver = ReadFileText(path);
    return true;
  }
  std::unique_ptr<CPortingDlg> MakePortingDialog() override {
    struct StoppingDialog : CPortingDlg {
      bool stop = false;
      void ShowProgress(DWORD position) override {
        CPortingDlg::ShowProgress(position);
        if (stop) Stop();
      }
    };
    StoppingDialog* dialog = new StoppingDialog;
    dialog->stop = stopAfterFirstPiece;
    dialog->GetPort().GetSettingsFile().SetPath(portSettings.c_str());
    return std::unique_ptr<CPortingDlg>(dialog);
  }
  int& StopFlag();

public:
  std::string portSettings;
};

class CutJobTest : public ::testing::Test {
protected:
  CutJobTest()
      : m_ini(m_folder.File("Cutters.INI")),
        m_plot(m_folder.File("job.plt")),
        m_bar(m_device, m_settings, m_host) {
    char folder[MAX_PATH];
    EXPECT_EQ(1, GetProgramDir(folder, sizeof folder));
    std::string shipped = std::string(folder) + "program\\Cutters.INI";
    EXPECT_TRUE(CopyFileA(shipped.c_str(), m_ini.c_str(), FALSE)) << shipped;
    m_device.ProfileFile().SetPath(m_ini.c_str());
    m_device.m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
    m_device.LoadProfile("HP-GL 刻字机");
    m_settings.SetPortName(m_plot.c_str());
    m_bar.portSettings = m_folder.File("UPort.Ini");
    s_device = &m_device;
  }

  // The document: a rectangle, an open curve, a circle and a group of two squares, each lower on
  // the page than the one before.
  void AddDocument() {
    CRectBlock* rect = new CRectBlock;
    rect->m_rect = CFRect(10, 10, 20, 20);
    m_host.Add(rect);
    CCurveBlock* line = new CCurveBlock;
    line->AddPoint(30, 12, kPointStart | kPointOnCurve);
    line->AddPoint(40, 12, kPointOnCurve);
    line->AddPoint(40, 15, kPointOpenEnd | kPointOnCurve);
    line->EndCurve();
    m_host.Add(line);
    CCircleBlock* circle = new CCircleBlock;
    circle->m_rect = CFRect(50, 14, 60, 24);
    m_host.Add(circle);
    CGroupBlock* group = new CGroupBlock;
    for (float left : {10.0f, 20.0f}) {
      CCurveBlock* square = new CCurveBlock;
      float top = left == 10.0f ? 30.0f : 32.0f;
      square->AddRectangle(left, top, left + 5, top + 5);
      square->EndCurve();
      group->AddChild(square);
    }
    m_host.Add(group);
  }

  TempFolder m_folder;
  std::string m_ini;
  std::string m_plot;
  CCutterDevice m_device;
  CCutSettings m_settings;
  FakeHost m_host;
  TestBar m_bar;
  MessageBoxCapture m_boxes;

public:
  static CCutterDevice* s_device;
};

CCutterDevice* CutJobTest::s_device = nullptr;
int& TestBar::StopFlag() { return CutJobTest::s_device->m_stop; }

// Device steps of the HP-GL model: 40 per millimetre, half a unit and one step off the media
// corner, so page x becomes 40x + 60; points print feed axis (y) first. A rectangle, an open curve,
// the circle as one cut run around (2260, 820) of radius 200, then the group's squares.
const char kJobStart[] =
    "IN;PA;PU;SP1;VS40;PU;"
    "PU460,460;PD460,860,860,860,860,460,460,460 "
    "PU540,1260;PD540,1660,660,1660 "
    "PU820,2060;PD";
const char kJobEnd[] =
    " PU1260,460;PD1260,660,1460,660,1460,460,1260,460 "
    "PU1340,860;PD1340,1060,1540,1060,1540,860,1340,860 "
    "PU1540,0;";

// The circle's run: every point on the circle within a step and a half, closing where it began.
void ExpectCircleRun(const std::string& run) {
  std::vector<int> values;
  std::stringstream numbers(run);
  for (std::string value; std::getline(numbers, value, ',');) values.push_back(std::stoi(value));
  ASSERT_EQ(0u, values.size() % 2);
  ASSERT_GE(values.size(), 32u);
  for (size_t i = 0; i < values.size(); i += 2) {
    double radius = std::hypot(values[i] - 820.0, values[i + 1] - 2260.0);
    EXPECT_NEAR(200.0, radius, 1.5) << values[i] << "," << values[i + 1];
  }
  EXPECT_EQ(820, values[values.size() - 2]);
  EXPECT_EQ(2060, values.back());
}

TEST_F(CutJobTest, AWholeJobGoesToTheFileInTheHpglModelsCommands) {
  AddDocument();
  ASSERT_TRUE(m_bar.Output());
  std::string out = ReadFileText(m_plot);
  ASSERT_EQ(0u, out.find(kJobStart)) << out;
  size_t end = out.find(kJobEnd);
  ASSERT_NE(std::string::npos, end) << out;
  EXPECT_EQ(out.size(), end + strlen(kJobEnd));
  ExpectCircleRun(out.substr(strlen(kJobStart), end - strlen(kJobStart)));
  EXPECT_EQ(0, m_bar.handOvers);
  // A file shows no progress of its own: the user is told where the job went.
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find(m_plot));
  EXPECT_TRUE(m_boxes.Last().type & MB_ICONINFORMATION);

  SaveForReader("TALVEX_JOB_PLT", out);
}

// All strips are placed by one matrix: they share the media corner as their origin, so every part
// prints where it does in one strip. Each strip ends with the frame of the whole media, 400 x 900
// millimetres: 16000 x 36000 steps from the origin; a job in one strip gets the same frame.
TEST_F(CutJobTest, EveryStripEndsWithTheWholeMediaFrame) {
  AddDocument();
  m_settings.m_shareOutLimit = 25;
  m_settings.m_pageRect = 1;
  ASSERT_TRUE(m_bar.Output());
  std::string out = ReadFileText(m_plot);
  const std::string frame = "PU0,0;PD0,16000,36000,16000,36000,0,0,0 ";
  size_t rect = out.find("PU460,460;PD460,860,860,860,860,460,460,460 ");
  size_t first = out.find(frame);
  size_t square = out.find("PU1260,460;PD1260,660,1460,660,1460,460,1260,460 ");
  size_t second = out.find(frame, first + 1);
  ASSERT_NE(std::string::npos, second) << out;
  EXPECT_LT(rect, first);
  EXPECT_LT(first, square);
  EXPECT_LT(square, second);
  EXPECT_EQ(2, Count(out, frame));
  SaveForReader("TALVEX_STRIPS_PLT", out);

  m_settings.m_shareOutLimit = 0;
  ASSERT_TRUE(m_bar.Output());
  out = ReadFileText(m_plot);
  EXPECT_EQ(1, Count(out, frame));
  EXPECT_EQ(out.size(), out.find(frame) + frame.size() + strlen("PU36000,0;")) << out;
}

// The page-to-device matrix counts from the media's corner on both axes: a job cut after the media
// was stepped right and down lands where it lies on the stepped media, x and y not swapped.
TEST_F(CutJobTest, AJobOnSteppedMediaCountsFromTheMediaCorner) {
  m_settings.m_mediaRect = CFRect(390, 890, 790, 1790);
  CRectBlock* rect = new CRectBlock;
  rect->m_rect = CFRect(400, 895, 410, 905);
  m_host.Add(rect);
  CRectBlock* above = new CRectBlock;  // on the page above the stepped media: not cut
  above->m_rect = CFRect(400, 100, 410, 110);
  m_host.Add(above);
  ASSERT_TRUE(m_bar.Output());
  EXPECT_EQ(std::string("IN;PA;PU;SP1;VS40;PU;") + "PU260,460;PD260,860,660,860,660,460,260,460 " +
                "PU660,0;",
            ReadFileText(m_plot));
}

TEST_F(CutJobTest, HalfCutAndOvercutInAJob) {
  m_device.LoadProfile("HP-GL 刻字机, 刀头补偿");
  ASSERT_EQ(8, m_device.m_overcut);
  m_device.ProfileFile().WriteString("CutInfo", "SolidCut", "2");
  m_device.ProfileFile().WriteString("CutInfo", "VoidCut", "1");
  m_settings.m_halfCut = 1;
  m_settings.m_autoFeed = 0;
  CRectBlock* rect = new CRectBlock;
  rect->m_rect = CFRect(10, 10, 20, 20);
  m_host.Add(rect);
  ASSERT_TRUE(m_bar.Output());
  // Solid 80 steps, void 40, the pattern carried round the corners: every solid piece is a cut of
  // its own and every void piece a move, with no blank between them. Then 8 steps of overcut
  // along the first side, and the finish.
  const std::string stream = ReadFileText(m_plot);
  EXPECT_EQ(
      "IN;PA;PU;SP1;VS60;FS120;PU;"
      "PU460,460;PD460,540PU460,580;PD460,660PU460,700;PD460,780PU460,820;PD460,860"
      "PD500,860PU540,860;PD620,860PU660,860;PD740,860PU780,860;PD860,860"
      "PU860,820;PD860,740PU860,700;PD860,620PU860,580;PD860,500PU860,460;"
      "PD780,460PU740,460;PD660,460PU620,460;PD540,460PU500,460;PD460,460"
      "PD460,468 PU0,0;PU;",
      stream);
  SaveForReader("TALVEX_HALFCUT_PLT", stream);
}

TEST_F(CutJobTest, AJobStoppedWhileWrittenIsNeitherSentNorHandedOver) {
  AddDocument();
  m_settings.SetPortName("COM1");
  m_settings.m_remoteCut = 1;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  auto plotFiles = [&] {
    int n = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(temp) + "OSD*.TMP").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
  };
  int before = plotFiles();
  m_bar.stopAfterBlocks = 2;
  EXPECT_FALSE(m_bar.Output());
  EXPECT_EQ(0, m_bar.handOvers);
  EXPECT_EQ(before, plotFiles());

  // Not stopped, the whole job is handed over.
  m_bar.stopAfterBlocks = 0;
  EXPECT_TRUE(m_bar.Output());
  EXPECT_EQ(1, m_bar.handOvers);
  EXPECT_EQ(0u, m_bar.handedOver.find(kJobStart));
  EXPECT_NE(std::string::npos, m_bar.handedOver.find(kJobEnd));
  EXPECT_EQ(0u, m_boxes.Count());
}

// The job names the port the user chose, not the plot file the profile was writing.
TEST_F(CutJobTest, TheHandOverCarriesThePortOfTheSettings) {
  AddDocument();
  m_settings.SetPortName("COM2:");
  m_settings.m_remoteCut = 1;
  m_bar.realManager = true;
  FakeJobManager manager;
  ASSERT_TRUE(m_bar.Output());
  ASSERT_TRUE(manager.read);
  EXPECT_STREQ("COM2:", manager.queued.GetPortName());
  EXPECT_STREQ("Sign", manager.queued.GetDocumentName());
  EXPECT_EQ(m_device.m_outMethod, manager.queued.GetOutputMethod());
  std::string data = manager.queued.GetDataPath().GetString();
  EXPECT_EQ(0u, ReadFileText(data).find(kJobStart));
  DeleteFileA(data.c_str());
}

// The plot file sent to COM1 arrives as it was written; a send stopped part way leaves the device
// with the blank that ends the run, pen up and a pen-up move home, and the temporary file goes.
TEST_F(CutJobTest, AJobSentToCom1ArrivesByteForByteAndAStopLiftsTheBlade) {
  if (!Com1IsMapped()) GTEST_SKIP() << "COM1 is not mapped to the test terminal";
  AddDocument();
  ASSERT_TRUE(m_bar.Output());
  std::string job = ReadFileText(m_plot);
  m_settings.SetPortName("COM1");
  ASSERT_TRUE(m_bar.Output());
  EXPECT_TRUE(Arrives(job)) << Recorded();

  m_bar.stopAfterFirstPiece = true;
  EXPECT_FALSE(m_bar.Output());
  EXPECT_TRUE(Arrives(job + job.substr(0, CPortingDlg::kPieceBytes) + " PU;PU0,0;")) << Recorded();
  EXPECT_EQ(0, m_bar.handOvers);
}

// A drag knife (blade offset by software, 0.3 mm = 12 steps) swivels its blade and cuts offset in
// the test square as in a job: the settings take the profile's offset, which both use, and the
// test leaves the profile's offset as it was.
TEST_F(CutJobTest, ADragKnifeTestCutAndJobCarryTheBladeOffset) {
  if (!Com1IsMapped()) GTEST_SKIP() << "COM1 is not mapped to the test terminal";
  m_device.LoadProfile("HP-GL 刻字机, 软件补偿");
  ASSERT_FLOAT_EQ(0.3f, m_device.m_bladeOffset);
  m_settings.SetPortName("COM1");
  m_bar.OnTest();
  const std::string swivel = "IN;PA;PU;SP1;VS30;FS80;PU0,0;PD100,0PU;";
  // The 18 mm square (720 steps): each corner turns the blade first, every point 12 steps along
  // the cut's direction; the feed goes to the farthest offset point.
  EXPECT_TRUE(
      Arrives(swivel + " PU12,0;PD0,12PD0,732,12,720,732,720,720,708,720,-12,708,0,-12,0 PU732,0;"))
      << Recorded();
  EXPECT_FLOAT_EQ(0.3f, m_device.m_bladeOffset);

  CRectBlock* rect = new CRectBlock;
  rect->m_rect = CFRect(10, 10, 20, 20);
  m_host.Add(rect);
  m_settings.SetPortName(m_plot.c_str());
  ASSERT_TRUE(m_bar.Output());
  std::string out = ReadFileText(m_plot);
  EXPECT_EQ(0u, out.find(swivel)) << out;
  EXPECT_NE(std::string::npos, out.find("PU472,460;PD460,472PD460,872,472,860,872,860")) << out;
}

TEST_F(CutJobTest, AJobThatCannotStartWritesNothing) {
  AddDocument();
  // A target that cannot be opened: told once, nothing sent.
  m_settings.SetPortName(m_folder.File("no such folder\\job.plt").c_str());
  EXPECT_FALSE(m_bar.Output());
  EXPECT_EQ(1u, m_boxes.Count());

  // A profile that cannot drive a job (no resolution) is refused with a message before writing.
  m_settings.SetPortName(m_plot.c_str());
  m_device.ProfileFile().WriteString("HPGL40", "RS", "0");
  m_device.LoadProfile("HP-GL 刻字机");
  EXPECT_EQ(2u, m_boxes.Count());
  EXPECT_FALSE(m_bar.Output());
  EXPECT_EQ(3u, m_boxes.Count());
  EXPECT_FALSE(Exists(m_plot));
}

TEST_F(CutJobTest, NothingOnTheMediaEndsTheCommandQuietly) {
  CRectBlock* rect = new CRectBlock;
  rect->m_rect = CFRect(500, 10, 520, 20);
  m_host.Add(rect);
  EXPECT_FALSE(m_bar.Output());
  EXPECT_FALSE(m_bar.Output());
  EXPECT_EQ(0u, m_boxes.Count());
  EXPECT_FALSE(Exists(m_plot));
}

}  // namespace
