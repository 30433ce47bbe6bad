// Cutting one copy of a job, in this process without windows of the manager: to a file port
// byte for byte and piece by piece, to the test plug-in of USB cutters, and to a USB plug-in that
// never ends its job and refuses to cancel. Pins: the data go out by length (NUL bytes
// included); progress never divides by zero or overflows; a stopped job always ends.
#include <gtest/gtest.h>

#include "JobFiles.h"
#include "jobmanager/JobCutter.h"
#include "output/OutPort.h"
#include "support/TempFolder.h"

namespace {

class RecordingProgress : public CJobCutter::Progress {
public:
  void ShowPercent(int percent) override {
    percents.push_back(percent);
    if (abortAfter >= 0 && static_cast<int>(percents.size()) >= abortAfter) aborted = true;
  }
  void ShowDone() override { ++done; }
  bool IsAborted() const override { return aborted; }

  std::vector<int> percents;
  int done = 0;
  bool aborted = false;
  int abortAfter = -1;  // aborts once this many pieces were shown (and sent)
};

class JobCutterTest : public ::testing::Test {
protected:
  std::string Job(const std::string& port, const std::vector<BYTE>& data) {
    std::string dataPath = m_folder.File("OSD1.TMP");
    WriteFileBytes(dataPath, data);
    std::string jobPath = m_folder.File("OSI1.TMP");
    WriteJob(jobPath, port, dataPath);
    return jobPath;
  }

  TempFolder m_folder;
  COutPort m_port;
};

TEST(JobCutterPieces, AreAHundredthOfTheFileWithinTwentyAndTwoHundredBytes) {
  const struct {
    ULONGLONG length;
    DWORD piece;
  } cases[] = {{0, 20},
               {1000, 20},
               {2100, 21},
               {19999, 199},
               {20000, 200},
               {100000, 200},
               {0x7FFFFFFFFFFFull, 200}};
  for (const auto& test : cases) EXPECT_EQ(test.piece, CJobCutter::PieceSize(test.length));
}

TEST(JobCutterPieces, ProgressNeitherDividesByZeroNorOverflows) {
  const struct {
    ULONGLONG sent, total;
    int percent;
  } cases[] = {{0, 0, 0},
               {5, 0, 0},
               {0, 1000, 0},
               {500, 1000, 50},
               {999, 1000, 99},
               {1000, 1000, 100},
               {0x3FFFFFFFFFull, 0x7FFFFFFFFEull, 50},
               {0xFFFFFFFFFFFFFEull, 0xFFFFFFFFFFFFFFull, 99},
               {0x7FFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull, 49}};
  for (const auto& test : cases)
    EXPECT_EQ(test.percent, CJobCutter::Percent(test.sent, test.total)) << test.sent;
}

TEST_F(JobCutterTest, AFilePortGetsTheDataByteForByteInItsPieces) {
  const struct {
    size_t length;
    size_t pieces;
  } cases[] = {{1000, 50}, {100000, 500}, {0, 0}, {7, 1}};
  for (const auto& test : cases) {
    const std::string out = m_folder.File("cut.plt");
    DeleteFileA(out.c_str());
    const std::vector<BYTE> data = PlotData(test.length);
    RecordingProgress progress;
    CJobCutter cutter(m_port);
    EXPECT_EQ(CJobCutter::kCut, cutter.CutJob(Job(out, data).c_str(), nullptr, progress));
    EXPECT_EQ(data, ReadFileBytes(out)) << test.length << " bytes";
    EXPECT_EQ(test.pieces, progress.percents.size()) << test.length << " bytes";
    if (!progress.percents.empty()) {
      EXPECT_EQ(0, progress.percents.front());
    }
    EXPECT_EQ(1, progress.done);
  }
}

TEST_F(JobCutterTest, AStoppedOrImpossibleCopyIsNotReportedDone) {
  const std::string out = m_folder.File("cut.plt");
  RecordingProgress stopped;
  stopped.abortAfter = 3;
  CJobCutter cutter(m_port);
  EXPECT_EQ(CJobCutter::kStopped,
            cutter.CutJob(Job(out, PlotData(1000)).c_str(), nullptr, stopped));
  EXPECT_EQ(0, stopped.done);
  EXPECT_EQ(60u, ReadFileBytes(out).size()) << "three pieces of 20 bytes went out";

  RecordingProgress progress;
  std::string job = Job(out, PlotData(10));
  DeleteFileA(m_folder.File("OSD1.TMP").c_str());
  EXPECT_EQ(CJobCutter::kFailed, cutter.CutJob(job.c_str(), nullptr, progress))
      << "a missing data file";
  WriteFileBytes(job, {'O', 'D', 'S'});
  EXPECT_EQ(CJobCutter::kFailed, cutter.CutJob(job.c_str(), nullptr, progress))
      << "a damaged job file";
  EXPECT_EQ(0, progress.done);
}

TEST_F(JobCutterTest, AUsbJobGoesToThePlugInOfItsPortName) {
  const std::vector<BYTE> data = PlotData(500);
  RecordingProgress progress;
  CJobCutter cutter(m_port);
  std::string job = Job("TestCutter[TestPlotter.upl:03]", data);
  EXPECT_EQ(CJobCutter::kCut, cutter.CutJob(job.c_str(), nullptr, progress));
  EXPECT_EQ(data, ReadFileBytes(m_folder.File("OSD1.TMP.sent")));
  EXPECT_TRUE(FileExists(m_folder.File("OSD1.TMP"))) << "the manager keeps its data file";
  EXPECT_EQ(1, progress.done);
  EXPECT_EQ(COutPort::kIdle, m_port.GetState());
  EXPECT_FALSE(m_port.GetPlugIn().IsLoaded());

  RecordingProgress refused;
  job = Job("TestCutter[TestPlotter.upl:07]", data);
  EXPECT_EQ(CJobCutter::kFailed, cutter.CutJob(job.c_str(), nullptr, refused))
      << "a plotter the plug-in does not serve";
  job = Job("TestCutter[Missing.upl:03]", data);
  EXPECT_EQ(CJobCutter::kFailed, cutter.CutJob(job.c_str(), nullptr, refused));
  EXPECT_EQ(0, refused.done);
}

// A plug-in whose writer never ends and whose cancel always fails.
class StuckPlugInCutter : public CJobCutter {
public:
  explicit StuckPlugInCutter(COutPort& port) : CJobCutter(port) {}

  int cancels = 0;
  int pumps = 0;
  bool endedThread = true;
  bool queryFails = false;

protected:
  bool StartPlot(LPCSTR, LPCSTR, PlotInfo* info) override {
    info->threadHandle = 1;
    return true;
  }
  bool QueryPlot(PlotInfo* info) override {
    if (queryFails) return false;
    info->threadHandle = 1;
    info->percent = 40;
    return true;
  }
  bool CancelPlot(PlotInfo*) override {
    ++cancels;
    return false;
  }
  void EndPlot(bool threadEnded) override { endedThread = threadEnded; }
  void PumpWhileWaiting(DWORD milliseconds) override {
    ++pumps;
    CJobCutter::PumpWhileWaiting(milliseconds);
  }
};

TEST_F(JobCutterTest, AStoppedUsbJobEndsWithinItsWaitEvenWhenTheCancelFails) {
  StuckPlugInCutter cutter(m_port);
  cutter.SetCancelWait(300);
  RecordingProgress progress;
  progress.aborted = true;
  const DWORD start = GetTickCount();
  EXPECT_EQ(CJobCutter::kStopped,
            cutter.CutJob(Job("Cutter[Stuck.upl:01]", PlotData(10)).c_str(), nullptr, progress));
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 250u);
  EXPECT_LT(took, 5000u);
  EXPECT_GT(cutter.cancels, 1) << "a refused cancel is asked again";
  EXPECT_GT(cutter.pumps, 1) << "messages are pumped while waiting";
  EXPECT_FALSE(cutter.endedThread) << "the plug-in is kept: its writer may still run";
  EXPECT_EQ(0, progress.done);
  EXPECT_EQ((std::vector<int>{40}), progress.percents);

  // A plug-in that can no longer tell about its job has not cut a copy.
  StuckPlugInCutter lost(m_port);
  lost.queryFails = true;
  RecordingProgress unknown;
  EXPECT_EQ(CJobCutter::kFailed,
            lost.CutJob(Job("Cutter[Stuck.upl:01]", PlotData(10)).c_str(), nullptr, unknown));
  EXPECT_EQ(0, unknown.done);
  EXPECT_FALSE(lost.endedThread);
}

}  // namespace
